#include "logora/engine/document/DocumentRegistry.h"

#include <algorithm>

#include "platform/paths/PathForms.h"

namespace logora {

void DocumentRegistry::Add(const void* document, const std::string& path)
{
    Remove(document);
    entries_.push_back({document, platform::CanonicalPath(path)});
}

void DocumentRegistry::Remove(const void* document)
{
    std::erase_if(entries_, [&](const Entry& entry) { return entry.document == document; });
}

bool DocumentRegistry::IsDocumentOpen(const std::string& path) const
{
    const std::string wanted = platform::CanonicalPath(path);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return entry.canonicalPath == wanted; });
}

DocumentRegistry& ProgramDocumentRegistry()
{
    static DocumentRegistry registry;
    return registry;
}

}  // namespace logora
