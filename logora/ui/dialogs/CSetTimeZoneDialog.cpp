#include "logora/ui/dialogs/CSetTimeZoneDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "logora/engine/timezone/TimeZoneTable.h"

namespace logora::ui {

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

}  // namespace

int PreselectedTimeZone(const std::vector<std::string>& names, int index, const std::string& currentName)
{
    if (index != -1) return index >= 0 && static_cast<size_t>(index) < names.size() ? index : -1;
    // An unknown current zone selects nothing rather than whichever zone is first.
    if (currentName.empty()) return -1;
    for (size_t i = 0; i < names.size(); ++i)
        if (StartsWithIgnoringCase(names[i], currentName)) return static_cast<int>(i);
    return -1;
}

CSetTimeZoneDialog::CSetTimeZoneDialog(int index, QWidget* parent)
    : QDialog(parent), list_(new QComboBox(this)), index_(index)
{
    setWindowTitle("Set Time Zone");
    std::string currentName;
    const TimeZoneTable& table = LoadTimeZoneTable(&currentName);
    std::vector<std::string> names;
    for (const auto& entry : table) {
        names.push_back(entry->DisplayName);
        list_->addItem(QString::fromStdString(entry->DisplayName), static_cast<int>(names.size() - 1));
        names_ << QString::fromStdString(entry->DisplayName);
    }
    list_->setMaxVisibleItems(20);
    list_->setCurrentIndex(PreselectedTimeZone(names, index, currentName));
    auto* filter = new QLineEdit(this);
    filter->setPlaceholderText("Type a city or an offset to narrow the list");
    filter->setClearButtonEnabled(true);
    connect(filter, &QLineEdit::textChanged, this, &CSetTimeZoneDialog::Filter);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Destination time zone:", this));
    layout->addWidget(filter);
    layout->addWidget(list_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(480, 120);
}

void CSetTimeZoneDialog::Filter(const QString& text)
{
    // The zone chosen stays chosen while it matches.
    QVariant chosen = list_->currentData();
    list_->clear();
    for (qsizetype i = 0; i < names_.size(); ++i)
        if (names_[i].contains(text.trimmed(), Qt::CaseInsensitive))
            list_->addItem(names_[i], static_cast<int>(i));
    int at = list_->findData(chosen);
    list_->setCurrentIndex(at >= 0 ? at : (list_->count() > 0 ? 0 : -1));
}

int CSetTimeZoneDialog::VisibleZones() const
{
    return list_->count();
}

void CSetTimeZoneDialog::accept()
{
    QVariant chosen = list_->currentData();
    index_ = chosen.isValid() ? chosen.toInt() : -1;
    QDialog::accept();
}

}  // namespace logora::ui
