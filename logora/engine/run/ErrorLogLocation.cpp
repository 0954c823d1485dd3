#include "logora/engine/run/ErrorLogLocation.h"

#include "platform/files/FileAccess.h"
#include "platform/paths/Paths.h"

namespace logora {

ErrorLogLocation ChooseErrorLogLocation(const std::string& besideLog)
{
    if (besideLog.empty()) return {};
    const std::string stateFolder = platform::UserStateFolder();
    const std::string stateLog =
        stateFolder.empty()
            ? std::string()
            : platform::JoinPath(platform::JoinPath(stateFolder, "logora"), platform::FileNameOf(besideLog));
    const std::string folder = platform::FolderOf(besideLog);
    if (stateLog.empty()) return {besideLog, true, {}, {}};
    // An installed program's folder is written by its packages only, even
    // when the one running it (root) could.
    if (platform::IsSharedProgramFolder(folder)) return {stateLog, false, true, {}};
    if (platform::PathExists(folder) && platform::IsMissingOrWritable(folder) &&
        platform::IsMissingOrWritable(besideLog))
        return {besideLog, true, false, stateLog};
    return {stateLog, false, false, {}};
}

}  // namespace logora
