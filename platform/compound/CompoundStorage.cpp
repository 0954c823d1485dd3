#include "platform/compound/CompoundStorage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input-stdio.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/compound/CompoundNames.h"
#include "platform/files/RegularFile.h"

namespace platform {

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Files up to this size are read into memory whole.
constexpr gsf_off_t kReadWholeUpTo = gsf_off_t(64) << 20;

// The library reads a file by the sector, a seek and a read each, which for
// a recipe of a few megabytes took most of its conversion; a file of the
// usual size is read whole instead, and larger ones where they lie.
GObjectPtr<GsfInput> InMemory(GObjectPtr<GsfInput> file)
{
    const gsf_off_t size = gsf_input_size(file.get());
    if (size <= 0 || size > kReadWholeUpTo) return file;
    auto* bytes = static_cast<guint8*>(g_try_malloc(size_t(size)));
    if (bytes == nullptr) return file;
    if (gsf_input_seek(file.get(), 0, G_SEEK_SET) || !gsf_input_read(file.get(), size_t(size), bytes)) {
        g_free(bytes);
        return file;
    }
    return GObjectPtr<GsfInput>(gsf_input_memory_new(bytes, size, TRUE));
}

bool StartsWithSignature(GsfInput* input)
{
    if (gsf_input_size(input) < static_cast<gsf_off_t>(kSignature.size())) return false;
    std::array<uint8_t, kSignature.size()> head{};
    if (gsf_input_seek(input, 0, G_SEEK_SET) || !gsf_input_read(input, head.size(), head.data()))
        return false;
    return head == kSignature;
}

bool IsStorage(GsfInput* child)
{
    return GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0;
}

}  // namespace

CompoundStorage::OpenResult CompoundStorage::Open(const std::string& path)
{
    // The library copies any other kind of file into memory whole, which for
    // a device never ends and for a named pipe waits for a writer.
    if (RegularFileCheck(path).outcome != FileCheck::Outcome::Regular)
        return {CompoundOpenStatus::Failed, std::nullopt};
    GError* error = nullptr;
    GObjectPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
    g_clear_error(&error);
    if (!file) return {CompoundOpenStatus::Failed, std::nullopt};
    file = InMemory(std::move(file));

    bool signature = StartsWithSignature(file.get());
    gsf_input_seek(file.get(), 0, G_SEEK_SET);
    GObjectPtr<GsfInfile> root(gsf_infile_msole_new(file.get(), &error));
    g_clear_error(&error);
    if (!root)
        return {signature ? CompoundOpenStatus::Failed : CompoundOpenStatus::NotCompound, std::nullopt};
    return {CompoundOpenStatus::Opened, CompoundStorage(std::move(root))};
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
