// UtlParseOptions on arbitrary texts and option specifications: no access
// outside the text, arguments inside it and terminated, the output never
// longer than the input. Input: text, NUL, specification.
#include "fuzz/ordil_common/FuzzText.h"
#include "ordil/include/ordil.h"

#include <algorithm>

namespace {

struct Buffer
{
    const char16_t* begin;
    const char16_t* end;
};

int checkOption(char16_t option, const char16_t* argument, void* user)
{
    const auto* buffer = static_cast<const Buffer*>(user);
    if (argument) {
        if (argument < buffer->begin || argument >= buffer->end)
            ordil::fuzz::fail("argument outside the text");
        if (std::find(argument, buffer->end, u'\0') == buffer->end)
            ordil::fuzz::fail("argument not terminated");
    }
    return option != u'!';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto fields = ordil::fuzz::splitFields(data, size, 2);
    std::vector<char16_t> text(fields[0].begin(), fields[0].end());
    text.push_back(u'\0');
    Buffer buffer{text.data(), text.data() + text.size()};
    uint32_t status = UtlParseOptions(text.data(), fields[1].c_str(), checkOption, &buffer);
    size_t length = size_t(std::find(text.begin(), text.end(), u'\0') - text.begin());
    if (length >= text.size()) ordil::fuzz::fail("text not terminated");
    if (status == UTL_S_OK && length > fields[0].size()) ordil::fuzz::fail("output longer than input");
    return 0;
}
