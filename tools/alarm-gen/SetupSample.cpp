#include "SetupSample.h"

#include "AlarmLogSample.h"
#include "ArchiveWriter.h"
#include "logora/engine/text/CodePage.h"
#include "platform/compound/CompoundWriter.h"

namespace alarmgen {

int32_t TriggerNumber(size_t trigger, int k)
{
    return static_cast<int32_t>(100 * trigger) + k;
}
std::string TriggerText(int k)
{
    return "Trigger text " + std::to_string(k);
}
int32_t MessageNumber(size_t message, int k)
{
    return static_cast<int32_t>(1000 * message) + k;
}

namespace {

void Text(ArchiveWriter& out, const std::string& text, bool wide)
{
    if (wide)
        out.WideString(logora::ToUtf16(text, logora::kCodePageUtf8));  // samples are UTF-8
    else
        out.String(text);
}

void WriteTrigger(ArchiveWriter& out, const SampleSetup& setup, size_t i)
{
    const int32_t v = setup.version;
    Text(out, setup.tagNames[i], setup.wideText);
    out.Int(TriggerNumber(i, 1));
    out.Int(TriggerNumber(i, 2));
    if (v >= 4 && v <= 12) out.String(TriggerText(1));
    if (v != 1) out.Int(TriggerNumber(i, 3));
    out.Int(TriggerNumber(i, 4));
    for (int k = 2; k <= 5; ++k) out.String(TriggerText(k));
    if (v >= 5) out.String(TriggerText(6));
    if (v >= 10) {
        out.String(TriggerText(7));
        out.String(TriggerText(8));
    }
    if (v >= 12) out.Int(TriggerNumber(i, 5));
}

void WriteMessage(ArchiveWriter& out, const SampleSetup& setup, size_t j)
{
    const int32_t v = setup.version;
    const SampleMessage& message = setup.messages[j];
    out.Int(message.triggerIndex);
    out.String(message.valueText);
    if (v >= 5) out.Int(MessageNumber(j, 1));
    if (v < 5 || (v >= 6 && v <= 12)) Text(out, message.text, setup.wideText);
    for (uint8_t k = 1; k <= 3; ++k) out.Byte(k);
    if (v >= 7) out.Byte(4);
    out.Int(MessageNumber(j, 2));
    out.Int(MessageNumber(j, 3));
}

void WriteTrailer(ArchiveWriter& out, int32_t v)
{
    for (int i = 0; i < 4; ++i) out.Int(i);
    if (v >= 8) out.Int(8);
    if (v >= 14) out.Int(14);
    for (int i = 0; i < 3; ++i) out.String("Project");
    if (v >= 4)
        for (int i = 0; i < 3; ++i) out.String("Group");
    out.String("Author");
    out.String("");
    if (v >= 11) out.Int(11);
}

}  // namespace

std::vector<uint8_t> BuildSetupArchive(const SampleSetup& setup)
{
    ArchiveWriter out;
    out.Int(setup.version);
    out.Count(static_cast<uint32_t>(setup.tagNames.size()), setup.escapedCounts);
    for (size_t i = 0; i < setup.tagNames.size(); ++i) WriteTrigger(out, setup, i);
    out.Count(static_cast<uint32_t>(setup.messages.size()), setup.escapedCounts);
    for (size_t j = 0; j < setup.messages.size(); ++j) WriteMessage(out, setup, j);
    WriteTrailer(out, setup.version);
    return out.Bytes();
}

bool WriteSetupFile(const std::string& path, const SampleSetup& setup)
{
    return WriteBytesToFile(path, BuildSetupArchive(setup));
}

bool WriteCompoundSetupFile(const std::string& path, const SampleSetup& setup)
{
    return platform::WriteCompoundFile(path, {{"Alarms", BuildSetupArchive(setup)}});
}

}  // namespace alarmgen
