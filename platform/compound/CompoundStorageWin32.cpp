#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/compound/CompoundNames.h"
#include "platform/compound/CompoundStorage.h"
#include "platform/files/InputFile.h"
#include "platform/files/RegularFile.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr std::array<uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool StartsWithSignature(const std::string& path)
{
    InputFile file;
    std::array<uint8_t, kSignature.size()> head{};
    return file.OpenRegular(path) == InputFile::OpenResult::Opened &&
           file.ReadAt(0, head.data(), head.size()) == int64_t(head.size()) && head == kSignature;
}

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

CompoundStorage::OpenResult CompoundStorage::Open(const std::string& path)
{
    if (RegularFileCheck(path).outcome != FileCheck::Outcome::Regular)
        return {CompoundOpenStatus::Failed, std::nullopt};
    if (!StartsWithSignature(path)) return {CompoundOpenStatus::NotCompound, std::nullopt};
    IStorage* root = nullptr;
    const HRESULT result =
        StgOpenStorageEx(Widen(path).c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, STGFMT_STORAGE, 0, nullptr,
                         nullptr, IID_IStorage, reinterpret_cast<void**>(&root));
    if (FAILED(result) || root == nullptr) return {CompoundOpenStatus::Failed, std::nullopt};
    return {CompoundOpenStatus::Opened, CompoundStorage(ComPtr<IStorage>(root))};
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
