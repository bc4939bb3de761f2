#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cwchar>
#include <string>

#include "file_system.h"

// Paths stay UTF-8 inside the program and become UTF-16 only here, so a folder named in any
// script works whatever the system's code page is.
namespace fs_calls {
namespace {

// Closes the handle on every path out of a function.
class FileHandle final {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() {
        if (valid()) {
            ::CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Closes now, so that a failing close can be seen.
    bool close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

// "" for a path that is not valid UTF-8, which no file call then finds.
std::wstring utf16FromUtf8(const Text& utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int inLength = static_cast<int>(utf8.size());
    const int length =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, out.data(), length);
    return out;
}

// "" for a name holding a lone surrogate, which has no UTF-8 spelling.
Text utf8FromUtf16(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int inLength = static_cast<int>(utf16.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), inLength,
                                             nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    Text out(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), inLength, out.data(), length,
                          nullptr, nullptr);
    return out;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

constexpr std::wstring_view kTemporaryMark = L".tmp-";

// A name no other writer in this or another process picks: the process id and a counter.
std::wstring temporaryPathFor(const std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    return path + std::wstring(kTemporaryMark) + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++);
}

bool processIsGone(DWORD pid) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) {
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    }
    const bool gone = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return gone;
}

// A process killed while it wrote leaves its temporary file behind; the next save sweeps up
// those whose writer is gone. A running process's file is never touched.
void removeTemporariesOfDeadProcesses(const std::wstring& path) {
    const std::wstring prefix = path + std::wstring(kTemporaryMark);
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder =
        slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::size_t nameStart = prefix.size() - folder.size();
    do {
        const std::wstring name = found.cFileName;
        if (name.size() <= nameStart) {
            continue;
        }
        const unsigned long pid = std::wcstoul(name.c_str() + nameStart, nullptr, 10);
        if (pid != 0 && processIsGone(static_cast<DWORD>(pid))) {
            ::DeleteFileW((folder + name).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

FileBytes readRegularFile(const Text& path, RuntimeErrorStop& stop) {
    const std::wstring wide = utf16FromUtf8(path);
    if (wide.empty()) {
        return {};
    }
    // Others may go on reading the file meanwhile, but nobody may change it under us. Without
    // FILE_FLAG_BACKUP_SEMANTICS a directory does not open at all.
    FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return {};
    }
    LARGE_INTEGER info{};
    if (!::GetFileSizeEx(file.get(), &info) || info.QuadPart <= 0) {
        return {};
    }
    const auto size = static_cast<std::size_t>(info.QuadPart);
    FileBytes bytes;
    bytes.data =
        stop.guardAllocation(size, [size] { return std::make_unique_for_overwrite<char[]>(size); });
    while (bytes.size < size) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size - bytes.size, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data.get() + bytes.size, chunk, &got, nullptr)) {
            return {};
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: keep what arrived
        }
        bytes.size += got;
    }
    return bytes;
}

bool replaceFileAtomically(const Text& path, std::string_view bytes) {
    const std::wstring target = utf16FromUtf8(path);
    if (target.empty()) {
        return false;
    }
    removeTemporariesOfDeadProcesses(target);
    const std::wstring temporary = temporaryPathFor(target);
    FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    const bool written = writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    // MOVEFILE_WRITE_THROUGH returns only once the new name is on the disk.
    if (!file.close() || !written ||
        !::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool entryExists(const Text& path) {
    const std::wstring wide = utf16FromUtf8(path);
    return !wide.empty() && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Text executablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        // A path that filled the buffer may have been cut short.
        if (length < buffer.size()) {
            buffer.resize(length);
            return utf8FromUtf16(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace fs_calls
