#pragma once
#include <cstddef>
#include <cstdint>

// Makes a private working folder (once) and writes `data` to `rel` inside it.
void FuzzWriteFile(const char* rel, const uint8_t* data, size_t size);
