#include "core/cGame.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "actors/cArrow.h"
#include "actors/cEnemy.h"
#include "actors/cFireball.h"
#include "actors/cHeart.h"
#include "actors/cMonster1.h"
#include "actors/cMonster2.h"
#include "io/DataFile.h"
#include "io/Message.h"

namespace {

const int KEY_ESCAPE = 27;
// Guard and attack keys of both players, as indices of the key table.
const int KEY_P1_GUARD = 'x';
const int KEY_P1_ATTACK = 'z';
const int KEY_P2_GUARD = '-';
const int KEY_P2_ATTACK = '*';
const int CHARGE_FULL = 30;
const int ATTACK_COOLDOWN = 6;
const int P1_ATTACK_COST = 10;
const int P1_CHARGED_COST = 60;
const int P2_LEAST_ENERGY = 10;
const int SCREEN_H = 27 * TILE_SIZE;
const double NEAR_PLANE = 3.0;
const double FAR_PLANE = -(160.0 * TILE_SIZE + 3.0);

bool FramesAtStart(const cBicho* b) { return b->GetFrame() == 0 && b->GetDelay() == 0; }

// Texture units came with OpenGL 1.3; below it there is only unit 0, already in use.
void UseTextureUnit0() {
  if (glActiveTexture) glActiveTexture(GL_TEXTURE0);
}

// A sprite sheet smaller than one of its square cells of `cell` texels loads but shows nothing.
// Sheets that did not load have been named already.
void CheckSheetSize(cData& data, int img, int cell) {
  int w = 0, h = 0;
  data.GetSize(img, &w, &h);
  if (data.GetID(img) == 0 || (w >= cell && h >= cell)) return;
  const std::string size = std::to_string(w) + "x" + std::to_string(h);
  const std::string needed = std::to_string(cell) + "x" + std::to_string(cell);
  Say(std::string("the sprite sheet ") + cData::FileName(img) + " is " + size +
      " texels, smaller than one of its " + needed + " cells; it is not drawn");
}

long long MonotonicMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

const long long start_ms = MonotonicMs();

}  // namespace

long long ElapsedMs() { return MonotonicMs() - start_ms; }

void SwapGlutBuffers() { glutSwapBuffers(); }

cGame::~cGame() { DeleteActors(); }

void cGame::DeleteActors() {
  for (cBicho* m : enemies) delete m;
  enemies.clear();
  for (cProjectile* p : projectiles) delete p;
  projectiles.clear();
  for (cToken* t : tokens) delete t;
  tokens.clear();
}

void cGame::PlaySound(int id) {
  sound.Play(id);
  if (sound_listener) sound_listener(id);
}

void cGame::SetProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(view.left, view.right, view.bottom, view.top, NEAR_PLANE, FAR_PLANE);
}

bool cGame::Init(int lvl) {
  state = GAME_PLAYING;
  level = lvl;
  level_fault = LEVEL_FAULT_NONE;
  level_fault_why.clear();
  fade = 1.0f;
  ai_enabled = true;
  epileptic = false;

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

  view.left = TILE_SIZE;
  view.right = 19 * TILE_SIZE;
  view.bottom = TILE_SIZE;
  view.top = 28 * TILE_SIZE;
  SetProjection();
  glMatrixMode(GL_MODELVIEW);

  glAlphaFunc(GL_GREATER, 0.05f);
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);

  data.Load();
  CheckSheetSize(data, TEX_PLAYER1, player1.GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_PLAYER2, player2.GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_MONSTER1, cMonster1().GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_MONSTER2, cMonster2().GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_FIREBALL, cFireball().GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_ARROW, cArrow().GetFrameSize() * SHEET_TILE_SIZE);
  CheckSheetSize(data, TEX_HEART, SHEET_TILE_SIZE);
  int tex_w = 0, tex_h = 0;
  data.GetSize(TEX_TILESET, &tex_w, &tex_h);
  if (!scene.LoadLevel(level, tex_w, tex_h, &level_fault_why)) {
    level_fault = LEVEL_FAULT_STATIC_UNREADABLE;
    return false;
  }
  scene.BuildCollisionMaps();

  panel1.SetBarX(2 * TILE_SIZE);
  panel1.SetX(view.left);
  panel1.SetY(view.bottom);
  panel2.SetBarX(TILE_SIZE / 2);
  panel2.SetX(view.right - panel2.GetWidth());
  panel2.SetY(view.bottom);

  // A level without both players' starts cannot be played.
  if (!LoadDynamicLayer(level)) return false;

  sound.Load();
  if (level == 1)
    PlaySound(SOUND_AMBIENT1);
  else if (level == 2)
    PlaySound(SOUND_AMBIENT2);

  shader.Init();
  return true;
}

