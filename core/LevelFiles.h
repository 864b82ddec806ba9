#pragma once
#include <string>

// Path of a level file, relative to the working directory:
// "Levels/<name>0<level>.txt" below level 10, "Levels/<name><level>.txt" from 10 on.
std::string LevelFilePath(const char* name, int level);

// One line on standard error naming the static layer of `level` that could not
// be read and the working directory it was looked for in.
void ReportUnreadableLevel(int level);
