#include "app/helpwindow.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lumi {

namespace {

constexpr char kIntroduction[] = R"(
<h2>Lumivorexan</h2>
<p>Lumivorexan measures the wavefront of a mirror or lens from a photograph of
its interferogram. Load the picture, mark the aperture (and a central
obstruction, if any) with three clicks on each circle, place points along the
centres of the fringes, fringe by fringe, and press <b>APPLY</b>.</p>
<p>The program fits up to 37 Zernike polynomials to the points and reports the
peak to valley, the RMS, the Strehl ratio and the low-order aberrations on the
"Aberration" page; the coefficients are on the "Zernike" page.</p>
<p>Fringe data files (.frg) keep the circles, the points and the settings, so a
digitised interferogram can be analysed again later on the same picture.</p>
)";

constexpr char kMainWindow[] = R"(
<h2>The main window</h2>
<h3>Image page</h3>
<ul>
<li><b>Aperture - Add Circle</b>, then click three points on the edge of the optic.
<b>Clear</b> discards the clicks.</li>
<li><b>Obstruction - Add Circle</b> works the same way for a central obstruction.</li>
<li>A left click inside the aperture adds a point to the active fringe; dragging
with the left button sprays points at the spacing chosen in Preferences.</li>
<li>A right click deletes the points of the active fringe within 4 pixels.</li>
<li>The scroll bar beside the fringe number chooses the active fringe; its
crosses are drawn in the active colour.</li>
<li><b>Delete Active Fringe</b>, <b>Delete All Points</b> and <b>Reverse Fringe
Order</b> edit the fringes as a whole.</li>
</ul>
<h3>Menus</h3>
<p>File holds the picture, sample and fringe data commands and the
preferences (pen colours, cross size, point spacing, report units).</p>
)";

constexpr char kAnalysis[] = R"(
<h2>Analysis</h2>
<p>Consecutive fringe numbers are consecutive fringe orders. Each fringe step is
<b>Waves/ Fringe</b> waves of wavefront: 0.5 for a double-pass test, 1 for a
single-pass test.</p>
<ul>
<li><b>WaveL. [nm]</b>: the interferometer's wavelength (Input) and the one the
results are given at (Output).</li>
<li><b>Zernike number</b>: how many terms are fitted ("Auto" fits 25).</li>
<li><b>REMOVE</b>: the aberration groups left out of the wavefront before P-V,
RMS and Strehl are computed (tilt and power by default).</li>
<li><b>Aspheric Surface Analysis</b>: for a conic mirror tested at its centre of
curvature, give its diameter, radius of curvature and target conic constant;
APPLY then compensates the ideal conic's spherical aberration and estimates
the best-fit conic constant.</li>
</ul>
<p>When APPLY cannot finish (too few points for the terms chosen, an output
wavelength of 0, missing aspheric data) the reason is shown in the status bar.</p>
)";

} // namespace

QString HelpWindow::pageText(const QString& pageKey) {
    if (pageKey == QLatin1String("MainWindow")) {
        return QString::fromUtf8(kMainWindow);
    }
    if (pageKey == QLatin1String("Analysis")) {
        return QString::fromUtf8(kAnalysis);
    }
    return QString::fromUtf8(kIntroduction);
}

HelpWindow::HelpWindow(const QString& pageKey, QWidget* parent)
    : QDialog(parent), text_(new QTextBrowser(this)) {
    setObjectName("FrmHelp");
    setWindowTitle(QStringLiteral("Lumivorexan Help"));
    setModal(true);
    resize(560, 520);
    text_->setHtml(pageText(pageKey));
    auto* column = new QVBoxLayout(this);
    column->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

} // namespace lumi
