#include "guidara/src/PageOpener.h"

#include "common/text/Utf.h"
#include "guidara/src/Diagnostics.h"
#include "guidara/src/HelpFolder.h"
#include "platform/launch/DefaultHandler.h"
#include "platform/paths/PathForms.h"

namespace guidara {

std::optional<std::string> PageInsideHelpFolder(std::u16string_view pageFile)
{
    std::optional<std::string> page = common::Utf16ToUtf8(pageFile);
    if (!page || page->empty()) return std::nullopt;
    // Page files are written with backslashes, as on the product's origin.
    for (char& c : *page) {
        if (c == '\\') c = '/';
    }
    if (page->front() == '/') return std::nullopt;
    size_t start = 0;
    while (start <= page->size()) {
        size_t end = page->find('/', start);
        if (end == std::string::npos) end = page->size();
        if (std::string_view(*page).substr(start, end - start) == "..") return std::nullopt;
        start = end + 1;
    }
    return page;
}

std::string PagePath(const std::string& helpFolder, const std::string& page)
{
    std::string path = helpFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += page;
    return platform::AbsolutePath(path);
}

int OpenHelpPage(std::u16string_view pageFile)
{
    const std::optional<std::string> page = PageInsideHelpFolder(pageFile);
    if (!page) {
        Diagnose(
            "page file refused: it is empty, absolute, leads outside the help folder or is not valid text");
        return 0;
    }
    const std::optional<std::string> folder = ResolveHelpFolder();
    if (!folder) return 0;
    const std::string path = PagePath(*folder, *page);
    if (!platform::OpenWithDefaultHandler(path)) {
        Diagnose("could not start xdg-open for " + path);
        return 0;
    }
    return 1;
}

}  // namespace guidara
