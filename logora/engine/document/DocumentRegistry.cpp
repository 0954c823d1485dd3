#include "logora/engine/document/DocumentRegistry.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace logora {

namespace {

std::string Canonical(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

}  // namespace

void CDocumentRegistry::Add(const void* document, const std::string& path)
{
    Remove(document);
    entries_.push_back({document, Canonical(path)});
}

void CDocumentRegistry::Remove(const void* document)
{
    std::erase_if(entries_, [&](const Entry& entry) { return entry.document == document; });
}

bool CDocumentRegistry::IsDocumentOpen(const std::string& path) const
{
    const std::string wanted = Canonical(path);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return entry.canonicalPath == wanted; });
}

CDocumentRegistry& DocumentRegistry()
{
    static CDocumentRegistry registry;
    return registry;
}

}  // namespace logora
