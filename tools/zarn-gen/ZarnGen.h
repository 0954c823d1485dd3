#pragma once
// Generated Zarn datalogs: a data file whose records name their tag by number
// ("TagIndex"), with raw "Value" doubles, raw "Internal" integers and an
// optional "Timestmp" OLE date, and its "(Tagname).DAT" tag file.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zarn-gen/DbfBytes.h"

namespace logora::zarngen {

struct ZarnSampleSpec
{
    uint64_t records = 20;
    uint32_t tagCount = 3;
    bool withTimestmp = false;
};

// Date D 8, Time C 8, Millitm N 3, TagIndex N 5, Value C 8, Internal C 4,
// Status N 2 (record length 39), then optionally Timestmp F 17.10.
std::vector<DbfFieldSpec> ZarnDataFields(bool withTimestmp);
// Tagname C 255, TagNumber N 5.
std::vector<DbfFieldSpec> ZarnTagFields();

// "Pump1", "Valve2", "Tank3", "Motor4", "Pump5", ...
std::vector<std::string> ZarnTagNames(uint32_t count);

// What record `index` holds: tags take turns, one sample time every 250 ms
// from 2024-01-15 08:00:00.000 for each round of tags.
uint32_t ZarnTagOf(const ZarnSampleSpec& spec, uint64_t index);
double ZarnValueOf(const ZarnSampleSpec& spec, uint64_t index);
int32_t ZarnInternalOf(const ZarnSampleSpec& spec, uint64_t index);
double ZarnOleTimeOf(const ZarnSampleSpec& spec, uint64_t index);

// Fills `record` (laid out by ZarnDataFields(spec.withTimestmp)) for `index`.
void FillZarnDataRecord(DbfRecord& record, const ZarnSampleSpec& spec, uint64_t index);

std::vector<uint8_t> ZarnDataFileBytes(const ZarnSampleSpec& spec);
std::vector<uint8_t> ZarnTagFileBytes(const std::vector<std::string>& names);

// Writes `<folder>/<base>(1).DAT` and `<folder>/<base>(Tagname).DAT`,
// streaming the records. Returns the data file's path, empty on failure
// (with `error` saying why).
std::string WriteZarnDatalog(const std::string& folder, const std::string& base, const ZarnSampleSpec& spec,
                             std::string& error);

}  // namespace logora::zarngen
