// Seed inputs for the number harness.
#include "fuzz/ordil_common/FuzzText.h"

int main(int argc, char** argv)
{
    auto folder = ordil::fuzz::seedFolder(argc, argv);
    const std::vector<std::vector<std::u16string>> seeds = {
        {u"1.5e3", u"\x02", u"\x0001\x0005"},
        {u"42949672.95", u"\x04", u"\xffff\xffff"},
        {u"  -0.000125E+2  ", u"\x0c", u"\x0001\x0001"},
        {u"1e30", u"\x02", u"\x00ff\x0001"},
        {u"04294967296", u"\x02", u"\x1234\x5678"},
        {u".5", u"\x01", u"\x0100\x002a"},
        {u"7.", u"\x22", u"\x0002\x0007"},
    };
    for (size_t i = 0; i < seeds.size(); ++i)
        ordil::fuzz::writeSeed(folder, "seed" + std::to_string(i), seeds[i]);
    return 0;
}
