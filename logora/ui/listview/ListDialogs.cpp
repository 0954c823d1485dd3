#include "logora/ui/listview/ListDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "logora/ui/records/FilterText.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

FindDialog::FindDialog(const QStringList& columns, const TextQuery& last, int lastColumn, QWidget* parent)
    : QDialog(parent),
      text_(new QLineEdit(ToQString(last.text), this)),
      column_(new QComboBox(this)),
      matchCase_(new QCheckBox("Match &case", this)),
      wholeCell_(new QCheckBox("&Whole cell", this))
{
    setWindowTitle("Find");
    column_->addItem("All shown columns");
    column_->addItems(columns);
    column_->setCurrentIndex(lastColumn + 1 < column_->count() ? lastColumn + 1 : 0);
    matchCase_->setChecked(last.matchCase);
    wholeCell_->setChecked(last.wholeCell);
    text_->selectAll();
    auto* buttons = new QDialogButtonBox(this);
    // Alt+N belongs to "Fi&nd what:".
    QPushButton* next = buttons->addButton("&Find Next", QDialogButtonBox::AcceptRole);
    QPushButton* previous = buttons->addButton("Find &Previous", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    next->setDefault(true);
    connect(previous, &QPushButton::clicked, this, [this] { backward_ = true; });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QGridLayout(this);
    // A label shows its '&' as an underline only with a field to jump to.
    auto labelFor = [this](const char* text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        return label;
    };
    layout->addWidget(labelFor("Fi&nd what:", text_), 0, 0);
    layout->addWidget(text_, 0, 1);
    layout->addWidget(labelFor("&In:", column_), 1, 0);
    layout->addWidget(column_, 1, 1);
    layout->addWidget(matchCase_, 2, 1);
    layout->addWidget(wholeCell_, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    resize(420, sizeHint().height());
}

TextQuery FindDialog::Query() const
{
    return {FromQString(text_->text()), matchCase_->isChecked(), wholeCell_->isChecked()};
}

int FindDialog::Column() const
{
    return column_->currentIndex() - 1;
}

FilterDialog::FilterDialog(const RecordCells& cells, const std::vector<int>& fields, const QStringList& names,
                           const std::vector<ColumnFilter>& current, QWidget* parent)
    : QDialog(parent), cells_(cells)
{
    setWindowTitle("Filter");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("<b>Column</b>", this), 0, 0);
    grid->addWidget(new QLabel("<b>Contains</b>", this), 0, 1);
    grid->addWidget(new QLabel("<b>From</b>", this), 0, 2);
    grid->addWidget(new QLabel("<b>To</b>", this), 0, 3);
    for (size_t i = 0; i < fields.size(); ++i) {
        Line line{fields[i], new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)};
        bool ranged = cells.IsNumeric(fields[i]);
        line.from->setEnabled(ranged);
        line.to->setEnabled(ranged);
        for (const ColumnFilter& filter : current) {
            if (filter.field != fields[i]) continue;
            line.contains->setText(ToQString(filter.contains));
            line.from->setText(ToQString(filter.fromText));
            line.to->setText(ToQString(filter.toText));
        }
        int row = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(names.value(static_cast<qsizetype>(i)), this), row, 0);
        grid->addWidget(line.contains, row, 1);
        grid->addWidget(line.from, row, 2);
        grid->addWidget(line.to, row, 3);
        lines_.push_back(line);
    }
    auto* inner = new QWidget(this);
    inner->setLayout(grid);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Dates as 2024-01-15, times as 08:30:00.", this));
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    resize(560, std::min(600, 140 + 32 * static_cast<int>(fields.size())));
}

void FilterDialog::accept()
{
    std::vector<ColumnFilter> filters;
    for (const Line& line : lines_) {
        ColumnFilter filter;
        filter.field = line.field;
        filter.contains = FromQString(line.contains->text());
        filter.fromText = FromQString(line.from->text().trimmed());
        filter.toText = FromQString(line.to->text().trimmed());
        for (auto [text, bound, edit] : {std::tuple{&filter.fromText, &filter.from, line.from},
                                         std::tuple{&filter.toText, &filter.to, line.to}}) {
            if (text->empty()) continue;
            *bound = ParseFieldValue(cells_, line.field, *text);
            if (!*bound) {
                QMessageBox::warning(this, windowTitle(),
                                     QString("\"%1\" is no value of this column.").arg(edit->text()));
                edit->setFocus();
                return;
            }
        }
        if (HasCondition(filter)) filters.push_back(filter);
    }
    filters_ = std::move(filters);
    QDialog::accept();
}

}  // namespace logora::ui
