// Frame-time benchmark: Process on the densest scene, Render on this machine's GL (a plain frame
// and an effect frame), start-up.
// Usage: kelvara_bench32 [data folder] [fireballs kept in flight, 100 by default]
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "actors/cFireball.h"
#include "core/cGame.h"

namespace {

using Clock = std::chrono::steady_clock;

// Resident memory of this process in MiB.
double ResidentMiB() {
  long pages = 0, resident = 0;
  FILE* f = std::fopen("/proc/self/statm", "r");
  if (f) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1048576.0);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Stats {
  double median, p95, max;
};

Stats Summarise(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[v.size() * 95 / 100], v.back()};
}

// Keeps `count` fireballs in flight from random free cells of the projectile map.
void TopUpFireballs(cGame& g, std::mt19937& rng, size_t count) {
  char* pmap = g.scene.GetProjectileMap();
  while (g.projectiles.size() < count) {
    int cell = static_cast<int>(rng() % MAP_CELLS);
    if (pmap[cell]) continue;
    cFireball* f = new cFireball();
    f->SetPosition((cell % MAP_COLS) * TILE_SIZE, (cell / MAP_COLS) * TILE_SIZE);
    f->SetState(PROJ_FLY_UP + static_cast<int>(rng() % 4));
    g.projectiles.push_back(f);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  const char* dir = argc > 1 ? argv[1] : KELVARA_DATA_DIR;
  const size_t fireballs = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100;
  if (chdir(dir) != 0) {
    std::fprintf(stderr, "bench: cannot enter %s\n", dir);
    return 1;
  }
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
  glutInitWindowSize(18 * TILE_SIZE, 27 * TILE_SIZE);
  glutCreateWindow("Dunmoth");
  if (glewInit() != GLEW_OK) return 1;

  // Start-up: from entering main to the first finished frame of level 1.
  cGame* game = new cGame();
  if (!game->Init(1)) return 1;
  game->Render();
  glFinish();
  const double first_frame = Ms(Clock::now() - start);

  // Render: the start of level 2 at the game's window size, after its fade-in.
  for (cBicho* m : game->enemies) delete m;
  game->enemies.clear();
  for (cToken* t : game->tokens) delete t;
  game->tokens.clear();
  game->Init(2);
  game->fade = 0.0f;
  std::vector<double> render;
  for (int i = 0; i < 300; ++i) {
    Clock::time_point t0 = Clock::now();
    game->Render();
    glFinish();
    render.push_back(Ms(Clock::now() - t0));
  }
  // The same frame under the fade effect, held at half strength; memory counted from the end
  // of the first one.
  std::vector<double> effect;
  double resident_before = 0;
  for (int i = 0; i < 600; ++i) {
    game->fade = 0.5f;
    Clock::time_point t0 = Clock::now();
    game->Render();
    glFinish();
    effect.push_back(Ms(Clock::now() - t0));
    if (i == 0) resident_before = ResidentMiB();
  }
  const double effect_growth = ResidentMiB() - resident_before;
  game->fade = 0.0f;

  // Process: every monster of level 2 active (the view's top raised to the map's top) and a
  // hundred fireballs in flight; players and monsters are kept alive.
  std::mt19937 rng(7);
  game->view.top = MAP_ROWS * TILE_SIZE;
  const size_t monsters = game->enemies.size();
  std::vector<double> process;
  size_t flying = 0, acting = 0;
  for (int i = 0; i < 3000; ++i) {
    TopUpFireballs(*game, rng, fireballs);
    game->player1.SetLife(game->player1.GetMaxLife());
    game->player2.SetLife(game->player2.GetMaxLife());
    for (cBicho* m : game->enemies) m->SetLife(m->GetMaxLife());
    game->state = GAME_PLAYING;
    Clock::time_point t0 = Clock::now();
    game->Process();
    process.push_back(Ms(Clock::now() - t0));
    flying += game->projectiles.size();
    for (cBicho* m : game->enemies) acting += m->IsWalking() || m->IsAttacking();
  }

  Stats pr = Summarise(process), re = Summarise(render), ef = Summarise(effect);
  std::printf(
      "tile size %d, level 2: %zu monsters (%zu left, on average %.1f walking or attacking), "
      "%.1f projectiles in flight on average (%zu kept in flight)\n",
      TILE_SIZE, monsters, game->enemies.size(), acting / 3000.0, flying / 3000.0, fireballs);
  std::printf("Process: median %.4f ms, p95 %.4f ms, max %.4f ms (target 0.33 ms)\n", pr.median,
              pr.p95, pr.max);
  std::printf("Render:  median %.3f ms, p95 %.3f ms, max %.3f ms at %dx%d (target 8 ms)\n",
              re.median, re.p95, re.max, 18 * TILE_SIZE, 27 * TILE_SIZE);
  std::printf(
      "Render with the fade effect: median %.3f ms, p95 %.3f ms, max %.3f ms; resident memory "
      "%+.1f MiB over the %zu after the first\n",
      ef.median, ef.p95, ef.max, effect_growth, effect.size() - 1);
  std::printf("start to first frame: %.1f ms\n", first_frame);
  std::fflush(stdout);
  _exit(0);
}
