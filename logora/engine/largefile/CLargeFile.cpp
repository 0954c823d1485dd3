#include "logora/engine/largefile/CLargeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "common/bytes/MemoryByteSource.h"
#include "logora/engine/largefile/MadeFiles.h"
#include "platform/mapping/FileByteSource.h"

namespace logora {

namespace {

// Handed out for a read of no bytes, which needs no window.
const uint8_t kNoBytes = 0;

// The smallest read window a source may ask for.
constexpr uint32_t kSmallestWindow = 4096;

}  // namespace

CLargeFile::CLargeFile(MappingErrorSink reportError)
    : reportError_(std::move(reportError)), viewSize_(platform::kMappingViewSize)
{}

CLargeFile::~CLargeFile()
{
    Close();
}

bool CLargeFile::OpenRead(const std::string& path)
{
    Close();
    path_ = path;
    failure_.clear();
    if (std::unique_ptr<common::ByteSource> made; OpenMadeFile(path, made)) {
        if (made != nullptr) return OpenSource(std::move(made));
        NoteOpenFailure("cannot be opened for reading", ENOENT);
        return false;
    }
    auto file = std::make_unique<platform::FileByteSource>();
    if (file->Open(path) != platform::FileByteSource::OpenResult::Opened) {
        NoteOpenFailure("cannot be opened for reading", errno);
        if (!file->Refusal().empty()) failure_ = file->Refusal();
        return false;
    }
    return OpenSource(std::move(file));
}

bool CLargeFile::OpenMemory(std::span<const uint8_t> bytes, const std::string& name)
{
    Close();
    path_ = name;
    failure_.clear();
    return OpenSource(std::make_unique<common::MemoryByteSource>(bytes));
}

bool CLargeFile::OpenSource(std::unique_ptr<common::ByteSource> source)
{
    source_ = std::move(source);
    // Every view and copy stays within one window, whatever its size.
    const uint32_t wanted = source_->ReadSizeWanted();
    if (wanted >= kSmallestWindow && wanted < viewSize_) viewSize_ = wanted;
    position_ = source_->Size();
    const uint64_t blocks = position_ / viewSize_ + (position_ % viewSize_ > 0 ? 1 : 0);
    if (blocks > std::numeric_limits<uint32_t>::max()) {
        Fail(EFBIG, "is too large to be read (" + std::to_string(position_) + " bytes)");
        return false;
    }
    blockCount_ = static_cast<uint32_t>(blocks);
    // A window of no bytes: refused as a mapping of it would be.
    if (position_ == 0) {
        Fail(EINVAL, "the file is empty (0 bytes) and cannot be mapped");
        return false;
    }
    if (!AllocateWindow("read")) return false;
    const int code = LoadBlock(1);
    if (code != 0) {
        ReportMappingError(reportError_, code, failure_);
        Close();
        return false;
    }
    return true;
}

bool CLargeFile::Create(const std::string& path)
{
    Close();
    path_ = path;
    failure_.clear();
    if (!file_.Create(path)) {
        NoteOpenFailure("cannot be created", errno);
        return false;
    }
    position_ = 0;
    blockCount_ = 1;
    // The window being written is held in memory and goes to the file whole
    // once it is full: the same windows as a mapping, without a page fault
    // per page or a remapping per window.
    if (!AllocateWindow("write")) return false;
    currentBlock_ = 1;
    return ReserveWindow();
}

void CLargeFile::Append(const void* data, uint32_t length)
{
    if (length == 0 || length > kMaxAppendLength || !file_.IsWritable() || !window_) return;
    const auto* bytes = static_cast<const uint8_t*>(data);
    const uint64_t p0 = position_;
    const uint64_t p1 = p0 + length;
    const uint64_t b0 = p0 / viewSize_ + 1;
    const uint64_t b1 = p1 / viewSize_ + 1;
    const uint32_t o0 = static_cast<uint32_t>(p0 % viewSize_);
    const uint32_t o1 = static_cast<uint32_t>(p1 % viewSize_);
    if (b0 == b1) {
        std::memcpy(window_.get() + o0, bytes, length);
        position_ = p1;
        return;
    }
    // The append crosses one window edge: fill this window, store it, and
    // start the next.
    const uint32_t head = viewSize_ - o0;
    std::memcpy(window_.get() + o0, bytes, head);
    position_ = p0 + head;
    if (!StoreWindow(viewSize_)) return;
    ++blockCount_;
    currentBlock_ = static_cast<uint32_t>(b1);
    if (!ReserveWindow()) return;
    std::memcpy(window_.get(), bytes + head, o1);
    position_ = p1;
}

bool CLargeFile::ReserveWindow()
{
    // Allocating the window's blocks up front finds a full disk at the append
    // that starts the window, as growing a mapping would.
    const uint64_t start = static_cast<uint64_t>(currentBlock_ - 1) * viewSize_;
    const int code = file_.ExtendTo(start, start + viewSize_);
    if (code == 0) return true;
    window_.reset();
    Fail(code, "cannot grow to " + std::to_string(start + viewSize_) + " bytes");
    return false;
}

bool CLargeFile::StoreWindow(uint32_t length)
{
    const uint64_t start = static_cast<uint64_t>(currentBlock_ - 1) * viewSize_;
    const int code = file_.WriteAt(window_.get(), length, start);
    if (code == 0) return true;
    // Only the windows before this one are in the file; the object closes.
    position_ = start;
    window_.reset();
    Fail(code, "cannot be written at byte " + std::to_string(start));
    return false;
}

bool CLargeFile::Flush()
{
    if (file_.IsWritable() && window_) {
        const uint64_t start = static_cast<uint64_t>(currentBlock_ - 1) * viewSize_;
        if (position_ > start) StoreWindow(static_cast<uint32_t>(position_ - start));
    }
    return failure_.empty();
}

bool CLargeFile::Finish()
{
    if (!file_.IsWritable()) return failure_.empty();
    const bool flushed = Flush();
    // Cut also after a failed write, so that the file ends where the stored
    // bytes end rather than in a reserved window of zeros.
    const int code = file_.CutTo(position_);
    if (code != 0 && flushed) {
        // Closed first, so that closing does not cut again.
        window_.reset();
        file_.Close();
        Fail(code, "cannot be cut to " + std::to_string(position_) + " bytes");
    }
    return flushed && code == 0;
}

bool CLargeFile::ReadInto(uint8_t* buffer, uint64_t offset, uint32_t length)
{
    const uint8_t* bytes = View(offset, length);
    if (bytes == nullptr) return false;
    if (length > 0) std::memcpy(buffer, bytes, length);
    return true;
}

const uint8_t* CLargeFile::View(uint64_t offset, uint32_t length)
{
    if (!source_) return nullptr;
    if (length > viewSize_ || offset > position_ || length > position_ - offset) return nullptr;
    if (length == 0) return &kNoBytes;
    const uint64_t bs = offset / viewSize_ + 1;
    const uint64_t be = (offset + length - 1) / viewSize_ + 1;
    const uint32_t os = static_cast<uint32_t>(offset % viewSize_);
    if (bs != currentBlock_ && LoadBlock(static_cast<uint32_t>(bs)) != 0) return nullptr;
    const uint8_t* bytes = window_.get() + os;
    if (be == bs) return bytes;
    // The bytes straddle two windows: join them in the assembly buffer.
    if (!assembly_) assembly_.reset(new (std::nothrow) uint8_t[viewSize_]);
    if (!assembly_) return nullptr;
    const uint32_t head = viewSize_ - os;
    std::memcpy(assembly_.get(), bytes, head);
    if (LoadBlock(static_cast<uint32_t>(be)) != 0) return nullptr;
    std::memcpy(assembly_.get() + head, window_.get(), length - head);
    return assembly_.get();
}

bool CLargeFile::Read(void* destination, uint64_t offset, uint32_t length, bool copy)
{
    if (copy) return ReadInto(static_cast<uint8_t*>(destination), offset, length);
    const uint8_t* bytes = View(offset, length);
    if (bytes != nullptr) *static_cast<const uint8_t**>(destination) = bytes;
    return bytes != nullptr;
}

void CLargeFile::Close()
{
    assembly_.reset();
    Finish();
    window_.reset();
    source_.reset();
    file_.Close();
    currentBlock_ = 0;
    viewSize_ = platform::kMappingViewSize;
}

bool CLargeFile::AllocateWindow(const char* use)
{
    window_.reset(new (std::nothrow) uint8_t[viewSize_]);
    if (window_) return true;
    Fail(ENOMEM, std::string("has no memory for its ") + use + " window");
    return false;
}

int CLargeFile::LoadBlock(uint32_t block)
{
    const uint64_t start = static_cast<uint64_t>(block - 1) * viewSize_;
    const uint32_t length = BlockLength(block);
    // The one call to the source per window.
    const int64_t got = source_->ReadAt(window_.get(), length, start);
    currentBlock_ = got == static_cast<int64_t>(length) ? block : 0;
    if (currentBlock_ != 0) return 0;
    if (got < 0) {
        const int code = errno;
        failure_ = path_ + ": cannot be read at byte " + std::to_string(start) + ": " +
                   platform::SystemErrorText(code);
        return code;
    }
    // Another program may cut the file short while it is read, as log
    // rotation does: that ends the read like any other read error.
    failure_ = path_ + ": cannot be read at byte " + std::to_string(start + static_cast<uint64_t>(got)) +
               ": the file became shorter (" + std::to_string(source_->Size()) + " bytes, " +
               std::to_string(position_) + " when it was opened)";
    return EIO;
}

uint32_t CLargeFile::BlockLength(uint32_t block) const
{
    const uint64_t start = static_cast<uint64_t>(block - 1) * viewSize_;
    return start >= position_ ? 0 : static_cast<uint32_t>(std::min<uint64_t>(viewSize_, position_ - start));
}

void CLargeFile::Fail(int code, const std::string& action)
{
    failure_ = path_ + ": " + action + ": " + platform::SystemErrorText(code);
    ReportMappingError(reportError_, code, path_ + ": " + action);
    Close();
}

void CLargeFile::NoteOpenFailure(const char* action, int code)
{
    failure_ = path_ + ": " + action + ": " + platform::SystemErrorText(code);
}

}  // namespace logora
