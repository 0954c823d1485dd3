#include "logora/engine/document/TemporaryTable.h"

#include <cstdio>

#include "platform/paths/Paths.h"

namespace logora {

bool CTemporaryTable::Create(const std::string& inputPath)
{
    Delete();
    path_ = platform::CreateUniqueTempFile(platform::TempFolder(), "TMP");
    if (path_.empty()) path_ = platform::CreateUniqueTempFile(platform::FolderOf(inputPath), "TMP");
    return !path_.empty();
}

void CTemporaryTable::Delete()
{
    if (path_.empty()) return;
    std::remove(path_.c_str());
    path_.clear();
}

}  // namespace logora
