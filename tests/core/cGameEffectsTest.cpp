// The screen effects and blending of the render pass: which program and uniform values each
// frame sets, what is blended, the order of the projectiles and the state left behind.
#include "core/GameFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "actors/cArrow.h"
#include "actors/cFireball.h"
#include "actors/cHeart.h"
#include "actors/cMonster1.h"
#include "corona/TestPng.h"
#include "gfx/cShader.h"

using GameTest::Cell;
using GameTest::TextureColour;

namespace {

const int T = TILE_SIZE;

// Indexed by ShaderSlot.
const char* const kShaderFiles[SHADER_COUNT] = {
    "simple.vert", "simple.geom", "simple.frag",        "red.frag",
    "ctr.frag",    "fade.frag",   "greyscalefade.frag", "epileptic.frag"};

// The file under Shaders/ whose text GL holds for shader object sh.
std::string ShaderFile(GLuint sh) {
  std::vector<char> src(16384);
  GLsizei n = 0;
  glGetShaderSource(sh, static_cast<GLsizei>(src.size()), &n, src.data());
  const std::string text(src.data(), static_cast<size_t>(n));
  for (const char* f : kShaderFiles)
    if (ReadTextFile((std::string("Shaders/") + f).c_str()) == text) return f;
  return "?";
}

// The uniform of the program in use at location loc.
std::string UniformName(GLint loc) {
  GLint prog = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  if (prog == 0) return "(no program)";
  for (const char* name : {"time", "tex", "flatcolor"})
    if (glGetUniformLocation(static_cast<GLuint>(prog), name) == loc) return name;
  return "?";
}

// While alive, every program call cShader makes through GLEW's function pointers is written
// to `calls` as text ("attach fade.frag", "link", "use", "time=0.5000", "use 0", ...).
class ProgramCallLog {
public:
  ProgramCallLog() {
    calls.clear();
    real = Hooks{glActiveTexture, glAttachShader, glDetachShader, glLinkProgram,
                 glUseProgram,    glUniform1f,    glUniform1i};
    __glewActiveTexture = ActiveTexture;
    __glewAttachShader = AttachShader;
    __glewDetachShader = DetachShader;
    __glewLinkProgram = LinkProgram;
    __glewUseProgram = UseProgram;
    __glewUniform1f = Uniform1f;
    __glewUniform1i = Uniform1i;
  }
  ~ProgramCallLog() {
    __glewActiveTexture = real.active_texture;
    __glewAttachShader = real.attach;
    __glewDetachShader = real.detach;
    __glewLinkProgram = real.link;
    __glewUseProgram = real.use;
    __glewUniform1f = real.uniform1f;
    __glewUniform1i = real.uniform1i;
  }

  static std::vector<std::string> calls;

private:
  struct Hooks {
    PFNGLACTIVETEXTUREPROC active_texture;
    PFNGLATTACHSHADERPROC attach;
    PFNGLDETACHSHADERPROC detach;
    PFNGLLINKPROGRAMPROC link;
    PFNGLUSEPROGRAMPROC use;
    PFNGLUNIFORM1FPROC uniform1f;
    PFNGLUNIFORM1IPROC uniform1i;
  };
  static Hooks real;

