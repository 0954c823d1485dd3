#include "logora/engine/zarn/TagFilePath.h"

#include "common/text/AsciiCase.h"
#include "platform/paths/NameIgnoringCase.h"

namespace logora {

namespace {

constexpr const char kTagFileSuffix[] = "(Tagname).DAT";
constexpr size_t kTagFileSuffixLength = sizeof kTagFileSuffix - 1;

}  // namespace

bool IsTagFilePath(const std::string& path)
{
    return path.size() >= kTagFileSuffixLength &&
           common::EqualsIgnoringAsciiCase(std::string_view(path).substr(path.size() - kTagFileSuffixLength),
                                           kTagFileSuffix);
}

std::string TagFileNameFor(const std::string& dataPath)
{
    const size_t slash = dataPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t cut = dataPath.find_last_of('(');
    if (cut == std::string::npos || cut < nameStart) {
        cut = dataPath.find_last_of('.');
        if (cut == std::string::npos || cut <= nameStart) cut = dataPath.size();
    }
    return dataPath.substr(0, cut) + kTagFileSuffix;
}

std::string TagFilePathFor(const std::string& dataPath)
{
    return platform::FindIgnoringCase(TagFileNameFor(dataPath));
}

}  // namespace logora
