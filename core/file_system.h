#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "fatal_stop.h"
#include "text.h"

// The few file-system calls the program makes, behind one header per platform's implementation.
namespace fs_calls {

struct FileBytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

// Reads a whole regular file. Anything else (missing, a directory, a FIFO, a device, an open or
// read error) gives no bytes; reading never blocks. A buffer that cannot be allocated ends in the
// stop, reporting the bytes it asked for.
FileBytes readRegularFile(const Text& path, RuntimeErrorStop& stop);

// Replaces the file at `path` with `bytes` so that no reader ever sees it cut short: a temporary
// file beside it is written and flushed to the disk, then renamed over it. On any failure the old
// file stays as it was, no temporary file is left, and the result is false. Temporary files that
// killed writers left beside it are removed on the way.
bool replaceFileAtomically(const Text& path, std::string_view bytes);

// True if the file system holds an entry of any kind at `path`; never opens it.
bool entryExists(const Text& path);

// The full path of the running executable, as the system reports it.
Text executablePath();

}  // namespace fs_calls