  static void GLAPIENTRY ActiveTexture(GLenum unit) {
    calls.push_back("unit " + std::to_string(static_cast<int>(unit - GL_TEXTURE0)));
    real.active_texture(unit);
  }
  static void GLAPIENTRY AttachShader(GLuint prog, GLuint sh) {
    calls.push_back("attach " + ShaderFile(sh));
    real.attach(prog, sh);
  }
  static void GLAPIENTRY DetachShader(GLuint prog, GLuint sh) {
    calls.push_back("detach " + ShaderFile(sh));
    real.detach(prog, sh);
  }
  static void GLAPIENTRY LinkProgram(GLuint prog) {
    calls.push_back("link");
    real.link(prog);
  }
  static void GLAPIENTRY UseProgram(GLuint prog) {
    calls.push_back(prog ? "use" : "use 0");
    real.use(prog);
  }
  static void GLAPIENTRY Uniform1f(GLint loc, GLfloat v) {
    char text[32];
    std::snprintf(text, sizeof text, "=%.4f", v);
    calls.push_back(UniformName(loc) + text);
    real.uniform1f(loc, v);
  }
  static void GLAPIENTRY Uniform1i(GLint loc, GLint v) {
    calls.push_back(UniformName(loc) + "=" + std::to_string(v));
    real.uniform1i(loc, v);
  }
};

std::vector<std::string> ProgramCallLog::calls;
ProgramCallLog::Hooks ProgramCallLog::real;

void NoSwap() {}

// A solid 64x64 sheet of colour c with the given alpha.
void WriteSheet(const TempDir& dir, const char* name, GameTest::Rgb c, unsigned char alpha) {
  std::vector<unsigned char> pix(64 * 64 * 4);
  for (size_t i = 0; i < pix.size(); i += 4) {
    pix[i] = c.r;
    pix[i + 1] = c.g;
    pix[i + 2] = c.b;
    pix[i + 3] = alpha;
  }
  dir.Write(std::string("Textures/") + name + ".png", TestPng::Rgba(64, 64, pix));
}

testing::AssertionResult Near(TestGL::Pixel p, double r, double g, double b) {
  if (std::abs(p.r - r) <= 3 && std::abs(p.g - g) <= 3 && std::abs(p.b - b) <= 3)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "pixel " << int(p.r) << "," << int(p.g) << "," << int(p.b) << ", expected about "
         << std::lround(r) << "," << std::lround(g) << "," << std::lround(b);
}

// A half-transparent sheet over the black background, blended: its colour at half strength.
const double kHalf = 128.0 / 255.0;

// A game with the shipped shader programs, the sheets of player 1, the melee monster, the heart
// and the projectiles half transparent, no buffer swap and no fade running.
class GameEffects : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    for (const char* f : kShaderFiles) {
      const std::string src =
          ReadTextFile((std::string(KELVARA_SOURCE_DIR) + "/data/Shaders/" + f).c_str());
      ASSERT_FALSE(src.empty()) << f;
      dir.Write(std::string("Shaders/") + f, src);
    }
    GameTest::WriteTextures(dir);
    WriteSheet(dir, "player1", TextureColour(TEX_PLAYER1), 128);
    WriteSheet(dir, "monster1", TextureColour(TEX_MONSTER1), 128);
    WriteSheet(dir, "heart", TextureColour(TEX_HEART), 128);
    WriteSheet(dir, "fireball", TextureColour(TEX_FIREBALL), 128);
    WriteSheet(dir, "arrow", TextureColour(TEX_ARROW), 128);
    Start({{Cell(4, 10), ENTITY_PLAYER1}, {Cell(12, 10), ENTITY_PLAYER2}});
    game->swap_buffers = NoSwap;
    game->fade = 0.0f;
    glDisable(GL_BLEND);  // as in a fresh context, whatever earlier tests left
  }
  std::vector<std::string> LoggedRender() {
    ProgramCallLog log;
    game->Render();
    return ProgramCallLog::calls;
  }
  // Window pixel at the middle of player 1.
  TestGL::Pixel AtPlayer1() {
    const cBicho& p = game->player1;
    return TestGL::ReadPixel(p.GetX() + p.GetWidth() / 2 - T, p.GetY() + p.GetHeight() / 2 - T);
  }
  // A projectile flying up from (x, y); the game owns it.
  template <typename P>
  void Launch(int x, int y) {
    P* p = new P();
    p->SetPosition(x, y);
    p->SetState(PROJ_FLY_UP);
    game->projectiles.push_back(p);
  }
};

GLint CurrentProgram() {
  GLint prog = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &prog);
  return prog;
}

