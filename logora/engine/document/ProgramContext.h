#pragma once
// The program's own engine context: its settings file, display options, run
// state and code page. The viewer's shell adds its progress window and
// dialogs. Only main() and the viewer's shell use it, to hand it to the
// documents they create; everything below takes the context it is given.

#include "logora/engine/context/EngineContext.h"

namespace logora {

// Built on first use; the code page is decided then.
EngineContext& ProgramContext();

}  // namespace logora
