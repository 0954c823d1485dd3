#pragma once
// A scratch folder for harnesses that need real files. It is made on first
// use under the temporary folder, which then points into it, so temporary
// tables of the code under test land there too. It is removed with its
// content when the process exits; a folder whose process ended without
// exiting (a crash, a timeout, a kill) is removed by the next harness that
// makes one.

#include <string>

namespace fuzzsupport {

const std::string& ScratchFolder();

}  // namespace fuzzsupport
