#pragma once

#include <QWidget>
#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lumi {

class DialogService;

// The "Notes" tab: five free-text fields (date, operator, instrument, optic
// description, notes) and the commands that store them as the user data the
// reports print, and save and load them as a user data file. The stored
// strings belong to the session (`stored`); the fields count only once stored.
class NotesPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFieldCount = 5;
    using Fields = std::array<std::string, kFieldCount>;
    // Maximum lengths in characters, in field order.
    static constexpr std::array<int, kFieldCount> kMaxLength{30, 100, 256, 256, 256};

    NotesPage(Fields& stored, DialogService& dialogs, QWidget* parent = nullptr);

    // The five fields as typed, in file order ("\n" line breaks).
    Fields fieldTexts() const;
    // Shows five texts in the fields (each cut to its maximum length).
    void showFields(const Fields& texts);

    // "STORE  user data": the fields become the stored strings.
    void storeUserData();
    // "Clear all Fields": empties the fields; the stored strings stay.
    void clearFields();
    // "Save User Data": save dialog, store, write the file.
    void saveUserDataCommand();
    // "Load User Data": open dialog, read the file into the stored strings and
    // the fields.
    void loadUserDataCommand();
    // A new picture was shown: fields and stored strings are emptied.
    void resetForNewPicture();

    QLineEdit* dateField() const { return date_; }
    QLineEdit* operatorField() const { return operator_; }
    QLineEdit* instrumentField() const { return instrument_; }
    QPlainTextEdit* opticField() const { return optic_; }
    QPlainTextEdit* notesField() const { return notes_; }
    QPushButton* storeButton() const { return store_; }
    QPushButton* clearButton() const { return clear_; }

private:
    Fields& stored_;
    DialogService& dialogs_;
    QLineEdit* date_;
    QLineEdit* operator_;
    QLineEdit* instrument_;
    QPlainTextEdit* optic_;
    QPlainTextEdit* notes_;
    QPushButton* store_;
    QPushButton* clear_;
};

} // namespace lumi
