#include "logora/ui/columns/CMutiTreeCtrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace logora::ui {

namespace {

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kImageSize = 13;

// Drawn in logical pixels at `ratio` device pixels each.
QPixmap DrawStateImage(int state, qreal ratio)
{
    QPixmap image(qRound(kImageSize * ratio), qRound(kImageSize * ratio));
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (state == kNoCheckBox) {
        painter.fillRect(QRect(0, 0, kImageSize, kImageSize), QColor(192, 192, 192));
        return image;
    }
    QRect box(0, 0, kImageSize - 1, kImageSize - 1);
    painter.fillRect(box, state == kPartlyChecked ? QColor(192, 192, 192) : Qt::white);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(box);
    if (state == kUnchecked) return image;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(state == kChecked ? QColor(204, 0, 0) : QColor(64, 64, 64), 2));
    const QPointF tick[] = {{2.5, 6.5}, {5, 9}, {10, 3.5}};
    painter.drawPolyline(tick, 3);
    return image;
}

// Sharp on screens of every usual scale, not one scaled up.
QIcon StateIconAtEveryScale(int state)
{
    QIcon icon;
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) icon.addPixmap(DrawStateImage(state, ratio));
    return icon;
}

const QIcon& StateIcon(int state)
{
    static const QIcon icons[] = {StateIconAtEveryScale(0), StateIconAtEveryScale(1),
                                  StateIconAtEveryScale(2), StateIconAtEveryScale(3)};
    return icons[state];
}

void SetOwnState(QTreeWidgetItem* item, int state)
{
    item->setData(0, kStateRole, state);
    item->setIcon(0, state == kNoCheckBox ? QIcon() : StateIcon(state));
}

void SpreadToDescendants(QTreeWidgetItem* item, int state)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        // The first child always takes the state; later ones only when they have a box.
        if (i == 0 || CMutiTreeCtrl::GetItemCheck(child) >= kUnchecked) {
            SetOwnState(child, state);
            SpreadToDescendants(child, state);
        }
    }
}

void UpdateAncestors(QTreeWidgetItem* item, int state)
{
    QTreeWidgetItem* current = item;
    while (QTreeWidgetItem* parent = current->parent()) {
        bool allSame = true;
        for (int i = 0; i < parent->childCount(); ++i) {
            int sibling = CMutiTreeCtrl::GetItemCheck(parent->child(i));
            if (sibling >= kUnchecked && sibling != state) allSame = false;
        }
        if (!allSame) {
            for (QTreeWidgetItem* a = parent; a; a = a->parent())
                if (CMutiTreeCtrl::GetItemCheck(a) >= kUnchecked) SetOwnState(a, kPartlyChecked);
            return;
        }
        if (CMutiTreeCtrl::GetItemCheck(parent) >= kUnchecked) SetOwnState(parent, state);
        current = parent;
    }
}

}  // namespace

CMutiTreeCtrl::CMutiTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setIconSize(QSize(kImageSize, kImageSize));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
}

int CMutiTreeCtrl::GetItemCheck(const QTreeWidgetItem* item)
{
    return item->data(0, kStateRole).toInt();
}

void CMutiTreeCtrl::SetItemCheck(QTreeWidgetItem* item, int state, bool spreadToDescendants)
{
    if (state < kNoCheckBox || state > kChecked) return;
    SetOwnState(item, state);
    if (state == kNoCheckBox) return;
    if (spreadToDescendants) SpreadToDescendants(item, state);
    UpdateAncestors(item, state);
}

void CMutiTreeCtrl::ToggleItem(QTreeWidgetItem* item)
{
    SetItemCheck(item, GetItemCheck(item) == kChecked ? kUnchecked : kChecked, true);
}

QRect CMutiTreeCtrl::StateIconRect(const QTreeWidgetItem* item) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(item);
    option.features |= QStyleOptionViewItem::HasDecoration;
    option.decorationSize = iconSize();
    option.icon = item->icon(0);
    option.text = item->text(0);
    option.features |= QStyleOptionViewItem::HasDisplay;
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

void CMutiTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->pos());
    if (item && event->button() == Qt::LeftButton && GetItemCheck(item) >= kUnchecked &&
        StateIconRect(item).contains(event->pos())) {
        ToggleItem(item);
        setCurrentItem(item);
    }
    QTreeWidget::mousePressEvent(event);
}

void CMutiTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        QTreeWidgetItem* item = currentItem();
        if (item && GetItemCheck(item) != kNoCheckBox) ToggleItem(item);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace logora::ui
