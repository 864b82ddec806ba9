#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace FMOD {

// A file read in large blocks: the decoders ask for a few bytes at a time (an MP3 frame's header,
// then its body), and a slow disk answers each read in its own time, however small.
class BlockReader {
public:
  static const size_t BLOCK = 128 << 10;

  // Reads `fd` (left open) from its start.
  explicit BlockReader(int fd);
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  // Like read(2): the bytes copied into `out`, 0 at the end, -1 on an error (Error() says it).
  long Read(void* out, size_t bytes);
  // Like lseek(2): the new position, or -1.
  int64_t Seek(int64_t offset, int whence);
  int64_t Tell() const { return at; }
  // The file's length now, or -1.
  int64_t Size();
  // The system's reason for the last failed read; empty while none failed.
  const std::string& Error() const { return error; }

private:
  int fd;
  std::vector<char> block;
  int64_t block_at;  // the file offset of block[0]
  size_t block_fill;
  int64_t at;
  std::string error;
};

}  // namespace FMOD
