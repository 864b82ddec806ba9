#pragma once

#include <string>

#include "corona/CorImage.h"

// File format codes.
const int COR_FF_AUTODETECT = 0x100;  // detect the format from the file contents

// Pixel format codes.
const int COR_PF_DONTCARE = 0x200;  // keep the pixels as decoded

// Largest width or height the loader accepts; larger files are refused before decoding.
const int COR_MAX_DIMENSION = 8192;

// Opens and decodes an image file. Only PNG is understood; whatever the file's colour type,
// bit depth or interlacing, the result is 8-bit RGBA with the top row first.
// Returns nullptr for a missing, unknown, truncated, corrupt or oversized file, or for a path
// that is not a regular file (a folder, a named pipe, a device); then *why, when given, says
// why. The caller owns the result (delete it).
CorImage* CorOpenImage(const char* file, int file_format, std::string* why = nullptr);

// Converts an image to a pixel format. The result replaces the argument: with COR_PF_DONTCARE
// it is the same image; any other format is not supported, so the image is deleted and
// nullptr returned. A null image gives nullptr.
CorImage* CorConvertImage(CorImage* image, int pixel_format);
