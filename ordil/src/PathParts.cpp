#include "ordil/src/PathParts.h"

#include "ordil/src/Text16.h"

namespace ordil {

PathParts splitPath(std::u16string_view path)
{
    PathParts parts;
    parts.drive = drivePart(path);
    path.remove_prefix(parts.drive.size());
    size_t folderEnd = path.find_last_of(u"\\/");
    folderEnd = folderEnd == std::u16string_view::npos ? 0 : folderEnd + 1;
    parts.folder = path.substr(0, folderEnd);
    std::u16string_view file = path.substr(folderEnd);
    size_t dot = file.rfind(u'.');
    if (dot == std::u16string_view::npos) dot = file.size();
    parts.name = file.substr(0, dot);
    parts.extension = file.substr(dot);
    return parts;
}

}  // namespace ordil
