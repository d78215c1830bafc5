#include "analysis/fringefileinput.h"

#include "common/numbertext.h"

namespace lumi {

double asShownSingle(double v) {
    // The reader has refused values beyond single precision, so the text is a
    // plain finite number and reads back.
    return parseStrict(formatSignificant(static_cast<double>(narrowToSingle(v)), 7)).value_or(v);
}

AnalysisInput inputFromFringeFile(const FringeDataFile& file, AnalysisInput current) {
    if (file.wavelengthsPresent) {
        current.inputWavelengthNm = asShownSingle(file.inputWavelengthNm);
        current.outputWavelengthNm = asShownSingle(file.outputWavelengthNm);
        current.wavesPerFringe = asShownSingle(static_cast<double>(file.wavesPerFringe));
    }
    if (file.asphericPresent) {
        current.surfaceDiameterMm = asShownSingle(file.surfaceDiameterMm);
        current.curvatureRadiusMm = asShownSingle(file.curvatureRadiusMm);
        current.targetConic = asShownSingle(file.targetConic);
    }
    current.analysisType = file.isAspheric() ? AnalysisType::Aspheric : AnalysisType::Standard;
    return current;
}

} // namespace lumi
