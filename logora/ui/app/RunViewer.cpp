#include "logora/ui/app/RunViewer.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/MakeAbsolutePath.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/app/ViewerDialogs.h"
#include "logora/ui/dialogs/CDlgCmdLineUsingHelp.h"
#include "logora/ui/progress/ProgressBarDlg.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

void InstallMessageBoxes()
{
    ProgramRunState().SetMessageBoxSink([](std::string_view caption, std::string_view text) {
        QMessageBox::warning(QApplication::activeWindow(), ToQString(caption), ToQString(text));
    });
}

}  // namespace

int RunViewer(int argc, char** argv, const CFileViewerCmdLineInfo& commandLine,
              const std::string& programPath)
{
    QApplication application(argc, argv);
    application.setApplicationName(ToQString(kApplicationTitle));
    application.setWindowIcon(QIcon(":/icons/logora.svg"));
    InstallMessageBoxes();
    ProgressBarDlg::InstallAsProgressFactory();
    ViewerDialogs dialogs;
    ProgramContext().dialogs = &dialogs;

    CMainFrame mainFrame;
    mainFrame.show();
    if (commandLine.fileParameters.size() == 1) {
        ProgramRunState().EnterCommandLineMode(programPath);
        std::string path = MakeAbsolutePath(commandLine.fileParameters.front());
        if (!mainFrame.OpenDocumentFile(ToQString(path))) {
            ProgramContext().dialogs = nullptr;
            return 1;
        }
    }
    int result = application.exec();
    ProgramContext().dialogs = nullptr;
    FreeTimeZoneTable();
    return result;
}

int ShowCommandLineHelpDialog(int argc, char** argv)
{
    QApplication application(argc, argv);
    CDlgCmdLineUsingHelp dialog;
    dialog.exec();
    return 0;
}

}  // namespace logora::ui
