#pragma once
// The layouts kept for the files last opened, by absolute path, in the
// user's kept text (platform KeptText). Each change is written at once; a
// kept text that is damaged or of another form counts as holding none.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logora/ui/layouts/ListLayout.h"

namespace platform {
class KeptText;
}

namespace logora::ui {

class LayoutBook
{
public:
    // Layouts beyond this many are dropped, the longest unused first.
    static constexpr size_t kMaxLayouts = 200;

    explicit LayoutBook(std::unique_ptr<platform::KeptText> kept);
    ~LayoutBook();

    std::optional<ListLayout> Find(const std::string& path) const;
    // Keeps `layout` as the newest; false when it could not be written.
    bool Keep(const std::string& path, ListLayout layout);
    bool Forget(const std::string& path);

private:
    std::vector<KeptLayout> Read() const;

    std::unique_ptr<platform::KeptText> kept_;
};

// The viewer's book, in the program's profile.
LayoutBook& ViewerLayouts();

}  // namespace logora::ui
