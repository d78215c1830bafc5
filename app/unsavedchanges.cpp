#include "app/unsavedchanges.h"

#include <QFileInfo>

namespace lumi {

void UnsavedChanges::markSaved(const Snapshot& now, const QString& fileName) {
    saved_ = now;
    fileName_ = fileName;
}

bool UnsavedChanges::pointsAtRisk(const Snapshot& now) const {
    if (now.store == saved_.store) {
        return false;
    }
    // A store without circles or points has nothing to lose.
    return now.store.aperture.radiusPx != 0.0 || now.store.obstruction.radiusPx != 0.0 ||
           now.store.totalPointCount() > 0;
}

QString UnsavedChanges::title(const QString& base, const QString& fileName, bool modified) {
    if (fileName.isEmpty() && !modified) {
        return base;
    }
    const QString name =
        fileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(fileName).fileName();
    return (modified ? QStringLiteral("*") : QString()) + name + QStringLiteral(" - ") + base;
}

} // namespace lumi
