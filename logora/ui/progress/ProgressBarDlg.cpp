#include "logora/ui/progress/ProgressBarDlg.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "logora/engine/document/ProgramContext.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

ProgressBarDlg::ProgressBarDlg(const QString& caption, const QString& message, QWidget* owner)
    : QDialog(owner ? owner : QApplication::activeWindow(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      message_(new QLabel(message, this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton("Cancel", this))
{
    setWindowTitle(caption);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->hide();
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
    setWindowModality(Qt::ApplicationModal);
    adjustSize();
    CentreOnMainWindow();
    show();
    CentreOnMainWindow();  // the window manager may have placed it meanwhile
    ProcessPendingMessages(true);
}

void ProgressBarDlg::CentreOnMainWindow()
{
    QWidget* anchor = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top->isVisible()) anchor = top;
    if (!anchor && parentWidget()) anchor = parentWidget()->window();
    if (!anchor) return;
    QRect frame = frameGeometry();
    frame.moveCenter(anchor->frameGeometry().center());
    move(frame.topLeft());
}

void ProgressBarDlg::SetProgress(uint32_t total, uint32_t done)
{
    bool first = bar_->isHidden();
    if (first) {
        bar_->show();
        cancel_->show();
    }
    int percent = ProgressPercent(total, done);
    bool changed = percent != bar_->value();
    bar_->setValue(percent);
    ProcessPendingMessages(first || changed);
}

bool ProgressBarDlg::IsCancelled()
{
    ProcessPendingMessages();
    return cancelled_;
}

void ProgressBarDlg::SetMessage(const std::string& text)
{
    message_->setText(ToQString(text));
    ProcessPendingMessages(true);
}

int ProgressBarDlg::Position() const
{
    return bar_->value();
}

bool ProgressBarDlg::BarShown() const
{
    return !bar_->isHidden();
}

void ProgressBarDlg::ProcessPendingMessages(bool force)
{
    // Operations call in once per record; a look at the event queue every
    // 50 ms keeps the window responsive without costing the operation its speed.
    if (!force && (++callsSinceCheck_ & 1023) != 0) return;  // the clock itself costs
    if (!force && sinceEvents_.isValid() && sinceEvents_.elapsed() < 50) return;
    sinceEvents_.start();
    // The window is application-modal, so input reaches only it; other windows
    // still repaint.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void ProgressBarDlg::InstallAsProgressFactory()
{
    ProgramContext().progress = [](const std::string& caption,
                                   const std::string& message) -> std::unique_ptr<ControlProcess> {
        return std::make_unique<ProgressBarDlg>(ToQString(caption), ToQString(message));
    };
}

}  // namespace logora::ui
