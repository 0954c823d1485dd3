#pragma once
// Files that exist only as a maker of their bytes: a table read in place of
// its input is named like a file, and every reader that opens that name
// (CLargeFile::OpenRead, hence every table reader) gets bytes made on demand
// instead of a file's. Each open gets a source of its own, so readers on
// several threads never share one.

#include <functional>
#include <memory>
#include <string>

#include "common/bytes/ByteSource.h"

namespace logora {

// A new source of the file's bytes; null when they can no longer be made.
using MadeFileOpener = std::function<std::unique_ptr<common::ByteSource>()>;

// The file of one name while the object lives; opens of the name that began
// keep their sources after it ends.
class MadeFile
{
public:
    MadeFile() = default;
    ~MadeFile() { Remove(); }
    MadeFile(const MadeFile&) = delete;
    MadeFile& operator=(const MadeFile&) = delete;

    // Makes `name` open through `opener`; a name another made file has
    // already is told apart by " (2)", " (3)" and so on behind it. Name
    // then says which.
    void Publish(const std::string& name, MadeFileOpener opener);
    void Remove();
    bool IsPublished() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// True when `name` is a made file; `source` then receives a source of its
// bytes, null when they can no longer be made.
bool OpenMadeFile(const std::string& name, std::unique_ptr<common::ByteSource>& source);

}  // namespace logora
