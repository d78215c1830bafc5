#pragma once

#include "fringe/aperturecircle.h"

namespace lumi {

// Where light passes in the normalised pupil: inside the unit circle and
// outside the central obstruction. Coordinates are normalised pupil units
// (aperture centre at 0, aperture radius 1, y grows downwards like the image).
class PupilGeometry {
public:
    double obstructionX = 0.0; // obstruction centre, normalised
    double obstructionY = 0.0;
    double obstructionRadius = 0.0; // normalised; 0 means no obstruction

    // Normalises the obstruction by the aperture (pixels in, pupil units out).
    // Throws AnalysisError(InvalidGeometry) when the aperture radius is not
    // positive and finite.
    static PupilGeometry fromCircles(const ApertureCircle& aperture,
                                     const ApertureCircle& obstruction);

    // True when (x, y) lies on or inside the unit circle and strictly outside
    // the obstruction: the test the wavefront sampler uses for its nodes.
    bool isOpen(double x, double y) const;
};

} // namespace lumi
