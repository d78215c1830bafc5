#include "app/aboutwindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace lumi {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("FrmAbout");
    setWindowTitle(QStringLiteral("About Lumivorexan"));
    auto* column = new QVBoxLayout(this);
    // Text never touches the window's edges.
    column->setContentsMargins(24, 20, 24, 14);
    column->setSpacing(8);
    auto* title = new QLabel(QStringLiteral("Lumivorexan"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    column->addWidget(title);
    column->addWidget(new QLabel(QStringLiteral("Interferogram Analysis Software"), this));
    column->addWidget(
        new QLabel(QStringLiteral("Version ") + QStringLiteral(LUMI_VERSION_TEXT), this));
    column->addWidget(
        new QLabel(QStringLiteral("Zernike fit of digitised fringes, aberration summary,\n"
                                  "wavefront, PSF and MTF for mirror and lens testing."),
                   this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(buttons);
}

} // namespace lumi
