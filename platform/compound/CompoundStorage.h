#pragma once
// A compound file (structured storage) opened for reading: its root storage
// or one of its sub-storages. Element names are UTF-8; lookups ignore case
// as the format does, and children are listed in the format's own order.

#include <gsf/gsf-infile.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/compound/CompoundStream.h"
#include "platform/compound/GObjectPtr.h"

namespace platform {

enum class CompoundOpenStatus {
    Opened,
    NotCompound,  // the file exists and is readable but is no compound file
    Failed,       // missing, unreadable, no regular file, or a damaged compound file
};

class CompoundStorage
{
public:
    struct OpenResult;
    static OpenResult Open(const std::string& path);

    // Names of the elements (streams and storages) in the format's order.
    std::vector<std::string> ChildNames() const;
    bool HasStream(std::string_view name) const;
    bool HasStorage(std::string_view name) const;
    std::optional<CompoundStream> OpenStream(std::string_view name) const;
    std::optional<CompoundStorage> OpenStorage(std::string_view name) const;

private:
    explicit CompoundStorage(GObjectPtr<GsfInfile> infile) : infile_(std::move(infile)) {}
    // The child whose name equals `name` without regard to case (first in
    // the format's order when several do), or null.
    GObjectPtr<GsfInput> FindChild(std::string_view name) const;

    GObjectPtr<GsfInfile> infile_;
};

struct CompoundStorage::OpenResult
{
    CompoundOpenStatus status;
    std::optional<CompoundStorage> storage;  // set when status is Opened
};

}  // namespace platform
