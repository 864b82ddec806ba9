#pragma once

// Axis-aligned box in world pixels, y upward. Covers left <= x < right and
// bottom <= y < top, so boxes that only touch do not overlap.
struct cRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
