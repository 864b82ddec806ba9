// Starts each level on the generated data, renders its first frame and saves
// it as a picture for people to look at (in the build folder's screenshots/).
#include "support/TestGL.h"  // GLEW's header before any other GL header

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <string>

#include "core/cGame.h"

namespace {
// Runs the game from the data folder, as the programs do, until it goes.
class InDataFolder {
public:
  InDataFolder() {
    char buf[4096];
    if (getcwd(buf, sizeof buf)) old = buf;
    ok = chdir(KELVARA_DATA_DIR) == 0;
  }
  ~InDataFolder() {
    if (!old.empty() && chdir(old.c_str()) != 0) old.clear();
  }
  bool ok = false;

private:
  std::string old;
};
}  // namespace

TEST(LevelScreenshotTest, EachLevelStartShowsItsArt) {
  ASSERT_TRUE(TestGL::Ready());
  InDataFolder here;
  ASSERT_TRUE(here.ok);
  const std::string folder = std::string(KELVARA_BINARY_DIR) + "/screenshots";
  mkdir(folder.c_str(), 0755);
  for (int level = 1; level <= 2; ++level) {
    auto game = std::make_unique<cGame>();
    game->swap_buffers = [] {};
    ASSERT_TRUE(game->Init(level)) << "level " << level;
    game->fade = 0.0f;  // the picture as it stands once the fade-in is over
    game->Render();
    // Many colours: tiles, both players and monsters are drawn, not flat fills.
    std::set<unsigned> colours;
    const int w = TestGL::Width(), h = TestGL::Height();
    for (int y = 0; y < h; y += 3)
      for (int x = 0; x < w; x += 3) {
        const TestGL::Pixel p = TestGL::ReadPixel(x, y);
        colours.insert(unsigned(p.r) << 16 | unsigned(p.g) << 8 | p.b);
      }
    EXPECT_GT(colours.size(), 20u) << "level " << level;
    const std::string path =
        folder + "/level" + std::to_string(level) + "_start_" + std::to_string(TILE_SIZE) + ".png";
    EXPECT_TRUE(TestGL::SaveScreenshot(path)) << path;
  }
}
