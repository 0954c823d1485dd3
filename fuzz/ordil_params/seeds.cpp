// Seed inputs for the parameter text harness.
#include "fuzz/ordil_common/FuzzText.h"

int main(int argc, char** argv)
{
    auto folder = ordil::fuzz::seedFolder(argc, argv);
    const std::vector<std::vector<std::u16string>> seeds = {
        {u"/A x=1 /B key=\"a b\"", u"B", u"key", u"new value", u"\x10"},
        {u"/A x=1 /B y=2", u"A", u"k", u"v", u"\x20"},
        {u"/A x=123456 z", u"a", u"x", u"9", u"\x01"},
        {u"/A xy=2 q=\"/C x\" /C", u"C", u"x", u"/D", u"\x08"},
        {u"/A x=\"1", u"A", u"x", u"1", u"\x08"},
        {u"/A x=a\"b c\" \t/B", u"A", u"x", u"", u"\x04"},
        {u"/\t/", u"\t/", u"\x0100\x0100\x4000"},
    };
    for (size_t i = 0; i < seeds.size(); ++i)
        ordil::fuzz::writeSeed(folder, "seed" + std::to_string(i), seeds[i]);
    return 0;
}
