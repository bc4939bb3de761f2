// Starts a program and reports, to the millisecond, when its first window is mapped with a
// title that starts as given, and the program's peak resident memory at that moment; then ends
// the program with SIGTERM. Watching the X server's events, not polling, keeps the figure exact.
// Usage: window_watch TITLE_PREFIX PROGRAM [ARGS...]   (prints: MILLISECONDS PEAK_KIB)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>

namespace {

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, 4096), nullptr),
        &std::free);
    if (!reply) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

bool viewable(xcb_connection_t* x, xcb_window_t window) {
    ReplyPtr<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr),
        &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

long peakKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE_PREFIX PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string prefix = argv[1];
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &rootMask);
    const xcb_atom_t netWmName = atom(x, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(x, "UTF8_STRING");
    const xcb_atom_t netWmPid = atom(x, "_NET_WM_PID");
    xcb_flush(x);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(argv[2], argv + 2);
        std::_Exit(127);
    }

    // A window of the child, mapped, with the title: the moment the user sees it.
    auto shown = [&](xcb_window_t window) {
        const std::string pid = property(x, window, netWmPid, XCB_ATOM_CARDINAL);
        if (pid.size() != 4) {
            return false;
        }
        std::uint32_t value = 0;
        std::memcpy(&value, pid.data(), 4);
        return static_cast<pid_t>(value) == child && viewable(x, window) &&
               property(x, window, netWmName, utf8).rfind(prefix, 0) == 0;
    };

    std::set<xcb_window_t> watched;
    const auto deadline = start + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(x),
                                                                         &std::free);
        if (!event) {
            break;
        }
        xcb_window_t window = XCB_WINDOW_NONE;
        switch (event->response_type & 0x7F) {
            case XCB_CREATE_NOTIFY: {
                window = reinterpret_cast<xcb_create_notify_event_t*>(event.get())->window;
                const std::uint32_t mask =
                    XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(x, window, XCB_CW_EVENT_MASK, &mask);
                watched.insert(window);
                break;
            }
            case XCB_MAP_NOTIFY:
                window = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
                break;
            case XCB_PROPERTY_NOTIFY:
                window = reinterpret_cast<xcb_property_notify_event_t*>(event.get())->window;
                break;
            default:
                break;
        }
        if (window != XCB_WINDOW_NONE && watched.count(window) != 0 && shown(window)) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            const long peak = peakKib(child);
            std::printf("%lld %ld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()),
                        peak);
            ::kill(child, SIGTERM);
            ::waitpid(child, nullptr, 0);
            xcb_disconnect(x);
            return 0;
        }
    }
    std::fprintf(stderr, "no window titled like '%s'\n", prefix.c_str());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    return 1;
}
