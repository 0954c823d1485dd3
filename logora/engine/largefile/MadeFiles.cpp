#include "logora/engine/largefile/MadeFiles.h"

#include <map>
#include <mutex>

namespace logora {

namespace {

// The made files of the program. Few, and looked up once per open.
struct Registry
{
    std::mutex lock;
    std::map<std::string, MadeFileOpener> openers;
};

Registry& MadeFiles()
{
    static Registry registry;
    return registry;
}

}  // namespace

void MadeFile::Publish(const std::string& name, MadeFileOpener opener)
{
    Remove();
    Registry& registry = MadeFiles();
    const std::lock_guard<std::mutex> hold(registry.lock);
    std::string unique = name;
    for (int other = 2; registry.openers.count(unique) > 0; ++other)
        unique = name + " (" + std::to_string(other) + ")";
    registry.openers[unique] = std::move(opener);
    name_ = unique;
}

void MadeFile::Remove()
{
    if (name_.empty()) return;
    Registry& registry = MadeFiles();
    const std::lock_guard<std::mutex> hold(registry.lock);
    registry.openers.erase(name_);
    name_.clear();
}

bool OpenMadeFile(const std::string& name, std::unique_ptr<common::ByteSource>& source)
{
    MadeFileOpener opener;
    {
        Registry& registry = MadeFiles();
        const std::lock_guard<std::mutex> hold(registry.lock);
        const auto found = registry.openers.find(name);
        if (found == registry.openers.end()) return false;
        opener = found->second;
    }
    // Opening reads the input: outside the lock.
    source = opener();
    return true;
}

}  // namespace logora
