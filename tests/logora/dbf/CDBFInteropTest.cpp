// Tables exchanged with independent dBASE programs that users have at hand:
// a Python reader reads what CDBF writes, and CDBF reads what a GIS
// converter writes. Each test is skipped when its program is absent.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

// Runs a command and returns its standard output; empty when it fails.
std::string Capture(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    return ::pclose(pipe) == 0 ? output : std::string();
}

std::string PythonWithDbfRead()
{
    for (const char* python : {"/usr/bin/python3", "python3"}) {
        const std::string probe = std::string(python) + " -c 'import dbfread' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) return python;
    }
    return std::string();
}

TEST(CDBFInterop, PythonDbfReadReadsWhatCDBFWrites)
{
    const std::string python = PythonWithDbfRead();
    if (python.empty()) GTEST_SKIP() << "python3 with dbfread is not installed";
    testing::ScratchDir dir;
    const std::string table = dir.file("t.dbf");
    {
        CDBF t;
        ASSERT_TRUE(t.Create(table));
        t.AddField("Date", 'D', 8, 0);
        t.AddField("AllTrigMsg", 'C', 12, 0);
        t.AddField("Millitm", 'N', 3, 0);
        t.AddField("Ratio", 'F', 17, 8);
        t.WriteHeader(2);
        t.SetFieldString("Date", "20150704");
        t.SetFieldString("AllTrigMsg", "Pump on");
        t.SetFieldInt("Millitm", 250);
        t.SetFieldDouble("Ratio", 1.5);
        t.AppendRecord();
        t.SetFieldString("Date", "19991231");
        t.SetFieldString("AllTrigMsg", "Tank level high");
        t.SetFieldInt("Millitm", 7);
        t.SetFieldDouble("Ratio", -0.125);
        t.AppendRecord();
        t.WriteBytes("\x1A", 1);
    }
    const std::string script = dir.file("read.py");
    std::ofstream(script) << "import sys, dbfread\n"
                             "t = dbfread.DBF(sys.argv[1], load=True)\n"
                             "print(len(t.records))\n"
                             "print(';'.join('%s:%s:%d:%d' % (f.name, f.type, f.length, f.decimal_count)"
                             " for f in t.fields))\n"
                             "for r in t.records: print('|'.join(repr(v) for v in r.values()))\n";
    const std::string output = Capture(python + " '" + script + "' '" + table + "'");
    EXPECT_EQ(output,
              "2\n"
              "Date:D:8:0;AllTrigMsg:C:12:0;Millitm:N:3:0;Ratio:F:17:8\n"
              "datetime.date(2015, 7, 4)|'Pump on'|250|1.5\n"
              "datetime.date(1999, 12, 31)|'Tank level h'|7|-0.125\n");
}

TEST(CDBFInterop, ReadsATableWrittenByOgr2ogr)
{
    if (std::system("command -v ogr2ogr >/dev/null 2>&1") != 0) GTEST_SKIP() << "ogr2ogr is not installed";
    testing::ScratchDir dir;
    const std::string csv = dir.file("in.csv");
    const std::string table = dir.file("out.dbf");
    std::ofstream(csv) << "NAME,COUNT,RATIO\nalpha,12,1.5\nbeta,-3,2.25\n";
    const std::string command =
        "ogr2ogr -f 'ESRI Shapefile' '" + table + "' '" + csv + "' -oo AUTODETECT_TYPE=YES >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    CDBF t;
    ASSERT_TRUE(t.OpenRead(table));
    ASSERT_TRUE(t.ReadFieldDescriptors());
    ASSERT_EQ(t.GetRecordCount(), 2);
    ASSERT_EQ(t.GetFieldCount(), 3);
    EXPECT_EQ(t.GetField(0).type, 'C');
    EXPECT_EQ(t.GetField(1).type, 'N');
    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.GetFieldString("NAME").substr(0, 6), "alpha ");
    EXPECT_EQ(t.GetFieldInt("COUNT"), 12);
    EXPECT_DOUBLE_EQ(t.GetFieldDouble("RATIO"), 1.5);
    ASSERT_TRUE(t.GoToRecord(1));
    EXPECT_EQ(t.GetFieldLong("COUNT"), -3);
    EXPECT_DOUBLE_EQ(t.GetFieldDouble("RATIO"), 2.25);
    EXPECT_FALSE(t.GoToRecord(2));
}

}  // namespace
}  // namespace logora
