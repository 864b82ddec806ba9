// The real programs on damaged data and on an old OpenGL: a clear line and status 1 where the
// game cannot be played, one line and play on where only an effect is lost; never a signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/ProgramRunner.h"
#include "common/Globals.h"
#include "corona/TestPng.h"
#include "fmod/AudioTestKit.h"
#include "support/TestGL.h"

namespace fs = std::filesystem;

namespace {

// A data folder for one test: Levels, Shaders, Sounds and Textures hold a link to each built
// file, so that a test can replace any one of them.
class DataCopy {
public:
  DataCopy() {
    const fs::path data = KELVARA_DATA_DIR;
    const fs::path root = dir.Path();
    for (const char* copied : {"Levels", "Shaders", "Sounds", "Textures"}) {
      fs::create_directory(root / copied);
      for (const fs::directory_entry& e : fs::directory_iterator(data / copied))
        fs::create_symlink(e.path(), root / copied / e.path().filename());
    }
  }
  const std::string& Path() const { return dir.Path(); }
  void Remove(const std::string& rel) const { fs::remove(fs::path(Path()) / rel); }
  void Replace(const std::string& rel, const std::string& bytes) const {
    Remove(rel);
    dir.Write(rel, bytes);
  }

private:
  TempDir dir;
};

// A dynamic layer with the given codes at (column, row) cells, every other cell 0.
std::string DynamicLayer(std::initializer_list<std::pair<int, int>> cells_and_codes) {
  std::vector<int> grid(MAP_CELLS, 0);
  for (const auto& [cell, code] : cells_and_codes) grid[cell] = code;
  std::string text;
  for (int row = MAP_ROWS - 1; row >= 0; --row)
    for (int col = 0; col < MAP_COLS; ++col)
      text += std::to_string(grid[col + row * MAP_COLS]) + (col + 1 < MAP_COLS ? "," : "\n");
  return text;
}

int Cell(int col, int row) { return col + row * MAP_COLS; }

// Every line of `text` (what the game wrote on standard error).
std::vector<std::string> GameLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

class DamagedData : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(display.Ok()) << "Xvfb did not start"; }

  bool Start(const std::vector<std::string>& extra_env = {}) {
    std::vector<std::string> env = {"DISPLAY=" + display.Name(), "SDL_AUDIODRIVER=dummy"};
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    return program.Start(KELVARA_PROGRAM, data.Path(), env);
  }

  // Starts the program and expects it to end with status 1, having said one line that holds
  // `says` and the data folder.
  void ExpectRefused(const std::string& says) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(program.Wait(PROGRAM_DEADLINE_MS), 1) << "status 1, not a signal or a hang\n"
                                                    << program.Stderr();
    const std::vector<std::string> lines = GameLines(program.Stderr());
    ASSERT_EQ(lines.size(), 1u) << program.Stderr();
    EXPECT_NE(lines[0].find(says), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(data.Path()), std::string::npos) << lines[0];
  }

  // Starts the program, waits for its window and plays a while (`play_ms`, the fade-in by
  // default), then F10's flashing effect; then Escape must end it with status 0. Returns the
  // lines on standard error.
  std::vector<std::string> PlayAndQuit(const std::vector<std::string>& extra_env = {},
                                       int play_ms = 800) {
    EXPECT_TRUE(Start(extra_env));
    WindowInfo window;
    EXPECT_TRUE(FindWindow(display.Name(), "Dunmoth", PROGRAM_DEADLINE_MS, &window))
        << program.Stderr();
    RunCapture(display.Name(), "xdotool windowfocus --sync " + std::to_string(window.id));
    std::this_thread::sleep_for(std::chrono::milliseconds(play_ms));
    RunCapture(display.Name(), "xdotool key F10");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    RunCapture(display.Name(), "xdotool key F10");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    RunCapture(display.Name(), "xdotool keydown Escape");
    EXPECT_EQ(program.Wait(PROGRAM_DEADLINE_MS), 0) << program.Stderr();
    RunCapture(display.Name(), "xdotool keyup Escape");
    return GameLines(program.Stderr());
  }

  // With a bad file in place of the built sound `rel`, the game plays on and Escape ends it;
  // of all it writes to standard error, one line names the file and gives `why`.
  void ExpectSoundRefused(const std::string& rel, const std::string& why) {
    PlayAndQuit();
    const std::string err = program.Stderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("Kelvara: cannot load the sound file " + rel + " (" + why, 0), 0u) << err;
  }

  PrivateDisplay display;
  ProgramRunner program;
  DataCopy data;
};

