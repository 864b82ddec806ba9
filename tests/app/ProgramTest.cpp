// The real programs under a private X server, driven by xdotool.
#include <gtest/gtest.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <thread>

#include "common/Globals.h"
#include "app/ProgramRunner.h"
#include "support/TestGL.h"

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls `ok` every 20 ms for up to `ms`.
template <typename F>
bool WaitFor(F ok, int ms) {
  for (int waited = 0; waited < ms; waited += 20) {
    if (ok()) return true;
    Sleep(20);
  }
  return ok();
}

size_t CountDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  size_t n = 0;
  for (size_t i = 0; i + 2 < a.size() && i + 2 < b.size(); i += 3)
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++n;
  return n;
}

// Where player 2's energy bar starts: its HUD panel is at the window's bottom-right.
const int P2_BAR_X = 12 * TILE_SIZE + TILE_SIZE / 2;

// Length in pixels of an energy bar starting at x0: player 1's by default, read from its HUD
// panel at the window's bottom-left.
int EnergyBarLength(const std::vector<unsigned char>& rgb, int w, int h, int x0 = 2 * TILE_SIZE) {
  const int row = h - 1 - TILE_SIZE / 4;  // halfway up the bar
  int len = 0;
  if (rgb.size() < static_cast<size_t>(w) * h * 3) return len;  // the grab failed
  for (int x = x0; x < x0 + 7 * TILE_SIZE / 2 && x < w; ++x) {
    const unsigned char* p = &rgb[(static_cast<size_t>(row) * w + x) * 3];
    if (p[2] > 200 && p[0] < 90 && p[1] > 100 && p[1] < 160) ++len;
  }
  return len;
}

// The colour (0xRRGGBB) of the pixel whose red is at byte i.
unsigned ColourAt(const std::vector<unsigned char>& rgb, size_t i) {
  return static_cast<unsigned>(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
}

// Pixels of one colour, such as the rim of a charged player's sheet: cream for player 1, light
// blue for player 2.
const unsigned P1_RIM = 0xfff4b0, P2_RIM = 0xa8dcf5;
size_t CountColour(const std::vector<unsigned char>& rgb, unsigned colour) {
  size_t n = 0;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    if (ColourAt(rgb, i) == colour) ++n;
  return n;
}

// The highest row of the window (0 at its top) that shows a colour; the window's height if none.
int TopRow(const std::vector<unsigned char>& rgb, int w, unsigned colour) {
  for (size_t i = 0; w > 0 && i + 2 < rgb.size(); i += 3)
    if (ColourAt(rgb, i) == colour) return static_cast<int>(i / 3 / w);
  return static_cast<int>(rgb.size() / 3 / std::max(w, 1));
}

// Locks the keyboard's layout group (0 the first).
void LockGroup(const std::string& name, int group) {
  Display* d = XOpenDisplay(name.c_str());
  if (!d) return;
  XkbLockGroup(d, XkbUseCoreKbd, static_cast<unsigned int>(group));
  XSync(d, False);
  XCloseDisplay(d);
}

// A full energy bar, once the level's fade-in is over and it shows its true colour.
const int FULL_BAR = 7 * TILE_SIZE / 2;

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(display.Ok()) << "Xvfb did not start"; }
  // Starts the program in the data folder and waits for its window.
  void Launch(std::vector<std::string> env = {}) {
    env.push_back("DISPLAY=" + display.Name());
    if (!std::getenv("SDL_AUDIODRIVER")) env.push_back("SDL_AUDIODRIVER=dummy");
    ASSERT_TRUE(program.Start(KELVARA_PROGRAM, KELVARA_DATA_DIR, env));
    ASSERT_TRUE(FindWindow(display.Name(), "Dunmoth", PROGRAM_DEADLINE_MS, &window))
        << program.Stderr();
    RunCapture(display.Name(), "xdotool windowfocus --sync " + std::to_string(window.id));
  }
  void Xdo(const std::string& args) { RunCapture(display.Name(), "xdotool " + args); }
  std::vector<unsigned char> Grab() {
    return GrabWindow(display.Name(), window.id, window.w, window.h);
  }
  // The energy bar starting at x0 (player 1's by default) as the window shows it now.
  int Bar(int x0 = 2 * TILE_SIZE) { return EnergyBarLength(Grab(), window.w, window.h, x0); }
  // Launches and waits for the end of the level's fade-in.
  void LaunchForPlay() {
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WaitFor([&] { return Bar() == FULL_BAR; }, PROGRAM_DEADLINE_MS))
        << "no full energy bar";
  }
  // Quits with Escape and returns the exit status (-1 if it did not end in time).
  int Quit() {
    Xdo("keydown Escape");
    int status = program.Wait(PROGRAM_DEADLINE_MS);
    Xdo("keyup Escape");
    return status;
  }

  PrivateDisplay display;
  ProgramRunner program;
  WindowInfo window;
};

