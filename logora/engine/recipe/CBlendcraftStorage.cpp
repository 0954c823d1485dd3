#include "logora/engine/recipe/CBlendcraftStorage.h"

#include <algorithm>

#include "logora/engine/recipe/RecipeEntryReader.h"
#include "platform/compound/CompoundNames.h"
#include "platform/files/InputFile.h"

namespace logora {

namespace {

constexpr std::string_view kIngredients = "Ingredients";
constexpr std::string_view kDataSets = "DataSets";
constexpr std::string_view kTagSets = "TagSets";

std::u16string_view StripBlanks(std::u16string_view name)
{
    constexpr std::u16string_view kBlanks = u" \t\r\n\v\f";
    const size_t first = name.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    const size_t last = name.find_last_not_of(kBlanks);
    return name.substr(first, last - first + 1);
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

bool IsEmptyFile(const std::string& path)
{
    platform::InputFile file;
    return file.OpenRegular(path) == platform::InputFile::OpenResult::Opened && file.Size() == 0;
}

std::string WhyNotCompound(const std::string& path, bool empty)
{
    if (empty) return path + ": the file is empty; a recipe file is a compound file";
    return path + ": no compound file signature (D0 CF 11 E0 A1 B1 1A E1) at byte 0";
}

std::string NameAt(const std::vector<std::string>& names, int index)
{
    return index >= 0 && static_cast<size_t>(index) < names.size() ? names[index] : std::string();
}

}  // namespace

void CBlendcraftStorage::Release()
{
    dataSetStreams_.clear();
    tagSetStreams_.clear();
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
    if (opened.status == platform::CompoundOpenStatus::NotCompound)
        opened.why = WhyNotCompound(path, IsEmptyFile(path));
    return Take(std::move(opened));
}

bool CBlendcraftStorage::OpenMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    Release();
    platform::CompoundStorage::OpenResult opened = platform::CompoundStorage::OpenMemory(bytes, name);
    if (opened.status == platform::CompoundOpenStatus::NotCompound)
        opened.why = WhyNotCompound(name, bytes.empty());
    return Take(std::move(opened));
}

bool CBlendcraftStorage::Take(platform::CompoundStorage::OpenResult opened)
{
    openFailure_ = std::move(opened.why);
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
    const platform::CompoundStream* stream = SetStream(dataSets_, dataSetStreams_, setName);
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
    const platform::CompoundStream* stream = SetStream(tagSets_, tagSetStreams_, setName);
    if (!stream) return false;
    RecipeEntryReader reader(*stream);
    if (!reader.SeekEntry(index)) return false;
    std::optional<std::u16string> name = reader.ReadString();
    if (!name) return false;
    tagName_ = std::move(*name);
    return true;
}

// A set's own stream comes first, so two sets whose names differ only in
// surrounding blanks keep their own values; a name that names no stream
// reuses an open stream whose name equals it once both are blank-stripped.
const platform::CompoundStream* CBlendcraftStorage::SetStream(
    const std::optional<platform::CompoundStorage>& storage, OpenSets& open, std::string_view setName)
{
    const std::u16string key = platform::CompoundNameKey(setName);
    if (!storage || key.empty()) return nullptr;
    const auto found = open.find(key);
    if (found != open.end()) return &found->second;
    std::optional<platform::CompoundStream> stream = storage->OpenStream(setName);
    if (stream) return &open.emplace(key, std::move(*stream)).first->second;
    const std::u16string_view stripped = StripBlanks(key);
    if (stripped.empty()) return nullptr;
    for (auto& [name, openStream] : open) {
        if (StripBlanks(name) == stripped) return &openStream;
    }
    return nullptr;
}

}  // namespace logora
