// The conversion branches of the document, one per input kind, and the table
// that picks them by the upper-cased extension. An extension without a branch
// is refused.
#include <algorithm>
#include <exception>
#include <string_view>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace logora {

CDatReaderDoc::Branch CDatReaderDoc::BranchFor(const std::string& upperExtension)
{
    struct Entry
    {
        std::string_view extension;
        Branch branch;
    };
    static const Entry kBranches[] = {
        {".DAT", &CDatReaderDoc::ConvertDat},
        {".DBF", &CDatReaderDoc::LoadDbf},
    };
    const auto found = std::find_if(std::begin(kBranches), std::end(kBranches),
                                    [&](const Entry& entry) { return entry.extension == upperExtension; });
    return found == std::end(kBranches) ? nullptr : found->branch;
}

// The merge with the tag file; without a usable tag file the data file itself
// is loaded. A merge that stops early reports "Convert log file error" and
// loads what was merged.
bool CDatReaderDoc::ConvertDat(const std::string& input)
{
    CTagNameMerger merger;
    if (!merger.Open(input) || !merger.CreateOutput(temporaryTable_.Path())) {
        tableToLoad_ = input;
        return true;
    }
    try {
        merger.Convert();
    } catch (const std::exception&) {
        ReportError(strings::ConvertLogFileError);
        conversionIncomplete_ = true;
    }
    tagNames_ = true;
    return true;
}

bool CDatReaderDoc::LoadDbf(const std::string& input)
{
    tableToLoad_ = input;
    return true;
}

}  // namespace logora
