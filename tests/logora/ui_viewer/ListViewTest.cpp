#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include "ViewerFixture.h"
#include "logora/engine/outputs/OutputFormats.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/listview/ListPreview.h"
#include "logora/ui/listview/PrintLayout.h"
#include "logora/ui/listview/SaveAsChoice.h"
#include "logora/ui/shell/CChildFrame.h"
#include "tools/dbf-gen/DatalogTable.h"

namespace logora::ui {
namespace {

TEST(ColumnStates, ColumnsMapToTheShownFieldsInFieldOrder)
{
    std::vector<int> requested = {3, 1, 3, 2, 3};
    EXPECT_EQ(MapColumnToField(requested, 0), 0);
    EXPECT_EQ(MapColumnToField(requested, 1), 2);
    EXPECT_EQ(MapColumnToField(requested, 2), 4);
    EXPECT_EQ(MapColumnToField(requested, 3), 0);  // no such column
    EXPECT_EQ(MapColumnToField({1, 1}, 0), 0);
}

TEST(ColumnStates, RefreshInsertsAndDeletesAtThePositionOfTheFieldsBefore)
{
    std::vector<int> displayed = {1, 1, 1, 1};
    auto changes = PlanColumnRefresh({3, 3, 3, 3}, displayed);
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[3].position, 3);

    changes = PlanColumnRefresh({3, 1, 3, 1}, displayed);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_FALSE(changes[0].insert);
    EXPECT_EQ(changes[0].position, 1);  // field 1 is column 1
    EXPECT_EQ(changes[1].position, 2);  // field 3 is column 2 once field 1 is gone
    EXPECT_EQ(displayed, (std::vector<int>{3, 1, 3, 1}));

    changes = PlanColumnRefresh({3, 3, 3, 0}, displayed);  // a state other than 1/3 is left alone
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0].insert);
    EXPECT_EQ(changes[0].position, 1);
    EXPECT_EQ(displayed, (std::vector<int>{3, 3, 3, 1}));
}

TEST(ColumnStates, WidthRule)
{
    EXPECT_EQ(ColumnWidth(8, 3, 10, 500), 80);
    EXPECT_EQ(ColumnWidth(4, 255, 10, 500), 500);
    EXPECT_EQ(MaxColumnWidth(1920, 7), 274);
    EXPECT_EQ(MaxColumnWidth(1920, 0), 960);
}

TEST(PrintLayout, ColumnsBeyondThePageWidthContinueOnFollowingPages)
{
    auto bands = ColumnBands({40, 500, 900, 1900, 2000}, 1000);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].last, 2u);
    EXPECT_EQ(bands[1].first, 2u);  // wider than the page: alone, cut at the edge
    EXPECT_EQ(bands[1].last, 3u);
    EXPECT_EQ(bands[2].shift, 1860);
    EXPECT_EQ(ColumnBands({40}, 1000).size(), 1u);  // no columns: title and header pages still print
}

TEST(PrintLayout, RowsAndPagesOfA280MillimetrePage)
{
    PrintPages pages = ComputePrintPages(280, 136);
    EXPECT_EQ(pages.rowsPerPage, 68);
    EXPECT_EQ(pages.pageCount, 3);
    EXPECT_EQ(ComputePrintPages(280, 0).pageCount, 1);
    EXPECT_EQ(ComputePrintPages(280, 67).pageCount, 1);
    EXPECT_EQ(ComputePrintPages(5, 10).rowsPerPage, 1);  // never zero rows
    uint32_t first, last;
    PageRecords(3, 68, 136, first, last);
    EXPECT_EQ(first, 136u);
    EXPECT_EQ(last, 136u);
    PageRecords(2, 68, 136, first, last);
    EXPECT_EQ(first, 68u);
    EXPECT_EQ(last, 136u);
    EXPECT_EQ(LineRect(0, 40, 100).top, -40);
    EXPECT_EQ(LineRect(1, 40, 100).bottom, -120);
    EXPECT_EQ(PrintColumnEdges({90, 40}, 40, 10), (std::vector<int>{40, 40 + 500, 40 + 500 + 250}));
}

