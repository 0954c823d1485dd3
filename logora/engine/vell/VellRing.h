#pragma once
// The order in which the records of a datalog's ring are converted.

#include <cstdint>
#include <string>

namespace logora::vell {

// Records [first, end) of the file, in this order.
struct RecordRange
{
    int64_t first = 0;
    int64_t end = 0;
};

struct RingPlan
{
    RecordRange ranges[2];
    int rangeCount = 0;
    int64_t total = 0;  // records converted over all ranges
    // Why the datalog is corrupt; empty when it is sound.
    std::string problem;
};

// When the ring has wrapped (oldest S > newest E): records S to N - 1, then 0
// to E; otherwise 0 to N - 1 whatever S and E are. A negative N, a wrapped
// ring with S or E outside 0 to N - 1 (an empty one included), or more records than the file holds
// (`recordsInFile`) make the datalog corrupt: then only the records that
// exist are converted, in ring order when S and E are usable, else in file
// order.
RingPlan PlanRingOrder(int32_t count, int32_t oldest, int32_t newest, int64_t recordsInFile);

}  // namespace logora::vell
