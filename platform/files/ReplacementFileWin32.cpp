
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/files/ReplacementFile.h"
#include "platform/files/TempName.h"
#include "platform/paths/Paths.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

ReplacementFile::~ReplacementFile()
{
    Discard();
}

bool ReplacementFile::Begin(const std::string& targetPath)
{
    Discard();
    failure_.clear();
    std::string temporary = CreateTempFileIn(FolderOf(targetPath));
    if (temporary.empty()) {
        const int reason = errno;
        failure_ = FolderOf(targetPath) + ": " + std::strerror(reason);
        errno = reason;
        return false;
    }
    targetPath_ = targetPath;
    finalTarget_ = targetPath;
    temporaryPath_ = std::move(temporary);
    return true;
}

bool ReplacementFile::Commit(bool flushToDisk)
{
    if (temporaryPath_.empty()) return false;
    const std::wstring temporary = Widen(temporaryPath_);
    bool flushed = true;
    if (flushToDisk) {
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    if (!flushed || !MoveFileExW(temporary.c_str(), Widen(finalTarget_).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int reason = SetErrnoFromWindows(GetLastError());
        Discard();
        errno = reason;
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void ReplacementFile::Discard()
{
    if (!temporaryPath_.empty()) DeleteFileW(Widen(temporaryPath_).c_str());
    temporaryPath_.clear();
}

void RemoveLeftoverReplacements(const std::string&) {}

}  // namespace platform
