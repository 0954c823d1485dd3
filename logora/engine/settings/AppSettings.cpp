#include "logora/engine/settings/AppSettings.h"

#include <algorithm>

namespace logora {

using namespace settings;

namespace {

std::unique_ptr<platform::UserProfile> OpenViewerProfile()
{
    return platform::OpenUserProfile(std::string(kCompanyKey), std::string(kApplicationKey));
}

}  // namespace

AppSettings::AppSettings(std::string path)
    : profile_(std::make_unique<platform::IniFileProfile>(std::move(path)))
{}

AppSettings::AppSettings(std::unique_ptr<platform::UserProfile> profile) : profile_(std::move(profile)) {}

std::string AppSettings::DefaultPath()
{
    return OpenViewerProfile()->Location();
}

bool AppSettings::Load()
{
    return profile_->Load();
}

int AppSettings::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const
{
    return profile_->GetInt(std::string(section), std::string(key)).value_or(defaultValue);
}

std::string AppSettings::GetProfileString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue) const
{
    auto value = profile_->GetString(std::string(section), std::string(key));
    return value ? *value : std::string(defaultValue);
}

bool AppSettings::WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    return profile_->WriteInt(std::string(section), std::string(key), value);
}

bool AppSettings::WriteProfileString(std::string_view section, std::string_view key, std::string_view value)
{
    return profile_->WriteString(std::string(section), std::string(key), std::string(value));
}

int AppSettings::FloatLength() const
{
    return GetProfileInt(kOptions, kFloatLength, kDefaultFloatLength);
}
int AppSettings::DecimalCount() const
{
    return GetProfileInt(kOptions, kDecimalCount, kDefaultDecimalCount);
}
int AppSettings::ExportThreads() const
{
    return GetProfileInt(kOptions, kExportThreads, 0);
}
int AppSettings::ShowGridLines() const
{
    return GetProfileInt(kOptions, kShowGridLines, kDefaultShowGridLines);
}
std::string AppSettings::OpenFilePath() const
{
    return GetProfileString(kOptions, kOpenFilePath);
}
std::string AppSettings::SaveFilePath() const
{
    return GetProfileString(kOptions, kSaveFilePath);
}
int AppSettings::DestTimeZone() const
{
    return GetProfileInt(kOptions, kDestTimeZone, kDefaultDestTimeZone);
}
std::optional<int> AppSettings::CodePage() const
{
    // A blank text stores none.
    const auto text = profile_->GetString(std::string(kOptions), std::string(kCodePage));
    if (text && text->find_first_not_of(" \t") == std::string::npos) return std::nullopt;
    return profile_->GetInt(std::string(kOptions), std::string(kCodePage));
}

static std::string RecentFileKey(size_t index)
{
    return "File" + std::to_string(index + 1);
}

std::vector<std::string> AppSettings::RecentFiles() const
{
    std::vector<std::string> files;
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        std::string entry = GetProfileString(kRecentFileList, RecentFileKey(i));
        if (!entry.empty()) files.push_back(entry);
    }
    return files;
}

bool AppSettings::SaveRecentFiles(const std::vector<std::string>& files)
{
    bool kept = true;
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string key = RecentFileKey(i);
        kept = (i < files.size() ? profile_->WriteString(std::string(kRecentFileList), key, files[i])
                                 : profile_->Remove(std::string(kRecentFileList), key)) &&
               kept;
    }
    return kept;
}

bool AppSettings::AddRecentFile(const std::string& path)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, path);
    files.insert(files.begin(), path);
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
    return SaveRecentFiles(files);
}

bool AppSettings::RemoveRecentFile(const std::string& path)
{
    std::vector<std::string> files = RecentFiles();
    std::erase(files, path);
    return SaveRecentFiles(files);
}

AppSettings& ProgramAppSettings()
{
    static AppSettings settings = [] {
        AppSettings loaded(OpenViewerProfile());
        loaded.Load();
        return loaded;
    }();
    return settings;
}

}  // namespace logora
