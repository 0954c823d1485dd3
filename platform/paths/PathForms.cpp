#include "platform/paths/PathForms.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

// The file system library takes and gives UTF-8 as char8_t on every system:
// a plain char string would be read in the ANSI code page on Windows.
std::filesystem::path FromUtf8(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string ToUtf8(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// What `form` makes of `path`, or `fallback` when it fails. On Windows the
// conversions throw for a path that is no valid Unicode.
template <class Form>
std::string InForm(const std::string& path, const std::string& fallback, Form form)
{
    try {
        std::error_code error;
        const std::filesystem::path result = form(FromUtf8(path), error);
        return error ? fallback : ToUtf8(result);
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace

std::string CurrentFolder()
{
    return InForm({}, {}, [](const std::filesystem::path&, std::error_code& error) {
        return std::filesystem::current_path(error);
    });
}

std::string AbsolutePath(const std::string& path)
{
    return InForm(path, path, [](const std::filesystem::path& given, std::error_code& error) {
        return std::filesystem::absolute(given, error);
    });
}

std::string CanonicalPath(const std::string& path)
{
    return InForm(path, path, [](const std::filesystem::path& given, std::error_code& error) {
        return std::filesystem::weakly_canonical(given, error);
    });
}

}  // namespace platform
