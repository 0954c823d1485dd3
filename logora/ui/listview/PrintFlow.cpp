#include "logora/ui/listview/PrintFlow.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "logora/ui/listview/ListPrinter.h"
#include "logora/ui/listview/PrintLayout.h"

namespace logora::ui {

bool PrintWithDialog(ListPrinter& pages, QPrinter& printer, QWidget* parent)
{
    int count = pages.Prepare(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, count);
    if (count > kPrintPagesWithoutAsking) {
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
        dialog.setFromTo(1, kPrintPagesWithoutAsking);
        dialog.setWindowTitle(QString("Print - %L1 pages").arg(count));
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    // The dialog may have chosen other paper.
    count = pages.Prepare(printer);
    int chosen = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        chosen = std::max(0, std::min(count, printer.toPage()) - printer.fromPage() + 1);
    if (chosen > kPrintPagesWithoutAsking &&
        QMessageBox::question(parent, "Print", QString("Print %L1 pages?").arg(chosen)) != QMessageBox::Yes)
        return false;
    return pages.Print(printer) > 0;
}

}  // namespace logora::ui
