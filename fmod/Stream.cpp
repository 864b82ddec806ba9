#include "fmod/Stream.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <thread>

#include "fmod/SoundFile.h"
#include "io/Message.h"

namespace FMOD {

namespace {
// Frames decoded at a time.
const size_t PART_FRAMES = 4096;
// A wake-up that falls between the reader's look and its wait is caught this late at most.
const auto WAIT = std::chrono::milliseconds(20);
}  // namespace

Stream::Stream(const std::string& name)
    : name(name),
      ring(2 * RING_FRAMES),
      written(0),
      taken(0),
      stopped(false),
      ended(false),
      reported(false) {}

Stream::~Stream() {}

std::shared_ptr<Stream> Stream::Play(const std::string& name) {
  std::shared_ptr<Stream> stream(new Stream(name));
  try {
    std::thread(Run, stream).detach();
  } catch (const std::system_error&) {
    return nullptr;
  }
  return stream;
}

size_t Stream::Space() const { return RING_FRAMES - (size_t)(written.load() - taken.load()); }

void Stream::Run(std::shared_ptr<Stream> self) {
  SoundFile file;
  std::string why;
  std::vector<float> part(2 * PART_FRAMES);
  if (file.Open(self->name.c_str(), &why)) {
    while (!self->stopped.load()) {
      if (self->Space() < PART_FRAMES) {
        std::unique_lock<std::mutex> hold(self->lock);
        self->wake.wait_for(hold, WAIT,
                            [&] { return self->stopped.load() || self->Space() >= PART_FRAMES; });
        continue;
      }
      const size_t got = file.Read(part.data(), PART_FRAMES, true);
      if (got == 0) {
        why = file.Error();
        break;
      }
      // Only this thread writes: the frames go in behind what the mixer has yet to take.
      const uint64_t at = self->written.load();
      for (size_t f = 0; f < got; ++f) {
        const size_t slot = (size_t)((at + f) % RING_FRAMES);
        self->ring[2 * slot] = part[2 * f];
        self->ring[2 * slot + 1] = part[2 * f + 1];
      }
      self->written.store(at + got);
    }
  }
  if (self->stopped.load()) return;
  self->why = why;
  self->ended.store(true);
}

void Stream::Stop() {
  {
    std::lock_guard<std::mutex> hold(lock);
    stopped.store(true);
  }
  wake.notify_one();
}

void Stream::Report() {
  if (reported || !ended.load()) return;
  reported = true;
  Say("cannot play the sound file " + name + " any further (" + why + "); it stays silent");
}

void Stream::Fill(int, void* out, int bytes, void* share) {
  Stream& self = **static_cast<std::shared_ptr<Stream>*>(share);
  float* to = static_cast<float*>(out);
  const size_t frames = bytes > 0 ? (size_t)bytes / (2 * sizeof(float)) : 0;
  const uint64_t at = self.taken.load();
  const size_t ready = (size_t)(self.written.load() - at);
  // Only whole stretches while the reader goes on, so that the music starts, or comes back
  // after the disk kept it waiting, at a stretch's start, where the mixer fades in a step.
  const size_t n = ready >= frames ? frames : self.ended.load() ? ready : 0;
  for (size_t f = 0; f < n; ++f) {
    const size_t slot = (size_t)((at + f) % RING_FRAMES);
    to[2 * f] = self.ring[2 * slot];
    to[2 * f + 1] = self.ring[2 * slot + 1];
  }
  std::fill(to + 2 * n, to + 2 * frames, 0.0f);
  if (n == 0) return;
  self.taken.store(at + n);
  self.wake.notify_one();
}

void Stream::Done(int, void* share) {
  auto* held = static_cast<std::shared_ptr<Stream>*>(share);
  (*held)->Stop();
  delete held;
}

}  // namespace FMOD
