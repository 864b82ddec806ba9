#include "corona/CorImage.h"

#include <cstdlib>

CorImage::CorImage(int width, int height, unsigned char* pixels)
    : width(width), height(height), pixels(pixels) {}

CorImage::~CorImage() { std::free(pixels); }

int CorImage::GetWidth() const { return width; }

int CorImage::GetHeight() const { return height; }

unsigned char* CorImage::GetPixels() const { return pixels; }
