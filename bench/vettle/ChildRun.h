#pragma once
// Runs a program as a child process and measures it.

#include <string>
#include <vector>

struct ChildResult
{
    int exitStatus = -1;
    double seconds = 0;      // wall clock
    double cpuSeconds = 0;   // user + system time of the child
    double userSeconds = 0;  // of that, the time in the program itself
    long peakKiB = 0;        // the child's maximum resident set
};

// Runs `argv` with standard output sent to /dev/null.
ChildResult RunChild(const std::vector<std::string>& argv);
