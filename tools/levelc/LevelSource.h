#pragma once
#include <string>
#include <vector>

// A level as its author writes it: a theme and a map of 160 lines of
// 20 characters, the top line being the top row of the level (row 159).
//
//   theme forest|dungeon
//   map
//   <160 lines>
//
// Lines starting with '#' outside the map are comments. Row 0 is the last
// line of the map. The meaning of every character is in LevelCompiler.h.
class LevelSource {
public:
  // Reads and checks a source file; false (with Error() telling why) when it
  // cannot be read or is malformed.
  bool Load(const std::string& path);
  // Same, from text already in memory (name is used in messages).
  bool Parse(const std::string& text, const std::string& name);

  int Theme() const { return theme; }
  // Character at (column, row), row 0 at the bottom; cells outside the map read '#'.
  char At(int column, int row) const;
  const std::string& Error() const { return error; }

private:
  int theme = 0;
  std::vector<std::string> rows;  // rows[0] is row 0
  std::string error;
};
