#pragma once
// Runs a RecordJob on the interface thread a slice at a time (about 30 ms
// each), so the list repaints and takes keys between slices; Stop ends it
// early. Reports "<label> 45%" while it runs.

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

#include "logora/ui/records/RecordJob.h"

namespace logora::ui {

class SlicedRunner : public QObject
{
    Q_OBJECT
public:
    // May take the job over.
    using Done = std::function<void(std::unique_ptr<RecordJob>& job)>;

    explicit SlicedRunner(QObject* parent = nullptr);
    ~SlicedRunner() override;

    // Stops any job still running, then starts `job`; `done` runs when it
    // finishes (never when it was stopped).
    void Start(std::unique_ptr<RecordJob> job, const QString& label, Done done);
    void Stop();
    bool Running() const { return job_ != nullptr; }

signals:
    void Progress(const QString& text);
    void Stopped();

private:
    void RunSlice();

    std::unique_ptr<RecordJob> job_;
    QString label_;
    Done done_;
    int64_t chunk_ = 4096;
    unsigned generation_ = 0;
};

}  // namespace logora::ui
