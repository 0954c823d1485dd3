#include "logora/engine/vell/CConvertLogToDBF.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "common/bytes/ByteReader.h"
#include "common/bytes/MemoryByteSource.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/CompleteTable.h"
#include "logora/engine/export/KeyedLineStage.h"
#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/export/TableFormLines.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/timezone/DestinationTime.h"
#include "logora/engine/vell/VellFormat.h"
#include "logora/engine/vell/VellInPlace.h"
#include "logora/engine/vell/VellLineFields.h"
#include "logora/engine/vell/VellRing.h"
#include "logora/engine/vell/VellTableStage.h"
#include "logora/engine/vell/VellTagFile.h"
#include "platform/files/RegularFile.h"
#include "platform/mapping/FileByteSource.h"
#include "platform/paths/NameIgnoringCase.h"

namespace logora {

namespace {

constexpr char kEndOfFile = 0x1A;

// The names are fitted to the tag column already, so alike means equal.
bool HasNamesAlike(const std::vector<std::string>& names)
{
    std::unordered_set<std::string_view> seen;
    for (const std::string& name : names)
        if (!seen.insert(name).second) return true;
    return false;
}

// The tag file path: the last three characters replaced by `extension`.
std::string withExtension(const std::string& path, const char* extension)
{
    if (path.size() < 3) return {};
    return path.substr(0, path.size() - 3) + extension;
}

}  // namespace

CConvertLogToDBF::CConvertLogToDBF(const EngineContext& context)
    : context_(context), log_(context.run.MappingErrors())
{}
CConvertLogToDBF::~CConvertLogToDBF() = default;

void CConvertLogToDBF::Refuse(const std::string& file, const std::string& detail) const
{
    throw ConversionError(ConversionError::Kind::Refused, file, strings::ConvertLogFileError, detail);
}

bool CConvertLogToDBF::Open(const std::string& path)
{
    logPath_ = path;
    if (!log_.OpenRead(path)) Refuse(path, log_.GetFailure());
    fromFile_ = true;
    // Case matters on this platform: "X.LOG" may come with "X.TAG" or "X.Tag".
    tagFilePath_ = withExtension(path, "tag");
    if (!tagFilePath_.empty()) {
        tagFilePath_ = platform::FindIgnoringCase(tagFilePath_);
        // A named pipe would block the open below for ever; a tag file that
        // is there but no regular file fails rather than silently changing
        // the table layout.
        const platform::FileCheck check = platform::RegularFileCheck(tagFilePath_);
        if (check.outcome == platform::FileCheck::Outcome::NotRegular) {
            log_.Close();
            Refuse(tagFilePath_, check.why);
        }
        if (check.outcome == platform::FileCheck::Outcome::Regular) {
            auto tagFile = std::make_unique<platform::FileByteSource>();
            if (tagFile->Open(tagFilePath_) == platform::FileByteSource::OpenResult::Opened)
                tagFile_ = std::move(tagFile);
        }
    }
    tagFileOpen_ = tagFile_ != nullptr;
    return true;
}

void CConvertLogToDBF::OpenMemory(std::span<const uint8_t> log, const std::string& name,
                                  std::optional<std::span<const uint8_t>> tagFile)
{
    logPath_ = name;
    if (!log_.OpenMemory(log, name)) Refuse(name, log_.GetFailure());
    tagFilePath_ = withExtension(name, "tag");
    if (tagFile) tagFile_ = std::make_unique<common::MemoryByteSource>(*tagFile);
    tagFileOpen_ = tagFile_ != nullptr;
}

void CConvertLogToDBF::ReadLogHeader()
{
    uint8_t header[vell::kDatalogHeaderSize];
    if (!log_.ReadInto(header, 0, sizeof header)) {
        Refuse(logPath_, logPath_ + ": " + std::to_string(log_.GetPosition()) + " bytes, fewer than the " +
                             std::to_string(sizeof header) + " of a datalog header");
    }
    const void* nul = std::memchr(header, 0, vell::kDatalogSignatureSize);
    std::string_view signature(
        reinterpret_cast<const char*>(header),
        nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - header) : vell::kDatalogSignatureSize);
    ByteReader reader(header, sizeof header);
    const uint16_t format = *reader.peekAt<uint16_t>(vell::kDatalogFormatOffset);
    if (!nul || signature != vell::kDatalogSignature) {
        Refuse(logPath_, logPath_ + ": no datalog signature \"" + std::string(vell::kDatalogSignature) +
                             "\" at byte 0");
    }
    if (format != vell::kDatalogFormat) {
        Refuse(logPath_, logPath_ + ": format number " + std::to_string(format) + " at byte " +
                             std::to_string(vell::kDatalogFormatOffset) + ", expected " +
                             std::to_string(vell::kDatalogFormat));
    }
    headerRead_.assign(header, header + sizeof header);
    recordCount_ = *reader.peekAt<int32_t>(vell::kRecordCountOffset);
    oldestIndex_ = *reader.peekAt<int32_t>(vell::kOldestIndexOffset);
    newestIndex_ = *reader.peekAt<int32_t>(vell::kNewestIndexOffset);
}