TEST_F(ProgramTest, OpensCentredWindowAndQuitsOnEscape) {
  Launch();
  EXPECT_EQ(window.w, 18 * TILE_SIZE);
  EXPECT_EQ(window.h, 27 * TILE_SIZE);
  EXPECT_EQ(window.x, 960 - 9 * TILE_SIZE);
  EXPECT_EQ(window.y, 540 - 27 * TILE_SIZE / 2);
  EXPECT_EQ(Quit(), 0);
}

TEST_F(ProgramTest, HeldKeysMoveThePlayers) {
  LaunchForPlay();
  Xdo("key F1");  // the monsters stand still
  // Each key is held until its player's colour reaches a tile higher in the window: the
  // knight's dark blue, the mage's copper.
  const struct {
    const char* key;
    unsigned colour;
  } MOVES[] = {{"i", 0x1f2b5a}, {"Up", 0xc27a55}};
  for (const auto& move : MOVES) {
    const int before = TopRow(Grab(), window.w, move.colour);
    ASSERT_GT(before, TILE_SIZE) << move.key;
    Xdo(std::string("keydown ") + move.key);
    EXPECT_TRUE(WaitFor([&] { return TopRow(Grab(), window.w, move.colour) <= before - TILE_SIZE; },
                        PROGRAM_DEADLINE_MS))
        << move.key;
    Xdo(std::string("keyup ") + move.key);
  }
  EXPECT_EQ(Quit(), 0);
}

// Keyboards on which held attack keys must charge. Each is set up during play, after both
// attack keys were used under the US layout; xdotool then presses the key that types z now
// (on a German layout the one labelled Y) and the keypad's asterisk.
struct Keyboard {
  const char* what;
  const char* setup;
  int group;  // the layout group locked after the set-up
};
const Keyboard KEYBOARDS[] = {
    {"US", "", 0},
    {"switched to German during play", "setxkbmap de", 0},
    {"US and German, the German group active", "setxkbmap -layout us,de", 1},
};

