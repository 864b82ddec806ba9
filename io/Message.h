#pragma once
#include <string>

// The game's one voice on standard error: Say("cannot read ...") writes the line
// "Kelvara: cannot read ...". A line already said in this process is not said again, so a
// fault found at start-up is not repeated when the next level loads the same file.
void Say(const std::string& text);

// Forgets every line said so far (for tests that run several set-ups in one process).
void ForgetSaidLines();
