#include "logora/engine/recipe/CBlendcraftStorage.h"

#include <algorithm>

#include "logora/engine/recipe/RecipeEntryReader.h"
#include "platform/compound/CompoundNames.h"

namespace logora {

namespace {

constexpr std::string_view kIngredients = "Ingredients";
constexpr std::string_view kDataSets = "DataSets";
constexpr std::string_view kTagSets = "TagSets";

// The name upper-cased and stripped of surrounding blanks, for comparing set
// names; empty for a name that is blank or not valid UTF-8.
std::u16string SetKey(std::string_view name)
{
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = name.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = name.find_last_not_of(kBlanks);
    return platform::CompoundNameKey(name.substr(first, last - first + 1));
}

// The first offset is the offset table's length. Each ingredient needs its
// 4-byte slot inside the stream, which bounds the count by the stream's size
// whatever the first offset claims.
uint32_t CountIngredients(const platform::CompoundStream& stream)
{
    RecipeEntryReader reader(stream);
    std::optional<uint32_t> tableLength = reader.ReadU32();
    if (!tableLength) return 0;
    return static_cast<uint32_t>(std::min<uint64_t>(*tableLength / 4, stream.size() / 4));
}

std::string NameAt(const std::vector<std::string>& names, int index)
{
    return index >= 0 && static_cast<size_t>(index) < names.size() ? names[index] : std::string();
}

}  // namespace

void CBlendcraftStorage::Release()
{
    dataSetStream_ = {};
    tagSetStream_ = {};
    ingredients_.reset();
    tagSets_.reset();
    dataSets_.reset();
    root_.reset();
    ingredientCount_ = 0;
    dataSetNames_.clear();
    tagSetNames_.clear();
}

bool CBlendcraftStorage::Open(const std::string& path)
{
    Release();
    platform::CompoundStorage::OpenResult opened = platform::CompoundStorage::Open(path);
    if (opened.status != platform::CompoundOpenStatus::Opened) return false;
    root_ = std::move(opened.storage);
    ingredients_ = root_->OpenStream(kIngredients);
    if (ingredients_) ingredientCount_ = CountIngredients(*ingredients_);
    dataSets_ = root_->OpenStorage(kDataSets);
    if (dataSets_) dataSetNames_ = dataSets_->ChildNames();
    tagSets_ = root_->OpenStorage(kTagSets);
    if (tagSets_) tagSetNames_ = tagSets_->ChildNames();
    return true;
}

std::string CBlendcraftStorage::GetDataSetName(int index) const
{
    return NameAt(dataSetNames_, index);
}

std::string CBlendcraftStorage::GetTagSetName(int index) const
{
    return NameAt(tagSetNames_, index);
}

bool CBlendcraftStorage::ReadIngredient(uint32_t index)
{
    if (!ingredients_) return false;
    RecipeEntryReader reader(*ingredients_);
    if (!reader.SeekEntry(index)) return false;
    std::optional<uint32_t> type = reader.ReadU32();
    if (!type) return false;
    std::optional<RecipeVariant> minimum = reader.ReadValue();
    if (!minimum) return false;
    std::optional<RecipeVariant> maximum = reader.ReadValue();
    if (!maximum) return false;
    std::optional<std::u16string> name = reader.ReadString();
    if (!name) return false;
    ingredient_ = {*type, std::move(*minimum), std::move(*maximum), std::move(*name)};
    return true;
}

bool CBlendcraftStorage::ReadDataSetValue(std::string_view setName, uint32_t index)
{
    const platform::CompoundStream* stream = SetStream(dataSets_, dataSetStream_, setName);
    if (!stream) return false;
    RecipeEntryReader reader(*stream);
    if (!reader.SeekEntry(index)) return false;
    std::optional<RecipeVariant> value = reader.ReadValue();
    if (!value) return false;
    dataSetValue_ = std::move(*value);
    return true;
}

bool CBlendcraftStorage::ReadTagSetName(std::string_view setName, uint32_t index)
{
    const platform::CompoundStream* stream = SetStream(tagSets_, tagSetStream_, setName);
    if (!stream) return false;
    RecipeEntryReader reader(*stream);
    if (!reader.SeekEntry(index)) return false;
    std::optional<std::u16string> name = reader.ReadString();
    if (!name) return false;
    tagName_ = std::move(*name);
    return true;
}

// Reuses the open stream when the requested name matches the one it was
// opened by after both are upper-cased and blank-stripped; otherwise
// releases it and opens the requested stream.
const platform::CompoundStream* CBlendcraftStorage::SetStream(
    const std::optional<platform::CompoundStorage>& storage, OpenSet& open, std::string_view setName)
{
    const std::u16string key = SetKey(setName);
    if (open.stream && !key.empty() && key == open.key) return &*open.stream;
    open = {};
    if (!storage) return nullptr;
    open.stream = storage->OpenStream(setName);
    if (!open.stream) return nullptr;
    open.key = key;
    return &*open.stream;
}

}  // namespace logora
