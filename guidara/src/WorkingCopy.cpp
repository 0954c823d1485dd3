#include "guidara/src/WorkingCopy.h"

#include <cstdint>
#include <system_error>

#include "platform/userfiles/CacheFolder.h"
#include "platform/userfiles/PrivateFolder.h"

namespace guidara {

namespace {

using platform::PrivateFolder;

constexpr const char* kCompanyFolder = "Quorvi Zerovuvuru";
constexpr const char* kTempFolder = "Temp";
// The table is a few hundred kilobytes; a larger file is not ours.
constexpr uint64_t kMaxCopySize = 16 * 1024 * 1024;

std::string ErrorText(const std::string& what, const std::error_code& error)
{
    return what + ": " + error.message();
}

// Opens (creating when missing) `name` below `parent` as a folder that is
// no link and belongs to the current user.
bool OpenPrivateFolder(const PrivateFolder& parent, const char* name, PrivateFolder& folder,
                       std::string& problem)
{
    std::error_code error;
    if (!parent.MakeFolder(name, error)) {
        problem = ErrorText(std::string("cannot create folder ") + name, error);
        return false;
    }
    if (!folder.OpenInside(parent, name, error)) {
        problem = ErrorText(std::string("cannot open folder ") + name + " (it must be a folder, not a link)",
                            error);
        return false;
    }
    if (!folder.OwnedByUser()) {
        problem = std::string("folder ") + name + " belongs to another user";
        return false;
    }
    return true;
}

bool WriteCopy(const PrivateFolder& folder, std::string_view content, std::string& problem)
{
    std::error_code error;
    switch (folder.ReplaceFile(kWorkingCopyName, content, error)) {
        case PrivateFolder::ReplaceStep::Done:
            return true;
        case PrivateFolder::ReplaceStep::Create:
            problem = ErrorText("cannot create a file for the working copy", error);
            return false;
        case PrivateFolder::ReplaceStep::Write:
            problem = ErrorText("cannot write the working copy", error);
            return false;
        case PrivateFolder::ReplaceStep::Rename:
            problem = ErrorText("cannot put the working copy in place", error);
            return false;
    }
    return false;
}

std::optional<std::string> ReadCopy(const PrivateFolder& folder, std::string& problem)
{
    std::error_code error;
    std::optional<std::string> content = folder.ReadFile(kWorkingCopyName, kMaxCopySize, error);
    if (!content) {
        problem = error ? ErrorText("cannot read the working copy back", error)
                        : "the working copy is not a regular file of a plausible size";
    }
    return content;
}

}  // namespace

std::optional<std::string> WorkingCopyFolder()
{
    const std::optional<std::string> cache = platform::UserCacheFolder();
    if (!cache) return std::nullopt;
    return *cache + "/" + kCompanyFolder + "/" + kTempFolder + "/";
}

std::optional<std::string> RefreshWorkingCopy(std::string_view content, std::string& problem)
{
    const std::optional<std::string> cache = platform::UserCacheFolder();
    if (!cache) {
        problem = "no cache folder: neither XDG_CACHE_HOME nor a home folder is known";
        return std::nullopt;
    }
    std::error_code error;
    if (!platform::MakePrivateFolders(*cache, error)) {
        problem = ErrorText("cannot create the cache folder " + *cache, error);
        return std::nullopt;
    }
    PrivateFolder base;
    if (!base.Open(*cache, error)) {
        problem = ErrorText("cannot open the cache folder " + *cache, error);
        return std::nullopt;
    }
    PrivateFolder company;
    if (!OpenPrivateFolder(base, kCompanyFolder, company, problem)) return std::nullopt;
    PrivateFolder temp;
    if (!OpenPrivateFolder(company, kTempFolder, temp, problem)) return std::nullopt;
    if (!WriteCopy(temp, content, problem)) return std::nullopt;
    return ReadCopy(temp, problem);
}

}  // namespace guidara
