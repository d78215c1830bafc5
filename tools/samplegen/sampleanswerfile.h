#pragma once
// Reads one sample's recorded answer back from samples.json (written by
// lumi-samplegen). Header-only, QtCore: used by the screenshot tool and the
// window tests, which both digitise the stored samples on their known contours.

#include "analysis/zernikecoefficients.h"
#include "fringe/aperturecircle.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <optional>

namespace lumi {

struct SampleAnswer {
    ZernikeCoefficients coefficients{}; // waves, term t at index t
    ApertureCircle aperture;            // image pixels
    ApertureCircle obstruction;
    double wavesPerFringe = 0.5;
    // The mirror of an aspheric sample (millimetres); all 0 for the others.
    double diameterMm = 0;
    double curvatureRadiusMm = 0;
    double conic = 0; // the conic the mirror was made to
    bool hasMirror = false;
};

// The answer of "sample<N>" in the answer file at `path`; nullopt when the file
// or the entry is missing.
inline std::optional<SampleAnswer> readSampleAnswer(const QString& path, int sample) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QJsonArray samples = QJsonDocument::fromJson(file.readAll())["samples"].toArray();
    for (const QJsonValue& v : samples) {
        const QJsonObject s = v.toObject();
        if (s["name"].toString() != QStringLiteral("sample%1").arg(sample)) {
            continue;
        }
        SampleAnswer a;
        const QJsonObject ap = s["aperture"].toObject();
        a.aperture = {ap["xPx"].toDouble(), ap["yPx"].toDouble(), ap["radiusPx"].toDouble()};
        const QJsonObject ob = s["obstruction"].toObject();
        a.obstruction = {ob["xPx"].toDouble(), ob["yPx"].toDouble(), ob["radiusPx"].toDouble()};
        a.wavesPerFringe = s["wavesPerFringe"].toDouble();
        const QJsonArray z = s["zernikeWaves"].toArray();
        for (qsizetype t = 0; t < z.size() && t < kZernikeTermCount; ++t) {
            a.coefficients[static_cast<std::size_t>(t)] = z[t].toDouble();
        }
        a.hasMirror = s.contains("mirror");
        const QJsonObject mirror = s["mirror"].toObject();
        a.diameterMm = mirror["diameterMm"].toDouble();
        a.curvatureRadiusMm = mirror["curvatureRadiusMm"].toDouble();
        a.conic = mirror["conic"].toDouble();
        return a;
    }
    return std::nullopt;
}

} // namespace lumi
