// The per-frame rules: player control, attack starts, energy, culling, monsters,
// projectiles, pickups and the end of the frame.
#include "core/GameFixture.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "actors/cFireball.h"
#include "actors/cHeart.h"
#include "actors/cMonster1.h"
#include "actors/cMonster2.h"

using GameTest::Cell;
using GameTest::CountHeard;
using GameTest::heard;

namespace {

const int T = TILE_SIZE;
const int STEP = TILE_SIZE / 8;

class GameProcess : public GameFixture {
protected:
  void SetUp() override {
    GameFixture::SetUp();
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
  }
  cPlayer1& p1() { return game->player1; }
  cPlayer2& p2() { return game->player2; }
  template <typename M>
  M* AddMonster(int x, int y, int state = STATE_LOOK_DOWN) {
    M* m = new M();
    m->SetPosition(x, y);
    m->SetState(state);
    game->enemies.push_back(m);
    return m;
  }
  cFireball* AddFireball(int x, int y, int state = PROJ_FLY_UP) {
    cFireball* f = new cFireball();
    f->SetPosition(x, y);
    f->SetState(state);
    game->projectiles.push_back(f);
    return f;
  }
  bool Contains(cBicho* m) {
    for (cBicho* e : game->enemies)
      if (e == m) return true;
    return false;
  }
  bool Contains(cProjectile* p) {
    for (cProjectile* e : game->projectiles)
      if (e == p) return true;
    return false;
  }
};

TEST_F(GameProcess, EscapeMakesItReturnFalseYetTheFrameRuns) {
  EXPECT_TRUE(game->Process());
  Press(27);
  Press('i');
  EXPECT_FALSE(game->Process());
  EXPECT_EQ(p1().GetY(), 5 * T + STEP);
}

TEST_F(GameProcess, UpBeatsDownAndLeftBeatsRight) {
  Press('i');
  Press('k');
  Press('j');
  Press('l');
  game->Process();
  EXPECT_EQ(p1().GetY(), 5 * T + STEP);
  EXPECT_EQ(p1().GetX(), 4 * T - STEP);
  PressSpecial(GLUT_KEY_DOWN);
  PressSpecial(GLUT_KEY_UP);
  PressSpecial(GLUT_KEY_RIGHT);
  PressSpecial(GLUT_KEY_LEFT);
  game->Process();
  EXPECT_EQ(p2().GetY(), 5 * T + STEP);
  EXPECT_EQ(p2().GetX(), 10 * T - STEP);
}

TEST_F(GameProcess, VerticalLimitsUseThePositionsOfTheFrameStart) {
  // Exactly 26 tiles apart: player 1 may still pull away, and player 2 may still drop back
  // because it is judged against where player 1 stood before its move.
  p1().SetPosition(4 * T, 28 * T);
  p2().SetPosition(10 * T, 2 * T);
  Press('i');
  PressSpecial(GLUT_KEY_DOWN);
  game->Process();
  EXPECT_EQ(p1().GetY(), 28 * T + STEP);
  EXPECT_EQ(p2().GetY(), 2 * T - STEP);
  // Now more than 26 tiles apart: neither moves away any more, both only turn.
  game->Process();
  EXPECT_EQ(p1().GetY(), 28 * T + STEP);
  EXPECT_EQ(p2().GetY(), 2 * T - STEP);
  EXPECT_EQ(p2().GetState(), STATE_WALK_DOWN);
}

TEST_F(GameProcess, APlayerMovesDownOnlyWhileAboveTheViewBottom) {
  p2().SetPosition(10 * T, T);  // on the view's bottom edge
  PressSpecial(GLUT_KEY_DOWN);
  game->Process();
  EXPECT_EQ(p2().GetY(), T);
  EXPECT_EQ(p2().GetState(), STATE_WALK_DOWN);
}

TEST_F(GameProcess, AttackingOrHurtPlayersIgnoreTheirHeldKeys) {
  p1().SetState(STATE_HURT_LEFT);
  p1().SetFrame(1);  // the hurt animation is still running
  p1().SetEnergy(100);
  p1().SetCooldown(3);
  Press('j');
  Press('z');
  game->Process();
  EXPECT_EQ(p1().GetX(), 4 * T);
  EXPECT_EQ(p1().GetCharge(), 0);
  EXPECT_EQ(p1().GetEnergy(), 100);  // no regeneration while hurt
  EXPECT_EQ(p1().GetCooldown(), 2);  // the cool-down still runs
  EXPECT_EQ(p1().GetState(), STATE_HURT_LEFT);

  p2().SetState(STATE_ATTACK_UP);
  p2().SetFrame(1);
  p2().SetEnergy(100);
  Press('-');
  PressSpecial(GLUT_KEY_LEFT);
  game->Process();
  EXPECT_EQ(p2().GetEnergy(), 100);
  EXPECT_EQ(p2().GetX(), 10 * T);
  EXPECT_EQ(p2().GetState(), STATE_ATTACK_UP);
}

TEST_F(GameProcess, ChargeCountsWhileTheAttackKeyIsHeldAndRingsOnceAtThirty) {
  Press('z');
  PressSpecial(GLUT_KEY_LEFT);  // player 2 walks meanwhile
  Press('*');
  for (int i = 0; i < 29; ++i) game->Process();
  EXPECT_EQ(p1().GetCharge(), 29);
  EXPECT_EQ(CountHeard(SOUND_CHARGED), 0);
  game->Process();
  EXPECT_EQ(CountHeard(SOUND_CHARGED), 2);  // both players reached 30 in this frame
  game->Process();
  EXPECT_EQ(p1().GetCharge(), 31);
  EXPECT_EQ(p2().GetCharge(), 31);
  EXPECT_EQ(CountHeard(SOUND_CHARGED), 2);
  // The guard key is served first: no charge while it is held.
  Press('x');
  game->Process();
  EXPECT_EQ(p1().GetCharge(), 0);  // its press reset the charge
  game->Process();
  EXPECT_EQ(p1().GetCharge(), 0);
  EXPECT_EQ(p1().GetState(), STATE_GUARD_DOWN);
}

TEST_F(GameProcess, PlayerOneGuardsOnlyWithEnergyAndKeepsItsFacing) {
  p1().SetEnergy(0);
  Press('x');
  game->Process();
  EXPECT_FALSE(p1().IsGuarding());
  EXPECT_EQ(p1().GetEnergy(), 0);  // no regeneration while x is held
  p1().SetEnergy(5);
  game->Process();
  EXPECT_EQ(p1().GetState(), STATE_GUARD_DOWN);
  EXPECT_EQ(p1().GetEnergy(), 5);
  Press('j');
  game->Process();
  EXPECT_EQ(p1().GetX(), 4 * T - STEP);
  EXPECT_EQ(p1().GetState(), STATE_GUARD_WALK_DOWN);  // walks left, still facing down
  Release('j');
  game->Process();
  EXPECT_EQ(p1().GetState(), STATE_GUARD_DOWN);
}

TEST_F(GameProcess, PlayerTwoGuardsWhileRefillingOnly) {
  p2().SetEnergy(148);
  Press('-');
  game->Process();
  EXPECT_EQ(p2().GetEnergy(), 149);
  EXPECT_TRUE(p2().IsGuarding());
  game->Process();
  EXPECT_EQ(p2().GetEnergy(), 150);
  game->Process();
  EXPECT_EQ(p2().GetEnergy(), 150);
  EXPECT_FALSE(p2().IsGuarding());
  // Without the guard key player 2 never regains energy.
  Release('-');
  p2().SetEnergy(40);
  for (int i = 0; i < 5; ++i) game->Process();
  EXPECT_EQ(p2().GetEnergy(), 40);
}

TEST_F(GameProcess, PlayerOneRegeneratesWhenFreeAndNotGuarding) {
  p1().SetEnergy(100);
  game->Process();
  EXPECT_EQ(p1().GetEnergy(), 101);
  p1().SetEnergy(p1().GetMaxEnergy());
  game->Process();
  EXPECT_EQ(p1().GetEnergy(), p1().GetMaxEnergy());
}

struct AttackCase {
  int player;
  int charge;
  int energy;
  int state_after;  // -1: not attacking
  int energy_after;
  int sound;
};

TEST_F(GameProcess, AttackStartTable) {
  const AttackCase cases[] = {
      {1, 30, 60, STATE_CHARGED_ATTACK, 0, SOUND_SUPERSLASH},
      {1, 45, 59, -1, 60, SOUND_FAIL},  // no fall-back to a normal attack; regenerates
      {1, 29, 10, STATE_ATTACK_DOWN, 0, SOUND_SLASH},
      {1, 0, 9, -1, 10, SOUND_FAIL},
      {2, 30, 10, STATE_CHARGED_ATTACK, 10, SOUND_SUPERFIREBALL},
      {2, 29, 10, STATE_ATTACK_DOWN, 10, SOUND_FIREBALL},
      {2, 30, 9, -1, 9, SOUND_FAIL},
  };
  for (const AttackCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "player " << c.player << " charge " << c.charge << " energy " << c.energy);
    cPlayer& p = c.player == 1 ? static_cast<cPlayer&>(p1()) : p2();
    p.SetState(STATE_LOOK_DOWN);
    p.SetCharge(c.charge);
    p.SetEnergy(c.energy);
    p.SetCooldown(0);
    (c.player == 1 ? game->p1_attack_request : game->p2_attack_request) = true;
    heard.clear();
    game->Process();
    if (c.state_after >= 0)
      EXPECT_EQ(p.GetState(), c.state_after);
    else
      EXPECT_FALSE(p.IsAttacking());
    EXPECT_EQ(p.GetEnergy(), c.energy_after);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), c.sound);
    // Served in every case: charge 0, request cleared, cool-down 6 (5 after a refusal,
    // since the cool-down of a player that is not attacking runs in the same frame).
    EXPECT_EQ(p.GetCharge(), 0);
    EXPECT_FALSE(c.player == 1 ? game->p1_attack_request : game->p2_attack_request);
    EXPECT_EQ(p.GetCooldown(), c.state_after >= 0 ? 6 : 5);
  }
}

