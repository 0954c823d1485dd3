#include "logora/app/cmdline/ManyInputs.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "common/text/AsciiCase.h"
#include "logora/app/cmdline/ProgressText.h"
#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/formats/InputFormats.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/outputs/OutputFormats.h"
#include "platform/console/Terminal.h"
#include "platform/files/FileAccess.h"
#include "platform/files/ReplacementFile.h"
#include "platform/files/SameFile.h"
#include "platform/paths/NameIgnoringCase.h"
#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/signals/Interrupts.h"

namespace logora {

namespace {

constexpr int kExitAllConverted = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

std::string WithoutExtension(const std::string& name)
{
    return name.substr(0, name.size() - ExtensionOf(name).size());
}

// A path the grammar would read as a switch is written so that it names the
// same file as a file parameter: "/x.csv" in the root folder with a second
// slash, "-out/x.csv" below the current folder as "./-out/x.csv".
std::string AsFileParameter(const std::string& path)
{
    if (!CFileViewerCmdLineInfo::IsSwitchArgument(path)) return path;
    return path.starts_with('-') ? platform::JoinPath(".", path) : "/" + path;
}

// The .mal file of the alarm log's own name beside it, in any letter case.
std::string SetupBeside(const std::string& alarmLog)
{
    const std::string candidate = WithoutExtension(alarmLog) + ".mal";
    const std::string found = platform::FindIgnoringCase(candidate);
    return platform::PathExists(found) ? found : std::string();
}

std::string OutputExtensionOf(OutDirFormat format)
{
    switch (format) {
        case OutDirFormat::Dbf:
            return ".dbf";
        case OutDirFormat::Xlsx:
            return ".xlsx";
        case OutDirFormat::Sqlite:
            return ".sqlite";
        case OutDirFormat::Csv:
        case OutDirFormat::Table:
            break;
    }
    return ".csv";
}

// An input's run into `output`, with the setup file an alarm log needs.
InputJob JobFor(const std::string& input, const std::string& output, const std::string& setupFile)
{
    InputJob job{input, output, {}};
    const InputFormat* inputFormat = FindInputFormat(input);
    if (inputFormat != nullptr && inputFormat->needsAlarmSetup)
        job.setupFile = setupFile.empty() ? SetupBeside(input) : setupFile;
    return job;
}

// False with `error` when an output of `jobs` is one of the inputs.
bool KeepsInputs(const std::vector<InputJob>& jobs, const std::vector<std::string>& inputs,
                 std::string& error)
{
    // One look at each path: thousands of inputs would take millions of pairs.
    std::map<platform::FileIdentity, const std::string*> inputOfIdentity;
    for (const std::string& input : inputs) {
        if (const auto identity = platform::IdentityOfFile(input)) inputOfIdentity.emplace(*identity, &input);
    }
    for (const InputJob& job : jobs) {
        const auto identity = platform::IdentityOfFile(job.output);
        const auto input = identity ? inputOfIdentity.find(*identity) : inputOfIdentity.end();
        if (input == inputOfIdentity.end()) continue;
        error = "the output " + job.output + " of " + job.input + " is the input " + *input->second;
        return false;
    }
    return true;
}

// The switches for each input's run: /table follows the chosen format, or
// is kept as given for the outputs that take either form.
std::vector<std::string> SwitchesFor(const std::vector<std::string>& switches, OutDirFormat format)
{
    if (format == OutDirFormat::Xlsx || format == OutDirFormat::Sqlite) return switches;
    std::vector<std::string> result;
    for (const std::string& entry : switches) {
        if (!common::EqualsIgnoringAsciiCase(std::string_view(entry).substr(1), "table"))
            result.push_back(entry);
    }
    if (format == OutDirFormat::Table) result.push_back("/table");
    return result;
}

bool HasTableSwitch(const std::vector<std::string>& switches)
{
    return std::any_of(switches.begin(), switches.end(), [](const std::string& entry) {
        return common::EqualsIgnoringAsciiCase(std::string_view(entry).substr(1), "table");
    });
}

// What one running input has shown of its progress.
struct Running
{
    size_t job = 0;
    std::unique_ptr<platform::ChildProcess> child;
    std::string partialLine;
    double fraction = 0.0;
    double recordsPerSecond = 0.0;
    uint64_t phaseStartDone = 0;
    uint64_t lastDone = 0;
    RedrawPace::Clock::time_point phaseStart = RedrawPace::Clock::now();
    bool interruptPassedOn = false;

