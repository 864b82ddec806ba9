#include "io/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

void Say(std::string* why, const std::string& reason) {
  if (why) *why = reason;
}

}  // namespace

FILE* OpenDataFile(const char* path, std::string* why) {
  // Non-blocking, so that opening a named pipe with no writer returns at once.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    Say(why, std::strerror(errno));
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    Say(why, "not a regular file");
    close(fd);
    return nullptr;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FILE* f = fdopen(fd, "r");
  if (!f) {
    Say(why, std::strerror(errno));
    close(fd);
  }
  return f;
}

bool ReadDataFile(const char* path, size_t max_bytes, std::string* out, std::string* why) {
  out->clear();
  FILE* f = OpenDataFile(path, why);
  if (!f) return false;
  // One byte more than allowed tells a file that is too large.
  std::string content(max_bytes + 1, '\0');
  const size_t n = std::fread(&content[0], 1, content.size(), f);
  const bool failed = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (failed) {
    Say(why, std::strerror(err));
    return false;
  }
  if (n > max_bytes) {
    Say(why, "larger than " + std::to_string(max_bytes) + " bytes");
    return false;
  }
  content.resize(n);
  *out = std::move(content);
  return true;
}
