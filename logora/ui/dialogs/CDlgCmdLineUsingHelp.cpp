#include "logora/ui/dialogs/CDlgCmdLineUsingHelp.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cstdio>

#include "logora/engine/cmdline/CommandLineHelp.h"

namespace logora::ui {

namespace {

QLabel* IconLabel(QWidget* parent)
{
    auto* icon = new QLabel(parent);
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull()) appIcon = parent->style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setPixmap(appIcon.pixmap(32, 32));
    return icon;
}

QPushButton* OkButton(QDialog* dialog)
{
    auto* ok = new QPushButton("OK", dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

}  // namespace

CDlgCmdLineUsingHelp::CDlgCmdLineUsingHelp(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Command Line Using Help");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(IconLabel(this));
    for (std::string_view line : kCommandLineHelpLines)
        layout->addWidget(
            new QLabel(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())), this));
    layout->addWidget(OkButton(this), 0, Qt::AlignHCenter);
}

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About Plantiva View File Viewer");
    auto* layout = new QGridLayout(this);
    layout->addWidget(IconLabel(this), 0, 0, 2, 1);
    layout->addWidget(new QLabel("Plantiva View File Viewer", this), 0, 1);
    layout->addWidget(new QLabel("Product version: " + VersionText(), this), 1, 1);
    layout->addWidget(OkButton(this), 2, 0, 1, 2, Qt::AlignHCenter);
}

QString AboutDlg::VersionText()
{
    char text[64];
    std::snprintf(text, sizeof text, "%ld.%ld.%ld.%ld", static_cast<long>(LOGORA_VERSION_MAJOR),
                  static_cast<long>(LOGORA_VERSION_MINOR), static_cast<long>(LOGORA_VERSION_PATCH),
                  static_cast<long>(LOGORA_VERSION_TWEAK));
    return text;
}

}  // namespace logora::ui
