#pragma once
// A recipe file: a compound file with the stream "Ingredients" and the
// storages "DataSets" (one value per ingredient in each of its streams) and
// "TagSets" (one tag name per ingredient in each of its streams). Reads one
// entry at a time and keeps the last entry read of each kind.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/recipe/RecipeVariant.h"
#include "platform/compound/CompoundStorage.h"
#include "platform/compound/CompoundStream.h"

namespace logora {

struct RecipeIngredient
{
    uint32_t type = 0;  // 0: string ingredient; anything else: number ingredient
    RecipeVariant minimum;
    RecipeVariant maximum;
    std::u16string name;

    bool IsNumber() const { return type != 0; }
};

class CBlendcraftStorage
{
public:
    // Releases anything open, then opens the compound file, its
    // "Ingredients" stream and the set names. True when the compound file
    // opened; a missing stream or storage only leaves its count at 0.
    bool Open(const std::string& path);
    // Open for a compound file held in memory, `name` standing for its path;
    // the bytes must outlive the storage.
    bool OpenMemory(std::span<const uint8_t> bytes, const std::string& name);
    // Why the last Open failed, naming the file: it cannot be read, is no
    // compound file, or a damaged one.
    const std::string& GetOpenFailure() const { return openFailure_; }

    uint32_t GetIngredientCount() const { return ingredientCount_; }
    // Set names are UTF-8, in the order the storage lists its elements; an
    // index past the end gives an empty name.
    int GetDataSetCount() const { return static_cast<int>(dataSetNames_.size()); }
    std::string GetDataSetName(int index) const;
    int GetTagSetCount() const { return static_cast<int>(tagSetNames_.size()); }
    std::string GetTagSetName(int index) const;

    // Each reads entry `index` into the last entry of its kind; false when
    // the entry cannot be read. A set's stream stays open once found. A name
    // that names no stream reuses an open stream whose name equals it after
    // both are upper-cased and stripped of surrounding blanks.
    bool ReadIngredient(uint32_t index);
    bool ReadDataSetValue(std::string_view setName, uint32_t index);
    bool ReadTagSetName(std::string_view setName, uint32_t index);

    const RecipeIngredient& GetIngredient() const { return ingredient_; }
    const RecipeVariant& GetDataSetValue() const { return dataSetValue_; }
    const std::u16string& GetTagName() const { return tagName_; }

private:
    // The open streams of a set storage by upper-cased name. Conversions read
    // the sets in turn for every ingredient, and opening a stream costs time
    // in proportion to its size, so each stays open.
    using OpenSets = std::map<std::u16string, platform::CompoundStream>;
    static const platform::CompoundStream* SetStream(const std::optional<platform::CompoundStorage>& storage,
                                                     OpenSets& open, std::string_view setName);
    void Release();
    // Takes the root storage `opened` and what it holds; false when it did not open.
    bool Take(platform::CompoundStorage::OpenResult opened);

    // Declared parents first, so streams are released before their storages.
    std::optional<platform::CompoundStorage> root_;
    std::optional<platform::CompoundStorage> dataSets_;
    std::optional<platform::CompoundStorage> tagSets_;
    std::optional<platform::CompoundStream> ingredients_;
    OpenSets dataSetStreams_;
    OpenSets tagSetStreams_;

    std::string openFailure_;
    uint32_t ingredientCount_ = 0;
    std::vector<std::string> dataSetNames_;
    std::vector<std::string> tagSetNames_;

    RecipeIngredient ingredient_;
    RecipeVariant dataSetValue_;
    std::u16string tagName_;
};

}  // namespace logora