TEST_F(ProgramTest, HeldAttackKeysGiveChargedAttacksOnEveryLayout) {
  for (const Keyboard& k : KEYBOARDS) {
    SCOPED_TRACE(k.what);
    LaunchForPlay();
    // The monsters stand still: only the keys act on the players.
    Xdo("key F1");
    Xdo("keydown z keydown KP_Multiply");
    Sleep(200);
    Xdo("keyup z keyup KP_Multiply");
    // Both attack in one frame; player 2's energy comes back only while it guards.
    ASSERT_TRUE(WaitFor([&] { return Bar(P2_BAR_X) < FULL_BAR; }, PROGRAM_DEADLINE_MS))
        << "no fireball";
    ASSERT_TRUE(WaitFor([&] { return Bar() == FULL_BAR; }, PROGRAM_DEADLINE_MS))
        << "no regeneration";
    RunCapture(display.Name(), std::string(k.setup) + "; true");
    LockGroup(display.Name(), k.group);
    const std::vector<unsigned char> uncharged = Grab();
    const int p2_before = EnergyBarLength(uncharged, window.w, window.h, P2_BAR_X);
    // Held past the charge threshold of 30 frames, until both players show their charged
    // sheets. Neither the X server's key repeat nor the check for lost releases may turn the
    // hold into normal attacks, each of which would cost 10 energy.
    Xdo("keydown z keydown KP_Multiply");
    int p1_least = FULL_BAR, p2_least = p2_before;
    bool p1_charged = false, p2_charged = false;
    EXPECT_TRUE(WaitFor(
        [&] {
          const std::vector<unsigned char> rgb = Grab();
          p1_least = std::min(p1_least, EnergyBarLength(rgb, window.w, window.h));
          p2_least = std::min(p2_least, EnergyBarLength(rgb, window.w, window.h, P2_BAR_X));
          p1_charged |= CountColour(rgb, P1_RIM) > CountColour(uncharged, P1_RIM) * 3 / 2;
          p2_charged |= CountColour(rgb, P2_RIM) > CountColour(uncharged, P2_RIM) * 3 / 2;
          return p1_charged && p2_charged;
        },
        PROGRAM_DEADLINE_MS))
        << "no charged sheet";
    EXPECT_EQ(p1_least, FULL_BAR) << "player 1 attacked while z was held";
    EXPECT_EQ(p2_least, p2_before) << "player 2 threw while the asterisk was held";
    auto charging = Grab();
    Xdo("keyup z keyup KP_Multiply");
    // The charged attack costs 60 of 150, and no energy comes back while it lasts (14 frames);
    // the charged spiral's fireballs cost 5 each, many more than one fireball's 10.
    int after = FULL_BAR;
    EXPECT_TRUE(WaitFor([&] { return (after = Bar()) != FULL_BAR; }, PROGRAM_DEADLINE_MS))
        << "no attack";
    EXPECT_NEAR(after, FULL_BAR * 90 / 150, 2);
    EXPECT_GT(CountDiffering(charging, Grab()), 0u);
    EXPECT_TRUE(WaitFor([&] { return Bar(P2_BAR_X) < p2_before - FULL_BAR * 20 / 150; },
                        PROGRAM_DEADLINE_MS));
    EXPECT_EQ(Quit(), 0);
    RunCapture(display.Name(), "setxkbmap us");
  }
}

TEST_F(ProgramTest, F10HeldPastTheKeyRepeatSwitchesTheEffectOnce) {
  LaunchForPlay();
  Xdo("key F1");  // the monsters stand still
  const std::vector<unsigned char> plain = Grab();
  // The effect tints nearly every pixel and keeps the picture's brightness; switched off
  // again, its running timer would show as the fade, darkening the picture.
  auto brightness = [](const std::vector<unsigned char>& rgb) {
    return std::accumulate(rgb.begin(), rgb.end(), 0.0) / std::max<size_t>(rgb.size(), 1);
  };
  auto shown = [&] {
    const std::vector<unsigned char> rgb = Grab();
    return CountDiffering(plain, rgb) > plain.size() / 3 / 2 &&
           brightness(rgb) > brightness(plain) / 2;
  };
  Xdo("keydown F10");
  EXPECT_TRUE(WaitFor(shown, PROGRAM_DEADLINE_MS)) << "no effect";
  // The X server repeats a key held for more than 660 ms; no repeat may switch it off again.
  Sleep(1000);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(shown()) << i;
  Xdo("keyup F10");
  EXPECT_EQ(Quit(), 0);
}

TEST_F(ProgramTest, RunsWithoutAnAudioDevice) {
  Launch({"SDL_AUDIODRIVER=nonexistent"});
  EXPECT_TRUE(WaitFor([&] { return Bar() == FULL_BAR; }, PROGRAM_DEADLINE_MS)) << "no play";
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(Quit(), 0);
}

TEST_F(ProgramTest, InterruptAndTerminateEndTheGame) {
  for (int sig : {SIGINT, SIGTERM}) {
    Launch();
    program.Signal(sig);
    const int status = program.Wait(PROGRAM_DEADLINE_MS);
    EXPECT_TRUE(status == 0 || program.EndingSignal() == sig) << "signal " << sig;
    EXPECT_FALSE(program.Running()) << "signal " << sig;
  }
}

TEST_F(ProgramTest, AnAsteriskTypedAsShift8ThrowsWhenShiftIsLetGoFirst) {
  LaunchForPlay();
  auto bar = [&] { return Bar(P2_BAR_X); };
  ASSERT_EQ(bar(), FULL_BAR);
  // The release arrives as "8", not as the "*" that was pressed; while the key is held, the
  // "*" stays down.
  Xdo("keydown Shift_L keydown 8");
  Sleep(800);
  EXPECT_EQ(bar(), FULL_BAR) << "thrown while held";
  Xdo("keyup Shift_L");
  Sleep(100);
  Xdo("keyup 8");
  EXPECT_TRUE(WaitFor([&] { return bar() < FULL_BAR; }, PROGRAM_DEADLINE_MS)) << "no fireball";
  EXPECT_EQ(Quit(), 0);
}

