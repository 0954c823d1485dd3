#pragma once
// What every input format's converter does, in this order: Open checks the
// input and the files it needs beside it (tag file, setup file), Declare lays
// out the table it produces in a table being built (a file or a record sink:
// CDBF::Create or OpenSink), Run produces the records into it. A converter
// whose records can be built apart from its reading hands its raw items to
// the record makers of a sink with threads of its own instead (RecordMaking,
// CDBF::TakeItemsOf). Every failure is a ConversionError naming the file and
// what is wrong.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/dbf/RecordMaking.h"

namespace logora {

class CDBF;

class Converter : public RecordMaking
{
public:
    static constexpr size_t kTagByName = DBFRecordSink::kTagByName;

    // True when the input converts; false when it is no input of this
    // converter but a table to load as it is (a Zarn data file without a
    // usable tag file). Refused with a ConversionError otherwise.
    virtual bool Open(const std::string& path) = 0;
    // Declares the fields of the table and writes its header.
    virtual void Declare(CDBF& table) = 0;
    // Produces the records, up to a cancel; completes the table.
    virtual void Run(CDBF& table) = 0;
    // Refuses the conversion because `table` could not be made, in the
    // words of the format: `failure` says why.
    [[noreturn]] virtual void RefuseTable(const std::string& failure) const = 0;

    // True when a tag file names the tags (known once Open succeeded).
    virtual bool HasTagFile() const { return false; }
    // The tag names the table form's columns take, in tag number order: as
    // the tag file gives them (once Declare has run), otherwise as Run found
    // them; empty when the format has no tags.
    virtual const std::vector<std::string>& TagNames() const;
    // True when the table form can be written while converting: its
    // columns are known before the first record.
    virtual bool TableFormKnownBeforeRecords() const { return false; }
    // The tag list's entry of the record being appended, for a sink that
    // tells tags apart by it; kTagByName when the converter does not know.
    virtual size_t CurrentTag() const { return kTagByName; }
    // Has Run append each record's tag entry to `tags` when two tag names
    // print alike, so the table form can still give each tag its column.
    virtual void KeepRecordTagsWhenNamesAlike(std::vector<uint16_t>* /*tags*/) {}

    // Why `item`, handed to a maker apart from Run (a record that a followed
    // input gained), cannot become a record: a tag number beyond the tag
    // names, say. Empty when it can.
    virtual std::string ItemProblem(const uint8_t* /*item*/) const { return {}; }
    // The tag entry of such an item (whose ItemProblem is empty): its place
    // in TagNames, which a format that lists the tags it finds grows to
    // hold; kTagByName when the format does not know its tags.
    virtual size_t TakeItemTag(const uint8_t* /*item*/) { return kTagByName; }

    // In place of Declare and Run, for a table read where its input is:
    // checks the input as Run would and sets `table` to the table whose
    // records are made from the input on demand. False, doing nothing, for a
    // format or an input that cannot be read in place. A fault Run would stop
    // at is thrown as Run throws it, `table` then holding the records before.
    virtual bool ReadInPlace(std::shared_ptr<InPlaceTable>& /*table*/) { return false; }

    // The input's header as the conversion planned its records from it, for
    // following the input from there; empty where the count of records
    // read tells how far it was read.
    virtual std::vector<uint8_t> HeaderRead() const { return {}; }

    // Records built where they are read, unless a format says otherwise.
    size_t ItemLength() const override { return 0; }
    std::unique_ptr<RecordMaker> MakerFor(DBFRecordSink& sink) const override;

protected:
    // The shape of the table Declare lays out, with no records yet.
    MadeTableShape DeclaredShape();
};

}  // namespace logora
