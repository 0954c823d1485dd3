#include "logora/engine/vell/VellRing.h"

#include <algorithm>

namespace logora::vell {

namespace {

void addRange(RingPlan& plan, int64_t first, int64_t end, int64_t available)
{
    end = std::min(end, available);
    if (first >= end) return;
    plan.ranges[plan.rangeCount++] = {first, end};
    plan.total += end - first;
}

}  // namespace

RingPlan PlanRingOrder(int32_t count, int32_t oldest, int32_t newest, int64_t recordsInFile)
{
    RingPlan plan;
    if (count < 0) {
        plan.problem = "negative record count " + std::to_string(count);
        return plan;
    }
    int64_t available = std::min<int64_t>(count, std::max<int64_t>(recordsInFile, 0));
    if (available < count) {
        plan.problem = "the header announces " + std::to_string(count) + " records but the file holds only " +
                       std::to_string(available);
    }
    // An unwrapped ring is read front to back, so only a wrapped one needs
    // both indexes inside the records; an empty ring has none to point at.
    bool wrapped = oldest > newest;
    bool indexesUsable = oldest < count && newest >= 0;
    if (wrapped && !indexesUsable) {
        plan.problem = "oldest record " + std::to_string(oldest) + " or newest record " +
                       std::to_string(newest) + " lies outside the " + std::to_string(count) + " records";
    }
    if (wrapped && indexesUsable) {
        addRange(plan, oldest, count, available);
        addRange(plan, 0, int64_t{newest} + 1, available);
    } else {
        addRange(plan, 0, count, available);
    }
    return plan;
}

}  // namespace logora::vell
