// The parameter text functions on arbitrary texts: ranges and values inside
// the text, writes inside the caller's capacity, a refused write leaves the
// text alone, and a written pair reads back.
// Input: text, NUL, switch letter, NUL, key, NUL, value, NUL, extra capacity.
#include "fuzz/ordil_common/FuzzText.h"
#include "ordil/include/ordil.h"

#include <algorithm>
#include <string>

using ordil::fuzz::fail;

namespace {

void checkLookups(const std::u16string& text, char16_t letter, const std::u16string& key)
{
    const char16_t* begin = text.c_str();
    const char16_t* end = begin + text.size();
    const char16_t* start = nullptr;
    const char16_t* stop = nullptr;
    if (UtlFindParam(begin, letter, &start, &stop) == UTL_S_OK &&
        (start < begin || stop > end || start >= stop || *start != u'/'))
        fail("switch range outside the text");
    const char16_t* value = nullptr;
    uint32_t length = 0;
    if (UtlGetParamKey(begin, letter, key.c_str(), &value, &length) == UTL_S_OK &&
        (value < begin || value + length > end))
        fail("value outside the text");
}

void checkWrite(const std::u16string& text, char16_t letter, const std::u16string& key,
                const std::u16string& value, size_t extra)
{
    // Exactly the stated capacity, so any write beyond it is caught.
    std::vector<char16_t> buffer(text.size() + 1 + extra);
    std::copy(text.begin(), text.end(), buffer.begin());
    uint32_t status =
        UtlSetParamKey(buffer.data(), uint32_t(buffer.size()), letter, key.c_str(), value.c_str());
    if (std::find(buffer.begin(), buffer.end(), u'\0') == buffer.end())
        fail("text not terminated after a write");
    std::u16string written = buffer.data();
    if (status != UTL_S_OK) {
        if (written != text) fail("refused write changed the text");
        return;
    }
    const char16_t* found = nullptr;
    uint32_t length = 0;
    if (UtlGetParamKey(written.c_str(), letter, key.c_str(), &found, &length) != UTL_S_OK ||
        std::u16string(found, length) != value)
        fail("written pair does not read back");
    if (UtlFindParam(written.c_str(), letter, nullptr, nullptr) != UTL_S_OK) fail("switch lost by a write");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto fields = ordil::fuzz::splitFields(data, size, 5);
    const std::u16string& text = fields[0];
    char16_t letter = fields[1].empty() ? u'A' : fields[1][0];
    size_t extra = fields[4].empty() ? 16 : fields[4][0] % 64;
    checkLookups(text, letter, fields[2]);
    checkWrite(text, letter, fields[2], fields[3], extra);
    return 0;
}
