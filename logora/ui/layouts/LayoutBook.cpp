#include "logora/ui/layouts/LayoutBook.h"

#include <algorithm>

#include "logora/engine/settings/AppSettings.h"
#include "logora/ui/layouts/LayoutText.h"
#include "platform/settings/KeptText.h"

namespace logora::ui {

namespace {

// Far above kMaxLayouts layouts of wide tables; a larger text is no layouts.
constexpr size_t kMaxTextSize = 16 << 20;

}  // namespace

LayoutBook::LayoutBook(std::unique_ptr<platform::KeptText> kept) : kept_(std::move(kept)) {}

LayoutBook::~LayoutBook() = default;

std::vector<KeptLayout> LayoutBook::Read() const
{
    // Read each time: another instance of the viewer may have kept one since.
    std::optional<std::string> text = kept_->Read(kMaxTextSize);
    return text ? ParseLayouts(*text) : std::vector<KeptLayout>();
}

std::optional<ListLayout> LayoutBook::Find(const std::string& path) const
{
    for (KeptLayout& kept : Read())
        if (kept.path == path) return std::move(kept.layout);
    return std::nullopt;
}

bool LayoutBook::Keep(const std::string& path, ListLayout layout)
{
    std::vector<KeptLayout> layouts = Read();
    std::erase_if(layouts, [&](const KeptLayout& kept) { return kept.path == path; });
    layouts.push_back({path, std::move(layout)});
    if (layouts.size() > kMaxLayouts) layouts.erase(layouts.begin(), layouts.end() - kMaxLayouts);
    return kept_->Write(LayoutsText(layouts));
}

bool LayoutBook::Forget(const std::string& path)
{
    std::vector<KeptLayout> layouts = Read();
    if (std::erase_if(layouts, [&](const KeptLayout& kept) { return kept.path == path; }) == 0) return true;
    return kept_->Write(LayoutsText(layouts));
}

LayoutBook& ViewerLayouts()
{
    static LayoutBook book(platform::OpenKeptText({.company = std::string(settings::kCompanyKey),
                                                   .application = std::string(settings::kApplicationKey),
                                                   .subkey = "Layouts",
                                                   .folder = "logora",
                                                   .file = "layouts"}));
    return book;
}

}  // namespace logora::ui
