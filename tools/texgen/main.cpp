// texgen: draws the game's twelve textures as pixel art.
//   texgen <output folder>
// The drawing is fixed code with no randomness, so every run writes the same bytes.
#include <cstdio>
#include <functional>
#include <string>

#include "tools/texgen/Sheets.h"

namespace {
bool Make(const std::string& dir, const char* name, int w, int h,
          const std::function<void(Canvas&)>& draw) {
  Canvas canvas(w, h);
  draw(canvas);
  const std::string path = dir + "/" + name;
  if (!canvas.SavePng(path)) {
    std::fprintf(stderr, "texgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: texgen <output folder>\n");
    return 2;
  }
  using namespace SheetSize;
  const std::string dir = argv[1];
  const auto charged = [](void (*draw)(Canvas&), Color rim) {
    return [draw, rim](Canvas& c) {
      draw(c);
      MakeChargedSheet(c, rim);
    };
  };
  bool ok = true;
  ok &= Make(dir, "tileset.png", 256, 256, DrawTileset);
  ok &= Make(dir, "player1.png", kPlayerW, kPlayerH, DrawKnightSheet);
  ok &= Make(dir, "superp1.png", kPlayerW, kPlayerH, charged(DrawKnightSheet, Pal::Cream));
  ok &= Make(dir, "player2.png", kPlayerW, kPlayerH, DrawMageSheet);
  ok &= Make(dir, "superp2.png", kPlayerW, kPlayerH, charged(DrawMageSheet, Pal::Blue3));
  ok &= Make(dir, "overlay1.png", kPanelW, kPanelH, [](Canvas& c) { DrawPanel(c, 1); });
  ok &= Make(dir, "overlay2.png", kPanelW, kPanelH, [](Canvas& c) { DrawPanel(c, 2); });
  ok &= Make(dir, "monster1.png", kMonsterW, kMonsterH, DrawBruteSheet);
  ok &= Make(dir, "monster2.png", kMonsterW, kMonsterH, DrawSkeletonSheet);
  ok &= Make(dir, "fireball.png", kFireballW, kFireballH, DrawFireballSheet);
  ok &= Make(dir, "arrow.png", kArrowW, kArrowH, DrawArrowSheet);
  ok &= Make(dir, "heart.png", kHeartW, kHeartH, DrawHeartSheet);
  return ok ? 0 : 1;
}
