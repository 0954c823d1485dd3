// The detection sequence on real widgets (offscreen): the progress window
// closes by itself when the run ends, the report follows, "Cancel" shows no
// report, and the file dialog stays open throughout.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "tools/integrity-csv/IntegrityLogWriter.h"
#include "vettle/dialog/CWaitDlg.h"
#include "vettle/dialog/ReportDlg.h"
#include "vettle/dialog/ZDetectTamperDialog.h"

namespace {

// Answers the modal windows as a user would: takes down each report window
// (keeping its text) and, when asked to, presses "Cancel" in the progress
// window before its first refresh.
class ModalDriver : public QObject
{
public:
    ModalDriver()
    {
        connect(&timer_, &QTimer::timeout, this, &ModalDriver::Poll);
        timer_.start(10);
    }

    QStringList reports;
    bool cancelRuns = false;

private:
    void Poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* wait = qobject_cast<vettle::CWaitDlg*>(modal); wait != nullptr && cancelRuns) {
            wait->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        } else if (auto* report = qobject_cast<vettle::ReportDlg*>(modal)) {
            reports << report->ShownText();
            report->findChild<QPushButton*>(QStringLiteral("return"))->click();
        }
    }

    QTimer timer_;
};

}  // namespace

class DialogSequenceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        std::ofstream(passingLog().toStdString(), std::ios::binary)
            << integritycsv::MakeIntegrityLog(integritycsv::LogOptions{});
    }

    void carriesDetectButtonAndHelp()
    {
        vettle::ZDetectTamperDialog dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Tarrow Automation ZAZ Izez Ive Zodidi Darevedaz Iziduda"));
        QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("Detect"));
        auto* help = dialog.findChild<QPushButton*>(QStringLiteral("help"));
        QVERIFY(help != nullptr);
        // Without a help library or help folder, help shows nothing at all.
        help->click();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void detectsTwiceAndStaysOpen()
    {
        vettle::ZDetectTamperDialog dialog;
        dialog.show();
        ModalDriver driver;
        const QString missing = folder_.filePath(QStringLiteral("missing.csv"));
        for (const QString& path : {passingLog(), missing}) {
            dialog.selectFile(path);
            dialog.accept();
            QVERIFY(dialog.isVisible());
        }
        QCOMPARE(driver.reports,
                 (QStringList{"Passed. No data adulteration detected.",
                              QStringLiteral("Detect file %1 does not exist.").arg(missing)}));
    }

    void cancelShowsNoReport()
    {
        vettle::ZDetectTamperDialog dialog;
        ModalDriver driver;
        driver.cancelRuns = true;
        QVERIFY(!dialog.DetectFile(passingLog()));
        QVERIFY(driver.reports.isEmpty());

        // The next detection waits for the cancelled worker and runs afresh.
        driver.cancelRuns = false;
        QVERIFY(dialog.DetectFile(passingLog()));
        QCOMPARE(driver.reports, QStringList{"Passed. No data adulteration detected."});
    }

private:
    QString passingLog() const { return folder_.filePath(QStringLiteral("passing.csv")); }

    QTemporaryDir folder_;
};

QTEST_MAIN(DialogSequenceTest)
#include "DialogSequenceTest.moc"
