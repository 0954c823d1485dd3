#include <windows.h>

#include <objbase.h>
#include <ole2.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/compound/CompoundLayout.h"
#include "platform/compound/CompoundNames.h"
#include "platform/compound/CompoundStorage.h"
#include "platform/files/RegularFile.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

struct Child
{
    std::string name;
    bool isStorage;
};

// The children in the format's order: that of the sorted directory tree.
std::vector<Child> Children(IStorage* storage)
{
    std::vector<Child> children;
    IEnumSTATSTG* elements = nullptr;
    if (FAILED(storage->EnumElements(0, nullptr, 0, &elements))) return children;
    STATSTG element{};
    while (elements->Next(1, &element, nullptr) == S_OK) {
        children.push_back({Narrow(element.pwcsName), element.type == STGTY_STORAGE});
        CoTaskMemFree(element.pwcsName);
    }
    elements->Release();
    std::stable_sort(children.begin(), children.end(),
                     [](const Child& a, const Child& b) { return CompareCompoundNames(a.name, b.name) < 0; });
    return children;
}

}  // namespace

void ReleaseCom(IStorage* object)
{
    object->Release();
}

void ReleaseCom(IStream* object)
{
    object->Release();
}

// The structure is checked as on the other systems, so that a damaged file
// is refused in the same words whatever the system's storage makes of it.
CompoundStorage::OpenResult CompoundStorage::Open(const std::string& path)
{
    const FileCheck check = RegularFileCheck(path);
    if (check.outcome != FileCheck::Outcome::Regular)
        return {CompoundOpenStatus::Failed, std::nullopt, check.why};
    if (!FileStartsWithCompoundSignature(path)) return {CompoundOpenStatus::NotCompound, std::nullopt, {}};
    const CompoundLayoutCheck layout = CheckCompoundFileLayout(path);
    if (layout.outcome != CompoundLayoutCheck::Outcome::Sound)
        return {CompoundOpenStatus::Failed, std::nullopt, CompoundLayoutFailure(path, layout)};
    IStorage* root = nullptr;
    const HRESULT result =
        StgOpenStorageEx(Widen(path).c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, STGFMT_STORAGE, 0, nullptr,
                         nullptr, IID_IStorage, reinterpret_cast<void**>(&root));
    if (FAILED(result) || root == nullptr) {
        return {CompoundOpenStatus::Failed, std::nullopt,
                DamagedCompoundFile(path, "the system's structured storage refuses it")};
    }
    return {CompoundOpenStatus::Opened, CompoundStorage(ComPtr<IStorage>(root)), {}};
}

// The system's storage reads memory through lock bytes over a global memory
// block, which holds a copy of the bytes and goes with the storage.
CompoundStorage::OpenResult CompoundStorage::OpenMemory(std::span<const uint8_t> bytes,
                                                        const std::string& name)
{
    if (!StartsWithCompoundSignature(bytes)) return {CompoundOpenStatus::NotCompound, std::nullopt, {}};
    const CompoundLayoutCheck layout = CheckCompoundLayout(bytes);
    if (layout.outcome != CompoundLayoutCheck::Outcome::Sound)
        return {CompoundOpenStatus::Failed, std::nullopt, CompoundLayoutFailure(name, layout)};
    const std::string refused = DamagedCompoundFile(name, "the system's structured storage refuses it");
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* at = copy ? GlobalLock(copy) : nullptr;
    if (at == nullptr) {
        if (copy) GlobalFree(copy);
        return {CompoundOpenStatus::Failed, std::nullopt,
                name + ": no memory for a copy of its " + std::to_string(bytes.size()) + " bytes"};
    }
    std::memcpy(at, bytes.data(), bytes.size());
    GlobalUnlock(copy);
    ILockBytes* lockBytes = nullptr;
    if (FAILED(CreateILockBytesOnHGlobal(copy, TRUE, &lockBytes)) || lockBytes == nullptr) {
        GlobalFree(copy);
        return {CompoundOpenStatus::Failed, std::nullopt, refused};
    }
    IStorage* root = nullptr;
    const HRESULT result =
        StgOpenStorageOnILockBytes(lockBytes, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root);
    lockBytes->Release();  // the storage holds its own reference
    if (FAILED(result) || root == nullptr) return {CompoundOpenStatus::Failed, std::nullopt, refused};
    return {CompoundOpenStatus::Opened, CompoundStorage(ComPtr<IStorage>(root)), {}};
}

std::vector<std::string> CompoundStorage::ChildNames() const
{
    std::vector<std::string> names;
    for (Child& child : Children(storage_.get())) names.push_back(std::move(child.name));
    return names;
}

std::optional<std::string> CompoundStorage::FindChild(std::string_view name, bool wantStorage) const
{
    const std::u16string wanted = CompoundNameKey(name);
    if (wanted.empty()) return std::nullopt;
    for (Child& child : Children(storage_.get())) {
        if (CompoundNameKey(child.name) != wanted) continue;
        if (child.isStorage != wantStorage) return std::nullopt;
        return std::move(child.name);
    }
    return std::nullopt;
}

bool CompoundStorage::HasStream(std::string_view name) const
{
    return FindChild(name, false).has_value();
}

bool CompoundStorage::HasStorage(std::string_view name) const
{
    return FindChild(name, true).has_value();
}

std::optional<CompoundStream> CompoundStorage::OpenStream(std::string_view name) const
{
    const std::optional<std::string> exact = FindChild(name, false);
    IStream* stream = nullptr;
    if (!exact || FAILED(storage_->OpenStream(Widen(*exact).c_str(), nullptr,
                                              STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
        return std::nullopt;
    }
    return CompoundStream(ComPtr<IStream>(stream));
}

std::optional<CompoundStorage> CompoundStorage::OpenStorage(std::string_view name) const
{
    const std::optional<std::string> exact = FindChild(name, true);
    IStorage* storage = nullptr;
    if (!exact || FAILED(storage_->OpenStorage(Widen(*exact).c_str(), nullptr,
                                               STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage))) {
        return std::nullopt;
    }
    return CompoundStorage(ComPtr<IStorage>(storage));
}

}  // namespace platform
