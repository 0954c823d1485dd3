#include "ViewerFixture.h"

#include <cstdlib>

#include "QtTestApp.h"
#include "logora/engine/settings/AppSettings.h"

namespace logora::ui {

void ViewerFixture::SetUpTestSuite()
{
    static QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("XDG_STATE_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("TMPDIR", config.path().toLocal8Bit().constData(), 1);
    EnsureQtApplication();
}

void ViewerFixture::SetUp()
{
    ASSERT_TRUE(folder_.isValid());
    mainFrame_ = std::make_unique<CMainFrame>();
    mainFrame_->show();
}

void ViewerFixture::TearDown()
{
    mainFrame_->close();
    mainFrame_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString ViewerFixture::MakeDatalog(const QString& base, uint64_t records, uint32_t tags, bool withTimestmp)
{
    zarngen::ZarnSampleSpec spec;
    spec.records = records;
    spec.tagCount = tags;
    spec.withTimestmp = withTimestmp;
    std::string error;
    std::string path =
        zarngen::WriteZarnDatalog(folder_.path().toStdString(), base.toStdString(), spec, error);
    EXPECT_FALSE(path.empty()) << error;
    return QString::fromStdString(path);
}

}  // namespace logora::ui
