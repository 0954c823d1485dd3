// The generators' command lines: -h and --help give the usage, an unknown
// option is refused, and neither ever becomes a folder or file written.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kGenerators[] = {GENERATORS};

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class GeneratorOptions : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "generators-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directory(Work());
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path Work() const { return root_ / "work"; }

    // Runs `generator` with one argument in the empty work folder.
    int Run(const std::string& generator, const std::string& argument)
    {
        const std::string command = "cd '" + Work().string() + "' && '" + generator + "' " + argument +
                                    " >'" + (root_ / "out").string() + "' 2>'" + (root_ / "err").string() +
                                    "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Out() const { return ReadText(root_ / "out"); }
    std::string Err() const { return ReadText(root_ / "err"); }
    bool WorkIsEmpty() const { return fs::is_empty(Work()); }

    fs::path root_;
};

TEST_F(GeneratorOptions, HelpIsTheUsageAndUnknownOptionsAreRefused)
{
    for (const std::string generator : kGenerators) {
        const std::string usage = "usage: " + fs::path(generator).filename().string();
        for (const char* help : {"-h", "--help"}) {
            EXPECT_EQ(Run(generator, help), 0) << generator << " " << help;
            EXPECT_TRUE(Out().starts_with(usage)) << generator << ": " << Out();
        }
        EXPECT_EQ(Run(generator, "--bogus"), 2) << generator;
        EXPECT_NE(Err().find("--bogus"), std::string::npos) << generator << ": " << Err();
        EXPECT_TRUE(WorkIsEmpty()) << generator;
    }
}

}  // namespace
