#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>

#include "corona/Corona.h"
#include "corona/TestPng.h"
#include "support/TestGL.h"

namespace {

std::unique_ptr<CorImage> Open(const TempDir& dir, const std::string& name,
                               const std::string& bytes, std::string* why = nullptr) {
  dir.Write(name, bytes);
  const std::string path = dir.Path() + "/" + name;
  return std::unique_ptr<CorImage>(
      CorConvertImage(CorOpenImage(path.c_str(), COR_FF_AUTODETECT, why), COR_PF_DONTCARE));
}

std::vector<unsigned char> Pixels(const CorImage& img) {
  const unsigned char* p = img.GetPixels();
  return std::vector<unsigned char>(p, p + img.GetWidth() * img.GetHeight() * 4);
}

// A 3x2 RGBA image whose every byte differs, so any reordering shows.
std::vector<unsigned char> SampleRgba() {
  std::vector<unsigned char> v(3 * 2 * 4);
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<unsigned char>(i * 10 + 3);
  return v;
}

}  // namespace

TEST(CoronaTest, RgbaRoundTripsTopRowFirst) {
  TempDir dir;
  auto img = Open(dir, "a.png", TestPng::Rgba(3, 2, SampleRgba()));
  ASSERT_TRUE(img);
  EXPECT_EQ(img->GetWidth(), 3);
  EXPECT_EQ(img->GetHeight(), 2);
  EXPECT_EQ(Pixels(*img), SampleRgba());
}

TEST(CoronaTest, RgbAndGreyGainOpaqueAlpha) {
  TempDir dir;
  TestPng::PngDesc rgb;
  rgb.width = 2;
  rgb.height = 1;
  rgb.color_type = PNG_COLOR_TYPE_RGB;
  rgb.samples = {10, 20, 30, 40, 50, 60};
  auto a = Open(dir, "rgb.png", TestPng::Encode(rgb));
  ASSERT_TRUE(a);
  EXPECT_EQ(Pixels(*a), (std::vector<unsigned char>{10, 20, 30, 255, 40, 50, 60, 255}));

  TestPng::PngDesc grey;
  grey.width = 2;
  grey.height = 2;
  grey.color_type = PNG_COLOR_TYPE_GRAY;
  grey.samples = {0, 77, 200, 255};
  auto b = Open(dir, "grey.png", TestPng::Encode(grey));
  ASSERT_TRUE(b);
  EXPECT_EQ(Pixels(*b), (std::vector<unsigned char>{0, 0, 0, 255, 77, 77, 77, 255, 200, 200, 200,
                                                    255, 255, 255, 255, 255}));

  TestPng::PngDesc ga;
  ga.width = 1;
  ga.height = 2;
  ga.color_type = PNG_COLOR_TYPE_GRAY_ALPHA;
  ga.samples = {90, 0, 180, 128};
  auto c = Open(dir, "ga.png", TestPng::Encode(ga));
  ASSERT_TRUE(c);
  EXPECT_EQ(Pixels(*c), (std::vector<unsigned char>{90, 90, 90, 0, 180, 180, 180, 128}));
}

TEST(CoronaTest, LowBitGreyAndGreyWithTransparentColour) {
  TempDir dir;
  TestPng::PngDesc g1;  // 1-bit: 8 pixels in one byte, 10110000
  g1.width = 4;
  g1.height = 1;
  g1.bit_depth = 1;
  g1.color_type = PNG_COLOR_TYPE_GRAY;
  g1.samples = {0xB0};
  auto a = Open(dir, "g1.png", TestPng::Encode(g1));
  ASSERT_TRUE(a);
  EXPECT_EQ(Pixels(*a), (std::vector<unsigned char>{255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255,
                                                    255, 255, 255, 255, 255}));

  TestPng::PngDesc g8;
  g8.width = 2;
  g8.height = 1;
  g8.color_type = PNG_COLOR_TYPE_GRAY;
  g8.samples = {5, 9};
  g8.has_trns_color = true;
  g8.trns_color.gray = 9;
  auto b = Open(dir, "gt.png", TestPng::Encode(g8));
  ASSERT_TRUE(b);
  EXPECT_EQ(Pixels(*b), (std::vector<unsigned char>{5, 5, 5, 255, 9, 9, 9, 0}));
}

