#pragma once

namespace logora::ui {

// Which records Save Shown writes: all in the list's order, those the
// filter shows, or the selected ones.
enum class ShownScope { All, Filtered, Selected };

}  // namespace logora::ui