void CConvertLogToDBF::ReadTagNames()
{
    vell::VellTagFile tags = vell::ReadVellTagFile(*tagFile_, context_.codePage);
    if (!tags.headerValid) {
        Refuse(tagFilePath_, tagFilePath_ + ": no tag file header (signature \"" +
                                 std::string(vell::kTagFileSignature) + "\", format " +
                                 std::to_string(vell::kTagFileFormat) + ")");
    }
    // A tag file cut short: the names read so far form the list.
    tagList_ = std::move(tags.names);
    keepRecordTags_ = recordTags_ != nullptr && HasNamesAlike(tagList_);
}

void CConvertLogToDBF::Declare(CDBF& table)
{
    if (!log_.IsOpen()) Refuse(logPath_, logPath_ + ": no log to convert");
    ReadLogHeader();
    if (tagFileOpen_) ReadTagNames();

    uint64_t size = log_.GetPosition();
    int64_t recordsInFile = size < vell::kDatalogHeaderSize
                                ? 0
                                : static_cast<int64_t>((size - vell::kDatalogHeaderSize) / vell::kRecordSize);
    plan_ = vell::PlanRingOrder(recordCount_, oldestIndex_, newestIndex_, recordsInFile);

    // The destination is decided once; each year's offsets are cached.
    clock_ = std::make_unique<OffsetClock>(MakeDestinationClock(CurrentDestinationZone(context_)));
    layout_ = {tagFileOpen_, &tagList_, clock_.get()};
    layout_.Declare(table);
    // Records the log announces but does not hold are announced by the table
    // too, so that it tells how many are missing.
    const int64_t missing = std::max<int64_t>(int64_t{recordCount_} - recordsInFile, 0);
    table.WriteHeader(static_cast<uint32_t>(plan_.total + missing));
}

void CConvertLogToDBF::Run(CDBF& table)
{
    auto progress = context_.OpenProgress(std::string(LoadString(strings::ConvertingLogCaption)),
                                          FormatString(strings::ConvertingFile, logPath_));
    highestTagIndex_ = 0;
    // An export on several threads builds the records there; otherwise
    // they are built here, by the same maker.
    ItemIntake* intake = table.TakeItemsOf(*this);
    ItemsEnd itemsEnd(intake);
    VellRecordMaker maker(layout_, table);

    uint32_t done = 0;
    bool cancelled = false;
    for (int r = 0; r < plan_.rangeCount && !cancelled; ++r) {
        for (int64_t i = plan_.ranges[r].first; i < plan_.ranges[r].end && !cancelled;) {
            // The records of a run lie in one read window; an export's
            // threads take them in one go.
            const uint64_t offset = vell::kDatalogHeaderSize + static_cast<uint64_t>(i) * vell::kRecordSize;
            const int64_t run = std::clamp<int64_t>(log_.WindowBytesFrom(offset) / vell::kRecordSize, 1,
                                                    plan_.ranges[r].end - i);
            const uint8_t* bytes = RecordsAt(i, run);
            int64_t taken = 0;
            try {
                while (taken < run && !cancelled) {
                    const vell::VellRecord record = vell::DecodeVellRecord(bytes + taken * vell::kRecordSize);
                    TakeTag(record, i + taken);
                    if (intake == nullptr) maker.Append(record);
                    ++taken;
                    progress->SetProgress(static_cast<uint32_t>(plan_.total), ++done);
                    cancelled = progress->IsCancelled();
                }
            } catch (...) {
                // The records before the one refused still make the table.
                if (intake != nullptr) intake->TakeItems(bytes, static_cast<size_t>(taken));
                throw;
            }
            if (intake != nullptr) intake->TakeItems(bytes, static_cast<size_t>(taken));
            i += taken;
        }
    }

    itemsEnd.Now();
    if (!cancelled && !tagFileOpen_) {
        tagList_.clear();
        for (int index = 0; index <= highestTagIndex_; ++index) tagList_.push_back(std::to_string(index));
    }
    table.WriteBytes(&kEndOfFile, 1);
    CompleteTable(table, logPath_);
    if (!plan_.problem.empty())
        throw ConversionError::Stopped(logPath_, logPath_ + ": corrupt datalog: " + plan_.problem);
}