bool cGame::LoadDynamicLayer(int lvl) {
  FILE* f = OpenDataFile(LevelFilePath("dynamic_layer", lvl).c_str(), &level_fault_why);
  if (!f) {
    level_fault = LEVEL_FAULT_DYNAMIC_UNREADABLE;
    return false;
  }
  bool placed1 = false, placed2 = false;
  // Top row first, each row from column 0; a value that cannot be read ends the reading.
  for (int i = 0; i < MAP_CELLS; ++i) {
    const int row = MAP_ROWS - 1 - i / MAP_COLS;
    const int col = i % MAP_COLS;
    int id = 0;
    if (!ReadLevelValue(f, &id)) break;
    switch (id) {
      case ENTITY_PLAYER1:
        player1.SetTile(col, row);
        placed1 = true;
        break;
      case ENTITY_PLAYER2:
        player2.SetTile(col, row);
        placed2 = true;
        break;
      case ENTITY_MONSTER1:
        enemies.push_back(new cMonster1());
        enemies.back()->SetTile(col, row);
        break;
      case ENTITY_MONSTER2:
        enemies.push_back(new cMonster2());
        enemies.back()->SetTile(col, row);
        break;
      case ENTITY_HEART:
        tokens.push_back(new cHeart());
        tokens.back()->SetTile(col, row);
        break;
      default: break;
    }
  }
  std::fclose(f);
  if (!placed1 || !placed2) {
    level_fault = !placed1 && !placed2 ? LEVEL_FAULT_NO_PLAYERS
                  : !placed1           ? LEVEL_FAULT_NO_PLAYER1
                                       : LEVEL_FAULT_NO_PLAYER2;
    return false;
  }
  return true;
}

// The level-cleared and victory sequence: the jingle, then a fade to black over the last 3 of
// 6 seconds counted from the frame's start t0.
void cGame::PlayVictorySequence(long long t0) {
  sound.StopMusic();
  PlaySound(SOUND_VICTORY);
  long long t;
  do {
    t = elapsed_ms();
    if (t - t0 - 3000 > 0) fade = static_cast<float>((t - t0 - 3000) / 3000.0);
    Render();
  } while (t - t0 < 6000);
}

bool cGame::Loop() {
  const long long t0 = elapsed_ms();
  bool result = true;

  if (state == GAME_PLAYING) {
    result = Process();
    if (result) Render();
  }

  if (state == GAME_LEVEL_CLEARED) {
    PlayVictorySequence(t0);
    DeleteActors();
    // A next level that cannot be played ends the game; level_fault says why.
    if (Init(level + 1))
      state = GAME_PLAYING;
    else
      result = false;
  }

  if (state == GAME_OVER) {
    sound.StopMusic();
    PlaySound(SOUND_GAMEOVER);
    long long t;
    do {
      t = elapsed_ms();
      fade = static_cast<float>((t - t0) / 3000.0);
      if (fade > 1.0f) fade = 1.0f;
      if (t - t0 - 7000 > 0) fade = static_cast<float>(fade + (t - t0 - 7000) / 3700.0);
      Render();
    } while (t - t0 < 10700);
    result = false;
  }

  if (state == GAME_VICTORY) {
    PlayVictorySequence(t0);
    result = false;
  }

  // Frame cap: busy-wait until 33 ms have passed since the frame began.
  while (elapsed_ms() - t0 < 33) {
  }
  return result;
}

int cGame::KeyEntry(int key, bool special) {
  if (key < 0 || key > 255) return -1;
  if (special) return IsArrowEntry(key) ? key : -1;
  if (key >= 'A' && key <= 'Z') key += 32;
  return IsArrowEntry(key) ? -1 : key;
}

bool cGame::IsArrowEntry(int entry) { return entry >= GLUT_KEY_LEFT && entry <= GLUT_KEY_DOWN; }

