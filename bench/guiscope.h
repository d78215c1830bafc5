#pragma once
// Text and pictures need a QGuiApplication: one made for the length of a
// benchmark, offscreen unless the caller chose a platform.

#include <QGuiApplication>

#include <memory>

namespace lumi::bench {

class GuiScope {
public:
    GuiScope() {
        if (QCoreApplication::instance() != nullptr)
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[6] = "bench";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace lumi::bench
