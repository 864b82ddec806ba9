// The real programs under a private X server, driven by xdotool.
#include <gtest/gtest.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
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
    ASSERT_TRUE(FindWindow(display.Name(), "Dunmoth", 10000, &window)) << program.Stderr();
    RunCapture(display.Name(), "xdotool windowfocus --sync " + std::to_string(window.id));
    Sleep(300);
  }
  void Xdo(const std::string& args) { RunCapture(display.Name(), "xdotool " + args); }
  void Hold(const std::string& key, int ms) {
    Xdo("keydown " + key);
    Sleep(ms);
    Xdo("keyup " + key);
  }
  std::vector<unsigned char> Grab() {
    return GrabWindow(display.Name(), window.id, window.w, window.h);
  }
  // The energy bar starting at x0 (player 1's by default) as the window shows it now.
  int Bar(int x0 = 2 * TILE_SIZE) { return EnergyBarLength(Grab(), window.w, window.h, x0); }
  // Launches and waits for the end of the level's fade-in.
  void LaunchForPlay() {
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WaitFor([&] { return Bar() == FULL_BAR; }, 10000)) << "no full energy bar";
  }
  // Quits with Escape and returns the exit status (-1 if it did not end within `ms`).
  int Quit(int ms = 1000) {
    Xdo("keydown Escape");
    int status = program.Wait(ms);
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
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Quit(1000), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(ProgramTest, HeldKeysMoveThePlayers) {
  LaunchForPlay();
  auto before = Grab();
  ASSERT_FALSE(before.empty());
  Hold("i", 700);
  Hold("Up", 700);
  Sleep(200);
  auto after = Grab();
  EXPECT_GT(CountDiffering(before, after), static_cast<size_t>(TILE_SIZE * TILE_SIZE / 2));
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
    Xdo("keydown z keydown KP_Multiply");
    Sleep(200);
    Xdo("keyup z keyup KP_Multiply");
    Sleep(300);
    ASSERT_TRUE(WaitFor([&] { return Bar() == FULL_BAR; }, 3000)) << "no regeneration";
    RunCapture(display.Name(), std::string(k.setup) + "; true");
    LockGroup(display.Name(), k.group);
    const int p2_before = Bar(P2_BAR_X);
    // Held for more than 30 frames, past the charge threshold. Neither the X server's key
    // repeat nor the check for lost releases may turn the hold into normal attacks, each of
    // which would cost 10 energy.
    Xdo("keydown z keydown KP_Multiply");
    int p1_least = FULL_BAR, p2_least = p2_before;
    WaitFor(
        [&] {
          const std::vector<unsigned char> rgb = Grab();
          p1_least = std::min(p1_least, EnergyBarLength(rgb, window.w, window.h));
          p2_least = std::min(p2_least, EnergyBarLength(rgb, window.w, window.h, P2_BAR_X));
          return false;
        },
        2500);
    EXPECT_EQ(p1_least, FULL_BAR) << "player 1 attacked while z was held";
    EXPECT_EQ(p2_least, p2_before) << "player 2 threw while the asterisk was held";
    auto charging = Grab();
    Xdo("keyup z keyup KP_Multiply");
    // The charged attack costs 60 of 150, and no energy comes back while it lasts (14 frames);
    // the charged spiral's fireballs cost 5 each, many more than one fireball's 10.
    int after = FULL_BAR;
    EXPECT_TRUE(WaitFor([&] { return (after = Bar()) != FULL_BAR; }, 2000)) << "no attack";
    EXPECT_NEAR(after, FULL_BAR * 90 / 150, 2);
    EXPECT_GT(CountDiffering(charging, Grab()), 0u);
    EXPECT_TRUE(WaitFor([&] { return Bar(P2_BAR_X) < p2_before - FULL_BAR * 20 / 150; }, 2000));
    EXPECT_EQ(Quit(), 0);
    RunCapture(display.Name(), "setxkbmap us");
  }
}

TEST_F(ProgramTest, RunsWithoutAnAudioDevice) {
  Launch({"SDL_AUDIODRIVER=nonexistent"});
  Sleep(500);
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(Quit(), 0);
}

TEST_F(ProgramTest, InterruptAndTerminateEndTheGame) {
  for (int sig : {SIGINT, SIGTERM}) {
    Launch();
    program.Signal(sig);
    const int status = program.Wait(1000);
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
  EXPECT_TRUE(WaitFor([&] { return bar() < FULL_BAR; }, 2000)) << "no fireball";
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
  EXPECT_TRUE(WaitFor([&] { return Bar() < FULL_BAR; }, 2000)) << "no attack";
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
  EXPECT_EQ(program.Wait(10000), 1);
  std::string err = program.Stderr();
  EXPECT_NE(err.find("Levels/static_layer01.txt"), std::string::npos) << err;
  EXPECT_NE(err.find(empty.Path()), std::string::npos) << err;
}

TEST(ProgramStart, WithoutADisplayFreeglutsErrorIsSaidInTheGamesVoice) {
  ProgramRunner program;
  ASSERT_TRUE(
      program.Start(KELVARA_PROGRAM, KELVARA_DATA_DIR, {"DISPLAY=:4242", "SDL_AUDIODRIVER=dummy"}));
  EXPECT_EQ(program.Wait(10000), 1);
  EXPECT_NE(program.Stderr().find("Kelvara: failed to open display ':4242'\n"), std::string::npos)
      << program.Stderr();
}

}  // namespace
