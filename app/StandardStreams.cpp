#include "app/StandardStreams.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

void PrepareStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lower descriptors are open by now, so open() takes this one.
    open("/dev/null", O_RDWR);
  }
  signal(SIGPIPE, SIG_IGN);
}
