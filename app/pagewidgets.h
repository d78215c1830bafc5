#pragma once
// Small builders shared by the window's pages.

class QButtonGroup;
class QRadioButton;
class QBoxLayout;

namespace lumi {

// An option button with the control name `name` (tests find it by that name)
// and its caption, added to the exclusive `group` and to `layout`.
QRadioButton* makeOptionButton(const char* name, const char* caption, QButtonGroup* group,
                               QBoxLayout* layout);

} // namespace lumi
