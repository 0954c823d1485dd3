#include <windows.h>

#include <objbase.h>
#include <ole2.h>

#include <cstring>
#include <map>

#include "platform/compound/ComPtr.h"
#include "platform/compound/CompoundWriter.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr DWORD kCreateChild = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

// Storages by path ("" is the root), kept open until every element is written.
class StorageTree
{
public:
    explicit StorageTree(IStorage* root) { storages_[""] = ComPtr<IStorage>(root); }

    IStorage* Storage(const std::string& path)
    {
        auto found = storages_.find(path);
        if (found != storages_.end()) return found->second.get();
        const size_t slash = path.rfind('/');
        const std::string parentPath = slash == std::string::npos ? "" : path.substr(0, slash);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        IStorage* parent = Storage(parentPath);
        IStorage* child = nullptr;
        if (!parent || FAILED(parent->CreateStorage(Widen(name).c_str(), kCreateChild, 0, 0, &child)))
            return nullptr;
        storages_[path] = ComPtr<IStorage>(child);
        return child;
    }

    // Commits the storages, children before parents (longer paths sort later).
    bool CommitAll()
    {
        bool ok = true;
        for (auto it = storages_.rbegin(); it != storages_.rend(); ++it) {
            ok = SUCCEEDED(it->second->Commit(STGC_DEFAULT)) && ok;
        }
        return ok;
    }

private:
    std::map<std::string, ComPtr<IStorage>> storages_;
};

bool WriteStream(IStorage* storage, const std::string& name, const std::vector<uint8_t>& bytes)
{
    IStream* created = nullptr;
    if (FAILED(storage->CreateStream(Widen(name).c_str(), kCreateChild, 0, 0, &created))) return false;
    ComPtr<IStream> stream(created);
    ULONG written = 0;
    return bytes.empty() ||
           (SUCCEEDED(stream->Write(bytes.data(), ULONG(bytes.size()), &written)) && written == bytes.size());
}

// Writes `elements` into `root`, which it releases.
bool WriteElements(IStorage* root, const std::vector<CompoundElement>& elements)
{
    StorageTree tree(root);
    bool ok = true;
    for (const CompoundElement& element : elements) {
        const size_t slash = element.path.rfind('/');
        const std::string storagePath = slash == std::string::npos ? "" : element.path.substr(0, slash);
        const std::string name = slash == std::string::npos ? element.path : element.path.substr(slash + 1);
        IStorage* storage = tree.Storage(storagePath);
        if (!storage) {
            ok = false;
        } else if (!name.empty()) {
            ok = WriteStream(storage, name, element.bytes) && ok;
        }
    }
    return tree.CommitAll() && ok;
}

// The bytes `lockBytes` holds in its global memory block.
std::optional<std::vector<uint8_t>> HeldBytes(ILockBytes* lockBytes)
{
    STATSTG stat{};
    HGLOBAL global = nullptr;
    if (FAILED(lockBytes->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromILockBytes(lockBytes, &global)))
        return std::nullopt;
    const void* at = GlobalLock(global);
    if (at == nullptr) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(at);
    std::vector<uint8_t> held(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return held;
}

}  // namespace

bool WriteCompoundFile(const std::string& path, const std::vector<CompoundElement>& elements)
{
    IStorage* root = nullptr;
    if (FAILED(StgCreateStorageEx(Widen(path).c_str(), kCreateChild, STGFMT_STORAGE, 0, nullptr, nullptr,
                                  IID_IStorage, reinterpret_cast<void**>(&root)))) {
        return false;
    }
    return WriteElements(root, elements);
}

std::optional<std::vector<uint8_t>> CompoundFileBytes(const std::vector<CompoundElement>& elements)
{
    ILockBytes* lockBytes = nullptr;
    if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, &lockBytes))) return std::nullopt;
    IStorage* root = nullptr;
    std::optional<std::vector<uint8_t>> bytes;
    if (SUCCEEDED(StgCreateDocfileOnILockBytes(lockBytes, kCreateChild, 0, &root)) &&
        WriteElements(root, elements))
        bytes = HeldBytes(lockBytes);
    lockBytes->Release();
    return bytes;
}

}  // namespace platform
