// Every fixed-size text of the splash window, the about box, the key settings
// dialog and the in-game menu fits its box in the font this system really
// gives for Arial: the windows are laid out at fixed sizes for Arial's widths,
// and a wider stand-in cuts words off.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionComboBox>

#include "app/shell/about_form.h"
#include "app/shell/manual_form.h"
#include "app/shell/popup_menu.h"
#include "app/shell/splash_form.h"
#include "engine/unit_probe.h"
#include "input/dialog/keys_form.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

class Host : public MenuHost, public KeysHost, public SplashHost {
 public:
  QWidget main;
  QWidget* MainWidget() override { return &main; }
  void SwitchPresentation() override {}
  Presentation& presentation() override { return shown; }
  Presentation shown;
  void RequestTerminate() override {}
  void Beep() override {}
  void SceneChanged() override {}
  void ShowError(const char*) override {}
  void RefreshHints() override {}
  void EnableMainWindow() override {}
  bool Snd_Open_Output(std::optional<SoundOutput>) override { return false; }
  void SetSplashScreenCheck(bool) override {}
  void StartUnit() override {}
  void ShowError(const std::string&) override {}
};

// Where a text is drawn: its advance, from the left of its box by its alignment.
QRect TextExtent(const QString& text, const QFont& font, QRect box, Qt::Alignment align) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(text);
  int left = box.left();
  if (align & Qt::AlignHCenter) left = box.left() + (box.width() - width) / 2;
  if (align & Qt::AlignRight) left = box.right() + 1 - width;
  return QRect(left, box.top(), width, metrics.height());
}

// What font a window's text gets, for the failure messages.
std::string Family(const QFont& font) {
  return QFontInfo(font).family().toStdString();
}

// Every label of `window`: its text within its box and within the window,
// and no two texts over each other.
void ExpectLabelsFit(QWidget& window) {
  std::vector<std::pair<QRect, QString>> drawn;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    const QRect box = label->geometry();
    const QRect text = TextExtent(label->text(), label->font(), box, label->alignment());
    const std::string what = label->text().toStdString() + " (" + Family(label->font()) + ")";
    EXPECT_TRUE(box.contains(text)) << what << ": " << text.width() << " x " << text.height()
                                    << " in a box " << box.width() << " x " << box.height();
    EXPECT_TRUE(window.rect().contains(text)) << what << " leaves the window";
    for (const auto& [other, other_text] : drawn) {
      EXPECT_FALSE(other.intersects(text)) << what << " runs into " << other_text.toStdString();
    }
    drawn.emplace_back(text, label->text());
  }
}

// Every entry of a drop-down list fits the field that shows the chosen one.
void ExpectEntriesFit(QComboBox& list) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  option.editable = false;
  const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, &list);
  const QFontMetrics metrics(list.font());
  for (int i = 0; i < list.count(); ++i) {
    EXPECT_LE(metrics.horizontalAdvance(list.itemText(i)), field.width())
        << list.objectName().toStdString() << ": " << list.itemText(i).toStdString() << " ("
        << Family(list.font()) << ")";
  }
}

class TextFitTest : public testing::Test {
 protected:
  test::MemoryStore store;
  Unit unit{UnitPorts{nullptr, &store, nullptr, nullptr}};
  Host host;
};

TEST_F(TextFitTest, SplashTextsFitTheirBoxes) {
  bool first_activation = true;
  TSplashForm splash(store, host, first_activation);
  splash.show();
  ExpectLabelsFit(splash);
  auto* list = splash.findChild<QComboBox*>("cb_sound");
  ASSERT_NE(list, nullptr);
  ExpectEntriesFit(*list);
  // The check box's text starts right of the box it draws.
  auto* check = splash.findChild<QCheckBox*>("chb_splashscreen");
  ASSERT_NE(check, nullptr);
  EXPECT_LE(QFontMetrics(check->font()).horizontalAdvance(check->text()), check->width() - 22);
}

TEST_F(TextFitTest, AboutBoxTextsFitBesideEachOther) {
  TAboutForm about;
  about.show();
  ExpectLabelsFit(about);
}

TEST_F(TextFitTest, KeyDialogCaptionsAndEveryKeyNameFit) {
  UnitProbe(unit).LoadKeyBindings();
  TKeysForm keys(unit, host);
  keys.show();
  ExpectLabelsFit(keys);
  const QList<QComboBox*> lists = keys.findChildren<QComboBox*>();
  ASSERT_EQ(lists.size(), 9);
  for (QComboBox* list : lists) ExpectEntriesFit(*list);
  auto* accept = keys.findChild<QPushButton*>("btn_accept");
  ASSERT_NE(accept, nullptr);
  EXPECT_LE(QFontMetrics(accept->font()).horizontalAdvance(accept->text()), accept->width() - 8);
}

// The rows with their check marks, at the unit's own scale.
TEST_F(TextFitTest, InGameMenuRowsFitTheMenu) {
  TAboutForm about;
  UnitProbe(unit).LoadKeyBindings();
  TKeysForm keys(unit, host);
  TManualForm manual{ManualSource{"/nonexistent", nullptr}};
  PopupMenu popup(unit, store, host, ShellWindows::Made(&about, &keys, &manual, nullptr));
  for (int i : {10, 11, 12}) popup.menu_item[i]->setChecked(true);
  host.main.resize(1280, 1024);
  popup.game_menu.btn_game_menu_topClick();
  ASSERT_TRUE(popup.game_menu.game_menu_open);
  ExpectLabelsFit(host.main);
  EXPECT_EQ(host.main.findChildren<QLabel*>().size(), 14);
}

}  // namespace
}  // namespace tiko
