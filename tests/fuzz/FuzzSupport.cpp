#include "FuzzSupport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

void FuzzWriteFile(const char* rel, const uint8_t* data, size_t size) {
  static bool entered = false;
  if (!entered) {
    char tmpl[] = "/tmp/kelvara-fuzz-XXXXXX";
    if (!mkdtemp(tmpl) || chdir(tmpl) != 0) std::abort();
    mkdir("Levels", 0700);
    mkdir("Textures", 0700);
    mkdir("Sounds", 0700);
    entered = true;
  }
  FILE* f = std::fopen(rel, "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}
