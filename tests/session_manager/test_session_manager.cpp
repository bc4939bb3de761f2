// A minimal X11 session manager for end-to-end tests: it starts one command as its client, puts
// the log-off question to it once it has registered, and reports the answer on stdout.
//
//   test_session_manager [--cancel] -- COMMAND [ARGS...]
//
// Exit status: the command's (128 + signal if it was killed), 2 on bad usage, 3 on a timeout
// or when the client leaves before it could be asked.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

// glibc 2.36 declares these without C linkage.
extern "C" {
#include <sys/pidfd.h>
}

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kRegisterTimeout = 20s;
constexpr auto kDoneTimeout = 20s;
// Lets the client finish starting up, so the question does not race its first window.
constexpr auto kSettle = 500ms;

enum class Phase { AwaitingClient, Settling, AwaitingDone, Answered };

struct Client {
    IceConn ice;
    SmsConn sms;  // null until the client opens the session protocol
};

struct Manager {
    bool cancel = false;
    Phase phase = Phase::AwaitingClient;
    Clock::time_point deadline = Clock::now() + kRegisterTimeout;
    SmsConn asked = nullptr;  // the first client to register; the only one questioned
    std::vector<Client> clients;
};

// libSM's callbacks carry no useful context of their own, so they share this.
Manager manager;

void println(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);  // the test reads these while the program is still running
}

// Clients are let in without authentication, so only sockets on this machine are offered.
Bool acceptLocalHost(char* host) {
    return host != nullptr && std::string_view(host).starts_with("local/") ? True : False;
}

// libICE's default handler exits the process; a client dying must not end the session.
void ignoreIoError(IceConn) {}

void forget(SmsConn sms) {
    if (manager.asked == sms) manager.asked = nullptr;
    for (Client& client : manager.clients) {
        if (client.sms == sms) client.sms = nullptr;
    }
}

Status registerClient(SmsConn sms, SmPointer, char* previousId) {
    // A restarted client keeps its old id; a new one gets a fresh id.
    char* id = previousId != nullptr ? previousId : SmsGenerateClientID(sms);
    static char fallbackId[] = "test-session-client";
    SmsRegisterClientReply(sms, id != nullptr ? id : fallbackId);
    std::free(id);
    if (manager.phase == Phase::AwaitingClient) {
        manager.asked = sms;
        manager.phase = Phase::Settling;
        manager.deadline = Clock::now() + kSettle;
    }
    return 1;
}

// With a single client there is never anyone else to wait for.
void interactRequest(SmsConn sms, SmPointer, int) { SmsInteract(sms); }
void phase2Request(SmsConn sms, SmPointer) { SmsSaveYourselfPhase2(sms); }

void interactDone(SmsConn, SmPointer, Bool cancelShutdown) {
    std::fprintf(stderr, "interact-done cancel-shutdown=%d\n", cancelShutdown ? 1 : 0);
}

// Only this manager starts saves; a client asking for one is ignored.
void saveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}

void saveYourselfDone(SmsConn sms, SmPointer, Bool success) {
    if (sms != manager.asked || manager.phase != Phase::AwaitingDone) return;
    manager.phase = Phase::Answered;
    println(success ? "save-yourself-done success=1" : "save-yourself-done success=0");
    // Without a cancel the client is left waiting for Die, which never comes: the test checks
    // the window is still open and closes it itself.
    if (manager.cancel) {
        SmsShutdownCancelled(sms);
        println("shutdown-cancelled");
    }
}

void closeConnection(SmsConn sms, SmPointer, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(sms);
    forget(sms);
    SmsCleanUp(sms);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);  // freed once IceProcessMessages returns
}

// Properties are not needed, but libSM hands over their memory.
void setProperties(SmsConn, SmPointer, int count, SmProp** props) {
    for (int i = 0; i < count; ++i) SmFreeProperty(props[i]);
    std::free(props);
}

void deleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) std::free(names[i]);
    std::free(names);
}

void getProperties(SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, nullptr); }

Status newClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char**) {
    *callbacks = SmsCallbacks{};
    callbacks->register_client.callback = registerClient;
    callbacks->interact_request.callback = interactRequest;
    callbacks->interact_done.callback = interactDone;
    callbacks->save_yourself_request.callback = saveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = phase2Request;
    callbacks->save_yourself_done.callback = saveYourselfDone;
    callbacks->close_connection.callback = closeConnection;
    callbacks->set_properties.callback = setProperties;
    callbacks->delete_properties.callback = deleteProperties;
    callbacks->get_properties.callback = getProperties;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    IceConn ice = SmsGetIceConnection(sms);
    for (Client& client : manager.clients) {
        if (client.ice == ice) client.sms = sms;
    }
    return 1;
}

void serve(IceConn ice) {
    IceProcessMessagesStatus status = IceProcessMessages(ice, nullptr, nullptr);
    bool gone = status == IceProcessMessagesConnectionClosed;
    if (!gone &&
        (status == IceProcessMessagesIOError || IceConnectionStatus(ice) == IceConnectRejected)) {
        auto client = std::ranges::find(manager.clients, ice, &Client::ice);
        if (client != manager.clients.end() && client->sms != nullptr) {
            SmsConn sms = client->sms;
            forget(sms);
            SmsCleanUp(sms);
        }
        IceSetShutdownNegotiation(ice, False);
        IceCloseConnection(ice);
        gone = true;
    }
    if (gone) std::erase_if(manager.clients, [ice](const Client& c) { return c.ice == ice; });
}

