#include "logora/ui/plot/CdatPlotView.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "logora/engine/run/ControlProcess.h"
#include "logora/engine/run/StringTable.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/SlicedRunner.h"
#include "logora/ui/plot/TrendHandOver.h"
#include "logora/ui/plot/TrendJob.h"
#include "logora/ui/plotdata/FollowedView.h"
#include "logora/ui/plotdata/TimeOffset.h"
#include "logora/ui/progress/ProgressBarDlg.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

CdatPlotView::CdatPlotView(ViewerDocument* document, QWidget* parent)
    : QWidget(parent), document_(document), chart_(new CGraphon(this)), runner_(new SlicedRunner(this))
{
    sinceStart_.start();
    connect(runner_, &SlicedRunner::Progress, this, [this](const QString& text) { ShowStatus(text); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart_);
}

void CdatPlotView::OnInitialUpdate(const std::vector<uint32_t>* records)
{
    chart_->SetSourceLabel(0, QFileInfo(document_->PathName()).fileName().toStdString());
    PlotRecords(records);
}

void CdatPlotView::PlotRecords(const std::vector<uint32_t>* records)
{
    {
        ProgressBarDlg progress(ToQString(LoadString(strings::OpenFileCaption)),
                                ToQString(FormatString(strings::ReadingFile, document_->Doc().GetPathName())),
                                this);
        LoadTrend(document_->Doc(), progress, records);
    }
    // Replaced only now: a datalog read meanwhile was added as a file of its own.
    chart_->ReplaceSource(0);
    HandOverSamples(document_->Doc(), *chart_);
    filtered_ = records != nullptr;
    // Without a sample at a recorded time (a sample on 30 December 1899 has
    // none) an axis would say nothing; the chart says why instead.
    const TrendSeries& series = chart_->Series(0);
    bool anyTime = false;
    for (size_t i = 0; i < series.SampleCount() && !anyTime; ++i) anyTime = series.Time(i) >= 86400.0;
    if (records && records->empty())
        chart_->SetMessage("The filter keeps no record, so there is nothing to plot.");
    else if (!anyTime && chart_->Sources().SourceCount() == 1)
        chart_->SetMessage(
            "No record of this table has a usable date and time, so there is nothing to plot.");
    else
        chart_->SetMessage(QString());
}

namespace {

// A reload too short to show progress or be cancelled.
class QuietProgress : public ControlProcess
{
public:
    void SetProgress(uint32_t, uint32_t) override {}
    bool IsCancelled() override { return false; }
    void SetMessage(const std::string&) override {}
};

}  // namespace

void CdatPlotView::RecordsAppended()
{
    if (filtered_ || reloadWaiting_) return;
    // Reading the samples again takes the interface thread for a while on a
    // long datalog: it is done again only after four times that long.
    reloadWaiting_ = true;
    QTimer::singleShot(std::max<qint64>(0, nextReload_ - sinceStart_.elapsed()), this, [this] {
        reloadWaiting_ = false;
        const qint64 start = sinceStart_.elapsed();
        ReadSamplesAgain();
        nextReload_ = sinceStart_.elapsed() + 4 * (sinceStart_.elapsed() - start);
    });
}

void CdatPlotView::ReadSamplesAgain()
{
    // A view the user did not move is fitted to the new samples as well.
    const bool moved = chart_->ViewMoved();
    const TimeRange before = SampleTimes();
    const CGraphon::Viewport view = chart_->CurrentViewport();
    QuietProgress quiet;
    LoadTrend(document_->Doc(), quiet);
    chart_->ReplaceSource(0);
    HandOverSamples(document_->Doc(), *chart_);
    chart_->SetMessage(QString());
    const TimeRange after = SampleTimes();
    if (!moved || after.empty) return;
    const TimeRange shown = FollowedTimeRange({view.timeFrom, view.timeTo, false}, before, after.to);
    CGraphon::Viewport followed = chart_->CurrentViewport();
    followed.timeFrom = shown.from;
    followed.timeTo = shown.to;
    chart_->SetViewport(followed);
}

TimeRange CdatPlotView::SampleTimes() const
{
    chart_->CurrentViewport();  // the series in time order
    const TrendSeries& series = chart_->Series(0);
    if (series.SampleCount() == 0) return {};
    return {series.Time(0), series.Time(series.SampleCount() - 1), false};
}

void CdatPlotView::AddDocument(ViewerDocument* other)
{
    if (Shows(other)) return;
    waiting_.append(other);
    connect(other, &ViewerDocument::Closed, this, &CdatPlotView::DocumentClosed, Qt::UniqueConnection);
    if (!runner_->Running()) ReadNext();
}

bool CdatPlotView::Reading() const
{
    return runner_->Running();
}

void CdatPlotView::ReadNext()
{
    if (waiting_.isEmpty()) return;
    ViewerDocument* other = waiting_.first();
    runner_->Start(std::make_unique<TrendJob>(other->Doc(), kMaxPens),
                   QString("Reading %1 for the plot of %2").arg(other->Title(), document_->Title()),
                   [this, other](std::unique_ptr<RecordJob>& job) {
                       waiting_.removeFirst();
                       Added(other, static_cast<TrendJob&>(*job));
                       ReadNext();
                   });
}

void CdatPlotView::Added(ViewerDocument* other, TrendJob& job)
{
    if (job.Samples().empty()) {
        ShowStatus(QString("%1 holds no samples to plot.").arg(other->Title()), 10000);
        return;
    }
    chart_->AddSource(QFileInfo(other->PathName()).fileName().toStdString());
    HandOverSamples(job.Samples(), job.TagMap(), other->Doc().HasTagNames(), *chart_);
    added_.append(other);
    chart_->SetMessage(QString());
}

void CdatPlotView::StopReading()
{
    if (waiting_.isEmpty()) return;
    waiting_.clear();
    runner_->Stop();
    ShowStatus("Add to Plot stopped.", 10000);
}

void CdatPlotView::DocumentClosed(ViewerDocument* document)
{
    // Its table goes with it; a datalog added already stays in the chart.
    const qsizetype at = waiting_.indexOf(document);
    if (at < 0) return;
    waiting_.removeAt(at);
    if (at > 0) return;
    runner_->Stop();
    ReadNext();
}

void CdatPlotView::ShowStatus(const QString& text, int milliseconds)
{
    if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->showMessage(text, milliseconds);
}

void CdatPlotView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && Reading())
        StopReading();
    else
        QWidget::keyPressEvent(event);
}

