#pragma once

#include <string_view>

#include "text.h"

// The directory part of a UTF-8 path: everything before its last separator. UTF-8 never puts a
// byte below 0x80 inside a character, so the plain search is exact.
Text directoryOfUtf8Path(std::string_view path, char separator = '/');

// The directory part of a path in the 8-bit code page: the search pairs a byte of 0x80 or above
// with the byte after it, so the second byte of a character is never taken for the separator.
Text directoryOfCodePagePath(std::string_view path, char separator);

// The directory holding the running executable, with no separator at its end ("" for the root).
Text programDirectory();

// Where the two name lists lie inside `directory`.
Text poolFilePath(const Text& directory);
Text fullListFilePath(const Text& directory);
