#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include "VellSamples.h"
#include "ViewerFixture.h"
#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/listview/FilterRow.h"
#include "logora/ui/listview/ListDialogs.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/records/CopyText.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/RowSelection.h"
#include "logora/ui/records/SortJob.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/statistics/StatisticsPanel.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {
namespace {

TEST(RowSelection, ClicksShiftAndCtrlBuildRanges)
{
    RowSelection selection;
    selection.SelectOnly(5);
    selection.ExtendTo(9);
    selection.ExtendTo(2);  // the anchor stays at 5
    EXPECT_EQ(selection.Ranges(), (std::vector<RowSelection::Range>{{2, 5}}));
    selection.Toggle(4);
    selection.Toggle(20);
    EXPECT_EQ(selection.Ranges(), (std::vector<RowSelection::Range>{{2, 3}, {5, 5}, {20, 20}}));
    selection.ExtendTo(22, true);  // Shift+Ctrl adds to the rows selected before
    EXPECT_EQ(selection.Count(), 6);
    EXPECT_TRUE(selection.Contains(21));
    EXPECT_FALSE(selection.Contains(4));
    selection.MoveCurrent(30);  // Ctrl with the keys: the selection stays
    EXPECT_EQ(selection.Count(), 6);
    selection.Toggle(selection.Current());  // Ctrl+Space
    EXPECT_EQ(selection.Count(), 7);
    selection.ExtendTo(32);  // Shift alone lets the others go
    EXPECT_EQ(selection.Ranges(), (std::vector<RowSelection::Range>{{30, 32}}));
    selection.SelectCell(7, 2);
    EXPECT_EQ(selection.CellColumn(), 2);
    selection.ExtendTo(8);
    EXPECT_EQ(selection.CellColumn(), -1);
    selection.SelectAll(10'000'000);
    EXPECT_EQ(selection.Count(), 10'000'000);
}

class RecordOperations : public ViewerFixture
{
protected:
    CDatReaderView* Open(uint64_t records, uint32_t tags = 3)
    {
        return Open(MakeDatalog("plant", records, tags));
    }
    CDatReaderView* Open(const QString& path)
    {
        frame_ = mainFrame_->OpenDocumentFile(path);
        EXPECT_NE(frame_, nullptr);
        return frame_ ? static_cast<CDatReaderView*>(frame_->View()) : nullptr;
    }
    static int ColumnNamed(CDatReaderView* view, const QString& name)
    {
        for (int c = 0; c < view->ColumnCount(); ++c)
            if (view->HeaderText(c).compare(name, Qt::CaseInsensitive) == 0) return c;
        return -1;
    }
    static void Wait(CDatReaderView* view) { QTRY_VERIFY_WITH_TIMEOUT(!view->JobRunning(), 20000); }