TEST_F(DamagedData, NoDynamicLayerAtStartUp) {
  data.Remove("Levels/dynamic_layer01.txt");
  ExpectRefused(
      "cannot read the level file Levels/dynamic_layer01.txt (No such file or directory)");
}

TEST_F(DamagedData, ADynamicLayerWithoutAStartForPlayer2) {
  data.Replace("Levels/dynamic_layer01.txt",
               DynamicLayer({{Cell(5, 3), 1}, {Cell(6, 3), 3}}));  // cut before player 2
  ExpectRefused("Levels/dynamic_layer01.txt places no start for player 2");
}

TEST_F(DamagedData, AnEmptyDynamicLayer) {
  data.Replace("Levels/dynamic_layer01.txt", "");
  ExpectRefused("Levels/dynamic_layer01.txt places no start for player 1 or for player 2");
}

TEST_F(DamagedData, LevelFilesThatAreNotRegularFiles) {
  // A named pipe would block a plain open until a writer came.
  data.Remove("Levels/static_layer01.txt");
  ASSERT_EQ(mkfifo((data.Path() + "/Levels/static_layer01.txt").c_str(), 0600), 0);
  ExpectRefused("cannot read the level file Levels/static_layer01.txt (not a regular file)");
}

TEST_F(DamagedData, ADynamicLayerThatIsAFolder) {
  data.Remove("Levels/dynamic_layer01.txt");
  fs::create_directory(data.Path() + "/Levels/dynamic_layer01.txt");
  ExpectRefused("cannot read the level file Levels/dynamic_layer01.txt (not a regular file)");
}

TEST_F(DamagedData, NoDynamicLayerAtTheLevelChange) {
  // Both players start at the top of the view, so the first frame clears level 1; after the
  // six-second sequence level 2 cannot be set up.
  data.Replace("Levels/dynamic_layer01.txt", DynamicLayer({{Cell(5, 27), 1}, {Cell(8, 27), 2}}));
  data.Remove("Levels/dynamic_layer02.txt");
  ExpectRefused(
      "cannot read the level file Levels/dynamic_layer02.txt (No such file or directory)");
}

TEST_F(DamagedData, ATextureThatIsNotAnImageIsNamedOnceAcrossTheLevelChange) {
  data.Replace("Textures/heart.png", "not an image\n");
  // The first frame clears level 1; level 2 loads the textures again.
  data.Replace("Levels/dynamic_layer01.txt", DynamicLayer({{Cell(5, 27), 1}, {Cell(8, 27), 2}}));
  const std::vector<std::string> lines = PlayAndQuit({}, 7500);
  ASSERT_EQ(lines.size(), 1u) << program.Stderr();
  EXPECT_EQ(lines[0], "Kelvara: cannot load the texture Textures/heart.png (not a PNG image)");
}

TEST_F(DamagedData, ASpriteSheetTooSmallForItsCellsIsNamed) {
  data.Replace("Textures/player1.png", TestPng::Rgba(16, 16, std::vector<unsigned char>(1024, 90)));
  const std::vector<std::string> lines = PlayAndQuit();
  ASSERT_EQ(lines.size(), 1u) << program.Stderr();
  EXPECT_NE(lines[0].find("Kelvara: the sprite sheet Textures/player1.png is 16x16"),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[0].find("64x64"), std::string::npos) << lines[0];
}

TEST_F(DamagedData, AMissingShaderFileOnlyTurnsItsEffectOff) {
  data.Remove("Shaders/fade.frag");
  const std::vector<std::string> lines = PlayAndQuit();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Shaders/fade.frag (No such file or directory)"), std::string::npos)
      << lines[0];
}

