#include <windows.h>

#include <shlobj.h>

#include "platform/userfiles/CacheFolder.h"
#include "platform/win32/WideText.h"

namespace platform {

// On Windows the working files of the product family live in the all-users
// documents folder.
std::optional<std::string> UserCacheFolder()
{
    wchar_t* path = nullptr;
    std::optional<std::string> folder;
    if (SHGetKnownFolderPath(FOLDERID_PublicDocuments, KF_FLAG_DEFAULT, nullptr, &path) == S_OK)
        folder = Narrow(path);
    CoTaskMemFree(path);
    return folder;
}

bool MakePrivateFolders(const std::string& path, std::error_code& error)
{
    for (size_t separator = path.find_first_of("\\/", 3);;
         separator = path.find_first_of("\\/", separator + 1)) {
        const std::string level = path.substr(0, separator);
        if (!CreateDirectoryW(Widen(level).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            error.assign(int(GetLastError()), std::system_category());
            return false;
        }
        if (separator == std::string::npos) return true;
    }
}

}  // namespace platform
