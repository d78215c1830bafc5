#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace lumi {

// The recently opened pictures and fringe data files, newest first, and the
// folder each kind (Zernike files too) was last opened from or saved to; kept
// between runs in the program's settings (QSettings, under "RecentFiles/").
class RecentFiles {
public:
    enum class Kind { Picture, FringeData, ZernikeData };
    static constexpr int kMaxEntries = 8;

    // Reads and writes through `settings`, which must outlive this object.
    explicit RecentFiles(QSettings& settings) : settings_(settings) {}

    // Newest first; entries whose file has gone are left out.
    QStringList files(Kind kind) const;
    // Puts `path` first (once), drops the oldest beyond kMaxEntries and
    // remembers its folder.
    void add(Kind kind, const QString& path);
    // Forgets one entry (a file that could not be opened).
    void remove(Kind kind, const QString& path);
    // Folder last used for this kind; empty before the first use.
    QString lastFolder(Kind kind) const;
    void setLastFolder(Kind kind, const QString& folder);

private:
    QSettings& settings_;
};

} // namespace lumi
