// levelc: compiles a level source into the game's static and dynamic layer files.
//   levelc <source.txt> <static_layerNN.txt> <dynamic_layerNN.txt>
#include <cstdio>
#include <fstream>

#include "tools/levelc/LevelCompiler.h"
#include "tools/levelc/LevelSource.h"

static bool WriteFile(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  return bool(out);
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: levelc <source> <static layer> <dynamic layer>\n");
    return 2;
  }
  LevelSource source;
  if (!source.Load(argv[1])) {
    std::fprintf(stderr, "levelc: %s\n", source.Error().c_str());
    return 1;
  }
  LevelCompiler compiler(source);
  const std::string problem = compiler.Check();
  if (!problem.empty()) {
    std::fprintf(stderr, "levelc: %s: %s\n", argv[1], problem.c_str());
    return 1;
  }
  if (!WriteFile(argv[2], compiler.StaticText()) || !WriteFile(argv[3], compiler.DynamicText())) {
    std::fprintf(stderr, "levelc: cannot write the level files\n");
    return 1;
  }
  return 0;
}
