#pragma once

#include "lib/failure.h"

namespace tes::test {

// The number of the Failure that `action` throws, or 0 when it throws none.
template <typename Action> int FailureNumber(Action action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.number();
    }
    return 0;
}

} // namespace tes::test
