#include "platform/settings/IniFile.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "common/text/AsciiCase.h"
#include "platform/files/FileAccess.h"
#include "platform/files/OutputFile.h"
#include "platform/files/RegularFile.h"
#include "platform/files/ReplacementFile.h"
#include "platform/paths/Paths.h"

namespace platform {

// A settings file is a few lines; anything longer is not read at all.
constexpr uint64_t kMaxFileSize = 1 << 20;

static std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The value inside one pair of matching quotes around it, as the profile
// functions of the original platform read "10" or '10'; else as written.
static std::string Unquoted(const std::string& value)
{
    std::string trimmed = Trimmed(value);
    bool quoted = trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
                  trimmed.back() == trimmed.front();
    return quoted ? trimmed.substr(1, trimmed.size() - 2) : value;
}

bool IniFile::Load(const std::string& path)
{
    sections_.clear();
    std::vector<uint8_t> bytes;
    failure_ = ReadRegularFile(path, kMaxFileSize, bytes);
    if (!failure_.empty() && !PathExists(path)) failure_.clear();
    if (!failure_.empty()) return false;
    FromText(std::string(bytes.begin(), bytes.end()));
    return true;
}

void IniFile::FromText(const std::string& text)
{
    sections_.clear();
    sections_.push_back(Section{});  // lines before the first [Section]
    // Editors may start the file with a UTF-8 byte order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string trimmed = Trimmed(line);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            sections_.push_back(Section{Trimmed(trimmed.substr(1, trimmed.size() - 2)), {}});
            continue;
        }
        size_t equals = line.find('=');
        bool isEntry = equals != std::string::npos && trimmed.front() != ';' && trimmed.front() != '#';
        if (isEntry && !Trimmed(line.substr(0, equals)).empty()) {
            sections_.back().entries.push_back(
                Entry{Trimmed(line.substr(0, equals)), line.substr(equals + 1)});
        } else if (!trimmed.empty()) {
            sections_.back().entries.push_back(Entry{{}, line});
        }
    }
}

std::string IniFile::ToText() const
{
    std::string text;
    for (const Section& section : sections_) {
        if (section.name.empty() && section.entries.empty()) continue;
        if (!section.name.empty()) {
            if (!text.empty()) text += '\n';
            text += "[" + section.name + "]\n";
        }
        for (const Entry& entry : section.entries) {
            text += entry.key.empty() ? entry.value : entry.key + "=" + entry.value;
            text += '\n';
        }
    }
    return text;
}

bool IniFile::Save(const std::string& path) const
{
    if (!MakeFolders(FolderOf(path))) return false;
    ReplacementFile output;
    if (!output.Begin(path)) return false;
    const std::string text = ToText();
    OutputFile out;
    if (!out.Open(output.TemporaryPath()) || !out.Write(text.data(), text.size()) || !out.Close())
        return false;
    return output.Commit();
}

bool IniFile::IsNamed(const Section& section, const std::string& name)
{
    return !section.name.empty() && common::EqualsIgnoringAsciiCase(section.name, name);
}

bool IniFile::IsKey(const Entry& entry, const std::string& key)
{
    return !entry.key.empty() && common::EqualsIgnoringAsciiCase(entry.key, key);
}

IniFile::Entry* IniFile::FindEntry(const std::string& section, const std::string& key)
{
    for (Section& candidate : sections_) {
        if (!IsNamed(candidate, section)) continue;
        for (Entry& entry : candidate.entries)
            if (IsKey(entry, key)) return &entry;
    }
    return nullptr;
}

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const
{
    const Entry* found = const_cast<IniFile*>(this)->FindEntry(section, key);
    if (found == nullptr) return std::nullopt;
    return Unquoted(found->value);
}

void IniFile::Set(const std::string& section, const std::string& key, const std::string& text)
{
    // One line per value: a line break inside it would start a new entry.
    std::string value = text;
    for (char& c : value)
        if (c == '\n' || c == '\r') c = ' ';
    if (Entry* found = FindEntry(section, key)) {
        found->value = value;
        return;
    }
    auto named = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& candidate) { return IsNamed(candidate, section); });
    if (named == sections_.end()) {
        sections_.push_back(Section{section, {}});
        named = sections_.end() - 1;
    }
    named->entries.push_back(Entry{key, value});
}

void IniFile::Remove(const std::string& section, const std::string& key)
{
    for (Section& candidate : sections_)
        if (IsNamed(candidate, section))
            std::erase_if(candidate.entries, [&](const Entry& entry) { return IsKey(entry, key); });
}

}  // namespace platform
