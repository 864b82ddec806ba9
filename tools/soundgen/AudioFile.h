#pragma once

#include <string>

#include "Signal.h"

// 16-bit mono PCM .wav at SAMPLE_RATE.
bool WriteWav(const std::string& path, const Buffer& mono);
// Constant-bit-rate MP3 through LAME with its tag frame at the start, so a
// gapless decoder gives back exactly the samples given. `right` empty: mono.
bool WriteMp3(const std::string& path, const Buffer& left, const Buffer& right, int kbps);
