#include "app/psfpage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

PsfPage::PsfPage(QWidget* parent) : QWidget(parent), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab3");
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("PSF  Map"));
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("PSF Surface"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
}

} // namespace lumi