TEST_F(GameProcess, ARefusedAttackCanBeTriedAgainSixFramesLater) {
  p1().SetEnergy(0);
  std::vector<int> fails;
  for (int frame = 0; frame < 8; ++frame) {
    game->p1_attack_request = true;
    heard.clear();
    game->Process();
    if (CountHeard(SOUND_FAIL)) fails.push_back(frame);
  }
  EXPECT_EQ(fails, (std::vector<int>{0, 6}));
  EXPECT_EQ(p1().GetEnergy(), 8);  // regained 1 a frame, the frames of the attempts too
}

TEST_F(GameProcess, ARequestWaitsForItsConditionsAndTakesTheChargeOfThatFrame) {
  p1().SetCooldown(2);
  p1().SetEnergy(150);
  Press('z');
  game->p1_attack_request = true;
  game->Process();  // cool-down 2 -> 1
  EXPECT_TRUE(game->p1_attack_request);
  game->Process();  // 1 -> 0
  EXPECT_TRUE(game->p1_attack_request);
  p1().SetCharge(35);
  game->Process();  // served with the charge of this frame
  EXPECT_FALSE(game->p1_attack_request);
  EXPECT_EQ(p1().GetState(), STATE_CHARGED_ATTACK);
}

TEST_F(GameProcess, AKillingBlowHitsThenKills) {
  cMonster1* weak = AddMonster<cMonster1>(4 * T, 4 * T);
  cMonster1* strong = AddMonster<cMonster1>(5 * T, 4 * T);
  weak->SetLife(10);
  game->ai_enabled = false;
  p1().SetState(STATE_ATTACK_DOWN);
  p1().SetFrame(3);
  p1().SetDelay(0);
  game->Process();
  EXPECT_EQ(weak->GetState(), STATE_DEAD);
  EXPECT_EQ(strong->GetLife(), 20);
  EXPECT_EQ(heard, (std::vector<int>{SOUND_HIT, SOUND_DEATH, SOUND_HIT}));
}

