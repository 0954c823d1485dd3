#pragma once
// A tree whose items carry a check state image: 0 none, 1 unchecked,
// 2 partly checked, 3 checked. Toggling an item (a click on its box, or
// Space) spreads the state to its descendants and updates its ancestors.

#include <QTreeWidget>

namespace logora::ui {

enum CheckState : int { kNoCheckBox = 0, kUnchecked = 1, kPartlyChecked = 2, kChecked = 3 };

class CMutiTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CMutiTreeCtrl(QWidget* parent = nullptr);

    static int GetItemCheck(const QTreeWidgetItem* item);
    // Sets the item's state; for states 1 to 3 spreads to the descendants when
    // asked and then updates the ancestors. State 0 only sets the item.
    static void SetItemCheck(QTreeWidgetItem* item, int state, bool spreadToDescendants);
    // New state after a toggle: checked items become unchecked, all others checked.
    static void ToggleItem(QTreeWidgetItem* item);

    // Where an item's state image is drawn, in viewport coordinates.
    QRect StateIconRect(const QTreeWidgetItem* item) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace logora::ui
