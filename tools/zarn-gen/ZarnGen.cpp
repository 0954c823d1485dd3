#include "tools/zarn-gen/ZarnGen.h"

#include <cstdio>
#include <memory>

#include "common/time/CivilCalendar.h"

namespace logora::zarngen {

namespace {

enum DataField : size_t { kDate, kTime, kMillitm, kTagIndex, kValue, kInternal, kStatus, kTimestmp };

constexpr const char* kNameStems[] = {"Pump", "Valve", "Tank", "Motor"};
constexpr int64_t kSampleStepMs = 250;
constexpr int64_t kMsPerDay = 86'400'000;
// 2024-01-15 08:00:00 as days since 30 December 1899, and its milliseconds.
constexpr int64_t kStartOleDay = 45306;
constexpr int64_t kStartMsOfDay = 8 * 3'600'000;

int64_t SampleOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return int64_t(index / (spec.tagCount ? spec.tagCount : 1));
}

// Milliseconds since 30 December 1899 00:00 of record `index`.
int64_t OleMsOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return kStartOleDay * kMsPerDay + kStartMsOfDay + SampleOf(spec, index) * kSampleStepMs;
}

void WriteAll(std::FILE* file, const std::vector<uint8_t>& bytes, bool& ok)
{
    if (ok && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) ok = false;
}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FilePtr file(std::fopen(path.c_str(), "wb"));
    bool ok = file != nullptr;
    if (ok) WriteAll(file.get(), bytes, ok);
    return ok && std::fclose(file.release()) == 0;
}

}  // namespace

std::vector<DbfFieldSpec> ZarnDataFields(bool withTimestmp)
{
    std::vector<DbfFieldSpec> fields = {
        {"Date", 'D', 8, 0},  {"Time", 'C', 8, 0},     {"Millitm", 'N', 3, 0}, {"TagIndex", 'N', 5, 0},
        {"Value", 'C', 8, 0}, {"Internal", 'C', 4, 0}, {"Status", 'N', 2, 0},
    };
    if (withTimestmp) fields.push_back({"Timestmp", 'F', 17, 10});
    return fields;
}

std::vector<DbfFieldSpec> ZarnTagFields()
{
    return {{"Tagname", 'C', 255, 0}, {"TagNumber", 'N', 5, 0}};
}

std::vector<std::string> ZarnTagNames(uint32_t count)
{
    std::vector<std::string> names;
    for (uint32_t i = 0; i < count; ++i) names.push_back(kNameStems[i % 4] + std::to_string(i + 1));
    return names;
}

uint32_t ZarnTagOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return spec.tagCount ? uint32_t(index % spec.tagCount) : 0;
}

double ZarnValueOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return ZarnTagOf(spec, index) * 10.0 + double(SampleOf(spec, index) % 1000) * 0.5;
}

int32_t ZarnInternalOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return int32_t(SampleOf(spec, index) % 100000) - int32_t(ZarnTagOf(spec, index)) * 7;
}

double ZarnOleTimeOf(const ZarnSampleSpec& spec, uint64_t index)
{
    return double(OleMsOf(spec, index)) / double(kMsPerDay);
}

void FillZarnDataRecord(DbfRecord& record, const ZarnSampleSpec& spec, uint64_t index)
{
    const int64_t oleMs = OleMsOf(spec, index);
    const int64_t msOfDay = oleMs % kMsPerDay;
    int year = 0, month = 0, day = 0;
    CivilFromDays(oleMs / kMsPerDay - kOleDaysBeforeUnixEpoch, year, month, day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    record.SetText(kDate, text);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(msOfDay / 3'600'000), int(msOfDay / 60'000 % 60),
                  int(msOfDay / 1000 % 60));
    record.SetText(kTime, text);
    record.SetNumber(kMillitm, double(msOfDay % 1000));
    record.SetNumber(kTagIndex, ZarnTagOf(spec, index));
    record.SetRawDouble(kValue, ZarnValueOf(spec, index));
    record.SetRawInt32(kInternal, ZarnInternalOf(spec, index));
    record.SetNumber(kStatus, 0);
    if (spec.withTimestmp) record.SetNumber(kTimestmp, ZarnOleTimeOf(spec, index));
}

std::vector<uint8_t> ZarnDataFileBytes(const ZarnSampleSpec& spec)
{
    const auto fields = ZarnDataFields(spec.withTimestmp);
    std::vector<uint8_t> bytes = DbfHeaderBytes(fields, uint32_t(spec.records));
    DbfRecord record(fields);
    for (uint64_t i = 0; i < spec.records; ++i) {
        FillZarnDataRecord(record, spec, i);
        bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
    }
    return bytes;
}

std::vector<uint8_t> ZarnTagFileBytes(const std::vector<std::string>& names)
{
    const auto fields = ZarnTagFields();
    std::vector<uint8_t> bytes = DbfHeaderBytes(fields, uint32_t(names.size()));
    DbfRecord record(fields);
    for (size_t i = 0; i < names.size(); ++i) {
        record.SetText(0, names[i]);
        record.SetNumber(1, double(i));
        bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
    }
    return bytes;
}

std::string WriteZarnDatalog(const std::string& folder, const std::string& base, const ZarnSampleSpec& spec,
                             std::string& error)
{
    const std::string dataPath = folder + "/" + base + "(1).DAT";
    const std::string tagPath = folder + "/" + base + "(Tagname).DAT";
    if (!WriteFile(tagPath, ZarnTagFileBytes(ZarnTagNames(spec.tagCount)))) {
        error = "cannot write " + tagPath;
        return {};
    }
    FilePtr data(std::fopen(dataPath.c_str(), "wb"));
    bool ok = data != nullptr;
    const auto fields = ZarnDataFields(spec.withTimestmp);
    if (ok) WriteAll(data.get(), DbfHeaderBytes(fields, uint32_t(spec.records)), ok);
    DbfRecord record(fields);
    for (uint64_t i = 0; ok && i < spec.records; ++i) {
        FillZarnDataRecord(record, spec, i);
        WriteAll(data.get(), record.Bytes(), ok);
    }
    if (!ok || std::fclose(data.release()) != 0) {
        error = "cannot write " + dataPath;
        return {};
    }
    return dataPath;
}

}  // namespace logora::zarngen