TEST_F(GameProcess, AFireballMadeInsideAWallExplodesAtOnce) {
  Start({{Cell(4, 5), 1}, {Cell(10, 5), 2}}, {Cell(10, 4)});
  p2().SetState(STATE_ATTACK_DOWN);
  p2().SetFrame(2);
  p2().SetDelay(0);
  const int energy = p2().GetEnergy();
  game->Process();
  ASSERT_EQ(game->projectiles.size(), 1u);
  EXPECT_TRUE(game->projectiles.back()->IsExploding());
  EXPECT_EQ(CountHeard(SOUND_EXPLOSION), 1);
  EXPECT_LT(p2().GetEnergy(), energy);
}

TEST_F(GameProcess, AFireballMadeThisFrameFliesInThisFrame) {
  p2().SetState(STATE_ATTACK_UP);
  p2().SetFrame(2);
  p2().SetDelay(0);
  game->Process();
  ASSERT_EQ(game->projectiles.size(), 1u);
  cProjectile* f = game->projectiles.back();
  EXPECT_FALSE(f->IsExploding());
  EXPECT_EQ(f->GetY(), 5 * T + p2().GetFootprintH() + f->GetSpeed());
}

TEST_F(GameProcess, ProjectilesGoWhenTheirFrameBoxOnlyTouchesTheView) {
  // A fireball's frame box reaches T/2 left and below its hitbox and T/2 beyond it.
  cFireball* touch_right = AddFireball(19 * T + T / 2, 10 * T);
  cFireball* inside_right = AddFireball(19 * T + T / 2 - 1, 10 * T);
  cFireball* touch_left = AddFireball(T - 3 * T / 2, 10 * T);
  cFireball* touch_bottom = AddFireball(8 * T, T - 3 * T / 2);
  cFireball* touch_top = AddFireball(8 * T, 28 * T + T / 2);
  cFireball* inside_top = AddFireball(8 * T, 28 * T + T / 2 - 1);
  cFireball* burnt = AddFireball(8 * T, 10 * T, PROJ_EXPLODE_UP);
  ASSERT_EQ(touch_right->GetFramebox().left, game->view.right);
  game->Process();
  EXPECT_FALSE(Contains(touch_right));
  EXPECT_FALSE(Contains(touch_left));
  EXPECT_FALSE(Contains(touch_bottom));
  EXPECT_FALSE(Contains(touch_top));
  EXPECT_FALSE(Contains(burnt));
  EXPECT_TRUE(Contains(inside_right));
  EXPECT_TRUE(Contains(inside_top));
  EXPECT_EQ(game->projectiles.size(), 2u);
}

