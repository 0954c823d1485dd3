#include "logora/engine/largefile/MappingErrorSink.h"

#include <cstdio>

#include "platform/mapping/MappedFile.h"

namespace logora {

namespace {

MappingErrorSink& CurrentSink()
{
    static MappingErrorSink sink;
    return sink;
}

}  // namespace

void SetMappingErrorSink(MappingErrorSink sink)
{
    CurrentSink() = std::move(sink);
}

void ReportMappingError(int code, const std::string& detail)
{
    char text[512];
    std::snprintf(text, sizeof text, " failed with error %d: %s", code,
                  platform::SystemErrorText(code).c_str());
    const std::string caption = "Error";
    if (CurrentSink()) {
        CurrentSink()(caption, text, detail);
    } else {
        std::fprintf(stderr, "%s:%s\n%s\n", caption.c_str(), text, detail.c_str());
    }
}

}  // namespace logora
