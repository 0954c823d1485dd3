#include "logora/engine/document/TemporaryTable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/paths/Paths.h"

namespace logora {

bool CTemporaryTable::Create(const std::string& inputPath)
{
    Delete();
    failure_.clear();
    const std::string temporaryFolder = platform::TempFolder();
    path_ = platform::CreateUniqueTempFile(temporaryFolder, "TMP");
    if (!path_.empty()) return true;
    const std::string firstReason = std::strerror(errno);
    const std::string inputFolder = platform::FolderOf(inputPath);
    path_ = platform::CreateUniqueTempFile(inputFolder, "TMP");
    if (!path_.empty()) return true;
    failure_ = "no temporary table can be created in " + temporaryFolder + " (" + firstReason + ") or in " +
               inputFolder + " (" + std::strerror(errno) + ")";
    return false;
}

void CTemporaryTable::Delete()
{
    if (path_.empty()) return;
    std::remove(path_.c_str());
    path_.clear();
}

}  // namespace logora
