#pragma once
// The "Detection Report" window: the report, read-only, with "Save Result..."
// and "Return".

#include <QDialog>
#include <optional>
#include <string>

class QPlainTextEdit;

namespace vettle {

class ReportDlg : public QDialog
{
    Q_OBJECT

public:
    explicit ReportDlg(QWidget* parent = nullptr);

    // Both are set before the window is shown. The report is UTF-8 with CR LF
    // line ends, as the run leaves it.
    void SetReportText(const std::string& report);
    void SetDetectPath(const std::string& path) { detectPath_ = path; }
    QString ShownText() const;

private:
    void OnSaveResult();
    std::optional<std::string> ChooseReportFile();

    QPlainTextEdit* text_ = nullptr;
    std::string report_;
    std::string detectPath_;
};

}  // namespace vettle
