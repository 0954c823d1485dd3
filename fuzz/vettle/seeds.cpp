// Writes the seed corpus of the detection harness: generated data logs of
// every shape the generator knows, and tampered copies of them.
#include <fstream>
#include <iostream>
#include <string>

#include "tools/integrity-csv/IntegrityLogWriter.h"

namespace {

void WriteSeed(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: vettle-fuzz-seeds <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    struct Shape
    {
        const char* name;
        integritycsv::LogOptions options;
    };
    Shape shapes[] = {{"plain", {}},      {"utf8", {}}, {"quoted", {}}, {"continued", {}},
                      {"nochecksum", {}}, {"wrap", {}}, {"empty", {}}};
    shapes[1].options.utf8 = true;
    shapes[2].options.quotedFields = true;
    shapes[3].options.continuationEvery = 2;
    shapes[4].options.trailerChecksum = false;
    shapes[5].options.startLow = 65534;
    shapes[6].options.rows = 0;
    for (auto& shape : shapes) {
        shape.options.rows = shape.options.rows == 0 ? 0 : 4;
        const std::string log = integritycsv::MakeIntegrityLog(shape.options);
        WriteSeed(folder, std::string(shape.name) + ".csv", log);
        std::string tampered = log;
        if (tampered.size() > 60) tampered[40] ^= 1;
        WriteSeed(folder, std::string(shape.name) + "-tampered.csv", tampered);
    }
    return 0;
}
