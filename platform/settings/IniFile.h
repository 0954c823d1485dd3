#pragma once
// A small INI file: [Section] lines and key=value lines. Section and key names
// are matched without regard to ASCII case, as the profile functions of the
// original platform do, and blanks around a section name inside its brackets
// do not count; their order and the spelling first used are kept.
// Lines that are neither are kept as they stand; a UTF-8 byte order mark at
// the start is skipped. Saving replaces the file in
// one step, so a crash while saving never leaves half a settings file.

#include <optional>
#include <string>
#include <vector>

namespace platform {

class IniFile
{
public:
    // Reads `path`. A missing file gives an empty store and true. Anything
    // else that is not a regular file of at most 1 MiB (a pipe would never
    // end its reading, a device or a huge file never fit in memory), or a
    // file that cannot be read, gives an empty store and false.
    bool Load(const std::string& path);
    // Why the last Load failed, naming the file; empty after one that did not.
    const std::string& Failure() const { return failure_; }

    // Writes every section to `path` through a temporary file in the same
    // folder, creating the folder when it is missing.
    bool Save(const std::string& path) const;

    // The value as written, or the text inside the quotes around it.
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    void Set(const std::string& section, const std::string& key, const std::string& value);
    void Remove(const std::string& section, const std::string& key);

    // Text form, as written by Save.
    std::string ToText() const;
    void FromText(const std::string& text);

private:
    struct Entry
    {
        std::string key;  // empty for a line kept verbatim
        std::string value;
    };
    struct Section
    {
        std::string name;
        std::vector<Entry> entries;
    };

    static bool IsNamed(const Section& section, const std::string& name);
    static bool IsKey(const Entry& entry, const std::string& key);
    // The first entry for `key` in any block of `section`: a section written
    // twice reads as one.
    Entry* FindEntry(const std::string& section, const std::string& key);

    std::vector<Section> sections_;
    std::string failure_;
};

}  // namespace platform
