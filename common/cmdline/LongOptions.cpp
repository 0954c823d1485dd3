#include "common/cmdline/LongOptions.h"

#include <cstddef>

namespace common {

namespace {

const LongOptionSpec* FindSpec(std::string_view name, const std::vector<LongOptionSpec>& specs)
{
    for (const LongOptionSpec& spec : specs) {
        if (spec.name == name) return &spec;
    }
    return nullptr;
}

}  // namespace

bool SplitLongOptions(const std::vector<std::string>& arguments, const std::vector<LongOptionSpec>& specs,
                      SplitArguments& split, std::string& error)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            split.namesFrom = split.rest.size();
            split.rest.insert(split.rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              arguments.end());
            return true;
        }
        const size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        const LongOptionSpec* spec = FindSpec(name, specs);
        if (spec == nullptr) {
            if (argument.starts_with("--")) {
                error = "unknown option " + name;
                return false;
            }
            split.rest.push_back(argument);
            continue;
        }
        LongOption option{name, {}};
        if (!spec->takesValue) {
            if (equals != std::string::npos) {
                error = "option " + name + " takes no value";
                return false;
            }
        } else if (equals != std::string::npos) {
            option.value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            option.value = arguments[++i];
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
        split.options.push_back(std::move(option));
    }
    split.namesFrom = split.rest.size();
    return true;
}

}  // namespace common
