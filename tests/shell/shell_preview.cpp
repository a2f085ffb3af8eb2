// Shows one shell window on its own, for looking at it: shell_preview splash|keys|manual|about
#include <QApplication>
#include <QTimer>
#include <cstring>

#include "app/shell/about_form.h"
#include "app/shell/manual_form.h"
#include "app/shell/splash_form.h"
#include "input/dialog/keys_form.h"
#include "tests/support/memory_store.h"

namespace {

class Host : public tiko::SplashHost, public tiko::KeysHost {
 public:
  bool Snd_Open_Output(std::optional<tiko::SoundOutput>) override { return true; }
  void SetSplashScreenCheck(bool) override {}
  void StartUnit() override {}
  void RequestTerminate() override { QApplication::quit(); }
  void ShowError(const std::string&) override {}
  void RefreshHints() override {}
  void EnableMainWindow() override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const char* which = argc > 1 ? argv[1] : "splash";
  tiko::test::MemoryStore store;
  Host host;
  bool first_activation = true;
  tiko::Unit unit{tiko::UnitPorts{nullptr, &store, nullptr, nullptr}};
  unit.LoadKeyBindings();
  if (argc > 2) {  // a clash and an unticked check box to look at
    std::array<int, tiko::kBindingCount> choices{};
    for (int n = 1; n <= tiko::kBindingCount; ++n)
      choices[n - 1] = unit.key_bindings()[n].key_choice;
    choices[5] = 42;
    unit.AcceptKeys(choices);
    store.WriteBool("SplashScreen", false);
  }
  std::unique_ptr<QWidget> window;
  if (!std::strcmp(which, "keys")) {
    window = std::make_unique<tiko::TKeysForm>(unit, host);
  } else if (!std::strcmp(which, "manual")) {
    tiko::ManualSource source{TIKO_BIN_DIR, nullptr};
    window = std::make_unique<tiko::TManualForm>(source);
  } else if (!std::strcmp(which, "about")) {
    window = std::make_unique<tiko::TAboutForm>();
  } else {
    window = std::make_unique<tiko::TSplashForm>(store, host, first_activation);
  }
  window->show();
  return app.exec();
}
