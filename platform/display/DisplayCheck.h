#pragma once
// Whether a Qt window can be shown. Qt aborts the whole process when its
// platform cannot reach a display, so a program checks before it creates its
// application object and, without a display, says what is missing instead.

#include <string>

namespace platform {

// True when the platform Qt will use (QT_QPA_PLATFORM, or X11 or Wayland when
// that is unset) has what it needs: offscreen and minimal need nothing, X11 a
// DISPLAY that opens, Wayland a WAYLAND_DISPLAY. Otherwise false, with
// `missing` saying what is missing.
bool CanShowWindows(std::string& missing);

}  // namespace platform
