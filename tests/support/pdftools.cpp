#include "pdftools.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

namespace lumi::testing {
namespace {

std::string output(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe.get())) > 0) {
        out.append(chunk.data(), n);
    }
    if (out.empty()) {
        ADD_FAILURE() << "no output from " << command << " (is poppler-utils installed?)";
    }
    return out;
}

} // namespace

std::string pdfInfo(const std::filesystem::path& pdf) {
    return output("pdfinfo -f 1 -l 9 '" + pdf.string() + "' 2>&1");
}

std::string pdfText(const std::filesystem::path& pdf) {
    return output("pdftotext -layout '" + pdf.string() + "' - 2>&1");
}

} // namespace lumi::testing
