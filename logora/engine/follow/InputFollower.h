#pragma once
// Following an input that another program keeps writing: a follower
// remembers how far it read and, when asked, reads the input's header again
// and hands over only the records written since, in the order a conversion
// of the whole input would take them. When what it read is no longer there
// (a ring that wrapped past it, a file that shrank or was replaced) it says
// so instead, and reads no further.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace logora {

struct InputGrowth
{
    enum class Kind { Nothing, Added, Moved };
    Kind kind = Kind::Nothing;
    // Added: `count` input records of `recordLength` bytes one after another.
    std::vector<uint8_t> records;
    size_t recordLength = 0;
    size_t count = 0;
    // Moved: what happened, naming the file.
    std::string why;

    static InputGrowth Moved(std::string why) { return {Kind::Moved, {}, 0, 0, std::move(why)}; }
};

class InputFollower
{
public:
    // A look hands over at most this many records, so that memory stays
    // small whatever the writer added meanwhile; the next look goes on.
    static constexpr size_t kMostRecordsPerLook = size_t{1} << 16;

    virtual ~InputFollower() = default;
    // The records read so far: those there when the follower began and
    // every record handed over since.
    virtual int64_t RecordsRead() const = 0;
    // What was written since the last look. Once Moved, every later look
    // is Moved too.
    virtual InputGrowth Look() = 0;
};

}  // namespace logora
