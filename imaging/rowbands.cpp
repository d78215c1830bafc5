#include "imaging/rowbands.h"

#include <algorithm>
#include <exception>
#include <thread>

namespace lumi {

void forEachRowBand(int rowCount, const std::function<void(int, int)>& work, int minRowsPerBand) {
    if (rowCount <= 0) {
        return;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    if (cores < 2 || rowCount < 2 * std::max(1, minRowsPerBand)) {
        work(0, rowCount);
        return;
    }
    const int split = rowCount / 2;
    // A failure on the second thread (out of memory) is passed on to the caller.
    std::exception_ptr secondFailure;
    std::thread second([&work, &secondFailure, split, rowCount] {
        try {
            work(split, rowCount);
        } catch (...) {
            secondFailure = std::current_exception();
        }
    });
    try {
        work(0, split);
    } catch (...) {
        second.join();
        throw;
    }
    second.join();
    if (secondFailure) {
        std::rethrow_exception(secondFailure);
    }
}

} // namespace lumi
