// Seed inputs for the Vell conversion harness: datalogs with and without tag
// files, wrapped rings, every value type and flag, short and corrupt files.
#include <cstdio>
#include <string>

#include "FuzzInput.h"
#include "VellSamples.h"

using namespace vellgen;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    auto save = [&](const std::string& name, const std::vector<uint8_t>& log,
                    const std::vector<uint8_t>& tags) {
        return WriteFile(folder + "/" + name, vellfuzz::PackInput(log, tags));
    };

    std::vector<LogRecord> records;
    for (uint64_t i = 0; i < 24; ++i) records.push_back(PatternRecord(i, 4, 1774745990));
    std::vector<uint8_t> tags = BuildTagFile(SampleTagNames(4));
    bool ok = save("wrapped-with-tags", BuildDatalog(records, 9, 8), tags);
    ok = ok && save("plain-without-tags", BuildDatalog(records, 0, 23), {});
    ok = ok && save("short-tag-file", BuildDatalog(records, 0, 23),
                    BuildTagFile({u"A", u"B"}, {.announcedCount = 4}));
    DatalogHeader tooMany{1000, 3, 2};
    ok = ok && save("count-beyond-file", BuildDatalog(tooMany, records), {});
    DatalogHeader badIndexes{24, 30, -2};
    ok = ok && save("indexes-outside", BuildDatalog(badIndexes, records), tags);
    ok = ok && save("empty", BuildDatalog({}, 0, 0), {});
    return ok ? 0 : 1;
}
