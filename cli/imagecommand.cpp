#include "cli/imagecommand.h"

#include "cli/commandusage.h"
#include "cli/exitcodes.h"
#include "cli/usageerror.h"
#include "common/fileerror.h"
#include "common/numbertext.h"
#include "common/outputfiles.h"
#include "common/textfile.h"
#include "imaging/imagingerror.h"
#include "ui/picture/pictureloader.h"
#include "ui/picture/picturepixels.h"

#include <QFileInfo>

#include <cmath>
#include <new>
#include <optional>
#include <ostream>
#include <string_view>

namespace lumi::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumivorexan-cli image IN OUT [--brightness N] [--contrast N] [--binary N]\n"
    "         [--balance R,G,B] [--saturation N] [--grey] [--invert] [--flip h|v]\n"
    "         [--scale PERCENT] [--rotate DEG] [--low-pass 1|2|3] [--high-pass 1|2|3]\n";

constexpr CommandUsage kCommand{"image", kUsage};

// A whole number from min to max, as the window's sliders hold them.
int wholeNumber(std::string_view option, std::string_view text, int min, int max) {
    const std::optional<double> v = parseStrict(text);
    if (!v || *v != std::floor(*v) || *v < min || *v > max) {
        throw UsageError(std::string(option) + ": \"" + std::string(text) +
                         "\" is not a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max));
    }
    return static_cast<int>(*v);
}

ImageOperation operation(ImageOperation::Kind kind, int amount = 0) {
    ImageOperation op;
    op.kind = kind;
    op.amount = amount;
    return op;
}

FilterKernel kernelFor(std::string_view option, std::string_view text, bool highPass) {
    const int n = wholeNumber(option, text, 1, 3);
    if (highPass) {
        return n == 1 ? FilterKernel::VeryWeak : n == 2 ? FilterKernel::Weak : FilterKernel::Strong;
    }
    return n == 1   ? FilterKernel::Uniform
           : n == 2 ? FilterKernel::Peaked
                    : FilterKernel::StronglyPeaked;
}

ImageOperation colorBalance(std::string_view text) {
    ImageOperation op = operation(ImageOperation::Kind::ColorBalance);
    int* parts[] = {&op.red, &op.green, &op.blue};
    std::size_t start = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((i < 2) == (comma == std::string_view::npos)) {
            throw UsageError("--balance: \"" + std::string(text) +
                             "\" is not three whole numbers R,G,B");
        }
        const std::string_view part = text.substr(start, i < 2 ? comma - start : text.npos);
        *parts[i] = wholeNumber("--balance", part, -100, 100);
        start = comma + 1;
    }
    return op;
}

// One option and its value (when it takes one) into an operation.
ImageOperation parseOperation(std::string_view option, std::string_view value) {
    using Kind = ImageOperation::Kind;
    if (option == "--brightness") {
        return operation(Kind::Brightness, wholeNumber(option, value, -100, 100));
    }
    if (option == "--contrast") {
        return operation(Kind::Contrast, wholeNumber(option, value, 0, 300));
    }
    if (option == "--binary") {
        return operation(Kind::Binary, wholeNumber(option, value, 0, 255));
    }
    if (option == "--balance") {
        return colorBalance(value);
    }
    if (option == "--saturation") {
        return operation(Kind::Saturation, wholeNumber(option, value, -100, 100));
    }
    if (option == "--flip") {
        if (value != "h" && value != "v") {
            throw UsageError("--flip: \"" + std::string(value) + "\" is not h or v");
        }
        return operation(value == "h" ? Kind::FlipHorizontal : Kind::FlipVertical);
    }
    if (option == "--scale") {
        const std::optional<double> percent = parseStrict(value);
        if (!percent || !(*percent > 0.0)) {
            throw UsageError("--scale: \"" + std::string(value) + "\" is not a percentage above 0");
        }
        ImageOperation op = operation(Kind::Rescale);
        op.scalePercent = *percent;
        return op;
    }
    if (option == "--rotate") {
        return operation(Kind::Rotate, wholeNumber(option, value, 0, 360));
    }
    ImageOperation op = operation(Kind::Filter);
    op.kernel = kernelFor(option, value, option == "--high-pass");
    return op;
}

bool takesValue(std::string_view option) {
    for (const char* name : {"--brightness", "--contrast", "--binary", "--balance", "--saturation",
                             "--flip", "--scale", "--rotate", "--low-pass", "--high-pass"}) {
        if (option == name) {
            return true;
        }
    }
    return false;
}

bool knownOutputType(const std::string& fileName) {
    const QString suffix = QFileInfo(QString::fromStdString(fileName)).suffix().toLower();
    return suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "png";
}

} // namespace

