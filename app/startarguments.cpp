#include "app/startarguments.h"

#include <QFileInfo>

namespace lumi {
namespace {

enum class FileKind { Picture, FringeData, Zernike };

FileKind kindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("frg")) {
        return FileKind::FringeData;
    }
    if (suffix == QStringLiteral("zrk")) {
        return FileKind::Zernike;
    }
    return FileKind::Picture;
}

QString quoted(const QString& text) {
    return QStringLiteral("\"%1\"").arg(text);
}

} // namespace

StartArguments StartArguments::parse(const QStringList& args) {
    StartArguments out;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QStringLiteral("-")) {
            files << arg;
        } else if (arg == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (arg == QStringLiteral("--version")) {
            out.action = Action::Version;
            return out;
        } else if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
            out.action = Action::Help;
            return out;
        } else if (out.problem.isEmpty()) {
            out.action = Action::BadOption;
            out.problem = QStringLiteral("unknown option %1").arg(quoted(arg));
        }
    }
    if (out.action == Action::BadOption) {
        return out;
    }
    QStringList pictures;
    QStringList fringeFiles;
    for (const QString& f : files) {
        switch (kindOf(f)) {
        case FileKind::Picture: pictures << f; break;
        case FileKind::FringeData: fringeFiles << f; break;
        case FileKind::Zernike: out.zernikeFiles << f; break;
        }
    }
    const bool zernikeOnly = pictures.isEmpty() && fringeFiles.isEmpty();
    if ((!out.zernikeFiles.isEmpty() && !zernikeOnly) || pictures.size() > 1 ||
        fringeFiles.size() > 1) {
        out.zernikeFiles.clear();
        out.problem = QStringLiteral("These files cannot be opened together:\n%1\n\n"
                                     "Open one picture, a fringe data file (.frg) with or "
                                     "without its picture, or Zernike files (.zrk) to average.")
                          .arg(files.join(QLatin1Char('\n')));
        return out;
    }
    out.picture = pictures.value(0);
    out.fringeFile = fringeFiles.value(0);
    return out;
}

QString StartArguments::versionText() {
    return QStringLiteral("lumivorexan ") + QStringLiteral(LUMI_VERSION_TEXT);
}

QString StartArguments::helpText() {
    return QStringLiteral(
        "Usage: lumivorexan [PICTURE]\n"
        "       lumivorexan FILE.frg [PICTURE]\n"
        "       lumivorexan FILE.zrk...\n"
        "\n"
        "Interferogram analysis: mark the aperture on a picture of the fringes (BMP or\n"
        "JPEG), place points along the fringes and fit Zernike terms.\n"
        "\n"
        "  PICTURE          opens the picture as \"Load Image\" does\n"
        "  FILE.frg         loads the fringe data file on PICTURE, or on the picture\n"
        "                   asked for when none is given\n"
        "  FILE.zrk...      lists the Zernike files in the \"Average Zernikes\" window\n"
        "  --version        prints the version and exits\n"
        "  -h, --help       prints this text and exits\n"
        "\n"
        "The command line program lumivorexan-cli runs the same analysis without a\n"
        "window.\n");
}

} // namespace lumi
