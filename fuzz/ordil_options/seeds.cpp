// Seed inputs for the option parser harness.
#include "fuzz/ordil_common/FuzzText.h"

int main(int argc, char** argv)
{
    auto folder = ordil::fuzz::seedFolder(argc, argv);
    const std::vector<std::vector<std::u16string>> seeds = {
        {u"word /a /b out /c rest", u"ab:c::"},
        {u"/b", u"ab:c::"},
        {u"say \"a /b\" 'c d' /ax /b \"x y\" /c /a", u"ab:c::"},
        {u"/b a\"\"b more  /c", u"ab:c::"},
        {u"  /a: /! tail ", u"a!"},
        {u"/bglued\t/c 'q", u"b:c::"},
    };
    for (size_t i = 0; i < seeds.size(); ++i)
        ordil::fuzz::writeSeed(folder, "seed" + std::to_string(i), seeds[i]);
    return 0;
}
