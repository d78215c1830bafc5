#include "report/textreport.h"

#include "analysis/analysiserror.h"
#include "common/numbertext.h"
#include "report/aberrationtexts.h"
#include "report/uncertaintytexts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace lumi {
namespace {

constexpr int kZoneWidth = 14;
constexpr int kLabelColumn = 20;
constexpr int kValueColumn = 50;

// Characters of UTF-8 text (continuation bytes do not count).
int columnsOf(std::string_view text) {
    int n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) {
            ++n;
        }
    }
    return n;
}

// Byte offset of the first `columns` characters of UTF-8 text.
std::size_t bytesOfColumns(std::string_view text, int columns) {
    std::size_t i = 0;
    int n = 0;
    while (i < text.size()) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u) {
            if (n == columns) {
                break;
            }
            ++n;
        }
        ++i;
    }
    return i;
}

// Places items by column like a printer's print position: a column already
// passed moves the item to the next line.
class LineWriter {
public:
    void at(int column, std::string text) {
        if (position_ > column) {
            endLine();
        }
        position_ = column + columnsOf(text);
        current_.items.push_back({column, std::move(text)});
    }
    // The start of the print zone after the current position.
    void nextZone(std::string text) {
        const int zone = ((position_ - 1) / kZoneWidth + 1) * kZoneWidth + 1;
        at(zone, std::move(text));
    }
    void endLine() {
        lines_.push_back(std::move(current_));
        current_ = ReportLine{};
        position_ = 1;
    }
    void blank(int count = 1) {
        for (int i = 0; i < count; ++i) {
            endLine();
        }
    }
    void emphasised(ReportEmphasis emphasis, int column, std::string text) {
        current_.emphasis = emphasis;
        at(column, std::move(text));
        endLine();
    }
    std::vector<ReportLine> take() { return std::move(lines_); }

private:
    std::vector<ReportLine> lines_;
    ReportLine current_;
    int position_ = 1;
};

// The pieces of a value: split at its line breaks, then at blanks so that no
// piece reaches beyond `width` columns (width <= 0: no limit).
std::vector<std::string> valuePieces(std::string_view value, int width) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find('\n', start);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        std::string_view line = value.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        // The columns left are counted down, not measured again after each
        // cut: a long value is laid out in linear time.
        int left = width > 0 ? columnsOf(line) : 0;
        while (width > 0 && left > width) {
            std::size_t cut = bytesOfColumns(line, width);
            const std::size_t blank = line.substr(0, cut + 1).find_last_of(' ');
            if (blank != std::string_view::npos && blank > 0) {
                cut = blank;
            }
            pieces.emplace_back(line.substr(0, cut));
            left -= columnsOf(line.substr(0, cut));
            line.remove_prefix(cut);
            while (!line.empty() && line.front() == ' ') {
                line.remove_prefix(1);
                --left;
            }
        }
        pieces.emplace_back(line);
        start = end + 1;
    }
    // A text box's last line break leaves no empty line behind.
    while (pieces.size() > 1 && pieces.back().empty()) {
        pieces.pop_back();
    }
    return pieces;
}

void labelValue(LineWriter& w, int labelColumn, const std::string& label, int valueColumn,
                const std::string& value, int wrapColumns) {
    w.at(labelColumn, label);
    if (!value.empty()) {
        const int width = wrapColumns > 0 ? std::max(1, wrapColumns - valueColumn + 1) : 0;
        bool first = true;
        for (std::string& piece : valuePieces(value, width)) {
            if (!first) {
                w.endLine();
            }
            w.at(valueColumn, std::move(piece));
            first = false;
        }
    }
    w.endLine();
}

std::string signPlace(bool negative) {
    return negative ? "-" : " ";
}

} // namespace

AberrationFieldTexts aberrationFieldTexts(const SummaryTexts& t) {
    return {t.peakToValley, t.rms, t.strehl, t.tilt, t.defocus, t.astigmatism, t.coma, t.spherical};
}

ShownSettingsTexts shownSettingsTexts(const AnalysisInput& input) {
    return {formatShortest(input.inputWavelengthNm), formatShortest(input.outputWavelengthNm),
            formatShortest(input.wavesPerFringe), input.analysisType == AnalysisType::Aspheric};
}

std::string printedUserField(const std::string& field) {
    if (field.size() <= kMaxPrintedFieldBytes) {
        return field;
    }
    std::size_t cut = kMaxPrintedFieldBytes;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0u) == 0x80u) {
        --cut; // not inside a UTF-8 character
    }
    return field.substr(0, cut) + "\n[... " + std::to_string(field.size() - cut) +
           " more bytes of this field are not printed]";
}