TEST(CoronaTest, PaletteWithTransparencyExpandsToRgba) {
  TempDir dir;
  TestPng::PngDesc pal;
  pal.width = 3;
  pal.height = 1;
  pal.bit_depth = 4;
  pal.color_type = PNG_COLOR_TYPE_PALETTE;
  pal.palette = {{200, 10, 20}, {1, 2, 3}, {40, 50, 60}};
  pal.palette_alpha = {0, 128};  // entry 2 has no alpha: opaque
  pal.samples = {0x12, 0x00};    // indices 1, 2, 0
  auto img = Open(dir, "pal.png", TestPng::Encode(pal));
  ASSERT_TRUE(img);
  EXPECT_EQ(Pixels(*img),
            (std::vector<unsigned char>{1, 2, 3, 128, 40, 50, 60, 255, 200, 10, 20, 0}));
}

TEST(CoronaTest, SixteenBitKeepsHighBytes) {
  TempDir dir;
  TestPng::PngDesc s;
  s.width = 1;
  s.height = 2;
  s.bit_depth = 16;
  s.color_type = PNG_COLOR_TYPE_RGBA;
  s.samples = {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xff, 0xff,
               0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x80, 0x00};
  auto a = Open(dir, "16.png", TestPng::Encode(s));
  ASSERT_TRUE(a);
  EXPECT_EQ(Pixels(*a),
            (std::vector<unsigned char>{0x12, 0x56, 0x9a, 0xff, 0x01, 0x02, 0x03, 0x80}));

  TestPng::PngDesc g;
  g.width = 2;
  g.height = 1;
  g.bit_depth = 16;
  g.color_type = PNG_COLOR_TYPE_GRAY;
  g.samples = {0xab, 0xcd, 0x10, 0x00};
  auto b = Open(dir, "g16.png", TestPng::Encode(g));
  ASSERT_TRUE(b);
  EXPECT_EQ(Pixels(*b), (std::vector<unsigned char>{0xab, 0xab, 0xab, 255, 0x10, 0x10, 0x10, 255}));
}

TEST(CoronaTest, InterlacedDecodesLikePlain) {
  TempDir dir;
  const int w = 13, h = 11;  // not a multiple of the 8x8 interlace block
  std::vector<unsigned char> rgba(w * h * 4);
  for (size_t i = 0; i < rgba.size(); ++i)
    rgba[i] = static_cast<unsigned char>((i * 37) ^ (i >> 3));
  TestPng::PngDesc s;
  s.width = w;
  s.height = h;
  s.interlaced = true;
  s.samples = rgba;
  auto img = Open(dir, "i.png", TestPng::Encode(s));
  ASSERT_TRUE(img);
  ASSERT_EQ(img->GetWidth(), w);
  ASSERT_EQ(img->GetHeight(), h);
  EXPECT_EQ(Pixels(*img), rgba);
}

