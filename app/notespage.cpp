#include "app/notespage.h"

#include "common/fileerror.h"
#include "fringe/userdatafile.h"
#include "ui/dialogservice.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumi {
namespace {

// A plain text box of several lines keeps at most `maxLength` characters.
void limitLength(QPlainTextEdit* edit, int maxLength) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxLength] {
        const QString text = edit->toPlainText();
        if (text.size() > maxLength) {
            edit->setPlainText(text.left(maxLength));
            edit->moveCursor(QTextCursor::End);
        }
    });
}

QLineEdit* lineField(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

QPlainTextEdit* textField(const char* name, int maxLength, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    limitLength(edit, maxLength);
    return edit;
}

} // namespace

NotesPage::NotesPage(Fields& stored, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), stored_(stored), dialogs_(dialogs) {
    date_ = lineField("DateField", kMaxLength[0], this);
    operator_ = lineField("OperatorField", kMaxLength[1], this);
    instrument_ = lineField("InstrumentField", kMaxLength[2], this);
    optic_ = textField("OpticField", kMaxLength[3], this);
    notes_ = textField("NotesField", kMaxLength[4], this);

    auto* heading = new QLabel(QStringLiteral("-  USER   DATA -"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("DATE"), date_);
    form->addRow(QStringLiteral("OPERATOR"), operator_);
    form->addRow(QStringLiteral("INSTRUMENT"), instrument_);
    form->addRow(QStringLiteral("OPTIC Description"), optic_);
    form->addRow(QStringLiteral("NOTES"), notes_);

    store_ = new QPushButton(QStringLiteral("STORE  user data"), this);
    store_->setObjectName("CmdStoreUserData");
    clear_ = new QPushButton(QStringLiteral("Clear all Fields"), this);
    clear_->setObjectName("CmdClear");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(store_);
    buttons->addWidget(clear_);
    buttons->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->addWidget(heading);
    column->addWidget(new QLabel(QStringLiteral("File Name"), this));
    column->addLayout(form, 1);
    column->addLayout(buttons);

    connect(store_, &QPushButton::clicked, this, &NotesPage::storeUserData);
    connect(clear_, &QPushButton::clicked, this, &NotesPage::clearFields);
}

NotesPage::Fields NotesPage::fieldTexts() const {
    return {date_->text().toStdString(), operator_->text().toStdString(),
            instrument_->text().toStdString(), optic_->toPlainText().toStdString(),
            notes_->toPlainText().toStdString()};
}

void NotesPage::showFields(const Fields& texts) {
    date_->setText(QString::fromStdString(texts[0]));
    operator_->setText(QString::fromStdString(texts[1]));
    instrument_->setText(QString::fromStdString(texts[2]));
    optic_->setPlainText(QString::fromStdString(texts[3]));
    notes_->setPlainText(QString::fromStdString(texts[4]));
}

void NotesPage::storeUserData() {
    stored_ = fieldTexts();
}

void NotesPage::clearFields() {
    showFields({});
}

void NotesPage::saveUserDataCommand() {
    const std::optional<QString> path =
        askSavePath(dialogs_, QStringLiteral("Save User Data As"),
                    QStringLiteral("User Data Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    if (!path) {
        return;
    }
    storeUserData();
    try {
        UserDataFile::writeFile(path->toStdString(), stored_);
    } catch (const FileError& e) {
        dialogs_.showMessage(QStringLiteral("Save User Data"), QString::fromUtf8(e.what()),
                             DialogService::Icon::Critical);
    }
}

void NotesPage::loadUserDataCommand() {
    FileDialogRequest request;
    request.title = QStringLiteral("Load User Data ");
    request.filter = QStringLiteral("Fringe Files (*.txt)|*.txt|All Files (*.*)|*.*");
    const std::optional<QString> path = dialogs_.openFile(request);
    if (!path) {
        return;
    }
    UserDataFile::ReadResult read;
    try {
        read = UserDataFile::readFile(path->toStdString());
    } catch (const FileError& e) {
        // Nothing typed or stored is lost to a file that cannot be read.
        dialogs_.showMessage(QStringLiteral("Load User Data"), QString::fromUtf8(e.what()),
                             DialogService::Icon::Critical);
        return;
    }
    clearFields();
    for (int i = 0; i < read.fieldsRead; ++i) {
        stored_[static_cast<std::size_t>(i)] = read.fields[static_cast<std::size_t>(i)];
    }
    if (read.complete()) {
        showFields(stored_);
    }
}

void NotesPage::resetForNewPicture() {
    clearFields();
    stored_ = {};
}

} // namespace lumi
