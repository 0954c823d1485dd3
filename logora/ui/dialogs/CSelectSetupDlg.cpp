#include "logora/ui/dialogs/CSelectSetupDlg.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace logora::ui {

namespace {

struct VersionChoice
{
    const char* text;
    int code;
    int row, column;
};

constexpr VersionChoice kVersions[] = {
    {"CE Terminal(Tolvan/Skeldra)", 1, 0, 0}, {"Win32 (3.xx)", 2, 0, 1},
    {"Win32 (4.xx or 5.1)", 3, 0, 2},         {"CE Terminal(KRELCE6)", 5, 1, 0},
    {"Win32 (6.xx or later)", 6, 1, 1},
};

}  // namespace

CSelectSetupDlg::CSelectSetupDlg(const QString& alarmLogName, QWidget* parent)
    : QDialog(parent),
      alarmLogName_(alarmLogName),
      setupEdit_(new QLineEdit(this)),
      browse_(new QPushButton("...", this))
{
    setWindowTitle("Select Quorvi Vell Alarm Setup File");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Quorvi Vell alarm log file:", this));
    auto* logName = new QLabel(alarmLogName, this);
    logName->setWordWrap(true);
    layout->addWidget(logName);

    auto* group = new QGroupBox("Vell alarm log file (.alm) is generated from", this);
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (const VersionChoice& choice : kVersions) {
        auto* button = new QRadioButton(choice.text, group);
        grid->addWidget(button, choice.row, choice.column);
        buttons->addButton(button, choice.code);
        versions_.emplace_back(choice.code, button);
    }
    connect(buttons, &QButtonGroup::idClicked, this, [this](int code) { m_nVersion = code; });
    VersionButton(5)->setChecked(true);
    layout->addWidget(group);

    layout->addWidget(new QLabel("Quorvi Vell alarm setup file:", this));
    auto* row = new QHBoxLayout;
    browse_->setMaximumWidth(30);
    connect(browse_, &QPushButton::clicked, this, &CSelectSetupDlg::Browse);
    row->addWidget(setupEdit_);
    row->addWidget(browse_);
    layout->addLayout(row);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(560, 260);
}

QRadioButton* CSelectSetupDlg::VersionButton(int code) const
{
    for (const auto& [versionCode, button] : versions_)
        if (versionCode == code) return button;
    return nullptr;
}

void CSelectSetupDlg::Browse()
{
    // A setup file is kept beside its alarm logs.
    const QString workingDirectory = QDir::currentPath();
    QString path =
        QFileDialog::getOpenFileName(this, QString(), QFileInfo(alarmLogName_).absolutePath(),
                                     "Vell alarm setup files (*.mal)", nullptr, QFileDialog::ReadOnly);
    // The system's file dialog may leave the working directory in the folder it showed.
    QDir::setCurrent(workingDirectory);
    if (path.isEmpty()) return;
    m_strSetupFile = path;
    setupEdit_->setText(path);
}

void CSelectSetupDlg::accept()
{
    m_strSetupFile = setupEdit_->text().trimmed();
    QDialog::accept();
}

}  // namespace logora::ui
