#pragma once

#include <string>
#include <vector>

namespace lumi {

// The two emphases of the printed report: the title's and the section headings'.
// Printers show them as two different font attributes (bold, underline).
enum class ReportEmphasis { None, Title, Heading };

// One text placed at a character column; column 1 is the left edge of the
// printable area, a column is one character width of the report's font.
struct ReportItem {
    int column = 1;
    std::string text;
    bool operator==(const ReportItem&) const = default;
};

// One printed line: its items left to right (none for a blank line).
struct ReportLine {
    ReportEmphasis emphasis = ReportEmphasis::None;
    std::vector<ReportItem> items;

    // The line as plain text: each item padded with blanks to its column,
    // trailing blanks kept as the items hold them.
    std::string plainText() const;
    bool operator==(const ReportLine&) const = default;
};

// The lines joined by "\n", each ended by one.
std::string plainText(const std::vector<ReportLine>& lines);

} // namespace lumi