ImageRequest parseImageArguments(std::span<const std::string> args) {
    ImageRequest request;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            request.helpRequested = true;
            return request;
        }
        if (arg == "--grey" || arg == "--gray") {
            request.operations.push_back(operation(ImageOperation::Kind::GreyScale));
        } else if (arg == "--invert") {
            request.operations.push_back(operation(ImageOperation::Kind::Invert));
        } else if (takesValue(arg)) {
            if (i + 1 >= args.size()) {
                throw UsageError(arg + " needs a value");
            }
            request.operations.push_back(parseOperation(arg, args[++i]));
        } else if (arg.size() > 1 && arg[0] == '-' && !parseStrict(arg)) {
            throw UsageError("unknown option \"" + arg + "\"");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        throw UsageError(files.size() < 2 ? "IN and OUT pictures are needed"
                                          : "unexpected argument \"" + files[2] + "\"");
    }
    request.inFile = files[0];
    request.outFile = files[1];
    if (!knownOutputType(request.outFile)) {
        throw UsageError("OUT must end in .bmp, .jpg, .jpeg or .png");
    }
    return request;
}

std::string imageHelpText() {
    return std::string(kUsage) +
           "\n"
           "Reads the picture IN (BMP, JPEG, PNG, ...), applies the operations in the\n"
           "order given, exactly as the image processing window does, and writes OUT\n"
           "(format by its extension; an existing file is replaced only when the new\n"
           "one is complete).\n"
           "\n"
           "Operations:\n"
           "  --brightness N    -100..100: towards white (N > 0) or black (N < 0)\n"
           "  --contrast N      0..300, 100 leaves the picture unchanged\n"
           "  --binary N        0..255: white where the mean of R, G, B is >= N, else black\n"
           "  --balance R,G,B   -100..100 each: colour balance\n"
           "  --saturation N    -100..100: -100 gives grey\n"
           "  --grey            grey scale (plain mean of R, G, B)\n"
           "  --invert          255 - each component\n"
           "  --flip h|v        mirror left-right (h) or top-bottom (v)\n"
           "  --scale PERCENT   rescale (bilinear), above 0, at most 400 megapixels\n"
           "  --rotate DEG      0..360, counter-clockwise into the bounding box, white corners\n"
           "  --low-pass K      3x3 low-pass: 1 uniform, 2 peaked, 3 strongly peaked\n"
           "  --high-pass K     3x3 high-pass: 1 very weak, 2 weak, 3 strong\n"
           "\n"
           "Exit status: 0 done; 2 bad option or number, a picture that cannot be read or\n"
           "written, or a refused scale.\n";
}

int runImage(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    ImageRequest request;
    try {
        request = parseImageArguments(args);
    } catch (const UsageError& e) {
        kCommand.printUsageError(err, e.what());
        return kExitBadInput;
    }
    if (request.helpRequested) {
        out << imageHelpText();
        return kExitOk;
    }
    PicturePixels pixels;
    try {
        const std::filesystem::path inputs[] = {request.inFile};
        const std::filesystem::path outputs[] = {request.outFile};
        OutputFiles::check(outputs, inputs);
        pixels = readPicturePixels(readPictureFile(request.inFile));
    } catch (const FileError& e) {
        err << "lumivorexan-cli image: " << e.what() << "\n";
        return kExitBadInput;
    }
    QImage result;
    try {
        for (const ImageOperation& op : request.operations) {
            pixels.grid = applyImageOperation(pixels.grid, op, pixels.bitDepth);
        }
        result = writePicturePixels(pixels.grid, pixels.bitDepth);
    } catch (const ImagingError& e) {
        err << "lumivorexan-cli image: " << e.what() << "\n";
        return kExitBadInput;
    } catch (const std::bad_alloc&) {
        err << "lumivorexan-cli image: there is not enough memory for this picture\n";
        return kExitBadInput;
    }
    const QString outName = QString::fromStdString(request.outFile);
    const QByteArray bytes = encodePicture(result, pictureFormatFor(outName, true));
    try {
        if (bytes.isEmpty()) {
            throw FileError("the picture cannot be encoded");
        }
        writeTextFileReplacing(
            request.outFile,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const FileError& e) {
        err << "lumivorexan-cli image: cannot write \"" << request.outFile << "\": " << e.what()
            << "\n";
        return kExitBadInput;
    }
    out << "wrote " << request.outFile << " (" << pixels.grid.width() << " x "
        << pixels.grid.height() << " pixels)\n";
    return kExitOk;
}

} // namespace lumi::cli
