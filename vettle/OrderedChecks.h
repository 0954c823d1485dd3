#pragma once
// Checks of many data logs on all cores at once, reported in the given order.

#include <functional>
#include <string>
#include <vector>

#include "vettle/DetectRunState.h"

namespace vettle {

// Runs the check of every file, at most `workers` at a time, and hands each
// finished run to `report` in the order of `files`. A run waits to be reported
// only behind the runs before it, so no more than `workers` reports are held.
// `await` waits for the run of files[index] to end (it may show progress or
// cancel it); a `report` that returns false stops the checks, and the runs
// still going are cancelled.
void CheckInOrder(const std::vector<std::string>& files, unsigned workers,
                  const std::function<void(size_t index, DetectRunState& run)>& await,
                  const std::function<bool(const std::string& file, const DetectRunState& run)>& report);

// The number of checks to run at once: one per core.
unsigned CheckWorkers();

}  // namespace vettle