    CChildFrame* frame_ = nullptr;
};

TEST_F(RecordOperations, HeaderClicksSortByValueStablyThenReturnToFileOrder)
{
    CDatReaderView* view = Open(600);
    int value = ColumnNamed(view, "Value");
    ASSERT_GE(value, 0);
    for (bool ascending : {true, false}) {
        view->SortByColumn(value);
        Wait(view);
        ASSERT_TRUE(view->Order().IsSorted());
        for (int64_t row = 1; row < view->RecordCount(); ++row) {
            double before = view->CellText(row - 1, value).toDouble(),
                   here = view->CellText(row, value).toDouble();
            ASSERT_TRUE(ascending ? before <= here : before >= here) << row;
            if (before == here) {
                ASSERT_LT(view->RecordOfRow(row - 1), view->RecordOfRow(row)) << "unstable";
            }
        }
    }
    view->SortByColumn(value);
    EXPECT_FALSE(view->Order().IsSorted());
    EXPECT_EQ(view->RecordOfRow(7), 7);
}

TEST_F(RecordOperations, ClickedRowOfASortedOrFilteredListShowsItsRecordNumber)
{
    CDatReaderView* view = Open(300);
    frame_->resize(600, 400);
    ColumnFilter range;
    range.field = view->MapColumnToField(ColumnNamed(view, "Value"));
    range.from = 20;
    range.to = 25;
    view->ApplyFilter({range});
    Wait(view);
    view->SortByField(range.field, false);
    Wait(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    ASSERT_EQ(view->SelectedRecord(), 0);
    ASSERT_GT(view->RecordOfRow(0), 0);
    EXPECT_EQ(frame_->PaneText(1), QString("Selected record: %1").arg(view->RecordOfRow(0) + 1));
}

TEST_F(RecordOperations, AFileOpensAgainInItsLayoutUntilResetLayout)
{
    CDatReaderView* view = Open(300);
    const QString path = frame_->Document()->PathName();
    const int firstWidth = view->ColumnWidth(ColumnNamed(view, "Value"));
    std::vector<int> states(static_cast<size_t>(view->Document()->Doc().GetFieldCount()), kColumnShown);
    states[static_cast<size_t>(view->MapColumnToField(ColumnNamed(view, "Tagname")))] = kColumnHidden;
    view->SetRequestedStates(states);
    view->RefreshColumns();
    const int value = ColumnNamed(view, "Value");
    view->findChild<QHeaderView*>()->resizeSection(value, firstWidth + 37);
    // Its heading dragged to the front.
    auto* sections = view->findChild<QHeaderView*>();
    sections->moveSection(sections->visualIndex(value), 0);
    ColumnFilter range;
    range.field = view->MapColumnToField(value);
    range.from = 20;
    range.to = 25;
    range.fromText = "20";
    range.toText = "25";
    view->ApplyFilter({range});
    Wait(view);
    view->SortByField(range.field, false);
    Wait(view);
    const int64_t filtered = view->RecordCount();
    const QString firstShown = view->CellText(0, value);
    ASSERT_LT(filtered, 300);
    frame_->showNormal();
    frame_->setGeometry(10, 20, 420, 310);
    frame_->close();
    // The window goes, then the document it held.
    for (int round = 0; round < 2; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    view = Open(path);
    ASSERT_NE(view, nullptr);
    Wait(view);
    EXPECT_EQ(ColumnNamed(view, "Tagname"), -1);
    EXPECT_EQ(view->ColumnWidth(ColumnNamed(view, "Value")), firstWidth + 37);
    EXPECT_EQ(view->ColumnsInShownOrder().front(), ColumnNamed(view, "Value"));
    EXPECT_TRUE(view->Order().IsFiltered());
    EXPECT_EQ(view->Order().SortField(), range.field);
    EXPECT_FALSE(view->Order().SortAscending());
    EXPECT_EQ(view->RecordCount(), filtered);
    EXPECT_EQ(view->CellText(0, ColumnNamed(view, "Value")), firstShown);
    EXPECT_EQ(frame_->geometry(), QRect(10, 20, 420, 310));

    mainFrame_->Action(kResetLayout)->trigger();
    Wait(view);
    EXPECT_GE(ColumnNamed(view, "Tagname"), 0);
    EXPECT_EQ(view->ColumnWidth(ColumnNamed(view, "Value")), firstWidth);
    const std::vector<int> fileOrder = view->ColumnsInShownOrder();
    EXPECT_TRUE(std::is_sorted(fileOrder.begin(), fileOrder.end()));
    EXPECT_FALSE(view->Order().IsSorted());
    EXPECT_EQ(view->RecordCount(), 300);
    EXPECT_TRUE(view->FilterEdits()->Text(ColumnNamed(view, "Value")).isEmpty());
}

// The destination time zone the next conversion takes (the dialogs are the
// program's, which tests leave out): the first zone whose name holds `zone`.
void SetTimeZone(const std::string& zone)
{
    for (const auto& entry : LoadTimeZoneTable())
        if (entry->DisplayName.find(zone) != std::string::npos) {
            ProgramAppSettings().WriteProfileInt(settings::kOptions, settings::kDestTimeZone,
                                                 static_cast<int>(entry->Index));
            return;
        }
    FAIL() << zone;
}

TEST_F(RecordOperations, TimeZoneConvertsTheDatalogAgainAndKeepsTheListAndPlot)
{
    std::vector<vellgen::LogRecord> records;
    for (uint16_t i = 0; i < 50; ++i)
        records.push_back(vellgen::Int32Record(1783000000 + i, 0, 1 + i % 2, i));
    vellgen::DatalogHeader header;
    header.count = static_cast<int32_t>(records.size());
    header.newest = header.count - 1;
    const QString path = folder_.path() + "/zone.LOG";
    ASSERT_TRUE(vellgen::WriteFile(path.toStdString(), vellgen::BuildDatalog(header, records)));
    ProgramAppSettings().WriteProfileInt(settings::kOptions, settings::kDestTimeZone, -1);
    CDatReaderView* view = Open(path);
    ASSERT_NE(view, nullptr);
    const int time = ColumnNamed(view, "Time");
    ASSERT_GE(time, 0);
    const QString before = view->CellText(0, time);
    mainFrame_->OpenPlot(view->Document());
    view->SelectRecord(7);

    SetTimeZone("Asia/Tokyo");
    mainFrame_->Action(kTimeZone)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Wait(view);
    const QString after = view->CellText(0, time);
    EXPECT_EQ(after.left(2).toInt(), (before.left(2).toInt() + 9) % 24) << qPrintable(before + " " + after);
    EXPECT_EQ(after.mid(2), before.mid(2));
    EXPECT_EQ(view->RecordCount(), 50);
    EXPECT_EQ(view->SelectedRecord(), 7);
    EXPECT_NE(view->Document()->PlotFrame(), nullptr);
    ProgramAppSettings().WriteProfileInt(settings::kOptions, settings::kDestTimeZone, -1);
}

TEST_F(RecordOperations, TablesBeyondTheMemoryLimitOrManyTextsSortAsTheRankedSort)
{
    CDatReaderView* view = Open(12000, 3000);  // tag names such as "Valve1002" tie on eight bytes
    QDir temporary(QString::fromLocal8Bit(qgetenv("TMPDIR")));
    QStringList before = temporary.entryList({"TMP*"});
    RecordCells cells(view->Document()->Doc().GetTable(), view->Document()->Doc().GetCodePage());
    for (const char* name : {"Value", "Tagname", "Time"}) {
        int field = view->MapColumnToField(ColumnNamed(view, name));
        for (bool ascending : {true, false}) {
            // Texts beyond the ranked few are keyed by eight bytes, ties broken by the rest.
            SortJob ranked(cells, field, ascending),
                keyed(cells, field, ascending, SortJob::kMemoryRecords, SortJob::kRunRecords, 16),
                external(cells, field, ascending, 5000, 5500, 16);  // runs beyond one 64 KiB append
            RecordIndex expected;
            for (SortJob* job : {&ranked, &keyed, &external}) {
                job->RunToEnd();
                ASSERT_TRUE(job->Sort());
                RecordIndex sorted = job->TakeIndex();
                ASSERT_EQ(sorted.size(), 12000u);
                EXPECT_EQ(sorted.InFile(), job == &external);
                if (job == &ranked) {
                    expected = std::move(sorted);
                    continue;
                }
                for (size_t i = 0; i < 12000; ++i) ASSERT_EQ(sorted[i], expected[i]) << name << " row " << i;
            }
        }
    }
    EXPECT_EQ(temporary.entryList({"TMP*"}), before);  // the sort's files are gone
}

// A table that can no longer be read while ties are broken is reported where
// its owner reports the table's failed reads, not elsewhere.
TEST_F(RecordOperations, ASortReportsAnUnreadableTableToTheTablesReporter)
{
    CDatReaderView* view = Open(300, 100);
    const QString copy = folder_.filePath("copy.dbf");
    // The table is read in place of the datalog: its bytes are copied.
    ConsoleProgress quiet;
    ASSERT_EQ(CopyMadeTable(view->Document()->Doc().GetTable().GetPath(), FromQString(copy), {}, quiet), "");
    std::vector<std::string> reports;
    CConvertDATToDBF table([&](const std::string&, const std::string&, const std::string& detail) {
        reports.push_back(detail);
    });
    ASSERT_TRUE(table.Open(FromQString(copy)));
    RecordCells cells(table, view->Document()->Doc().GetCodePage());
    SortJob job(cells, view->MapColumnToField(ColumnNamed(view, "Tagname")), true, SortJob::kMemoryRecords,
                SortJob::kRunRecords, 16);
    job.RunToEnd();
    ASSERT_TRUE(QFile::resize(copy, 0));
    EXPECT_FALSE(job.Sort());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("copy.dbf"), std::string::npos) << reports[0];
}

TEST_F(RecordOperations, FilterCountsShownRecordsAndClearsAtOnce)
{
    CDatReaderView* view = Open(300);
    int value = ColumnNamed(view, "Value");
    ColumnFilter range;
    range.field = view->MapColumnToField(value);
    range.from = 20;
    range.to = 25;
    view->ApplyFilter({range});
    Wait(view);
    ASSERT_GT(view->RecordCount(), 0);
    ASSERT_LT(view->RecordCount(), 300);
    for (int64_t row = 0; row < view->RecordCount(); ++row) {
        double v = view->CellText(row, value).toDouble();
        ASSERT_TRUE(v >= 20 && v <= 25) << v;
    }
    EXPECT_EQ(frame_->PaneText(0), QString("%1 of 300 records").arg(view->RecordCount()));
    // A sort under the filter keeps it.
    view->SortByField(range.field, false);
    Wait(view);
    EXPECT_EQ(frame_->PaneText(0), QString("%1 of 300 records").arg(view->RecordCount()));
    // Save As of the filtered records writes those, in list order.
    QString csv = folder_.filePath("filtered.csv"), dbf = folder_.filePath("filtered.dbf");
    ASSERT_TRUE(view->SaveTo(csv, 1, true));
    ASSERT_TRUE(view->SaveTo(dbf, 1, true));
    QFile csvFile(csv), dbfFile(dbf);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly) && dbfFile.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = csvFile.readAll().trimmed().split('\n');
    EXPECT_EQ(lines.size(), view->RecordCount() + 1);  // with its header line
    QByteArray header = dbfFile.read(8);
    EXPECT_EQ(qFromLittleEndian<quint32>(header.constData() + 4), view->RecordCount());
    ASSERT_TRUE(view->SaveTo(csv, 1, false));  // all records
    csvFile.close();
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(csvFile.readAll().trimmed().split('\n').size(), 301);

    // Save Shown and Copy write the shown columns only, in the list's order.
    std::vector<int> states(static_cast<size_t>(view->Document()->Doc().GetFieldCount()), kColumnShown);
    states[static_cast<size_t>(view->MapColumnToField(ColumnNamed(view, "Time")))] = kColumnHidden;
    view->SetRequestedStates(states);
    view->RefreshColumns();
    // The Value column dragged to the front.
    auto* sections = view->findChild<QHeaderView*>();
    sections->moveSection(sections->visualIndex(ColumnNamed(view, "Value")), 0);
    QStringList headings;
    for (int column : view->ColumnsInShownOrder()) headings << view->HeaderText(column);
    ASSERT_FALSE(headings.contains("Time"));
    ASSERT_EQ(headings.front(), "Value");
    const QString shown = folder_.filePath("shown.csv");
    ASSERT_TRUE(view->SaveShownTo(shown, ShownScope::Filtered));
    QFile shownFile(shown);
    ASSERT_TRUE(shownFile.open(QIODevice::ReadOnly));
    lines = shownFile.readAll().trimmed().split('\n');
    EXPECT_EQ(lines.size(), view->RecordCount() + 1);
    EXPECT_EQ(QString(lines[0].trimmed()), ";" + headings.join(','));
    EXPECT_EQ(QString(lines[1]).section(',', 0, 0).trimmed(), view->CellText(0, ColumnNamed(view, "Value")));
    view->SelectAll();
    view->CopySelection();
    Wait(view);
    EXPECT_EQ(QApplication::clipboard()->text().section('\n', 0, 0), headings.join('\t'));
    // With no column shown there is nothing to write.
    view->SetRequestedStates(std::vector<int>(states.size(), kColumnHidden));
    view->RefreshColumns();
    EXPECT_FALSE(view->SaveShownTo(folder_.filePath("none.csv"), ShownScope::All));
    EXPECT_FALSE(QFile::exists(folder_.filePath("none.csv")));

    view->ClearFilter();
    EXPECT_EQ(view->RecordCount(), 300);
    EXPECT_EQ(frame_->PaneText(0), "Total record number: 300");
}

TEST_F(RecordOperations, FilterRowTakesTextOrRangesAsTheDialogDoes)
{
    CDatReaderView* view = Open(300);
    mainFrame_->Action(kFilterRow)->trigger();
    ASSERT_TRUE(view->FilterRowShown());
    const int value = ColumnNamed(view, "Value"), time = ColumnNamed(view, "Time");
    const int date = ColumnNamed(view, "Date"), tag = ColumnNamed(view, "Tagname");
    FilterRow* row = view->FilterEdits();
    auto type = [&](int column, const QString& text) {
        QSignalSpy edited(row, &FilterRow::Edited);
        row->Edit(column)->clear();
        QTest::keyClicks(row->Edit(column), text.isEmpty() ? QString(" ") : text);
        if (text.isEmpty()) QTest::keyClick(row->Edit(column), Qt::Key_Backspace);
        QTRY_COMPARE(edited.count(), 1);
        Wait(view);
    };
    type(value, "20..25");
    type(time, " 08:00:10 .. ");
    type(date, "2024-01-15..2024-01-15");
    ASSERT_GT(view->RecordCount(), 0);
    ASSERT_LT(view->RecordCount(), 300);
    for (int64_t r = 0; r < view->RecordCount(); ++r) {
        double v = view->CellText(r, value).toDouble();
        ASSERT_TRUE(v >= 20 && v <= 25 && view->CellText(r, time) >= "08:00:10") << r;
    }
    const int64_t ranged = view->RecordCount();
    type(value, "abc..");  // no number: refused, the filter stays
    EXPECT_TRUE(frame_->PaneText(3).contains("is no value")) << qPrintable(frame_->PaneText(3));
    EXPECT_EQ(view->RecordCount(), ranged);
    type(value, "");
    type(time, "");
    type(date, "");
    type(tag, "UMP");  // "contains", letter case ignored
    ASSERT_EQ(view->RecordCount(), 100);
    EXPECT_TRUE(view->CellText(0, tag).startsWith("Pump"));
    // The dialog's filters show in the row; Clear Filter empties it.
    ColumnFilter range{view->MapColumnToField(value), "", 1, 2, "1", "2"};
    view->ApplyFilter({range});
    Wait(view);
    EXPECT_EQ(row->Text(value), "1..2");
    EXPECT_TRUE(row->Text(tag).isEmpty());
    view->ClearFilter();
    EXPECT_TRUE(row->Text(value).isEmpty());
    EXPECT_EQ(view->RecordCount(), 300);
}

TEST_F(RecordOperations, FindGoToAndCopy)
{
    CDatReaderView* view = Open(400);
    int value = ColumnNamed(view, "Value");
    QString last = view->CellText(399, value);
    view->Find({FromQString(last), false, true}, value, false);
    Wait(view);
    EXPECT_EQ(view->CellText(view->SelectedRecord(), value), last);
    EXPECT_EQ(view->Selection().CellColumn(), value);  // the cell, not the row
    // F3 goes on from the found cell, within its row first; Shift+F3 returns to it.
    view->SelectCell(5, 0);
    view->Find({"0", false, false}, -1, false);
    Wait(view);
    const int64_t row = view->SelectedRecord();
    const int first = view->Selection().CellColumn();
    EXPECT_EQ(row, 5);
    EXPECT_GT(first, 0);
    mainFrame_->Action(kFindNext)->trigger();
    Wait(view);
    ASSERT_EQ(view->SelectedRecord(), row);
    EXPECT_GT(view->Selection().CellColumn(), first);
    EXPECT_TRUE(view->CellText(row, view->Selection().CellColumn()).contains('0'));
    mainFrame_->Action(kFindPrevious)->trigger();
    Wait(view);
    EXPECT_EQ(view->SelectedRecord(), row);
    EXPECT_EQ(view->Selection().CellColumn(), first);
    view->Find({"no such text", false, false}, -1, false);
    Wait(view);
    EXPECT_EQ(frame_->PaneText(3), "Not found");

    view->Find({"no such text", false, false}, -1, false);
    QTest::keyClick(view, Qt::Key_Escape);  // stops the search at once
    EXPECT_FALSE(view->JobRunning());

    view->GoTo("123");
    EXPECT_EQ(view->SelectedRecord(), 122);
    view->GoTo("2024-01-15 08:00:10");
    Wait(view);
    int time = ColumnNamed(view, "Time");
    EXPECT_EQ(view->CellText(view->SelectedRecord(), time), "08:00:10");
    EXPECT_EQ(view->CellText(view->SelectedRecord() - 1, time), "08:00:09");

    // Ctrl with the keys moves the current row alone, Ctrl+Space toggles it,
    // Shift+Ctrl extends adding to the selection.
    view->SelectRecord(0);
    QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(view->Selection().Ranges(), (std::vector<RowSelection::Range>{{0, 0}, {2, 3}}));
    view->SelectRecord(0);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(frame_->PaneText(2), "2 selected");
    mainFrame_->Action(kCopy)->trigger();
    Wait(view);
    QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 4);  // header, two rows, the final line break
    EXPECT_EQ(lines[0].split('\t').size(), view->ColumnCount());
    EXPECT_EQ(lines[0].split('\t')[value], view->HeaderText(value));
    EXPECT_EQ(lines[2].split('\t')[value], view->CellText(1, value));
}