// Only the tags are checked here, in the ring order of the open: records are
// made when a reader reads them.
bool CConvertLogToDBF::ReadInPlace(std::shared_ptr<InPlaceTable>& table)
{
    if (!fromFile_) return false;
    MadeTableShape shape = DeclaredShape();
    auto inPlace = std::make_shared<VellInPlaceTable>(logPath_, tagFileOpen_, tagList_, *clock_,
                                                      context_.run.MappingErrors());
    table = inPlace;
    auto progress = context_.OpenProgress(std::string(LoadString(strings::ConvertingLogCaption)),
                                          FormatString(strings::ConvertingFile, logPath_));
    highestTagIndex_ = 0;
    // Progress and cancel as Run sees them, so that a cancel keeps the
    // records Run would have kept.
    uint32_t done = 0;
    bool cancelled = false;
    uint8_t newest[vell::kRecordSize] = {};
    try {
        for (int r = 0; r < plan_.rangeCount && !cancelled; ++r) {
            for (int64_t i = plan_.ranges[r].first; i < plan_.ranges[r].end; ++i) {
                const uint8_t* bytes = RecordsAt(i, 1);
                TakeTag(vell::DecodeVellRecord(bytes), i);
                std::memcpy(newest, bytes, sizeof newest);
                progress->SetProgress(static_cast<uint32_t>(plan_.total), ++done);
                if (progress->IsCancelled()) {
                    cancelled = true;
                    break;
                }
            }
        }
    } catch (const ConversionError&) {
        // The table holds the records before the fault, without an end mark.
        inPlace->Hold(std::move(shape), plan_, done, newest);
        throw;
    }
    if (!cancelled && !tagFileOpen_) {
        tagList_.clear();
        for (int index = 0; index <= highestTagIndex_; ++index) tagList_.push_back(std::to_string(index));
    }
    shape.endMark = true;
    inPlace->Hold(std::move(shape), plan_, done, newest);
    if (!plan_.problem.empty())
        throw ConversionError::Stopped(logPath_, logPath_ + ": corrupt datalog: " + plan_.problem);
    return true;
}

const uint8_t* CConvertLogToDBF::RecordsAt(int64_t index, int64_t count)
{
    const uint64_t offset = vell::kDatalogHeaderSize + static_cast<uint64_t>(index) * vell::kRecordSize;
    const uint8_t* bytes = log_.View(offset, static_cast<uint32_t>(count * vell::kRecordSize));
    if (bytes == nullptr) {
        const std::string& why = log_.GetFailure();
        throw ConversionError::Stopped(logPath_, logPath_ + ": record " + std::to_string(index) +
                                                     " cannot be read" +
                                                     (why.empty() ? "" : " (" + why + ")"))
            .AtRecord(static_cast<uint64_t>(index))
            .AtOffset(offset);
    }
    return bytes;
}

void CConvertLogToDBF::TakeTag(const vell::VellRecord& record, int64_t position)
{
    const int tagIndex = static_cast<int>(record.tagNumber) - 1;
    const bool named = !tagFileOpen_ || (tagIndex >= 0 && static_cast<size_t>(tagIndex) < tagList_.size());
    if (const std::string unnamed = named ? std::string() : UnnamedTag(record); !unnamed.empty()) {
        throw ConversionError::Stopped(logPath_, logPath_ + ": record " + std::to_string(position) + unnamed)
            .AtRecord(static_cast<uint64_t>(position));
    }
    if (!tagFileOpen_ && tagIndex > highestTagIndex_) highestTagIndex_ = tagIndex;
    currentTagIndex_ = tagIndex;
    if (keepRecordTags_) recordTags_->push_back(static_cast<uint16_t>(tagIndex));
}

std::string CConvertLogToDBF::UnnamedTag(const vell::VellRecord& record) const
{
    const int tagIndex = static_cast<int>(record.tagNumber) - 1;
    if (!tagFileOpen_ || (tagIndex >= 0 && static_cast<size_t>(tagIndex) < tagList_.size())) return {};
    return " has tag number " + std::to_string(record.tagNumber) + ", but the tag file " + tagFilePath_ +
           " names " + std::to_string(tagList_.size()) + " tags";
}

std::string CConvertLogToDBF::ItemProblem(const uint8_t* item) const
{
    const std::string unnamed = UnnamedTag(vell::DecodeVellRecord(item));
    return unnamed.empty() ? unnamed : logPath_ + ": a new record" + unnamed;
}

size_t CConvertLogToDBF::TakeItemTag(const uint8_t* item)
{
    const size_t tagIndex = size_t(vell::DecodeVellRecord(item).tagNumber) - 1;
    // Without a tag file the list names every index up to the highest met.
    if (!tagFileOpen_)
        while (tagList_.size() <= tagIndex) tagList_.push_back(std::to_string(tagList_.size()));
    return tagIndex;
}

size_t CConvertLogToDBF::ItemLength() const
{
    return vell::kRecordSize;
}

std::unique_ptr<RecordMaker> CConvertLogToDBF::MakerFor(DBFRecordSink& sink) const
{
    return std::make_unique<VellRecordMaker>(layout_, sink);
}

std::unique_ptr<RecordStage> CConvertLogToDBF::ItemLineStage(std::unique_ptr<ListLineFormatter> lines) const
{
    return std::make_unique<KeyedLineStage<VellLineFields>>(std::make_unique<VellLineFields>(layout_),
                                                            std::move(lines));
}

std::unique_ptr<ItemTableStage> CConvertLogToDBF::ItemTableStageFor(
    std::unique_ptr<TableFormLines> lines) const
{
    if (!tagFileOpen_) return nullptr;
    return std::make_unique<VellTableStage>(layout_, std::move(lines));
}

}  // namespace logora
