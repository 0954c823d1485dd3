#pragma once
// Whether the program's standard streams reach a person at a terminal, which
// decides whether a self-updating progress line is worth drawing.

namespace platform {

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();
// Whether standard error is a terminal that redraws a line in place with
// the escape sequence that clears to its end: not a dumb one (TERM unset,
// empty or "dumb"), and on Windows a console that takes such sequences.
bool StandardErrorRedrawsLines();

}  // namespace platform
