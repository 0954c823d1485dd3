#include "logora/engine/document/TemporaryTable.h"

#include <cerrno>
#include <cstring>

#include "platform/paths/Paths.h"

namespace logora {

namespace {

constexpr char kPrefix[] = "TMP";
// A suffix no other program gives its files: the clean-up at start must find
// our tables among the files of everyone else in the temporary folder.
constexpr char kSuffix[] = ".logora.tmp";

}  // namespace

bool TemporaryTable::Create(const std::string& inputPath)
{
    Delete();
    failure_.clear();
    const std::string temporaryFolder = platform::TempFolder();
    if (file_.create(temporaryFolder, kPrefix, kSuffix)) return true;
    const std::string firstReason = std::strerror(errno);
    const std::string inputFolder = platform::FolderOf(inputPath);
    if (file_.create(inputFolder, kPrefix, kSuffix)) return true;
    failure_ = "no temporary table can be created in " + temporaryFolder + " (" + firstReason + ") or in " +
               inputFolder + " (" + std::strerror(errno) + ")";
    return false;
}

void RemoveAbandonedTemporaryTables()
{
    platform::RemoveAbandonedTempFiles(platform::TempFolder(), kPrefix, kSuffix);
}

}  // namespace logora
