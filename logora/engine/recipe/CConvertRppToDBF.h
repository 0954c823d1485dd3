#pragma once
// Converts a recipe file (.RPP) into a dBASE table: one record per
// ingredient with its number, name, kind, minimum and maximum, then one
// column per data set (the ingredient's value in it) and one per tag set
// (the ingredient's tag name in it). No end-of-file byte follows the records.
//
// Order of use: construct, Open, CreateTable, Convert. Every failure is a
// ConversionError naming the file and what is wrong.

#include <cstdint>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/recipe/CBlendcraftStorage.h"

namespace logora {

class ControlProcess;
struct EngineContext;

class CConvertRppToDBF
{
public:
    explicit CConvertRppToDBF(const EngineContext& context);

    // Data-set and tag-set columns that fit beside the fixed columns in one
    // record of at most 65535 bytes.
    static constexpr int kMaxSetColumns = 255;

    // Refused with 61448 and why when the path is empty, names no file, or
    // names a file that is no readable compound file.
    void Open(const std::string& path);
    // Refused, naming the table and the system's reason, when the table
    // cannot be created.
    void CreateTable(const std::string& tablePath);
    // Builds the table into `sink` instead of a file (CDBF::OpenSink).
    void CreateTable(CDBFRecordSink& sink);
    // Converts the ingredients, up to a cancel. Refused with 61455 when the
    // recipe has more sets than one record can hold.
    void Convert();
    // The same with a progress reporter of the caller's.
    void Convert(ControlProcess& progress);

private:
    bool DeclareColumns();
    void ConvertIngredient(uint32_t index, std::u16string_view decimalSeparator);

    const EngineContext& context_;
    CDBF table_;
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
