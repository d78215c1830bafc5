#pragma once
// Pictures of the maps of a phase analysis, for the phase windows. Every map is
// row-major, width x height, y downwards; pixels outside `inPupil` are black.

#include "phase/fringespectrum.h"
#include "phase/phasefield.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace lumi {

// A wrapped phase (radians, -pi .. pi) as grey: black at -pi to white at pi.
QImage wrappedPhaseImage(const phase::PhaseField& wrapped);

// A wavefront (waves) in the five-band colours of the wavefront map, from its
// lowest (black) to its highest (red) pupil value.
QImage wavefrontImage(int width, int height, const std::vector<double>& waves,
                      const std::vector<std::uint8_t>& inPupil);

// Levels 0..1 as grey (a modulation or quality map); an empty inPupil shows every pixel.
QImage levelImage(int width, int height, const std::vector<float>& level,
                  const std::vector<std::uint8_t>& inPupil = {});

// The spectrum's levels as grey.
QImage spectrumImage(const phase::FringeSpectrum& spectrum);

// A picture scaled down to `heightPx` rows (aspect kept) for a strip of frames.
QImage thumbnailOf(const QImage& picture, int heightPx);

} // namespace lumi
