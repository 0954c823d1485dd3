#pragma once
// A program's per-user settings: named integer and text values in sections.
// On Windows they live in the registry key
// HKEY_CURRENT_USER\Software\<company>\<application>\<section>, integers as
// REG_DWORD and texts as REG_SZ, where installations already keep them;
// elsewhere in the INI file <config home>/<company>/<application>.ini.
// Every write is kept at once.

#include <memory>
#include <optional>
#include <string>

#include "platform/settings/IniFile.h"

namespace platform {

class UserProfile
{
public:
    virtual ~UserProfile() = default;

    // Reads what is kept; false when it exists but cannot be read.
    virtual bool Load() = 0;
    // Why the last Load failed, naming where; empty after one that did not.
    virtual std::string Failure() const { return {}; }
    // Where the values are kept, for messages.
    virtual std::string Location() const = 0;

    // The value, or nullopt when there is none of that kind.
    virtual std::optional<int> GetInt(const std::string& section, const std::string& key) const = 0;
    virtual std::optional<std::string> GetString(const std::string& section,
                                                 const std::string& key) const = 0;
    // False when the value could not be kept.
    virtual bool WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual bool Remove(const std::string& section, const std::string& key) = 0;
};

// The profile in the INI file `path`, on every system. Integers are read as
// the leading digits of the text (as atoi). After a Load that failed, writes
// fail too: a file that could not be read is never replaced by one that holds
// only the values written since.
class IniFileProfile : public UserProfile
{
public:
    explicit IniFileProfile(std::string path) : path_(std::move(path)) {}

    bool Load() override { return readable_ = file_.Load(path_); }
    std::string Failure() const override { return file_.Failure(); }
    std::string Location() const override { return path_; }
    std::optional<int> GetInt(const std::string& section, const std::string& key) const override;
    std::optional<std::string> GetString(const std::string& section, const std::string& key) const override;
    bool WriteInt(const std::string& section, const std::string& key, int value) override;
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override;
    bool Remove(const std::string& section, const std::string& key) override;

private:
    // Writes the store, unless the file could not be read.
    bool Save();

    std::string path_;
    IniFile file_;
    bool readable_ = true;
};

// The per-user profile of `application` by `company` on this system.
std::unique_ptr<UserProfile> OpenUserProfile(const std::string& company, const std::string& application);

}  // namespace platform
