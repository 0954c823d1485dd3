#include "platform/compound/CompoundStorage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include "platform/compound/CompoundLayout.h"
#include "platform/compound/CompoundNames.h"
#include "platform/files/InputFile.h"
#include "platform/files/RegularFile.h"

namespace platform {

namespace {

// Files up to this size are read into memory whole.
constexpr uint64_t kReadWholeUpTo = uint64_t(64) << 20;

struct GFree
{
    void operator()(guint8* bytes) const { g_free(bytes); }
};

GObjectPtr<GsfInput> FromFile(const std::string& path)
{
    GError* error = nullptr;
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
    g_clear_error(&error);
    return file;
}

bool IsStorage(GsfInput* child)
{
    return GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0;
}

CompoundStorage::OpenResult Failure(std::string why)
{
    return {CompoundOpenStatus::Failed, std::nullopt, std::move(why)};
}

// Why a compound file held whole is refused at `path`; nothing when its
// structure is sound.
std::optional<CompoundStorage::OpenResult> RefusalOfWhole(std::span<const uint8_t> whole,
                                                          const std::string& path)
{
    if (!StartsWithCompoundSignature(whole))
        return CompoundStorage::OpenResult{CompoundOpenStatus::NotCompound, std::nullopt, {}};
    const CompoundLayoutCheck layout = CheckCompoundLayout(whole);
    if (layout.outcome != CompoundLayoutCheck::Outcome::Sound)
        return Failure(CompoundLayoutFailure(path, layout));
    return std::nullopt;
}

}  // namespace

// The library reports damage it meets (a chain that loops, a tree leading
// back to its root) and reads on, handing out streams it cannot read; the
// structure is therefore checked before the library gets the file.
CompoundStorage::OpenResult CompoundStorage::Open(const std::string& path)
{
    // The library copies any other kind of file into memory whole, which for
    // a device never ends and for a named pipe waits for a writer.
    const FileCheck check = RegularFileCheck(path);
    if (check.outcome != FileCheck::Outcome::Regular) return Failure(check.why);
    InputFile file;
    if (file.OpenRegular(path) != InputFile::OpenResult::Opened)
        return Failure(path + ": cannot be opened for reading: " + std::strerror(errno));
    const auto size = static_cast<uint64_t>(file.Size());
    if (size == 0) return {CompoundOpenStatus::NotCompound, std::nullopt, {}};
    // The library reads a file by the sector, a seek and a read each, which
    // for a recipe of a few megabytes took most of its conversion; a file of
    // the usual size is read whole instead, and larger ones where they lie.
    std::unique_ptr<guint8, GFree> bytes(
        size <= kReadWholeUpTo ? static_cast<guint8*>(g_try_malloc(size_t(size))) : nullptr);
    if (bytes) {
        const std::span<uint8_t> whole(bytes.get(), size_t(size));
        if (std::string why = ReadAllAt(file, path, 0, whole); !why.empty()) return Failure(std::move(why));
        if (std::optional<OpenResult> refusal = RefusalOfWhole(whole, path)) return std::move(*refusal);
    } else {
        if (!FileStartsWithCompoundSignature(path))
            return {CompoundOpenStatus::NotCompound, std::nullopt, {}};
        const CompoundLayoutCheck layout = CheckCompoundFileLayout(path);
        if (layout.outcome != CompoundLayoutCheck::Outcome::Sound)
            return Failure(CompoundLayoutFailure(path, layout));
    }
    return OpenChecked(
        GObjectPtr<GsfInput>(bytes ? gsf_input_memory_new(bytes.release(), gsf_off_t(size), TRUE)
                                   : FromFile(path).release()),
        path);
}

CompoundStorage::OpenResult CompoundStorage::OpenMemory(std::span<const uint8_t> bytes,
                                                        const std::string& name)
{
    if (std::optional<OpenResult> refusal = RefusalOfWhole(bytes, name)) return std::move(*refusal);
    return OpenChecked(
        GObjectPtr<GsfInput>(gsf_input_memory_new(bytes.data(), gsf_off_t(bytes.size()), FALSE)), name);
}

CompoundStorage::OpenResult CompoundStorage::OpenChecked(GObjectPtr<GsfInput> input, const std::string& path)
{
    if (!input) return Failure(path + ": cannot be opened for reading: " + std::strerror(errno));
    GError* error = nullptr;
    GObjectPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
    g_clear_error(&error);
    if (!root) return Failure(DamagedCompoundFile(path, "the compound file reader refuses its header"));
    return {CompoundOpenStatus::Opened, CompoundStorage(std::move(root)), {}};
}

std::vector<std::string> CompoundStorage::ChildNames() const
{
    std::vector<std::string> names;
    int count = gsf_infile_num_children(infile_.get());
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(infile_.get(), i);
        if (name) names.emplace_back(name);
    }
    // The reader lists directory entries in the order it met them; the
    // format's order is that of the sorted directory tree.
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareCompoundNames(a, b) < 0;
    });
    return names;
}

GObjectPtr<GsfInput> CompoundStorage::FindChild(std::string_view name) const
{
    std::u16string wanted = CompoundNameKey(name);
    if (wanted.empty()) return nullptr;
    for (const std::string& child : ChildNames()) {
        if (CompoundNameKey(child) != wanted) continue;
        return GObjectPtr<GsfInput>(gsf_infile_child_by_name(infile_.get(), child.c_str()));
    }
    return nullptr;
}

bool CompoundStorage::HasStream(std::string_view name) const
{
    GObjectPtr<GsfInput> child = FindChild(name);
    return child && !IsStorage(child.get());
}

bool CompoundStorage::HasStorage(std::string_view name) const
{
    GObjectPtr<GsfInput> child = FindChild(name);
    return child && IsStorage(child.get());
}

std::optional<CompoundStream> CompoundStorage::OpenStream(std::string_view name) const
{
    GObjectPtr<GsfInput> child = FindChild(name);
    if (!child || IsStorage(child.get())) return std::nullopt;
    return CompoundStream(std::move(child));
}

std::optional<CompoundStorage> CompoundStorage::OpenStorage(std::string_view name) const
{
    GObjectPtr<GsfInput> child = FindChild(name);
    if (!child || !IsStorage(child.get())) return std::nullopt;
    return CompoundStorage(GObjectPtr<GsfInfile>(GSF_INFILE(child.release())));
}

}  // namespace platform
