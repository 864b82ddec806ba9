#pragma once
#include <list>
#include <string>

#include "actors/cBicho.h"
#include "actors/cPlayer1.h"
#include "actors/cPlayer2.h"
#include "actors/cProjectile.h"
#include "actors/cRect.h"
#include "actors/cToken.h"
#include "common/Globals.h"
#include "core/LevelFiles.h"
#include "core/cOverlay.h"
#include "gfx/cData.h"
#include "gfx/cShader.h"
#include "scene/cScene.h"
#include "sound/cSound.h"

// States of the game (2 and 3 are not used).
enum GameState { GAME_OVER = 0, GAME_PLAYING = 1, GAME_LEVEL_CLEARED = 4, GAME_VICTORY = 5 };

// Codes of a dynamic-layer grid; any other value places nothing.
enum LevelEntity {
  ENTITY_PLAYER1 = 1,
  ENTITY_PLAYER2 = 2,
  ENTITY_MONSTER1 = 3,
  ENTITY_MONSTER2 = 4,
  ENTITY_HEART = 5
};

// Milliseconds since start-up on the monotonic clock: setting the system clock does not move
// it, and a 64-bit count does not wrap.
long long ElapsedMs();
// glutSwapBuffers.
void SwapGlutBuffers();

// The whole game: key table, view, state, scene, players, HUD, actors and resources.
// Every field has its own initialiser, so a cGame however built starts with no key down, no
// attack request and its scalars at zero until Init sets them.
class cGame {
public:
  cGame() = default;
  virtual ~cGame();

  // Sets up a level; false when its static layer cannot be read, or its dynamic layer cannot
  // be read or places no start for a player (level_fault says which). Sprite sheets too
  // small for their cells are named.
  bool Init(int level);
  // Reads the players' start tiles, monsters and hearts; false when the file cannot be opened
  // or places no start for player 1 or for player 2 (level_fault says which).
  bool LoadDynamicLayer(int level);
  // One logic frame (or a whole end sequence); false ends the program: by Escape, game over or
  // victory, or with level_fault set when the next level cannot be played.
  bool Loop();

  void ReadKeyboard(unsigned char key, int x, int y, bool press);
  void ReadSpecialKeyboard(unsigned char key, int x, int y, bool press);
  // The entry of the key table that a key is recorded under: a character with its letters
  // folded to lower case, an arrow (special) under its GLUT code; -1 for a key that is not
  // recorded (d, e, f and g, whose codes are the arrows' entries, and the other special keys).
  static int KeyEntry(int key, bool special);
  // Whether a key table entry is an arrow's, whose events come through ReadSpecialKeyboard.
  static bool IsArrowEntry(int entry);
  void ReadMouse(int button, int state, int x, int y);

  // The per-frame rules; false when Escape was down at the start of the frame.
  bool Process();

  void UpdateCamera(int y1, int y2);
  void Reshape(int w, int h);
  void Render();

  bool keys[256] = {};
  cRect view = {};
  int state = 0;
  int level = 0;
  bool p1_attack_request = false;
  bool p2_attack_request = false;
  cScene scene;
  cPlayer1 player1;
  cPlayer2 player2;
  cOverlay panel1;
  cOverlay panel2;
  std::list<cBicho*> enemies;
  std::list<cProjectile*> projectiles;
  std::list<cToken*> tokens;
  cData data;
  cSound sound;
  cShader shader;
  float fade = 0.0f;
  bool ai_enabled = false;
  bool epileptic = false;
  // Why the last Init or LoadDynamicLayer failed, and the system's reason for a level file
  // that could not be read (empty when there is none).
  LevelFault level_fault = LEVEL_FAULT_NONE;
  std::string level_fault_why;
  // The frame loop's clock; tests may replace it.
  long long (*elapsed_ms)() = ElapsedMs;
  // Ends Render by showing the frame; tests may keep the picture in the back buffer.
  void (*swap_buffers)() = SwapGlutBuffers;
  // Told of every sound the game plays, after cSound::Play (tests listen here).
  void (*sound_listener)(int id) = nullptr;

private:
  void PlaySound(int id);
  void SetProjection();
  void DeleteActors();
  void PlayVictorySequence(long long t0);
};
