#include "app/notespage.h"

namespace lumi {

NotesPage::NotesPage(QWidget* parent) : QWidget(parent) {}

} // namespace lumi
