// The plan of a run over several inputs, made before any input's run starts:
// no two inputs may share an output, no output may replace an input, and an
// alarm log takes the setup file beside it.
#include "logora/app/cmdline/ManyInputs.h"

#include <gtest/gtest.h>

#include "platform/paths/Paths.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::InputJob;
using logora::OutDirFormat;
using platform::JoinPath;

struct Plan
{
    bool made = false;
    std::vector<InputJob> jobs;
    std::string error;
};

Plan PlanOf(const std::vector<std::string>& inputs, const std::string& outDir, OutDirFormat format,
            const std::string& setupFile = {})
{
    Plan plan;
    plan.made = logora::PlanInputJobs(inputs, outDir, format, setupFile, plan.jobs, plan.error);
    return plan;
}

TEST(ManyInputs, InputsThatShareAnOutputOrWouldBeReplacedAreRefused)
{
    logora::testing::ScratchDir dir;
    const std::string out = dir.file("out");
    const std::string log = JoinPath(dir.file("a"), "plant.log");
    const std::string dat = JoinPath(dir.file("b"), "plant.DAT");
    Plan plan = PlanOf({log, dat}, out, OutDirFormat::Csv);
    EXPECT_FALSE(plan.made);
    EXPECT_EQ(plan.error, dat + " and " + log + " would both be written to " + JoinPath(out, "plant.csv"));

    // A table converted into its own folder would be replaced by its output.
    const std::string table = dir.file("plant.dbf");
    logora::testing::WriteWholeFile(table, {0x03});
    const std::string output = JoinPath(dir.file(""), "plant.dbf");
    plan = PlanOf({table}, dir.file(""), OutDirFormat::Dbf);
    EXPECT_FALSE(plan.made);
    EXPECT_EQ(plan.error, "the output " + output + " of " + table + " is the input " + table);

    // Into one database, inputs of one name in any letter case share a table.
    const std::string database = dir.file("plant.sqlite");
    plan = {};
    plan.made = logora::PlanDatabaseJobs({log, JoinPath(dir.file("b"), "PLANT.DAT")}, database, {}, plan.jobs,
                                         plan.error);
    EXPECT_FALSE(plan.made);
    EXPECT_EQ(plan.error, JoinPath(dir.file("b"), "PLANT.DAT") + " and " + log +
                              " would both be written to the table plant of " + database);
}

TEST(ManyInputs, AlarmLogsTakeTheSetupFileBesideThemUnlessOneIsGiven)
{
    logora::testing::ScratchDir dir;
    logora::testing::WriteWholeFile(dir.file("HISTORY.MAL"), {'s'});
    logora::testing::WriteWholeFile(dir.file("history.alm"), {'a'});
    const std::vector<std::string> inputs = {dir.file("history.alm"), dir.file("other.ALM"),
                                             dir.file("plant.log")};

    Plan plan = PlanOf(inputs, dir.file("out"), OutDirFormat::Table);
    ASSERT_TRUE(plan.made) << plan.error;
    EXPECT_EQ(plan.jobs[1].output, JoinPath(dir.file("out"), "other.csv"));
    EXPECT_EQ(plan.jobs[0].setupFile, dir.file("HISTORY.MAL"));
    EXPECT_EQ(plan.jobs[1].setupFile, "");
    EXPECT_EQ(plan.jobs[2].setupFile, "");

    plan = PlanOf(inputs, dir.file("out2"), OutDirFormat::Csv, "given.mal");
    ASSERT_TRUE(plan.made) << plan.error;
    EXPECT_EQ(plan.jobs[0].setupFile, "given.mal");
    EXPECT_EQ(plan.jobs[1].setupFile, "given.mal");
    EXPECT_EQ(plan.jobs[2].setupFile, "");
}

}  // namespace
