// Folder existence and creation, and reachability of drives and shares.
// This platform has no drive letters: a path with a drive part names a drive
// that does not exist.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/NativeFs.h"
#include "ordil/src/Text16.h"
#include "ordil/src/UncPath.h"

#include <string>

using namespace ordil;

namespace {

bool directoryExists(std::u16string_view path)
{
    return isUncPath(path) ? canAccess(path) : isFolder(path);
}

std::u16string shareRoot(const UncParts& unc)
{
    return u"\\\\" + unc.server + u'\\' + unc.share;
}

// Appends each folder of `folders` to `base` in turn, creating the ones that
// `exists` denies.
template <typename Exists>
bool createLevels(std::u16string base, std::u16string_view folders, Exists exists)
{
    while (!folders.empty()) {
        size_t end = folders.find_first_of(u"\\/");
        std::u16string_view folder = folders.substr(0, end);
        folders.remove_prefix(end == std::u16string_view::npos ? folders.size() : end + 1);
        if (folder.empty()) continue;
        base += folder;
        if (!exists(base) && !makeFolder(base)) return false;
        base += u'\\';
    }
    return true;
}

bool createDirectory(const char16_t* text)
{
    if (!UtlDirNameValid(text)) return false;
    std::u16string_view path = text;
    if (auto unc = splitUncPath(path)) {
        std::u16string root = shareRoot(*unc) + u'\\';
        if (unc->rest.empty()) return canAccess(root);
        return createLevels(root, unc->rest, [](std::u16string_view level) { return canAccess(level); });
    }
    if (!driveUsable(path)) return false;
    // A drive's root ("C:\") is there whenever the drive is.
    const std::u16string_view drive = drivePart(path);
    path.remove_prefix(drive.size());
    std::u16string base(drive);
    if (!path.empty() && isSeparator(path[0])) base += u'\\';
    return createLevels(base, path, directoryExists);
}

}  // namespace

extern "C" {

int UtlDirectoryCreate(const char16_t* path)
{
    return guarded(0, [&] { return int(path && createDirectory(path)); });
}

int UtlDirectoryExists(const char16_t* path)
{
    return directoryExists(view(path));
}

int UtlDriveExists(const char16_t* path)
{
    return guarded(0, [&] {
        if (!path) return 0;
        if (auto unc = splitUncPath(path)) return int(canAccess(shareRoot(*unc)));
        return int(driveUsable(path));
    });
}

}  // extern "C"
