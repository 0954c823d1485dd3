
#include <windows.h>

#include "platform/files/FileCopy.h"
#include "platform/files/RegularFile.h"
#include "platform/files/SameFile.h"
#include "platform/files/TempName.h"
#include "platform/paths/Paths.h"
#include "platform/win32/WideText.h"

namespace platform {

bool CopyFileOnto(const std::string& source, const std::string& target)
{
    // A pipe or a device (CON) would be read without end.
    if (RegularFileCheck(source).outcome != FileCheck::Outcome::Regular) return false;
    const std::wstring from = Widen(source);
    if (SameFile(source, target)) return true;  // it already holds the content
    const std::wstring to = Widen(target);
    const std::string staged = CreateTempFileIn(FolderOf(target));
    if (staged.empty()) return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
    const std::wstring temporary = Widen(staged);
    if (CopyFileW(from.c_str(), temporary.c_str(), FALSE) &&
        MoveFileExW(temporary.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace platform
