#include "app/syntheticpage.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace lumi {

SyntheticPage::SyntheticPage(QWidget* parent) : QWidget(parent), tabs_(new QTabWidget(this)) {
    tabs_->setObjectName("SSTab4");
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("SYNTHETIC"));
    tabs_->addTab(new QWidget(tabs_), QStringLiteral("IDEAL"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
}

} // namespace lumi
