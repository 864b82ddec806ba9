#include "app/ProgramRunner.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

PrivateDisplay::PrivateDisplay() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid = fork();
  if (pid == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    // -noreset: the server does not reset when its last client goes, which would drop a client
    // that connects meanwhile (a program started right after another one ended).
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1920x1080x24", "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    return;
  }
  // Xvfb writes its display number once it accepts connections.
  std::string num;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') num += c;
  close(fds[0]);
  if (!num.empty()) name = ":" + num;
}

PrivateDisplay::~PrivateDisplay() {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
}

ProgramRunner::~ProgramRunner() {
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
}

bool ProgramRunner::Start(const std::string& program, const std::string& workdir,
                          const std::vector<std::string>& env) {
  // The files the program writes its output to, made before it starts, with room enough for
  // what it says (a full disk would lose its words without a trace); it truncates them.
  files = std::make_unique<TempDir>();
  files->Write("out", std::string(64 << 10, ' '));
  files->Write("err", std::string(64 << 10, ' '));
  out_path = files->Path() + "/out";
  err_path = files->Path() + "/err";
  int broken[2] = {-1, -1};
  if (streams == STREAMS_BROKEN_PIPE && pipe(broken) != 0) return false;
  ending_signal = 0;
  pid = fork();
  if (pid == 0) {
    if (chdir(workdir.c_str()) != 0) _exit(126);
    for (const std::string& e : env) putenv(strdup(e.c_str()));
    for (int sig : {SIGINT, SIGTERM, SIGPIPE}) signal(sig, SIG_DFL);
    int out = open(out_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    int err = open(err_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (out >= 0) dup2(out, 1);
    if (err >= 0) dup2(err, 2);
    if (streams == STREAMS_BROKEN_PIPE) {
      close(broken[0]);
      dup2(broken[1], 2);
      close(broken[1]);
    }
    if (streams == STREAMS_NO_STDERR) close(2);
    if (streams == STREAMS_CLOSED)
      for (int fd = 0; fd <= 2; ++fd) close(fd);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // The pipe's only reader goes: the first line written to it raises SIGPIPE.
  if (broken[0] >= 0) close(broken[0]);
  if (broken[1] >= 0) close(broken[1]);
  return pid > 0;
}

int ProgramRunner::Wait(int timeout_ms) {
  if (pid <= 0) return -1;
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) {
      pid = -1;
      if (WIFSIGNALED(status)) ending_signal = WTERMSIG(status);
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

bool ProgramRunner::Running() {
  if (pid <= 0) return false;
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) == pid) {
    pid = -1;
    if (WIFSIGNALED(status)) ending_signal = WTERMSIG(status);
    return false;
  }
  return true;
}

void ProgramRunner::Signal(int sig) {
  if (pid > 0) kill(pid, sig);
}

std::string ProgramRunner::Stderr() const { return ReadFile(err_path); }
std::string ProgramRunner::Stdout() const { return ReadFile(out_path); }

std::string RunCapture(const std::string& display, const std::string& cmd, int* status) {
  std::string full = "DISPLAY=" + display + " " + cmd + " 2>/dev/null";
  FILE* p = popen(full.c_str(), "r");
  if (!p) {
    if (status) *status = -1;
    return "";
  }
  std::string out;
  char buf[256];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int st = pclose(p);
  if (status) *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return out;
}

bool FindWindow(const std::string& display, const std::string& title, int timeout_ms,
                WindowInfo* info) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < end) {
    std::string ids = RunCapture(display, "xdotool search --onlyvisible --name '^" + title + "$'");
    unsigned long id = std::strtoul(ids.c_str(), nullptr, 10);
    if (id != 0) {
      std::string geo =
          RunCapture(display, "xdotool getwindowgeometry --shell " + std::to_string(id));
      int x = -1, y = -1, w = 0, h = 0;
      std::istringstream in(geo);
      std::string line;
      while (std::getline(in, line)) {
        if (line.rfind("X=", 0) == 0) x = std::atoi(line.c_str() + 2);
        if (line.rfind("Y=", 0) == 0) y = std::atoi(line.c_str() + 2);
        if (line.rfind("WIDTH=", 0) == 0) w = std::atoi(line.c_str() + 6);
        if (line.rfind("HEIGHT=", 0) == 0) h = std::atoi(line.c_str() + 7);
      }
      if (w > 0 && h > 0) {
        *info = WindowInfo{id, x, y, w, h};
        return true;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::vector<unsigned char> GrabWindow(const std::string& display, unsigned long id, int w, int h) {
  std::vector<unsigned char> rgb;
  Display* dpy = XOpenDisplay(display.c_str());
  if (!dpy) return rgb;
  XImage* img = XGetImage(dpy, static_cast<Window>(id), 0, 0, w, h, AllPlanes, ZPixmap);
  if (img) {
    rgb.reserve(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        unsigned long p = XGetPixel(img, x, y);
        rgb.push_back(static_cast<unsigned char>((p >> 16) & 0xff));
        rgb.push_back(static_cast<unsigned char>((p >> 8) & 0xff));
        rgb.push_back(static_cast<unsigned char>(p & 0xff));
      }
    XDestroyImage(img);
  }
  XCloseDisplay(dpy);
  return rgb;
}
