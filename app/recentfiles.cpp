#include "app/recentfiles.h"

#include <QFileInfo>
#include <QSettings>

namespace lumi {

namespace {

QString key(RecentFiles::Kind kind, const char* what) {
    QString group;
    switch (kind) {
    case RecentFiles::Kind::Picture: group = QStringLiteral("pictures"); break;
    case RecentFiles::Kind::FringeData: group = QStringLiteral("fringeData"); break;
    case RecentFiles::Kind::ZernikeData: group = QStringLiteral("zernikeData"); break;
    }
    return QStringLiteral("RecentFiles/") + group + QLatin1Char('/') + QLatin1String(what);
}

} // namespace

QStringList RecentFiles::files(Kind kind) const {
    QStringList existing;
    for (const QString& path : settings_.value(key(kind, "files")).toStringList()) {
        if (QFileInfo::exists(path)) {
            existing << path;
        }
    }
    return existing;
}

void RecentFiles::add(Kind kind, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = settings_.value(key(kind, "files")).toStringList();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kMaxEntries) {
        list.removeLast();
    }
    settings_.setValue(key(kind, "files"), list);
    setLastFolder(kind, QFileInfo(absolute).absolutePath());
}

void RecentFiles::remove(Kind kind, const QString& path) {
    QStringList list = settings_.value(key(kind, "files")).toStringList();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    settings_.setValue(key(kind, "files"), list);
}

QString RecentFiles::lastFolder(Kind kind) const {
    return settings_.value(key(kind, "folder")).toString();
}

void RecentFiles::setLastFolder(Kind kind, const QString& folder) {
    settings_.setValue(key(kind, "folder"), folder);
}

} // namespace lumi
