#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Helpers for the sound tests: choosing SDL's audio driver, reading what the
// "disk" driver wrote, decoding files and making small WAV files.
namespace AudioTestKit {

// Makes the next audio output opened in this process use `driver`.
void UseDriver(const char* driver);
// Makes the next audio output write its mix (float stereo, 44.1 kHz) to `path`.
void UseDiskOutput(const std::string& path);
// The mix written by the disk driver as a 16-bit device receives it, interleaved left/right.
std::vector<int16_t> ReadMix(const std::string& path);

// The 44-byte header of a WAV file (format 1: PCM) whose data chunk holds `data_bytes`.
std::string WavHeader(int format, int channels, int rate, int bits, uint32_t data_bytes);
// A small MIDI file (one empty track).
std::string MidiFile();
// The bytes of a built file of Sounds/.
std::string BuiltSound(const char* name);
// A built file of Sounds/ joined to itself `copies` times, as cat joins files.
std::string Joined(const char* name, int copies);
// The built Sounds/ambient1.mp3 with every 50th byte past the first 1000 changed.
std::string DamagedMp3();
// Bytes of a mono 16-bit 44.1 kHz WAV file holding a sine tone.
std::string ToneWav(double seconds, double freq, double amplitude);
// Bytes of a file written by libsndfile in `format` (SF_FORMAT_...) holding a sine tone at half
// scale of each frequency given, one channel each.
std::string ToneFile(int format, double seconds, int rate, const std::vector<double>& freqs);

// Decodes a sound file as the sound layer does, into 16-bit stereo at 44.1 kHz: whole, or
// looping for `looped` frames as a stream plays it.
bool Decode(const std::string& path, std::vector<int16_t>* samples, size_t looped = 0);
// The frequency of one side (0 left, 1 right) over 0.1 s from `seconds` in, by its zero crossings.
double Pitch(const std::vector<int16_t>& samples, int side, double seconds);

int Peak(const std::vector<int16_t>& samples, size_t from, size_t to);
double Rms(const std::vector<int16_t>& samples, size_t from, size_t to);
// Index of the first sample whose magnitude exceeds `above`, or size().
size_t FirstAbove(const std::vector<int16_t>& samples, int above);
// Number of SDL_mixer channels playing now (0 while no output is open).
int ChannelsPlaying();
// How long a test waits for the mixer's thread to act: enough for a loaded machine under the
// sanitizers. A test that passes waits only as long as the mixer takes.
const int MIX_DEADLINE_MS = 20000;
// True once `done` holds, looked at every 5 ms for up to MIX_DEADLINE_MS.
bool Eventually(const std::function<bool()>& done);
// True once the channel has ended (a stopped play fades out first).
bool Ends(int channel);
void SleepMs(int ms);

// Captures standard error from its making until Take(), or until it goes, whatever the test
// does: a failed assertion leaves no capture open behind it.
class StderrCapture {
public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;
  std::string Take();

private:
  bool open;
};

}  // namespace AudioTestKit
