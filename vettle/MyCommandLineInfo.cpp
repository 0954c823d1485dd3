#include "vettle/MyCommandLineInfo.h"

#include "common/text/AsciiCase.h"

namespace vettle {

namespace {

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool IsSwitchArgument(const std::string& argument)
{
    if (!argument.empty() && argument[0] == '-') return true;
    if (argument.size() >= 2 && argument[0] == '/') {
        const std::string name = argument.substr(1);
        return common::EqualsIgnoringAsciiCase(name, "i") || common::EqualsIgnoringAsciiCase(name, "o");
    }
    return false;
}

void MyCommandLineInfo::ParseArguments(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        // "-o -": the report goes to standard output.
        const bool reportToStandardOutput = argument == "-" && state_ == kAfterOutput && !outputGiven_;
        if (IsSwitchArgument(argument) && !reportToStandardOutput) {
            ParseParam(argument.substr(1), true);
        } else {
            ParseParam(argument, false);
        }
    }
}

void MyCommandLineInfo::ParseParam(const std::string& param, bool isFlag)
{
    ++argumentCount_;
    // Positions: -i is first, the paths follow it without a gap, -o comes right
    // after the last path and the report path right after -o.
    const int nextAfterInputs = static_cast<int>(inputPaths_.size()) + 2;
    if (isFlag) {
        if (common::EqualsIgnoringAsciiCase(param, "i") && argumentCount_ == 1) {
            state_ = kAfterInput;
        } else if (common::EqualsIgnoringAsciiCase(param, "o") && state_ == kAfterInput &&
                   !inputPaths_.empty() && argumentCount_ == nextAfterInputs) {
            state_ = kAfterOutput;
        } else {
            state_ = kSyntaxError;
        }
        return;
    }
    if (state_ == kAfterInput && argumentCount_ == nextAfterInputs) {
        inputPaths_.push_back(param);
    } else if (state_ == kAfterOutput && !outputGiven_ && argumentCount_ == nextAfterInputs + 1) {
        outputPath_ = param;
        outputGiven_ = true;
    } else if (argumentCount_ == 1 && TrimBlanks(param) == "?") {
        state_ = kHelp;
    } else {
        state_ = kSyntaxError;
    }
}

bool MyCommandLineInfo::IsValid() const
{
    if (state_ == kSyntaxError || inputPaths_.empty()) return false;
    const int inputArguments = static_cast<int>(inputPaths_.size()) + 1;
    return outputGiven_ ? argumentCount_ == inputArguments + 2 : argumentCount_ == inputArguments;
}

}  // namespace vettle
