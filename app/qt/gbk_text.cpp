#include "gbk_text.h"

#include <QStringDecoder>

QString fromGbk(std::string_view text) {
    // Debian's Qt carries ICU, which knows GBK; a fresh decoder per text keeps no state between.
    QStringDecoder decoder("GBK");
    return decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}
