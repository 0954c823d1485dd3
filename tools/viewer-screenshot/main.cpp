// Takes the README's pictures of the viewer from a sample datalog, under a
// real X server (scripts/screenshots.sh runs it in Xvfb):
//   viewer-screenshot <datalog> <folder> [<second datalog>]
// writes viewer-list.png, viewer-find.png, viewer-sorted-filtered.png,
// viewer-copy-menu.png (the list's context menu), viewer-header-menu.png,
// viewer-save-shown.png, viewer-view-menu.png (Reset Layout, Time Zone),
// viewer-statistics.png, viewer-plot.png and viewer-plot-crosshair.png;
// with a second datalog also viewer-overlay.png, the second added to the
// plot of the first half a minute later.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/statistics/StatisticsPanel.h"
#include "tools/cmdline/GeneratorOptions.h"

namespace {

int status = 0;

// The screen where the main window is, menus and dialogs included.
void Shoot(const QWidget& frame, const QString& path)
{
    QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
        0, frame.frameGeometry().x(), frame.frameGeometry().y(), frame.frameGeometry().width(),
        frame.frameGeometry().height());
    if (!picture.save(path)) status = 1;
}

// Takes the picture while a dialog or menu runs its own loop, then closes it.
void ShootDuring(const QWidget& frame, const QString& path, const std::function<void()>& open)
{
    QTimer::singleShot(500, [&frame, path] {
        Shoot(frame, path);
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    open();
}

}  // namespace

int main(int argc, char** argv)
{
    constexpr const char* kUsage = "usage: viewer-screenshot <datalog> <folder> [<second datalog>]\n";
    if (const auto status = toolcmdline::AnswerHelpOrRefuse("viewer-screenshot", argc, argv, kUsage))
        return *status;
    if (argc != 3 && argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QDir folder(QString::fromLocal8Bit(argv[2]));
    logora::ui::CMainFrame frame;
    frame.resize(1100, 700);
    frame.move(40, 40);
    frame.show();
    logora::ui::CChildFrame* list = frame.OpenDocumentFile(QString::fromLocal8Bit(argv[1]));
    if (!list) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    list->showMaximized();
    auto* view = static_cast<logora::ui::CDatReaderView*>(list->View());
    auto column = [view](const char* name) {
        for (int c = 0; c < view->ColumnCount(); ++c)
            if (view->HeaderText(c).compare(name, Qt::CaseInsensitive) == 0) return c;
        return 0;
    };
    auto wait = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    QTimer::singleShot(300, [&] {
        Shoot(frame, folder.filePath("viewer-list.png"));
        ShootDuring(frame, folder.filePath("viewer-find.png"),
                    [&] { frame.Action(logora::ui::kFind)->trigger(); });

        frame.Action(logora::ui::kFilterRow)->setChecked(true);
        logora::ui::ColumnFilter range;
        range.field = view->MapColumnToField(column("Value"));
        range.from = 20;
        range.to = 40;
        range.fromText = "20";
        range.toText = "40";
        view->ApplyFilter({range});
        while (view->JobRunning()) wait(50);
        view->SortByColumn(column("Value"));
        while (view->JobRunning()) wait(50);
        view->SelectRows(2, 5);
        wait(200);
        Shoot(frame, folder.filePath("viewer-sorted-filtered.png"));

        ShootDuring(frame, folder.filePath("viewer-copy-menu.png"), [&] {
            QPoint at(view->RowNumberWidth() + 120, view->viewport()->height() / 8);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(view->viewport(), &event);
        });
        ShootDuring(frame, folder.filePath("viewer-header-menu.png"), [&] {
            auto* header = view->findChild<QHeaderView*>();
            QPoint at(header->sectionViewportPosition(column("Value")) + 40, header->height() / 2);
            // A scroll area takes its context menu events at its viewport.
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(header->viewport(), &event);
        });
        ShootDuring(frame, folder.filePath("viewer-save-shown.png"),
                    [&] { frame.Action(logora::ui::kSaveShown)->trigger(); });
        ShootDuring(frame, folder.filePath("viewer-view-menu.png"), [&] {
            for (QMenu* menu : frame.CurrentMenus())
                if (menu->title() == "&View")
                    menu->exec(frame.menuBar()->mapToGlobal(
                        frame.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
        });
        view->ClearFilter();
        view->ClearSort();
        frame.Action(logora::ui::kFilterRow)->setChecked(false);

        frame.ShowStatisticsOf(view, column("Value"));
        while (frame.Statistics()->Running()) wait(50);
        wait(200);
        Shoot(frame, folder.filePath("viewer-statistics.png"));
        frame.Action(logora::ui::kStatistics)->trigger();

        logora::ui::CChildFrame* plot = frame.OpenPlot(list->Document());
        plot->showMaximized();
        wait(300);
        Shoot(frame, folder.filePath("viewer-plot.png"));
        logora::ui::CGraphon* chart = static_cast<logora::ui::CdatPlotView*>(plot->View())->Chart();
        chart->SetPenHidden(1, true);
        QPoint at(chart->width() * 3 / 5, chart->height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &move);
        wait(300);
        Shoot(frame, folder.filePath("viewer-plot-crosshair.png"));
        if (argc == 4) {
            chart->SetPenHidden(1, false);
            logora::ui::CChildFrame* second = frame.OpenDocumentFile(QString::fromLocal8Bit(argv[3]));
            if (!second) {
                std::fprintf(stderr, "cannot open %s\n", argv[3]);
                status = 1;
            } else {
                frame.AddToPlot(list->Document(), second->Document());
                auto* plotView = static_cast<logora::ui::CdatPlotView*>(plot->View());
                while (plotView->Reading()) wait(50);
                plotView->SetFileOffset(1, 30);
                plot->showMaximized();
                chart->ResetView();
                QCoreApplication::sendEvent(chart, &move);
                wait(300);
                Shoot(frame, folder.filePath("viewer-overlay.png"));
            }
        }
        application.quit();
    });
    application.exec();
    return status;
}
