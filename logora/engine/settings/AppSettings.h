#pragma once
// The viewer's per-user settings: section "Options" of the profile of
// "Kestra Applications" / <application title> (the registry on Windows, the
// file <config home>/Kestra Applications/<application title>.ini elsewhere),
// plus the list of recently opened files. Every write is kept at once.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings/UserProfile.h"

namespace logora {

namespace settings {
inline constexpr std::string_view kCompanyKey = "Kestra Applications";
inline constexpr std::string_view kApplicationKey = "Quorvi Zerovuvuru File Viewer";
inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kRecentFileList = "Recent File List";

inline constexpr std::string_view kFloatLength = "FloatLength";
inline constexpr std::string_view kDecimalCount = "DecimalCount";
inline constexpr std::string_view kShowGridLines = "ShowGridLines";
inline constexpr std::string_view kOpenFilePath = "OpenFilePath";
inline constexpr std::string_view kSaveFilePath = "SaveFilePath";
inline constexpr std::string_view kDestTimeZone = "DestTimeZone";
inline constexpr std::string_view kCodePage = "CodePage";
inline constexpr std::string_view kExportThreads = "ExportThreads";

inline constexpr int kDefaultFloatLength = 17;
inline constexpr int kDefaultDecimalCount = 8;
inline constexpr int kDefaultShowGridLines = 0;
inline constexpr int kDefaultDestTimeZone = -1;
inline constexpr size_t kRecentFileCount = 4;
}  // namespace settings

class AppSettings
{
public:
    // Settings kept in the INI file `path`; nothing is read until Load.
    explicit AppSettings(std::string path);
    explicit AppSettings(std::unique_ptr<platform::UserProfile> profile);

    // Where the user's settings are kept: on Windows the registry key, else
    // <config home>/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini
    static std::string DefaultPath();

    // Reads the file; a missing file leaves every value at its default.
    bool Load();
    // Why the last Load failed, naming the file; empty when it did not. The
    // values are then the defaults, and nothing is written over the file.
    std::string LoadFailure() const { return profile_->Failure(); }
    // Where they are kept, for messages.
    std::string Path() const { return profile_->Location(); }

    // The stored value (in a file read as a decimal integer: leading digits,
    // as atoi), or `defaultValue` when there is none.
    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue = {}) const;
    // Store the value; false when it could not be kept.
    bool WriteProfileInt(std::string_view section, std::string_view key, int value);
    bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value);

    int FloatLength() const;
    int DecimalCount() const;
    int ShowGridLines() const;
    std::string OpenFilePath() const;
    std::string SaveFilePath() const;
    int DestTimeZone() const;
    // Threads of a list-form CSV export; 0 (the default) for one per core, 1
    // to keep an export on one thread.
    int ExportThreads() const;
    // The stored code page of the program's texts; none when not stored.
    std::optional<int> CodePage() const;

    // Most recent first, at most four entries.
    std::vector<std::string> RecentFiles() const;
    // Puts `path` first, dropping an earlier entry of the same path and the
    // oldest entry beyond four; saves.
    bool AddRecentFile(const std::string& path);
    bool RemoveRecentFile(const std::string& path);

private:
    bool SaveRecentFiles(const std::vector<std::string>& files);

    std::unique_ptr<platform::UserProfile> profile_;
};

// The user's settings, loaded on first use.
AppSettings& ProgramAppSettings();

}  // namespace logora
