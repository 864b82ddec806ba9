#include "fmod/AudioTestKit.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "fmod/SoundFile.h"
#include "support/TestGL.h"

namespace AudioTestKit {

void UseDriver(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }

void UseDiskOutput(const std::string& path) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
}

std::vector<int16_t> ReadMix(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / sizeof(float));
  for (size_t i = 0; i < samples.size(); ++i) {
    float x;
    std::memcpy(&x, &bytes[i * sizeof(float)], sizeof x);
    samples[i] = (int16_t)(std::max(-1.0f, std::min(1.0f, x)) * 32767.0f);
  }
  return samples;
}

static void Put(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back((char)(v >> (8 * i)));
}

std::string WavHeader(int format, int channels, int rate, int bits, uint32_t data_bytes) {
  std::string out = "RIFF";
  Put(out, 36 + data_bytes, 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, format, 2);
  Put(out, channels, 2);
  Put(out, rate, 4);
  Put(out, rate * channels * bits / 8, 4);
  Put(out, channels * bits / 8, 2);
  Put(out, bits, 2);
  out += "data";
  Put(out, data_bytes, 4);
  return out;
}

std::string MidiFile() {
  return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\0\xff\x2f\0", 26);
}

std::string BuiltSound(const char* name) {
  std::ifstream in(std::string(KELVARA_DATA_DIR) + "/Sounds/" + name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Joined(const char* name, int copies) {
  std::string one = BuiltSound(name), all;
  for (int i = 0; i < copies; ++i) all += one;
  return all;
}

std::string DamagedMp3() {
  std::string bytes = BuiltSound("ambient1.mp3");
  for (size_t i = 1000; i < bytes.size(); i += 50) bytes[i] = (char)(i * 2654435761u >> 24);
  return bytes;
}

std::string ToneWav(double seconds, double freq, double amplitude) {
  int n = (int)(seconds * 44100);
  std::string out = WavHeader(1, 1, 44100, 16, n * 2);
  for (int i = 0; i < n; ++i) {
    double v = amplitude * 32767.0 * std::sin(2.0 * M_PI * freq * i / 44100.0);
    Put(out, (uint16_t)(int16_t)std::lround(v), 2);
  }
  return out;
}

std::string ToneFile(int format, double seconds, int rate, const std::vector<double>& freqs) {
  TempDir dir;
  const std::string path = dir.Path() + "/tone";
  SF_INFO info = {};
  info.samplerate = rate;
  info.channels = (int)freqs.size();
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) return std::string();
  const size_t frames = (size_t)(seconds * rate);
  std::vector<float> samples(frames * freqs.size());
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = 0.5f * (float)std::sin(2.0 * M_PI * freqs[i % freqs.size()] *
                                        (double)(i / freqs.size()) / rate);
  sf_writef_float(file, samples.data(), (sf_count_t)frames);
  sf_close(file);
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Decode(const std::string& path, std::vector<int16_t>* samples, size_t looped) {
  samples->clear();
  std::vector<float> mix(2 * looped);
  std::string why;
  FMOD::SoundFile file;
  if (looped ? !file.Open(path.c_str(), &why) || file.Read(mix.data(), looped, true) != looped
             : !FMOD::SoundFile::Load(path.c_str(), &mix, &why))
    return false;
  samples->resize(mix.size());
  // The same conversion as ReadMix's.
  for (size_t i = 0; i < mix.size(); ++i)
    (*samples)[i] = (int16_t)(std::max(-1.0f, std::min(1.0f, mix[i])) * 32767.0f);
  return true;
}

double Pitch(const std::vector<int16_t>& samples, int side, double seconds) {
  const size_t from = 2 * (size_t)(seconds * 44100) + side, to = from + 2 * 4410;
  int crossings = 0;
  for (size_t i = from + 2; i < std::min(to, samples.size()); i += 2)
    crossings += (samples[i - 2] < 0) != (samples[i] < 0);
  return crossings / 2.0 / 0.1;
}

int Peak(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < std::min(to, samples.size()); ++i)
    peak = std::max(peak, std::abs((int)samples[i]));
  return peak;
}

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  to = std::min(to, samples.size());
  if (to <= from) return 0.0;
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += (double)samples[i] * samples[i];
  return std::sqrt(sum / (to - from));
}

size_t FirstAbove(const std::vector<int16_t>& samples, int above) {
  for (size_t i = 0; i < samples.size(); ++i)
    if (std::abs((int)samples[i]) > above) return i;
  return samples.size();
}

int ChannelsPlaying() {
  // SDL_mixer must not be asked once its output is closed.
  if (!Mix_QuerySpec(nullptr, nullptr, nullptr)) return 0;
  return Mix_Playing(-1);
}

bool Eventually(const std::function<bool()>& done) {
  for (int waited = 0; !done(); waited += 5) {
    if (waited >= MIX_DEADLINE_MS) return false;
    SleepMs(5);
  }
  return true;
}

bool Ends(int channel) {
  return Eventually([channel] { return !Mix_Playing(channel); });
}

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

StderrCapture::StderrCapture() : open(true) { ::testing::internal::CaptureStderr(); }

StderrCapture::~StderrCapture() { Take(); }

std::string StderrCapture::Take() {
  if (!open) return std::string();
  open = false;
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace AudioTestKit
