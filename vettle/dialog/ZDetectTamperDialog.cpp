#include "vettle/dialog/ZDetectTamperDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>

#include "vettle/dialog/CWaitDlg.h"
#include "vettle/dialog/DialogTexts.h"
#include "vettle/dialog/HelpLibrary.h"
#include "vettle/dialog/NameFilters.h"
#include "vettle/dialog/ReportDlg.h"

namespace vettle {

ZDetectTamperDialog::ZDetectTamperDialog(QWidget* parent)
    : QFileDialog(parent), help_(std::make_unique<HelpLibrary>())
{
    setObjectName(QStringLiteral("ZDetectTamperDialog"));
    // Qt's own dialog, not the desktop's: only it lets "Detect" replace the
    // OK text, carries the help button and stays open after each detection.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    // A name typed that does not exist is detected too: the report says so.
    setFileMode(QFileDialog::AnyFile);
    setWindowTitle(QString::fromUtf8(kDialogTitle));
    setNameFilters(ToNameFilters(kDetectFilter));
    setLabelText(QFileDialog::Accept, QString::fromUtf8(kDetectButton));

    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        QPushButton* helpButton = buttons->addButton(QDialogButtonBox::Help);
        helpButton->setObjectName(QStringLiteral("help"));
        connect(buttons, &QDialogButtonBox::helpRequested, this, &ZDetectTamperDialog::OnHelp);
    }
}

ZDetectTamperDialog::~ZDetectTamperDialog() = default;

void ZDetectTamperDialog::accept()
{
    const QStringList files = selectedFiles();
    if (files.isEmpty() || QFileInfo(files.first()).isDir()) {
        QFileDialog::accept();
        return;
    }
    DetectFile(files.first());
}

bool ZDetectTamperDialog::DetectFile(const QString& path)
{
    const std::string detectPath = path.toStdString();
    run_.SetDetectFilePath(detectPath);
    // Start() first waits for a worker that was cancelled but is still
    // finishing its line, so two workers never share the run state.
    run_.Start();
    {
        CWaitDlg wait(run_, this);
        wait.exec();
    }
    if (run_.IsCancelRequested()) return false;

    ReportDlg report;
    report.SetReportText(run_.Report());
    report.SetDetectPath(detectPath);
    report.exec();
    return true;
}

void ZDetectTamperDialog::OnHelp()
{
    // Help that cannot be opened shows nothing, as for any help request.
    help_->InvokeHelp(kHelpFileName, kHelpCommand, kHelpContextId);
}

}  // namespace vettle
