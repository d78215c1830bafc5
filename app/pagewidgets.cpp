#include "app/pagewidgets.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumi {

QRadioButton* makeOptionButton(const char* name, const char* caption, QButtonGroup* group,
                               QVBoxLayout* layout) {
    auto* option = new QRadioButton(QString::fromLatin1(caption));
    option->setObjectName(QString::fromLatin1(name));
    group->addButton(option);
    layout->addWidget(option);
    return option;
}

} // namespace lumi