TEST(SaveAsChoice, LogDocumentsOfferBothCsvFormsAndTheExtensionDecides)
{
    // The filters of the typed outputs follow those of CSV and dBASE.
    const auto startsWith = [](const std::string& text, const char* start) {
        return text.rfind(start, 0) == 0;
    };
    EXPECT_TRUE(startsWith(SaveFiltersFor("/data/process.LoG"), kSaveFiltersForLog));
    EXPECT_TRUE(startsWith(SaveFiltersFor("/data/process.dat"), kSaveFilters));
    EXPECT_TRUE(startsWith(SaveFiltersFor("/data.log/process"), kSaveFilters));
    EXPECT_EQ(SuffixOfFilter("SQLite Database (*.sqlite *.sqlite3 *.db)"), "sqlite");
    EXPECT_EQ(SuffixOfFilter("Excel Workbook(Table) (*.xlsx)"), "xlsx");
    EXPECT_TRUE(FilterAsksTableForm("Excel Workbook(Table) (*.xlsx)"));
    EXPECT_FALSE(FilterAsksTableForm("Excel Workbook(List) (*.xlsx)"));
    EXPECT_TRUE(SavesAsCsv("/out/a.CSV"));
    EXPECT_FALSE(SavesAsCsv("/out/a.txt"));
    EXPECT_FALSE(SavesAsCsv("/out.csv/a"));
    EXPECT_EQ(FolderWithSeparator("/out/a.csv"), "/out/");
}

using ListView = ViewerFixture;

QStringList HeaderTexts(CDatReaderView* view)
{
    QStringList texts;
    for (int c = 0; c < view->ColumnCount(); ++c) texts << view->HeaderText(c);
    return texts;
}

TEST_F(ListView, HidingAndShowingColumnsRestoresTheFieldOrder)
{
    CChildFrame* frame = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CDatReaderView*>(frame->View());
    QStringList all = HeaderTexts(view);
    ASSERT_GE(all.size(), 5);
    std::vector<int> states(all.size(), kColumnHidden);
    view->SetRequestedStates(states);
    view->RefreshColumns();
    EXPECT_EQ(view->ColumnCount(), 0);
    states.assign(all.size(), kColumnShown);
    states[1] = kColumnHidden;
    view->SetRequestedStates(states);
    view->RefreshColumns();
    QStringList expected = all;
    expected.removeAt(1);
    EXPECT_EQ(HeaderTexts(view), expected);
    EXPECT_FALSE(view->CellText(0, 1).isEmpty());
    EXPECT_TRUE(view->CellText(12, 1).isEmpty());  // past the last record
}

TEST_F(ListView, ClicksSelectRecordsAndKeysScrollWithoutTouchingThePane)
{
    CChildFrame* frame = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 500, 3));
    ASSERT_NE(frame, nullptr);
    frame->resize(600, 400);
    auto* view = static_cast<CDatReaderView*>(frame->View());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(view->SelectedRecord(), 0);
    EXPECT_EQ(frame->PaneText(1), "Selected record: 1");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, view->viewport()->height() - 2));
    int64_t clicked = view->SelectedRecord();
    EXPECT_GT(clicked, 0);
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->SelectedRecord(), 499);
    EXPECT_EQ(view->FirstVisibleRecord() + view->VisibleRows(), 500);
    EXPECT_EQ(frame->PaneText(1), QString("Selected record: %1").arg(clicked + 1));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(view->FirstVisibleRecord(), 0);
}