TEST_F(RecordOperations, CopyRunsBetweenEventsStopsOnEscapeAndTellsItsSize)
{
    CDatReaderView* view = Open(100'000);
    QApplication::clipboard()->setText("before");
    view->SelectAll();
    mainFrame_->Action(kCopy)->trigger();
    EXPECT_TRUE(view->JobRunning());
    EXPECT_TRUE(frame_->PaneText(3).startsWith("Copying"));
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->JobRunning());
    QTest::qWait(100);
    EXPECT_EQ(QApplication::clipboard()->text(), "before");

    mainFrame_->Action(kCopy)->trigger();
    Wait(view);
    QByteArray text = QApplication::clipboard()->mimeData()->data("text/plain");
    EXPECT_EQ(text.count('\n'), 100'001);
    EXPECT_NEAR(static_cast<double>(view->CopySize()), text.size(), text.size() / 50.0);
    EXPECT_EQ(frame_->PaneText(3), QString("Copied 100,000 records (%1)")
                                       .arg(ToQString(ApproximateSize(static_cast<uint64_t>(text.size())))));
    EXPECT_EQ(ApproximateSize(877'400'000), "about 877 MB");
}

TEST_F(RecordOperations, CopiedTextIsUtf8WhateverTheCodePageOfTheTable)
{
    const int codePage = ActiveCodePage();
    SetActiveCodePage(1252);
    std::string path = folder_.filePath("towns.dbf").toStdString();
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        table.AddField("Ort", 'C', 10, 0);
        table.WriteHeader(2);
        for (const char* town : {"K\xF6ln", "Z\xFCrich"}) {
            table.SetFieldString(0, town);
            table.AppendRecord();
        }
        const uint8_t endOfFile = kDBFEndOfFile;
        table.WriteBytes(&endOfFile, 1);
    }
    frame_ = mainFrame_->OpenDocumentFile(QString::fromStdString(path));
    ASSERT_NE(frame_, nullptr);
    auto* view = static_cast<CDatReaderView*>(frame_->View());
    view->SelectAll();
    view->CopySelection();
    Wait(view);
    SetActiveCodePage(codePage);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("Ort\nK\u00F6ln\nZ\u00FCrich\n"));
}

