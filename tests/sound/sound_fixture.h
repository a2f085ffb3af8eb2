// Runs the sound library with a capture output in a scratch working folder,
// and records every FSOUND_* call.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sound/capture_output.h"
#include "sound/fsound.h"
#include "sound/fsound_hooks.h"

namespace tiko::test {

class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() /
           ("tiko-sound-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
    fsound::SetCallObserver([this](const std::string& call) { calls_.push_back(call); });
    fsound::SetOutputFactory([this] { return capture_; });
  }

  void TearDown() override {
    FSOUND_Close();
    fsound::SetCallObserver(nullptr);
    fsound::SetOutputFactory(nullptr);
    std::filesystem::current_path(old_cwd_);
    std::filesystem::remove_all(dir_);
  }

  std::shared_ptr<fsound::CaptureOutput> capture_ = std::make_shared<fsound::CaptureOutput>();
  std::vector<std::string> calls_;
  std::filesystem::path dir_;

 private:
  std::filesystem::path old_cwd_;
};

}  // namespace tiko::test
