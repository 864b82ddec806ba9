// Level set-up, the dynamic-layer reader and the frame loop with its end sequences.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

#include "actors/cFireball.h"
#include "actors/cHeart.h"
#include "actors/cMonster1.h"
#include "actors/cMonster2.h"
#include "core/GameFixture.h"
#include "core/LevelFiles.h"
#include "corona/TestPng.h"
#include "io/Message.h"

using GameTest::Cell;
using GameTest::ScriptedClock;

namespace {

const int T = TILE_SIZE;

TEST(LevelFiles, PathsCarryATwoDigitLevelBelowTen) {
  EXPECT_EQ(LevelFilePath("static_layer", 1), "Levels/static_layer01.txt");
  EXPECT_EQ(LevelFilePath("dynamic_layer", 2), "Levels/dynamic_layer02.txt");
  EXPECT_EQ(LevelFilePath("static_layer", 10), "Levels/static_layer10.txt");
  EXPECT_EQ(LevelFilePath("dynamic_layer", 10), "Levels/dynamic_layer10.txt");
  // The path is formed in 32 characters: a level number too long gives no path, not a cut one.
  EXPECT_EQ(LevelFilePath("dynamic_layer", 1234567), "Levels/dynamic_layer1234567.txt");
  EXPECT_EQ(LevelFilePath("dynamic_layer", 12345678), "");
}

class GameInit : public GameFixture {};

TEST_F(GameInit, SetsUpTheLevelFromItsFiles) {
  Start({{Cell(4, 3), ENTITY_PLAYER1},
         {Cell(9, 3), ENTITY_PLAYER2},
         {Cell(2, 40), ENTITY_MONSTER1},
         {Cell(7, 40), ENTITY_MONSTER2},
         {Cell(5, 20), ENTITY_MONSTER1},
         {Cell(6, 30), ENTITY_HEART},
         {Cell(6, 10), ENTITY_HEART}},
        {Cell(0, 0)});
  EXPECT_EQ(game->state, GAME_PLAYING);
  EXPECT_EQ(game->level, 1);
  EXPECT_EQ(game->fade, 1.0f);
  EXPECT_TRUE(game->ai_enabled);
  EXPECT_FALSE(game->epileptic);
  EXPECT_EQ(game->view.left, T);
  EXPECT_EQ(game->view.right, 19 * T);
  EXPECT_EQ(game->view.bottom, T);
  EXPECT_EQ(game->view.top, 28 * T);
  EXPECT_EQ(game->panel1.GetX(), T);
  EXPECT_EQ(game->panel1.GetY(), T);
  EXPECT_EQ(game->panel2.GetX(), 13 * T);
  EXPECT_EQ(game->panel2.GetY(), T);
  EXPECT_EQ(game->player1.GetX(), 4 * T);
  EXPECT_EQ(game->player1.GetY(), 3 * T);
  EXPECT_EQ(game->player2.GetX(), 9 * T);
  EXPECT_EQ(game->player2.GetY(), 3 * T);
  EXPECT_EQ(game->scene.GetWalkMap()[0], 1);

  // File order: top row first, each row left to right.
  ASSERT_EQ(game->enemies.size(), 3u);
  auto it = game->enemies.begin();
  EXPECT_NE(dynamic_cast<cMonster1*>(*it), nullptr);
  EXPECT_EQ((*it)->GetY(), 40 * T);
  EXPECT_EQ((*it)->GetX(), 2 * T);
  ++it;
  EXPECT_NE(dynamic_cast<cMonster2*>(*it), nullptr);
  EXPECT_EQ((*it)->GetX(), 7 * T);
  ++it;
  EXPECT_EQ((*it)->GetY(), 20 * T);
  ASSERT_EQ(game->tokens.size(), 2u);
  EXPECT_NE(dynamic_cast<cHeart*>(game->tokens.front()), nullptr);
  EXPECT_EQ(game->tokens.front()->GetY(), 30 * T);
  EXPECT_EQ(game->tokens.back()->GetY(), 10 * T);

  // The projection maps the view box onto the window, with the fixed depth range.
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  // (the matrix is kept in single precision)
  EXPECT_NEAR(m[0], 2.0 / (18 * T), 1e-7);
  EXPECT_NEAR(m[5], 2.0 / (27 * T), 1e-7);
  EXPECT_NEAR(m[12], -(20.0 * T) / (18 * T), 1e-6);
  EXPECT_NEAR(m[13], -(29.0 * T) / (27 * T), 1e-6);
  EXPECT_NEAR(m[10], -2.0 / (-(160.0 * T + 3) - 3.0), 1e-9);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(GameInit, AMissingStaticLayerStopsTheSetUp) {
  dir.Write(LevelFilePath("dynamic_layer", 1), GameTest::DynamicLayer({{Cell(3, 3), 3}}));
  game = std::make_unique<cGame>();
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->state, GAME_PLAYING);
  EXPECT_TRUE(game->enemies.empty());  // the dynamic layer was not read
  EXPECT_EQ(game->panel1.GetX(), 0);   // nor the panels placed
}

TEST_F(GameInit, AnUnplayableDynamicLayerStopsTheSetUp) {
  WriteLevel(1, {{Cell(4, 3), ENTITY_PLAYER1}, {Cell(3, 3), ENTITY_MONSTER1}});
  game = std::make_unique<cGame>();
  game->sound_listener = GameTest::Listen;
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER2);
  EXPECT_TRUE(GameTest::heard.empty());  // no music for a level that cannot be played

