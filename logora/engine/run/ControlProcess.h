#pragma once
// Progress and cancel interface that every long operation receives.

#include <cstdint>
#include <string>

namespace logora {

class ControlProcess
{
public:
    virtual ~ControlProcess() = default;
    virtual void SetProgress(uint32_t total, uint32_t done) = 0;
    virtual bool IsCancelled() = 0;
    virtual void SetMessage(const std::string& text) = 0;
};

// Percentage shown for done/total: the ratio as a single-precision value,
// 1.0 when total is 0, times 100 truncated.
inline int ProgressPercent(uint32_t total, uint32_t done)
{
    float ratio = total == 0 ? 1.0f : static_cast<float>(done) / static_cast<float>(total);
    return static_cast<int>(ratio * 100.0f);
}

}  // namespace logora
