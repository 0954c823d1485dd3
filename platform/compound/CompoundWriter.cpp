#include "platform/compound/CompoundWriter.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output-stdio.h>

#include <map>

#include "platform/compound/GObjectPtr.h"

namespace platform {

namespace {

// Storages by path ("" is the root), kept open until every element is written.
class StorageTree
{
public:
    explicit StorageTree(GsfOutfile* root) { storages_[""] = GObjectPtr<GsfOutfile>(root); }

    GsfOutfile* Storage(const std::string& path)
    {
        auto found = storages_.find(path);
        if (found != storages_.end()) return found->second.get();
        size_t slash = path.rfind('/');
        std::string parentPath = slash == std::string::npos ? "" : path.substr(0, slash);
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        GsfOutfile* parent = Storage(parentPath);
        if (!parent) return nullptr;
        GsfOutput* child = gsf_outfile_new_child(parent, name.c_str(), TRUE);
        if (!child) return nullptr;
        storages_[path] = GObjectPtr<GsfOutfile>(GSF_OUTFILE(child));
        return GSF_OUTFILE(child);
    }

    // Closes the storages, children before parents (longer paths sort later).
    bool CloseAll()
    {
        bool ok = true;
        for (auto it = storages_.rbegin(); it != storages_.rend(); ++it)
            ok = gsf_output_close(GSF_OUTPUT(it->second.get())) && ok;
        return ok;
    }

private:
    std::map<std::string, GObjectPtr<GsfOutfile>> storages_;
};

bool WriteStream(GsfOutfile* storage, const std::string& name, const std::vector<uint8_t>& bytes)
{
    GObjectPtr<GsfOutput> stream(gsf_outfile_new_child(storage, name.c_str(), FALSE));
    if (!stream) return false;
    bool ok = bytes.empty() || gsf_output_write(stream.get(), bytes.size(), bytes.data());
    return gsf_output_close(stream.get()) && ok;
}

// Writes the compound file of `elements` into `sink` and closes it.
bool WriteElements(GsfOutput* sink, const std::vector<CompoundElement>& elements)
{
    GsfOutfile* root = gsf_outfile_msole_new(sink);
    if (!root) return false;
    StorageTree tree(root);
    bool ok = true;
    for (const CompoundElement& element : elements) {
        size_t slash = element.path.rfind('/');
        std::string storagePath = slash == std::string::npos ? "" : element.path.substr(0, slash);
        std::string name = slash == std::string::npos ? element.path : element.path.substr(slash + 1);
        GsfOutfile* storage = tree.Storage(storagePath);
        if (!storage) {
            ok = false;
        } else if (!name.empty()) {
            ok = WriteStream(storage, name, element.bytes) && ok;
        }
    }
    ok = tree.CloseAll() && ok;
    // Closing the root storage closes the sink too.
    return (gsf_output_is_closed(sink) || gsf_output_close(sink)) && ok;
}

}  // namespace

bool WriteCompoundFile(const std::string& path, const std::vector<CompoundElement>& elements)
{
    GError* error = nullptr;
    GObjectPtr<GsfOutput> sink(gsf_output_stdio_new(path.c_str(), &error));
    g_clear_error(&error);
    return sink && WriteElements(sink.get(), elements);
}

std::optional<std::vector<uint8_t>> CompoundFileBytes(const std::vector<CompoundElement>& elements)
{
    GObjectPtr<GsfOutput> sink(gsf_output_memory_new());
    if (!sink || !WriteElements(sink.get(), elements)) return std::nullopt;
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    if (bytes == nullptr) return std::nullopt;
    return std::vector<uint8_t>(bytes, bytes + gsf_output_size(sink.get()));
}

}  // namespace platform