void cGame::ReadKeyboard(unsigned char key, int, int, bool press) {
  const int entry = KeyEntry(key, false);

  if (!press && (entry == 'j' || entry == 'l')) {
    if (!player1.IsAttacking()) player1.StopAndSave();
  }
  if (!press && entry == 'x') player1.LeaveGuardAndSave();
  if (!press && entry == '-') player2.LeaveGuard();
  // The table is read before it is updated below: only a recorded press counts.
  if (!press && entry == 'z' && keys[KEY_P1_ATTACK] && !keys[KEY_P1_GUARD])
    p1_attack_request = true;
  if (!press && entry == '*' && keys[KEY_P2_ATTACK] && !keys[KEY_P2_GUARD])
    p2_attack_request = true;
  if (press && entry == 'x') player1.SetCharge(0);
  if (press && entry == '-') player2.SetCharge(0);

  if (entry >= 0) keys[entry] = press;
}

void cGame::ReadSpecialKeyboard(unsigned char key, int, int, bool press) {
  if (!press && (key == GLUT_KEY_LEFT || key == GLUT_KEY_RIGHT)) {
    if (!player2.IsAttacking()) player2.Stop();
  }
  const int entry = KeyEntry(key, true);
  if (entry >= 0) keys[entry] = press;
  if (press && key == GLUT_KEY_F1) ai_enabled = !ai_enabled;
  if (press && key == GLUT_KEY_F10) epileptic = !epileptic;
  if (!press && key == GLUT_KEY_F10) fade = 0.0f;
}

void cGame::ReadMouse(int, int, int, int) {}