  EXPECT_EQ(game->level_fault_why, "");

  std::remove(LevelFilePath("dynamic_layer", 1).c_str());
  game = std::make_unique<cGame>();
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_DYNAMIC_UNREADABLE);
  EXPECT_EQ(game->level_fault_why, "No such file or directory");

  // A named pipe is not a level file: refused at once instead of waiting for a writer.
  ASSERT_EQ(mkfifo(LevelFilePath("dynamic_layer", 1).c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_DYNAMIC_UNREADABLE);
  std::remove(LevelFilePath("static_layer", 1).c_str());
  ASSERT_EQ(mkfifo(LevelFilePath("static_layer", 1).c_str(), 0600), 0);
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_STATIC_UNREADABLE);
  EXPECT_EQ(game->level_fault_why, "not a regular file");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  // And neither is a directory.
  std::remove(LevelFilePath("static_layer", 1).c_str());
  ASSERT_EQ(mkdir(LevelFilePath("static_layer", 1).c_str(), 0700), 0);
  EXPECT_FALSE(game->Init(1));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_STATIC_UNREADABLE);
  EXPECT_EQ(game->level_fault_why, "not a regular file");
}

TEST_F(GameInit, SpriteSheetsSmallerThanOneCellAreNamed) {
  GameTest::WriteTextures(dir);
  // One texel short of a cell in one direction. The charged sheet is drawn with the normal
  // sheet's size and a small tileset counts as one cell (cell 0: nothing to say).
  const struct {
    std::string name;
    int w, h, cell;
  } sheets[] = {{"player1", 63, 128, 64}, {"player2", 64, 63, 64},  {"monster1", 16, 16, 64},
                {"monster2", 63, 63, 64}, {"fireball", 31, 32, 32}, {"arrow", 32, 31, 32},
                {"heart", 15, 16, 16},    {"superp1", 1, 1, 0},     {"tileset", 8, 8, 0}};
  for (const auto& sh : sheets)
    dir.Write("Textures/" + sh.name + ".png",
              TestPng::Rgba(sh.w, sh.h, std::vector<unsigned char>(sh.w * sh.h * 4, 90)));
  ForgetSaidLines();
  testing::internal::CaptureStderr();
  Start({{Cell(4, 3), ENTITY_PLAYER1}, {Cell(9, 3), ENTITY_PLAYER2}});  // and plays on
  const std::string err = testing::internal::GetCapturedStderr();
  for (const auto& sh : sheets) {
    SCOPED_TRACE(sh.name);
    const std::string sheet = "Kelvara: the sprite sheet Textures/" + sh.name + ".png";
    EXPECT_EQ(err.find(sheet) != std::string::npos, sh.cell > 0) << err;
    const std::string c = std::to_string(sh.cell);
    if (sh.cell > 0) {
      EXPECT_NE(
          err.find(sheet + " is " + std::to_string(sh.w) + "x" + std::to_string(sh.h) +
                   " texels, smaller than one of its " + c + "x" + c + " cells; it is not drawn\n"),
          std::string::npos)
          << err;
    }
  }
}

