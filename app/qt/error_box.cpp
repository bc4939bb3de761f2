#include "error_box.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "gbk_text.h"

namespace {

QString forDisplay(const Text& text) {
    QString decoded = fromGbk(text);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return decoded;
}

[[noreturn]] void writeAndExit(const Text& text) {
    const QByteArray utf8 = fromGbk(text).toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
    std::fflush(stderr);
    std::_Exit(-1);
}

QtMessageHandler g_previousHandler = nullptr;

void fatalWithoutDisplay(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtFatalMsg) {
        writeAndExit(runtimeErrorText(0, text::kWindowCreationFailed));
    }
    if (g_previousHandler != nullptr) {
        g_previousHandler(type, context, message);
    }
}

}  // namespace

void QtFatalStopSink::showErrorBox(const Text& text, const Text& title) {
    if (QApplication::instance() == nullptr) {
        writeAndExit(text);
    }
    // Closing the main window meanwhile must not end the program before the box is answered.
    QApplication::setQuitOnLastWindowClosed(false);
    QMessageBox box(QMessageBox::Critical, forDisplay(title), forDisplay(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

void QtFatalStopSink::exitProcess(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

ToolkitStartGuard::ToolkitStartGuard() {
    g_previousHandler = qInstallMessageHandler(fatalWithoutDisplay);
}

ToolkitStartGuard::~ToolkitStartGuard() { qInstallMessageHandler(g_previousHandler); }
