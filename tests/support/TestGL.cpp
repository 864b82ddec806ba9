#include "support/TestGL.h"

#include <GL/freeglut.h>
#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "common/Globals.h"

namespace {
bool ready = false;
}

namespace TestGL {

void Init(int* argc, char** argv) {
  if (!std::getenv("DISPLAY")) return;
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
  glutInitWindowPosition(0, 0);
  glutInitWindowSize(Width(), Height());
  glutCreateWindow("kelvara tests");
  if (glewInit() != GLEW_OK) return;
  glReadBuffer(GL_BACK);
  ready = true;
}

bool Ready() { return ready; }
int Width() { return 18 * TILE_SIZE; }
int Height() { return 27 * TILE_SIZE; }

Pixel ReadPixel(int x, int y) {
  Pixel p{0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &p);
  return p;
}

bool SaveScreenshot(const std::string& path) {
  const int w = Width(), h = Height();
  std::vector<unsigned char> pix(static_cast<size_t>(w) * h * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pix.data());
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int row = h - 1; row >= 0; --row) {  // GL rows run bottom-up
    std::vector<unsigned char> line(pix.begin() + static_cast<size_t>(row) * w * 4,
                                    pix.begin() + static_cast<size_t>(row + 1) * w * 4);
    for (int x = 0; x < w; ++x) line[x * 4 + 3] = 255;
    png_write_row(png, line.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  return true;
}

}  // namespace TestGL

namespace {
// Stops the test (gtest reports the exception): its files could not be written.
[[noreturn]] void CannotWrite(const std::string& where, const std::string& reason) {
  throw std::runtime_error("the test's files could not be written: " + where + " (" + reason + ")");
}
}  // namespace

TempDir::TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/kelvara-test-XXXXXX";
  if (!mkdtemp(tmpl.data())) CannotWrite(tmpl, std::strerror(errno));
  path = tmpl;
}

TempDir::~TempDir() {
  if (!old_cwd.empty()) {
    if (chdir(old_cwd.c_str()) != 0) std::perror("chdir");
  }
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

void TempDir::Write(const std::string& rel, const std::string& bytes) const {
  const std::filesystem::path full = std::filesystem::path(path) / rel;
  std::error_code ec;
  std::filesystem::create_directories(full.parent_path(), ec);
  if (ec) CannotWrite(full.parent_path().string(), ec.message());
  std::ofstream out(full, std::ios::binary);
  out << bytes;
  out.close();
  if (!out) CannotWrite(full.string(), std::strerror(errno));
}

void TempDir::Enter() {
  old_cwd = std::filesystem::current_path().string();
  if (chdir(path.c_str()) != 0) std::perror("chdir");
}
