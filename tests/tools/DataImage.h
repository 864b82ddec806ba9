#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A generated PNG read back with libpng, exactly as stored (no conversion),
// so the tests see the file's own colour type and bit depth.
class DataImage {
public:
  bool Load(const std::string& path);

  int Width() const { return width; }
  int Height() const { return height; }
  bool IsRgba8() const { return rgba8; }
  // Alpha of texel (x, y), counted from the top-left corner; 0 outside.
  int Alpha(int x, int y) const;
  uint32_t Texel(int x, int y) const;
  // Opaque texels in the box.
  int CountOpaque(int x, int y, int w, int h) const;
  // True when the two boxes hold the same texels.
  bool SameBox(int x0, int y0, int x1, int y1, int w, int h) const;
  // True when the box equals its own left-right mirror image.
  bool MirrorSymmetric(int x, int y, int w, int h) const;

private:
  int width = 0;
  int height = 0;
  bool rgba8 = false;
  std::vector<uint8_t> pixels;  // four bytes per texel when rgba8
};

// Data folder paths and a whole-file reader shared by the data tests.
namespace DataFiles {
std::string Texture(const std::string& name);  // KELVARA_DATA_DIR/Textures/<name>
std::string Level(const std::string& name);    // KELVARA_DATA_DIR/Levels/<name>
bool ReadAll(const std::string& path, std::string* bytes);
// Runs a command line; returns its exit status (-1 if it could not run).
int Run(const std::string& command);
}  // namespace DataFiles
