#include "ordil/src/UncPath.h"

#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/Text16.h"

namespace ordil {

bool isUncPath(std::u16string_view path)
{
    if (path.size() <= 2 || path.size() > UTL_MAX_PATH || path.substr(0, 2) != u"\\\\") return false;
    size_t serverEnd = path.find_first_of(u"\\/", 2);
    if (serverEnd == 2 || serverEnd == std::u16string_view::npos) return false;
    size_t shareStart = serverEnd + 1;
    return shareStart < path.size() && !isSeparator(path[shareStart]);
}

std::optional<UncParts> splitUncPath(std::u16string_view path)
{
    if (!isUncPath(path)) return std::nullopt;
    UncParts parts;
    int index = 0;
    while (!path.empty()) {
        size_t end = path.find_first_of(u"\\/");
        std::u16string_view token = path.substr(0, end);
        path.remove_prefix(end == std::u16string_view::npos ? path.size() : end + 1);
        if (token.empty()) continue;
        if (index == 0) {
            parts.server = token;
        } else if (index == 1) {
            parts.share = token;
        } else {
            if (!parts.rest.empty()) parts.rest += u'\\';
            parts.rest += token;
        }
        ++index;
    }
    return parts;
}

std::optional<std::u16string> pathRoot(std::u16string_view path)
{
    if (path.substr(0, 2) == u"\\\\") {
        size_t serverEnd = path.find(u'\\', 2);
        if (serverEnd == std::u16string_view::npos || serverEnd + 1 >= path.size()) return std::nullopt;
        size_t shareEnd = path.find(u'\\', serverEnd + 1);
        if (shareEnd == std::u16string_view::npos) return std::u16string(path) + u'\\';
        return std::u16string(path.substr(0, shareEnd + 1));
    }
    if (path.size() >= 3 && path[1] == u':' && path[2] == u'\\') return std::u16string(path.substr(0, 3));
    return std::u16string();
}

}  // namespace ordil

extern "C" int UtlIsUNCPath(const char16_t* path)
{
    return ordil::isUncPath(ordil::view(path));
}
