#include "logora/ui/listview/ListPreview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "logora/ui/listview/PrintFlow.h"

namespace logora::ui {

namespace {
constexpr int kPaperMargin = 12;  // pixels of grey around the page
constexpr double kMaxZoom = 8;
}  // namespace

// Paints the current page over a grey desk; the wheel turns pages while the
// whole page is shown.
class ListPreview::PageArea : public QWidget
{
public:
    explicit PageArea(ListPreview* preview) : QWidget(preview), preview_(preview)
    {
        setBackgroundRole(QPalette::Dark);
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        preview_->PaintPage(painter, rect());
    }
    void wheelEvent(QWheelEvent* event) override
    {
        if (preview_->zoom_ > 1 || event->angleDelta().y() == 0) return event->ignore();
        preview_->ShowPage(preview_->page_ + (event->angleDelta().y() < 0 ? 1 : -1));
    }

private:
    ListPreview* preview_;
};

ListPreview::ListPreview(ListPrinter pages, QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      pages_(std::move(pages)),
      printer_(printer),
      scroll_(new QScrollArea(this)),
      area_(new PageArea(this)),
      pageNumber_(new QSpinBox(this)),
      pageCount_(new QLabel(this))
{
    setWindowTitle("Print Preview");
    auto* tools = new QToolBar(this);
    auto icon = [this](QStyle::StandardPixmap which) { return style()->standardIcon(which); };
    tools->addAction(icon(QStyle::SP_MediaSkipBackward), "First page", this, [this] { ShowPage(1); });
    tools->addAction(icon(QStyle::SP_MediaSeekBackward), "Previous page", this,
                     [this] { ShowPage(page_ - 1); });
    tools->addWidget(pageNumber_);
    tools->addWidget(pageCount_);
    tools->addAction(icon(QStyle::SP_MediaSeekForward), "Next page", this, [this] { ShowPage(page_ + 1); });
    tools->addAction(icon(QStyle::SP_MediaSkipForward), "Last page", this, [this] { ShowPage(PageCount()); });
    tools->addSeparator();
    tools->addAction("Zoom out", this, [this] { Zoom(1 / 1.5); });
    tools->addAction("Zoom in", this, [this] { Zoom(1.5); });
    tools->addAction("Whole page", this, [this] { Zoom(1 / zoom_); });
    tools->addSeparator();
    // Beside continuing wide lists on further pages: turn the page and scale to fit.
    QAction* fit = tools->addAction("Landscape, fit to width");
    fit->setCheckable(true);
    fit->setChecked(pages_.FitToWidth());
    connect(fit, &QAction::toggled, this, &ListPreview::SetFitToWidth);
    tools->addSeparator();
    tools->addAction("&Print...", this, &ListPreview::Print)->setObjectName("print");
    tools->addAction("&Close", this, &QDialog::reject);

    connect(pageNumber_, &QSpinBox::valueChanged, this, &ListPreview::ShowPage);
    scroll_->setWidget(area_);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(scroll_, 1);
    resize(800, 900);
    Relayout();
}

void ListPreview::Relayout()
{
    pages_.Prepare(printer_);
    pageNumber_->blockSignals(true);
    pageNumber_->setRange(1, PageCount());
    pageNumber_->blockSignals(false);
    pageCount_->setText(QString(" of %L1 ").arg(PageCount()));
    drawnPage_ = 0;
    ShowPage(std::min(page_, PageCount()));
    UpdatePageArea();
}

void ListPreview::ShowPage(int page)
{
    page = std::clamp(page, 1, PageCount());
    if (page != page_) {
        page_ = page;
        area_->update();
    }
    pageNumber_->blockSignals(true);
    pageNumber_->setValue(page_);
    pageNumber_->blockSignals(false);
}

void ListPreview::SetFitToWidth(bool fit)
{
    pages_.SetFitToWidth(fit);
    printer_.setPageOrientation(fit ? QPageLayout::Landscape : QPageLayout::Portrait);
    Relayout();
}

void ListPreview::Zoom(double factor)
{
    zoom_ = std::clamp(zoom_ * factor, 1.0, kMaxZoom);
    UpdatePageArea();
}

QSize ListPreview::ShownPageSize() const
{
    QSizeF paper = printer_.paperRect(QPrinter::DevicePixel).size();
    // At zoom 1 the whole page fits the window.
    QSize room = scroll_->contentsRect().size() - QSize(2 * kPaperMargin, 2 * kPaperMargin);
    if (paper.isEmpty() || room.isEmpty()) return QSize(1, 1);
    double scale = std::min(room.width() / paper.width(), room.height() / paper.height()) * zoom_;
    return QSize(std::max(1, static_cast<int>(paper.width() * scale)),
                 std::max(1, static_cast<int>(paper.height() * scale)));
}

void ListPreview::UpdatePageArea()
{
    // The area fills the window; zoomed in, it grows to the page and scrolls.
    QSize page = ShownPageSize() + QSize(2 * kPaperMargin, 2 * kPaperMargin);
    area_->setMinimumSize(zoom_ > 1 ? page : QSize(0, 0));
    area_->update();
}

void ListPreview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    UpdatePageArea();
}

void ListPreview::PaintPage(QPainter& painter, const QRect& area)
{
    QSize size = ShownPageSize();
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    painter.fillRect(target.translated(3, 3), palette().color(QPalette::Shadow));
    painter.fillRect(target, Qt::white);
    // Drawn straight onto the window, so memory does not grow with the zoom.
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);  // as on paper; the grey desk's own text colour is light
    QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
    QRectF printable = printer_.pageRect(QPrinter::DevicePixel);
    painter.translate(target.topLeft());
    painter.scale(size.width() / paper.width(), size.height() / paper.height());
    painter.translate(printable.topLeft() - paper.topLeft());
    pages_.DrawPage(painter, page_);
    if (drawnPage_ != page_) ++pagesDrawn_;
    drawnPage_ = page_;
}

void ListPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
        case Qt::Key_PageDown:
            return ShowPage(page_ + 1);
        case Qt::Key_PageUp:
            return ShowPage(page_ - 1);
        case Qt::Key_Home:
            return ShowPage(1);
        case Qt::Key_End:
            return ShowPage(PageCount());
        default:
            QDialog::keyPressEvent(event);
    }
}

void ListPreview::Print()
{
    if (PrintWithDialog(pages_, printer_, this)) return accept();
    Relayout();
}

}  // namespace logora::ui
