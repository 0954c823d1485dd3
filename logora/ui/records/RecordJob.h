#pragma once
// A long operation over the records of a table, run a slice at a time so
// the list stays responsive and Escape can stop it between slices.

#include <cstdint>

namespace logora::ui {

class RecordJob
{
public:
    virtual ~RecordJob() = default;
    // Works through at most `records` more records; true once finished.
    virtual bool Step(int64_t records) = 0;
    // Share done, 0 to 1.
    virtual double Fraction() const = 0;

    // Runs the job to its end (tests and the benchmark).
    void RunToEnd()
    {
        while (!Step(1 << 20)) {
        }
    }
};

}  // namespace logora::ui
