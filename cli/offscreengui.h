#pragma once

#include <memory>

class QGuiApplication;

namespace lumi::cli {

// Text in pictures and PDF pages needs a QGuiApplication. While an instance
// lives, one exists: the caller's if there is one, otherwise its own on the
// offscreen platform (unless the user chose another), made without the
// start-up note about XDG_RUNTIME_DIR, which means nothing on a command line.
class OffscreenGui {
public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    int argc_ = 1;
    char name_[16] = "lumivorexan-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace lumi::cli
