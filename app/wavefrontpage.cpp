#include "app/wavefrontpage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

WaveFrontPage::WaveFrontPage(QWidget* parent) : QWidget(parent), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab2");
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("   Surface"));
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("Map"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
}

} // namespace lumi
