// What the one file source tells apart when it opens a path: the tamper
// check says "does not exist" for Missing and "could not be opened" for the
// rest, and the conversions name the reason.
#include "platform/mapping/FileByteSource.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

using platform::FileByteSource;
using Result = FileByteSource::OpenResult;

TEST(FileByteSource, NothingAtThePathIsMissingAndWhatCannotBeReadIsNotOpened)
{
    logora::testing::ScratchDir dir;
    const std::string file = dir.file("log.csv");
    logora::testing::WriteWholeFile(file, {'a', 'b', 'c'});
    ASSERT_EQ(::symlink(dir.file("gone.csv").c_str(), dir.file("dangling").c_str()), 0);
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    for (const std::string& path : {dir.file("none.csv"), file + "/below", dir.file("dangling")}) {
        FileByteSource source;
        EXPECT_EQ(source.Open(path), Result::Missing) << path;
    }
    FileByteSource folder;
    EXPECT_EQ(folder.Open(dir.file("")), Result::NotOpened);
    EXPECT_EQ(errno, EISDIR);
    FileByteSource fifo;
    EXPECT_EQ(fifo.Open(pipe), Result::NotOpened);
    EXPECT_EQ(fifo.Refusal(), pipe + ": is a named pipe (FIFO), not a regular file");

    FileByteSource source;
    ASSERT_EQ(source.Open(file), Result::Opened);
    uint8_t bytes[4] = {};
    EXPECT_EQ(source.Size(), 3u);
    EXPECT_EQ(source.ReadAt(bytes, sizeof bytes, 1), 2);
    EXPECT_EQ(bytes[1], 'c');
}

}  // namespace
