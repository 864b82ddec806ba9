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

// The level starts and the places worth a look, each with the view centred on a row
// (0: the view where the level starts).
struct Place {
  int level;
  int row;
  const char* name;
};
const Place PLACES[] = {
    {1, 0, "start"},         {2, 0, "start"},      {1, 50, "rows37-64"},    {1, 120, "rows107-134"},
    {1, 144, "rows131-158"}, {2, 30, "rows17-44"}, {2, 131, "rows118-145"},
};

TEST(LevelScreenshotTest, EachLevelStartShowsItsArt) {
  ASSERT_TRUE(TestGL::Ready());
  InDataFolder here;
  ASSERT_TRUE(here.ok);
  const std::string folder = std::string(KELVARA_BINARY_DIR) + "/screenshots";
  mkdir(folder.c_str(), 0755);
  for (const Place& place : PLACES) {
    SCOPED_TRACE(place.name);
    auto game = std::make_unique<cGame>();
    game->swap_buffers = [] {};
    ASSERT_TRUE(game->Init(place.level)) << "level " << place.level;
    if (place.row > 0) game->UpdateCamera(place.row * TILE_SIZE, place.row * TILE_SIZE);
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
    EXPECT_GT(colours.size(), 20u) << "level " << place.level;
    const std::string path = folder + "/level" + std::to_string(place.level) + "_" + place.name +
                             "_" + std::to_string(TILE_SIZE) + ".png";
    EXPECT_TRUE(TestGL::SaveScreenshot(path)) << path;
  }
}
