#pragma once
// Reads PDF files back with Debian's poppler-utils (pdfinfo, pdftotext), which
// the build dependencies install; a missing tool fails the test.

#include <filesystem>
#include <string>

namespace lumi::testing {

// pdfinfo of pages 1..9: "Pages:" and one "Page    n size:" line each.
std::string pdfInfo(const std::filesystem::path& pdf);
// The text of every page, laid out as on the page.
std::string pdfText(const std::filesystem::path& pdf);

} // namespace lumi::testing
