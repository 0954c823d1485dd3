#pragma once
// Sets TZ for the lifetime of one object and restores it afterwards, so a
// test can ask the C library about a zone of its choice.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace logora {

class ScopedTz
{
public:
    explicit ScopedTz(const std::string& zone)
    {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        setenv("TZ", zone.c_str(), 1);
        tzset();
    }
    ~ScopedTz()
    {
        if (saved_) {
            setenv("TZ", saved_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTz(const ScopedTz&) = delete;
    ScopedTz& operator=(const ScopedTz&) = delete;

private:
    std::optional<std::string> saved_;
};

}  // namespace logora
