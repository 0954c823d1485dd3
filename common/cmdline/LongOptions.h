#pragma once
// The options of this platform's conventions beside a program's own
// grammar: "--name", "--name value" or "--name=value", and short aliases
// such as "-h". They are taken out of the argument list before the program's
// own parser sees the rest.

#include <string>
#include <string_view>
#include <vector>

namespace common {

struct LongOptionSpec
{
    std::string_view name;  // as written: "--out-dir", "-h"
    bool takesValue;
};

struct LongOption
{
    std::string name;  // as its LongOptionSpec writes it
    std::string value;
};

struct SplitArguments
{
    std::vector<LongOption> options;  // in command-line order
    std::vector<std::string> rest;    // every other argument, in order
    // rest[namesFrom] on came after "--": names, never options or switches.
    size_t namesFrom = 0;
};

// Splits `arguments`; "--" ends the options. False with `error` naming the option when an argument
// that starts with "--" is not in `specs`, or an option lacks its value.
bool SplitLongOptions(const std::vector<std::string>& arguments, const std::vector<LongOptionSpec>& specs,
                      SplitArguments& split, std::string& error);

}  // namespace common
