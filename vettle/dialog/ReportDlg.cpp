#include "vettle/dialog/ReportDlg.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "vettle/dialog/DialogTexts.h"
#include "vettle/dialog/NameFilters.h"
#include "vettle/dialog/ReportSaver.h"

namespace vettle {

namespace {

constexpr int kTextColumns = 80;
constexpr int kTextRows = 20;

}  // namespace

ReportDlg::ReportDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportDlg"));
    setWindowTitle(QString::fromUtf8(kReportCaption));
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const QFontMetrics metrics = text_->fontMetrics();
    text_->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * kTextColumns,
                          metrics.lineSpacing() * kTextRows);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save =
        buttons->addButton(QString::fromUtf8(kSaveResultButton), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveResult"));
    save->setDefault(true);
    QPushButton* close = buttons->addButton(QString::fromUtf8(kReturnButton), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("return"));
    connect(save, &QPushButton::clicked, this, &ReportDlg::OnSaveResult);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReportDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

void ReportDlg::SetReportText(const std::string& report)
{
    report_ = report;
    text_->setPlainText(QString::fromStdString(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QString ReportDlg::ShownText() const
{
    return text_->toPlainText();
}

std::optional<std::string> ReportDlg::ChooseReportFile()
{
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The replace question comes after ".txt" has been appended, so that it
    // names the file that would really be replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(ToNameFilters(kReportFilter));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral(".txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

void ReportDlg::OnSaveResult()
{
    SaveResultPrompts prompts;
    prompts.chooseFile = [this] { return ChooseReportFile(); };
    prompts.confirmReplace = [this](const std::string& question) {
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kConfirmSaveAs),
                        QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No, this);
        return box.exec() == QMessageBox::Yes;
    };
    prompts.showError = [this](const std::string& message) {
        QMessageBox::warning(this, QString::fromUtf8(kDialogTitle), QString::fromStdString(message));
    };
    SaveResult(detectPath_, report_, prompts);
}

}  // namespace vettle
