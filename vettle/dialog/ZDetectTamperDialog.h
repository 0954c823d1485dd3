#pragma once
// The dialog mode's one window: a file dialog whose OK button reads "Detect".
// Each file detected runs the detection behind a progress window and shows
// the report; the dialog stays open for the next file until it is cancelled.

#include <QFileDialog>
#include <memory>

#include "vettle/DetectRunState.h"

namespace vettle {

class HelpLibrary;

class ZDetectTamperDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit ZDetectTamperDialog(QWidget* parent = nullptr);
    ~ZDetectTamperDialog() override;

    // "Detect" pressed: a chosen folder is entered as usual; anything else is
    // detected, and the dialog stays open.
    void accept() override;

    // The detection sequence for one file; false when the run was cancelled
    // (no report shown).
    bool DetectFile(const QString& path);

private:
    void OnHelp();

    DetectRunState run_;
    std::unique_ptr<HelpLibrary> help_;
};

}  // namespace vettle
