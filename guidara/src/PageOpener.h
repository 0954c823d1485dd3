#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guidara {

// The page file as a relative path with slashes, or nullopt when it is
// empty, absolute, not valid UTF-16 or has a ".." component: a page must
// stay inside the help folder.
std::optional<std::string> PageInsideHelpFolder(std::u16string_view pageFile);

// Joins the help folder and the page, adding a separator only when the
// folder does not end in one, writes every separator as the system does, and
// makes the result absolute so that the handler never mistakes it for an
// option.
std::string PagePath(const std::string& helpFolder, const std::string& page);

// Opens `pageFile` below the help folder with the default handler; 1 when
// the handler was started (on Windows whether or not it was), else 0.
int OpenHelpPage(std::u16string_view pageFile);

}  // namespace guidara
