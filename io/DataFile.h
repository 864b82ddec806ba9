#pragma once
#include <cstddef>
#include <cstdio>
#include <string>

// Opens a data file for reading. Null when it cannot be opened or is not a regular file:
// a directory, a named pipe or a device (which could block or never end) counts as
// unreadable. On failure *why, when given, says why.
FILE* OpenDataFile(const char* path, std::string* why = nullptr);

// Reads the whole of a regular data file of at most max_bytes into *out. False, with *out
// empty, when it cannot be opened, is not a regular file, is larger or cannot be read; then
// *why, when given, says why.
bool ReadDataFile(const char* path, size_t max_bytes, std::string* out, std::string* why = nullptr);
