#include "fringe/textfile.h"

#include "fringe/fileerror.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace lumi {

std::string readTextFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw FileError("Cannot read " + path.string() + ": it is a folder.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("Cannot open " + path.string() + " for reading.");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw FileError("Cannot read " + path.string() + ".");
    return std::move(bytes).str();
}

void writeTextFileReplacing(const std::filesystem::path& path, std::string_view text) {
    std::filesystem::path temp = path;
    temp += ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw FileError("Cannot write " + path.string() +
                            ": the folder does not accept a new file.");
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw FileError("Cannot write " + path.string() + ": writing failed (disk full?).");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw FileError("Cannot write " + path.string() + ": " + ec.message() + ".");
    }
}

} // namespace lumi
