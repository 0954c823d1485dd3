// Validation of file and folder names.
#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/PathParts.h"
#include "ordil/src/Text16.h"

#include <algorithm>
#include <array>

using namespace ordil;

namespace {

constexpr size_t kMaxFileName = 260;
constexpr size_t kMaxComponentPart = 255;
constexpr size_t kMaxComponent = 259;

bool allValidChars(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), isValidFilenameChar);
}

bool isReservedDeviceName(std::u16string_view name)
{
    constexpr std::array<std::u16string_view, 13> kReserved = {u"CLOCK$", u"CON",  u"AUX",  u"COM1", u"COM2",
                                                               u"COM3",   u"COM4", u"LPT1", u"LPT2", u"LPT3",
                                                               u"LPT4",   u"NUL",  u"PRN"};
    return std::any_of(kReserved.begin(), kReserved.end(),
                       [name](std::u16string_view reserved) { return equalsIgnoringCase(name, reserved); });
}

bool baseNameValid(std::u16string_view name)
{
    return allValidChars(name) && !isReservedDeviceName(name);
}

bool fileNameValid(std::u16string_view path)
{
    PathParts parts = splitPath(path);
    if (parts.name.size() + parts.extension.size() > kMaxFileName || !baseNameValid(parts.name)) return false;
    return parts.extension.empty() || allValidChars(parts.extension.substr(1));
}

bool componentValid(std::u16string_view component)
{
    PathParts parts = splitPath(component);
    if (parts.name.size() > kMaxComponentPart || parts.extension.size() > kMaxComponentPart) return false;
    return fileNameValid(parts.name) && parts.name.size() + parts.extension.size() <= kMaxComponent;
}

}  // namespace

extern "C" {

int UtlBaseFilenameValid(const char16_t* name)
{
    return baseNameValid(view(name));
}

int UtlFilenameValid(const char16_t* path)
{
    return fileNameValid(view(path));
}

int UtlDirNameValid(const char16_t* path)
{
    std::u16string_view rest = view(path);
    if (!drivePart(rest).empty() && rest.size() >= 3) rest.remove_prefix(2);
    while (true) {
        size_t end = rest.find_first_of(u"\\/");
        if (!componentValid(rest.substr(0, end))) return 0;
        if (end == std::u16string_view::npos) return 1;
        rest.remove_prefix(end + 1);
    }
}

}  // extern "C"
