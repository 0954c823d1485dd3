// Takes the README's pictures of the viewer: the main window with a sample
// datalog in its record list, and the trend plot of that datalog.
//   viewer-screenshot <datalog> <list.png> <plot.png>
#include <QApplication>
#include <QMdiArea>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/shell/CChildFrame.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: viewer-screenshot <datalog> <list.png> <plot.png>\n");
        return 2;
    }
    QApplication application(argc, argv);
    logora::ui::CMainFrame frame;
    frame.resize(1100, 700);
    frame.show();
    logora::ui::CChildFrame* list = frame.OpenDocumentFile(QString::fromLocal8Bit(argv[1]));
    if (!list) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    list->showMaximized();
    int status = 0;
    QTimer::singleShot(300, [&] {
        if (!frame.grab().save(QString::fromLocal8Bit(argv[2]))) status = 1;
        logora::ui::CChildFrame* plot = frame.OpenPlot(list->Document());
        plot->showMaximized();
        QTimer::singleShot(300, [&] {
            if (!frame.grab().save(QString::fromLocal8Bit(argv[3]))) status = 1;
            application.quit();
        });
    });
    application.exec();
    return status;
}