TEST(CoronaTest, UnreadableFilesGiveNoImage) {
  TempDir dir;
  const std::string good = TestPng::Rgba(3, 2, SampleRgba());
  std::string why;
  EXPECT_EQ(CorOpenImage((dir.Path() + "/missing.png").c_str(), COR_FF_AUTODETECT, &why), nullptr);
  EXPECT_EQ(why, "No such file or directory");
  EXPECT_EQ(CorOpenImage(nullptr, COR_FF_AUTODETECT), nullptr);
  EXPECT_EQ(CorOpenImage(dir.Path().c_str(), COR_FF_AUTODETECT, &why), nullptr);  // a folder
  EXPECT_EQ(why, "not a regular file");
  EXPECT_FALSE(Open(dir, "empty.png", ""));
  EXPECT_FALSE(Open(dir, "text.png", "this is not an image\n", &why));
  EXPECT_EQ(why, "not a PNG image");
  EXPECT_FALSE(Open(dir, "sig.png", good.substr(0, 8)));
  for (size_t cut : {size_t(20), size_t(33), good.size() / 2, good.size() - 12, good.size() - 1})
    EXPECT_FALSE(Open(dir, "cut.png", good.substr(0, cut))) << "cut at " << cut;

  // A flipped byte inside the image data fails the chunk checksum.
  std::string bad = good;
  const size_t idat = TestPng::IdatOffset(bad);
  ASSERT_GT(idat, 0u);
  bad[idat + 2] = static_cast<char>(bad[idat + 2] ^ 0x5a);
  EXPECT_FALSE(Open(dir, "crc.png", bad, &why));
  EXPECT_EQ(why.rfind("damaged PNG image: IDAT: ", 0), 0u) << why;  // libpng's own words

  // A named pipe gives no image at once, rather than waiting for a writer (which this test
  // plays itself when the open waits, so that it fails instead of hanging).
  const std::string fifo = dir.Path() + "/pipe.png";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto opened = std::async(std::launch::async, [&] {
    return std::unique_ptr<CorImage>(CorOpenImage(fifo.c_str(), COR_FF_AUTODETECT, &why));
  });
  if (opened.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
    ADD_FAILURE() << "opening a named pipe waits for a writer";
    close(open(fifo.c_str(), O_WRONLY));
  }
  EXPECT_FALSE(opened.get());
  EXPECT_EQ(why, "not a regular file");
}

TEST(CoronaTest, AbsurdSizesAreRefused) {
  TempDir dir;
  const std::string good = TestPng::Rgba(3, 2, SampleRgba());
  EXPECT_FALSE(Open(dir, "huge.png", TestPng::WithSize(good, 0x7fffffff, 0x7fffffff)));
  EXPECT_FALSE(Open(dir, "wide.png", TestPng::WithSize(good, 100000, 1)));
  EXPECT_FALSE(Open(dir, "zero.png", TestPng::WithSize(good, 0, 2)));
  // Within the cap but far more rows than the file can hold: refused before allocating.
  EXPECT_FALSE(Open(dir, "big.png", TestPng::WithSize(good, 8000, 8000)));
  // A real image just over the cap.
  TestPng::PngDesc s;
  s.width = COR_MAX_DIMENSION + 1;
  s.height = 1;
  s.color_type = PNG_COLOR_TYPE_GRAY;
  s.samples.assign(s.width, 7);
  EXPECT_FALSE(Open(dir, "over.png", TestPng::Encode(s)));
  s.width = COR_MAX_DIMENSION;
  s.samples.assign(s.width, 7);
  auto ok = Open(dir, "cap.png", TestPng::Encode(s));
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->GetWidth(), COR_MAX_DIMENSION);
  EXPECT_EQ(ok->GetPixels()[(COR_MAX_DIMENSION - 1) * 4], 7);
}

TEST(CoronaTest, ConvertKeepsImageOnlyForDontCare) {
  TempDir dir;
  dir.Write("a.png", TestPng::Rgba(3, 2, SampleRgba()));
  const std::string path = dir.Path() + "/a.png";
  CorImage* img = CorOpenImage(path.c_str(), COR_FF_AUTODETECT);
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(CorConvertImage(img, COR_PF_DONTCARE), img);
  EXPECT_EQ(CorConvertImage(img, 0x1234), nullptr);  // deletes img
  EXPECT_EQ(CorConvertImage(nullptr, COR_PF_DONTCARE), nullptr);
  EXPECT_EQ(CorOpenImage(path.c_str(), 0x999), nullptr);
}
