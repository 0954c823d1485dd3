#include "vettle/OrderedChecks.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <thread>

namespace vettle {

void CheckInOrder(const std::vector<std::string>& files, unsigned workers,
                  const std::function<void(size_t index, DetectRunState& run)>& await,
                  const std::function<bool(const std::string& file, const DetectRunState& run)>& report)
{
    workers = std::max(1u, workers);
    std::deque<std::unique_ptr<DetectRunState>> running;
    size_t next = 0;
    for (size_t done = 0; done < files.size(); ++done) {
        for (; next < files.size() && running.size() < workers; ++next) {
            running.push_back(std::make_unique<DetectRunState>());
            running.back()->SetDetectFilePath(files[next]);
            // The cores go to the files; one file alone may use them all.
            if (files.size() > 1) running.back()->SetThreads(1);
            running.back()->Start();
        }
        DetectRunState& oldest = *running.front();
        await(done, oldest);
        oldest.Wait();
        if (!report(files[done], oldest)) {
            for (const std::unique_ptr<DetectRunState>& run : running) run->Cancel();
            return;  // each run's destructor waits for its worker
        }
        running.pop_front();
    }
}

unsigned CheckWorkers()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace vettle
