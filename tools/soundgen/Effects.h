#pragma once

#include "Signal.h"

// The game's one-shot effects, mono at SAMPLE_RATE.
Buffer MakeSlash();
Buffer MakeSuperSlash();
Buffer MakeHit();
Buffer MakeExplosion();
Buffer MakeFireball();
Buffer MakeSuperFireball();
Buffer MakeArrow();
Buffer MakeDeath();
Buffer MakeToken();
Buffer MakeFail();
Buffer MakeCharged();