TEST_F(DamagedData, AMissingShaderFileWithTheStandardStreamsClosed) {
  // The X connection would take descriptor 2, and the game's line would go into it.
  data.Remove("Shaders/fade.frag");
  for (auto streams : {ProgramRunner::STREAMS_NO_STDERR, ProgramRunner::STREAMS_CLOSED}) {
    program.streams = streams;
    PlayAndQuit();
  }
}

TEST_F(DamagedData, AMissingShaderFileWithNobodyReadingStandardError) {
  data.Remove("Shaders/fade.frag");
  program.streams = ProgramRunner::STREAMS_BROKEN_PIPE;
  PlayAndQuit();
  EXPECT_NE(program.EndingSignal(), SIGPIPE);
}

TEST_F(DamagedData, AnEndlessShaderFileIsNotRead) {
  // Before, the game read /dev/zero until memory ran out.
  data.Remove("Shaders/epileptic.frag");
  fs::create_symlink("/dev/zero", data.Path() + "/Shaders/epileptic.frag");
  const std::vector<std::string> lines = PlayAndQuit();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Shaders/epileptic.frag (not a regular file)"), std::string::npos)
      << lines[0];
}

TEST_F(DamagedData, AnIntactCopyPlaysWithoutAWord) {
  // The control: the intact copy plays without a word.
  EXPECT_TRUE(PlayAndQuit().empty());
}

TEST_F(DamagedData, WithoutOpenGL2TheGamePlaysWithoutEffects) {
  // The fade-in needs the shader entry points from the first frame on.
  const std::vector<std::string> lines = PlayAndQuit({"MESA_GL_VERSION_OVERRIDE=1.5"});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("OpenGL 2.0 is not available; the screen effects are off"),
            std::string::npos)
      << lines[0];
}

TEST_F(DamagedData, BelowOpenGL13TheGamePlaysWithoutEffects) {
  // Without texture units the fade-in must not select one.
  const std::vector<std::string> lines = PlayAndQuit({"MESA_GL_VERSION_OVERRIDE=1.1"});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "Kelvara: OpenGL 2.0 is not available; the screen effects are off");
}

TEST_F(DamagedData, AOneHertzSoundFile) {
  // Before, "malloc(): invalid size" and SIGABRT at start-up; at 44.1 kHz it lasts 6087 s.
  data.Replace("Sounds/slash.wav",
               AudioTestKit::WavHeader(1, 1, 1, 8, 6087) + std::string(6087, '\x80'));
  ExpectSoundRefused("Sounds/slash.wav", "longer than 190 s: more than 64 MiB decoded");
}

TEST_F(DamagedData, AnHourAndAHalfOfSoundAt8kHz) {
  // Before, SIGSEGV at start-up. The file is sparse; only its header is read.
  data.Replace("Sounds/hit.wav", AudioTestKit::WavHeader(1, 1, 8000, 8, 44739243));
  fs::resize_file(data.Path() + "/Sounds/hit.wav", 44 + 44739243);
  ExpectSoundRefused("Sounds/hit.wav", "longer than 190 s: more than 64 MiB decoded");
}

TEST_F(DamagedData, AJingleOfEightJoinedMusics) {
  // Before, 320 s behind the first copy's length tag were decoded whole (107 MiB).
  data.Replace("Sounds/gameover.mp3", AudioTestKit::Joined("ambient1.mp3", 8));
  ExpectSoundRefused("Sounds/gameover.mp3", "longer than 190 s: more than 64 MiB decoded");
}

TEST_F(DamagedData, AWavFileHoldingMidi) {
  // Before, it went to the MIDI synthesiser.
  data.Replace("Sounds/token.wav", AudioTestKit::MidiFile());
  ExpectSoundRefused("Sounds/token.wav", "not a WAV file");
}

TEST_F(DamagedData, DamagedAndJoinedMusicsPlayWithoutAWord) {
  // Streams are decoded as they play, whatever their length; damaged frames play as decoded.
  // Before, some 860 lines of the MP3 decoder's own, none naming the file.
  data.Replace("Sounds/ambient1.mp3", AudioTestKit::DamagedMp3());
  data.Replace("Sounds/ambient2.mp3", AudioTestKit::Joined("ambient2.mp3", 8));
  EXPECT_EQ(PlayAndQuit(), std::vector<std::string>{});
}

}  // namespace
