#pragma once

namespace lumi {

class DialogService;
class WorkspaceModel;
struct WindowPages;

// Connects the plot pages to the window and the workspace: their reasons for ending
// early go to the status bar; selecting the "WaveFront" or "PSF" tab resets that page's
// choices (and selecting "PSF" empties the MTF read-out); the analysis type drives the
// synthetic page's "       Display as..." frame; the synthetic and MTF commands read
// "Waves/ Fringe" and the input wavelength from the settings as typed; a new analysis
// redraws every plot on screen (or clears it); a new picture's analysis reset clears
// every plot.
void connectPlotPages(const WorkspaceModel& workspace, const WindowPages& pages,
                      DialogService& dialogs);

} // namespace lumi
