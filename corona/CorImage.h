#pragma once

// A decoded image: 8-bit RGBA, four bytes per pixel, rows top first, no padding.
class CorImage {
public:
  // Takes ownership of a buffer from malloc holding width * height * 4 bytes.
  CorImage(int width, int height, unsigned char* pixels);
  ~CorImage();
  CorImage(const CorImage&) = delete;
  CorImage& operator=(const CorImage&) = delete;

  int GetWidth() const;
  int GetHeight() const;
  // The pixel buffer as decoded (always RGBA, top row first).
  unsigned char* GetPixels() const;

private:
  int width;
  int height;
  unsigned char* pixels;
};
