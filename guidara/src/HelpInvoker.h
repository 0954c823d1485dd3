#pragma once

#include <cstdint>
#include <string_view>

namespace guidara {

// Looks (help file, context id) up in the process-wide mapping table,
// loading the table first while it is empty, and opens the page found.
// 1 when a page was handed to the default handler, else 0.
int InvokeHelp(std::u16string_view helpFilePath, int32_t contextId);

}  // namespace guidara
