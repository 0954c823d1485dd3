#include "logora/ui/dialogs/CSetTimeZoneDialog.h"

#include <QComboBox>
#include <QLabel>
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
        list_->addItem(QString::fromStdString(entry->DisplayName));
    }
    list_->setMaxVisibleItems(20);
    list_->setCurrentIndex(PreselectedTimeZone(names, index, currentName));

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Destination time zone:", this));
    layout->addWidget(list_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(480, 120);
}

void CSetTimeZoneDialog::accept()
{
    index_ = list_->currentIndex();
    QDialog::accept();
}

}  // namespace logora::ui
