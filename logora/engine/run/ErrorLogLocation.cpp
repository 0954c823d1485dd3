#include "logora/engine/run/ErrorLogLocation.h"

#include "platform/files/FileAccess.h"
#include "platform/paths/Paths.h"

namespace logora {

ErrorLogLocation ChooseErrorLogLocation(const std::string& besideLog)
{
    if (besideLog.empty()) return {};
    const std::string folder = platform::FolderOf(besideLog);
    if (platform::PathExists(folder) && platform::IsMissingOrWritable(folder) &&
        platform::IsMissingOrWritable(besideLog))
        return {besideLog, true};
    const std::string stateFolder = platform::UserStateFolder();
    if (stateFolder.empty()) return {besideLog, true};
    return {platform::JoinPath(platform::JoinPath(stateFolder, "logora"), platform::FileNameOf(besideLog)),
            false};
}

}  // namespace logora
