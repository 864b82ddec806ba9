#include "core/LevelFiles.h"

#include <filesystem>
#include <system_error>

#include "io/Message.h"

void ReportLevelFault(int level, LevelFault fault, const std::string& why) {
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
  if (!why.empty()) what += " (" + why + ")";
  Say(what + " (working directory: " + cwd + ")");
}
