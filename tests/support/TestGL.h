#pragma once
#include <GL/glew.h>
#include <string>
#include <vector>

// One GL window per test process, made by the test main before the tests run.
namespace TestGL {
// True once the window and GLEW are up (false when there is no display).
bool Ready();
// The test window's size: the game's window for this tile size.
int Width();
int Height();
// RGBA pixel of the back buffer at window coordinates (x, y), y from the bottom.
struct Pixel {
  unsigned char r, g, b, a;
};
Pixel ReadPixel(int x, int y);
// Writes the back buffer to a PNG file (for people to look at).
bool SaveScreenshot(const std::string& path);
}  // namespace TestGL

// A temporary folder (in $TMPDIR, else /tmp) that is removed with its contents when the object
// goes. When the folder or a file in it cannot be written, the test stops there and says so.
class TempDir {
public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path; }
  // Writes a file below the folder, making its parent folders.
  void Write(const std::string& rel, const std::string& bytes) const;
  // Makes the process work inside the folder until the object goes.
  void Enter();

private:
  std::string path;
  std::string old_cwd;
};
