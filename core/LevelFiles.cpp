#include "core/LevelFiles.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

std::string LevelFilePath(const char* name, int level) {
  char path[32];
  const char* format = level < 10 ? "Levels/%s0%d%s" : "Levels/%s%d%s";
  if (std::snprintf(path, sizeof(path), format, name, level, ".txt") < 0) path[0] = '\0';
  return path;
}

void ReportLevelFault(int level, LevelFault fault) {
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  if (ec) cwd = "(unknown)";
  const std::string dynamic = LevelFilePath("dynamic_layer", level);
  std::string what;
  switch (fault) {
    case LEVEL_FAULT_DYNAMIC_UNREADABLE: what = "cannot read the level file " + dynamic; break;
    case LEVEL_FAULT_NO_PLAYER1:
      what = "the level file " + dynamic + " places no start for player 1";
      break;
    case LEVEL_FAULT_NO_PLAYER2:
      what = "the level file " + dynamic + " places no start for player 2";
      break;
    case LEVEL_FAULT_NO_PLAYERS:
      what = "the level file " + dynamic + " places no start for player 1 or for player 2";
      break;
    default: what = "cannot read the level file " + LevelFilePath("static_layer", level); break;
  }
  std::fprintf(stderr, "Kelvara: %s (working directory: %s)\n", what.c_str(), cwd.c_str());
}
