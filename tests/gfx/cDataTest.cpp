#include <gtest/gtest.h>

#include <set>

#include "corona/TestPng.h"
#include "gfx/cData.h"
#include "io/Message.h"
#include "support/TestGL.h"

namespace {

const char* const kFiles[12] = {"tileset",  "player1",  "superp1",  "player2",
                                "superp2",  "overlay1", "overlay2", "monster1",
                                "monster2", "fireball", "arrow",    "heart"};

// Slot i gets an image of (i + 1) x (2 * i + 1) texels, so sizes tell the slots apart.
void WriteTextures(const TempDir& dir, int skip = -1) {
  for (int i = 0; i < 12; ++i) {
    if (i == skip) continue;
    const int w = i + 1, h = 2 * i + 1;
    dir.Write(std::string("Textures/") + kFiles[i] + ".png",
              TestPng::Rgba(w, h, std::vector<unsigned char>(w * h * 4, 200)));
  }
}

}  // namespace

TEST(cDataTest, LoadsTwelveSlotsByIdAndAgainWithNewNames) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  WriteTextures(dir);
  dir.Enter();
  cData data;
  ASSERT_TRUE(data.Load());
  std::set<GLuint> ids;
  for (int i = TEX_TILESET; i <= TEX_HEART; ++i) {
    int w = 0, h = 0;
    data.GetSize(i, &w, &h);
    EXPECT_EQ(w, i + 1) << kFiles[i];
    EXPECT_EQ(h, 2 * i + 1) << kFiles[i];
    EXPECT_NE(data.GetID(i), 0u);
    ids.insert(data.GetID(i));
  }
  EXPECT_EQ(ids.size(), 12u);

  ASSERT_TRUE(data.Load());
  for (int i = TEX_TILESET; i <= TEX_HEART; ++i) {
    EXPECT_EQ(ids.count(data.GetID(i)), 0u) << kFiles[i];
  }
  for (GLuint old : ids) EXPECT_TRUE(glIsTexture(old));

  // The registry's sampling: repeat and nearest.
  glBindTexture(GL_TEXTURE_2D, data.GetID(TEX_HEART));
  GLint v = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &v);
  EXPECT_EQ(v, GL_REPEAT);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
  EXPECT_EQ(v, GL_NEAREST);
}

TEST(cDataTest, StopsAtTheFirstMissingFile) {
  ASSERT_TRUE(TestGL::Ready());
  TempDir dir;
  WriteTextures(dir, TEX_OVERLAY1);
  dir.Enter();
  cData data;
  ForgetSaidLines();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(data.Load());
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "Kelvara: cannot load the texture Textures/overlay1.png (No such file or directory); "
            "the textures after it were not loaded: Textures/overlay2.png, Textures/monster1.png, "
            "Textures/monster2.png, Textures/fireball.png, Textures/arrow.png, "
            "Textures/heart.png\n");
  for (int i = TEX_TILESET; i <= TEX_HEART; ++i) {
    int w = -1, h = -1;
    data.GetSize(i, &w, &h);
    if (i < TEX_OVERLAY1) {
      EXPECT_NE(data.GetID(i), 0u) << kFiles[i];
      EXPECT_EQ(w, i + 1);
    } else {
      EXPECT_EQ(data.GetID(i), 0u) << kFiles[i];
      EXPECT_EQ(w, 0);
      EXPECT_EQ(h, 0);
    }
  }
}

TEST(cDataTest, EmptyAndOutOfRangeSlotsAreZero) {
  cData data;
  int w = -1, h = -1;
  data.GetSize(TEX_ARROW, &w, &h);
  EXPECT_EQ(data.GetID(TEX_ARROW), 0u);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  for (int bad : {-1, 12, 1000}) {
    w = h = -1;
    data.GetSize(bad, &w, &h);
    EXPECT_EQ(data.GetID(bad), 0u);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_FALSE(data.LoadImage(bad, "Textures/tileset.png", GL_RGBA));
  }
}
