#pragma once
// What every generator does with its arguments before it reads them: -h and
// --help print its usage on standard output; an argument that starts with "-"
// and is none of its own options is refused, so that it never becomes the
// name of a folder or file to write.

#include <optional>
#include <string_view>
#include <vector>

namespace toolcmdline {

struct GeneratorOption
{
    std::string_view name;  // as written: "--records"
    bool takesValue = false;
};

// nullopt when the generator goes on to read its arguments; otherwise its
// exit status: 0 after the usage for -h or --help, 2 after naming an unknown
// option on standard error, followed by the usage.
std::optional<int> AnswerHelpOrRefuse(std::string_view program, int argc, char** argv, std::string_view usage,
                                      const std::vector<GeneratorOption>& options = {});

}  // namespace toolcmdline
