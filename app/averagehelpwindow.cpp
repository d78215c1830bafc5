#include "app/averagehelpwindow.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lumi {

namespace {

constexpr char kHelp[] = R"(
<h2>Averaging Zernike coefficients</h2>
<p>Air turbulence and vibration change every interferogram a little. Analyse
several interferograms of the same optic, save the coefficients of each with
<b>File - Save Zernike Data</b>, and average the files here: the average becomes
the current result, and the summary and every plot work from it.</p>
<ol>
<li>Load the first interferogram (or its fringe data) so that the aperture and
the obstruction are known, and set the wavelengths and <b>Waves/ Fringe</b>.</li>
<li><b>Include File</b> adds one .zrk file to the list. Choosing several files
at once replaces the list with them.</li>
<li><b>Remove Selected File</b> and <b>Remove All Files</b> edit the list.</li>
<li><b>APPLY</b> averages the listed files term by term, subtracts the
reference coefficients of the "Zernike" page and shows the result on the
"Aberration" and "Zernike" pages. The "Zernike" page also shows the standard
deviation of each term over the files.</li>
</ol>
<p>Every file must hold the same number of terms, so save all of them after an
analysis with the same <b>Zernike number</b>. A file's terms end where two zeros
follow each other.</p>
<p>The next <b>APPLY</b> on the main window fits the fringe points again and
replaces the average.</p>
)";

} // namespace

AverageHelpWindow::AverageHelpWindow(QWidget* parent)
    : QDialog(parent), text_(new QTextBrowser(this)) {
    setObjectName("FrmAverageHelp");
    setWindowTitle(QStringLiteral("Zernike Averaging  Help"));
    text_->setHtml(QString::fromUtf8(kHelp));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(520, 480);
}

} // namespace lumi
