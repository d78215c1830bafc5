#include "app/pagewidgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace lumi {

QRadioButton* makeOptionButton(const char* name, const char* caption, QButtonGroup* group,
                               QBoxLayout* layout) {
    auto* option = new QRadioButton(QString::fromLatin1(caption));
    option->setObjectName(QString::fromLatin1(name));
    group->addButton(option);
    layout->addWidget(option);
    return option;
}

} // namespace lumi
