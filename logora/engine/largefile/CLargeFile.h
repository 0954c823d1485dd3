#pragma once
// Random-access reading and front-to-back writing of files of any size
// through one sliding window of the mapping view size, held in memory. Memory
// use is one window plus one assembly buffer whatever the size. Reading takes
// its windows from a byte source: the file, or bytes already in memory.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "common/bytes/ByteSource.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "platform/mapping/MappedFile.h"

namespace logora {

class CLargeFile
{
public:
    // Largest length of one Append.
    static constexpr uint32_t kMaxAppendLength = 65535;

    // Failed mappings, reads and growths go to `reportError`; without one,
    // to standard error.
    explicit CLargeFile(MappingErrorSink reportError = {});
    ~CLargeFile();
    CLargeFile(const CLargeFile&) = delete;
    CLargeFile& operator=(const CLargeFile&) = delete;

    // Opens an existing file for reading and reads its first window. False
    // when it cannot be opened (no report) or its first window cannot be read
    // (reported; an empty file has none). A made file of that name
    // (MadeFiles) is read from its maker instead.
    bool OpenRead(const std::string& path);
    // Reads `bytes` as OpenRead reads a file, `name` standing for the file in
    // messages. The bytes must stay valid until Close.
    bool OpenMemory(std::span<const uint8_t> bytes, const std::string& name);

    // Creates the file for writing, replacing one of that name, and begins its
    // first window. False when it cannot be created (no report) or its first
    // window cannot be reserved (reported).
    bool Create(const std::string& path);

    // Appends `length` bytes behind what was written so far. A length above
    // kMaxAppendLength, or a file not open for writing, writes nothing.
    // Growing the file can fail (reported): the file is then closed and
    // holds what was appended before.
    void Append(const void* data, uint32_t length);

    // Copies `length` bytes (at most one view size) at `offset` to `buffer`.
    // False, changing nothing, when no file is open for reading or the range
    // ends beyond the file's size as it was opened. False also when a window
    // cannot be read, for instance because another program cut the file short
    // (GetFailure says why); pointers from earlier views are then no longer
    // valid.
    bool ReadInto(uint8_t* buffer, uint64_t offset, uint32_t length);
    // The `length` bytes at `offset` in place, valid until the next ReadInto,
    // View or Close on this object; null where ReadInto would fail. A view
    // inside one window costs no copy.
    const uint8_t* View(uint64_t offset, uint32_t length);
    // The file's interface as documented for it: with `copy` the bytes go to
    // the buffer `destination` (ReadInto), without it `destination` is a
    // `const uint8_t**` that receives the View.
    bool Read(void* destination, uint64_t offset, uint32_t length, bool copy);
    // The bytes from `offset` to the end of the read window it falls in: a
    // View of at most that many costs no copy.
    uint32_t WindowBytesFrom(uint64_t offset) const { return viewSize_ - uint32_t(offset % viewSize_); }

    // Writes what was appended so far to the file and cuts it there (windows
    // are reserved ahead); the file stays open for more. False when any
    // append, this write or the cut failed: the file is then closed.
    bool Finish();

    // Releases the window and closes the file; a written file is first
    // finished. Called by the destructor.
    void Close();

    // Why the last OpenRead, Create, Append, Finish or window read failed: the
    // file, what was being done and the reason; empty while nothing failed.
    const std::string& GetFailure() const { return failure_; }

    bool IsOpen() const { return source_ != nullptr || file_.IsOpen(); }
    // Reading: the file's size. Writing: the number of bytes appended.
    uint64_t GetPosition() const { return position_; }

private:
    // Takes `source` for reading and reads its first window, as OpenRead.
    bool OpenSource(std::unique_ptr<common::ByteSource> source);
    // Reads window `block` (1-based) into the window buffer and makes it
    // current: 0, or an errno value with the failure noted (EIO when the file
    // has become shorter).
    int LoadBlock(uint32_t block);
    // Allocates the window buffer; on failure reports and closes.
    bool AllocateWindow(const char* use);
    // Writes the first `length` bytes of the window being built to the file;
    // on failure reports, keeps the position at what the file holds, closes.
    bool StoreWindow(uint32_t length);
    // Allocates the current window's blocks in the file; on failure reports and closes.
    bool ReserveWindow();
    // Writes the window being built up to the position; false when any append
    // or this write failed.
    bool Flush();
    uint32_t BlockLength(uint32_t block) const;
    // Notes the failure of `action` (reported as a mapping error) and closes.
    void Fail(int code, const std::string& action);
    void NoteOpenFailure(const char* action, int code);

    MappingErrorSink reportError_;
    uint64_t position_ = 0;
    std::string path_;
    std::string failure_;
    // Reading: where the windows come from.
    std::unique_ptr<common::ByteSource> source_;
    // Writing: the file written.
    platform::MappedFile file_;
    uint32_t viewSize_;
    // Reading: the windows covering the file. Writing: the windows begun so far.
    uint32_t blockCount_ = 1;
    uint32_t currentBlock_ = 0;  // 1-based; 0 when no window is held
    // The current window's bytes: read from the file, or being written to it.
    std::unique_ptr<uint8_t[]> window_;
    // Holds a read that straddles two windows; one view long, allocated on
    // the first such read and reused.
    std::unique_ptr<uint8_t[]> assembly_;
};

}  // namespace logora
