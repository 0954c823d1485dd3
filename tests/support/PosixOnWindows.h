#pragma once
// The few POSIX calls of the tests that the Windows C runtime names
// differently; included before every C++ test source of a Windows build.
#include <direct.h>
#include <io.h>
#include <process.h>

#include <cstdlib>
#include <cstring>

// TMPDIR also sets TMP, which the Windows temporary folder follows.
inline int setenv(const char* name, const char* value, int overwrite)
{
    if (!overwrite && std::getenv(name) != nullptr) return 0;
    if (std::strcmp(name, "TMPDIR") == 0) _putenv_s("TMP", value);
    return _putenv_s(name, value);
}

inline int unsetenv(const char* name)
{
    if (std::strcmp(name, "TMPDIR") == 0) _putenv_s("TMP", "");
    return _putenv_s(name, "");
}

// Replaces the trailing XXXXXX of `pattern` and creates that folder.
inline char* mkdtemp(char* pattern)
{
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0) return nullptr;
    return pattern;
}
