#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/TestGL.h"

// How long a test waits for what it needs of a program (its window, a frame that shows a key's
// effect, its end) before it fails: enough for a loaded machine under the sanitizers. A test
// that passes waits only as long as the program takes.
const int PROGRAM_DEADLINE_MS = 60000;

// A private X server for one test, so that focus and key events reach only our window.
class PrivateDisplay {
public:
  PrivateDisplay();
  ~PrivateDisplay();
  bool Ok() const { return pid > 0 && !name.empty(); }
  const std::string& Name() const { return name; }

private:
  int pid = -1;
  std::string name;
};

// Runs one of the game programs as a child process.
class ProgramRunner {
public:
  // What the program gets as its standard streams.
  enum Streams {
    STREAMS_FILES,        // stdin as inherited; stdout and stderr to files read by Stdout/Stderr
    STREAMS_NO_STDERR,    // stderr closed
    STREAMS_CLOSED,       // 0, 1 and 2 closed
    STREAMS_BROKEN_PIPE,  // stderr a pipe whose reader has gone
  };

  ~ProgramRunner();
  // Starts `program` in `workdir` with extra environment entries ("NAME=value"), with SIGINT,
  // SIGTERM and SIGPIPE at their default actions.
  bool Start(const std::string& program, const std::string& workdir,
             const std::vector<std::string>& env);
  // Waits up to `timeout_ms` for the program to end; its exit status, or -1 on a timeout / a
  // signal.
  int Wait(int timeout_ms);
  bool Running();
  // Sends `sig` to the program.
  void Signal(int sig);
  // The signal that ended the program, 0 if none did.
  int EndingSignal() const { return ending_signal; }
  std::string Stderr() const;
  std::string Stdout() const;

  Streams streams = STREAMS_FILES;

private:
  int pid = -1;
  int ending_signal = 0;
  std::unique_ptr<TempDir> files;
  std::string out_path, err_path;
};

// Runs a command line through the shell with DISPLAY set; returns its standard output.
std::string RunCapture(const std::string& display, const std::string& cmd, int* status = nullptr);

struct WindowInfo {
  unsigned long id = 0;
  int x = 0, y = 0, w = 0, h = 0;
};
// Finds the window titled `title` (waits up to `timeout_ms`).
bool FindWindow(const std::string& display, const std::string& title, int timeout_ms,
                WindowInfo* info);
// The window's pixels as RGB, top row first.
std::vector<unsigned char> GrabWindow(const std::string& display, unsigned long id, int w, int h);