TEST_F(RecordOperations, StatisticsPanelOpensFromTheViewMenuAndTheHeaderAndCopiesItsFigures)
{
    CDatReaderView* view = Open(300);
    StatisticsPanel* panel = mainFrame_->Statistics();
    auto figure = [panel](const QString& name) {
        for (int row = 0; row < panel->Overall()->rowCount(); ++row)
            if (panel->Overall()->item(row, 0)->text() == name) return panel->Overall()->item(row, 1)->text();
        return QString();
    };
    mainFrame_->Action(kStatistics)->trigger();
    ASSERT_TRUE(panel->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!panel->Running(), 20000);
    EXPECT_EQ(figure("Count"), "300");
    EXPECT_EQ(panel->Tags()->rowCount(), 3);
    EXPECT_FALSE(frame_->PaneText(3).startsWith("Statistics"));

    // The header's "Statistics of Tagname", over the selected records only.
    view->SelectRows(10, 19);
    panel->SetScope(StatisticsPanel::kSelectedRecords);
    emit view->StatisticsRequested(ColumnNamed(view, "Tagname"));
    QTRY_VERIFY_WITH_TIMEOUT(!panel->Running(), 20000);
    EXPECT_EQ(figure("Count"), "10");
    QString least = view->CellText(10, ColumnNamed(view, "Tagname"));
    for (int64_t row = 11; row < 20; ++row)
        least = std::min(least, view->CellText(row, ColumnNamed(view, "Tagname")));
    EXPECT_EQ(figure("Minimum"), least);

    QApplication::clipboard()->clear();
    QTest::keyClick(panel->Overall(), Qt::Key_C, Qt::ControlModifier);
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith("Statistics of Tagname, the 10 selected records of plant"))
        << qPrintable(text);
    EXPECT_TRUE(text.contains("\nCount\t10\n")) << qPrintable(text);
    mainFrame_->Action(kStatistics)->trigger();
    EXPECT_FALSE(panel->isVisible());

    // Escape in the list stops a run; closing the list leaves the panel on none.
    mainFrame_->Action(kStatistics)->trigger();
    ASSERT_TRUE(panel->Running());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(panel->Running());
    EXPECT_FALSE(frame_->PaneText(3).startsWith("Statistics"));
    panel->Refresh();
    frame_->close();
    QTRY_VERIFY(!panel->Running());
    EXPECT_EQ(panel->Overall()->rowCount(), 0);
    panel->close();
    EXPECT_FALSE(mainFrame_->Action(kStatistics)->isChecked());
}

