#pragma once
// Converts a recipe file (.RPP) into a dBASE table: one record per
// ingredient with its number, name, kind, minimum and maximum, then one
// column per data set (the ingredient's value in it) and one per tag set
// (the ingredient's tag name in it). No end-of-file byte follows the records.
//
// Order of use: construct, Open, CreateTable, Convert; a false result ends
// the conversion.

#include <cstdint>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/recipe/CBlendcraftStorage.h"

namespace logora {

class ControlProcess;

class CConvertRppToDBF
{
public:
    // Data-set and tag-set columns that fit beside the fixed columns in one
    // record of at most 65535 bytes.
    static constexpr int kMaxSetColumns = 255;

    // False after reporting 61448 and why when the path is empty, names no
    // file, or names a file that is no readable compound file.
    bool Open(const std::string& path);
    // False (reported, naming the table and the system's reason) when the
    // table cannot be created.
    bool CreateTable(const std::string& tablePath);
    // Builds the table into `sink` instead of a file (CDBF::OpenSink).
    bool CreateTable(CDBFRecordSink& sink);
    // True also after a cancel, with the ingredients converted so far.
    // False when the table is not open, or (reported) when the recipe has
    // more sets than one record can hold. Throws TableWriteError when the
    // table could not be written completely.
    bool Convert();
    // The same with a progress reporter of the caller's.
    bool Convert(ControlProcess& progress);

private:
    bool DeclareColumns();
    void ConvertIngredient(uint32_t index, std::u16string_view decimalSeparator);

    CDBF table_;
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
