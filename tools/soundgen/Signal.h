#pragma once

#include <vector>

// Signal helpers shared by the effects and the music.

const int SAMPLE_RATE = 44100;
typedef std::vector<double> Buffer;

int Samples(double seconds);
// Oscillators over a phase in cycles.
double Sine(double phase);
double Saw(double phase);
double Square(double phase, double duty);
double Triangle(double phase);
// Frequency of a MIDI note number.
double NoteFreq(double note);
// Linear attack then exponential decay (decay: seconds to fall by 60 dB).
double AttackDecay(double t, double attack, double decay);
// Attack, then held, then a linear release ending at `length`.
double AttackRelease(double t, double attack, double release, double length);
double Peak(const Buffer& buffer);
// Scales so the largest magnitude is `peak`.
void Normalize(Buffer& buffer, double peak);
void NormalizePair(Buffer& left, Buffer& right, double peak);
// Short fades so a one-shot starts and ends at zero.
void FadeEdges(Buffer& buffer, double in_seconds, double out_seconds);
// Over its last `seconds` the buffer dies away, falling evenly by 60 dB to its end.
void DieAway(Buffer& buffer, double seconds);
