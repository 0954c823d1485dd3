#pragma once
// The output name that stands for standard output, as in other programs'
// command lines: `logora /md in.log - | gzip`.

#include <string_view>

namespace logora {

inline constexpr std::string_view kStandardOutputName = "-";
// How messages name it.
inline constexpr std::string_view kStandardOutputText = "standard output";

inline bool IsStandardOutputName(std::string_view path)
{
    return path == kStandardOutputName;
}

}  // namespace logora
