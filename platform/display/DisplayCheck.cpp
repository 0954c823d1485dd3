#include "platform/display/DisplayCheck.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace platform {

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool XDisplayReachable(std::string& missing)
{
    const std::string display = Variable("DISPLAY");
    if (display.empty()) {
        missing = "DISPLAY is unset or empty";
        return false;
    }
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!opened) missing = "the X display \"" + display + "\" cannot be opened";
    return opened;
}

bool WaylandDisplayNamed(std::string& missing)
{
    if (!Variable("WAYLAND_DISPLAY").empty()) return true;
    missing = "WAYLAND_DISPLAY is unset or empty";
    return false;
}

// One entry of Qt's platform list, a name with optional ":" arguments.
bool PlatformUsable(std::string_view entry, std::string& missing)
{
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name.empty()) return false;
    if (name == "xcb") return XDisplayReachable(missing);
    if (name.starts_with("wayland")) return WaylandDisplayNamed(missing);
    return true;  // offscreen, minimal, framebuffer or VNC: no display server
}

}  // namespace

bool CanShowWindows(std::string& missing)
{
    const std::string platforms = Variable("QT_QPA_PLATFORM");
    if (platforms.empty()) {
        std::string noWayland;
        if (WaylandDisplayNamed(noWayland) || XDisplayReachable(missing)) return true;
        missing += " and " + noWayland;
        return false;
    }
    // Qt tries the entries of a ";" list in turn.
    missing = "QT_QPA_PLATFORM names no platform";
    for (size_t start = 0; start <= platforms.size();) {
        const size_t end = std::min(platforms.find(';', start), platforms.size());
        if (PlatformUsable(std::string_view(platforms).substr(start, end - start), missing)) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace platform
