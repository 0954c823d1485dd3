#include "platform/settings/KeptText.h"

#include "platform/paths/Paths.h"
#include "platform/userfiles/CacheFolder.h"
#include "platform/userfiles/PrivateFolder.h"

namespace platform {

namespace {

class StateFile : public KeptText
{
public:
    StateFile(std::optional<std::string> folder, std::string name)
        : folder_(std::move(folder)), name_(std::move(name))
    {}

    std::optional<std::string> Read(size_t maxSize) const override
    {
        PrivateFolder folder;
        std::error_code error;
        if (!folder_ || !folder.Open(*folder_, error)) return std::nullopt;
        return folder.ReadFile(name_, maxSize, error);
    }

    bool Write(const std::string& text) override
    {
        PrivateFolder folder;
        std::error_code error;
        return folder_ && MakePrivateFolders(*folder_, error) && folder.Open(*folder_, error) &&
               folder.ReplaceFile(name_, text, error) == PrivateFolder::ReplaceStep::Done;
    }

private:
    std::optional<std::string> folder_;
    std::string name_;
};

}  // namespace

std::unique_ptr<KeptText> OpenKeptText(const KeptTextPlace& place)
{
    // Without a home folder nothing is kept.
    const std::string state = UserStateFolder();
    std::optional<std::string> folder;
    if (!state.empty() && state[0] == '/') folder = JoinPath(state, place.folder);
    return std::make_unique<StateFile>(std::move(folder), place.file);
}

}  // namespace platform
