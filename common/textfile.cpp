#include "common/textfile.h"

#include "common/fileerror.h"

#include <array>
#include <fstream>
#include <system_error>

namespace lumi {

std::string readTextFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw FileError("Cannot read " + path.string() + ": it is a folder.");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError("Cannot open " + path.string() + " for reading.");
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxBytes)
        throw FileError("Cannot read " + path.string() + ": at " + std::to_string(size) +
                        " bytes it is far too large for a data file.");
    std::string bytes;
    std::array<char, 65536> chunk{};
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) // the size may have been unknown (a pipe)
            throw FileError("Cannot read " + path.string() +
                            ": it is far too large for a data file.");
    }
    if (in.bad())
        throw FileError("Cannot read " + path.string() + ".");
    return bytes;
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
