// The mouse on the window: which image takes a press, presses and releases
// reaching the unit, dragging the window.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "display/mouse_targets.h"
#include "engine/unit_probe.h"
#include "fake_skin.h"

namespace tiko {
namespace {

using test::FormFixture;

void SendMove(QWidget& widget, QPoint local, Qt::MouseButtons held) {
  QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(widget.mapToGlobal(local)),
                   Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

TEST(HitTest, TopmostVisibleTargetByRectangle) {
  FormFixture f;
  f.Create();
  const Scene& scene = f.form->unit().scene();
  // The lid's button lies on the lid; the lid on the body.
  EXPECT_EQ(TargetAt(scene, 60, 60), btn_open);
  EXPECT_EQ(TargetAt(scene, 10, 100), im_background_front);
  EXPECT_EQ(TargetAt(scene, 100, 200), im_background_bottom);
  EXPECT_EQ(TargetAt(scene, 15, 175), btn_game_a_top);
  EXPECT_EQ(TargetAt(scene, 175, 175), btn_alarm_top);
  // The overlays are shown and the cross pad hidden behind them.
  EXPECT_EQ(TargetAt(scene, 35, 235), btn_ctrlr_overlay_up);
  EXPECT_EQ(TargetAt(scene, 12, 232), im_background_bottom);
  EXPECT_EQ(TargetAt(scene, 200, 10), kNoImage);
  EXPECT_EQ(TargetAt(scene, -1, 10), kNoImage);

  // Opened: the frame over the LCD drags; an LCD segment takes no mouse.
  f.form->unit().Press(Control::kOpen);
  EXPECT_EQ(TargetAt(scene, 60, 60), im_background_screen_top);
  EXPECT_EQ(TargetAt(scene, 10, 100), im_background_back);

  f.form->unit().SetControllerOverlay(false);
  EXPECT_EQ(TargetAt(scene, 35, 235), btn_cross_top);
}

TEST(MouseTest, PressesAndReleasesReachTheUnit) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  Unit& unit = form.unit();

  QTest::mousePress(&form, Qt::LeftButton, {}, {60, 60});
  EXPECT_EQ(unit.vars().mode, Mode::kAllSegments);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {60, 60});
  EXPECT_EQ(unit.vars().mode, Mode::kAllSegments);

  // Game A pressed shows the pressed picture; released far outside it, the game starts.
  QTest::mousePress(&form, Qt::LeftButton, {}, {15, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kGameAHeld);
  EXPECT_TRUE(unit.scene().Visible(btn_game_a_down));
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {190, 290});
  EXPECT_EQ(unit.vars().mode, Mode::kGameA);
  EXPECT_FALSE(unit.scene().Visible(btn_game_a_down));

  // The right button is no press; ACL with the left is.
  QTest::mousePress(&form, Qt::RightButton, {}, {135, 175});
  QTest::mouseRelease(&form, Qt::RightButton, {}, {135, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kGameA);
  QTest::mousePress(&form, Qt::LeftButton, {}, {135, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kAclHeld);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {135, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kAllSegments);
}

TEST(MouseTest, DragsTheWindowOnlyWindowedAndOnlyWithTheLeftButton) {
  FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  const QPoint start = form.pos();

  // Right and middle presses on the body start no drag.
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(&form, button, {}, {100, 200});
    SendMove(form, {130, 220}, button);
    QTest::mouseRelease(&form, button, {}, {130, 220});
    EXPECT_EQ(form.pos(), start);
  }

  // A left press on the body: the pressed point follows the pointer.
  QTest::mousePress(&form, Qt::LeftButton, {}, {100, 200});
  SendMove(form, {130, 220}, Qt::LeftButton);
  EXPECT_EQ(form.pos(), start + QPoint(30, 20));
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {100, 200});
  SendMove(form, {150, 250}, Qt::NoButton);
  EXPECT_EQ(form.pos(), start + QPoint(30, 20));

  // A press on a button drags nothing.
  const QPoint moved = form.pos();
  QTest::mousePress(&form, Qt::LeftButton, {}, {155, 255});
  SendMove(form, {120, 200}, Qt::LeftButton);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {120, 200});
  EXPECT_EQ(form.pos(), moved);
}

TEST(MouseTest, NoDraggingInFullscreen) {
  FormFixture f(/*fullscreen=*/true);
  f.Create();
  TForm1& form = *f.form;
  const QPoint start = form.pos();
  const Image& body = form.unit().scene()[im_background_bottom];
  const QPoint on_body(body.left + 100, body.top + 200);
  QTest::mousePress(&form, Qt::LeftButton, {}, on_body);
  SendMove(form, on_body + QPoint(30, 20), Qt::LeftButton);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, on_body + QPoint(30, 20));
  EXPECT_EQ(form.pos(), start);
}

// A double click on the in-game menu's button is one click: the menu stays open.
TEST(MouseTest, DoubleClickOnTheMenuButtonIsOneClick) {
  FormFixture f(/*fullscreen=*/true);
  f.Create();
  TForm1& form = *f.form;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  int menu_clicks = 0;
  form.on_game_menu_click = [&] { ++menu_clicks; };
  QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, {10, 10});
  EXPECT_EQ(menu_clicks, 1);
}

}  // namespace
}  // namespace tiko

namespace tiko {
namespace {

// Game A held with the mouse while a right click opens the popup menu, which
// takes the mouse and the keyboard: the press still gets its release, once.
TEST(MouseTest, APressWhoseReleaseGoesElsewhereIsReleased) {
  test::FormFixture f;
  f.Create();
  TForm1& form = *f.form;
  const Unit& unit = form.unit();
  QTest::mousePress(&form, Qt::LeftButton, {}, {60, 60});  // opens the lid
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {60, 60});
  QTest::mousePress(&form, Qt::LeftButton, {}, {15, 175});
  ASSERT_EQ(unit.vars().mode, Mode::kGameAHeld);
  QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(&form, &out);
  EXPECT_EQ(unit.vars().mode, Mode::kGameA);
  EXPECT_FALSE(unit.scene().Visible(btn_game_a_down));
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {15, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kGameA);

  // A press whose release never came at all ends when the next press begins.
  QTest::mousePress(&form, Qt::LeftButton, {}, {135, 175});  // ACL
  ASSERT_EQ(unit.vars().mode, Mode::kAclHeld);
  QTest::mousePress(&form, Qt::LeftButton, {}, {135, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kAclHeld);
  QTest::mouseRelease(&form, Qt::LeftButton, {}, {135, 175});
  EXPECT_EQ(unit.vars().mode, Mode::kAllSegments);
}

}  // namespace
}  // namespace tiko
