#include "imaging/imageoperation.h"

#include "imaging/geometricoperations.h"
#include "imaging/toneoperations.h"

#include <algorithm>

namespace lumi {

void clampToBitDepth(PixelGrid& grid, int bitDepth) {
    if (bitDepth != 15 && bitDepth != 16) {
        return;
    }
    const std::uint8_t greenMax = bitDepth == 16 ? 63 : 31;
    PixelTriple* p = grid.data();
    const std::size_t n =
        static_cast<std::size_t>(grid.width()) * static_cast<std::size_t>(grid.height());
    for (std::size_t i = 0; i < n; ++i) {
        p[i].red = std::min<std::uint8_t>(p[i].red, 31);
        p[i].green = std::min(p[i].green, greenMax);
        p[i].blue = std::min<std::uint8_t>(p[i].blue, 31);
    }
}

namespace {

PixelGrid run(const PixelGrid& in, const ImageOperation& op) {
    using Kind = ImageOperation::Kind;
    switch (op.kind) {
    case Kind::Brightness: return adjustBrightness(in, op.amount);
    case Kind::Contrast: return adjustContrast(in, op.amount);
    case Kind::Binary: return binaryContrast(in, op.amount);
    case Kind::ColorBalance: return balanceColors(in, op.red, op.green, op.blue);
    case Kind::Saturation: return adjustSaturation(in, op.amount);
    case Kind::GreyScale: return greyScale(in);
    case Kind::Invert: return invertColors(in);
    case Kind::FlipHorizontal: return flipHorizontal(in);
    case Kind::FlipVertical: return flipVertical(in);
    case Kind::Rescale: return rescale(in, op.scalePercent);
    case Kind::Rotate: return rotate(in, op.amount);
    case Kind::Filter: return applyFilterKernel(in, kernelWeights(op.kernel));
    }
    return in;
}

} // namespace

PixelGrid applyImageOperation(const PixelGrid& in, const ImageOperation& op, int bitDepth) {
    PixelGrid out = run(in, op);
    clampToBitDepth(out, bitDepth);
    return out;
}

} // namespace lumi
