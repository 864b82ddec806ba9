#include <gtest/gtest.h>

#include <algorithm>

#include "common/Globals.h"
#include "corona/TestPng.h"
#include "gfx/cTexture.h"
#include "io/Message.h"
#include "support/TestGL.h"

namespace {

// Window-pixel projection; depth test and alpha test off.
void PixelView() {
  glViewport(0, 0, TestGL::Width(), TestGL::Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TestGL::Width(), 0, TestGL::Height(), 3, -(160 * TILE_SIZE + 3));
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);
}

// The whole texture upright on a size x size square at the origin (t = 0 at the top).
void DrawTexture(GLuint id, int size) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, id);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1);
  glVertex3i(0, 0, 0);
  glTexCoord2f(1, 1);
  glVertex3i(size, 0, 0);
  glTexCoord2f(1, 0);
  glVertex3i(size, size, 0);
  glTexCoord2f(0, 0);
  glVertex3i(0, size, 0);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

void ExpectRgb(TestGL::Pixel p, int r, int g, int b) {
  EXPECT_EQ(p.r, r);
  EXPECT_EQ(p.g, g);
  EXPECT_EQ(p.b, b);
}

// 2x2, top row red and green, bottom row blue and grey.
const std::vector<unsigned char> kQuadrants = {255, 0, 0,   255, 0,  255, 0,  255,
                                               0,   0, 255, 255, 90, 90,  90, 255};

void ExpectQuadrants() {
  ExpectRgb(TestGL::ReadPixel(16, 48), 255, 0, 0);
  ExpectRgb(TestGL::ReadPixel(48, 48), 0, 255, 0);
  ExpectRgb(TestGL::ReadPixel(16, 16), 0, 0, 255);
  ExpectRgb(TestGL::ReadPixel(48, 16), 90, 90, 90);
}

}  // namespace

TEST(cTextureTest, UploadsDecodedPixelsTopRowAtTop) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  dir.Write("q.png", TestPng::Rgba(2, 2, kQuadrants));
  cTexture tex;
  ASSERT_TRUE(tex.Load((dir.Path() + "/q.png").c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST,
                       GL_NEAREST, false));
  EXPECT_NE(tex.GetID(), 0u);
  int w = -1, h = -1;
  tex.GetSize(&w, &h);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), tex.GetID());
  GLint wrap = 0, mag = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  EXPECT_EQ(wrap, GL_REPEAT);
  EXPECT_EQ(mag, GL_NEAREST);

  PixelView();
  DrawTexture(tex.GetID(), 64);
  ExpectQuadrants();
}

TEST(cTextureTest, PaletteGreyAndSixteenBitFilesUploadAsRgba) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  TestPng::PngDesc pal;
  pal.width = 2;
  pal.height = 2;
  pal.color_type = PNG_COLOR_TYPE_PALETTE;
  pal.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {90, 90, 90}};
  pal.samples = {0, 1, 2, 3};
  dir.Write("p.png", TestPng::Encode(pal));
  TestPng::PngDesc deep;
  deep.width = 2;
  deep.height = 2;
  deep.bit_depth = 16;
  deep.color_type = PNG_COLOR_TYPE_RGB;
  deep.samples = {255, 9, 0, 0, 0,   0,   0,  0, 255, 1, 0,  0,
                  0,   0, 0, 0, 255, 255, 90, 0, 90,  0, 90, 0};
  dir.Write("d.png", TestPng::Encode(deep));
  TestPng::PngDesc grey;
  grey.width = 1;
  grey.height = 1;
  grey.color_type = PNG_COLOR_TYPE_GRAY;
  grey.samples = {123};
  dir.Write("g.png", TestPng::Encode(grey));

  for (const char* name : {"p.png", "d.png"}) {
    SCOPED_TRACE(name);
    cTexture tex;
    ASSERT_TRUE(tex.Load((dir.Path() + "/" + name).c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT,
                         GL_NEAREST, GL_NEAREST, false));
    PixelView();
    DrawTexture(tex.GetID(), 64);
    ExpectQuadrants();
  }
  cTexture g;
  ASSERT_TRUE(g.Load((dir.Path() + "/g.png").c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST,
                     GL_NEAREST, false));
  PixelView();
  DrawTexture(g.GetID(), 64);
  ExpectRgb(TestGL::ReadPixel(30, 30), 123, 123, 123);
}

TEST(cTextureTest, RgbTypeAndMipmapsShowTheSamePicture) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  dir.Write("q.png", TestPng::Rgba(2, 2, kQuadrants));
  const std::string path = dir.Path() + "/q.png";
  cTexture rgb, mip;
  ASSERT_TRUE(rgb.Load(path.c_str(), GL_RGB, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, GL_NEAREST,
                       GL_NEAREST, false));
  PixelView();
  DrawTexture(rgb.GetID(), 64);
  ExpectQuadrants();
  ASSERT_TRUE(mip.Load(path.c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST,
                       GL_NEAREST_MIPMAP_NEAREST, true));
  PixelView();
  DrawTexture(mip.GetID(), 64);
  ExpectQuadrants();
}

TEST(cTextureTest, FailedLoadChangesNothingAndSaysWhich) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  dir.Write("q.png", TestPng::Rgba(2, 2, kQuadrants));
  dir.Write("bad.png", std::string("\x89PNG\r\n\x1a\n garbage", 17));
  const std::string good = dir.Path() + "/q.png";
  const std::string bad = dir.Path() + "/bad.png";

  cTexture fresh;
  ForgetSaidLines();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(
      fresh.Load(bad.c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false));
  const std::string err = testing::internal::GetCapturedStderr();
  // One line with the image layer's reason.
  EXPECT_EQ(err.rfind("Kelvara: cannot load the texture " + bad + " (damaged PNG image: ", 0), 0u)
      << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  int w = -1, h = -1;
  fresh.GetSize(&w, &h);
  EXPECT_EQ(fresh.GetID(), 0u);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  cTexture loaded;
  ASSERT_TRUE(
      loaded.Load(good.c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false));
  const GLuint id = loaded.GetID();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(loaded.Load((dir.Path() + "/none.png").c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT,
                           GL_NEAREST, GL_NEAREST, false));
  EXPECT_FALSE(
      loaded.Load(good.c_str(), GL_LUMINANCE, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false));
  testing::internal::GetCapturedStderr();
  loaded.GetSize(&w, &h);
  EXPECT_EQ(loaded.GetID(), id);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);

  // A second good load makes a new texture and the old one stays valid.
  ASSERT_TRUE(
      loaded.Load(good.c_str(), GL_RGBA, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, false));
  EXPECT_NE(loaded.GetID(), id);
  EXPECT_TRUE(glIsTexture(id));
}
