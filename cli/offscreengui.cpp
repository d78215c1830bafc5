#include "cli/offscreengui.h"

#include <QGuiApplication>

#include <iostream>

namespace lumi::cli {
namespace {

void dropRuntimeDirNote(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("XDG_RUNTIME_DIR"))) {
        return;
    }
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
}

} // namespace

OffscreenGui::OffscreenGui() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QtMessageHandler previous = qInstallMessageHandler(&dropRuntimeDirNote);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    qInstallMessageHandler(previous);
}

OffscreenGui::~OffscreenGui() = default;

} // namespace lumi::cli
