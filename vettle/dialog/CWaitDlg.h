#pragma once
// The progress window of one detection run: the percentage, refreshed every
// 100 ms, and "Cancel". It closes by itself when the run has ended.

#include <QDialog>

class QLabel;

namespace vettle {

class DetectRunState;

class CWaitDlg : public QDialog
{
    Q_OBJECT

public:
    // The timer starts at once; the window must not outlive `run`.
    CWaitDlg(DetectRunState& run, QWidget* parent);
    ~CWaitDlg() override;

    // Closing the window any other way than by the run's end (the button,
    // Escape, the window manager) cancels the run: the caller must never read
    // the report of a run still under way.
    void reject() override;

private:
    void timerEvent(QTimerEvent* event) override;

    DetectRunState& run_;
    QLabel* percentage_ = nullptr;
    int timerId_ = 0;
};

}  // namespace vettle
