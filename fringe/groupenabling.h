#pragma once

namespace lumi {

// Which control groups of the main window accept input, following the
// construction of the circles. The window binds its widgets to these flags.
struct GroupEnabling {
    enum class Event {
        ProgramStart,
        ImageLoaded, // reset for a new image
        ApertureCompleted,
        ObstructionAddPressed,
        ObstructionCompleted,
        ApertureCleared,
        ObstructionCleared,
        FringeFileLoaded,
    };

    bool fringeTracing = false;        // "Fringe Tracing" group: selector, delete, reverse, clicks
    bool apertureGroup = false;        // "Aperture" group as a whole
    bool apertureAddCircle = false;    // its "Add Circle"
    bool obstructionGroup = false;     // "Obstruction" group as a whole
    bool obstructionAddCircle = false; // its "Add Circle"

    // Applies one row of the enabling table; flags the row leaves open keep
    // their value.
    void apply(Event event);

    bool operator==(const GroupEnabling&) const = default;
};

} // namespace lumi
