#pragma once
// A main window over a temporary folder: settings under a temporary config
// folder and a generated Zarn datalog to open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>

#include "logora/ui/app/CMainFrame.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora::ui {

class ViewerFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite();

    void SetUp() override;
    void TearDown() override;

    // Writes a Zarn datalog of `records` records over `tags` tags; returns the data file.
    QString MakeDatalog(const QString& base, uint64_t records, uint32_t tags, bool withTimestmp = false);

    QTemporaryDir folder_;
    std::unique_ptr<CMainFrame> mainFrame_;
};

}  // namespace logora::ui
