#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>

#include <filesystem>

namespace lumi {

// A PDF document made in memory (A4, 15 mm margins, 300 dpi) so that the file
// is written in one piece through the program's safe writer.
class PdfDocument {
public:
    explicit PdfDocument(const QString& title);

    QPdfWriter& writer() { return writer_; }
    // The finished document; complete once the painter on writer() has ended.
    const QByteArray& bytes() const { return data_; }
    // Writes bytes() to `path` (replacing it). Throws FileError.
    void save(const std::filesystem::path& path) const;

private:
    QByteArray data_;
    QBuffer buffer_;
    QPdfWriter writer_;
};

} // namespace lumi
