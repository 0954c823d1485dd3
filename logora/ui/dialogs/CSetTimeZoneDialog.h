#pragma once
// Chooses the destination time zone of a datalog's time stamps from the
// zones the system knows. The index into the zone table goes in and out;
// -1 means none (the computer's local time).

#include <QDialog>
#include <QStringList>
#include <string>
#include <vector>

class QComboBox;

namespace logora::ui {

// The entry to select: `index` when it is set, else the first name that
// begins with the current zone's name (letter case ignored); -1 when none.
int PreselectedTimeZone(const std::vector<std::string>& names, int index, const std::string& currentName);

class CSetTimeZoneDialog : public QDialog
{
    Q_OBJECT
public:
    // Reads the zone table afresh.
    CSetTimeZoneDialog(int index, QWidget* parent = nullptr);

    int SelectedIndex() const { return index_; }

    void accept() override;
    // Keeps the zones whose name contains `text` (letter case ignored).
    void Filter(const QString& text);
    int VisibleZones() const;

private:
    QStringList names_;
    QComboBox* list_;
    int index_;
};

}  // namespace logora::ui
