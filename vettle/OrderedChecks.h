#pragma once
// Checks of many data logs on all cores at once, reported in the given order.

#include <functional>
#include <string>
#include <vector>

#include "vettle/CDetectRunState.h"

namespace vettle {

// Runs the check of every file, at most `workers` at a time, and hands each
// finished run to `report` in the order of `files`. A run waits to be reported
// only behind the runs before it, so no more than `workers` reports are held.
void CheckInOrder(const std::vector<std::string>& files, unsigned workers,
                  const std::function<void(const std::string& file, const CDetectRunState& run)>& report);

// The number of checks to run at once: one per core.
unsigned CheckWorkers();

}  // namespace vettle
