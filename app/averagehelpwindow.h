#pragma once

#include <QDialog>

class QTextBrowser;

namespace lumi {

// "Zernike Averaging  Help": one fixed page on averaging Zernike files.
class AverageHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit AverageHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* text() const { return text_; }

private:
    QTextBrowser* text_;
};

} // namespace lumi
