#include "ui/filefilter.h"

#include <QStringList>

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

} // namespace lumi
