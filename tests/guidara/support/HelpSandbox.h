#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "guidara/include/guidara.h"

namespace guidara_test {

// A private world for one test: temporary HOME, cache and system config
// folders, no help folder value, and a stand-in `xdg-open` first on PATH
// that records each call as "<argument count>|<first argument>". The
// environment is restored and the folders removed on destruction.
class HelpSandbox
{
public:
    HelpSandbox();
    ~HelpSandbox();
    HelpSandbox(const HelpSandbox&) = delete;
    HelpSandbox& operator=(const HelpSandbox&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path CacheFolder() const { return root_ / "cache"; }
    std::filesystem::path WorkingCopy() const;

    // Sets or, with nullopt, removes an environment variable for this test.
    void SetEnv(const std::string& name, const std::optional<std::string>& value);
    // Writes "Tarrow Software/Setup.conf" into the system config folder.
    void WriteSetupFile(const std::string& content) const;
    // Makes the stand-in opener fail to start (nothing named xdg-open on PATH).
    void RemoveOpener() const;

    // The recorded calls, waiting until at least `count` have arrived: the
    // opener runs detached, so its record may come a moment after the call.
    std::vector<std::string> WaitForOpened(size_t count) const;

private:
    std::filesystem::path root_;
    std::map<std::string, std::optional<std::string>> savedEnv_;
};

// The help library loaded with dlopen, so that the test sees exactly what a
// caller sees: the four exported C functions.
class GuidaraLibrary
{
public:
    explicit GuidaraLibrary(const std::string& path);
    ~GuidaraLibrary();
    GuidaraLibrary(const GuidaraLibrary&) = delete;
    GuidaraLibrary& operator=(const GuidaraLibrary&) = delete;

    int (*InvokeHelpW)(void*, const char16_t*, unsigned int, int) = nullptr;
    int (*InvokeHelpA)(void*, const char*, unsigned int, int) = nullptr;
    int (*InvokeHelpDirectW)(const char16_t*) = nullptr;
    int (*InvokeHelpDirectA)(const char*) = nullptr;

private:
    void* handle_ = nullptr;
};

// "1|<path>": the record of one opener call with `path` as its one argument.
std::string OpenedRecord(const std::string& path);

}  // namespace guidara_test
