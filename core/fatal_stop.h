#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string_view>

#include "text.h"

// What the fatal stop needs from the outside: a modal error box and the end of the process.
class FatalStopSink {
public:
    virtual ~FatalStopSink() = default;
    // Shows a modal box with the error icon and one OK button, and returns once it is dismissed.
    virtual void showErrorBox(const Text& text, const Text& title) = 0;
    [[noreturn]] virtual void exitProcess(int status) = 0;
};

// The text of the error box: header, then the code line for a code other than 0, then the message
// line for a non-empty message, each with its CR LF pairs.
Text runtimeErrorText(int code, std::string_view message);

// "分配 N 字节内存失败!" for a request of N bytes.
Text outOfMemoryMessage(std::size_t bytes);

// The one fatal stop of the program. Once raised, the handlers must ignore every further event
// (the box's own event loop still delivers them), so nothing is drawn and nothing is saved.
class RuntimeErrorStop final {
public:
    explicit RuntimeErrorStop(FatalStopSink& sink) : m_sink(sink) {}
    RuntimeErrorStop(const RuntimeErrorStop&) = delete;
    RuntimeErrorStop& operator=(const RuntimeErrorStop&) = delete;

    [[noreturn]] void raise(int code, std::string_view message);
    bool hasStarted() const { return m_started; }

    // Runs `allocate`; a failed allocation inside it ends in the stop, reporting `bytes`.
    template <class Allocate>
    decltype(auto) guardAllocation(std::size_t bytes, Allocate&& allocate);

private:
    FatalStopSink& m_sink;
    bool m_started = false;
};

template <class Allocate>
decltype(auto) RuntimeErrorStop::guardAllocation(std::size_t bytes, Allocate&& allocate) {
    try {
        return allocate();
    } catch (const std::bad_alloc&) {
        raise(0, outOfMemoryMessage(bytes));
    } catch (const std::length_error&) {
        raise(0, outOfMemoryMessage(bytes));
    }
}
