#pragma once

#include <QString>
#include <QStringList>

namespace lumi {

// The window program's command line, after QApplication has taken out Qt's own
// options (-platform, -style, ...):
//   lumivorexan [PICTURE]            the picture, as "Load Image" shows it
//   lumivorexan FILE.frg [PICTURE]   the fringe data file on its picture (asked
//                                    for when not given); either order
//   lumivorexan FILE.zrk ...         the "Average Zernikes" window listing them
//   lumivorexan --version | --help
// Files are told apart by their suffix (case ignored): .frg, .zrk, anything else
// is a picture. "--" ends the options.
struct StartArguments {
    enum class Action { Run, Version, Help, BadOption };

    Action action = Action::Run;
    QString picture;          // empty for none
    QString fringeFile;       // empty for none
    QStringList zernikeFiles; // empty for none
    // For BadOption: the option named, as printed on standard error.
    // For Run: files that do not go together, shown in the window; nothing opens.
    QString problem;

    // `args` without the program's name.
    static StartArguments parse(const QStringList& args);
    // "lumivorexan 0.1.0": the program's name and the project version.
    static QString versionText();
    // The usage text of --help.
    static QString helpText();
};

} // namespace lumi
