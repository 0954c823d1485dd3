#include "guidara/src/Diagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace guidara {

namespace {

bool DiagnosticsEnabled()
{
    const char* value = std::getenv(kDebugVariable);
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

}  // namespace

void Diagnose(std::string_view text)
{
    if (!DiagnosticsEnabled()) return;
    const std::string line = "guidara: " + std::string(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace guidara
