#include "fmod/StderrTrap.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace FMOD {

namespace {
// What is read back at most; the rest is dropped.
const size_t MAX_CAUGHT = 64 * 1024;
}  // namespace

StderrTrap::StderrTrap() : saved(-1), catcher(nullptr) {
  std::fflush(stderr);
  catcher = std::tmpfile();
  saved = dup(2);
  if (saved < 0) return;
  int target = catcher ? fileno(catcher) : open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (target < 0 || dup2(target, 2) < 0) {
    close(saved);
    saved = -1;
  }
  if (!catcher && target >= 0) close(target);
}

StderrTrap::~StderrTrap() {
  std::fflush(stderr);
  if (saved >= 0) {
    dup2(saved, 2);
    close(saved);
  }
  if (catcher) std::fclose(catcher);
}

std::string StderrTrap::Caught() {
  std::fflush(stderr);
  if (!catcher || saved < 0) return std::string();
  // Descriptor 2 shares the catcher's offset: read from the start, then go back to the end.
  const off_t end = lseek(fileno(catcher), 0, SEEK_END);
  std::string text(end > 0 ? std::min((size_t)end, MAX_CAUGHT) : 0, '\0');
  const ssize_t n = text.empty() ? 0 : pread(fileno(catcher), &text[0], text.size(), 0);
  text.resize(n > 0 ? (size_t)n : 0);
  return text;
}

}  // namespace FMOD