TEST_F(GameProcess, MonstersGoOnlyOnceTheirFrameTopIsBelowTheView) {
  game->view.bottom = 20 * T;
  game->view.top = 47 * T;
  game->ai_enabled = false;
  cMonster1 probe;
  const int above_feet = probe.GetFrameTop() - probe.GetY();
  cMonster1* level = AddMonster<cMonster1>(5 * T, 20 * T - above_feet, STATE_DEAD);
  level->SetFrame(1);
  cMonster1* lower = AddMonster<cMonster1>(7 * T, 20 * T - above_feet - 1, STATE_DEAD);
  lower->SetFrame(1);
  cMonster2* finished = AddMonster<cMonster2>(9 * T, 30 * T, STATE_DEAD);
  cMonster2* dying = AddMonster<cMonster2>(11 * T, 30 * T, STATE_DEAD);
  dying->SetDelay(1);
  game->Process();
  EXPECT_TRUE(Contains(level));
  EXPECT_FALSE(Contains(lower));
  EXPECT_FALSE(Contains(finished));
  EXPECT_TRUE(Contains(dying));
}

TEST_F(GameProcess, FinishedMonsterAnimationsAndWholeTilesStopThem) {
  // Above the view (no behaviour step) so that only the stops act on these three.
  cMonster1* struck = AddMonster<cMonster1>(3 * T, 40 * T, STATE_HURT_LEFT);
  cMonster1* striking = AddMonster<cMonster1>(5 * T, 40 * T, STATE_ATTACK_UP);
  striking->SetFrame(2);
  cMonster1* arrived = AddMonster<cMonster1>(12 * T, 40 * T, STATE_WALK_RIGHT);
  // In the view and between two tiles: walks on.
  cMonster1* walker = AddMonster<cMonster1>(8 * T + STEP, 10 * T, STATE_WALK_RIGHT);
  game->Process();
  EXPECT_EQ(struck->GetState(), STATE_LOOK_LEFT);
  EXPECT_EQ(striking->GetState(), STATE_ATTACK_UP);
  EXPECT_EQ(arrived->GetState(), STATE_LOOK_RIGHT);
  EXPECT_EQ(walker->GetX(), 8 * T + 2 * STEP);
}

