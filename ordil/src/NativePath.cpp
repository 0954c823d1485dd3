#include "ordil/src/NativePath.h"

#include "ordil/src/Text16.h"
#include "ordil/src/UncPath.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

namespace ordil {

namespace {

constexpr const char* kShareRootsVariable = "ORDIL_SHARE_ROOTS";
constexpr std::string_view kDefaultShareRoots = "/mnt:/media";

std::vector<std::string> shareRoots()
{
    const char* configured = std::getenv(kShareRootsVariable);
    std::string_view list = configured && *configured ? configured : kDefaultShareRoots;
    std::vector<std::string> roots;
    while (!list.empty()) {
        size_t end = list.find(':');
        std::string_view root = list.substr(0, end);
        list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
        if (!root.empty()) roots.emplace_back(root);
    }
    return roots;
}

// A server or share name that names itself: "." and ".." would lead to
// another folder of this machine.
bool isOwnName(const std::string& name)
{
    return name != "." && name != "..";
}

std::optional<std::string> mountedShareFolder(const UncParts& unc)
{
    std::string server;
    std::string share;
    if (!toUtf8Path(unc.server, server) || !toUtf8Path(unc.share, share) || !isOwnName(server) ||
        !isOwnName(share))
        return std::nullopt;
    for (const std::string& root : shareRoots()) {
        for (const std::string& folder : {root + '/' + server + '/' + share, root + '/' + share}) {
            std::error_code error;
            if (std::filesystem::is_directory(folder, error)) return folder;
        }
    }
    return std::nullopt;
}

// Appends the folders of a UNC path's rest as the share's server resolves
// them: "." stays, ".." goes up, but never above the share.
bool appendShareRest(std::u16string_view rest, std::string& native)
{
    std::vector<std::string> folders;
    while (!rest.empty()) {
        size_t end = rest.find(u'\\');
        std::string folder;
        if (!toUtf8Path(rest.substr(0, end), folder)) return false;
        rest.remove_prefix(end == std::u16string_view::npos ? rest.size() : end + 1);
        if (folder == "..") {
            if (!folders.empty()) folders.pop_back();
        } else if (folder != ".") {
            folders.push_back(std::move(folder));
        }
    }
    for (const std::string& folder : folders) native += '/' + folder;
    return true;
}

}  // namespace

bool toNativePath(std::u16string_view path, std::string& native)
{
    if (!drivePart(path).empty()) return false;
    if (path.substr(0, 2) != u"\\\\") return toUtf8Path(path, native);
    std::optional<UncParts> unc = splitUncPath(path);
    if (!unc) return false;
    std::optional<std::string> share = mountedShareFolder(*unc);
    if (!share) return false;
    native = *share;
    return appendShareRest(unc->rest, native);
}

}  // namespace ordil
