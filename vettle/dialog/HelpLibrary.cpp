#include "vettle/dialog/HelpLibrary.h"

#include <dlfcn.h>

#include <filesystem>

#include "guidara/include/guidara.h"

namespace vettle {

namespace {

constexpr const char* kLibraryName = "libguidara.so.1";

}  // namespace

std::vector<std::string> CHelpLibrary::DefaultCandidates()
{
    std::vector<std::string> candidates{kLibraryName,
                                        std::string(VETTLE_INSTALL_LIBDIR) + "/" + kLibraryName};
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        candidates.push_back((program.parent_path() / ".." / "lib" / kLibraryName).string());
        candidates.push_back((program.parent_path() / kLibraryName).string());
    }
    return candidates;
}

CHelpLibrary::CHelpLibrary(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {}

CHelpLibrary::~CHelpLibrary()
{
    if (handle_ != nullptr) dlclose(handle_);
}

bool CHelpLibrary::Load()
{
    if (invokeHelpW_ != nullptr) return true;
    for (const std::string& candidate : candidates_) {
        handle_ = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr) continue;
        invokeHelpW_ = reinterpret_cast<InvokeHelpWFunc>(dlsym(handle_, "InvokeHelpW"));
        if (invokeHelpW_ != nullptr) return true;
        dlclose(handle_);
        handle_ = nullptr;
    }
    return false;
}

bool CHelpLibrary::InvokeHelp(const std::u16string& helpFile, unsigned int command, int contextId)
{
    return Load() && invokeHelpW_(nullptr, helpFile.c_str(), command, contextId) == 1;
}

}  // namespace vettle
