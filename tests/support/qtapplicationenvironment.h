#pragma once
// One QApplication for a whole GUI test program, created before the first test.
// Include from exactly one .cpp of a test suite and register it there:
//   static auto* const env = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "lumi_gui_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Lumivorexan"));
        // Recent files and folders go to a throw-away place, never the user's.
        settingsFolder_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder_->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder_->path());
    }
    void TearDown() override {
        app_.reset();
        settingsFolder_.reset();
    }

private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTemporaryDir> settingsFolder_;
};
