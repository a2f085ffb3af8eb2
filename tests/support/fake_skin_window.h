// The window the skin loader lays out, as the tests give it: what the loader
// set is kept for the test to read.
#pragma once

#include <QSize>
#include <cstdint>
#include <string>
#include <vector>

#include "config/skin/skin_loader.h"

namespace tiko::test {

class FakeSkinWindow : public SkinWindow {
 public:
  QSize screen{1280, 1024};
  QSize client{500, 690};
  std::uint32_t color = 0;
  bool color_key_on = false;
  std::uint32_t color_key = 0;
  std::vector<std::string> errors;
  int terminate_requests = 0;
  bool fullscreen = true;

  bool FullscreenOn() const override { return fullscreen; }
  QSize ScreenSize() override { return screen; }
  void SetClientHeight(int height) override { client.setHeight(height); }
  void SetClientWidth(int width) override { client.setWidth(width); }
  QSize ClientSize() override { return client; }
  void SetColor(std::uint32_t colorref) override { color = colorref; }
  void SetColorKey(bool on, std::uint32_t colorref) override {
    color_key_on = on;
    color_key = colorref;
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void RequestTerminate() override { ++terminate_requests; }
};

}  // namespace tiko::test