TEST_F(GameEffects, EachEffectSetsItsProgramAndUniforms) {
  using Calls = std::vector<std::string>;
  {
    SCOPED_TRACE("no effect");
    EXPECT_EQ(LoggedRender(), Calls{});
  }
  {
    SCOPED_TRACE("fade-in");
    game->fade = 0.5f;
    EXPECT_EQ(LoggedRender(),
              (Calls{"unit 0", "attach fade.frag", "link", "use", "time=0.5000", "tex=0",
                     "flatcolor=0", "flatcolor=1", "flatcolor=0", "detach fade.frag", "use 0"}));
    EXPECT_FLOAT_EQ(game->fade, 0.49f);
    EXPECT_EQ(CurrentProgram(), 0);
  }
  {
    SCOPED_TRACE("level cleared");  // the same shader as the frame before: no new link
    game->state = GAME_LEVEL_CLEARED;
    game->fade = 0.25f;
    EXPECT_EQ(LoggedRender(),
              (Calls{"unit 0", "attach fade.frag", "use", "time=0.2500", "tex=0", "flatcolor=0",
                     "flatcolor=1", "flatcolor=0", "detach fade.frag", "use 0"}));
    EXPECT_EQ(CurrentProgram(), 0);
  }
  {
    SCOPED_TRACE("game over");
    game->state = GAME_OVER;
    game->fade = 1.5f;
    EXPECT_EQ(LoggedRender(), (Calls{"unit 0", "attach greyscalefade.frag", "link", "use",
                                     "time=1.5000", "tex=0", "flatcolor=0", "flatcolor=1",
                                     "flatcolor=0", "detach greyscalefade.frag", "use 0"}));
    EXPECT_EQ(CurrentProgram(), 0);
  }
  {
    SCOPED_TRACE("flashing");
    game->state = GAME_PLAYING;
    game->epileptic = true;
    game->fade = 3.5f;  // 4.3 this frame: sin is -0.9162
    EXPECT_EQ(LoggedRender(), (Calls{"unit 0", "attach epileptic.frag", "link", "use",
                                     "time=0.9162", "tex=0", "flatcolor=0", "flatcolor=1",
                                     "flatcolor=0", "detach epileptic.frag", "use 0"}));
    EXPECT_EQ(CurrentProgram(), 0);
  }
  {
    SCOPED_TRACE("flashing, timer wrapped");
    game->fade = 179.5f;  // wraps to 0: the bars keep their flat colours all the same
    EXPECT_EQ(LoggedRender(), (Calls{"unit 0", "attach epileptic.frag", "use", "time=0.0000",
                                     "tex=0", "flatcolor=0", "flatcolor=1", "flatcolor=0",
                                     "detach epileptic.frag", "use 0"}));
    EXPECT_EQ(CurrentProgram(), 0);
  }
}

TEST_F(GameEffects, UnderAnEffectOnlyTheBarsAreFlat) {
  // Frame 0 links the fade, frame 1 uses it as linked, frame 2 links it again after a game-over
  // frame has linked the greyscale fade: each draws the same.
  for (int frame = 0; frame < 3; ++frame) {
    SCOPED_TRACE(frame);
    if (frame == 2) {
      game->state = GAME_OVER;
      game->Render();
      EXPECT_GT(AtPlayer1().r, 40) << "the greyscale fade shows";
      game->state = GAME_PLAYING;
    }
    game->fade = 0.5f;
    game->Render();
    // Sprites sample their sheets, darkened by half.
    EXPECT_TRUE(Near(AtPlayer1(), 0, 200 * 0.5, 0));
    // Player 1's bars keep their own colours, darkened by half: full life green, energy blue.
    EXPECT_TRUE(Near(TestGL::ReadPixel(2 * T + 2, 3 * T / 4), 0, 127.5, 0));
    EXPECT_TRUE(Near(TestGL::ReadPixel(2 * T + 2, T / 4), 25.5, 63.75, 127.5));
    // The panels sample their (transparent) sheets again: nothing shows beside the bars.
    EXPECT_TRUE(Near(TestGL::ReadPixel(T / 2, 2 * T), 0, 0, 0));
    EXPECT_TRUE(Near(TestGL::ReadPixel(17 * T + T / 2, 2 * T), 0, 0, 0));
  }
}