TEST_F(GameProcess, MonstersActFromTheViewTopAndThinkOnlyBelowIt) {
  const int top = game->view.top;  // 28 tiles
  cMonster1 probe;
  const int below_feet = probe.GetY() - probe.GetFrameBottom();
  cMonster1* waiting = AddMonster<cMonster1>(3 * T + STEP, top + below_feet + 1, STATE_WALK_RIGHT);
  cMonster1* reached = AddMonster<cMonster1>(6 * T + STEP, top + below_feet, STATE_WALK_RIGHT);
  cMonster1* not_yet = AddMonster<cMonster1>(10 * T, top + 1, STATE_LOOK_DOWN);
  std::srand(77);
  const int first = std::rand();
  std::srand(77);
  game->Process();
  EXPECT_EQ(waiting->GetX(), 3 * T + STEP);
  EXPECT_EQ(reached->GetX(), 6 * T + 2 * STEP);
  EXPECT_EQ(not_yet->GetState(), STATE_LOOK_DOWN);
  EXPECT_EQ(std::rand(), first) << "the monster above the view's top drew a number";

  cMonster1* thinker = AddMonster<cMonster1>(14 * T, top, STATE_LOOK_DOWN);
  game->Process();
  EXPECT_TRUE(thinker->IsWalking());
}

TEST_F(GameProcess, WithBehaviourOffEveryMonsterThatIsNotHurtStands) {
  PressSpecial(GLUT_KEY_F1);
  cMonster1* walker = AddMonster<cMonster1>(3 * T + STEP, 10 * T, STATE_WALK_RIGHT);
  cMonster2* archer = AddMonster<cMonster2>(6 * T, 10 * T, STATE_ATTACK_LEFT);
  archer->SetFrame(4);
  cMonster1* hurt = AddMonster<cMonster1>(9 * T, 10 * T, STATE_HURT_UP);
  hurt->SetFrame(1);
  cMonster1* dead = AddMonster<cMonster1>(12 * T, 10 * T, STATE_DEAD);
  dead->SetFrame(1);
  game->Process();
  EXPECT_EQ(walker->GetState(), STATE_LOOK_RIGHT);
  EXPECT_EQ(walker->GetX(), 3 * T + STEP);
  EXPECT_EQ(archer->GetState(), STATE_LOOK_LEFT);
  EXPECT_EQ(hurt->GetState(), STATE_HURT_UP);
  EXPECT_EQ(dead->GetState(), STATE_DEAD);
  EXPECT_TRUE(game->projectiles.empty());
}

TEST_F(GameProcess, AnArcherSoundsItsArrowWhenItsAttackStartsNotWhenItShoots) {
  // Player 1 below the archer in a clear column: the attack starts in the first frame.
  cMonster2* archer = AddMonster<cMonster2>(4 * T, 9 * T);
  std::vector<int> arrow_sounds;
  int made_at = -1;
  for (int frame = 0; frame < 30; ++frame) {
    heard.clear();
    const size_t before = game->projectiles.size();
    Frame();
    if (frame == 0) {
      EXPECT_EQ(archer->GetState(), STATE_ATTACK_DOWN);
    }
    for (int i = 0; i < CountHeard(SOUND_ARROW); ++i) arrow_sounds.push_back(frame);
    if (game->projectiles.size() > before && made_at < 0) made_at = frame;
  }
  EXPECT_EQ(arrow_sounds, (std::vector<int>{0}));
  EXPECT_EQ(made_at, 18) << "the arrow comes at the seventh picture of the attack";
}

