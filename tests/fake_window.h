#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "window_ops.h"

// One call a handler made on the window.
struct WindowCall {
    enum class Kind { Title, Label, Period };

    static WindowCall title(Text text) { return {Kind::Title, std::move(text), 0}; }
    static WindowCall label(Text text) { return {Kind::Label, std::move(text), 0}; }
    static WindowCall period(std::int32_t milliseconds) { return {Kind::Period, {}, milliseconds}; }

    bool operator==(const WindowCall&) const = default;

    Kind kind;
    Text text;
    std::int32_t milliseconds;
};

inline void PrintTo(const WindowCall& call, std::ostream* out) {
    switch (call.kind) {
        case WindowCall::Kind::Title:
            *out << "title \"" << call.text << '"';
            break;
        case WindowCall::Kind::Label:
            *out << "label \"" << call.text << '"';
            break;
        case WindowCall::Kind::Period:
            *out << "period " << call.milliseconds;
            break;
    }
}

// Records every call in order, so a test can check what was shown and in which order.
class FakeWindow final : public WindowOps {
public:
    void setWindowTitle(std::string_view title) override {
        calls.push_back(WindowCall::title(Text(title)));
    }
    void setLabelText(std::string_view text) override {
        calls.push_back(WindowCall::label(Text(text)));
    }
    void setTimerPeriod(std::int32_t milliseconds) override {
        calls.push_back(WindowCall::period(milliseconds));
    }

    // The calls from index `first` on, e.g. those of the last tick.
    std::vector<WindowCall> callsSince(std::size_t first) const {
        return {calls.begin() + static_cast<std::ptrdiff_t>(first), calls.end()};
    }

    std::vector<WindowCall> calls;
};
