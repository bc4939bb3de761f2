#pragma once

#include <string_view>

#include "fatal_stop.h"
#include "name_list.h"
#include "name_pool.h"
#include "text.h"

// A name list is the names' bytes, each followed by or separated by ",". A byte of 0x80 or above
// starts a two-byte character, whose second byte is never a separator even when it is ",".
// A trailing "," ends the last name without starting another.
NameList splitText(std::string_view text, char separator = ',');

// The names in the file at `path`, read up to its first zero byte; a missing, unreadable or
// non-regular file gives no names. Built completely before the caller hands it to the pool.
NameList loadFile(const Text& path, RuntimeErrorStop& stop);

// Writes every member of the pool to `path`, from the last position to the first, each followed
// by ",", replacing the old file only once the new
// one is whole on the disk. False on any failure, with the old file left as it was.
bool saveFile(const Text& path, const NamePool& pool, RuntimeErrorStop& stop);

// True if there is an entry of any kind, a file or a directory, at `path`; false for "".
bool fileExists(const Text& path);
