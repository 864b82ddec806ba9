#pragma once

#include <cstdio>
#include <string>

namespace FMOD {

// While it lives, whatever is written to standard error (file descriptor 2) goes to a
// temporary file instead of the terminal: the decoders under SDL_mixer print their own
// complaints, often hundreds of lines, none of them naming the file. Caught() reads back
// what was written so far.
class StderrTrap {
public:
  StderrTrap();
  ~StderrTrap();
  StderrTrap(const StderrTrap&) = delete;
  StderrTrap& operator=(const StderrTrap&) = delete;

  std::string Caught();

private:
  int saved;
  std::FILE* catcher;
};

}  // namespace FMOD
