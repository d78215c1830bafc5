#pragma once
// Wavefront grids for the optics tests, filled the way the sampler fills them:
// nodes 0..N, the pupil mask set from the geometry, value 0 wherever it is closed.

#include "analysis/wavefrontgrid.h"
#include "analysis/zernike.h"
#include "optics/complexfield.h"
#include "optics/fieldtransform.h"
#include "optics/modulationtransfer.h"
#include "optics/pointspreadfunction.h"
#include "optics/pupilgeometry.h"

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace lumi::testing {

// W(x, y) in waves on every open node of an N-interval grid.
template <typename Wavefront>
std::unique_ptr<WavefrontGrid> makeGrid(int n, const PupilGeometry& pupil, Wavefront wavefront) {
    auto grid = std::make_unique<WavefrontGrid>();
    grid->gridCount = n;
    for (int r = 0; r <= n; ++r) {
        const double y = WavefrontGrid::nodeCoordinate(r, n);
        for (int c = 0; c <= n; ++c) {
            const double x = WavefrontGrid::nodeCoordinate(c, n);
            if (pupil.isOpen(x, y)) {
                grid->setInPupil(r, c, true);
                grid->at(r, c) = wavefront(x, y);
            }
        }
    }
    return grid;
}

// Sum of (term, coefficient in waves) pairs of Zernike terms.
inline std::unique_ptr<WavefrontGrid>
makeZernikeGrid(int n, const PupilGeometry& pupil,
                std::initializer_list<std::pair<int, double>> terms) {
    return makeGrid(n, pupil, [terms](double x, double y) {
        double w = 0.0;
        for (const auto& [term, waves] : terms) {
            w += waves * evaluateZernike(term, x, y);
        }
        return w;
    });
}

// The field and transform a window would own, with the two computations.
struct OpticsWorkspace {
    std::unique_ptr<ComplexField> field = std::make_unique<ComplexField>();
    FieldTransform transform;

    PointSpreadFunction psf(const WavefrontGrid& grid) {
        return computePointSpreadFunction(grid, *field, transform);
    }
    ModulationTransfer mtf(const WavefrontGrid& grid) {
        return computeModulationTransfer(grid, 1.0, *field, transform);
    }
};

// Which of field[0..n-1][0..n-1] are nonzero, row by row.
inline std::vector<bool> supportOf(const ComplexField& field, int n) {
    std::vector<bool> mask;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            mask.push_back(field.real(r, c) != 0.0 || field.imag(r, c) != 0.0);
        }
    }
    return mask;
}

} // namespace lumi::testing
