#pragma once
// The temporary table of a document: a new empty file with the prefix "TMP"
// (TMP<6 characters>.logora.tmp) in the temporary folder (or, without one, in the input's folder), deleted
// when the object ends, whatever way the document ends. While it exists it is
// locked, so that a later start can tell the tables of runs that were killed
// or crashed and remove them.

#include <string>

#include "platform/paths/LockedTempFile.h"

namespace logora {

class TemporaryTable
{
public:
    TemporaryTable() = default;
    TemporaryTable(const TemporaryTable&) = delete;
    TemporaryTable& operator=(const TemporaryTable&) = delete;

    // Creates the file; false when no folder allows it.
    bool Create(const std::string& inputPath);
    // Why Create failed: the folders tried and the system's reason.
    const std::string& GetFailure() const { return failure_; }
    void Delete() { file_.remove(); }
    const std::string& Path() const { return file_.path(); }

private:
    platform::LockedTempFile file_;
    std::string failure_;
};

// Removes the temporary tables in the temporary folder that no running
// program holds any more: those of runs that were killed or crashed.
void RemoveAbandonedTemporaryTables();

}  // namespace logora
