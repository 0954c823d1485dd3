#pragma once
// An output stream that tells when it lost text: each piece is flushed at
// once, so that a failed write (a full disk, a closed pipe) is seen while the
// system's reason is still at hand.

#include <ostream>
#include <string>
#include <string_view>

namespace vettle {

class CheckedOutput
{
public:
    explicit CheckedOutput(std::ostream& out) : out_(out) {}

    // Nothing more is written once a write failed.
    void Write(std::string_view text);
    // Why a write failed; empty while every one arrived.
    const std::string& Failure() const { return failure_; }

private:
    std::ostream& out_;
    std::string failure_;
};

}  // namespace vettle