TEST_F(RecordOperations, FindDialogLabelsTakeTheirFieldsKeys)
{
    FindDialog dialog({"Date", "Value"}, TextQuery{}, -1, mainFrame_.get());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_I, Qt::AltModifier);
    EXPECT_NE(qobject_cast<QComboBox*>(QApplication::focusWidget()), nullptr);
    QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
    EXPECT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
}

TEST_F(RecordOperations, NewWindowsFillTheWorkspaceAndTheWindowMenuCyclesThem)
{
    mainFrame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainFrame_.get()));
    CChildFrame* first = mainFrame_->OpenDocumentFile(MakeDatalog("one", 10, 2));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->geometry(), mainFrame_->MdiArea()->viewport()->rect());
    first->showMaximized();
    CChildFrame* second = mainFrame_->OpenDocumentFile(MakeDatalog("two", 10, 2));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isMaximized());
    EXPECT_EQ(mainFrame_->ActiveFrame(), second);
    EXPECT_EQ(QApplication::focusWidget(), second->View());  // keys reach the new list at once
    QMenu* windowMenu = mainFrame_->CurrentMenus()[4];
    emit windowMenu->aboutToShow();
    QStringList entries;
    for (QAction* action : windowMenu->actions())
        if (action->isCheckable()) entries << action->text() + (action->isChecked() ? " *" : "");
    EXPECT_EQ(entries, QStringList({"&1 " + first->windowTitle(), "&2 " + second->windowTitle() + " *"}));
    QTest::keyClick(second->View(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(mainFrame_->ActiveFrame(), first);
    QTest::keyClick(first->View(), Qt::Key_F4, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainFrame_->MdiArea()->subWindowList().size(), 1);
}

TEST_F(RecordOperations, TileFitsNineWindowsIntoTheWorkspace)
{
    CDatReaderView* view = Open(50);
    for (int i = 0; i < 7; ++i) mainFrame_->NewListWindow(view->Document());
    mainFrame_->OpenPlot(view->Document());
    QMdiArea* area = mainFrame_->MdiArea();
    ASSERT_EQ(area->subWindowList().size(), 9);
    mainFrame_->Action(kTile)->trigger();
    QCoreApplication::processEvents();
    const QRect workspace = area->viewport()->rect();
    for (QMdiSubWindow* window : area->subWindowList()) {
        EXPECT_TRUE(workspace.contains(window->geometry())) << window->windowTitle().toStdString();
        EXPECT_GE(window->width(), workspace.width() / 3 - 1);
        // The status bar's panes give way too, so nothing inside is cut.
        EXPECT_LE(window->widget()->minimumSizeHint().width(), window->widget()->width());
        EXPECT_LE(window->widget()->minimumSizeHint().height(), window->widget()->height());
    }
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(RecordOperations, ChartHidesPensShowsTheCrosshairAndExports)
{
    CDatReaderView* view = Open(200);
    CChildFrame* plotFrame = mainFrame_->OpenPlot(view->Document());
    ASSERT_NE(plotFrame, nullptr);
    EXPECT_TRUE(mainFrame_->MdiArea()->viewport()->rect().contains(plotFrame->geometry()));
    auto* plot = static_cast<CdatPlotView*>(plotFrame->View());
    CGraphon* chart = plot->Chart();
    chart->resize(800, 500);
    EXPECT_TRUE(chart->Message().isEmpty());
    EXPECT_EQ(chart->Crosshair(400).lines.size(), 4);  // time, then three pens
    QPoint legendEntry;
    for (int y = 0; y < 40 && legendEntry.isNull(); ++y)
        for (int x = 0; x < 400 && legendEntry.isNull(); ++x)
            if (chart->LegendPenAt(QPoint(x, y)) == 1) legendEntry = QPoint(x, y);
    ASSERT_FALSE(legendEntry.isNull());
    QTest::mouseClick(chart, Qt::LeftButton, {}, legendEntry);
    EXPECT_TRUE(chart->IsPenHidden(1));
    EXPECT_EQ(chart->Crosshair(400).lines.size(), 3);
    QString png = folder_.filePath("chart.png"), svg = folder_.filePath("chart.svg");
    ASSERT_TRUE(plot->ExportChart(png));
    ASSERT_TRUE(plot->ExportChart(svg));
    EXPECT_EQ(QImage(png).size(), chart->size());
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    EXPECT_TRUE(drawing.readAll().contains("<svg"));

    // A table whose records carry no usable time says so instead of an axis at 1899.
    CChildFrame* timestmp = mainFrame_->OpenDocumentFile(MakeDatalog("stamped", 20, 2, true));
    ASSERT_NE(timestmp, nullptr);
    CChildFrame* empty = mainFrame_->OpenPlot(timestmp->Document());
    EXPECT_FALSE(static_cast<CdatPlotView*>(empty->View())->Chart()->Message().isEmpty());
}

}  // namespace
}  // namespace logora::ui
