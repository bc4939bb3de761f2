#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

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

// A name no other writer in this or another process picks: the pid and a counter.
Text temporaryPathFor(const Text& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
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
    const Text temporary = temporaryPathFor(path);
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        return false;
    }
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself only lasts once the directory entry is on the disk.
    FileDescriptor directory(::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return directory.valid() && ::fsync(directory.get()) == 0;
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
