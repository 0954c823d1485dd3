#include "logora/engine/document/TemporaryTable.h"

#include <cerrno>
#include <cstring>

#include "platform/paths/Paths.h"

namespace logora {

namespace {

constexpr char kPrefix[] = "TMP";

}  // namespace

bool CTemporaryTable::Create(const std::string& inputPath)
{
    Delete();
    failure_.clear();
    const std::string temporaryFolder = platform::TempFolder();
    if (file_.create(temporaryFolder, kPrefix)) return true;
    const std::string firstReason = std::strerror(errno);
    const std::string inputFolder = platform::FolderOf(inputPath);
    if (file_.create(inputFolder, kPrefix)) return true;
    failure_ = "no temporary table can be created in " + temporaryFolder + " (" + firstReason + ") or in " +
               inputFolder + " (" + std::strerror(errno) + ")";
    return false;
}

void RemoveAbandonedTemporaryTables()
{
    platform::RemoveAbandonedTempFiles(platform::TempFolder(), kPrefix);
}

}  // namespace logora
