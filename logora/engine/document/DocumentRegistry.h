#pragma once
// The paths of the documents that are open, shared by the batch run and the
// viewer, so one file is never opened twice.

#include <string>
#include <vector>

namespace logora {

class DocumentRegistry
{
public:
    void Add(const void* document, const std::string& path);
    void Remove(const void* document);
    // Paths are compared in their canonical form, so "./a.dat" and the full
    // path of a.dat are the same document.
    bool IsDocumentOpen(const std::string& path) const;

private:
    struct Entry
    {
        const void* document;
        std::string canonicalPath;
    };
    std::vector<Entry> entries_;
};

DocumentRegistry& ProgramDocumentRegistry();

inline bool IsDocumentOpen(const std::string& path)
{
    return ProgramDocumentRegistry().IsDocumentOpen(path);
}

}  // namespace logora