bool cGame::Process() {
  // 1. Frame start: both players' y, read once for the whole frame.
  const int y1 = player1.GetY();
  const int y2 = player2.GetY();
  bool result = true;
  if (keys[KEY_ESCAPE]) result = false;

  char* walk_map = scene.GetWalkMap();
  char* proj_map = scene.GetProjectileMap();

  // Movement requests of one player; true when none of its movement keys was served.
  auto move = [&](cPlayer& p, int up, int down, int left, int right, int my_y, int other_y) {
    bool idle = true;
    if (keys[up]) {
      p.TryMoveUp(walk_map, &enemies, my_y, other_y, SCREEN_H);
      idle = false;
    } else if (keys[down]) {
      p.TryMoveDown(walk_map, &enemies, my_y, other_y, SCREEN_H, view.bottom);
      idle = false;
    }
    const bool no_slide = keys[up] || keys[down];
    if (keys[left]) {
      p.MoveLeft(walk_map, &enemies, no_slide);
      idle = false;
    } else if (keys[right]) {
      p.MoveRight(walk_map, &enemies, no_slide);
      idle = false;
    }
    return idle;
  };

  // 2. Player 1's control.
  if (!player1.IsAttacking() && !player1.IsHurt()) {
    int prev_state = player1.GetState();
    const bool guarding = player1.IsGuarding();
    if (guarding) player1.SetState(player1.GetSavedState());
    const bool idle = move(player1, 'i', 'k', 'j', 'l', y1, y2);
    player1.SetSavedState(player1.GetState());
    if (!guarding) prev_state = player1.GetState();
    if (keys[KEY_P1_GUARD]) {
      if (player1.GetEnergy() > 0)
        player1.GuardWalk(prev_state);
      else
        player1.LeaveGuardAndSave();
    } else if (keys[KEY_P1_ATTACK]) {
      player1.SetCharge(player1.GetCharge() + 1);
      if (player1.GetCharge() == CHARGE_FULL) PlaySound(SOUND_CHARGED);
    }
    if (idle) player1.StopAndSave();
  }

  // 3. Player 2's control.
  if (!player2.IsAttacking() && !player2.IsHurt()) {
    const bool idle =
        move(player2, GLUT_KEY_UP, GLUT_KEY_DOWN, GLUT_KEY_LEFT, GLUT_KEY_RIGHT, y2, y1);
    if (keys[KEY_P2_GUARD]) {
      if (player2.GetEnergy() < player2.GetMaxEnergy()) {
        player2.SetEnergy(player2.GetEnergy() + 1);
        if (!player2.IsGuarding()) player2.EnterGuard();
      } else {
        player2.LeaveGuard();
      }
    } else if (keys[KEY_P2_ATTACK]) {
      player2.SetCharge(player2.GetCharge() + 1);
      if (player2.GetCharge() == CHARGE_FULL) PlaySound(SOUND_CHARGED);
    }
    if (idle) player2.Stop();
  }

  // 4. The frame's list of the two players.
  std::list<cBicho*> players;
  players.push_back(&player1);
  players.push_back(&player2);

  // 5. Projectiles that finished exploding or left the view.
  for (auto it = projectiles.begin(); it != projectiles.end();) {
    cProjectile* p = *it;
    bool gone;
    if (p->IsExploding() && p->GetFrame() == 0 && p->GetDelay() == 0) {
      gone = true;
    } else {
      const cRect fb = p->GetFramebox();
      gone = !(fb.left < view.right && fb.right > view.left && fb.bottom < view.top &&
               fb.top > view.bottom);
    }
    if (gone) {
      delete p;
      it = projectiles.erase(it);
    } else {
      ++it;
    }
  }

  // 6. Monsters that finished dying or dropped below the view; finished animations.
  for (auto it = enemies.begin(); it != enemies.end();) {
    cEnemy* m = static_cast<cEnemy*>(*it);  // the list holds only monsters
    if ((m->GetState() == STATE_DEAD && FramesAtStart(m)) || m->GetFrameTop() < view.bottom) {
      delete m;
      it = enemies.erase(it);
      continue;
    }
    if ((m->IsAttacking() || m->IsHurt()) && FramesAtStart(m)) m->Stop();
    if (m->IsWalking() && m->GetX() % TILE_SIZE == 0 && m->GetY() % TILE_SIZE == 0) m->Stop();
    ++it;
  }

  // 7. Players whose attack or hurt animation has run through stand again.
  if ((player1.IsAttacking() || player1.IsHurt()) && FramesAtStart(&player1)) player1.StopAndSave();
  if ((player2.IsAttacking() || player2.IsHurt()) && FramesAtStart(&player2)) player2.Stop();

  // 8. Pending attack requests, player 1 first.
  if (!player1.IsAttacking() && !player1.IsHurt() && p1_attack_request &&
      player1.GetCooldown() == 0) {
    if (player1.GetCharge() >= CHARGE_FULL) {
      if (player1.GetEnergy() >= P1_CHARGED_COST) {
        player1.StartChargedAttack();
        player1.SetEnergy(player1.GetEnergy() - P1_CHARGED_COST);
        PlaySound(SOUND_SUPERSLASH);
      } else {
        PlaySound(SOUND_FAIL);
      }
    } else {
      if (player1.GetEnergy() >= P1_ATTACK_COST) {
        player1.StartAttack();
        player1.SetEnergy(player1.GetEnergy() - P1_ATTACK_COST);
        PlaySound(SOUND_SLASH);
      } else {
        PlaySound(SOUND_FAIL);
      }
    }
    player1.SetCharge(0);
    p1_attack_request = false;
    player1.SetCooldown(ATTACK_COOLDOWN);
  }
  if (!player2.IsAttacking() && !player2.IsHurt() && p2_attack_request &&
      player2.GetCooldown() == 0) {
    if (player2.GetCharge() >= CHARGE_FULL) {
      if (player2.GetEnergy() >= P2_LEAST_ENERGY) {
        player2.StartChargedAttack();
        PlaySound(SOUND_SUPERFIREBALL);
      } else {
        PlaySound(SOUND_FAIL);
      }
    } else {
      if (player2.GetEnergy() >= P2_LEAST_ENERGY) {
        player2.StartAttack();
        PlaySound(SOUND_FIREBALL);
      } else {
        PlaySound(SOUND_FAIL);
      }
    }
    // Player 2 pays for each fireball when it is made.
    player2.SetCharge(0);
    p2_attack_request = false;
    player2.SetCooldown(ATTACK_COOLDOWN);
  }

  // 9. Player 1: cool-down and regeneration, or its blow against every monster.
  if (!player1.IsAttacking()) {
    if (player1.GetCooldown() > 0) player1.SetCooldown(player1.GetCooldown() - 1);
    if (!player1.IsHurt() && !keys[KEY_P1_GUARD] && player1.GetEnergy() < player1.GetMaxEnergy())
      player1.SetEnergy(player1.GetEnergy() + 1);
  } else {
    for (cBicho* m : enemies) {
      if (player1.Attack(m)) {
        PlaySound(SOUND_HIT);
        if (m->GetState() == STATE_DEAD) PlaySound(SOUND_DEATH);
      }
    }
  }

  // 10. Player 2: cool-down, or shooting.
  if (!player2.IsAttacking()) {
    if (player2.GetCooldown() > 0) player2.SetCooldown(player2.GetCooldown() - 1);
  } else {
    if (player2.Shoot(&enemies, &projectiles, proj_map) && !projectiles.empty() &&
        projectiles.back()->IsExploding())
      PlaySound(SOUND_EXPLOSION);
  }

  // 11. Monster behaviour.
  for (cBicho* b : enemies) {
    cEnemy* m = static_cast<cEnemy*>(b);
    if (!ai_enabled) {
      if (!m->IsHurt()) m->Stop();
      continue;
    }
    if (m->GetFrameBottom() > view.top) continue;  // still wholly above the view
    cMonster1* melee = dynamic_cast<cMonster1*>(m);
    cMonster2* archer = dynamic_cast<cMonster2*>(m);
    if (m->IsWalking()) {
      m->Walk();
    } else if (m->IsAttacking()) {
      if (melee) {
        for (cBicho* p : players)
          if (melee->Attack(p)) PlaySound(SOUND_HIT);
      } else if (archer) {
        archer->Shoot(&players, &projectiles, proj_map);
      }
    } else if (m->IsLooking() && m->GetY() <= view.top) {
      if (melee) {
        if (melee->Think(walk_map, &enemies, &player1, &player2)) PlaySound(SOUND_SLASH);
      } else if (archer) {
        if (archer->Think(walk_map, proj_map, &enemies, &player1, &player2)) PlaySound(SOUND_ARROW);
      }
    }
  }

  // 12. Projectile flight.
  for (cProjectile* p : projectiles) {
    if (dynamic_cast<cFireball*>(p)) {
      if (p->Logic(proj_map, &enemies)) PlaySound(SOUND_EXPLOSION);
    } else if (dynamic_cast<cArrow*>(p)) {
      p->Logic(proj_map, &players);
    }
  }

  // 13. Pickups: player 1 is tested first; player 2 only when player 1 does not touch.
  for (auto it = tokens.begin(); it != tokens.end();) {
    cToken* t = *it;
    cHeart* heart = dynamic_cast<cHeart*>(t);
    bool taken = false;
    if (player1.Collides(player1.GetHitbox(), t->GetHitbox())) {
      if (heart) taken = heart->Heal(&player1);
    } else if (player2.Collides(player2.GetHitbox(), t->GetHitbox())) {
      if (heart) taken = heart->Heal(&player2);
    }
    if (taken) {
      delete t;
      it = tokens.erase(it);
      PlaySound(SOUND_TOKEN);
    } else {
      ++it;
    }
  }

  // 14. Game over, level end, or the camera and the sound system.
  if (player1.GetState() == STATE_DEAD || player2.GetState() == STATE_DEAD) {
    state = GAME_OVER;
  } else if (player1.GetY() >= view.top - TILE_SIZE && player2.GetY() >= view.top - TILE_SIZE) {
    state = level < 2 ? GAME_LEVEL_CLEARED : GAME_VICTORY;
  } else {
    UpdateCamera(y1, y2);
    sound.Update();
  }

  return result;
}