TEST_F(GameEffects, OnlyProjectilesAreBlended) {
  Launch<cArrow>(8 * T, 22 * T);
  cMonster1* monster = new cMonster1();
  monster->SetTile(4, 18);
  game->enemies.push_back(monster);
  cHeart* heart = new cHeart();
  heart->SetTile(8, 14);
  game->tokens.push_back(heart);
  // Two frames, so that the second starts from the state the first left.
  for (int frame = 0; frame < 2; ++frame) {
    SCOPED_TRACE(frame);
    game->Render();
    const GameTest::Rgb player = TextureColour(TEX_PLAYER1);
    const GameTest::Rgb arrow = TextureColour(TEX_ARROW);
    // The half-transparent sheets of player 1, the monster and the heart cover what lies
    // behind them.
    EXPECT_TRUE(Near(AtPlayer1(), player.r, player.g, player.b));
    const GameTest::Rgb m = TextureColour(TEX_MONSTER1), h = TextureColour(TEX_HEART);
    EXPECT_TRUE(Near(TestGL::ReadPixel(4 * T + T / 2 - T, 18 * T + 3 * T / 4 - T), m.r, m.g, m.b));
    EXPECT_TRUE(Near(TestGL::ReadPixel(8 * T + T / 2 - T, 14 * T + T / 2 - T), h.r, h.g, h.b));
    // The arrow's is mixed with the black background by its alpha.
    EXPECT_TRUE(Near(TestGL::ReadPixel(8 * T + T / 8 - T, 22 * T + T / 8 - T), arrow.r * kHalf,
                     arrow.g * kHalf, arrow.b * kHalf));
  }
}

TEST_F(GameEffects, ProjectilesAreDrawnFromTheLastToTheFirst) {
  // Two projectiles at one place and depth: the one drawn first keeps the pixels.
  const int x = 8 * T, y = 22 * T;
  const int px = x + T / 8 - T, py = y + T / 8 - T;  // inside both sprites
  const GameTest::Rgb arrow = TextureColour(TEX_ARROW);
  const GameTest::Rgb fireball = TextureColour(TEX_FIREBALL);
  Launch<cFireball>(x, y);
  Launch<cArrow>(x, y);
  game->Render();
  EXPECT_TRUE(Near(TestGL::ReadPixel(px, py), arrow.r * kHalf, arrow.g * kHalf, arrow.b * kHalf));

  // The other way round.
  game->projectiles.reverse();
  game->Render();
  EXPECT_TRUE(
      Near(TestGL::ReadPixel(px, py), fireball.r * kHalf, fireball.g * kHalf, fireball.b * kHalf));
}

