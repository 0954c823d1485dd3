#include "logora/ui/statistics/StatisticsPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/RecordsRead.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/records/RecordSet.h"
#include "logora/ui/records/StatisticsReport.h"
#include "logora/ui/records/StatisticsRun.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

constexpr int kProgressMilliseconds = 100;

QTableWidget* NewTable(QWidget* parent)
{
    auto* table = new QTableWidget(parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// The column a panel opened from the menu shows: the found cell's, else the
// first "Value", else the first.
int PreferredColumn(const CDatReaderView& view)
{
    if (view.Selection().CellColumn() >= 0) return view.Selection().CellColumn();
    for (int c = 0; c < view.ColumnCount(); ++c)
        if (view.HeaderText(c).compare("Value", Qt::CaseInsensitive) == 0) return c;
    return 0;
}

}  // namespace

StatisticsPanel::StatisticsPanel(QWidget* parent)
    : QDockWidget("Statistics", parent),
      columns_(new QComboBox),
      scope_(new QComboBox),
      heading_(new QLabel),
      overall_(NewTable(this)),
      tags_(NewTable(this)),
      copy_(new QPushButton("&Copy")),
      progress_(new QTimer(this))
{
    setObjectName("statistics");
    scope_->addItems({"All records", "Filtered records", "Selected records"});
    auto* refresh = new QPushButton("&Refresh");
    heading_->setWordWrap(true);
    auto* choices = new QHBoxLayout;
    choices->addWidget(columns_, 1);
    choices->addWidget(scope_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(refresh);
    buttons->addWidget(copy_);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(choices);
    layout->addWidget(heading_);
    layout->addWidget(overall_, 3);
    layout->addWidget(tags_, 2);
    layout->addLayout(buttons);
    // Room for a row of the per-tag table without scrolling, as far as it goes.
    body->setMinimumWidth(fontMetrics().averageCharWidth() * 64);
    setWidget(body);
    copy_->setEnabled(false);
    tags_->hide();

    connect(columns_, &QComboBox::currentIndexChanged, this, &StatisticsPanel::Refresh);
    connect(scope_, &QComboBox::currentIndexChanged, this, &StatisticsPanel::Refresh);
    connect(refresh, &QPushButton::clicked, this, &StatisticsPanel::Refresh);
    connect(copy_, &QPushButton::clicked, this, &StatisticsPanel::Copy);
    connect(progress_, &QTimer::timeout, this, &StatisticsPanel::ShowProgress);
    // Escape and Ctrl+C reach the panel whichever of its controls has the keys.
    for (QWidget* child : body->findChildren<QWidget*>()) child->installEventFilter(this);
    body->installEventFilter(this);
}

StatisticsPanel::~StatisticsPanel()
{
    Stop();
}

void StatisticsPanel::SetView(CDatReaderView* view)
{
    if (view == view_) return;
    Stop();
    if (view_) view_->removeEventFilter(this);
    view_ = view;
    if (view_) view_->installEventFilter(this);
    FillColumns();
    // An open panel shows the figures of the list now active.
    if (isVisible())
        Refresh();
    else
        ShowMessage(QString());
}

void StatisticsPanel::FillColumns()
{
    const QSignalBlocker quiet(columns_);
    columns_->clear();
    if (!view_) return;
    for (int c = 0; c < view_->ColumnCount(); ++c) columns_->addItem(view_->HeaderText(c));
    columns_->setCurrentIndex(PreferredColumn(*view_));
}

void StatisticsPanel::ShowColumn(int column)
{
    show();
    raise();
    // The list's columns may have changed since.
    FillColumns();
    if (column < 0) column = view_ ? PreferredColumn(*view_) : 0;
    const QSignalBlocker quiet(columns_);
    columns_->setCurrentIndex(column);
    Refresh();
}

void StatisticsPanel::SetScope(Scope scope)
{
    scope_->setCurrentIndex(scope);
}

void StatisticsPanel::ShowMessage(const QString& text)
{
    heading_->setText(text);
    overall_->clear();
    overall_->setRowCount(0);
    overall_->setColumnCount(0);
    tags_->hide();
    copyText_.clear();
    copy_->setEnabled(false);
}

void StatisticsPanel::Refresh()
{
    Stop();
    if (!view_) return ShowMessage("No record list is active");
    // Columns shown or hidden since: the chosen one by its name.
    int column = columns_->currentIndex();
    if (column >= view_->ColumnCount() ||
        (column >= 0 && view_->HeaderText(column) != columns_->currentText())) {
        const QString chosen = columns_->currentText();
        FillColumns();
        const QSignalBlocker quiet(columns_);
        columns_->setCurrentIndex(std::max(0, columns_->findText(chosen)));
        column = columns_->currentIndex();
    }
    if (column < 0) return ShowMessage("The list shows no columns");
    const RowOrder& order = view_->Order();
    RecordSet records = RecordSet::All(order.RecordCount());
    QString counted = QString("all %L1 records").arg(order.RecordCount());
    if (scope_->currentIndex() == kFilteredRecords) {
        records = ShownRecordSet(order);
        counted = order.IsFiltered() ? QString("the %L1 filtered records").arg(records.Count())
                                     : counted + " (no filter is set)";
    } else if (scope_->currentIndex() == kSelectedRecords) {
        if (view_->Selection().Empty()) return ShowMessage("No records are selected");
        records = SelectedRecordSet(order, view_->Selection());
        counted = QString("the %L1 selected records").arg(records.Count());
    }
    CDatReaderDoc& document = view_->Document()->Doc();
    runHeading_ =
        QString("Statistics of %1, %2 of %3")
            .arg(view_->HeaderText(column), counted, QFileInfo(view_->Document()->PathName()).fileName());
    if (const std::optional<RecordsRead>& read = document.GetRecordsRead())
        runHeading_ += QString(" (%1)").arg(ToQString(IncompleteText(*read)));
    const int parts = std::clamp(QThread::idealThreadCount(), 1, 4);
    run_ = std::make_shared<StatisticsRun>(document.GetTable(), document.GetCodePage(),
                                           view_->MapColumnToField(column), std::move(records), parts);
    if (!run_->Opened()) {
        run_.reset();
        return ShowMessage(QString("%1 cannot be read again for the statistics")
                               .arg(ToQString(document.GetTable().GetPath())));
    }
    ShowMessage(runHeading_ + "...");
    stop_ = std::make_shared<std::atomic<bool>>(false);
    auto completed = std::make_shared<bool>(false);
    thread_ = QThread::create([run = run_, stop = stop_, completed] { *completed = run->Run(*stop); });
    connect(thread_, &QThread::finished, this, [this, completed] { Finished(*completed); });
    thread_->start();
    progress_->start(kProgressMilliseconds);
    ShowProgress();
}

void StatisticsPanel::ShowProgress()
{
    if (run_ && view_)
        view_->ShowJobText(QString("Statistics %1%").arg(static_cast<int>(run_->Fraction() * 100)));
}

void StatisticsPanel::Stop()
{
    if (!thread_) return;
    stop_->store(true);
    thread_->disconnect(this);
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    run_->ReportFailures();
    run_.reset();
    progress_->stop();
    if (view_) view_->ShowJobText(QString());
    ShowMessage(runHeading_ + ": stopped");
}

void StatisticsPanel::Finished(bool completed)
{
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    progress_->stop();
    std::shared_ptr<StatisticsRun> run = std::move(run_);
    if (view_) view_->ShowJobText(QString());
    run->ReportFailures();
    if (!completed) return ShowMessage(runHeading_ + ": stopped");
    const StatisticsReport report = ReportStatistics(run->Statistics(), run->Cells());
    QString heading = runHeading_;
    if (int64_t unreadable = run->Statistics().Unreadable())
        heading += QString(" (incomplete: %L1 records could not be read)").arg(unreadable);
    heading_->setText(heading);
    Fill(overall_, report.overall);
    Fill(tags_, report.tags);
    tags_->setVisible(!report.tags.rows.empty());
    copyText_ = ToQString(StatisticsCopyText(FromQString(heading), report));
    copy_->setEnabled(true);
}

void StatisticsPanel::Fill(QTableWidget* table, const StatisticsTable& content)
{
    table->clear();
    table->setColumnCount(static_cast<int>(content.headings.size()));
    table->setRowCount(static_cast<int>(content.rows.size()));
    QStringList headings;
    for (const std::string& heading : content.headings) headings << ToQString(heading);
    table->setHorizontalHeaderLabels(headings);
    for (size_t r = 0; r < content.rows.size(); ++r)
        for (size_t c = 0; c < content.rows[r].size(); ++c)
            table->setItem(static_cast<int>(r), static_cast<int>(c),
                           new QTableWidgetItem(ToQString(content.rows[r][c])));
}

void StatisticsPanel::Copy()
{
    if (!copyText_.isEmpty()) QApplication::clipboard()->setText(copyText_);
}

void StatisticsPanel::closeEvent(QCloseEvent* event)
{
    Stop();
    QDockWidget::closeEvent(event);
    emit Closed();
}

bool StatisticsPanel::eventFilter(QObject* watched, QEvent* event)
{
    const bool inPanel = watched != view_;
    if (event->type() == QEvent::ShortcutOverride && inPanel &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        // The panel's Ctrl+C, not the list's Copy.
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QDockWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (inPanel && key->matches(QKeySequence::Copy)) {
        Copy();
        return true;
    }
    if (key->key() == Qt::Key_Escape && Running()) {
        Stop();
        // The list's own find or sort stops on the same key.
        return inPanel || !view_->JobRunning();
    }
    return QDockWidget::eventFilter(watched, event);
}

}  // namespace logora::ui
