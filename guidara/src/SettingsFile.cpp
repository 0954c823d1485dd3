#include "guidara/src/SettingsFile.h"

#include <fstream>

namespace guidara {

namespace {

// A settings file is a few lines; anything longer is not read at all.
constexpr std::streamoff kMaxSettingsSize = 1024 * 1024;

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::optional<std::string> ReadSettingsValue(const std::string& path, std::string_view section,
                                             std::string_view key)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    file.seekg(0, std::ios::end);
    if (file.tellg() > kMaxSettingsSize) return std::nullopt;
    file.seekg(0);

    bool inSection = false;
    std::string rawLine;
    while (std::getline(file, rawLine)) {
        const std::string_view line = Trim(rawLine);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            inSection =
                line.back() == ']' && EqualsIgnoringCase(Trim(line.substr(1, line.size() - 2)), section);
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        if (EqualsIgnoringCase(Trim(line.substr(0, equals)), key)) {
            return std::string(Unquote(Trim(line.substr(equals + 1))));
        }
    }
    return std::nullopt;
}

}  // namespace guidara
