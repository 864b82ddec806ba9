#include "fmod/BlockReader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace FMOD {

BlockReader::BlockReader(int fd) : fd(fd), block(BLOCK), block_at(0), block_fill(0), at(0) {}

long BlockReader::Read(void* out, size_t bytes) {
  char* to = static_cast<char*>(out);
  size_t done = 0;
  while (done < bytes) {
    if (at < block_at || at >= block_at + (int64_t)block_fill) {
      ssize_t got;
      do got = pread(fd, block.data(), block.size(), at);
      while (got < 0 && errno == EINTR);
      block_at = at;
      block_fill = got > 0 ? (size_t)got : 0;
      if (got < 0) {
        error = std::strerror(errno);
        return done > 0 ? (long)done : -1;
      }
      if (got == 0) break;
    }
    const size_t n = std::min(bytes - done, (size_t)(block_at + (int64_t)block_fill - at));
    std::memcpy(to + done, block.data() + (at - block_at), n);
    done += n;
    at += (int64_t)n;
  }
  return (long)done;
}

int64_t BlockReader::Seek(int64_t offset, int whence) {
  int64_t base = 0;
  if (whence == SEEK_CUR) base = at;
  if (whence == SEEK_END) {
    base = Size();
    if (base < 0) return -1;
  }
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
  if (base + offset < 0) return -1;
  at = base + offset;
  return at;
}

int64_t BlockReader::Size() {
  struct stat st;
  if (fstat(fd, &st) != 0) {
    error = std::strerror(errno);
    return -1;
  }
  return (int64_t)st.st_size;
}

}  // namespace FMOD
