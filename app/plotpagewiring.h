#pragma once

namespace lumi {

class MainWindow;
class MtfPage;
class PsfPage;
class SyntheticPage;
class WaveFrontPage;

// The plot pages of the main window and what they need from it.
struct PlotPages {
    WaveFrontPage* waveFront = nullptr;
    PsfPage* psf = nullptr;
    MtfPage* mtf = nullptr;
    SyntheticPage* synthetic = nullptr;
};

// Connects the plot pages to the main window: their reasons for ending early go to the
// status bar; selecting the "WaveFront" or "PSF" tab resets that page's choices (and
// selecting "PSF" empties the MTF read-out); the analysis type drives the synthetic
// page's "       Display as..." frame; the synthetic commands read "Waves/ Fringe" from
// the settings as typed; a new analysis redraws every plot on screen (or clears
// it); a new picture's analysis reset clears every plot.
void connectPlotPages(MainWindow& window, const PlotPages& pages);

} // namespace lumi
