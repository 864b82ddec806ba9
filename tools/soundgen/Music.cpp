#include "Music.h"

#include <cmath>

#include "Biquad.h"
#include "Master.h"
#include "Reverb.h"
#include "Rng.h"

namespace {
const double JINGLE_PEAK = 0.70;  // about -3 dBFS before encoding
// The game plays music 1 at a quarter and music 2 at a fifth of full volume; as heard there,
// each sits at about -21 dBFS RMS, under the effects but present.
const double MUSIC_HEARD_RMS_DB = -21.0;
const double MUSIC_CEILING_DB = -2.0;  // before encoding

enum Instrument { PAD, BELL, PLUCK, BASS, BRASS, ORGAN, TICK };

// Notes are mixed into a track; in a loop a tail that runs past the end
// comes back in at the start, so the end joins the start.
class Track {
public:
  Track(double seconds, bool loop, uint32_t seed) : loop(loop), rng(seed) {
    out.left.assign(Samples(seconds), 0.0);
    out.right.assign(Samples(seconds), 0.0);
  }

  // start and length in seconds; pan from -1 (left) to 1 (right).
  void Note(double start, double length, double note, Instrument instrument, double gain,
            double pan) {
    Buffer voice = Render(length, NoteFreq(note), instrument);
    double gl = gain * std::sqrt(0.5 * (1.0 - pan));
    double gr = gain * std::sqrt(0.5 * (1.0 + pan));
    long first = Samples(start);
    long n = (long)out.left.size();
    for (size_t i = 0; i < voice.size(); ++i) {
      long at = first + (long)i;
      if (loop)
        at %= n;
      else if (at >= n)
        break;
      out.left[at] += gl * voice[i];
      out.right[at] += gr * voice[i];
    }
  }

  // Adds the room; a loop runs it twice round so its tail wraps too.
  void Room(double wet) {
    Reverb left_room(0.78, 0.35, 0);
    Reverb right_room(0.78, 0.35, 23);
    size_t n = out.left.size();
    Buffer wet_left(n), wet_right(n);
    for (int pass = loop ? 0 : 1; pass < 2; ++pass) {
      for (size_t i = 0; i < n; ++i) {
        wet_left[i] = left_room.Process(out.left[i]);
        wet_right[i] = right_room.Process(out.right[i]);
      }
    }
    for (size_t i = 0; i < n; ++i) {
      out.left[i] += wet * wet_left[i];
      out.right[i] += wet * wet_right[i];
    }
  }

  // A jingle: faded in, and dying away over its last `die_away` seconds.
  Stereo Finish(double die_away) {
    for (Buffer* side : {&out.left, &out.right}) {
      FadeEdges(*side, 0.002, 0.0);
      DieAway(*side, die_away);
    }
    NormalizePair(out.left, out.right, JINGLE_PEAK);
    return out;
  }

  // A loop, for a channel played at `volume`.
  Stereo FinishLoop(double volume) {
    MasterLoop(out.left, out.right, MUSIC_HEARD_RMS_DB - 20.0 * std::log10(volume),
               MUSIC_CEILING_DB);
    return out;
  }

private:
  Buffer Render(double length, double f, Instrument instrument) {
    double tail = instrument == PAD    ? 1.5
                  : instrument == BELL ? 2.5
                  : instrument == TICK ? 0.1
                                       : 0.8;
    Buffer voice(Samples(length + tail), 0.0);
    Biquad filter;
    double phases[3] = {rng.Unit(), rng.Unit(), rng.Unit()};
    for (size_t i = 0; i < voice.size(); ++i) {
      double t = (double)i / SAMPLE_RATE;
      double s = 0.0;
      switch (instrument) {
        case PAD: {
          // Three detuned saws, dark and slowly breathing.
          for (int k = 0; k < 3; ++k) s += Saw(phases[k] + f * (1.0 + 0.003 * (k - 1)) * t);
          filter.LowPass(700.0 + 250.0 * Sine(0.15 * t), 0.7);
          s = filter.Process(s / 3.0) * AttackRelease(t, 0.9, 1.4, length + 1.4);
          break;
        }
        case BELL:
          s = Sine(f * t) + 0.4 * Sine(2.0 * f * t) * AttackDecay(t, 0.001, 0.6) +
              0.15 * Sine(4.2 * f * t) * AttackDecay(t, 0.001, 0.3);
          s *= AttackDecay(t, 0.003, 2.2) * (t < length + 2.4 ? 1.0 : 0.0);
          break;
        case PLUCK:
          filter.LowPass(300.0 + 2800.0 * std::exp(-t * 12.0), 0.9);
          s = filter.Process(Saw(phases[0] + f * t)) *
              AttackDecay(t, 0.004, std::min(0.7, length + 0.3));
          break;
        case BASS:
          s = (Sine(f * t) + 0.25 * Sine(2.0 * f * t)) * AttackDecay(t, 0.01, length + 0.5);
          break;
        case BRASS: {
          double env = AttackRelease(t, 0.04, 0.25, length + 0.25);
          filter.LowPass(500.0 + 3000.0 * env, 1.0);
          s = filter.Process(Saw(phases[0] + f * (t + 0.0003 * Sine(5.5 * t)))) * env;
          break;
        }
        case ORGAN:
          filter.LowPass(1400.0, 0.7);
          s = filter.Process(0.6 * Square(phases[0] + f * t, 0.5) + 0.8 * Sine(0.5 * f * t)) *
              AttackRelease(t, 0.06, 0.5, length + 0.5);
          break;
        case TICK:
          filter.HighPass(6000.0, 0.8);
          s = filter.Process(rng.Noise()) * AttackDecay(t, 0.001, 0.05);
          break;
      }
      voice[i] = s;
    }
    // Every voice starts and ends at rest.
    FadeEdges(voice, 0.0005, 0.01);
    return voice;
  }

