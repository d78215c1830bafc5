#include "app/helpwindow.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lumi {

namespace {

constexpr char kIntroduction[] = R"(
<h2>Welcome to Lumivorexan</h2>
<p>Lumivorexan measures how far the surface of a mirror or lens departs from
its ideal shape, using a photograph of the interference fringes that your
interferometer (Bath, Fizeau, Twyman-Green and the like) shows. You do not need to know the mathematics: you mark what you see, and the
program does the rest.</p>
<h3>What a session looks like</h3>
<ol>
<li><b>Load the picture.</b> <i>File &rarr; Load Image</i> reads a BMP or JPEG
photograph of the fringes; <i>Sample1</i> to <i>Sample8</i> are ready-made
pictures to practise on.</li>
<li><b>Mark the optic.</b> On the "Image" page press <b>Add Circle</b> under
<i>Aperture</i> and click three points on the edge of the optic. If it has a
central hole or a secondary mirror shadow, do the same under
<i>Obstruction</i>.</li>
<li><b>Digitise the fringes.</b> Place points along the centre line of each
dark fringe, one fringe after the other, by hand or by autotracing (see the
"Main Window" page).</li>
<li><b>Analyse.</b> Check the wavelengths and <i>Waves/ Fringe</i>, then press
<b>APPLY</b>. The results appear on the "Aberration" and "Zernike" pages and can
be drawn on the "WaveFront", "PSF", "MTF" and "Synthetic" pages (see the
"Analysis" page).</li>
<li><b>Keep the result.</b> <i>File &rarr; Save Fringe Data</i> keeps the circles,
points and settings so you can come back later; the "Notes" page holds the date,
operator, instrument and a description of the optic for the reports.</li>
<li><b>Report.</b> <i>Report &rarr; Print &rarr; Print Text Report</i> prints the
numbers; <i>Report &rarr; &amp;Report</i> opens the graphical report with every
plot on one page. Each print command can also save a PDF file, and offers to do
so when no printer is set up. <i>Save Report as PDF</i> in the graphical report
window writes the whole report, numbers and plots, into one PDF file.</li>
</ol>
<p>The same analysis and the PDF report are also available without a window:
run <tt>lumivorexan-cli report FILE.frg --pdf report.pdf</tt>.</p>
)";

constexpr char kMainWindow[] = R"(
<h2>The main window</h2>
<p>On the left are the analysis settings and the <b>APPLY</b> button; on the
right are the pages (tabs). The status bar at the bottom says what the last
command did, or why it stopped.</p>
<h3>The "Image" page: marking the optic</h3>
<ul>
<li><b>Aperture &ndash; Add Circle</b>: click three points anywhere on the edge of
the optic; the circle through them is drawn. <b>Clear</b> starts again.</li>
<li><b>Obstruction &ndash; Add Circle</b> does the same for a central
obstruction. Leave it out if there is none.</li>
<li>Large pictures scroll; use the scroll bars to reach every part.</li>
</ul>
<h3>Digitising by hand</h3>
<ul>
<li>The <b>Fringe</b> number chooses the active fringe. Start with the first
dark fringe at one side of the optic as fringe 1, and number the following
fringes in order across the optic: neighbouring fringes must have neighbouring
numbers.</li>
<li>A <b>left click</b> inside the aperture adds a point to the active fringe.
Holding the left button and <b>dragging</b> along the fringe sprays points at
the spacing set in <i>File &rarr; Preferences</i>.</li>
<li>A <b>right click</b> deletes the active fringe's points near the pointer.</li>
<li><b>Points on Fringe</b> shows how many points the active fringe holds.</li>
<li><b>Delete Active Fringe</b>, <b>Delete All Points</b> and <b>Reverse Fringe
Order</b> work on whole fringes; reversing helps when you numbered the fringes
from the wrong side (the result then has the opposite sign).</li>
<li><b>Optimize Fringe Points</b> moves the active fringe's points sideways onto
the darkest line of the fringe.</li>
</ul>
<h3>Autotracing</h3>
<ol>
<li>Tick <b>Fringe AutoTracing</b> and answer <b>YES</b>: every existing point is
erased.</li>
<li>Click one seed point on each fringe, in fringe order, from the first fringe
to the last. The seeds should lie on a straight line across the fringes,
roughly perpendicular to them.</li>
<li>Press <b>Perform AUTOTRACING</b>. Each fringe is followed from its seed in
both directions until it reaches the edge of the aperture or the obstruction,
with a point at every step. Check the result and correct points by hand where
the picture was unclear.</li>
</ol>
<h3>Menus</h3>
<ul>
<li><b>File</b>: pictures, fringe data files (current and older layout),
<i>Save Screen as Bitmap file</i> (a picture of the whole window) and the
preferences: mark colours, cross size, point spacing, and whether results are
given in waves or nanometres.</li>
<li><b>Report</b>: the graphical report, <i>Print Screen</i>, <i>Print Text
Report</i>, <i>Print Full Report</i> and their PDF choices.</li>
<li><b>Help</b>: these pages.</li>
</ul>
)";

