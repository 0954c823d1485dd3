#include "tests/guidara/support/HelpSandbox.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace guidara_test {

namespace fs = std::filesystem;

namespace {

constexpr auto kOpenerWait = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(10);

fs::path MakeTempRoot()
{
    std::string pattern = (fs::temp_directory_path() / "guidara-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

std::vector<std::string> ReadLines(const fs::path& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

template <typename Function>
void Resolve(void* handle, const char* name, Function*& function)
{
    function = reinterpret_cast<Function*>(dlsym(handle, name));
    if (function == nullptr) throw std::runtime_error(std::string("missing export ") + name);
}

}  // namespace

HelpSandbox::HelpSandbox() : root_(MakeTempRoot())
{
    for (const char* folder : {"home", "cache", "config", "bin"}) fs::create_directory(root_ / folder);
    const fs::path opener = root_ / "bin" / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" << (root_ / "opened").string()
                          << "'\n";
    fs::permissions(opener, fs::perms::owner_all);

    const char* path = getenv("PATH");
    SetEnv("PATH", (root_ / "bin").string() + ":" + (path != nullptr ? path : "/usr/bin:/bin"));
    SetEnv("HOME", (root_ / "home").string());
    SetEnv("XDG_CACHE_HOME", CacheFolder().string());
    SetEnv("XDG_CONFIG_DIRS", (root_ / "config").string());
    SetEnv("KestraCommonHelpDir", std::nullopt);
    SetEnv("GUIDARA_DEBUG", std::nullopt);
}

HelpSandbox::~HelpSandbox()
{
    for (const auto& [name, value] : savedEnv_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path HelpSandbox::WorkingCopy() const
{
    return CacheFolder() / "Quorvi Zerovuvuru" / "Temp" / "Norvix9.0 Mappings.csv";
}

void HelpSandbox::SetEnv(const std::string& name, const std::optional<std::string>& value)
{
    if (!savedEnv_.contains(name)) {
        const char* old = getenv(name.c_str());
        savedEnv_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
        setenv(name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(name.c_str());
    }
}

void HelpSandbox::WriteSetupFile(const std::string& content) const
{
    const fs::path folder = root_ / "config" / "Tarrow Software";
    fs::create_directories(folder);
    std::ofstream(folder / "Setup.conf", std::ios::binary) << content;
}

void HelpSandbox::RemoveOpener() const
{
    fs::remove(root_ / "bin" / "xdg-open");
}

std::vector<std::string> HelpSandbox::WaitForOpened(size_t count) const
{
    const auto deadline = std::chrono::steady_clock::now() + kOpenerWait;
    std::vector<std::string> lines = ReadLines(root_ / "opened");
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kPollInterval);
        lines = ReadLines(root_ / "opened");
    }
    return lines;
}

GuidaraLibrary::GuidaraLibrary(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
{
    if (handle_ == nullptr) throw std::runtime_error(std::string("dlopen failed: ") + dlerror());
    Resolve(handle_, "InvokeHelpW", InvokeHelpW);
    Resolve(handle_, "InvokeHelpA", InvokeHelpA);
    Resolve(handle_, "InvokeHelpDirectW", InvokeHelpDirectW);
    Resolve(handle_, "InvokeHelpDirectA", InvokeHelpDirectA);
}

GuidaraLibrary::~GuidaraLibrary()
{
    dlclose(handle_);
}

std::string OpenedRecord(const std::string& path)
{
    return "1|" + path;
}

}  // namespace guidara_test
