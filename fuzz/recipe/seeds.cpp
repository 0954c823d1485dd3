// Seed inputs for the recipe harness: the generated sample files as whole
// files, and the streams of the lemonade recipe (intact and damaged) for
// writing into fresh compound files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzInput.h"
#include "RecipeFile.h"

namespace {

bool Save(const std::string& path, const recipefuzz::Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

recipefuzz::Bytes Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return recipefuzz::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus-folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string samples = folder + "/samples";
    std::filesystem::create_directories(samples);
    if (!recipegen::WriteSampleSet(samples)) return 1;
    bool ok = true;
    for (const char* name : {"recipe.rpp", "no-tagsets.rpp", "no-ingredients.rpp", "damaged.rpp"}) {
        ok = ok && Save(folder + "/file-" + name, recipefuzz::PackFile(Load(samples + "/" + name)));
    }
    std::filesystem::remove_all(samples);

    const recipegen::RecipeFile lemonade = recipegen::LemonadeRecipe();
    const auto& sets = *lemonade.dataSets;
    ok = ok && Save(folder + "/streams-lemonade",
                    recipefuzz::PackStreams({*lemonade.ingredients, sets[0].stream, sets[1].stream,
                                             sets[2].stream, lemonade.tagSets->front().stream}));
    recipefuzz::Bytes cut = *lemonade.ingredients;
    cut.resize(cut.size() / 2);
    ok = ok && Save(folder + "/streams-cut-ingredients", recipefuzz::PackStreams({cut, sets[1].stream}));
    return ok ? 0 : 1;
}
