#include "vettle/dialog/HelpLibrary.h"

#include "guidara/include/guidara.h"
#include "platform/paths/Paths.h"

namespace vettle {

namespace {

constexpr const char* kLibraryName = "libguidara.so.1";

}  // namespace

std::vector<std::string> HelpLibrary::DefaultCandidates()
{
    std::vector<std::string> candidates{kLibraryName,
                                        std::string(VETTLE_INSTALL_LIBDIR) + "/" + kLibraryName};
    const std::string program = platform::ExecutablePath();
    if (!program.empty()) {
        const std::string folder = platform::FolderOf(program);
        candidates.push_back(platform::JoinPath(folder, std::string("../lib/") + kLibraryName));
        candidates.push_back(platform::JoinPath(folder, kLibraryName));
    }
    return candidates;
}

HelpLibrary::HelpLibrary(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}

bool HelpLibrary::Load()
{
    if (invokeHelpW_ != nullptr) return true;
    for (const std::string& candidate : candidates_) {
        if (!library_.Load(candidate)) continue;
        invokeHelpW_ = reinterpret_cast<InvokeHelpWFunc>(library_.Symbol("InvokeHelpW"));
        if (invokeHelpW_ != nullptr) return true;
        library_.Unload();
    }
    return false;
}

bool HelpLibrary::InvokeHelp(const std::u16string& helpFile, unsigned int command, int contextId)
{
    return Load() && invokeHelpW_(nullptr, helpFile.c_str(), command, contextId) == 1;
}

}  // namespace vettle
