#include "phase/fouriertransform2d.h"

#include "phase/phaseerror.h"

#include <fftw3.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace lumi::phase {
namespace {

// FFTW's planner is not thread-safe: every plan is made under this lock.
std::mutex& plannerMutex() {
    static std::mutex m;
    return m;
}

void initThreadsOnce() {
    static const bool done = [] {
        fftwf_init_threads();
        fftwf_plan_with_nthreads(
            static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
        return true;
    }();
    (void)done;
}

template <class T> T* allocate(std::size_t count) {
    auto* p = static_cast<T*>(fftwf_malloc(sizeof(T) * count));
    if (!p)
        throw PhaseError(PhaseError::Kind::BadInput, "Not enough memory for a transform of " +
                                                         std::to_string(count) + " values");
    return p;
}

} // namespace

int FourierTransform2d::goodSize(int n) {
    for (int m = std::max(n, 1);; ++m) {
        int r = m;
        for (const int p : {2, 3, 5, 7})
            while (r % p == 0)
                r /= p;
        if (r == 1)
            return m;
    }
}

FourierTransform2d::FourierTransform2d(int width, int height) : width_(width), height_(height) {
    if (width < 2 || height < 2)
        throw PhaseError(PhaseError::Kind::BadInput, "A transform needs at least 2 x 2 pixels");
    const auto n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const auto halfN = static_cast<std::size_t>(halfWidth()) * static_cast<std::size_t>(height);
    std::lock_guard lock(plannerMutex());
    initThreadsOnce();
    real_ = allocate<Real>(n);
    half_ = allocate<Complex>(halfN);
    full_ = allocate<Complex>(n);
    auto* half = reinterpret_cast<fftwf_complex*>(half_);
    auto* full = reinterpret_cast<fftwf_complex*>(full_);
    // Estimated plans: measuring would cost more than one analysis saves.
    forward_ = fftwf_plan_dft_r2c_2d(height, width, real_, half, FFTW_ESTIMATE);
    inverse_ = fftwf_plan_dft_c2r_2d(height, width, half, real_, FFTW_ESTIMATE);
    inverseComplex_ = fftwf_plan_dft_2d(height, width, full, full, FFTW_BACKWARD, FFTW_ESTIMATE);
}

FourierTransform2d::~FourierTransform2d() {
    std::lock_guard lock(plannerMutex());
    for (void* p : {forward_, inverse_, inverseComplex_})
        if (p)
            fftwf_destroy_plan(static_cast<fftwf_plan>(p));
    fftwf_free(real_);
    fftwf_free(half_);
    fftwf_free(full_);
}

std::shared_ptr<FourierTransform2d> FourierTransform2d::shared(int width, int height) {
    static std::mutex cacheMutex;
    static std::map<std::pair<int, int>, std::shared_ptr<FourierTransform2d>> cache;
    std::lock_guard lock(cacheMutex);
    auto& slot = cache[{width, height}];
    if (!slot) {
        // Keep the cache small: a new size replaces all but the last few.
        if (cache.size() > 4)
            std::erase_if(cache,
                          [](const auto& kv) { return kv.second && kv.second.use_count() == 1; });
        slot = std::make_shared<FourierTransform2d>(width, height);
        cache[{width, height}] = slot;
    }
    return cache[{width, height}];
}

void FourierTransform2d::forwardReal() {
    fftwf_execute(static_cast<fftwf_plan>(forward_));
}
void FourierTransform2d::inverseReal() {
    fftwf_execute(static_cast<fftwf_plan>(inverse_));
}
void FourierTransform2d::inverseComplex() {
    fftwf_execute(static_cast<fftwf_plan>(inverseComplex_));
}

} // namespace lumi::phase
