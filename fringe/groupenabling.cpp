#include "fringe/groupenabling.h"

namespace lumi {

void GroupEnabling::apply(Event event) {
    switch (event) {
    case Event::ProgramStart: *this = GroupEnabling{}; break;
    case Event::ImageLoaded:
        fringeTracing = false;
        apertureGroup = true;
        apertureAddCircle = true;
        obstructionGroup = false;
        break;
    case Event::ApertureCompleted:
    case Event::FringeFileLoaded:
        fringeTracing = true;
        apertureGroup = true;
        apertureAddCircle = false;
        obstructionGroup = true;
        obstructionAddCircle = true;
        break;
    case Event::ObstructionAddPressed: fringeTracing = false; break;
    case Event::ObstructionCompleted:
        fringeTracing = true;
        obstructionAddCircle = false;
        break;
    case Event::ApertureCleared:
        fringeTracing = false;
        apertureAddCircle = true;
        obstructionGroup = false;
        break;
    case Event::ObstructionCleared:
        fringeTracing = false;
        obstructionAddCircle = true;
        break;
    }
}

} // namespace lumi