TEST_F(ProgramTest, AKeyLetGoWhileAnotherWindowHasTheFocusIsLetGo) {
  LaunchForPlay();
  Display* other_client = XOpenDisplay(display.Name().c_str());
  ASSERT_NE(other_client, nullptr);
  const Window other =
      XCreateSimpleWindow(other_client, DefaultRootWindow(other_client), 0, 0, 64, 64, 0, 0, 0);
  XMapWindow(other_client, other);
  XSync(other_client, False);
  Xdo("keydown z");
  Sleep(300);
  Xdo("windowfocus --sync " + std::to_string(other));
  Xdo("keyup z");
  // Player 1 attacks as on any release of z: its energy bar drops by the cost.
  EXPECT_TRUE(WaitFor([&] { return Bar() < FULL_BAR; }, PROGRAM_DEADLINE_MS)) << "no attack";
  XCloseDisplay(other_client);
  Xdo("windowfocus --sync " + std::to_string(window.id));
  EXPECT_EQ(Quit(), 0);
}

TEST(ProgramStart, WithoutTheDataFolderPrintsAClearErrorAndExits1) {
  PrivateDisplay display;
  ASSERT_TRUE(display.Ok());
  TempDir empty;
  ProgramRunner program;
  ASSERT_TRUE(program.Start(KELVARA_PROGRAM, empty.Path(),
                            {"DISPLAY=" + display.Name(), "SDL_AUDIODRIVER=dummy"}));
  EXPECT_EQ(program.Wait(PROGRAM_DEADLINE_MS), 1);
  std::string err = program.Stderr();
  EXPECT_NE(err.find("Levels/static_layer01.txt"), std::string::npos) << err;
  EXPECT_NE(err.find(empty.Path()), std::string::npos) << err;
}

TEST(ProgramStart, WithoutADisplayFreeglutsErrorIsSaidInTheGamesVoice) {
  ProgramRunner program;
  ASSERT_TRUE(
      program.Start(KELVARA_PROGRAM, KELVARA_DATA_DIR, {"DISPLAY=:4242", "SDL_AUDIODRIVER=dummy"}));
  EXPECT_EQ(program.Wait(PROGRAM_DEADLINE_MS), 1);
  EXPECT_NE(program.Stderr().find("Kelvara: failed to open display ':4242'\n"), std::string::npos)
      << program.Stderr();
}

// The display lost during play: one line in the game's voice and status 1, no word of Xlib's.
TEST(ProgramEnd, ALostDisplayIsSaidOnceInTheGamesVoice) {
  const struct {
    const char* how;  // xdotool's command on the window; none: the X server ends
    const char* says;
  } LOSSES[] = {
      {"", "Kelvara: the connection to the display was lost\n"},
      {"windowkill", "Kelvara: the connection to the display was lost\n"},
      {"windowclose", "Kelvara: the display refused X_"},
  };
  for (const auto& loss : LOSSES) {
    SCOPED_TRACE(*loss.how ? loss.how : "the X server ends");
    auto display = std::make_unique<PrivateDisplay>();
    ASSERT_TRUE(display->Ok());
    ProgramRunner program;
    ASSERT_TRUE(program.Start(KELVARA_PROGRAM, KELVARA_DATA_DIR,
                              {"DISPLAY=" + display->Name(), "SDL_AUDIODRIVER=dummy"}));
    WindowInfo window;
    ASSERT_TRUE(FindWindow(display->Name(), "Dunmoth", PROGRAM_DEADLINE_MS, &window));
    if (*loss.how)
      RunCapture(display->Name(),
                 std::string("xdotool ") + loss.how + " " + std::to_string(window.id));
    else
      display.reset();
    EXPECT_EQ(program.Wait(PROGRAM_DEADLINE_MS), 1);
    const std::string err = program.Stderr();
    EXPECT_EQ(err.rfind(loss.says, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
}

}  // namespace
