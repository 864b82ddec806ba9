#include "tools/levelc/LevelSource.h"

#include <fstream>
#include <sstream>

#include "common/Globals.h"
#include "tools/texgen/TilesetLayout.h"

namespace {
std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}
}  // namespace

bool LevelSource::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be opened";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str(), path);
}

bool LevelSource::Parse(const std::string& text, const std::string& name) {
  static const std::string kKnown = ".,\"#Bt~=obfpxTS^v*12mah";
  rows.clear();
  error.clear();
  bool have_theme = false, in_map = false;
  std::vector<std::string> lines_top_first;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string where = name + ":" + std::to_string(number) + ": ";
    if (!in_map) {
      line = TrimRight(line);
      if (line.empty() || line[0] == '#') continue;
      if (line == "theme forest" || line == "theme dungeon") {
        theme = line == "theme forest" ? TilesetLayout::FOREST : TilesetLayout::DUNGEON;
        have_theme = true;
      } else if (line == "map") {
        in_map = true;
      } else {
        error = where + "expected 'theme forest', 'theme dungeon' or 'map'";
        return false;
      }
      continue;
    }
    // Inside the map a trailing comment may follow the 20 cells after blanks.
    line = TrimRight(line);
    if (line.empty() && int(lines_top_first.size()) == MAP_ROWS) continue;
    const std::string cells = line.substr(0, MAP_COLS);
    if (int(cells.size()) != MAP_COLS ||
        (line.size() > size_t(MAP_COLS) && line[MAP_COLS] != ' ')) {
      error = where + "a map line holds exactly " + std::to_string(MAP_COLS) + " cells";
      return false;
    }
    if (int(lines_top_first.size()) == MAP_ROWS) {
      error = where + "the map has more than " + std::to_string(MAP_ROWS) + " lines";
      return false;
    }
    for (int c = 0; c < MAP_COLS; ++c)
      if (kKnown.find(cells[size_t(c)]) == std::string::npos) {
        error = where + "unknown cell '" + std::string(1, cells[size_t(c)]) + "' in column " +
                std::to_string(c);
        return false;
      }
    lines_top_first.push_back(cells);
  }
  if (!have_theme) {
    error = name + ": no theme line";
    return false;
  }
  if (int(lines_top_first.size()) != MAP_ROWS) {
    error = name + ": the map has " + std::to_string(lines_top_first.size()) + " lines, not " +
            std::to_string(MAP_ROWS);
    return false;
  }
  rows.assign(lines_top_first.rbegin(), lines_top_first.rend());
  return true;
}

char LevelSource::At(int column, int row) const {
  if (column < 0 || column >= MAP_COLS || row < 0 || row >= int(rows.size())) return '#';
  return rows[size_t(row)][size_t(column)];
}
