#pragma once
// A Zarn .OBF datalog's table read in place: each read window's records are
// made from the datalog's packed records by an ObfRecordMaker. The datalog
// is itself a table whose writer only appends, so the records held at the
// open stay where they are; one that can no longer be read fails the reader.

#include <memory>
#include <mutex>
#include <string>

#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/engine/obf/ObfRecordMaker.h"

namespace logora {

class ObfInPlaceTable : public InPlaceTable
{
public:
    // The records of the datalog at `path` as `shape` holds them, made as
    // `layout` declares them; the datalog's failed mappings go to `report`.
    ObfInPlaceTable(std::string path, const ObfTableLayout& layout, MadeTableShape shape,
                    MappingErrorSink report);

    std::unique_ptr<common::ByteSource> OpenReader() const override;
    std::string Moved() const override;

    struct Shared
    {
        std::string path;
        ObfTableLayout layout;
        MadeTableShape shape;
        MappingErrorSink report;
        mutable std::mutex movedLock;
        mutable std::string moved;
    };

private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace logora