  bool loop;
  Rng rng;
  Stereo out;
};

struct Line {
  double beat;
  double note;
  double beats;
};
}  // namespace

Stereo MakeVictory() {
  // Bright rising fanfare in C major; its last chord holds under a ring of bells through the
  // whole sequence and dies away with the fade of the screen.
  const double beat = 60.0 / 150.0;
  const double seconds = 5.9;
  const double hold = seconds / beat - 3.75;  // beats of the last chord, to the end
  Track track(seconds, false, 0x71c7);
  const Line melody[] = {
      {0.0, 72, 0.5},   {0.5, 76, 0.5},   {1.0, 79, 0.5},   {1.5, 84, 1.0},
      {2.75, 79, 0.33}, {3.08, 81, 0.33}, {3.41, 83, 0.34}, {3.75, 84, hold},
  };
  for (const Line& l : melody) {
    track.Note(l.beat * beat, l.beats * beat, l.note, BRASS, 0.5, -0.2);
    track.Note(l.beat * beat, l.beats * beat, l.note + 12, BELL, 0.12, 0.3);
  }
  const double chord[] = {60, 64, 67, 72};
  for (double n : chord) track.Note(3.75 * beat, hold * beat, n, BRASS, 0.18, n < 66 ? 0.4 : -0.4);
  track.Note(3.75 * beat, hold * beat, 48, BASS, 0.4, 0.0);
  const Line bells[] = {{4.75, 84, 0.5}, {5.25, 88, 0.5}, {5.75, 91, 0.5}, {6.25, 96, 0.5},
                        {8.75, 84, 0.5}, {9.25, 88, 0.5}, {9.75, 91, 0.5}, {10.25, 96, 0.5}};
  for (const Line& l : bells) track.Note(l.beat * beat, l.beats * beat, l.note, BELL, 0.08, 0.5);
  track.Room(0.3);
  return track.Finish(1.2);
}

Stereo MakeGameOver() {
  // Slow falling line in C minor, ending low on a long chord and a last toll, held through the
  // whole fade to grey and dying away with it.
  const double beat = 60.0 / 66.0;
  const double seconds = 10.6;
  const double hold = seconds / beat - 4.0;  // beats of the last chord, to the end
  Track track(seconds, false, 0x60e5);
  const Line melody[] = {
      {0.0, 67, 0.9}, {1.0, 65, 0.9}, {2.0, 63, 0.9}, {3.0, 62, 0.9}, {4.0, 60, hold},
  };
  for (const Line& l : melody) track.Note(l.beat * beat, l.beats * beat, l.note, ORGAN, 0.45, -0.1);
  const double chord[] = {48, 55, 60, 63};
  for (double n : chord) track.Note(4.0 * beat, hold * beat, n, PAD, 0.25, n < 58 ? -0.3 : 0.3);
  track.Note(0.0, 3.9 * beat, 43, PAD, 0.2, 0.0);
  track.Note(4.0 * beat, hold * beat, 36, BASS, 0.5, 0.0);
  track.Note(4.0 * beat, 1.0 * beat, 48, BELL, 0.15, 0.2);
  track.Note(8.0 * beat, 1.0 * beat, 43, BELL, 0.2, -0.2);
  track.Room(0.35);
  return track.Finish(1.5);
}

