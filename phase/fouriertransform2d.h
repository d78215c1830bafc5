#pragma once

#include <complex>
#include <cstddef>
#include <memory>

namespace lumi::phase {

// The 2-D transforms of one size through FFTW in single precision (the fringe
// signals hold a few significant digits; half the memory traffic), with their own
// aligned buffers. Grid width x height row-major (x fastest). The half spectrum of
// a real grid holds kx = 0..width/2 and every ky: bin (kx, ky) at ky * halfWidth() + kx.
// Unnormalised like FFTW: forward then inverse multiplies by width x height.
// Plans are made once per size (shared()) and use every thread FFTW was told of.
// Not for concurrent use of one size.
class FourierTransform2d {
public:
    FourierTransform2d(int width, int height);
    ~FourierTransform2d();
    FourierTransform2d(const FourierTransform2d&) = delete;
    FourierTransform2d& operator=(const FourierTransform2d&) = delete;

    // The cached transform of this size (made on first use).
    static std::shared_ptr<FourierTransform2d> shared(int width, int height);
    // The smallest size >= n whose prime factors are 2, 3, 5 and 7.
    static int goodSize(int n);

    using Real = float;
    using Complex = std::complex<float>;

    int width() const { return width_; }
    int height() const { return height_; }
    int halfWidth() const { return width_ / 2 + 1; }

    // real() -> halfSpectrum() (forward, e^{-i...}).
    void forwardReal();
    // halfSpectrum() -> real() (inverse; destroys the half spectrum).
    void inverseReal();
    // complexGrid() in place, inverse direction (e^{+i...}).
    void inverseComplex();

    Real* real() { return real_; }
    Complex* halfSpectrum() { return half_; }
    Complex* complexGrid() { return full_; }

private:
    int width_;
    int height_;
    Real* real_ = nullptr;
    Complex* half_ = nullptr;
    Complex* full_ = nullptr;
    void* forward_ = nullptr;
    void* inverse_ = nullptr;
    void* inverseComplex_ = nullptr;
};

} // namespace lumi::phase