    // Reads the "<done> <total>" lines the run wrote since the last look.
    void ReadProgress()
    {
        partialLine += child->TakeOutput();
        size_t end = 0;
        while ((end = partialLine.find('\n')) != std::string::npos) {
            std::istringstream line(partialLine.substr(0, end));
            partialLine.erase(0, end + 1);
            uint64_t done = 0;
            uint64_t total = 0;
            if (!(line >> done >> total)) continue;
            const auto now = RedrawPace::Clock::now();
            // Conversion and export each count from zero.
            if (done < lastDone) {
                phaseStart = now;
                phaseStartDone = done;
            }
            lastDone = done;
            fraction = total == 0 ? 0.0 : double(done) / double(total);
            const double seconds = std::chrono::duration<double>(now - phaseStart).count();
            recordsPerSecond = seconds >= 0.5 ? double(done - phaseStartDone) / seconds : 0.0;
        }
    }
};

class ManyInputRun
{
public:
    ManyInputRun(const std::string& program, std::vector<std::string> switches, std::vector<InputJob> jobs,
                 const ProgramOptions& options, const ManyInputsConversion& convert)
        : program_(program),
          convert_(platform::CanStartCopies() ? convert : ManyInputsConversion()),
          switches_(std::move(switches)),
          jobs_(std::move(jobs)),
          options_(options),
          showProgress_(!options.quiet && platform::StandardErrorRedrawsLines())
    {
        maxRunning_ = options.into        ? 1
                      : options.jobs != 0 ? options.jobs
                                          : std::max(1u, std::thread::hardware_concurrency());
    }

    int Run()
    {
        while ((next_ < jobs_.size() && !platform::Interrupted()) || !running_.empty()) {
            if (platform::Interrupted()) PassOnInterrupt();
            while (!platform::Interrupted() && running_.size() < maxRunning_ && next_ < jobs_.size())
                Start(next_++);
            std::vector<platform::ChildProcess*> children;
            for (const Running& entry : running_) children.push_back(entry.child.get());
            platform::WaitForChildren(children, 100);
            for (Running& entry : running_) entry.ReadProgress();
            FinishEnded();
            DrawProgress();
        }
        ClearProgress();
        if (platform::Interrupted()) {
            std::fputs("Interrupted\n", stderr);
            return platform::InterruptExitStatus();
        }
        std::fprintf(stderr, "%zu converted, %zu failed\n", converted_, failed_);
        return failed_ == 0 ? kExitAllConverted : kExitSomeFailed;
    }

private:
    std::vector<std::string> ArgumentsFor(const InputJob& job) const
    {
        std::vector<std::string> arguments = switches_;
        if (showProgress_) arguments.push_back("--progress-lines");
        if (options_.into) arguments.push_back("--add-table");
        // The cores go to the inputs.
        if (maxRunning_ > 1) arguments.push_back("--one-thread");
        if (options_.codePage) {
            arguments.push_back("--codepage");
            arguments.push_back(std::to_string(*options_.codePage));
        }
        if (!job.setupFile.empty()) {
            arguments.push_back("--setup");
            arguments.push_back(job.setupFile);
        }
        arguments.push_back(AsFileParameter(job.input));
        arguments.push_back(AsFileParameter(job.output));
        return arguments;
    }

    void Start(size_t job)
    {
        auto child = std::make_unique<platform::ChildProcess>();
        std::string error;
        const std::vector<std::string> arguments = ArgumentsFor(jobs_[job]);
        const bool started = convert_ ? child->StartCopy([&] { return convert_(arguments); }, error)
                                      : child->Start(program_, arguments, error);
        if (!started) {
            ClearProgress();
            std::fprintf(stderr, "logora: %s: cannot start a conversion: %s\n", jobs_[job].input.c_str(),
                         error.c_str());
            ++failed_;
            return;
        }
        Running entry;
        entry.job = job;
        entry.child = std::move(child);
        running_.push_back(std::move(entry));
    }

    void PassOnInterrupt()
    {
        for (Running& entry : running_) {
            if (entry.interruptPassedOn) continue;
            entry.child->PassOnInterrupt();
            entry.interruptPassedOn = true;
        }
    }

    void FinishEnded()
    {
        for (auto entry = running_.begin(); entry != running_.end();) {
            if (entry->child->IsRunning()) {
                ++entry;
                continue;
            }
            Report(*entry);
            finished_ += 1;
            entry = running_.erase(entry);
        }
    }

