#include "ui/filefilter.h"

#include <QStringList>
#include <algorithm>

namespace lumi {

namespace {

QStringList qtEntries(const QString& pipeFilter) {
    QStringList entries;
    if (pipeFilter.isEmpty()) {
        return entries;
    }
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        if (patterns.isEmpty()) {
            patterns = QStringLiteral("*");
        }
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns = patterns.simplified();
        // Qt reads the patterns from the last "(...)" of the label, so the
        // label's own parenthesised part is replaced by the real patterns.
        if (label.endsWith(QLatin1Char(')'))) {
            const qsizetype open = label.lastIndexOf(QLatin1Char('('));
            if (open >= 0) {
                label = label.left(open).trimmed();
            }
        }
        entries << (label.isEmpty() ? patterns
                                    : label + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries;
}

} // namespace

QString qtFileFilter(const QString& pipeFilter) {
    return qtEntries(pipeFilter).join(";;");
}

QString qtFileFilterEntry(const QString& pipeFilter, int index) {
    const QStringList entries = qtEntries(pipeFilter);
    if (entries.isEmpty()) {
        return {};
    }
    if (index < 1 || index > entries.size()) {
        return entries.front();
    }
    return entries[index - 1];
}

QString qtFilterDefaultSuffix(const QString& qtEntry) {
    const qsizetype open = qtEntry.lastIndexOf(QLatin1Char('('));
    const qsizetype close = qtEntry.lastIndexOf(QLatin1Char(')'));
    const QString patterns =
        open >= 0 && close > open ? qtEntry.mid(open + 1, close - open - 1) : qtEntry;
    const QString first = patterns.simplified().section(QLatin1Char(' '), 0, 0);
    if (!first.startsWith(QStringLiteral("*."))) {
        return {};
    }
    const QString suffix = first.mid(2);
    for (const QChar c : suffix) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[') ||
            c == QLatin1Char('.')) {
            return {};
        }
    }
    return suffix;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    if (suffix.isEmpty() || path.isEmpty()) {
        return path;
    }
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name.lastIndexOf(QLatin1Char('.')) > 0) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

} // namespace lumi
