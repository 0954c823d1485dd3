#pragma once
// A compound file (structured storage) opened for reading: its root storage
// or one of its sub-storages. Element names are UTF-8; lookups ignore case
// as the format does, and children are listed in the format's own order.

#ifndef _WIN32
#include <gsf/gsf-infile.h>
#endif

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/compound/CompoundStream.h"
#ifdef _WIN32
#include "platform/compound/ComPtr.h"
#else
#include "platform/compound/GObjectPtr.h"
#endif

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
    // Open for a compound file held in memory, `name` standing for its path
    // in messages; its structure is checked as a file's. The bytes must
    // outlive the storage and everything opened from it.
    static OpenResult OpenMemory(std::span<const uint8_t> bytes, const std::string& name);

    // Names of the elements (streams and storages) in the format's order.
    std::vector<std::string> ChildNames() const;
    bool HasStream(std::string_view name) const;
    bool HasStorage(std::string_view name) const;
    std::optional<CompoundStream> OpenStream(std::string_view name) const;
    std::optional<CompoundStorage> OpenStorage(std::string_view name) const;

private:
#ifdef _WIN32
    explicit CompoundStorage(ComPtr<IStorage> storage) : storage_(std::move(storage)) {}
    // The exact name of the child whose name equals `name` without regard to
    // case (first in the format's order when several do), or nothing.
    std::optional<std::string> FindChild(std::string_view name, bool wantStorage) const;

    ComPtr<IStorage> storage_;
#else
    explicit CompoundStorage(GObjectPtr<GsfInfile> infile) : infile_(std::move(infile)) {}
    // The library's reader over `input`, whose structure was checked.
    static OpenResult OpenChecked(GObjectPtr<GsfInput> input, const std::string& path);
    // The child whose name equals `name` without regard to case (first in
    // the format's order when several do), or null.
    GObjectPtr<GsfInput> FindChild(std::string_view name) const;

    GObjectPtr<GsfInfile> infile_;
#endif
};

struct CompoundStorage::OpenResult
{
    CompoundOpenStatus status;
    std::optional<CompoundStorage> storage;  // set when status is Opened
    // Failed: why, naming the file (the system's reason for a file that
    // cannot be read, what is damaged in a damaged one).
    std::string why;
};

}  // namespace platform