    // The run's own lines, then for a failure one line that names the input.
    // Lines every run repeats (an ignored switch) are shown once.
    void Report(const Running& entry)
    {
        ClearProgress();
        const InputJob& job = jobs_[entry.job];
        const int status = entry.child->ExitStatus();
        const bool interrupted = platform::Interrupted() && status >= 128;
        std::istringstream lines(entry.child->ErrorOutput());
        for (std::string line; std::getline(lines, line);) {
            if (status == 0 && !shownLines_.insert(line).second) continue;
            if (interrupted && line == "Interrupted") continue;
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        if (interrupted) return;
        if (status == 0) {
            ++converted_;
            return;
        }
        ++failed_;
        std::fprintf(stderr,
                     options_.into ? "logora: %s: failed with exit status %d; nothing of it was added to %s\n"
                                   : "logora: %s: failed with exit status %d; %s was not written\n",
                     job.input.c_str(), status, job.output.c_str());
    }

    void DrawProgress()
    {
        if (!showProgress_ || running_.empty() || !pace_.Due(RedrawPace::Clock::now())) return;
        double fraction = double(finished_);
        double rate = 0.0;
        for (const Running& entry : running_) {
            fraction += entry.fraction;
            rate += entry.recordsPerSecond;
        }
        const std::string label = "[" + std::to_string(finished_ + 1) + "/" + std::to_string(jobs_.size()) +
                                  "] " + platform::FileNameOf(jobs_[running_.front().job].input);
        const double seconds = std::chrono::duration<double>(RedrawPace::Clock::now() - start_).count();
        std::fprintf(stderr, "\r%s\033[K",
                     ProgressText(label, fraction / double(jobs_.size()), rate, seconds).c_str());
        drawn_ = true;
    }

    void ClearProgress()
    {
        if (drawn_) std::fputs("\r\033[K", stderr);
        drawn_ = false;
    }

    const std::string program_;
    const ManyInputsConversion convert_;
    const std::vector<std::string> switches_;
    const std::vector<InputJob> jobs_;
    const ProgramOptions& options_;
    const bool showProgress_;
    size_t maxRunning_ = 1;
    size_t next_ = 0;
    size_t finished_ = 0;
    size_t converted_ = 0;
    size_t failed_ = 0;
    std::vector<Running> running_;
    std::set<std::string> shownLines_;
    RedrawPace pace_;
    const RedrawPace::Clock::time_point start_ = RedrawPace::Clock::now();
    bool drawn_ = false;
};

}  // namespace

bool PlanInputJobs(const std::vector<std::string>& inputs, const std::string& outDir, OutDirFormat format,
                   const std::string& setupFile, std::vector<InputJob>& jobs, std::string& error)
{
    const std::string extension = OutputExtensionOf(format);
    std::map<std::string, std::string> inputOfOutput;
    for (const std::string& input : inputs) {
        InputJob job = JobFor(
            input, platform::JoinPath(outDir, WithoutExtension(platform::FileNameOf(input)) + extension),
            setupFile);
        const auto [earlier, isNew] = inputOfOutput.emplace(job.output, input);
        if (!isNew) {
            error = input + " and " + earlier->second + " would both be written to " + job.output;
            return false;
        }
        jobs.push_back(std::move(job));
    }
    return KeepsInputs(jobs, inputs, error);
}

bool PlanDatabaseJobs(const std::vector<std::string>& inputs, const std::string& database,
                      const std::string& setupFile, std::vector<InputJob>& jobs, std::string& error)
{
    const OutputFormat* format = FindOutputFormat(database);
    if (format == nullptr || format->kind != OutputKind::Database) {
        error = "--into " + database + " names no SQLite database (.sqlite, .sqlite3, .db)";
        return false;
    }
    std::vector<std::pair<std::string, std::string>> inputOfTable;
    for (const std::string& input : inputs) {
        const std::string table = WithoutExtension(platform::FileNameOf(input));
        for (const auto& [earlierTable, earlier] : inputOfTable) {
            if (!common::EqualsIgnoringAsciiCase(table, earlierTable)) continue;
            error = input + " and " + earlier + " would both be written to the table " + earlierTable +
                    " of " + database;
            return false;
        }
        inputOfTable.emplace_back(table, input);
        jobs.push_back(JobFor(input, database, setupFile));
    }
    if (!KeepsInputs(jobs, inputs, error)) return false;
    if (!format->available) error = "this build of logora cannot write sqlite files";
    return format->available;
}

int RunManyInputs(const std::string& program, const std::vector<std::string>& switches,
                  const std::vector<std::string>& inputs, const ProgramOptions& options,
                  const ManyInputsConversion& convert)
{
    if (inputs.empty()) {
        std::fprintf(stderr, "logora: %s needs at least one input\n", options.into ? "--into" : "--out-dir");
        return kExitUsage;
    }
    std::vector<InputJob> jobs;
    std::string error;
    if (options.into) {
        if (!PlanDatabaseJobs(inputs, *options.into, options.setupFile, jobs, error)) {
            std::fprintf(stderr, "logora: %s; nothing was converted\n", error.c_str());
            return kExitUsage;
        }
        return ManyInputRun(program, switches, std::move(jobs), options, convert).Run();
    }
    const OutDirFormat format =
        options.format.value_or(HasTableSwitch(switches) ? OutDirFormat::Table : OutDirFormat::Csv);
    if (!PlanInputJobs(inputs, *options.outDir, format, options.setupFile, jobs, error)) {
        std::fprintf(stderr, "logora: %s; nothing was converted\n", error.c_str());
        return kExitUsage;
    }
    if (!platform::MakeFolders(*options.outDir) || !platform::IsMissingOrWritable(*options.outDir)) {
        std::fprintf(stderr,
                     "logora: the output folder %s cannot be created or written; nothing was converted\n",
                     options.outDir->c_str());
        return kExitUsage;
    }
    // Once here rather than once per input, each over the folder grown so far.
    platform::RemoveLeftoverReplacements(*options.outDir);
    return ManyInputRun(program, SwitchesFor(switches, format), std::move(jobs), options, convert).Run();
}

}  // namespace logora
