#include "guidara/src/PageOpener.h"

#include "common/text/Utf.h"
#include "guidara/src/Diagnostics.h"
#include "guidara/src/HelpFolder.h"
#include "platform/launch/DefaultHandler.h"
#include "platform/paths/PathForms.h"
#include "platform/paths/Paths.h"

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
    // One separator style in the whole path, the one the system writes (the
    // registry's help folder has backslashes on Windows).
    const std::string_view separators = platform::FolderSeparators();
    std::string path = helpFolder;
    if (!path.empty() && separators.find(path.back()) == std::string_view::npos) path += separators.front();
    path += page;
    for (char& c : path) {
        if (separators.find(c) != std::string_view::npos) c = separators.front();
    }
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
    // Callers on Windows get 1 whatever the shell reports, as they always have.
    if (!platform::OpenWithDefaultHandler(path)) {
        Diagnose("the default handler could not be started for " + path);
#ifndef _WIN32
        return 0;
#endif
    }
    return 1;
}

}  // namespace guidara
