#include "app/shell/manual_form.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "config/picture/picture.h"

namespace tiko {
namespace {

class ManualTest : public testing::Test {
 protected:
  // A manual folder holding only page 1, in a window of 400 x 300.
  ManualTest() {
    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::blue);
    page.save(dir.filePath("pages/1.bmp"), "BMP");
    WriteConfig("[Manual]\nManualDir=" + dir.filePath("pages") +
                "\nManualWidth=400\nManualHeight=300\n");
    source.data_dir = dir.path().toStdString();
    source.show_error = [this](const std::string& message) { errors.push_back(message); };
  }
  void WriteConfig(const QString& text) {
    QFile ini(dir.filePath("Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(text.toUtf8());
  }
  std::unique_ptr<TManualForm> Create() {
    auto form = std::make_unique<TManualForm>(source);
    form->show();
    return form;
  }
  static void Key(QWidget* w, Qt::Key key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
  }
  // A key held for a second as X repeats it: releases and presses at the same
  // time, none of them flagged as a repeat.
  static void Hold(QWidget* w, Qt::Key key, std::uint32_t keycode) {
    auto send = [&](QEvent::Type type, int time) {
      QKeyEvent event(type, key, Qt::NoModifier, keycode, 0, 0);
      event.setTimestamp(time);
      QApplication::sendEvent(w, &event);
    };
    send(QEvent::KeyPress, 100);
    for (int t = 600; t < 1100; t += 33) {
      send(QEvent::KeyRelease, t);
      send(QEvent::KeyPress, t);
    }
    send(QEvent::KeyRelease, 1100);
    QTest::qWait(HeldKeys::kSettleMs * 3);
  }

  QTemporaryDir dir;
  bool made = QDir(dir.path()).mkdir("pages");
  ManualSource source;
  std::vector<std::string> errors;
};

TEST_F(ManualTest, MissingPagesGetThePlaceholderAndTheWindowTheConfiguredSize) {
  auto form = Create();
  EXPECT_EQ(form->windowTitle(), "Manual");
  EXPECT_EQ(form->size(), QSize(400, 300));
  EXPECT_EQ(form->Page(1).pixelColor(5, 5), QColor(Qt::blue));
  for (int n = 2; n <= 16; ++n) EXPECT_EQ(form->Page(n), PlaceholderPicture()) << n;
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  // First opening: page 1, the right arrow and the close button only.
  EXPECT_EQ(form->im_page_top->Picture(), form->Page(1));
  EXPECT_FALSE(form->btn_left->isVisible());
  EXPECT_TRUE(form->btn_right->isVisible());
  EXPECT_TRUE(form->btn_close->isVisible());
  EXPECT_TRUE(form->rect().contains(form->btn_right->geometry()));
}

TEST_F(ManualTest, UndecodablePageIsReportedAndStopsTheLoading) {
  QFile broken(dir.filePath("pages/3.bmp"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("BM not a picture");
  broken.close();
  // Nothing is decoded until the viewer is first shown, then once.
  auto form = std::make_unique<TManualForm>(source);
  EXPECT_TRUE(errors.empty());
  form->show();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_FALSE(form->Page(2).isNull());
  EXPECT_TRUE(form->Page(3).isNull());
  EXPECT_TRUE(form->Page(4).isNull());
  form->hide();
  EXPECT_TRUE(form->im_page_top->Picture().isNull());  // a closed viewer keeps no page
  form->show();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(form->im_page_top->Picture(), form->Page(1));
}

TEST_F(ManualTest, MissingConfigGivesTheDefaultSizeAndUnusableSizesToo) {
  QFile::remove(dir.filePath("Config.ini"));
  EXPECT_EQ(Create()->size(), QSize(545, 365));
  WriteConfig("[Manual]\nManualWidth=-20\nManualHeight=99999\n");
  EXPECT_EQ(Create()->size(), QSize(545, 365));
}

TEST_F(ManualTest, KeysTurnOnePagePerPressAndStopAtTheEnds) {
  auto form = Create();
  Key(form.get(), Qt::Key_Left);
  EXPECT_EQ(form->manual_page, 1);
  Hold(form.get(), Qt::Key_Right, 114);
  EXPECT_EQ(form->manual_page, 2);
  EXPECT_TRUE(form->btn_left->isVisible());
  for (int i = 0; i < 20; ++i) Key(form.get(), Qt::Key_Right);
  EXPECT_EQ(form->manual_page, 16);
  EXPECT_FALSE(form->btn_right->isVisible());
  EXPECT_TRUE(form->btn_left->isVisible());
  Key(form.get(), Qt::Key_Left);
  EXPECT_EQ(form->manual_page, 15);
  EXPECT_TRUE(form->btn_right->isVisible());
}

TEST_F(ManualTest, ButtonsShowThePressAndReopeningKeepsThePage) {
  auto form = Create();
  for (int i = 0; i < 6; ++i) {
    QTest::mousePress(form->btn_right, Qt::LeftButton);
    EXPECT_FALSE(form->btn_right->UpVisible());
    EXPECT_TRUE(form->btn_right->isVisible());  // the pressed picture
    QTest::mouseRelease(form->btn_right, Qt::LeftButton);
  }
  EXPECT_EQ(form->manual_page, 7);
  QTest::mouseClick(form->btn_right, Qt::RightButton);
  EXPECT_EQ(form->manual_page, 7);

  QTest::mousePress(form->btn_close, Qt::LeftButton);
  EXPECT_TRUE(form->isVisible());
  QTest::mouseRelease(form->btn_close, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  form->show();
  EXPECT_EQ(form->manual_page, 7);
  EXPECT_EQ(form->im_page_top->Picture(), form->Page(7));
  EXPECT_TRUE(form->btn_close->UpVisible());

  Key(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(ManualTest, DraggingThePageMovesTheWindow) {
  auto form = Create();
  form->move(100, 100);
  const QPoint start = form->pos();
  QTest::mousePress(form->im_page_top, Qt::LeftButton, {}, QPoint(50, 50));
  QMouseEvent move(QEvent::MouseMove, QPointF(80, 70),
                   form->im_page_top->mapToGlobal(QPointF(80, 70)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(form->im_page_top, &move);
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));
}

}  // namespace
}  // namespace tiko
