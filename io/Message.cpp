#include "io/Message.h"

#include <cstdio>
#include <set>

namespace {

std::set<std::string>& SaidLines() {
  static std::set<std::string> lines;
  return lines;
}

}  // namespace

void Say(const std::string& text) {
  if (!SaidLines().insert(text).second) return;
  std::fprintf(stderr, "Kelvara: %s\n", text.c_str());
  std::fflush(stderr);
}

void ForgetSaidLines() { SaidLines().clear(); }
