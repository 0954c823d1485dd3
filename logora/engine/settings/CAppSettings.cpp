#include "logora/engine/settings/CAppSettings.h"

#include <algorithm>
#include <cstdlib>

#include "platform/paths/Paths.h"

namespace logora {

using namespace settings;

CAppSettings::CAppSettings(std::string path) : path_(std::move(path)) {}

std::string CAppSettings::DefaultPath()
{
    std::string folder = platform::JoinPath(platform::ConfigHome(), std::string(kCompanyKey));
    return platform::JoinPath(folder, std::string(kApplicationKey) + ".ini");
}

bool CAppSettings::Load()
{
    return file_.Load(path_);
}

int CAppSettings::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const
{
    auto value = file_.Get(std::string(section), std::string(key));
    return value ? std::atoi(value->c_str()) : defaultValue;
}

std::string CAppSettings::GetProfileString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) const
{
    auto value = file_.Get(std::string(section), std::string(key));
    return value ? *value : std::string(defaultValue);
}

bool CAppSettings::WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    return WriteProfileString(section, key, std::to_string(value));
}

bool CAppSettings::WriteProfileString(std::string_view section, std::string_view key, std::string_view value)
{
    file_.Set(std::string(section), std::string(key), std::string(value));
    return file_.Save(path_);
}

int CAppSettings::FloatLength() const
{
    return GetProfileInt(kOptions, kFloatLength, kDefaultFloatLength);
}
int CAppSettings::DecimalCount() const
{
    return GetProfileInt(kOptions, kDecimalCount, kDefaultDecimalCount);
}
int CAppSettings::ExportThreads() const
{
    return GetProfileInt(kOptions, kExportThreads, 0);
}
int CAppSettings::ShowGridLines() const
{
    return GetProfileInt(kOptions, kShowGridLines, kDefaultShowGridLines);
}
std::string CAppSettings::OpenFilePath() const
{
    return GetProfileString(kOptions, kOpenFilePath);
}
std::string CAppSettings::SaveFilePath() const
{
    return GetProfileString(kOptions, kSaveFilePath);
}
int CAppSettings::DestTimeZone() const
{
    return GetProfileInt(kOptions, kDestTimeZone, kDefaultDestTimeZone);
}
std::optional<int> CAppSettings::CodePage() const
{
    auto value = file_.Get(std::string(kOptions), std::string(kCodePage));
    if (!value || value->find_first_not_of(" \t") == std::string::npos) return std::nullopt;
    return std::atoi(value->c_str());
}

static std::string RecentFileKey(size_t index)
{
    return "File" + std::to_string(index + 1);
}

std::vector<std::string> CAppSettings::RecentFiles() const
{
    std::vector<std::string> files;
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        std::string entry = GetProfileString(kRecentFileList, RecentFileKey(i));
        if (!entry.empty()) files.push_back(entry);
    }
    return files;
}

bool CAppSettings::SaveRecentFiles(const std::vector<std::string>& files)
{
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        if (i < files.size())
            file_.Set(std::string(kRecentFileList), RecentFileKey(i), files[i]);
        else
            file_.Remove(std::string(kRecentFileList), RecentFileKey(i));
    }
    return file_.Save(path_);
}

bool CAppSettings::AddRecentFile(const std::string& path)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
    return SaveRecentFiles(files);
}

bool CAppSettings::RemoveRecentFile(const std::string& path)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, path);
    return SaveRecentFiles(files);
}

CAppSettings& AppSettings()
{
    static CAppSettings settings = [] {
        CAppSettings loaded(CAppSettings::DefaultPath());
        loaded.Load();
        return loaded;
    }();
    return settings;
}

}  // namespace logora
