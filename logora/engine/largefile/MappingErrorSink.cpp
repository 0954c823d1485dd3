#include "logora/engine/largefile/MappingErrorSink.h"

#include <cstdio>

#include "platform/mapping/MappedFile.h"

namespace logora {

std::string MappingErrorText(int code)
{
    char text[512];
    std::snprintf(text, sizeof text, " failed with error %d: %s", code,
                  platform::SystemErrorText(code).c_str());
    return text;
}

void ReportMappingError(const MappingErrorSink& sink, int code, const std::string& detail)
{
    const std::string caption = "Error";
    const std::string text = MappingErrorText(code);
    if (sink) {
        sink(caption, text, detail);
    } else {
        std::fprintf(stderr, "%s:%s\n%s\n", caption.c_str(), text.c_str(), detail.c_str());
    }
}

}  // namespace logora
