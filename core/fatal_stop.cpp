#include "fatal_stop.h"

#include <cstdlib>
#include <string>

namespace {
constexpr std::string_view kLineBreak = "\r\n";
}

Text runtimeErrorText(int code, std::string_view message) {
    Text out;
    out.append(text::kErrorBoxHeader).append(kLineBreak).append(kLineBreak);
    if (code != 0) {
        out.append(text::kErrorCodeLabel).append(std::to_string(code));
        out.append(kLineBreak).append(kLineBreak);
    }
    if (!message.empty()) {
        out.append(text::kErrorMessageLabel).append(message).append(kLineBreak);
    }
    return out;
}

Text outOfMemoryMessage(std::size_t bytes) {
    Text out;
    out.append(text::kOutOfMemoryBefore)
        .append(std::to_string(bytes))
        .append(text::kOutOfMemoryAfter);
    return out;
}

void RuntimeErrorStop::raise(int code, std::string_view message) {
    // Set before the box appears: its event loop may deliver ticks and close requests.
    m_started = true;
    m_sink.showErrorBox(runtimeErrorText(code, message), Text(text::kErrorBoxTitle));
    m_sink.exitProcess(-1);
    std::abort();  // a sink must not return from exitProcess
}