TEST_F(GameProcess, EveryLandedMonsterBlowSoundsOnce) {
  // A whole attack on player 1 alone: the slash as it starts, one hit when the blow lands.
  cMonster1* melee = AddMonster<cMonster1>(4 * T, 6 * T);
  std::vector<int> slashes, hits;
  for (int frame = 0; frame < 30; ++frame) {
    heard.clear();
    Frame();
    if (frame == 0) {
      EXPECT_EQ(melee->GetState(), STATE_ATTACK_DOWN);
    }
    for (int i = 0; i < CountHeard(SOUND_SLASH); ++i) slashes.push_back(frame);
    for (int i = 0; i < CountHeard(SOUND_HIT); ++i) hits.push_back(frame);
  }
  EXPECT_EQ(slashes, (std::vector<int>{0}));
  EXPECT_EQ(hits, (std::vector<int>{9}));
  EXPECT_EQ(p1().GetLife(), p1().GetMaxLife() - 10);
  EXPECT_EQ(p2().GetLife(), p2().GetMaxLife());

  // The blow about to land on the tile below, with player 2 overlapping that tile too.
  // A guarded blow on player 1 sounds nothing, whether the guard holds (facing up, toward
  // the monster) or not (facing down: it loses life all the same).
  struct Case {
    bool guard;
    int facing;
    int hits;
    int p1_loss;
  } cases[] = {
      {false, STATE_LOOK_DOWN, 2, 10}, {true, STATE_LOOK_DOWN, 1, 10}, {true, STATE_LOOK_UP, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "guard " << c.guard << " facing " << c.facing);
    Start({{Cell(4, 5), ENTITY_PLAYER1}, {Cell(10, 5), ENTITY_PLAYER2}});
    p1().SetState(c.facing);
    p2().SetPosition(4 * T + T / 2, 5 * T);
    cMonster1* m = AddMonster<cMonster1>(4 * T, 6 * T, STATE_ATTACK_DOWN);
    m->SetFrame(3);
    m->SetDelay(0);
    if (c.guard) Press('x');
    game->Process();
    EXPECT_EQ(heard, std::vector<int>(c.hits, SOUND_HIT));
    EXPECT_EQ(p1().GetLife(), p1().GetMaxLife() - c.p1_loss);
    EXPECT_EQ(p1().IsGuarding(), c.guard && c.p1_loss == 0);
    EXPECT_EQ(p2().GetLife(), p2().GetMaxLife() - 10);
  }
}

TEST_F(GameProcess, AHeartGoesToPlayerOneFirst) {
  cHeart* heart = new cHeart();
  heart->SetTile(4, 5);
  game->tokens.push_back(heart);
  p2().SetPosition(4 * T, 5 * T);  // both touch it
  p2().SetLife(50);
  game->Process();
  ASSERT_EQ(game->tokens.size(), 1u) << "player 1 at full life leaves it for this frame";
  EXPECT_EQ(p2().GetLife(), 50);
  p1().SetLife(100);
  game->Process();
  EXPECT_TRUE(game->tokens.empty());
  EXPECT_EQ(p1().GetLife(), 140);
  EXPECT_EQ(p2().GetLife(), 50);
  EXPECT_EQ(CountHeard(SOUND_TOKEN), 1);

  cHeart* second = new cHeart();
  second->SetTile(10, 8);
  game->tokens.push_back(second);
  p2().SetPosition(10 * T, 8 * T);
  game->Process();
  EXPECT_TRUE(game->tokens.empty());
  EXPECT_EQ(p2().GetLife(), 90);
}

TEST_F(GameProcess, GameOverComesBeforeTheLevelEnd) {
  p1().SetPosition(4 * T, 27 * T);
  p2().SetPosition(10 * T, 27 * T);
  p2().SetLife(0);
  p2().SetState(STATE_DEAD);
  game->Process();
  EXPECT_EQ(game->state, GAME_OVER);
}

TEST_F(GameProcess, TheLevelEndsWithBothPlayersOneTileBelowTheViewTop) {
  p1().SetPosition(4 * T, 27 * T);
  p2().SetPosition(10 * T, 27 * T - 1);
  game->Process();
  EXPECT_EQ(game->state, GAME_PLAYING);
  EXPECT_GT(game->view.bottom, T) << "play went on and the camera followed";
  game->Init(1);
  p1().SetPosition(4 * T, 27 * T);
  p2().SetPosition(10 * T, 27 * T);
  game->Process();
  EXPECT_EQ(game->state, GAME_LEVEL_CLEARED);
  EXPECT_EQ(game->view.bottom, T) << "no camera update in the frame that ends the level";
  game->state = GAME_PLAYING;
  game->level = 2;
  game->Process();
  EXPECT_EQ(game->state, GAME_VICTORY);
}

}  // namespace
