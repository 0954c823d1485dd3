#pragma once
// The progress window of long operations: a text line, a bar and Cancel.
// While it is open only it takes user input; the operation keeps the window
// alive by calling its three operations. It shows in command-line mode too (a
// viewer started with one file): it asks nothing, and batch runs have none.

#include <QDialog>
#include <QElapsedTimer>

#include "logora/engine/run/ControlProcess.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace logora::ui {

class ProgressBarDlg : public QDialog, public ControlProcess
{
    Q_OBJECT
public:
    ProgressBarDlg(const QString& caption, const QString& message, QWidget* owner = nullptr);

    void SetProgress(uint32_t total, uint32_t done) override;
    bool IsCancelled() override;
    void SetMessage(const std::string& text) override;

    int Position() const;
    bool BarShown() const;
    QPushButton* CancelButton() const { return cancel_; }

    // Makes every long operation of the engine report to a ProgressBarDlg.
    static void InstallAsProgressFactory();

private:
    // Processes pending events; `force` skips the rate limit.
    void ProcessPendingMessages(bool force = false);
    // Over the middle of the main window, wherever the owner is.
    void CentreOnMainWindow();

    QLabel* message_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
    QElapsedTimer sinceEvents_;
    unsigned callsSinceCheck_ = 0;
};

}  // namespace logora::ui
