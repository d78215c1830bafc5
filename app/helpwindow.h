#pragma once

#include <QDialog>

class QTextBrowser;

namespace lumi {

// The help window: one fixed page of text in a scrolling view,
// chosen by its key "Introduction", "MainWindow" or "Analysis".
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& pageKey, QWidget* parent = nullptr);

    // The page text for a key; the introduction for an unknown key.
    static QString pageText(const QString& pageKey);

    QTextBrowser* text() const { return text_; }

private:
    QTextBrowser* text_;
};

} // namespace lumi
