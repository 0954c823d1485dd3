#pragma once
// An output file written from a record stream, as the records come: made
// beside its target and put in its place only when it is complete, so that
// a failed or stopped conversion leaves the file that was there.

#include <string>

#include "logora/engine/dbf/DBFRecordSink.h"

namespace logora {

class OutputSink : public DBFRecordSink
{
public:
    // Prepares the output for `path`; false (nothing reported) when it
    // cannot be created.
    virtual bool Prepare(const std::string& path) = 0;
    // Keeps the output when the table was `complete` and every byte was
    // written (true); drops it otherwise (false; a write failure is
    // reported). The target stays as it was unless true.
    virtual bool Finish(bool complete) = 0;
    // True when the sink needs the table form's columns, the tag names,
    // before the first record.
    virtual bool NeedsTagColumnsFirst() const { return false; }
};

}  // namespace logora
