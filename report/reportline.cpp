#include "report/reportline.h"

namespace lumi {

std::string ReportLine::plainText() const {
    std::string out;
    for (const ReportItem& item : items) {
        const auto start = static_cast<std::size_t>(item.column > 1 ? item.column - 1 : 0);
        if (out.size() < start) {
            out.resize(start, ' ');
        }
        out += item.text;
    }
    return out;
}

std::string plainText(const std::vector<ReportLine>& lines) {
    std::string out;
    for (const ReportLine& line : lines) {
        out += line.plainText();
        out += '\n';
    }
    return out;
}

} // namespace lumi
