#pragma once
// Every input format the engine opens, in one table: the extension that
// picks it, the converter that reads it, what must be chosen before it
// converts (a destination time zone; an alarm setup file and generator
// version) and which outputs it can write while it converts. The
// extension is looked up here and nowhere else.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace logora {

class Converter;
class InputFollower;
struct EngineContext;

// What was chosen for one input before its conversion.
struct ConversionChoices
{
    std::string alarmSetupPath;  // empty: converted without tags and texts
    int alarmVersion = 1;
};

struct InputFormat
{
    std::string_view extension;  // upper case, with its dot
    // The converter of an input of this format; null for a table that is
    // loaded as it is.
    std::unique_ptr<Converter> (*makeConverter)(const EngineContext& context,
                                                const ConversionChoices& choices);
    bool needsTimeZone;
    bool needsAlarmSetup;
    // Its records can go straight to an output while it converts; to the
    // CSV table form too when the converter knows the columns before the
    // records (Converter::TableFormKnownBeforeRecords).
    bool streams;
    bool streamsTableForm;
    std::string_view name;  // what the format is, for the user
    // Follows an input of this format that its writer keeps growing, its
    // first `recordsRead` records read as its converter's HeaderRead
    // describes them; null for a format not followed.
    std::unique_ptr<InputFollower> (*makeFollower)(const std::string& path, int64_t recordsRead,
                                                   const std::vector<uint8_t>& headerRead);
};

// The format of `path` by its file name's extension, in any letter case;
// null when no format has it.
const InputFormat* FindInputFormat(const std::string& path);
// Every format, in the order of the table.
std::span<const InputFormat> InputFormats();

}  // namespace logora
