#pragma once
// Reading the tag file of a Vell datalog: the names in order of tag number.

#include <string>
#include <vector>

#include "common/bytes/ByteSource.h"

namespace logora::vell {

struct VellTagFile
{
    bool headerValid = false;
    // False when the file ended before its announced number of names; the
    // names read up to there are kept.
    bool complete = false;
    std::vector<std::string> names;  // in the code page, fitted to the name column
};

// Reads from the start of `file`. Memory stays bounded by one name (at most
// 65535 bytes) whatever the announced count.
VellTagFile ReadVellTagFile(const common::ByteSource& file, int codePage);

}  // namespace logora::vell
