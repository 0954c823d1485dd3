#pragma once
// The argument grammar of the console mode. Accepted shapes:
//   -i path [path...]            check the paths, print the report
//   -i path [path...] -o report  check the paths, write the report file
//   -i path [path...] -o -       check the paths, report to standard output
//   ?                            help
// Either switch may be written with `/` and in any letter case. Several paths
// after -i are what a shell makes of an unquoted folder pattern.

#include <string>
#include <vector>

namespace vettle {

class MyCommandLineInfo
{
public:
    enum State { kNoArgument = 0, kSyntaxError = 1, kAfterInput = 2, kAfterOutput = 3, kHelp = 4 };

    // Parses every argument (argv without the program name).
    void ParseArguments(const std::vector<std::string>& arguments);
    // One argument; a flag arrives without its leading `-` or `/`.
    void ParseParam(const std::string& param, bool isFlag);

    bool IsHelp() const { return state_ == kHelp && argumentCount_ == 1; }
    bool IsValid() const;

    const std::vector<std::string>& InputPaths() const { return inputPaths_; }
    const std::string& OutputPath() const { return outputPath_; }
    bool OutputGiven() const { return outputGiven_; }

private:
    State state_ = kNoArgument;
    bool outputGiven_ = false;
    std::vector<std::string> inputPaths_;
    std::string outputPath_;
    int argumentCount_ = 0;
};

// True when `argument` is a switch: anything after `-`, or `/` and a known
// switch letter (any other `/` text is an absolute path).
bool IsSwitchArgument(const std::string& argument);

}  // namespace vettle