bool CdatPlotView::Shows(const ViewerDocument* document) const
{
    return document == document_ || added_.contains(document) ||
           std::find(waiting_.begin(), waiting_.end(), document) != waiting_.end();
}

void CdatPlotView::SetFileOffset(size_t file, double seconds)
{
    chart_->SetSourceOffset(file, seconds);
}

void CdatPlotView::RemoveFile(size_t file)
{
    if (file == 0 || file > static_cast<size_t>(added_.size())) return;
    added_.removeAt(static_cast<qsizetype>(file - 1));
    chart_->RemoveSource(file);
}

void CdatPlotView::AskFileOffset(size_t file)
{
    const QString label = QString::fromStdString(chart_->Sources().Label(file));
    QString text = QString::fromStdString(FormatTimeOffset(chart_->Sources().Offset(file)));
    bool ok = false;
    text = QInputDialog::getText(this, "Time Offset",
                                 QString("Move the pens of %1 along the time axis by\n"
                                         "(hours and minutes, such as +24 h or -1 h 30 min):")
                                     .arg(label),
                                 QLineEdit::Normal, text, &ok);
    if (!ok) return;
    std::optional<double> seconds = ParseTimeOffset(text.toStdString());
    if (!seconds) {
        QMessageBox::warning(this, "Time Offset",
                             QString("\"%1\" is no time offset for %2: give hours and minutes, such as "
                                     "+24 h or -1 h 30 min.")
                                 .arg(text, label));
        return;
    }
    SetFileOffset(file, *seconds);
}

void CdatPlotView::AddFileItems(QMenu& menu)
{
    const PlotSources& files = chart_->Sources();
    if (files.SourceCount() < 2) return;
    for (size_t file = 0; file < files.SourceCount(); ++file) {
        menu.addSeparator();
        const QString label = QString::fromStdString(files.Label(file));
        QAction* shown = menu.addAction(QString("Show %1").arg(label), this, [this, file](bool checked) {
            chart_->SetSourceHidden(file, !checked);
        });
        shown->setCheckable(true);
        shown->setChecked(!files.IsSourceHidden(file));
        if (file == 0) continue;
        menu.addAction(QString("Time Offset of %1 (%2)...")
                           .arg(label, QString::fromStdString(FormatTimeOffset(files.Offset(file)))),
                       this, [this, file] { AskFileOffset(file); });
        menu.addAction(QString("Remove %1 from the Plot").arg(label), this,
                       [this, file] { RemoveFile(file); });
    }
}

bool CdatPlotView::ExportChart(const QString& path)
{
    QRect area(QPoint(0, 0), chart_->size());
    if (path.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setTitle(document_->Title());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        chart_->PrintPage(painter, area);
        return painter.end();
    }
    QImage image(area.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart_->PrintPage(painter, area);
    painter.end();
    return image.save(path, "PNG");
}

void CdatPlotView::OnExportChart()
{
    QString selected;
    QString path = QFileDialog::getSaveFileName(this, "Export Chart",
                                                QFileInfo(document_->PathName()).completeBaseName(),
                                                "PNG picture (*.png);;SVG drawing (*.svg)", &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += selected.startsWith("SVG") ? ".svg" : ".png";
    if (!ExportChart(path))
        QMessageBox::warning(this, "Export Chart", QString("Could not write the chart to %1.").arg(path));
}

void CdatPlotView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* shared =
        menu.addAction("One value axis for all pens", this, [this] { chart_->SetPenScales(false); });
    QAction* own = menu.addAction("Each pen on its own scale", this, [this] { chart_->SetPenScales(true); });
    shared->setCheckable(true);
    own->setCheckable(true);
    shared->setChecked(!chart_->PenScales());
    own->setChecked(chart_->PenScales());
    AddFileItems(menu);
    if (filtered_) {
        menu.addSeparator();
        menu.addAction("Plot All Records", this, [this] { PlotRecords(nullptr); });
    }
    menu.addSeparator();
    menu.addAction("Reset view", this, [this] { chart_->ResetView(); });
    menu.addAction("Export Chart...", this, &CdatPlotView::OnExportChart);
    menu.exec(event->globalPos());
}

void CdatPlotView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) return;
    chart_->PrintPage(painter, painter.viewport());
    painter.end();
}

void CdatPlotView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

}  // namespace logora::ui
