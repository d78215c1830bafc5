#pragma once

#include "phase/phasefield.h"

namespace lumi::phase {

struct UnwrapResult {
    // The unwrapped phase (radians, continuous across the pupil; one constant 2 pi k
    // offset is arbitrary). inPupil is cleared where the pixel could not be unwrapped
    // consistently: pixels outside the largest connected piece, and both pixels of
    // every neighbour pair whose unwrapped difference still exceeds pi (the cut lines
    // that phase residues leave). quality is copied from the input.
    PhaseField field;
    // Pixels cleared as above over the input's pupil pixels, 0..1.
    double failedShare = 0.0;
};

// Quality-guided unwrapping by reliability-sorted edges (Herraez et al. 2002): a
// pixel's reliability is its quality divided by 1 + the root-sum-square of its
// wrapped second differences (horizontal, vertical, both diagonals, over the
// neighbours inside the pupil); an edge between 4-neighbours weighs the sum of its
// two pixels'. Edges join pieces from the most reliable down, each join shifting
// the smaller piece by the whole number of 2 pi turns that makes the pair's step
// smallest. Input phase in radians, any range (it is wrapped first). Refusing a
// result whose failedShare is too large is the caller's choice. Throws PhaseError
// BadInput when the vector sizes do not match width x height or no pixel is in
// the pupil.
UnwrapResult unwrapPhase(const PhaseField& wrapped);

} // namespace lumi::phase
