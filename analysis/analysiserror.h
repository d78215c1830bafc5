#pragma once

#include <stdexcept>
#include <string>

namespace lumi {

// An arithmetic fault that ends an analysis command. The message is written for
// the user ("The points do not determine 37 terms ...").
class AnalysisError : public std::runtime_error {
public:
    enum class Kind {
        SingularFit,          // a negligible pivot: the points do not determine the terms
        ZeroOutputWavelength, // wavelength ratio has a zero divisor
        ZeroIdealSpherical,   // aspheric: the ideal conic has no spherical term
        NonFinite,            // a result overflowed or became NaN
        InvalidGeometry,      // e.g. zero aperture radius or missing aspheric data
        ZeroWavesPerFringe,   // every height would be 0 and fringe units divide by it
        InvalidSettings,      // a setting outside its range (e.g. the Zernike number)
    };

    AnalysisError(Kind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace lumi
