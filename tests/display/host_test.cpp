// The real-time host: one single-shot timer at the next due time, late ticks
// fired once, nothing armed while no timer runs.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "fake_skin.h"

namespace tiko {
namespace {

using testing::FormFixture;

void Tap(QWidget& w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(&w, &release);
}

TEST(HostTest, ArmsAtTheNextDueTimeAndFiresLateTicksOnce) {
  std::int64_t now = 0;
  FormFixture f;
  f.form->host().SetClockForTesting([&] { return now; });
  f.Create();
  TForm1& form = *f.form;
  Unit& unit = form.unit();
  RealtimeHost& host = form.host();

  // At start only the step timer runs, due at 1 ms.
  EXPECT_TRUE(host.Armed());
  now = 5;
  host.Fire();
  EXPECT_FALSE(host.Armed());  // nothing enabled: no polling

  // Open, then TIME: the clock display starts and ticks once a second.
  now = 100;
  Tap(form, Qt::Key_5);
  Tap(form, Qt::Key_3);
  EXPECT_EQ(unit.vars().mode, Mode::kClock);
  ASSERT_TRUE(host.Armed());
  EXPECT_EQ(host.ArmedDelayMs(), 1);
  now = 101;
  host.Fire();
  EXPECT_EQ(host.ArmedDelayMs(), 1000);
  EXPECT_EQ(unit.timers().NextDue(), 1101);

  // Seven seconds late: one tick, and the next a second after it.
  now = 8101;
  const std::uint64_t before = unit.scene().Revision();
  unit.state().scene.SetPicture(im_panel_digit_2, kNoImage);
  host.Fire();
  EXPECT_NE(unit.scene().Picture(im_panel_digit_2), kNoImage);
  EXPECT_GT(unit.scene().Revision(), before);
  EXPECT_EQ(unit.timers().NextDue(), 9101);
  EXPECT_EQ(host.ArmedDelayMs(), 1000);
}

TEST(HostTest, InputCountsTimeFromThePresent) {
  std::int64_t now = 0;
  FormFixture f;
  f.form->host().SetClockForTesting([&] { return now; });
  f.Create();
  now = 5000;
  Tap(*f.form, Qt::Key_5);
  EXPECT_EQ(f.form->unit().Now(), 5000);
  Tap(*f.form, Qt::Key_1);  // Game A: the start tune's timer is due at once
  EXPECT_EQ(f.form->unit().timers().NextDue(), 5001);
}

TEST(HostTest, InputIsPaintedAtOnce) {
  std::int64_t now = 0;
  FormFixture f;
  f.form->host().SetClockForTesting([&] { return now; });
  f.Create();
  TForm1& form = *f.form;
  Tap(form, Qt::Key_5);
  const QImage opened = form.Frame();
  EXPECT_EQ(opened.pixelColor(60, 60), QColor(30, 30, 30));  // the frame over the LCD
}

}  // namespace
}  // namespace tiko
