#pragma once

#include "Signal.h"

// A stereo tune: left and right of the same length.
struct Stereo {
  Buffer left;
  Buffer right;
};

// The two short jingles, played once.
Stereo MakeVictory();
Stereo MakeGameOver();
// The two level musics: seamless loops (the last sample runs on into the first).
Stereo MakeAmbient1();
Stereo MakeAmbient2();
