#pragma once
// Locales built for a test by localedef into a folder of the test's own, so
// that it can run under a locale this machine has not generated (LOCPATH
// names the folder).

#include <cstdlib>
#include <filesystem>
#include <string>

namespace logora::test {

// Builds `name` (such as "de_DE") in UTF-8 into `folder`; false when this
// machine cannot.
inline bool BuildLocale(const std::string& folder, const std::string& name)
{
    const std::string command =
        "localedef -i " + name + " -f UTF-8 '" + folder + "/" + name + ".UTF-8' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(folder + "/" + name + ".UTF-8");
}

}  // namespace logora::test
