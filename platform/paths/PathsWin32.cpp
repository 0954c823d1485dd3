#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "platform/paths/Paths.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string WithoutTrailingSeparator(std::string path)
{
    // "C:\" and "\" stay as they are: without the separator they name
    // something else.
    while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != ':') path.pop_back();
    return path;
}

std::string KnownFolder(const KNOWNFOLDERID& id)
{
    wchar_t* path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) folder = Narrow(path);
    CoTaskMemFree(path);
    return folder;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string ExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string TempFolder()
{
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length == 0 ? std::string(".")
                       : WithoutTrailingSeparator(Narrow(std::wstring_view(buffer, length)));
}

std::string ConfigHome()
{
    return KnownFolder(FOLDERID_RoamingAppData);
}

std::string UserStateFolder()
{
    return KnownFolder(FOLDERID_LocalAppData);
}

std::string HomeFolder()
{
    return KnownFolder(FOLDERID_Profile);
}

bool IsSharedProgramFolder(const std::string& folder)
{
    const std::wstring path = Widen(folder);
    // The 64-bit folder is unknown to a 32-bit program, which asks in vain.
    for (const KNOWNFOLDERID* id :
         {&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesX64}) {
        const std::wstring shared = Widen(KnownFolder(*id));
        if (shared.empty() || path.size() < shared.size()) continue;
        const bool inside =
            path.size() == shared.size() || path[shared.size()] == L'\\' || path[shared.size()] == L'/';
        if (inside && CompareStringOrdinal(path.data(), int(shared.size()), shared.data(), int(shared.size()),
                                           TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

std::string_view FolderSeparators()
{
    return "\\/";
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    if (IsSeparator(folder.back())) return folder + name;
    // Keep to the separator the folder is written with.
    const bool forward = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    return folder + (forward ? "/" : "\\") + name;
}

std::string FolderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
    return path.substr(0, separator);
}

std::string FileNameOf(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    return path.substr(separator + 1);
}

bool MakeFolders(const std::string& folder)
{
    if (folder.empty() || IsFolder(folder)) return true;
    const std::string parent = FolderOf(folder);
    if (parent != folder && parent != "." && !MakeFolders(parent)) return false;
    // Another process may make it meanwhile; a file of that name is no folder.
    return CreateDirectoryW(Widen(folder).c_str(), nullptr) ||
           (GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(folder));
}

}  // namespace platform
