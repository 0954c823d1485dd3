// dbf-gen <records> <table.dbf> [--plain]
// Writes a datalog-shaped dBASE table; with --plain the Value column is an
// F 17.8 text field instead of the raw double the converters write.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DatalogTable.h"
#include "tools/cmdline/GeneratorOptions.h"

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: dbf-gen <records> <table.dbf> [--plain]\n";
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("dbf-gen", argc, argv, kUsage, {{"--plain"}}))
        return *status;
    if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "--plain") != 0)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    char* end = nullptr;
    unsigned long records = std::strtoul(argv[1], &end, 10);
    if (*end != '\0' || records > 0xFFFFFFFFul) {
        std::fprintf(stderr, "dbf-gen: not a record count: %s\n", argv[1]);
        return 2;
    }
    auto value = argc == 4 ? dbfgen::ValueColumn::PlainText : dbfgen::ValueColumn::RawDouble;
    if (!dbfgen::WriteDatalogTable(argv[2], static_cast<uint32_t>(records), value)) {
        std::fprintf(stderr, "dbf-gen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