void cGame::UpdateCamera(int y1, int y2) {
  const int low = y1 < y2 ? y1 : y2;
  const int high = y1 < y2 ? y2 : y1;
  const int mid = low + (high - low) / 2;
  if (mid > 27 * TILE_SIZE / 2 && mid < 289 * TILE_SIZE / 2 &&
      mid - 25 * TILE_SIZE / 2 > view.bottom) {
    view.bottom = mid - 25 * TILE_SIZE / 2;
    view.top = mid + 29 * TILE_SIZE / 2;
    SetProjection();
    panel1.SetY(view.bottom);
    panel2.SetY(view.bottom);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
}

void cGame::Reshape(int w, int h) { glViewport(0, 0, w, h); }

void cGame::Render() {
  const bool animate = state == GAME_PLAYING;
  int w = 0, h = 0;

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  // Effect set-up.
  if (epileptic) {
    fade += 0.8f;
    if (!(fade < 180.0f)) fade = 0.0f;
    UseTextureUnit0();
    shader.Attach(SHADER_EPILEPTIC);
    shader.LinkAndUse();
    shader.SetUniform("time", std::fabs(std::sin(fade)));
    shader.SetUniform("tex", 0);
    shader.SetUniform("flatcolor", 0);
  } else if (fade > 0.0f) {
    UseTextureUnit0();
    shader.Attach(state == GAME_OVER ? SHADER_GREYSCALEFADE : SHADER_FADE);
    shader.LinkAndUse();
    shader.SetUniform("time", fade);
    shader.SetUniform("tex", 0);
    shader.SetUniform("flatcolor", 0);
  }

  data.GetSize(TEX_TILESET, &w, &h);
  scene.Draw(data.GetID(TEX_TILESET), w, h, animate);

  // Charged players flicker: the charged sheet in two of every four frames.
  const int c1 = player1.GetCharge();
  data.GetSize(TEX_PLAYER1, &w, &h);
  player1.Draw(data.GetID(c1 >= CHARGE_FULL && c1 % 4 < 2 ? TEX_SUPERP1 : TEX_PLAYER1), w, h,
               animate);
  const int c2 = player2.GetCharge();
  data.GetSize(TEX_PLAYER2, &w, &h);
  player2.Draw(data.GetID(c2 >= CHARGE_FULL && c2 % 4 < 2 ? TEX_SUPERP2 : TEX_PLAYER2), w, h,
               animate);

  for (cBicho* m : enemies) {
    if (dynamic_cast<cMonster1*>(m)) {
      data.GetSize(TEX_MONSTER1, &w, &h);
      m->Draw(data.GetID(TEX_MONSTER1), w, h, animate);
    } else if (dynamic_cast<cMonster2*>(m)) {
      data.GetSize(TEX_MONSTER2, &w, &h);
      m->Draw(data.GetID(TEX_MONSTER2), w, h, animate);
    }
  }

  for (cToken* t : tokens) {
    if (dynamic_cast<cHeart*>(t)) {
      data.GetSize(TEX_HEART, &w, &h);
      t->Draw(data.GetID(TEX_HEART), w, h, animate);
    }
  }

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  for (auto it = projectiles.rbegin(); it != projectiles.rend(); ++it) {
    cProjectile* p = *it;
    if (dynamic_cast<cFireball*>(p)) {
      data.GetSize(TEX_FIREBALL, &w, &h);
      p->Draw(data.GetID(TEX_FIREBALL), w, h, animate);
    } else if (dynamic_cast<cArrow*>(p)) {
      data.GetSize(TEX_ARROW, &w, &h);
      p->Draw(data.GetID(TEX_ARROW), w, h, animate);
    }
  }

  // The bars are flat-coloured under every effect, the flashing one's frame whose timer has
  // just wrapped to 0 too: sampling a texture there would darken them for that frame.
  const bool effect = epileptic || fade > 0.0f;
  if (effect) shader.SetUniform("flatcolor", 1);
  panel1.DrawBars(player1.GetMaxLife(), player1.GetLife(), player1.GetMaxEnergy(),
                  player1.GetEnergy());
  panel2.DrawBars(player2.GetMaxLife(), player2.GetLife(), player2.GetMaxEnergy(),
                  player2.GetEnergy());
  if (effect) shader.SetUniform("flatcolor", 0);

  panel1.Draw(data.GetID(TEX_OVERLAY1));
  panel2.Draw(data.GetID(TEX_OVERLAY2));

  glDisable(GL_BLEND);
  glAlphaFunc(GL_GREATER, 0.05f);

  // Effect tear-down.
  if (epileptic) {
    shader.Detach(SHADER_EPILEPTIC);
    shader.Disable();
  } else if (fade > 0.0f) {
    if (state == GAME_OVER) {
      shader.Detach(SHADER_GREYSCALEFADE);
    } else {
      shader.Detach(SHADER_FADE);
      fade -= 0.01f;
    }
    shader.Disable();
  }

  swap_buffers();
}
