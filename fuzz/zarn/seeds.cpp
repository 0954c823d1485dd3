// Seed inputs of the Zarn fuzz harness: generated datalogs with and without
// tag file and "Timestmp", and a few damaged ones.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/zarn-gen/ZarnGen.h"

namespace {

using Bytes = std::vector<uint8_t>;

void WriteSeed(const std::string& folder, const std::string& name, const Bytes& dataFile,
               const Bytes& tagFile)
{
    Bytes seed = {uint8_t(dataFile.size()), uint8_t(dataFile.size() >> 8), uint8_t(dataFile.size() >> 16),
                  uint8_t(dataFile.size() >> 24)};
    seed.insert(seed.end(), dataFile.begin(), dataFile.end());
    seed.insert(seed.end(), tagFile.begin(), tagFile.end());
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_zarn_seeds <corpus-folder>\n");
        return 2;
    }
    using namespace logora::zarngen;
    const std::string folder = argv[1];
    const Bytes data = ZarnDataFileBytes({12, 3, false});
    const Bytes tags = ZarnTagFileBytes(ZarnTagNames(3));
    WriteSeed(folder, "merged", data, tags);
    WriteSeed(folder, "timestmp", ZarnDataFileBytes({6, 2, true}), ZarnTagFileBytes(ZarnTagNames(2)));
    WriteSeed(folder, "no-tag-file", data, {});
    Bytes shortTags = tags;
    shortTags.resize(shortTags.size() - 100);
    WriteSeed(folder, "short-tag-file", data, shortTags);
    Bytes shortData = data;
    shortData.resize(shortData.size() - 50);
    WriteSeed(folder, "short-data-file", shortData, tags);
    WriteSeed(folder, "few-tags", data, ZarnTagFileBytes({"Only"}));
    return 0;
}
