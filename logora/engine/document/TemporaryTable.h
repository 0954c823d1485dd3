#pragma once
// The temporary table of a document: a new empty file with the prefix "TMP"
// in the temporary folder (or, without one, in the input's folder), deleted
// when the object ends, whatever way the document ends.

#include <string>

namespace logora {

class CTemporaryTable
{
public:
    CTemporaryTable() = default;
    ~CTemporaryTable() { Delete(); }
    CTemporaryTable(const CTemporaryTable&) = delete;
    CTemporaryTable& operator=(const CTemporaryTable&) = delete;

    // Creates the file; false when no folder allows it.
    bool Create(const std::string& inputPath);
    // Why Create failed: the folders tried and the system's reason.
    const std::string& GetFailure() const { return failure_; }
    void Delete();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string failure_;
};

}  // namespace logora
