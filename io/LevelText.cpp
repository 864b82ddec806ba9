#include "io/LevelText.h"

#include <cctype>

namespace {

int DigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

std::string LevelFilePath(const char* name, int level) {
  char path[32];
  const char* format = level < 10 ? "Levels/%s0%d%s" : "Levels/%s%d%s";
  const int n = std::snprintf(path, sizeof path, format, name, level, ".txt");
  if (n < 0 || n >= static_cast<int>(sizeof path)) return "";
  return path;
}

bool ReadLevelValue(FILE* f, int* value) {
  int c = std::getc(f);
  while (c != EOF && std::isspace(c)) c = std::getc(f);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = std::getc(f);
  }
  int base = 10;
  bool any_digit = false;
  if (c == '0') {
    any_digit = true;
    base = 8;
    c = std::getc(f);
    if (c == 'x' || c == 'X') {
      base = 16;
      any_digit = false;
      c = std::getc(f);
    }
  }
  const long long limit = negative ? 2147483648LL : 2147483647LL;
  long long v = 0;
  while (c != EOF && DigitValue(c) < base) {
    any_digit = true;
    v = v * base + DigitValue(c);
    if (v > limit) return false;
    c = std::getc(f);
  }
  if (!any_digit) return false;
  *value = static_cast<int>(negative ? -v : v);
  // c, the character after the number (or the end of the file), was the separator.
  return true;
}
