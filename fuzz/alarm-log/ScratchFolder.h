#pragma once
// A scratch folder for harnesses that need real files: made on first use
// under the temporary folder, removed with its content when the process ends.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzzsupport {

inline std::string& ScratchPath()
{
    static std::string path;
    return path;
}

inline void RemoveScratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(ScratchPath(), ignored);
}

inline const std::string& ScratchFolder()
{
    if (ScratchPath().empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-logora-XXXXXX").string();
        if (!mkdtemp(pattern.data())) abort();
        ScratchPath() = pattern;
        std::atexit(RemoveScratch);
    }
    return ScratchPath();
}

}  // namespace fuzzsupport
