// What the build puts beside the program and into the resource library.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include "assets/ui/ui_resources.h"

namespace {

TEST(BuildOutputs, SixteenManualPagesOf24BitAtTheViewerSize) {
  for (int n = 1; n <= 16; ++n) {
    const QString path = QStringLiteral(TIKO_MANUAL_OUT_DIR "/%1.bmp").arg(n);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    const QByteArray head = file.read(30);
    ASSERT_EQ(head.size(), 30);
    EXPECT_EQ(head.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(head[28]), 24) << "bits per pixel of " << n;
    const QImage page(path);
    EXPECT_EQ(page.size(), QSize(545, 365)) << qPrintable(path);
  }
}

TEST(BuildOutputs, EveryWindowPictureIsInTheResourceLibraryAtItsSize) {
  for (const tiko::ui::UiPicture& picture : tiko::ui::all_pictures) {
    const QString path = QString::fromUtf8(picture.path.data(), picture.path.size());
    const QImage image(path);
    ASSERT_FALSE(image.isNull()) << qPrintable(path);
    EXPECT_EQ(image.size(), QSize(picture.width, picture.height)) << qPrintable(path);
    EXPECT_TRUE(image.hasAlphaChannel()) << qPrintable(path);
  }
}

TEST(BuildOutputs, ReadmeAndWhatsnewLieBesideTheProgram) {
  for (const char* name : {"Readme.txt", "Whatsnew.txt"}) {
    QFile file(QStringLiteral(TIKO_BIN_DIR "/") + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("Version 5.01")) << name;
    EXPECT_TRUE(text.contains("made by the Tiko simulator project", Qt::CaseInsensitive)) << name;
  }
}

}  // namespace
