#include "platform/settings/KeptText.h"
#include "platform/settings/UserProfile.h"

namespace platform {

namespace {

// The text is one REG_SZ value of the registry profile.
class ProfileValue : public KeptText
{
public:
    ProfileValue(std::unique_ptr<UserProfile> profile, std::string subkey)
        : profile_(std::move(profile)), subkey_(std::move(subkey))
    {}

    std::optional<std::string> Read(size_t maxSize) const override
    {
        std::optional<std::string> text = profile_->GetString(subkey_, kValue);
        if (text && text->size() > maxSize) return std::nullopt;
        return text;
    }

    bool Write(const std::string& text) override { return profile_->WriteString(subkey_, kValue, text); }

private:
    static constexpr const char* kValue = "Index";

    std::unique_ptr<UserProfile> profile_;
    std::string subkey_;
};

}  // namespace

std::unique_ptr<KeptText> OpenKeptText(const KeptTextPlace& place)
{
    return std::make_unique<ProfileValue>(OpenUserProfile(place.company, place.application), place.subkey);
}

}  // namespace platform
