#pragma once
#include <string>

#include "io/LevelText.h"

// Why a level could not be set up.
enum LevelFault {
  LEVEL_FAULT_NONE = 0,
  LEVEL_FAULT_STATIC_UNREADABLE,   // the static layer cannot be read
  LEVEL_FAULT_DYNAMIC_UNREADABLE,  // the dynamic layer cannot be opened
  LEVEL_FAULT_NO_PLAYER1,          // the dynamic layer places no start for player 1
  LEVEL_FAULT_NO_PLAYER2,          // ... for player 2
  LEVEL_FAULT_NO_PLAYERS           // ... for either player
};

// Says one line naming the file of `level` behind `fault`, what is wrong with it, the reason
// `why` when there is one (the system's, for a file that cannot be read) and the working
// directory it was looked for in.
void ReportLevelFault(int level, LevelFault fault, const std::string& why = "");
