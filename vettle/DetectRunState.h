#pragma once
// The run state through which a caller starts, watches and stops one tamper
// detection, and takes its report. The console waits for each run; the dialog
// owns one of these, starts a run, polls Progress() and IsRunning() from a
// timer, calls Cancel() from its button, and reads Report() once IsRunning()
// has turned false:
//
//   vettle::DetectRunState run;
//   run.SetDetectFilePath(path);
//   run.Start();                    // the detection runs on a worker thread
//   ... run.Progress(), run.IsRunning(), run.Cancel() from the caller's thread
//   run.Wait();                     // or poll until !run.IsRunning()
//   show(run.Report());             // UTF-8; lines end in CR LF
//
// Progress, running flag and cancel flag are atomic (the progress is written
// by the run's threads, the flags each by one side); the path and the report
// are touched by the worker only while it runs.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace vettle {

// What one run found, for exit statuses and for callers that need more than
// the report text.
enum class DetectVerdict {
    None,            // no run has ended yet
    Passed,          // every line checked, nothing found
    Tampered,        // lines altered or out of order (listed), or a line that is no logical line
    RowsAltered,     // the trailer came at another line than its row count tells
    ColumnsAltered,  // the header's fields differ from the trailer's count
    Unmarked,        // no trailer, or one that does not parse (old or unknown formatting)
    Corrupted,       // a trailer that fails its own checksum
    FileMissing,     // the detect file does not exist
    FileNotOpened,   // the detect file exists but could not be opened
    FileNotRead,     // a read of the detect file failed part way
    Cancelled,       // stopped by Cancel(); the report holds the findings so far
};

class DetectRunState
{
public:
    DetectRunState() = default;
    // Waits for a run still under way, so the worker never outlives its state.
    ~DetectRunState();
    DetectRunState(const DetectRunState&) = delete;
    DetectRunState& operator=(const DetectRunState&) = delete;

    // Caller side, from one thread.
    void SetDetectFilePath(const std::string& path) { detectFilePath_ = path; }
    // Threads the run may use on its file: one per core unless told. With two
    // or more, a large file is checked in two parts at once.
    void SetThreads(unsigned threads) { threads_ = threads; }
    unsigned Threads() const { return threads_; }
    const std::string& DetectFilePath() const { return detectFilePath_; }
    // Waits for the previous worker (a cancelled one may still be finishing its
    // line), sets the running flag, clears the cancel flag and starts a worker.
    void Start();
    // Blocks until the worker has ended.
    void Wait();
    void Cancel() { cancel_.store(1); }
    bool IsRunning() const { return running_.load() != 0; }
    // Fraction of the rows read; above 1 while the last two lines are read.
    double Progress() const { return progress_.load(std::memory_order_relaxed); }
    // Valid once IsRunning() is false or Wait() returned.
    const std::string& Report() const { return report_; }
    DetectVerdict Verdict() const { return verdict_; }
    // The first line number the report names; 0 when it names none.
    int64_t ReportedLine() const { return reportedLine_; }

    // Run side, used by DetectTamper on the worker thread.
    bool IsCancelRequested() const { return cancel_.load() != 0; }
    // Relaxed: the value is only shown, and is written before every line.
    void SetProgress(double progress) { progress_.store(progress, std::memory_order_relaxed); }
    std::string& MutableReport() { return report_; }
    void SetReportedLine(int64_t line) { reportedLine_ = line; }
    void Finish(DetectVerdict verdict);

    // For callers that run the detection on their own thread (tests, fuzzing):
    // the flags as Start() leaves them, without a worker.
    void PrepareRun();

private:
    std::string detectFilePath_;
    unsigned threads_ = std::thread::hardware_concurrency();
    std::string report_;
    DetectVerdict verdict_ = DetectVerdict::None;
    int64_t reportedLine_ = 0;
    std::atomic<double> progress_{0.0};
    std::atomic<int> running_{0};
    std::atomic<int> cancel_{0};
    std::thread worker_;
};

}  // namespace vettle
