#include "app/recentfiles.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

namespace lumi::testing {
namespace {

QString touch(const QTemporaryDir& dir, const QString& name) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    return QFileInfo(f).absoluteFilePath();
}

TEST(RecentFiles, NewestFirstOnceAtMostEightAndOnlyExistingFiles) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("settings.ini"), QSettings::IniFormat);
    RecentFiles recent(settings);
    using Kind = RecentFiles::Kind;
    EXPECT_TRUE(recent.files(Kind::Picture).isEmpty());
    EXPECT_TRUE(recent.lastFolder(Kind::Picture).isEmpty());
    QStringList made;
    for (int i = 0; i < 10; ++i) {
        made << touch(dir, QStringLiteral("p%1.jpg").arg(i));
        recent.add(Kind::Picture, made.back());
    }
    recent.add(Kind::Picture, made[5]); // again: moves to the front, not twice
    QStringList files = recent.files(Kind::Picture);
    ASSERT_EQ(files.size(), RecentFiles::kMaxEntries);
    EXPECT_EQ(files.front(), made[5]);
    EXPECT_EQ(files.count(made[5]), 1);
    EXPECT_FALSE(files.contains(made[0])); // the oldest fell off
    QFile::remove(made[9]);
    EXPECT_FALSE(recent.files(Kind::Picture).contains(made[9]));
    EXPECT_EQ(recent.lastFolder(Kind::Picture), QFileInfo(made[5]).absolutePath());
    EXPECT_TRUE(recent.files(Kind::FringeData).isEmpty()); // kinds are separate

    // Kept between runs: a new object on the same settings file sees them.
    settings.sync();
    QSettings again(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(RecentFiles(again).files(Kind::Picture), recent.files(Kind::Picture));
}

class RecentAndDropped : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QSettings().remove(QStringLiteral("RecentFiles"));
    }
    QString savePicture(const QString& name) {
        QImage picture(320, 240, QImage::Format_RGB32);
        picture.fill(qRgb(10, 120, 30));
        const QString path = folder.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    // Drags one file over the window and drops it; true when the window took it.
    bool drop(const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at(window->width() / 2, window->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &dropped);
        return true;
    }
    QTemporaryDir folder;
};

TEST_F(RecentAndDropped, OpenedFilesAreOfferedAgainFromTheirFolder) {
    const QString picture = savePicture("first.jpg");
    dialogs.openAnswers.push_back(picture);
    window->menus()->loadImage->trigger();
    ASSERT_TRUE(canvas->hasPicture());
    EXPECT_EQ(window->recentFiles().files(RecentFiles::Kind::Picture), QStringList{picture});

    dialogs.openAnswers.push_back(QString()); // the next dialog opens in that folder
    window->menus()->loadImage->trigger();
    EXPECT_EQ(QDir(dialogs.lastFileRequest.initialFolder), QDir(folder.path()));

    // The recent menu reopens the picture after another one was shown.
    showPicture(50, 50);
    QMenu* menu = window->menus()->recentPicturesMenu();
    emit menu->aboutToShow();
    ASSERT_FALSE(menu->actions().isEmpty());
    menu->actions().front()->trigger();
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(320, 240));
}

TEST_F(RecentAndDropped, ADroppedPictureLoadsAndAFringeFileNeedsOneFirst) {
    showPicture();
    makeStandardAperture();
    leftClick(300, 300);
    const QString frg = folder.filePath("points.frg");
    dialogs.saveAnswers.push_back(frg);
    window->menus()->saveFringeData->trigger();
    ASSERT_TRUE(QFile::exists(frg));

    EXPECT_FALSE(drop(touch(folder, "notes.txt"))); // not ours: refused at the border
    ASSERT_TRUE(drop(savePicture("dropped.bmp")));
    EXPECT_EQ(canvas->cleanPicture().size(), QSize(320, 240));
    EXPECT_EQ(store().pointCount(0), 0);
    ASSERT_TRUE(drop(frg));
    EXPECT_EQ(store().pointCount(0), 1);
    EXPECT_DOUBLE_EQ(store().aperture.radiusPx, 200.0);
}

TEST_F(RecentAndDropped, AFringeFileDroppedBeforeAPictureSaysSo) {
    ASSERT_TRUE(drop(touch(folder, "a.frg")));
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("You must first load an Interferogram image !"));
}

} // namespace
} // namespace lumi::testing
