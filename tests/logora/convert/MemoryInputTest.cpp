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
#include "logora/engine/context/ConversionError.h"
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

class TableCollector final : public DBFRecordSink
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

struct Outcome
{
    bool opened = false;
    CollectedTable table;
    std::string refusal;  // kind, file and detail of the conversion's failure

    bool operator==(const Outcome&) const = default;
};

// Opens with `open`, then converts what opened into a collected table.
Outcome convertWith(Converter& converter, const std::function<bool()>& open)
{
    Outcome outcome;
    try {
        outcome.opened = open();
        TableCollector collector(outcome.table);
        if (outcome.opened) ConvertToSink(converter, collector);
    } catch (const ConversionError& error) {
        outcome.refusal = std::to_string(int(error.kind)) + " " + error.file + ": " + error.detail;
    }
    return outcome;
}

// Opens the converter for the bytes; false where Open would be.
using MemoryOpen = std::function<bool(Converter&, const Bytes& input, const std::optional<Bytes>& beside,
                                      const std::string& name)>;

struct MemoryCase
{
    std::string input;   // in the test folder
    std::string beside;  // the tag file beside it; empty when none
    std::function<std::unique_ptr<Converter>()> make;
    MemoryOpen openMemory;
    bool converts = true;  // false: refused, or loaded as it is
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

    // Refused inputs, each in the words of its file.
    const Bytes junk = {'n', 'o', ' ', 'l', 'o', 'g', ' ', 'a', 't', ' ', 'a', 'l', 'l'};
    writeLog("short.log", junk);
    ASSERT_TRUE(WritePatternDatalog(path("badtags.log"), 20, 0, 2, kSpringChange));
    writeLog("badtags.tag", junk);
    writeLog("Junk(1).DAT", junk);
    writeLog("junk.obf", junk);
    writeLog("plain.rpp", junk);
    writeLog("empty.rpp", {});

    const auto vell = [this] { return std::make_unique<CConvertLogToDBF>(context_); };
    const MemoryOpen vellMemory = [](Converter& converter, const Bytes& input,
                                     const std::optional<Bytes>& beside, const std::string& name) {
        static_cast<CConvertLogToDBF&>(converter).OpenMemory(input, name, spanOf(beside));
        return true;
    };
    const auto merger = [this] { return std::make_unique<CTagNameMerger>(context_.run.MappingErrors()); };
    const MemoryOpen mergerMemory = [](Converter& converter, const Bytes& input,
                                       const std::optional<Bytes>& beside, const std::string& name) {
        return static_cast<CTagNameMerger&>(converter).OpenMemory(input, name, spanOf(beside));
    };
    const auto obf = [this] { return std::make_unique<CConvertObfToDbf>(context_); };
    const MemoryOpen obfMemory = [](Converter& converter, const Bytes& input, const std::optional<Bytes>&,
                                    const std::string& name) {
        static_cast<CConvertObfToDbf&>(converter).OpenMemory(input, name);
        return true;
    };
    const auto recipe = [this] { return std::make_unique<CConvertRppToDBF>(context_); };
    const MemoryOpen recipeMemory = [](Converter& converter, const Bytes& input, const std::optional<Bytes>&,
                                       const std::string& name) {
        static_cast<CConvertRppToDBF&>(converter).OpenMemory(input, name);
        return true;
    };
    const std::vector<MemoryCase> cases = {
        {"plant.log", "plant.tag", vell, vellMemory},
        {"numbers.log", "", vell, vellMemory},
        {"short.log", "", vell, vellMemory, false},
        {"badtags.log", "badtags.tag", vell, vellMemory, false},
        {zarnName, std::filesystem::path(TagFileNameFor(zarn)).filename().string(), merger, mergerMemory},
        {"Junk(1).DAT", "", merger, mergerMemory, false},
        {"plant.obf", "", obf, obfMemory},
        {"junk.obf", "", obf, obfMemory, false},
        {"recipe.rpp", "", recipe, recipeMemory},
        {"plain.rpp", "", recipe, recipeMemory, false},
        {"empty.rpp", "", recipe, recipeMemory, false},
    };

    for (const MemoryCase& c : cases) {
        std::unique_ptr<Converter> fromFile = c.make();
        const Outcome file = convertWith(*fromFile, [&] { return fromFile->Open(path(c.input)); });
        EXPECT_EQ(file.refusal.empty() && file.opened && !file.table.records.empty(), c.converts)
            << c.input << ": " << file.refusal;

        const Bytes input = readBytes(path(c.input));
        std::optional<Bytes> beside;
        if (!c.beside.empty()) beside = readBytes(path(c.beside));
        std::unique_ptr<Converter> fromMemory = c.make();
        EXPECT_TRUE(convertWith(*fromMemory,
                                [&] { return c.openMemory(*fromMemory, input, beside, path(c.input)); }) ==
                    file)
            << c.input << ": " << file.refusal;
        if (c.converts) {
            EXPECT_EQ(fromMemory->TagNames(), fromFile->TagNames()) << c.input;
        }
    }
}

}  // namespace
}  // namespace logora::test