TEST_F(ListView, SaveChoosesCsvByExtensionAndDbaseOtherwise)
{
    CChildFrame* frame = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CDatReaderView*>(frame->View());
    QString csv = folder_.filePath("out.CSV"), dbf = folder_.filePath("out.txt");
    ASSERT_TRUE(view->SaveTo(csv, 1));
    ASSERT_TRUE(view->SaveTo(dbf, 1));
    QFile csvFile(csv), dbfFile(dbf);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(dbfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csvFile.readLine().contains(","));
    EXPECT_EQ(static_cast<unsigned char>(dbfFile.read(1).at(0)), 0x03);  // a dBASE header
    // The typed outputs this build writes, by their extensions.
    for (const auto& [name, magic] :
         {std::pair{"out.xlsx", QByteArray("PK")}, {"out.sqlite", "SQLite format 3"}}) {
        const OutputFormat* format = FindOutputFormat(name);
        if (format == nullptr || !format->available) continue;
        QString path = folder_.filePath(name);
        ASSERT_TRUE(view->SaveTo(path, 1)) << name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_EQ(file.read(magic.size()), magic) << name;
    }
}

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    QByteArray pdf = file.readAll();
    int count = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++count;
    return count;
}

TEST_F(ListView, PrintsTitleHeaderAndSixtyEightRecordsPerPageOn280Millimetres)
{
    CChildFrame* frame = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 136, 4));
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CDatReaderView*>(frame->View());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder_.filePath("list.pdf"));
    // Wide enough for every column on one page.
    printer.setPageSize(QPageSize(QSizeF(600, 280), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    EXPECT_EQ(view->PrintTo(printer), 3);
    EXPECT_EQ(PdfPageCount(folder_.filePath("list.pdf")), 3);

    // On a narrow page the columns continue on further pages, or the list is scaled to fit.
    printer.setPageSize(QPageSize(QSizeF(60, 280), QPageSize::Millimeter));
    int pages = view->PrintTo(printer);
    EXPECT_EQ(pages % 3, 0);
    EXPECT_GT(pages, 3);
    EXPECT_EQ(PdfPageCount(folder_.filePath("list.pdf")), pages);
    EXPECT_LE(view->PrintTo(printer, true), 3);
}

// Runs `check` on the modal window the next command opens, then closes it.
template <typename Window, typename Check>
void WhenOpened(Check check)
{
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<Window*>(modal)) check(*window);
        if (modal) modal->close();
    });
}

TEST_F(ListView, PreviewCountsThePagesAtOnceAndDrawsOnlyThoseShown)
{
    QString table = folder_.filePath("big.dbf");
    ASSERT_TRUE(dbfgen::WriteDatalogTable(table.toStdString(), 300'000, dbfgen::ValueColumn::RawDouble));
    CChildFrame* frame = mainFrame_->OpenDocumentFile(table);
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CDatReaderView*>(frame->View());
    int pages = 0, shown = 0, drawn = 0, rangeTo = 0;
    QPrinter::PrintRange range = QPrinter::AllPages;
    WhenOpened<ListPreview>([&](ListPreview& preview) {
        pages = preview.PageCount();
        preview.ShowPage(pages);
        (void)preview.grab();
        shown = preview.CurrentPage();
        drawn = preview.PagesDrawn();
        // A print of thousands of pages asks for the range, its first pages chosen.
        WhenOpened<QPrintDialog>([&](QPrintDialog& dialog) {
            range = dialog.printRange() == QAbstractPrintDialog::PageRange ? QPrinter::PageRange
                                                                           : QPrinter::AllPages;
            rangeTo = dialog.toPage();
        });
        preview.findChild<QAction*>("print")->trigger();
    });
    view->OnFilePrintPreview();
    EXPECT_GT(pages, 300'000 / 100);
    EXPECT_EQ(shown, pages);
    EXPECT_LE(drawn, 2);  // the first page and the last, none between
    EXPECT_EQ(range, QPrinter::PageRange);
    EXPECT_EQ(rangeTo, kPrintPagesWithoutAsking);
}

}  // namespace
}  // namespace logora::ui
