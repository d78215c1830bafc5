#include "app/mtfpage.h"

#include <QVBoxLayout>

namespace lumi {

MtfPage::MtfPage(QWidget* parent) : QWidget(parent), pictureMtf_(new QWidget(this)) {
    pictureMtf_->setObjectName("PictureMTF");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pictureMtf_);
}

} // namespace lumi