TEST_F(GameInit, EachFaultIsOneLineNamingTheFileAndTheFolder) {
  struct Case {
    LevelFault fault;
    const char* file;
    const char* says;
  };
  const Case cases[] = {
      {LEVEL_FAULT_STATIC_UNREADABLE, "Levels/static_layer02.txt", "cannot read"},
      {LEVEL_FAULT_DYNAMIC_UNREADABLE, "Levels/dynamic_layer02.txt", "cannot read"},
      {LEVEL_FAULT_NO_PLAYER1, "Levels/dynamic_layer02.txt", "no start for player 1"},
      {LEVEL_FAULT_NO_PLAYER2, "Levels/dynamic_layer02.txt", "no start for player 2"},
      {LEVEL_FAULT_NO_PLAYERS, "Levels/dynamic_layer02.txt",
       "no start for player 1 or for player 2"},
  };
  ForgetSaidLines();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.says);
    testing::internal::CaptureStderr();
    ReportLevelFault(2, c.fault);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Kelvara: ", 0), 0u) << err;
    EXPECT_NE(err.find(c.file), std::string::npos) << err;
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
    EXPECT_NE(err.find(dir.Path()), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line";
  }
  // With the system's reason for a file that cannot be read; said once.
  testing::internal::CaptureStderr();
  ReportLevelFault(1, LEVEL_FAULT_STATIC_UNREADABLE, "Permission denied");
  ReportLevelFault(1, LEVEL_FAULT_STATIC_UNREADABLE, "Permission denied");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Kelvara: cannot read the level file Levels/static_layer01.txt (Permission denied) "
            "(working directory: " +
                dir.Path() + ")\n");
}

class DynamicLayer : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    Start({{Cell(0, 0), ENTITY_PLAYER1}, {Cell(1, 0), ENTITY_PLAYER2}});
  }
  // Reads `text` as level 1's dynamic layer into the running game.
  bool Read(const std::string& text) {
    dir.Write(LevelFilePath("dynamic_layer", 1), text);
    return game->LoadDynamicLayer(1);
  }
  // The first cells of the file (row 159 from column 0) followed by `tail`.
  static std::string Head(const std::vector<std::string>& values, const std::string& tail = "") {
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) s += values[i] + (i + 1 < values.size() ? "," : "");
    return s + tail;
  }
};

TEST_F(DynamicLayer, LeadingZeroReadsAsOctal) {
  // 010 is octal 8 (nothing); 03 is 3; 0x4 is 4; 011 is 9 (nothing); 01 and 02 the players.
  ASSERT_TRUE(Read(Head({"010", "03", "0x4", "011", "05", "01", "02"})));
  ASSERT_EQ(game->enemies.size(), 2u);
  EXPECT_NE(dynamic_cast<cMonster1*>(game->enemies.front()), nullptr);
  EXPECT_EQ(game->enemies.front()->GetX(), 1 * T);
  EXPECT_EQ(game->enemies.front()->GetY(), 159 * T);
  EXPECT_NE(dynamic_cast<cMonster2*>(game->enemies.back()), nullptr);
  EXPECT_EQ(game->enemies.back()->GetX(), 2 * T);
  ASSERT_EQ(game->tokens.size(), 1u);
  EXPECT_EQ(game->tokens.front()->GetX(), 4 * T);
}

TEST_F(DynamicLayer, ATruncatedFilePlacesOnlyWhatItHolds) {
  ASSERT_TRUE(Read(Head({"1", "2", "3", "0", "3"})));
  EXPECT_EQ(game->enemies.size(), 2u);
  // Cut short before the players' starts: what it holds is placed, and the level is refused.
  EXPECT_FALSE(Read(Head({"3", "1"})));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER2);
  EXPECT_EQ(game->enemies.size(), 3u);
  EXPECT_FALSE(Read(""));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYERS);
  EXPECT_EQ(game->enemies.size(), 3u);  // an empty file adds nothing
}

