#include "logora/engine/database/SqlNames.h"

#include <unordered_set>

#include "common/text/AsciiCase.h"
#include "logora/engine/formats/PathExtension.h"
#include "platform/paths/Paths.h"

namespace logora {

namespace {

// The form in which names that SQLite takes for one are equal.
std::string Folded(std::string name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

}  // namespace

std::string QuotedName(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

std::string TableNameFor(const std::string& inputPath)
{
    const std::string fileName = platform::FileNameOf(inputPath);
    std::string name = fileName.substr(0, fileName.size() - ExtensionOf(fileName).size());
    constexpr std::string_view kReserved = "sqlite_";
    if (common::EqualsIgnoringAsciiCase(std::string_view(name).substr(0, kReserved.size()), kReserved))
        name.insert(0, "_");
    if (common::EqualsIgnoringAsciiCase(name, kSourcesTable)) name += "_2";
    return name;
}

std::vector<std::string> DistinctNames(const std::vector<std::string>& names)
{
    std::vector<std::string> distinct;
    distinct.reserve(names.size());
    std::unordered_set<std::string> taken;
    for (const std::string& name : names) {
        std::string candidate = name;
        for (int suffix = 2; !taken.insert(Folded(candidate)).second; ++suffix)
            candidate = name + "_" + std::to_string(suffix);
        distinct.push_back(std::move(candidate));
    }
    return distinct;
}

}  // namespace logora
