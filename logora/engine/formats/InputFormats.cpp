#include "logora/engine/formats/InputFormats.h"

#include <algorithm>
#include <iterator>

#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/follow/AppendedRecordsFollower.h"
#include "logora/engine/follow/VellRingFollower.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/obf/CConvertObfToDbf.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/vell/CConvertLogToDBF.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace logora {

namespace {

std::unique_ptr<Converter> MakeZarnMerger(const EngineContext& context, const ConversionChoices&)
{
    return std::make_unique<CTagNameMerger>(context.run.MappingErrors());
}

std::unique_ptr<Converter> MakeVellConverter(const EngineContext& context, const ConversionChoices&)
{
    return std::make_unique<CConvertLogToDBF>(context);
}

// With the float format in use.
std::unique_ptr<Converter> MakeObfConverter(const EngineContext& context, const ConversionChoices&)
{
    auto converter = std::make_unique<CConvertObfToDbf>(context);
    converter->SetFloatFormat(context.options.floatLength, context.options.decimalCount);
    return converter;
}

std::unique_ptr<Converter> MakeAlarmConverter(const EngineContext& context, const ConversionChoices& choices)
{
    return std::make_unique<CConvertAlmToDBF>(context, choices.alarmVersion, choices.alarmSetupPath);
}

std::unique_ptr<Converter> MakeRecipeConverter(const EngineContext& context, const ConversionChoices&)
{
    return std::make_unique<CConvertRppToDBF>(context);
}

// A datalog's ring advances; the Zarn files grow by appended records.
template <class Follower>
std::unique_ptr<InputFollower> Follow(const std::string& path, int64_t recordsRead,
                                      const std::vector<uint8_t>& headerRead)
{
    return std::make_unique<Follower>(path, recordsRead, headerRead);
}

// clang-format off
constexpr InputFormat kFormats[] = {
    // extension converter             time zone  alarm setup  streams  table form  name                 follower
    {".DAT", &MakeZarnMerger,      false,     false,       true,    true,  "Zarn datalog",       &Follow<AppendedRecordsFollower>},
    {".LOG", &MakeVellConverter,   true,      false,       true,    true,  "Vell datalog",       &Follow<VellRingFollower>},
    {".DBF", nullptr,              false,     false,       false,   false, "dBASE table",        nullptr},
    {".OBF", &MakeObfConverter,    false,     false,       true,    false, "Zarn OBF datalog",   &Follow<AppendedRecordsFollower>},
    {".ALM", &MakeAlarmConverter,  false,     true,        true,    false, "Vell alarm log",     nullptr},
    {".RPP", &MakeRecipeConverter, false,     false,       true,    false, "Blendcraft recipe",  nullptr},
};
// clang-format on

}  // namespace

const InputFormat* FindInputFormat(const std::string& path)
{
    const std::string extension = UpperExtensionOf(path);
    const auto found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                    [&](const InputFormat& format) { return format.extension == extension; });
    return found == std::end(kFormats) ? nullptr : found;
}

std::span<const InputFormat> InputFormats()
{
    return kFormats;
}

}  // namespace logora
