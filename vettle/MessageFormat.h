#pragma once
// Fills a message's single %s or %ld.

#include <cstdint>
#include <string>

namespace vettle {

std::string FormatWithPath(const char* format, const std::string& path);
std::string FormatWithNumber(const char* format, int64_t number);

}  // namespace vettle
