#pragma once

// From now on a display that goes away is said once in the game's voice, and the program ends
// at once with status 1: "the connection to the display was lost" when the connection breaks
// (the X server ended, or the game's client was killed), or the request that the display
// refused and why (the window was destroyed under the game). Nothing is said after that line:
// the exit handlers (freeglut's closes the display) would only talk to what is gone, and Xlib
// would answer in its own words.
void HandleDisplayErrors();
