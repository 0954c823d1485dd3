#include "logora/engine/convert/Conversion.h"

#include "logora/engine/convert/Converter.h"
#include "logora/engine/dbf/CDBF.h"

namespace logora {

namespace {

// Passes the records on with what the converter knows of their tags: the tag
// names once the layout is known (read from the tag file, they are known by
// then), each record's tag entry as it is appended.
class TaggedRecords : public DBFRecordSink
{
public:
    TaggedRecords(const Converter& converter, DBFRecordSink& sink) : converter_(converter), sink_(sink) {}

    void BeginRecords(const CDBF& table) override
    {
        sink_.TakeTagNames(converter_.TagNames());
        sink_.BeginRecords(table);
    }
    void TakeRecord(const uint8_t* record) override
    {
        sink_.TakeTaggedRecord(record, converter_.CurrentTag());
    }
    ItemIntake* TakeItemsOf(const RecordMaking& making) override { return sink_.TakeItemsOf(making); }

private:
    const Converter& converter_;
    DBFRecordSink& sink_;
};

void Convert(Converter& converter, CDBF& table)
{
    converter.Declare(table);
    converter.Run(table);
}

}  // namespace

void ConvertToTableFile(Converter& converter, const std::string& tablePath,
                        const MappingErrorSink& reportError)
{
    CDBF table(reportError);
    if (!table.Create(tablePath)) converter.RefuseTable(table.GetFailure());
    Convert(converter, table);
}

void ConvertToSink(Converter& converter, DBFRecordSink& sink)
{
    TaggedRecords tagged(converter, sink);
    CDBF table;
    table.OpenSink(tagged);
    Convert(converter, table);
}

}  // namespace logora