TEST_F(DynamicLayer, BadTextEndsTheReading) {
  // The cell after the bad value does not repeat the last one, nor does anything later count.
  ASSERT_TRUE(Read(Head({"1", "2", "3", "4", "abc", "3", "5"})));
  EXPECT_EQ(game->enemies.size(), 2u);
  EXPECT_TRUE(game->tokens.empty());
  game->player1.SetPosition(7, 9);
  EXPECT_FALSE(Read(Head({"2", "0", "-", "1"})));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER1);
  EXPECT_EQ(game->player1.GetX(), 7);
}

TEST_F(DynamicLayer, HugeAndNegativeNumbersPlaceNothing) {
  // A number too large for an int is bad text, like in the static layer: the reading ends.
  ASSERT_TRUE(Read(Head({"1", "2", "-3", "3", "4294967299", "3"})));
  ASSERT_EQ(game->enemies.size(), 1u);
  EXPECT_EQ(game->enemies.front()->GetX(), 3 * T);
  ASSERT_TRUE(Read(Head({"1", "2", "99999999999999999999", "3"})));
  EXPECT_EQ(game->enemies.size(), 1u);
}

TEST_F(DynamicLayer, SeparatorsAreAnyOneCharacter) {
  ASSERT_TRUE(Read("1 2 3 3\n3;3x3"));
  EXPECT_EQ(game->enemies.size(), 5u);
  EXPECT_EQ(game->enemies.back()->GetX(), 6 * T);
}

TEST_F(DynamicLayer, TheLastPlayerCodeDecides) {
  ASSERT_TRUE(Read(GameTest::DynamicLayer(
      {{Cell(2, 50), 1}, {Cell(3, 10), 1}, {Cell(9, 10), 1}, {Cell(4, 4), 2}})));
  EXPECT_EQ(game->player1.GetX(), 9 * T);
  EXPECT_EQ(game->player1.GetY(), 10 * T);
  EXPECT_EQ(game->player2.GetX(), 4 * T);
}

TEST_F(DynamicLayer, AMissingStartIsRefusedAndNamed) {
  game->player2.SetPosition(5, 6);
  EXPECT_FALSE(Read(GameTest::DynamicLayer({{Cell(9, 10), 1}})));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER2);
  EXPECT_EQ(game->player1.GetX(), 9 * T);  // what the file holds is still placed
  EXPECT_EQ(game->player2.GetX(), 5);
  EXPECT_EQ(game->player2.GetY(), 6);
  EXPECT_FALSE(Read(GameTest::DynamicLayer({{Cell(9, 10), 2}, {Cell(3, 3), 3}})));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER1);
  EXPECT_FALSE(Read(GameTest::DynamicLayer({})));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYERS);
}

TEST_F(DynamicLayer, AMissingFileIsReported) {
  EXPECT_FALSE(game->LoadDynamicLayer(7));
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_DYNAMIC_UNREADABLE);
}

// The frame loop and its end sequences, run on a scripted clock.
class GameLoop : public GameFixture {
protected:
  void Watch(std::vector<int> readings) {
    ScriptedClock::Reset(std::move(readings), 1);
    ScriptedClock::watched = game.get();
  }
  const std::vector<float>& Fades() { return ScriptedClock::fade_at_reading; }
};

