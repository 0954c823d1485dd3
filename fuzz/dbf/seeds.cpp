// Writes seed tables for the dBASE harness into the folder given as the
// only argument: tables as the converters build them, plus degenerate ones.
#include <cstdio>
#include <string>

#include "logora/engine/dbf/CDBF.h"

namespace {

void DatalogTable(const std::string& path, int records)
{
    logora::CDBF t;
    if (!t.Create(path)) return;
    t.AddField("Date", 'D', 8, 0);
    t.AddField("Time", 'C', 8, 0);
    t.AddField("Millitm", 'N', 3, 0);
    t.AddField("Marker", 'C', 1, 0);
    t.AddField("TagIndex", 'C', 10, 0);
    t.AddField("Status", 'C', 1, 0);
    t.AddField("Value", 'C', 8, 0);
    t.AddField("Ratio", 'F', 17, 8);
    t.WriteHeader(static_cast<uint32_t>(records));
    for (int r = 0; r < records; ++r) {
        t.SetFieldString("Date", "20151231");
        t.SetFieldString("Time", "23:59:58");
        t.SetFieldInt("Millitm", r * 7 % 1000);
        t.SetFieldChar("Marker", r % 2 ? 'B' : ' ');
        t.SetFieldString("TagIndex", "Tag" + std::to_string(r));
        t.SetFieldString("Status", "1");
        t.SetFieldRawDouble("Value", r * 1.25);
        t.SetFieldDouble("Ratio", r / 3.0);
        t.AppendRecord();
    }
    t.WriteBytes("\x1A", 1);
}

void EmptyTable(const std::string& path)
{
    logora::CDBF t;
    if (!t.Create(path)) return;
    t.WriteHeader(0);
}

void WideTable(const std::string& path)
{
    logora::CDBF t;
    if (!t.Create(path)) return;
    t.AddField("AllTrigMsg", 'C', 255, 0);
    t.AddField("Internal", 'C', 4, 0);
    t.AddField("Timestmp", 'F', 20, 10);
    t.WriteHeader(3);
    for (int r = 0; r < 3; ++r) {
        t.SetFieldString(0, std::string(200 + r, 'm'));
        t.SetFieldDouble(2, 42000.5 + r);
        t.AppendRecord();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    DatalogTable(folder + "/datalog.dbf", 40);
    DatalogTable(folder + "/one-record.dbf", 1);
    EmptyTable(folder + "/no-fields.dbf");
    WideTable(folder + "/wide.dbf");
    return 0;
}
