#include "vettle/dialog/CWaitDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

#include "vettle/DetectRunState.h"
#include "vettle/dialog/DialogTexts.h"
#include "vettle/dialog/ProgressText.h"

namespace vettle {

namespace {

constexpr int kPollMilliseconds = 100;

}  // namespace

CWaitDlg::CWaitDlg(DetectRunState& run, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint), run_(run)
{
    setObjectName(QStringLiteral("CWaitDlg"));
    percentage_ = new QLabel(QStringLiteral("0"), this);
    percentage_->setObjectName(QStringLiteral("percentage"));
    percentage_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentage_->setMinimumWidth(percentage_->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    auto* cancel = new QPushButton(QString::fromUtf8(kCancelButton), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &CWaitDlg::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(percentage_);
    layout->addWidget(new QLabel(QString::fromUtf8(kPercentSign), this));
    layout->addSpacing(12);
    layout->addWidget(cancel);
    setModal(true);

    timerId_ = startTimer(kPollMilliseconds);
}

CWaitDlg::~CWaitDlg()
{
    if (timerId_ != 0) killTimer(timerId_);
}

void CWaitDlg::reject()
{
    run_.Cancel();
    QDialog::reject();
}

void CWaitDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_) {
        QDialog::timerEvent(event);
        return;
    }
    percentage_->setText(QString::number(ProgressPercentage(run_.Progress())));
    if (!run_.IsRunning()) accept();
}

}  // namespace vettle