TEST_F(GameLoop, GameOverFadesToGreyThenBeyond) {
  Start({{Cell(4, 3), 1}, {Cell(6, 3), 2}});
  game->state = GAME_OVER;
  game->fade = 0.0f;
  Watch({0, 1500, 5000, 7000, 7370, 8850, 10699, 10700, 10701});
  EXPECT_FALSE(game->Loop());
  // Each reading logs the fade that the reading before it produced (Render leaves it alone).
  ASSERT_EQ(Fades().size(), 9u);
  EXPECT_FLOAT_EQ(Fades()[2], 0.5f);
  EXPECT_FLOAT_EQ(Fades()[3], 1.0f);
  EXPECT_FLOAT_EQ(Fades()[4], 1.0f);  // held until 7000 ms, then past 1
  EXPECT_FLOAT_EQ(Fades()[5], 1.1f);
  EXPECT_FLOAT_EQ(Fades()[6], 1.5f);
  EXPECT_LT(Fades()[7], 2.0f);
  EXPECT_FLOAT_EQ(Fades()[8], 2.0f);  // the last pass rendered at 10700 ms
  EXPECT_EQ(GameTest::CountHeard(SOUND_GAMEOVER), 1);
}

TEST_F(GameLoop, VictoryFadesOverTheLastThreeSeconds) {
  Start({{Cell(4, 3), 1}, {Cell(6, 3), 2}});
  game->state = GAME_VICTORY;
  game->fade = 0.25f;
  Watch({0, 3000, 4500, 5400, 6000, 6001});
  EXPECT_FALSE(game->Loop());
  ASSERT_EQ(Fades().size(), 6u);
  // Up to 3000 ms the fade is untouched, so only Render lowers it by 0.01 a pass.
  EXPECT_FLOAT_EQ(Fades()[2], 0.24f);
  EXPECT_FLOAT_EQ(Fades()[3], 0.5f - 0.01f);
  EXPECT_FLOAT_EQ(Fades()[4], 0.8f - 0.01f);  // still rendering between 5000 and 6000 ms
  EXPECT_FLOAT_EQ(Fades()[5], 1.0f - 0.01f);  // the full fade
  EXPECT_EQ(game->state, GAME_VICTORY);
  EXPECT_EQ(GameTest::CountHeard(SOUND_VICTORY), 1);
}

TEST_F(GameLoop, FrameWaitsUntilThirtyThreeMilliseconds) {
  Start({{Cell(4, 3), 1}, {Cell(6, 3), 2}});
  Watch({100, 110, 120, 132, 133, 500});
  EXPECT_TRUE(game->Loop());
  EXPECT_EQ(ScriptedClock::next, 5u);  // the reading at 133 ended the wait
  // After an end sequence the wait ends at its first reading.
  game->state = GAME_VICTORY;
  Watch({0, 6000, 6001});
  game->Loop();
  EXPECT_EQ(ScriptedClock::next, 3u);
}

TEST_F(GameLoop, TheClockRunsOnPastTwoToTheThirtyOneMilliseconds) {
  Start({{Cell(4, 3), 1}, {Cell(6, 3), 2}});
  // Readings 10 ms apart from just below 2^31 ms (24.8 days) across it: every frame still
  // waits out its 33 ms, from t0 at +10 to the reading at +50.
  Watch({});
  ScriptedClock::step = 10;
  ScriptedClock::base = (1LL << 31) - 120;
  for (int frame = 0; frame < 6; ++frame) {
    const int start = ScriptedClock::last;
    EXPECT_TRUE(game->Loop());
    EXPECT_EQ(ScriptedClock::last - start, 50) << "frame " << frame;
  }
  // The end sequences count from t0 across it too.
  game->state = GAME_VICTORY;
  game->fade = 0.25f;
  Watch({0, 3000, 4500, 6000, 6001});
  ScriptedClock::base = (1LL << 31) - 4000;
  EXPECT_FALSE(game->Loop());
  ASSERT_EQ(Fades().size(), 5u);
  EXPECT_FLOAT_EQ(Fades()[3], 0.5f - 0.01f);
  EXPECT_FLOAT_EQ(Fades()[4], 1.0f - 0.01f);
}

