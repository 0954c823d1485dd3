#include "logora/ui/listview/SlicedRunner.h"

#include <QTimer>

namespace logora::ui {

namespace {
constexpr qint64 kSliceMilliseconds = 30;
}

SlicedRunner::SlicedRunner(QObject* parent) : QObject(parent) {}

SlicedRunner::~SlicedRunner() = default;

void SlicedRunner::Start(std::unique_ptr<RecordJob> job, const QString& label, Done done)
{
    Stop();
    job_ = std::move(job);
    label_ = label;
    done_ = std::move(done);
    unsigned generation = ++generation_;
    emit Progress(QString("%1 0%").arg(label_));
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == generation_) RunSlice();
    });
}

void SlicedRunner::Stop()
{
    if (!job_) return;
    // What the job and its ending hold (a copy's text) goes at once.
    job_.reset();
    done_ = nullptr;
    ++generation_;
    emit Progress(QString());
    emit Stopped();
}

void SlicedRunner::RunSlice()
{
    if (!job_) return;
    QElapsedTimer clock;
    clock.start();
    bool finished = false;
    while (!finished && clock.elapsed() < kSliceMilliseconds) {
        QElapsedTimer step;
        step.start();
        finished = job_->Step(chunk_);
        // Steps of about a millisecond keep the clock checks cheap.
        if (step.nsecsElapsed() < 500'000)
            chunk_ = std::min<int64_t>(chunk_ * 2, 1 << 22);
        else if (step.nsecsElapsed() > 4'000'000)
            chunk_ = std::max<int64_t>(chunk_ / 2, 64);
    }
    if (finished) {
        std::unique_ptr<RecordJob> job = std::move(job_);
        Done done = std::move(done_);
        emit Progress(QString());
        done(job);
        return;
    }
    emit Progress(QString("%1 %2%").arg(label_).arg(static_cast<int>(job_->Fraction() * 100)));
    unsigned generation = generation_;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == generation_) RunSlice();
    });
}

}  // namespace logora::ui
