#pragma once

// Position and size of the game window: 18 x 27 tiles, centred on the screen.
struct WindowPlacement {
  int x;
  int y;
  int w;
  int h;
};

WindowPlacement CenteredWindow(int screen_w, int screen_h);
