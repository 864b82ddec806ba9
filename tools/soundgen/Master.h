#pragma once

#include <vector>

#include "Signal.h"

// The last steps that make the sounds one set: no DC, matched levels, peaks under a ceiling.
// A loop is treated as a circle: every filter and gain runs on round its end into its start.
typedef std::vector<Buffer*> Channels;

// Second-order high-pass (Butterworth) on every channel.
void HighPass(const Channels& sound, double freq, bool loop);
// Look-ahead peak limiter: the gain glides down over 1.5 ms before a peak and back up with
// the release time, so no sample exceeds `ceiling` and quieter passages pass unchanged.
void Limit(const Channels& sound, double ceiling, double release, bool loop);
void Scale(const Channels& sound, double gain);

// An effect: DC and rumble removed, its A-weighted loudness set, its peaks limited, and
// short fades so it starts and ends at rest.
void MasterEffect(Buffer& effect, double loudness_db, double ceiling_db);
// A level music: rumble removed and brought to an RMS level under a peak ceiling (a few rounds
// of gain, limiting and gentle saturation), all round the loop, which stays seamless.
void MasterLoop(Buffer& left, Buffer& right, double rms_db, double ceiling_db);
