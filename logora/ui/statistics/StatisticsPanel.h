#pragma once
// The Statistics panel beside the windows: for one column of the active
// record list, over all its records, the filtered ones or the selected ones,
// the figures of ColumnStatistics and, for a datalog, a row per tag. They are
// counted on threads of their own with the progress in the list's status bar;
// Escape (in the list or the panel) stops them. Copy (the button, Ctrl+C in
// the panel) puts them on the clipboard as tab-separated text.

#include <QDockWidget>
#include <QPointer>
#include <atomic>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QThread;
class QTimer;

namespace logora::ui {

class CDatReaderView;
class StatisticsRun;
struct StatisticsTable;

class StatisticsPanel : public QDockWidget
{
    Q_OBJECT
public:
    enum Scope { kAllRecords, kFilteredRecords, kSelectedRecords };

    explicit StatisticsPanel(QWidget* parent = nullptr);
    ~StatisticsPanel() override;

    // Follows `view` (null: none); a run over another list stops.
    void SetView(CDatReaderView* view);
    // Counts `column` of the list followed.
    void ShowColumn(int column);
    void SetScope(Scope scope);
    // Counts the chosen column again, as the list is now.
    void Refresh();
    void Stop();
    bool Running() const { return thread_ != nullptr; }
    // What Copy puts on the clipboard.
    QString Text() const { return copyText_; }
    void Copy();
    QTableWidget* Overall() const { return overall_; }
    QTableWidget* Tags() const { return tags_; }

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillColumns();
    void Finished(bool completed);
    void ShowProgress();
    void ShowMessage(const QString& text);
    static void Fill(QTableWidget* table, const StatisticsTable& content);

    QPointer<CDatReaderView> view_;
    QComboBox* columns_;
    QComboBox* scope_;
    QLabel* heading_;
    QTableWidget* overall_;
    QTableWidget* tags_;
    QPushButton* copy_;
    QString copyText_;
    QString runHeading_;
    std::shared_ptr<StatisticsRun> run_;
    std::shared_ptr<std::atomic<bool>> stop_;
    QThread* thread_ = nullptr;
    QTimer* progress_;
};

}  // namespace logora::ui