int exitStatus(int waitStatus) {
    return WIFSIGNALED(waitStatus) ? 128 + WTERMSIG(waitStatus) : WEXITSTATUS(waitStatus);
}

int usage() {
    std::fprintf(stderr, "usage: test_session_manager [--cancel] -- COMMAND [ARGS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int next = 1;
    if (next < argc && std::string_view(argv[next]) == "--cancel") {
        manager.cancel = true;
        ++next;
    }
    if (next + 1 >= argc || std::string_view(argv[next]) != "--") return usage();
    char** command = argv + next + 1;

    IceSetIOErrorHandler(ignoreIoError);
    char error[256] = "";
    static char vendor[] = "test_session_manager";
    static char release[] = "1.0";
    if (!SmsInitialize(vendor, release, newClient, nullptr, acceptLocalHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize failed: %s\n", error);
        return 1;
    }
    int listenerCount = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&listenerCount, &listeners, sizeof error, error)) {
        std::fprintf(stderr, "IceListenForConnections failed: %s\n", error);
        return 1;
    }
    std::vector<IceListenObj> local;
    for (int i = 0; i < listenerCount; ++i) {
        char* address = IceGetListenConnectionString(listeners[i]);
        if (acceptLocalHost(address)) local.push_back(listeners[i]);
        std::free(address);
        IceSetHostBasedAuthProc(listeners[i], acceptLocalHost);
        fcntl(IceGetListenConnectionNumber(listeners[i]), F_SETFD, FD_CLOEXEC);
    }
    if (local.empty()) {
        std::fprintf(stderr, "no local ICE listener\n");
        return 1;
    }
    char* networkIds = IceComposeNetworkIdList(static_cast<int>(local.size()), local.data());
    setenv("SESSION_MANAGER", networkIds, 1);
    std::free(networkIds);

    // A client hanging up mid-write must not kill this process, but the command should still
    // start with the default SIGPIPE action.
    signal(SIGPIPE, SIG_IGN);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t child = 0;
    int spawnError = posix_spawnp(&child, command[0], nullptr, &attributes, command, environ);
    posix_spawnattr_destroy(&attributes);
    if (spawnError != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", command[0], std::strerror(spawnError));
        IceFreeListenObjs(listenerCount, listeners);
        return 127;
    }
    // Becomes readable when the child exits, so the loop needs no polling interval.
    int childExit = pidfd_open(child, 0);
    if (childExit < 0) {
        std::perror("pidfd_open");
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        IceFreeListenObjs(listenerCount, listeners);
        return 1;
    }

    // Ends the session: with a failure the child is killed and the exit status is 3.
    auto finish = [&](const char* failure) {
        if (failure != nullptr) {
            std::fprintf(stderr, "%s\n", failure);
            kill(child, SIGKILL);
        }
        int waitStatus = 0;
        waitpid(child, &waitStatus, 0);
        IceFreeListenObjs(listenerCount, listeners);
        return failure != nullptr ? 3 : exitStatus(waitStatus);
    };

    for (;;) {
        std::vector<pollfd> fds{{childExit, POLLIN, 0}};
        for (IceListenObj listener : local) {
            fds.push_back({IceGetListenConnectionNumber(listener), POLLIN, 0});
        }
        std::vector<IceConn> connections;
        for (const Client& client : manager.clients) {
            connections.push_back(client.ice);
            fds.push_back({IceConnectionNumber(client.ice), POLLIN, 0});
        }
        int waitMs = -1;
        if (manager.phase != Phase::Answered) {
            auto left =
                std::chrono::ceil<std::chrono::milliseconds>(manager.deadline - Clock::now());
            waitMs = static_cast<int>(std::max<long long>(left.count(), 0));
        }
        if (poll(fds.data(), fds.size(), waitMs) < 0 && errno != EINTR) {
            return finish(std::strerror(errno));
        }
        if (fds[0].revents != 0) return finish(nullptr);

        if (manager.phase != Phase::Answered && Clock::now() >= manager.deadline) {
            if (manager.phase == Phase::AwaitingClient) {
                return finish("timeout: no client registered within 20 s");
            }
            if (manager.phase == Phase::AwaitingDone) {
                return finish("timeout: no SaveYourselfDone within 20 s of SaveYourself");
            }
            if (manager.asked == nullptr) return finish("the client left before being asked");
            // What a real log-off sends: commit data and save state, then shut down.
            SmsSaveYourself(manager.asked, SmSaveBoth, True, SmInteractStyleAny, False);
            manager.phase = Phase::AwaitingDone;
            manager.deadline = Clock::now() + kDoneTimeout;
        }

        for (std::size_t i = 0; i < local.size(); ++i) {
            if (fds[1 + i].revents == 0) continue;
            IceAcceptStatus status;
            IceConn ice = IceAcceptConnection(local[i], &status);
            if (ice != nullptr && status == IceAcceptSuccess)
                manager.clients.push_back({ice, nullptr});
        }
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if (fds[1 + local.size() + i].revents != 0) serve(connections[i]);
        }
    }
}
