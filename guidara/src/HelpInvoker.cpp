#include "guidara/src/HelpInvoker.h"

#include <mutex>
#include <optional>
#include <string>

#include "guidara/src/Diagnostics.h"
#include "guidara/src/EmbeddedTable.h"
#include "guidara/src/HelpMappingTable.h"
#include "guidara/src/PageOpener.h"
#include "guidara/src/WorkingCopy.h"

namespace guidara {

namespace {

// One table per process, kept until the library is unloaded. The lock makes
// calls from several threads safe; callers normally use one thread.
std::mutex tableLock;
HelpMappingTable table;

// Fills the table from the working copy, rewritten from the built-in CSV at
// every load. When the copy cannot be written or read back, the built-in CSV
// itself is used, so help still works on a read-only or full disk.
void LoadTable()
{
    const std::string_view builtIn = EmbeddedMappingTable();
    std::string problem;
    const std::optional<std::string> copy = RefreshWorkingCopy(builtIn, problem);
    if (copy) {
        table.AddRowsFromText(*copy);
    } else {
        Diagnose("working copy " + WorkingCopyFolder().value_or("(no cache folder)") + kWorkingCopyName +
                 " not used: " + problem);
        table.AddRowsFromText(builtIn);
    }
    if (table.IsEmpty())
        Diagnose("the help mapping table has no rows; it is loaded again at the next request");
}

}  // namespace

int InvokeHelp(std::u16string_view helpFilePath, int32_t contextId)
{
    std::u16string page;
    {
        const std::lock_guard<std::mutex> guard(tableLock);
        if (table.IsEmpty()) LoadTable();
        const std::u16string* found = table.FindPage(HelpFileKey(helpFilePath), contextId);
        if (found == nullptr) {
            Diagnose("no page for context id " + std::to_string(contextId) + " of the help file asked for");
            return 0;
        }
        page = *found;
    }
    return OpenHelpPage(page);
}

}  // namespace guidara
