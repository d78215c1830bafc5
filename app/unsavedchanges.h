#pragma once

#include "fringe/fringestore.h"

#include <QString>
#include <QStringList>

namespace lumi {

// What the window compares to know whether work would be lost: the fringe
// store (circles and points) and the texts and choices of the settings panel,
// as they were at the last save or load of fringe data (or the last new
// picture), with the name of that fringe file.
class UnsavedChanges {
public:
    struct Snapshot {
        FringeStore store;
        QStringList settings;
        bool operator==(const Snapshot&) const = default;
    };

    // The current state becomes the saved one; `fileName` is the fringe file's
    // path, empty for none (a new picture).
    void markSaved(const Snapshot& now, const QString& fileName);
    bool modified(const Snapshot& now) const { return !(now == saved_); }
    // Only unsaved circles or points are worth a question before a discard.
    bool pointsAtRisk(const Snapshot& now) const;
    const QString& fileName() const { return fileName_; }

    // Window title: the fringe file's name first when there is one, a leading
    // "*" while modified; `base` alone when neither.
    static QString title(const QString& base, const QString& fileName, bool modified);

private:
    Snapshot saved_;
    QString fileName_;
};

} // namespace lumi
