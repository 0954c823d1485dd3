// Bytes in memory, standing for a file, must convert into the table the file
// converts into: the road of tests and fuzz harnesses is the file's road.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "ObfSample.h"
#include "RecipeFile.h"
#include "VellTestSupport.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/obf/CConvertObfToDbf.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "logora/engine/vell/CConvertLogToDBF.h"
#include "logora/engine/zarn/CTagNameMerger.h"
#include "logora/engine/zarn/TagFilePath.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora::test {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kSpringChange = 1774745990;  // 2026-03-29 00:59:50 UTC

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CollectedTable
{
    std::vector<std::string> fields;  // name and length of each
    uint32_t recordLength = 0;
    int64_t announced = 0;
    Bytes records;

    bool operator==(const CollectedTable&) const = default;
};

class TableCollector final : public CDBFRecordSink
{
public:
    explicit TableCollector(CollectedTable& table) : table_(table) {}

    void BeginRecords(const CDBF& table) override
    {
        for (int i = 0; i < table.GetFieldCount(); ++i) {
            const DBFField field = table.GetField(i);
            table_.fields.push_back(std::string(field.Name()) + " " + std::to_string(field.length));
        }
        table_.recordLength = table.GetRecordLength();
        table_.announced = table.GetRecordCount();
    }
    void TakeRecord(const uint8_t* record) override
    {
        table_.records.insert(table_.records.end(), record, record + table_.recordLength);
    }

private:
    CollectedTable& table_;
};

CollectedTable collect(Converter& converter)
{
    CollectedTable table;
    TableCollector collector(table);
    ConvertToSink(converter, collector);
    return table;
}

using MemoryOpen = std::function<void(Converter&, const Bytes& input, const std::optional<Bytes>& beside,
                                      const std::string& name)>;

struct MemoryCase
{
    std::string input;   // in the test folder
    std::string beside;  // the tag file beside it; empty when none
    std::function<std::unique_ptr<Converter>()> make;
    MemoryOpen openMemory;
};

std::optional<std::span<const uint8_t>> spanOf(const std::optional<Bytes>& bytes)
{
    if (!bytes) return std::nullopt;
    return std::span<const uint8_t>(*bytes);
}

class MemoryInputTest : public VellTest
{
};

TEST_F(MemoryInputTest, EveryFormatFromMemoryGivesTheTableOfItsFile)
{
    using namespace vellgen;
    ASSERT_TRUE(WritePatternDatalog(path("plant.log"), 3000, 700, 5, kSpringChange));
    writeLog("plant.tag", BuildTagFile(SampleTagNames(5)));
    ASSERT_TRUE(WritePatternDatalog(path("numbers.log"), 300, 0, 4, kSpringChange));
    std::string error;
    const std::string zarn = zarngen::WriteZarnDatalog(folder_.string(), "Plant", {3000, 5, true}, error);
    ASSERT_FALSE(zarn.empty()) << error;
    const std::string zarnName = std::filesystem::path(zarn).filename().string();
    ASSERT_TRUE(obfgen::WriteObfFile(path("plant.obf"), {12, true, obfgen::PlantRecords(3000), -1}));
    ASSERT_TRUE(recipegen::WriteSampleSet(folder_.string()));

    const auto vell = [this] { return std::make_unique<CConvertLogToDBF>(context_); };
    const MemoryOpen vellMemory = [](Converter& converter, const Bytes& input,
                                     const std::optional<Bytes>& beside, const std::string& name) {
        static_cast<CConvertLogToDBF&>(converter).OpenMemory(input, name, spanOf(beside));
    };
    const std::vector<MemoryCase> cases = {
        {"plant.log", "plant.tag", vell, vellMemory},
        {"numbers.log", "", vell, vellMemory},
        {zarnName, std::filesystem::path(TagFileNameFor(zarn)).filename().string(),
         [this] { return std::make_unique<CTagNameMerger>(context_.run.MappingErrors()); },
         [](Converter& converter, const Bytes& input, const std::optional<Bytes>& beside,
            const std::string& name) {
             EXPECT_TRUE(static_cast<CTagNameMerger&>(converter).OpenMemory(input, name, spanOf(beside)));
         }},
        {"plant.obf", "", [this] { return std::make_unique<CConvertObfToDbf>(context_); },
         [](Converter& converter, const Bytes& input, const std::optional<Bytes>&, const std::string& name) {
             static_cast<CConvertObfToDbf&>(converter).OpenMemory(input, name);
         }},
        {"recipe.rpp", "", [this] { return std::make_unique<CConvertRppToDBF>(context_); },
         [](Converter& converter, const Bytes& input, const std::optional<Bytes>&, const std::string& name) {
             static_cast<CConvertRppToDBF&>(converter).OpenMemory(input, name);
         }},
    };

    for (const MemoryCase& c : cases) {
        std::unique_ptr<Converter> fromFile = c.make();
        ASSERT_TRUE(fromFile->Open(path(c.input))) << c.input;
        const CollectedTable file = collect(*fromFile);
        EXPECT_FALSE(file.records.empty()) << c.input;

        const Bytes input = readBytes(path(c.input));
        std::optional<Bytes> beside;
        if (!c.beside.empty()) beside = readBytes(path(c.beside));
        std::unique_ptr<Converter> fromMemory = c.make();
        c.openMemory(*fromMemory, input, beside, path(c.input));
        EXPECT_TRUE(collect(*fromMemory) == file) << c.input;
        EXPECT_EQ(fromMemory->TagNames(), fromFile->TagNames()) << c.input;
    }
}

}  // namespace
}  // namespace logora::test
