#pragma once

namespace vettle {

// Started without arguments: shows the detect dialog until the user closes
// it. Returns the process exit status (0; the dialog mode carries no verdict).
int RunDialogMode(int argc, char** argv);

}  // namespace vettle
