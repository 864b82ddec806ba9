#pragma once
#include <string>

// Path of a level file, relative to the working directory:
// "Levels/<name>0<level>.txt" below level 10, "Levels/<name><level>.txt" from 10 on.
std::string LevelFilePath(const char* name, int level);

// Why a level could not be set up.
enum LevelFault {
  LEVEL_FAULT_NONE = 0,
  LEVEL_FAULT_STATIC_UNREADABLE,   // the static layer cannot be read
  LEVEL_FAULT_DYNAMIC_UNREADABLE,  // the dynamic layer cannot be opened
  LEVEL_FAULT_NO_PLAYER1,          // the dynamic layer places no start for player 1
  LEVEL_FAULT_NO_PLAYER2,          // ... for player 2
  LEVEL_FAULT_NO_PLAYERS           // ... for either player
};

// One line on standard error naming the file of `level` behind `fault`, what is wrong
// with it and the working directory it was looked for in.
void ReportLevelFault(int level, LevelFault fault);
