// The exported functions are C functions: nothing may be thrown across them.
#pragma once

namespace ordil {

// Runs `body`, turning any exception (such as a failed allocation) into `fallback`.
template <typename Result, typename Body>
Result guarded(Result fallback, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

}  // namespace ordil
