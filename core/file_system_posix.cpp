#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "file_system.h"

namespace fs_calls {
namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor final {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now, so that a failing close can be seen.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

Text directoryOf(const Text& path) {
    const auto slash = path.rfind('/');
    if (slash == Text::npos) {
        return ".";
    }
    return slash == 0 ? Text("/") : path.substr(0, slash);
}

constexpr std::string_view kTemporaryMark = ".tmp-";

// A name no other writer in this or another process picks: the pid and a counter.
Text temporaryPathFor(const Text& path) {
    static std::atomic<unsigned> counter{0};
    return path + Text(kTemporaryMark) + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

// A process killed between naming its new file and renaming it leaves that file behind; the
// next save sweeps up those whose writer is gone. A live process's file is never touched.
void removeTemporariesOfDeadProcesses(const Text& directory, const Text& path) {
    const Text prefix = path.substr(path.rfind('/') + 1) + Text(kTemporaryMark);
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(directory.c_str()), ::closedir);
    if (!folder) {
        return;
    }
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (name.rfind(prefix, 0) != 0) {
            continue;
        }
        const long pid = std::strtol(entry->d_name + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(folder.get()), entry->d_name, 0);
        }
    }
}

}  // namespace

FileBytes readRegularFile(const Text& path, RuntimeErrorStop& stop) {
    if (path.empty()) {
        return {};
    }
    // O_NONBLOCK: opening a FIFO with no writer must not hang the program.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) {
        return {};
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return {};
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    FileBytes bytes;
    bytes.data =
        stop.guardAllocation(size, [size] { return std::make_unique_for_overwrite<char[]>(size); });
    while (bytes.size < size) {
        const ssize_t got = ::read(fd.get(), bytes.data.get() + bytes.size, size - bytes.size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {};
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: keep what arrived
        }
        bytes.size += static_cast<std::size_t>(got);
    }
    return bytes;
}

bool replaceFileAtomically(const Text& path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    const Text directory = directoryOf(path);
    removeTemporariesOfDeadProcesses(directory, path);

    // The new bytes go into a file without a name first, so a process killed while writing them
    // leaves nothing behind; it gets a name only once it is whole on the disk.
    FileDescriptor fd(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    const bool anonymous = fd.valid();
    const Text temporary = temporaryPathFor(path);
    if (!anonymous) {
        // A file system without unnamed files: a named one, removed on every failure.
        fd = FileDescriptor(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.valid()) {
            return false;
        }
    }
    bool ok = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (ok && anonymous) {
        const Text self = "/proc/self/fd/" + std::to_string(fd.get());
        ok = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0;
        if (!ok) {
            return false;  // the unnamed file goes with its descriptor
        }
    }
    if (!fd.close() || !ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself only lasts once the directory entry is on the disk.
    FileDescriptor directoryFd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directoryFd.valid() && ::fsync(directoryFd.get()) == 0;
}

bool entryExists(const Text& path) {
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

Text executablePath() {
    Text buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace fs_calls
