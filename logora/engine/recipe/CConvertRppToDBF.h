#pragma once
// Converts a recipe file (.RPP) into a dBASE table: one record per
// ingredient with its number, name, kind, minimum and maximum, then one
// column per data set (the ingredient's value in it) and one per tag set
// (the ingredient's tag name in it). No end-of-file byte follows the records.

#include <cstdint>
#include <span>
#include <string>

#include "logora/engine/convert/Converter.h"
#include "logora/engine/recipe/CBlendcraftStorage.h"

namespace logora {

class ControlProcess;
struct EngineContext;

class CConvertRppToDBF : public Converter
{
public:
    explicit CConvertRppToDBF(const EngineContext& context);

    // Data-set and tag-set columns that fit beside the fixed columns in one
    // record of at most 65535 bytes.
    static constexpr int kMaxSetColumns = 255;

    // Refused with 61448 and why when the path is empty, names no file, or
    // names a file that is no readable compound file.
    bool Open(const std::string& path) override;
    // Open for a recipe file held in memory, `name` standing for its path;
    // the bytes must outlive the conversion.
    void OpenMemory(std::span<const uint8_t> bytes, const std::string& name);
    // Refused with 61455 when the recipe has more sets than one record can
    // hold.
    void Declare(CDBF& table) override;
    // Converts the ingredients, up to a cancel.
    void Run(CDBF& table) override;
    // The same with a progress reporter of the caller's.
    void Run(CDBF& table, ControlProcess& progress);
    [[noreturn]] void RefuseTable(const std::string& failure) const override;

private:
    // Refuses a storage that did not open; otherwise learns its ingredients.
    void TakeStorage(bool opened);
    void ConvertIngredient(CDBF& table, uint32_t index, std::u16string_view decimalSeparator);

    const EngineContext& context_;
    std::string path_;
    std::string fileName_;
    uint32_t ingredientCount_ = 0;
    CBlendcraftStorage storage_;
    // Column positions; a last position below its first means no such column.
    int firstDataSetColumn_ = 0;
    int lastDataSetColumn_ = -1;
    int firstTagSetColumn_ = 0;
    int lastTagSetColumn_ = -1;
};

}  // namespace logora