constexpr char kAnalysis[] = R"(
<h2>The analysis and what the results mean</h2>
<h3>Settings</h3>
<ul>
<li><b>WaveL. [nm]</b>: <i>Input</i> is the wavelength of your interferometer's
light (632.8 nm for a helium-neon laser); <i>Output</i> is the wavelength at
which you want the results expressed (for example 550 nm, green light).</li>
<li><b>Waves/ Fringe</b>: how much the wavefront changes from one fringe to the
next. 1 when the light is reflected off the mirror once: a mirror tested at
its centre of curvature (Bath, Fizeau, Twyman-Green). 0.5 when it is reflected
off the mirror twice: a double-pass (autocollimation) test against a flat. The
best-fit conic constant of the aspheric analysis is proportional to this value,
so a centre-of-curvature test with 0.5 reports half the conic constant; the
summary then shows a note.</li>
<li><b>Zernike number</b>: how many Zernike terms are fitted. "Auto" fits 25,
enough for most optics; use 37 only with many well-spread points.</li>
<li><b>REMOVE</b>: aberrations left out of the results. Tilt (the fringes'
direction) and Power (their spacing, a focus error) come from the set-up and
are removed by default.</li>
<li><b>Aspheric Surface Analysis</b>: for a conic mirror (such as a paraboloid)
tested at its centre of curvature, give its diameter, radius of curvature and
target conic constant; the spherical aberration such a mirror ought to show is
then taken out, and the best-fit conic constant is reported.</li>
</ul>
<h3>The "Aberration" page</h3>
<ul>
<li><b>PEAK to VALLEY</b>: the height between the highest and lowest point of
the wavefront error, in waves and nanometres; "[1/4 waves]" means a quarter of
a wave.</li>
<li><b>RMS</b>: the root-mean-square wavefront error, a better overall measure
than P-V; below 1/14 wave is usually called diffraction limited.</li>
<li><b>STREHL RATIO</b>: the peak brightness of a star's image compared with a
perfect optic, from 0 to 1; 0.8 or more is diffraction limited.</li>
<li><b>TILT</b>, <b>DEFOCUS</b>, <b>ASTIGMATISM</b>, <b>COMA</b>,
<b>SPHERICAL</b>: the low-order aberrations with their size and, for
astigmatism and coma, their direction in degrees. "Removed" marks a group
ticked under REMOVE.</li>
<li><b>Rms Fit Error</b>: how far the points lie from the fitted wavefront; a
large value means misplaced points or too few terms.</li>
</ul>
<h3>The other pages</h3>
<ul>
<li><b>Zernike</b>: the fitted coefficients in fringes, with their names;
reference coefficients of your test set-up can be typed in and subtracted.</li>
<li><b>WaveFront</b>: a colour map with profiles, and a 3-D surface you can
turn. Red is high, blue and black low.</li>
<li><b>PSF</b>: the image of a star the optic would form, as a map or a 3-D
surface.</li>
<li><b>MTF</b>: how much contrast the optic keeps at each detail size: red and
blue for two directions, black for a perfect optic. Give the focal ratio to see
the frequencies in lines per millimetre.</li>
<li><b>Synthetic</b>: the interferogram the fitted wavefront would produce.
Compare it with your photograph: if they differ, points or fringe numbers are
wrong.</li>
</ul>
<p>When <b>APPLY</b> cannot finish (too few points for the terms chosen, an
output wavelength of 0, missing aspheric data) the reason is shown in the
status bar.</p>
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
