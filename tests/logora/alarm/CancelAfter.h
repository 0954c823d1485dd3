#pragma once
// A progress reporter that asks to cancel once a given number of records is
// done, for the converters' cancel tests.

#include <cstdint>
#include <string>

#include "logora/engine/run/ControlProcess.h"

namespace testsupport {

class CancelAfter : public logora::ControlProcess {
public:
    explicit CancelAfter(uint32_t records) : records_(records) {}
    void SetProgress(uint32_t, uint32_t done) override { done_ = done; }
    bool IsCancelled() override { return done_ >= records_; }
    void SetMessage(const std::string&) override {}

private:
    uint32_t records_;
    uint32_t done_ = 0;
};

}  // namespace testsupport