TextReportInput textReportInput(const Measurement& m, const ShownSettingsTexts& shown,
                                const SummaryTexts& summary,
                                const std::array<std::string, 5>& userData,
                                const std::string& fileName, const FitUncertainty* fit) {
    TextReportInput in;
    if (fit != nullptr && fit->available()) {
        in.coefficientStdError = fit->stdError;
    }
    in.fileName = fileName;
    for (std::size_t i = 0; i < userData.size(); ++i) {
        in.userData[i] = printedUserField(userData[i]);
    }
    in.inputWavelengthText = shown.inputWavelength;
    in.outputWavelengthText = shown.outputWavelength;
    in.wavesPerFringeText = shown.wavesPerFringe;
    in.highestTerm = m.settings.highestTerm;
    // 16-bit counters in the report: at most 101 x 200 points, no overflow.
    in.fringeCount = m.store.nonEmptyFringeCount();
    in.pointCount = m.store.totalPointCount();
    in.summary = aberrationFieldTexts(summary);
    in.aspheric = shown.aspheric;
    in.bestConicText = bestFitConicText(m.results.bestFitConic);
    in.coefficients = m.results.coefficients;
    in.wavesPerFringe = static_cast<double>(m.settings.wavesPerFringe);
    return in;
}

std::string reportWholeNumber(long long v) {
    const unsigned long long magnitude =
        v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    return signPlace(v < 0) + std::to_string(magnitude) + " ";
}

std::string reportRealNumber(double v) {
    // -0 prints as 0.
    return signPlace(v < 0.0) + formatSignificant(std::fabs(v), 15) + " ";
}

std::vector<ReportLine> textReportLines(const TextReportInput& in, int wrapColumns) {
    if (!(in.wavesPerFringe != 0.0 && std::isfinite(in.wavesPerFringe))) {
        throw AnalysisError(AnalysisError::Kind::ZeroWavesPerFringe,
                            "The coefficients cannot be given in fringes: the waves per fringe of "
                            "the last analysis is 0.");
    }
    LineWriter w;
    w.blank(3);
    w.emphasised(ReportEmphasis::Title, 30,
                 "----------------------- LUMIVOREXAN -- INTERFEROGRAM ANALYSIS REPORT "
                 "---------------- ");
    w.blank(2);
    labelValue(w, 10, "File Name     :", 30, in.fileName, wrapColumns);
    w.blank();

    w.emphasised(ReportEmphasis::Heading, kValueColumn, "USER DATA");
    w.blank();
    static constexpr std::array<const char*, 5> kUserLabels{"DATE", "OPERATOR", "INSTRUMENT",
                                                            "OPTIC DESCRIPTION", "NOTES"};
    for (std::size_t i = 0; i < kUserLabels.size(); ++i) {
        labelValue(w, kLabelColumn, kUserLabels[i], kValueColumn, in.userData[i], wrapColumns);
    }
    w.blank();

    const auto row = [&](const char* label, const std::string& value) {
        labelValue(w, kLabelColumn, label, kValueColumn, value, wrapColumns);
    };
    w.emphasised(ReportEmphasis::Heading, kValueColumn, "TEST REPORT :");
    w.blank();
    row("Input  WaveLength [nm]   ", in.inputWavelengthText);
    row("Output WaveLength [nm]   ", in.outputWavelengthText);
    row("Waves  per Fringe        ", in.wavesPerFringeText);
    // The count of terms fitted (0..highestTerm): what "Zernike number" offers.
    row("Zernike terms fitted     ", reportWholeNumber(in.highestTerm + 1));
    w.blank();
    row("Number of Fringes        ", reportWholeNumber(in.fringeCount));
    row("Total Points on fringes  ", reportWholeNumber(in.pointCount));
    w.blank(2);

    w.emphasised(ReportEmphasis::Heading, kValueColumn, "ABERRATION Magnitude");
    w.blank();
    const AberrationFieldTexts& s = in.summary;
    row("PEAK to VALLEY           ", s.peakToValley);
    row("RMS                      ", s.rms);
    row("STREHL Ratio             ", s.strehl);
    w.blank();
    row("Tilt                     ", s.tilt);
    row("Defocus                  ", s.defocus);
    row("Astigmatism (low-order)  ", s.astigmatism);
    row("Coma        (low-order)  ", s.coma);
    row("Spherical   (low-order)  ", s.spherical);
    w.blank();
    if (in.aspheric) {
        row("Best Conic Constant Fit  ", in.bestConicText);
    }
    w.blank();

    w.emphasised(ReportEmphasis::Heading, kValueColumn, " ZERNIKE coefficients ");
    w.blank();
    const int last = std::min(in.highestTerm, static_cast<int>(in.coefficients.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        w.nextZone(reportWholeNumber(i));
        w.nextZone(
            reportRealNumber(in.coefficients[static_cast<std::size_t>(i)] / in.wavesPerFringe));
        if (in.coefficientStdError) {
            // As the "Zernike" page's cells show it: a sigma needs no 15 digits.
            w.nextZone("+/- " +
                       stdErrorFringesText((*in.coefficientStdError)[static_cast<std::size_t>(i)],
                                           in.wavesPerFringe));
        }
        w.endLine();
    }
    return w.take();
}

} // namespace lumi
