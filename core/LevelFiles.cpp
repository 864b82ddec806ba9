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

void ReportUnreadableLevel(int level) {
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  if (ec) cwd = "(unknown)";
  std::fprintf(stderr, "Kelvara: cannot read the level file %s (working directory: %s)\n",
               LevelFilePath("static_layer", level).c_str(), cwd.c_str());
}
