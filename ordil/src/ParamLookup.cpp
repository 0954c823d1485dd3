// Finding switches and reading key=value pairs in parameter texts.
#include "ordil/include/ordil.h"
#include "ordil/src/ParamText.h"
#include "ordil/src/Text16.h"

using namespace ordil;

extern "C" {

uint32_t UtlFindParam(const char16_t* text, char16_t letter, const char16_t** start, const char16_t** end)
{
    if (!text) return UTL_E_INVALIDARG;
    SwitchRange range;
    uint32_t status = findSwitch(text, letter, range);
    if (status == UTL_S_OK) {
        if (start) *start = text + range.start;
        if (end) *end = text + range.end;
    }
    return status;
}

uint32_t UtlGetParamKey(const char16_t* text, char16_t letter, const char16_t* key, const char16_t** value,
                        uint32_t* length)
{
    if (!text || !key) return UTL_E_INVALIDARG;
    SwitchRange range;
    PairValue pair;
    uint32_t status = findPair(text, letter, key, range, pair);
    if (status == UTL_S_OK) {
        if (value) *value = text + pair.start;
        if (length) *length = uint32_t(pair.length);
    }
    return status;
}

}  // extern "C"
