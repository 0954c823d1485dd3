#include "logora/ui/listview/FilterRow.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>

namespace logora::ui {

namespace {
constexpr int kPauseMilliseconds = 300;
}

FilterRow::FilterRow(QHeaderView* header, QWidget* parent)
    : QWidget(parent), header_(header), pause_(new QTimer(this))
{
    pause_->setSingleShot(true);
    pause_->setInterval(kPauseMilliseconds);
    connect(pause_, &QTimer::timeout, this, &FilterRow::Edited);
    setFixedHeight(QLineEdit().sizeHint().height());
}

void FilterRow::SetColumnCount(int columns)
{
    while (ColumnCount() > columns) {
        delete edits_.back();
        edits_.pop_back();
    }
    while (ColumnCount() < columns) {
        auto* edit = new QLineEdit(this);
        edit->setClearButtonEnabled(true);
        // Typing and the clear button edit; the program's SetText does not.
        connect(edit, &QLineEdit::textEdited, pause_, qOverload<>(&QTimer::start));
        edit->show();
        edits_.push_back(edit);
    }
    LayoutEdits();
}

QString FilterRow::Text(int column) const
{
    return Edit(column)->text();
}

void FilterRow::SetText(int column, const QString& text)
{
    QLineEdit* edit = Edit(column);
    if (edit->text() == text) return;
    const QSignalBlocker quiet(edit);
    edit->setText(text);
    SetInvalid(column, false);
}

void FilterRow::SetInvalid(int column, bool invalid)
{
    QLineEdit* edit = Edit(column);
    QPalette colours = palette();
    if (invalid) colours.setColor(QPalette::Text, Qt::red);
    edit->setPalette(colours);
}

void FilterRow::LayoutEdits()
{
    for (int column = 0; column < ColumnCount(); ++column)
        Edit(column)->setGeometry(header_->sectionViewportPosition(column), 0, header_->sectionSize(column),
                                  height());
}

}  // namespace logora::ui