TEST_F(GameLoop, ClearingLevelOneLoadsLevelTwoInTheSameCall) {
  WriteLevel(2, {{Cell(8, 2), 1}, {Cell(6, 2), 2}, {Cell(3, 60), 4}});
  // Both players start at the top of the view: the first frame clears the level.
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}, {Cell(4, 60), 3}, {Cell(4, 70), 5}});
  game->player1.SetCharge(25);
  game->player1.SetLife(77);
  game->ai_enabled = false;
  game->epileptic = true;
  cFireball* flying = new cFireball();
  flying->SetPosition(5 * T, 10 * T);
  flying->SetState(PROJ_FLY_UP);
  game->projectiles.push_back(flying);
  Watch({0, 10, 4500, 6000, 6050});
  EXPECT_TRUE(game->Loop());
  EXPECT_EQ(game->level, 2);
  EXPECT_EQ(game->state, GAME_PLAYING);
  EXPECT_TRUE(game->ai_enabled);
  EXPECT_FALSE(game->epileptic);
  EXPECT_EQ(game->fade, 1.0f);
  EXPECT_EQ(game->player1.GetCharge(), 25);
  EXPECT_EQ(game->player1.GetLife(), 77);
  EXPECT_EQ(game->player1.GetX(), 8 * T);
  EXPECT_EQ(game->player1.GetY(), 2 * T);
  EXPECT_EQ(game->player2.GetX(), 6 * T);
  ASSERT_EQ(game->enemies.size(), 1u);  // the old monster went, the new one came
  EXPECT_NE(dynamic_cast<cMonster2*>(game->enemies.front()), nullptr);
  EXPECT_TRUE(game->projectiles.empty());
  EXPECT_TRUE(game->tokens.empty());
  EXPECT_EQ(game->view.bottom, T);
  EXPECT_EQ(GameTest::CountHeard(SOUND_VICTORY), 1);
  EXPECT_EQ(GameTest::CountHeard(SOUND_AMBIENT2), 1);
  // The flashing effect stayed on through the sequence: the pass after the 4500 ms reading
  // (fade 0.5) added its 0.8 instead of the fade's 0.01.
  ASSERT_GE(Fades().size(), 4u);
  EXPECT_FLOAT_EQ(Fades()[3], 0.5f + 0.8f);
  // The old level's monster stayed in the list through the sequence.
  EXPECT_EQ(ScriptedClock::enemies_at_reading, (std::vector<size_t>{1, 1, 1, 1, 1}));
}

TEST_F(GameLoop, EscapeWithTheLevelClearedSkipsTheFrameButNotTheSequence) {
  WriteLevel(2, {{Cell(8, 2), 1}, {Cell(6, 2), 2}});
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}});
  Press(27);
  Watch({0, 10, 6000, 6050});
  EXPECT_FALSE(game->Loop());
  EXPECT_EQ(game->level, 2);
  EXPECT_EQ(game->state, GAME_PLAYING);
  // No render ran before the sequence: the fade-in value was still untouched at 10 ms.
  EXPECT_FLOAT_EQ(Fades()[1], 1.0f);
}

TEST_F(GameLoop, VictoryOnLevelTwoEndsTheProgram) {
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}}, {}, 2);
  Watch({0, 6000, 6050});
  EXPECT_FALSE(game->Loop());
  EXPECT_EQ(game->state, GAME_VICTORY);
  EXPECT_EQ(game->level, 2);
}

TEST_F(GameLoop, AnUnreadableNextLevelEndsTheLoopWithItsFault) {
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}});
  Watch({0, 6000, 6050});
  EXPECT_FALSE(game->Loop());
  EXPECT_EQ(game->level, 2);
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_STATIC_UNREADABLE);
  EXPECT_EQ(game->level_fault_why, "No such file or directory");
  // A next level whose dynamic layer is missing, or places only one player, ends the same way.
  WriteLevel(2, {{Cell(8, 2), 1}, {Cell(6, 2), 2}});
  std::remove(LevelFilePath("dynamic_layer", 2).c_str());
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}});
  Watch({0, 6000, 6050});
  EXPECT_FALSE(game->Loop());
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_DYNAMIC_UNREADABLE);
  WriteLevel(2, {{Cell(8, 2), 1}});
  Start({{Cell(4, 27), 1}, {Cell(6, 27), 2}});
  Watch({0, 6000, 6050});
  EXPECT_FALSE(game->Loop());
  EXPECT_EQ(game->level_fault, LEVEL_FAULT_NO_PLAYER2);
}

}  // namespace
