#pragma once
// Whether the program's standard streams reach a person at a terminal, which
// decides whether a self-updating progress line is worth drawing.

namespace platform {

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

}  // namespace platform
