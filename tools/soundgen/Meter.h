#pragma once

#include <vector>

#include "Signal.h"

// Measures of a sound as a listener hears it: levels are linear, 1.0 being full scale,
// and every measure takes all the sound's channels together.
namespace Meter {

typedef std::vector<Buffer> Channels;

double Peak(const Channels& sound);
double Rms(const Channels& sound);
// The mean of the channel that lies furthest from zero (signed).
double Dc(const Channels& sound);
// A-weighted RMS of the part that sounds: the 10 ms blocks within 20 dB of the loudest one.
double Loudness(const Channels& sound);
// Share of the energy below, or above, a frequency (a fourth-order Butterworth split).
double ShareBelow(const Channels& sound, double freq);
double ShareAbove(const Channels& sound, double freq);
// RMS of each block of `seconds`, from the start (a last, shorter block included).
std::vector<double> BlockRms(const Channels& sound, double seconds);

// Decibels of a level (-200 for silence).
double Db(double level);

}  // namespace Meter
