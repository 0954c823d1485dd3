#include "tools/cmdline/GeneratorOptions.h"

#include <algorithm>
#include <cstdio>

namespace toolcmdline {

std::optional<int> AnswerHelpOrRefuse(std::string_view program, int argc, char** argv, std::string_view usage,
                                      const std::vector<GeneratorOption>& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fwrite(usage.data(), 1, usage.size(), stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
        }
        const auto known = std::find_if(options.begin(), options.end(), [&](const GeneratorOption& option) {
            return option.name == argument;
        });
        if (known != options.end()) {
            if (known->takesValue) ++i;
        } else if (argument.size() > 1 && argument.front() == '-') {
            std::fprintf(stderr, "%.*s: unknown option %.*s\n%.*s", int(program.size()), program.data(),
                         int(argument.size()), argument.data(), int(usage.size()), usage.data());
            return 2;
        }
    }
    return std::nullopt;
}

}  // namespace toolcmdline
