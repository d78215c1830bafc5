#pragma once

namespace lumi {

// "Grid Size" on the PSF page: how many pupil intervals N are sampled into the
// 256-point transform (more samples across the pupil = fewer PSF pixels per
// lambda/D).
enum class PsfGridSize { Grid64, Grid128, Grid256 };

// "Normalize Peak Intensity to....": height of the surface peak.
enum class PsfNormalisation { Unity, UnaberratedPsf };

// Grid count N sampled for a grid-size choice: 32, 64 or 128.
constexpr int psfPupilSampleCount(PsfGridSize size) {
    switch (size) {
    case PsfGridSize::Grid64: return 32;
    case PsfGridSize::Grid128: return 64;
    case PsfGridSize::Grid256: return 128;
    }
    return 64;
}

// Height factor H of the PSF surface (plot units; the transform size is 256):
// 64 for "Unity"; 64 x strehl for "Unaberrated PSF", so an aberrated PSF stands
// lower than a perfect one by its Strehl ratio.
constexpr double psfSurfaceHeightFactor(PsfNormalisation normalisation, double strehl) {
    constexpr double kUnityHeight = 256.0 / 4.0;
    return normalisation == PsfNormalisation::Unity ? kUnityHeight : kUnityHeight * strehl;
}

} // namespace lumi
