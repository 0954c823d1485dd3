#include "logora/engine/alarm/CAlarmSetup.h"

#include "logora/engine/alarm/ArchiveReader.h"
#include "logora/engine/alarm/SideFileLimit.h"
#include "platform/compound/CompoundLayout.h"
#include "platform/compound/CompoundStorage.h"
#include "platform/files/FileAccess.h"
#include "platform/files/InputFile.h"
#include "platform/files/RegularFile.h"

namespace logora {

namespace {

constexpr const char* kAlarmsStream = "Alarms";

}  // namespace

bool CAlarmSetup::Load(const std::string& path)
{
    refusal_.clear();
    const platform::FileCheck check = platform::RegularFileCheck(path);
    if (check.outcome != platform::FileCheck::Outcome::Regular) {
        // Only a missing file goes unsaid: one that is there must be read.
        if (platform::PathExists(path)) refusal_ = check.why;
        return false;
    }
    if (const auto size = platform::RegularFileSize(path); size && *size > kSideFileLimit) {
        refusal_ = platform::SizeBeyondLimitText(path, *size, kSideFileLimit);
        return false;
    }
    // Most setup files are the archive itself: read once, they are not read
    // again to be told apart from a compound file.
    std::vector<uint8_t> bytes;
    if (platform::ReadRegularFile(path, kSideFileLimit, bytes).empty() &&
        !platform::StartsWithCompoundSignature(bytes))
        return LoadArchive(bytes);
    auto opened = platform::CompoundStorage::Open(path);
    switch (opened.status) {
        case platform::CompoundOpenStatus::Opened: {
            auto stream = opened.storage->OpenStream(kAlarmsStream);
            if (!stream) return false;
            // The stream's size is the file's word, not yet checked by a read.
            if (stream->size() > kSideFileLimit) {
                refusal_ = platform::SizeBeyondLimitText(path + ": its stream \"" + kAlarmsStream + "\"",
                                                         stream->size(), kSideFileLimit);
                return false;
            }
            auto content = stream->readAll();
            if (!content) {
                refusal_ = path + ": its stream \"" + kAlarmsStream + "\" cannot be read";
                return false;
            }
            bytes = std::move(*content);
            break;
        }
        case platform::CompoundOpenStatus::NotCompound:
            refusal_ = platform::ReadRegularFile(path, kSideFileLimit, bytes);
            if (!refusal_.empty()) return false;
            break;
        case platform::CompoundOpenStatus::Failed:
            refusal_ = opened.why;
            return false;
    }
    return LoadArchive(bytes);
}

bool CAlarmSetup::LoadArchive(std::span<const uint8_t> bytes)
{
    version_ = 0;
    triggers_.clear();
    messages_.clear();
    texts_.Build(triggers_, messages_);

    ArchiveReader archive(bytes, codePage_);
    if (!archive.ReadInt(version_)) return false;

    uint32_t count = 0;
    if (!archive.ReadRecordCount(count, CTrigger::kMinBytes)) return false;
    triggers_.resize(count);
    for (CTrigger& trigger : triggers_)
        if (!trigger.Read(archive, version_)) return false;

    if (!archive.ReadRecordCount(count, CMsg::kMinBytes)) return false;
    messages_.resize(count);
    for (CMsg& message : messages_)
        if (!message.Read(archive, version_)) return false;

    if (!ReadTrailer(archive)) return false;
    texts_.Build(triggers_, messages_);
    return true;
}

bool CAlarmSetup::ReadTrailer(ArchiveReader& archive)
{
    int32_t number = 0;
    std::string text;
    for (int i = 0; i < 4; ++i) archive.ReadInt(number);
    if (version_ >= 8) archive.ReadInt(number);
    if (version_ >= 14) archive.ReadInt(number);
    for (int i = 0; i < 3; ++i) archive.ReadString(text);
    if (version_ >= 4)
        for (int i = 0; i < 3; ++i) archive.ReadString(text);
    for (int i = 0; i < 2; ++i) archive.ReadString(text);
    if (version_ >= 11) archive.ReadInt(number);
    return !archive.Failed();
}

}  // namespace logora
