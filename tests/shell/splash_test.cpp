#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "app/shell/splash_form.h"
#include "tests/shell/url_recorder.h"
#include "tests/support/memory_store.h"

namespace tiko {
namespace {

class FakeSplashHost : public SplashHost {
 public:
  test::MemoryStore* store = nullptr;
  bool output_fails = false;
  std::vector<std::string> outputs;
  std::vector<std::string> errors;
  int started = 0;
  int terminates = 0;
  int check_mark = -1;

  bool Snd_Open_Output(std::optional<SoundOutput> output) override {
    outputs.push_back(output ? std::string(InfoOf(*output).entry) : std::string());
    if (output_fails) return false;
    if (output) store->WriteInteger("SoundMode", SoundModeOf(*output));
    return true;
  }
  void SetSplashScreenCheck(bool on) override { check_mark = on; }
  void StartUnit() override { ++started; }
  void RequestTerminate() override { ++terminates; }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  std::string DescribeOutput(SoundOutput output) override {
    return "plays through " + std::string(InfoOf(output).entry);
  }
};

class SplashTest : public testing::Test {
 protected:
  SplashTest() { host.store = &store; }
  std::unique_ptr<TSplashForm> Create() {
    auto form = std::make_unique<TSplashForm>(store, host, first_activation);
    if (!form->StartedDirectly()) form->show();
    return form;
  }
  test::MemoryStore store;
  FakeSplashHost host;
  bool first_activation = true;
};

TEST_F(SplashTest, FirstStartOffersTheOutputsWithPlayDisabledUntilOneIsChosen) {
  auto form = Create();
  EXPECT_FALSE(form->StartedDirectly());
  EXPECT_TRUE(first_activation);
  EXPECT_EQ(form->windowTitle(), "About this game...");
  EXPECT_EQ(form->cb_sound->currentIndex(), -1);
  ASSERT_EQ(form->cb_sound->count(), 3);
  EXPECT_EQ(form->cb_sound->itemText(0), "Microsoft DirectSound");
  EXPECT_EQ(form->cb_sound->itemText(1), "Windows MultiMedia");
  EXPECT_EQ(form->cb_sound->itemText(2), "(no sound)");
  EXPECT_FALSE(form->btn_play->isVisible());
  EXPECT_TRUE(form->btn_play_disabled->isVisible());
  EXPECT_EQ(form->btn_play_disabled->toolTip(), "please select sound driver first");
  EXPECT_TRUE(form->chb_splashscreen->isChecked());

  // Neither Enter nor "1" starts anything without an output.
  QTest::keyClick(form->cb_sound, Qt::Key_Return);
  QTest::keyClick(form->cb_sound, Qt::Key_1);
  EXPECT_TRUE(host.outputs.empty());

  form->cb_sound->setCurrentIndex(2);
  EXPECT_TRUE(form->btn_play->isVisible());
  EXPECT_FALSE(form->btn_play_disabled->isVisible());
  QTest::mouseClick(form->btn_play, Qt::LeftButton);
  EXPECT_EQ(host.outputs, std::vector<std::string>{"(no sound)"});
  EXPECT_EQ(store.values["SoundMode"], "2");
  EXPECT_EQ(store.values["SplashScreen"], "1");
  EXPECT_EQ(host.check_mark, 1);
  EXPECT_EQ(host.started, 1);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(SplashTest, ComponentsSitAtTheirPlaces) {
  auto form = Create();
  EXPECT_EQ(form->size(), QSize(460, 420));
  const std::pair<const char*, QRect> places[] = {
      {"im_background", {0, 0, 460, 420}},        {"im_box_picture", {0, 56, 460, 160}},
      {"la_game_title", {0, 12, 460, 15}},        {"la_version", {0, 28, 460, 15}},
      {"la_release_date", {0, 236, 460, 15}},     {"la_website_1", {118, 259, 56, 15}},
      {"la_website_2", {174, 259, 168, 15}},      {"la_email_1", {118, 282, 56, 15}},
      {"la_email_2", {174, 282, 168, 15}},        {"la_sound_select", {98, 308, 116, 15}},
      {"cb_sound", {217, 308, 144, 21}},          {"btn_play", {116, 340, 107, 30}},
      {"btn_play_disabled", {116, 340, 107, 30}}, {"btn_paypal", {237, 340, 107, 30}},
      {"chb_splashscreen", {12, 391, 444, 17}},
  };
  for (const auto& [name, place] : places) {
    const QWidget* widget = form->findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr) << name;
    EXPECT_EQ(widget->geometry(), place) << name;
  }
  EXPECT_EQ(form->findChild<QLabel*>("la_version")->text(),
            "Version 5.01 * Graphics improvements *");
}

TEST_F(SplashTest, UncheckedSplashIsStoredAndNextStartGoesStraightToTheUnit) {
  {
    auto form = Create();
    form->cb_sound->setCurrentIndex(2);
    form->chb_splashscreen->setChecked(false);
    QTest::keyClick(form->cb_sound, Qt::Key_1);
    EXPECT_EQ(store.values["SplashScreen"], "0");
    EXPECT_EQ(host.check_mark, 0);
  }
  host.outputs.clear();
  host.started = 0;
  auto form = Create();
  EXPECT_TRUE(form->StartedDirectly());
  EXPECT_FALSE(first_activation);
  EXPECT_EQ(host.outputs, std::vector<std::string>{"(no sound)"});
  EXPECT_EQ(host.started, 1);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(SplashTest, SplashSwitchedOffWithoutAStoredOutputShowsAnyway) {
  for (const char* mode : {"-1", "3", "x"}) {
    store.values = {{"SplashScreen", "0"}, {"SoundMode", mode}};
    auto form = Create();
    EXPECT_FALSE(form->StartedDirectly()) << mode;
    EXPECT_FALSE(form->chb_splashscreen->isChecked());
    EXPECT_EQ(form->cb_sound->currentIndex(), -1);
    EXPECT_TRUE(form->btn_play_disabled->isVisible());
  }
  EXPECT_TRUE(first_activation);
  EXPECT_TRUE(host.outputs.empty());
}

TEST_F(SplashTest, FailedOutputAbandonsTheStartAndEscapeEndsWithoutStoring) {
  store.values["SoundMode"] = "0";
  host.output_fails = true;
  auto form = Create();
  QTest::keyClick(form->cb_sound, Qt::Key_Enter);
  EXPECT_EQ(host.outputs, std::vector<std::string>{"Microsoft DirectSound"});
  EXPECT_EQ(host.started, 0);
  EXPECT_FALSE(store.values.count("SplashScreen"));
  EXPECT_TRUE(form->isVisible());

  QTest::keyClick(form->chb_splashscreen, Qt::Key_Escape);
  EXPECT_EQ(host.terminates, 1);
  EXPECT_EQ(store.values.size(), 1u);
  form->close();  // by the window manager: the same as Escape
  EXPECT_EQ(host.terminates, 2);
}

TEST_F(SplashTest, ValueOfAnotherTypeIsShownAndReadsAsAbsent) {
  store.wrong_type["SoundMode"] = true;
  store.values["SplashScreen"] = "0";
  auto form = Create();
  EXPECT_EQ(host.errors, std::vector<std::string>{"Invalid data type for 'SoundMode'"});
  EXPECT_FALSE(form->StartedDirectly());
  EXPECT_EQ(form->cb_sound->currentIndex(), -1);
}

TEST_F(SplashTest, LinksGoToTheDesktopAndTheWindowStays) {
  test::UrlRecorder urls;
  auto form = Create();
  for (const char* name : {"la_website_2", "la_email_2", "btn_paypal"}) {
    auto* link = form->findChild<QLabel*>(name);
    ASSERT_TRUE(link) << name;
    QTest::mouseClick(link, Qt::LeftButton);
  }
  ASSERT_EQ(urls.opened.size(), 3);
  EXPECT_TRUE(urls.opened[0].startsWith("https://tiko-simulator.example.org"));
  EXPECT_EQ(urls.opened[1], "mailto:tiko-simulator@example.org");
  EXPECT_EQ(urls.opened[2], "https://tiko-simulator.example.org/donate");
  EXPECT_TRUE(form->isVisible());
}

// The entries keep their texts; each names what it really plays through.
TEST_F(SplashTest, EachOutputEntryTellsWhatItUses) {
  auto form = Create();
  QCoreApplication::processEvents();
  ASSERT_EQ(form->cb_sound->count(), 3);
  EXPECT_EQ(form->cb_sound->itemText(1), "Windows MultiMedia");
  EXPECT_EQ(form->cb_sound->itemData(1, Qt::ToolTipRole).toString(),
            "plays through Windows MultiMedia");
  EXPECT_EQ(form->cb_sound->itemData(2, Qt::ToolTipRole).toString(), "plays through (no sound)");
  form->cb_sound->setCurrentIndex(0);
  EXPECT_EQ(form->cb_sound->toolTip(), "plays through Microsoft DirectSound");
}

}  // namespace
}  // namespace tiko