// The back buffer pixel by pixel: relative luminance, and whether the pixel is saturated red
// as the photosensitivity guidelines count it (a red flash needs one); and the summed linear
// colour of the window and of each of its sixths (two columns, three rows).
struct Picture {
  std::vector<double> luminance;
  std::vector<bool> red;
  std::vector<unsigned char> rgb;
  double total[7][3] = {};
  // CIE 1976 u'v' chromaticity of the part's mean colour.
  std::pair<double, double> Uv(int part) const {
    const double *c = total[part], x = 0.4124 * c[0] + 0.3576 * c[1] + 0.1805 * c[2],
                 y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2],
                 d = x + 15 * y + 3 * (0.0193 * c[0] + 0.1192 * c[1] + 0.9505 * c[2]);
    return {4 * x / d, 9 * y / d};
  }
  double RedShare(size_t i) const {
    return rgb[i * 3] / (rgb[i * 3] + rgb[i * 3 + 1] + rgb[i * 3 + 2] + 1e-9);
  }
};
double Distance(std::pair<double, double> a, std::pair<double, double> b) {
  return std::hypot(a.first - b.first, a.second - b.second);
}
Picture ReadPicture() {
  static double linear[256];
  for (int v = 0; v < 256; ++v) {
    const double c = v / 255.0;
    linear[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  }
  Picture f;
  f.rgb.resize(static_cast<size_t>(TestGL::Width()) * TestGL::Height() * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, TestGL::Width(), TestGL::Height(), GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
  for (size_t i = 0; i < f.rgb.size(); i += 3) {
    const double r = linear[f.rgb[i]], g = linear[f.rgb[i + 1]], b = linear[f.rgb[i + 2]];
    f.luminance.push_back(0.2126 * r + 0.7152 * g + 0.0722 * b);
    f.red.push_back(r >= 0.8 * (r + g + b) && (r - g - b) * 320 > 20);
    const int x = static_cast<int>(i / 3) % TestGL::Width(),
              y = static_cast<int>(i / 3) / TestGL::Width();
    for (int part : {0, 1 + 2 * x / TestGL::Width() + 2 * (3 * y / TestGL::Height())})
      for (int k = 0; k < 3; ++k) f.total[part][k] += linear[f.rgb[i + k]];
  }
  return f;
}

TEST_F(GameEffects, TheFlashingEffectTintsButNeitherFlashesNorAddsRed) {
  // Tiles under the whole view, half grey and half the reddish brown of the dirt path, sprites,
  // a charged player's saturated red sheet, a blended fireball and the bars.
  std::vector<unsigned char> sheet;
  for (int i = 0; i < 64 * 64; ++i) {
    const GameTest::Rgb c = i % 16 < 8 ? TextureColour(TEX_TILESET) : GameTest::Rgb{122, 106, 88};
    sheet.insert(sheet.end(), {c.r, c.g, c.b, 255});
  }
  dir.Write("Textures/tileset.png", TestPng::Rgba(64, 64, sheet));
  std::vector<int> tiles;
  for (int cell = 0; cell < 30 * MAP_COLS; ++cell) tiles.push_back(cell);
  Start({{Cell(4, 10), ENTITY_PLAYER1}, {Cell(12, 10), ENTITY_PLAYER2}}, tiles);
  game->swap_buffers = NoSwap;
  game->fade = 0.0f;
  Launch<cFireball>(8 * T, 22 * T);
  game->player1.SetCharge(32);
  game->Render();
  const Picture plain = ReadPicture();
  // A whole turn of the effect's timer, frame after frame: whatever "time" does between two
  // frames, no pixel's luminance may move by a tenth, nor may a pixel turn saturated red or
  // redder than it was (or than grey).
  game->epileptic = true;
  double swing = 0, redder = 0, tint = 1;
  int reds = 0, colour_change = 0;
  // The frames at which the mean colour of the window or of a sixth has moved 0.02 or more in
  // u'v' from its last turning point, taken where its last such move ended.
  std::vector<int> turns[7];
  std::pair<double, double> turned[7];
  for (int frame = 0; frame < 225; ++frame) {
    game->Render();
    const Picture f = ReadPicture();
    for (size_t i = 0; i < f.luminance.size(); ++i) {
      swing = std::max(swing, std::abs(f.luminance[i] - plain.luminance[i]));
      reds += f.red[i] && !plain.red[i];
      redder = std::max(redder, f.RedShare(i) - std::max(plain.RedShare(i), 1.0 / 3));
      for (int k = 0; k < 3; ++k)
        colour_change = std::max(colour_change, std::abs(f.rgb[i * 3 + k] - plain.rgb[i * 3 + k]));
    }
    tint = std::min(tint, Distance(f.Uv(0), plain.Uv(0)));
    for (int part = 0; part < 7; ++part)
      if (frame == 0 || Distance(f.Uv(part), turned[part]) >= 0.02) {
        if (frame > 0) turns[part].push_back(frame);
        turned[part] = f.Uv(part);
      }
  }
  EXPECT_LT(swing, 0.1);
  EXPECT_EQ(reds, 0);
  EXPECT_LT(redder, 0.02);
  EXPECT_GT(colour_change, 60) << "no visible tint";
  EXPECT_GT(tint, 0.02) << "a frame that looks plain";
  // At most three colour flashes (six transitions) in any second (30 frames).
  std::ptrdiff_t most = 0;
  for (const std::vector<int>& t : turns)
    for (auto at = t.begin(); at != t.end(); ++at)
      most = std::max(most, std::lower_bound(at, t.end(), *at + 30) - at);
  EXPECT_LE(most, 6) << "colour transitions in one second";
}

TEST_F(GameEffects, RenderLeavesBlendingOffTheAlphaTestSetAndNoProgram) {
  struct Case {
    const char* name;
    GameState state;
    bool epileptic;
    float fade;
  };
  const Case cases[] = {{"no effect", GAME_PLAYING, false, 0.0f},
                        {"fade", GAME_PLAYING, false, 0.5f},
                        {"game over", GAME_OVER, false, 1.5f},
                        {"flashing", GAME_PLAYING, true, 3.5f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    game->state = c.state;
    game->epileptic = c.epileptic;
    game->fade = c.fade;
    // Something drawn between frames changed the alpha test.
    glAlphaFunc(GL_ALWAYS, 0.5f);
    game->Render();
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending left on";
    GLint func = 0;
    GLfloat ref = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_EQ(func, GL_GREATER);
    EXPECT_NEAR(ref, 0.05f, 1e-6);
    EXPECT_EQ(CurrentProgram(), 0);
  }
}

}  // namespace
