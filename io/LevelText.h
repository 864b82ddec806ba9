#pragma once
#include <cstdio>
#include <string>

// The text of the level files: their paths and their numbers.

// Path of a level file, relative to the working directory, formed in 32 characters:
// "Levels/<name>0<level>.txt" below level 10, "Levels/<name><level>.txt" from 10 on. Empty when
// it does not fit (a level number too long), so that no other file is read in its place.
std::string LevelFilePath(const char* name, int level);

// Reads one value the way "%i" does (white space skipped, an optional sign, hexadecimal after
// 0x, octal after a leading 0), then consumes the one separator character that follows it,
// whatever it is. False at the end of the file, on text that is not a number and on a number
// that an int cannot hold.
bool ReadLevelValue(FILE* f, int* value);