Stereo MakeAmbient1() {
  // D minor, 72 beats a minute, 12 bars of 4: Dm, Bb, Gm, A (3 bars each).
  const double beat = 60.0 / 72.0;
  const int bars = 12;
  Track track(bars * 4 * beat, true, 0xa1b1);
  const double chords[4][4] = {
      {50, 57, 62, 65}, {46, 53, 58, 62}, {43, 50, 55, 58}, {45, 52, 57, 61}};
  for (int c = 0; c < 4; ++c) {
    double start = c * 12 * beat;
    for (int k = 0; k < 4; ++k)
      track.Note(start, 12 * beat, chords[c][k], PAD, 0.22, -0.5 + k / 3.0);
    // A slow heartbeat on the root.
    for (int b = 0; b < 12; b += 2)
      track.Note(start + b * beat, 1.5 * beat, chords[c][0] - 12, BASS, 0.35, 0.0);
  }
  const Line melody[] = {
      {0, 69, 1.5}, {1.5, 74, 0.5}, {2, 77, 2},    {4, 76, 1},      {5, 74, 1},  {6, 69, 2},
      {10, 72, 1},  {11, 74, 1},    {12, 77, 2},   {14, 74, 1},     {15, 70, 1}, {16, 69, 3},
      {22, 65, 1},  {23, 69, 1},    {24, 70, 1.5}, {25.5, 74, 0.5}, {26, 79, 2}, {28, 77, 1},
      {29, 74, 1},  {30, 70, 2},    {34, 69, 1},   {35, 70, 1},     {36, 73, 2}, {38, 76, 2},
      {40, 81, 1},  {41, 79, 1},    {42, 76, 2},   {44, 73, 3},
  };
  for (const Line& l : melody) track.Note(l.beat * beat, l.beats * beat, l.note, BELL, 0.16, 0.35);
  // Quiet ticks on beats two and four keep it uneasy.
  for (int b = 1; b < bars * 4; b += 2) track.Note(b * beat, 0.05, 60, TICK, 0.05, -0.3);
  track.Room(0.3);
  return track.FinishLoop(0.25);
}

Stereo MakeAmbient2() {
  // E minor with a Phrygian F, 90 beats a minute, 16 bars of 4.
  const double beat = 60.0 / 90.0;
  const int bars = 16;
  Track track(bars * 4 * beat, true, 0xa2b2);
  const double chords[8][4] = {
      {52, 59, 64, 67}, {53, 60, 65, 69}, {52, 59, 64, 67}, {50, 57, 62, 66},
      {48, 55, 60, 64}, {53, 60, 65, 69}, {45, 52, 57, 60}, {47, 54, 59, 63},
  };
  const int arpeggio[8] = {0, 2, 1, 3, 2, 1, 3, 2};
  for (int c = 0; c < 8; ++c) {
    double start = c * 8 * beat;
    for (int k = 0; k < 4; ++k) track.Note(start, 8 * beat, chords[c][k], PAD, 0.18, 0.5 - k / 3.0);
    // Pulsing bass in eighths and a low plucked ostinato.
    for (int e = 0; e < 16; ++e) {
      track.Note(start + e * 0.5 * beat, 0.4 * beat, chords[c][0] - 12, BASS,
                 e % 4 == 0 ? 0.3 : 0.18, 0.0);
      track.Note(start + e * 0.5 * beat, 0.4 * beat, chords[c][arpeggio[e % 8]] + 12, PLUCK, 0.10,
                 e % 2 ? 0.4 : -0.4);
    }
  }
  const Line melody[] = {
      {2, 76, 2},  {4, 77, 3},  {10, 79, 1}, {11, 77, 1}, {12, 76, 4}, {26, 74, 2},
      {28, 78, 2}, {30, 81, 2}, {34, 79, 2}, {36, 76, 4}, {42, 77, 2}, {44, 81, 2},
      {50, 84, 2}, {52, 81, 2}, {56, 78, 3}, {59, 75, 3},
  };
  for (const Line& l : melody) track.Note(l.beat * beat, l.beats * beat, l.note, BELL, 0.14, -0.3);
  for (int b = 0; b < bars * 4; ++b) track.Note((b + 0.5) * beat, 0.05, 60, TICK, 0.035, 0.5);
  track.Room(0.3);
  return track.FinishLoop(0.2);
}
