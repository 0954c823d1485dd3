// Batch conversion to CSV (list form) of a generated .OBF datalog (4 million
// records of the aligned layout by default) and of a recipe of 20,000
// ingredients, each then at twice the size, beside `cat` of the input.
// Prints records/s, MB/s of output (the CSV file; cat's output is its input)
// and peak memory.
//   bench_obf [records (default 4000000)] [work folder (default $TMPDIR or /tmp)]
// (bench_obf --recipe <path> <ingredients> writes the recipe, run as a child;
// bench_obf --samples <path> <records> writes the .OBF datalog, for a profile
// of one run.)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ObfSample.h"
#include "RecipeFile.h"
#include "bench/BenchGoal.h"
#include "bench/RunFigures.h"
#include "bench/ThreadGain.h"
#include "bench/WriteLimit.h"
#include "bench/vettle/ChildRun.h"
#include "logora/engine/dbf/DBFStructures.h"

namespace {

namespace fs = std::filesystem;

constexpr long kRecipeIngredients = 20'000;
constexpr int kRecipeDataSets = 4;
constexpr int kRecipeTagSets = 2;
constexpr size_t kChunkRecords = 1 << 16;
constexpr size_t kHeaderLengthAt = 8;

// Writes the datalog in chunks so that the generator's memory stays small:
// the header announcing all records, then each chunk's records.
bool WriteObf(const std::string& path, long records)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    auto write = [&](const std::vector<uint8_t>& bytes, size_t from, size_t to) {
        out.write(reinterpret_cast<const char*>(bytes.data() + from),
                  static_cast<std::streamsize>(to - from));
    };
    const std::vector<uint8_t> header = obfgen::BuildObfFile({12, true, {}, records});
    write(header, 0, header.size() - 1);
    std::vector<obfgen::ObfSampleRecord> chunk = obfgen::PlantRecords(kChunkRecords);
    for (long written = 0; written < records; written += long(kChunkRecords)) {
        chunk.resize(std::min<size_t>(kChunkRecords, size_t(records - written)));
        const std::vector<uint8_t> bytes = obfgen::BuildObfFile({12, true, chunk, -1});
        const size_t headerLength = bytes[kHeaderLengthAt] | size_t(bytes[kHeaderLengthAt + 1]) << 8;
        write(bytes, headerLength, bytes.size() - 1);
        for (obfgen::ObfSampleRecord& record : chunk) record.time += kChunkRecords / 16;
    }
    const uint8_t endOfFile = logora::kDBFEndOfFile;
    out.write(reinterpret_cast<const char*>(&endOfFile), 1);
    return static_cast<bool>(out);
}

// Ingredients of both kinds, each with a value in every data set and a tag
// name in every tag set.
bool WriteRecipe(const std::string& path, long ingredients)
{
    using namespace recipegen;
    std::vector<Bytes> entries;
    std::vector<std::vector<Bytes>> values(kRecipeDataSets);
    std::vector<std::vector<std::u16string>> tags(kRecipeTagSets);
    for (long i = 0; i < ingredients; ++i) {
        const std::string text = std::to_string(i);
        const std::u16string digits(text.begin(), text.end());
        const std::u16string name = u"Ingredient " + digits;
        entries.push_back(
            i % 5 == 4 ? IngredientEntry(0, EmptyValue(), StringValue(u"any"), name)
                       : IngredientEntry(1, DoubleValue(0.5 * double(i)), Int32Value(int32_t(i)), name));
        for (int set = 0; set < kRecipeDataSets; ++set)
            values[size_t(set)].push_back(set % 2 == 0 ? DoubleValue(double(i) / 3.0 + set)
                                                       : Int32Value(int32_t(i + set)));
        for (int set = 0; set < kRecipeTagSets; ++set)
            tags[size_t(set)].push_back(u"Line" + std::u16string(1, u'A' + char16_t(set)) + u".Tag" + digits);
    }
    RecipeFile recipe;
    recipe.ingredients = OffsetTableStream(entries);
    recipe.dataSets.emplace();
    for (int set = 0; set < kRecipeDataSets; ++set)
        recipe.dataSets->push_back({"Batch " + std::to_string(set), OffsetTableStream(values[size_t(set)])});
    recipe.tagSets.emplace();
    for (int set = 0; set < kRecipeTagSets; ++set)
        recipe.tagSets->push_back({"Line " + std::to_string(set), TagSetStream(tags[size_t(set)])});
    return WriteRecipeFile(path, recipe);
}

void Print(const char* label, const ChildResult& run, uint64_t outputBytes, uint64_t records)
{
    PrintRun(32, label, run, outputBytes, records);
}

// cat of the input, then the batch run into list-form CSV on one thread,
// which is returned, and on all cores; with a goal in records a second,
// beside dd of the CSV's size.
ChildResult Measure(const std::string& input, const std::string& csv, uint64_t records,
                    double goalMillions = 0)
{
    Print("cat", RunChild({"/bin/cat", input}), fs::file_size(input), records);
    const ThreadRuns runs = RunOnOneThreadAndAllCores({LOGORA_PROGRAM, input, csv}, csv, csv + ".one");
    Print("logora input out.csv, 1 thread", runs.oneThread, SizeOf(csv), records);
    Print("  the same on all cores", runs.allCores, SizeOf(csv), records);
    PrintGain(runs);
    if (goalMillions > 0) {
        const ChildResult dd = DdOfSize(csv + ".dd", SizeOf(csv));
        Print("dd of the CSV's size", dd, SizeOf(csv), records);
        PrintAllCoresGoal(runs, records, goalMillions, dd);
    }
    fs::remove(csv);
    return runs.oneThread;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--recipe")
        return WriteRecipe(argv[2], std::strtol(argv[3], nullptr, 10)) ? 0 : 1;
    if (argc == 4 && std::string(argv[1]) == "--samples")
        return WriteObf(argv[2], std::strtol(argv[3], nullptr, 10)) ? 0 : 1;
    const long records = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 4'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-obf";
    if (records < 1 || records > 100'000'000) {
        std::fprintf(stderr, "bench_obf: the record count must lie in 1 to 100000000\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);

    // Each input at twice the size as well: records/s that hold show a linear run.
    const std::string obf = (work / "plant.obf").string();
    for (const long size : {records, 2 * records}) {
        if (!WriteObf(obf, size)) {
            std::fprintf(stderr, "bench_obf: cannot write the samples into %s\n", work.c_str());
            return 1;
        }
        std::printf(".OBF datalog: %ld records (aligned layout), %.1f MB\n", size,
                    static_cast<double>(fs::file_size(obf)) / 1e6);
        PrintGoal(Measure(obf, (work / "plant.csv").string(), uint64_t(size), 12.0), uint64_t(size));
    }
    fs::remove(obf);
    const std::string recipe = (work / "recipe.rpp").string();
    for (const long size : {kRecipeIngredients, 2 * kRecipeIngredients}) {
        // Written by a child: the forked runs would count the generator's memory as theirs.
        if (RunChild({"/proc/self/exe", "--recipe", recipe, std::to_string(size)}).exitStatus != 0) {
            std::fprintf(stderr, "bench_obf: cannot write the samples into %s\n", work.c_str());
            return 1;
        }
        std::printf("Recipe: %ld ingredients, %d data sets, %d tag sets, %.1f MB\n", size, kRecipeDataSets,
                    kRecipeTagSets, static_cast<double>(fs::file_size(recipe)) / 1e6);
        Measure(recipe, (work / "recipe.csv").string(), uint64_t(size));
    }
    fs::remove_all(work);
    return 0;
}
