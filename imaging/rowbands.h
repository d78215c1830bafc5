#pragma once

#include <functional>

namespace lumi {

// Runs work(firstRow, endRow) over consecutive bands covering rows 0..rowCount-1,
// one band per core (at most two), the first on the calling thread. Each output
// row must depend only on its own index, so the result equals one pass in order.
// Fewer than minRowsPerBand rows per band run as one band on the calling thread.
void forEachRowBand(int rowCount, const std::function<void(int firstRow, int endRow)>& work,
                    int minRowsPerBand = 32);

} // namespace lumi
