#include "report/render/pdfdocument.h"

#include "common/textfile.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

#include <string_view>

namespace lumi {
namespace {

QIODevice* openedForWriting(QBuffer& buffer) {
    buffer.open(QIODevice::WriteOnly);
    return &buffer;
}

} // namespace

PdfDocument::PdfDocument(const QString& title)
    : buffer_(&data_), writer_(openedForWriting(buffer_)) {
    writer_.setTitle(title);
    writer_.setCreator(QStringLiteral("Lumivorexan"));
    writer_.setResolution(300);
    writer_.setPageSize(QPageSize(QPageSize::A4));
    writer_.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

void PdfDocument::save(const std::filesystem::path& path) const {
    writeTextFileReplacing(
        path, std::string_view(data_.constData(), static_cast<std::size_t>(data_.size())));
}

} // namespace lumi
