#pragma once
// The print command of a record list: the print dialog, then the pages one
// at a time. A large print opens the dialog with its first pages as the
// range, and printing more than those is confirmed first.

class QPrinter;
class QWidget;

namespace logora::ui {

class ListPrinter;

// False when cancelled or nothing could be printed.
bool PrintWithDialog(ListPrinter& pages, QPrinter& printer, QWidget* parent);

}  // namespace logora::ui
