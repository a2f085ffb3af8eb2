#include "input/dialog/keys_form.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "engine/unit_probe.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

class FakeKeysHost : public KeysHost {
 public:
  int refreshed = 0;
  int enabled = 0;
  void RefreshHints() override { ++refreshed; }
  void EnableMainWindow() override { ++enabled; }
};

bool Red(QLabel* label) {
  return label->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

class KeysFormTest : public testing::Test {
 protected:
  void Create() {
    UnitProbe(unit).LoadKeyBindings();
    store.values.clear();  // only the dialog's own writes are looked at
    form = std::make_unique<TKeysForm>(unit, host);
    form->show();
  }
  test::MemoryStore store;
  Unit unit{UnitPorts{nullptr, &store, nullptr, nullptr}};
  FakeKeysHost host;
  std::unique_ptr<TKeysForm> form;
};

TEST_F(KeysFormTest, ListsShowTheBindingsInForce) {
  Create();
  EXPECT_EQ(form->windowTitle(), "Key settings");
  EXPECT_EQ(form->size(), QSize(448, 227));
  const char* shown[] = {
      "",      "1", "2", "3", "5", "<UP ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<DOWN ARROW>",
      "<CTRL>"};
  const char* captions[] = {"",   "Game A", "Game B", "Time", "Open the game/ACL",
                            "Up", "Left",   "Right",  "Down", "Jump"};
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(form->cb[n]->count(), 44);
    EXPECT_EQ(form->cb[n]->currentText(), shown[n]);
    EXPECT_EQ(form->la[n]->text(), captions[n]);
    EXPECT_FALSE(Red(form->la[n]));
  }
  EXPECT_EQ(form->cb[1]->itemText(43), "<SPACEBAR>");
  EXPECT_TRUE(form->btn_accept->isEnabled());
}

TEST_F(KeysFormTest, ClashesAreRedAndCannotBeAccepted) {
  Create();
  form->cb[6]->setCurrentText("<CTRL>");  // Left on the Jump key
  EXPECT_TRUE(Red(form->la[6]));
  EXPECT_TRUE(Red(form->la[9]));
  EXPECT_FALSE(Red(form->la[5]));
  EXPECT_FALSE(form->btn_accept->isEnabled());
  QTest::keyClick(form->cb[6], Qt::Key_Return);
  EXPECT_TRUE(store.values.empty());
  EXPECT_TRUE(form->isVisible());

  form->cb[1]->setCurrentText("<CTRL>");  // three on one key
  EXPECT_TRUE(Red(form->la[1]) && Red(form->la[6]) && Red(form->la[9]));

  form->cb[1]->setCurrentText("1");
  form->cb[6]->setCurrentText("L");
  for (int n = 1; n <= 9; ++n) EXPECT_FALSE(Red(form->la[n])) << n;
  EXPECT_TRUE(form->btn_accept->isEnabled());
}

TEST_F(KeysFormTest, AcceptStoresAllNineAndTheNewKeyWorks) {
  Create();
  form->cb[9]->setCurrentText("<SPACEBAR>");
  QTest::keyClick(form->cb[9], Qt::Key_Enter);
  const char* expected[] = {"", "2", "3", "4", "6", "37", "39", "40", "38", "44"};
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(store.values["Key" + std::to_string(n)], expected[n]) << n;
  }
  EXPECT_EQ(unit.key_bindings()[9].key_choice, 44);
  EXPECT_EQ(unit.key_bindings()[9].key_code, vk::kSpace);
  EXPECT_EQ(host.refreshed, 1);
  EXPECT_EQ(host.enabled, 1);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(KeysFormTest, EscapeAppliesNothingButKeepsTheListsAsLeft) {
  Create();
  form->cb[2]->setCurrentText("Z");
  QTest::keyClick(form->cb[2], Qt::Key_Escape);
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(unit.key_bindings()[2].key_choice, 3);
  EXPECT_EQ(host.refreshed, 0);
  EXPECT_EQ(host.enabled, 1);
  EXPECT_FALSE(form->isVisible());
  form->show();
  EXPECT_EQ(form->cb[2]->currentText(), "Z");
  form->close();  // by the window manager: the same as Escape
  EXPECT_EQ(host.enabled, 2);
  EXPECT_TRUE(store.values.empty());
}

TEST_F(KeysFormTest, StoredChoicesOutsideTheListShowNothingAndClash) {
  store.values = {{"Key3", "0"}, {"Key8", "99"}};
  Create();
  EXPECT_EQ(form->cb[3]->currentIndex(), -1);
  EXPECT_EQ(form->cb[8]->currentIndex(), -1);
  EXPECT_TRUE(Red(form->la[3]) && Red(form->la[8]));
  EXPECT_FALSE(form->btn_accept->isEnabled());
}

// The lists take keys by their place, as play does: a French "é" on the 2 key
// selects "2", a German Z (where US has Y) "Z", in the closed list and in the
// open one; a character of a key with no entry selects nothing. (Letters of
// other scripts need the X layout: keyboard_e2e.)
TEST_F(KeysFormTest, ListsSelectByTheKeysPlaceNotItsCharacter) {
  Create();
  auto type = [](QObject* to, int key, std::uint32_t keycode, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keycode, 0, 0, text);
    QApplication::sendEvent(to, &press);
  };
  QComboBox* list = form->cb[1];
  type(list, Qt::Key_Eacute, 11, QString::fromUtf8("é"));
  EXPECT_EQ(list->currentText(), "2");
  type(list, Qt::Key_Z, 29, "z");
  EXPECT_EQ(list->currentText(), "Z");
  type(list, Qt::Key_Less, 94, "<");  // would find "<UP ARROW>" by its text
  EXPECT_EQ(list->currentText(), "Z");
  EXPECT_EQ(list->itemText(1), "1");  // the entries keep their texts

  list->showPopup();
  type(list->view(), Qt::Key_Ampersand, 10, "&");  // French 1 key
  EXPECT_EQ(list->view()->currentIndex().row(), 1);
  list->hidePopup();
}

// The window manager's close button acts as Escape: nothing applied, the main
// window usable again.
TEST_F(KeysFormTest, ClosingTheWindowIsEscape) {
  Create();
  form->cb[9]->setCurrentIndex(43);
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(host.enabled, 1);
  EXPECT_EQ(unit.key_bindings()[9].key_choice, 42);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

}  // namespace
}  // namespace tiko
