#include "app/program/program_application.h"

#include <QKeyEvent>
#include <chrono>
#include <cstdio>
#include <string>

#include "sound/fsound_hooks.h"
#include "sound/sdl_output.h"

namespace tiko {

ProgramApplication::ProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {
  if (!qEnvironmentVariableIsSet("TIKO_CUE_LATENCY")) return;
  // A number is the silence in ms after which the device closes, so that the
  // benchmark can have cues in play reopen it.
  fsound::DeviceTimes times;
  bool idle_given = false;
  const int idle_ms = qEnvironmentVariableIntValue("TIKO_CUE_LATENCY", &idle_given);
  if (idle_given && idle_ms > 0) times.idle = std::chrono::milliseconds(idle_ms);
  probe_ =
      std::make_shared<fsound::SdlOutput>(times, [](double ms, bool reopened, bool keeps_open) {
        std::printf("tiko: cue %.1f ms after key, device %s%s\n", ms,
                    reopened ? "reopened" : "open", keeps_open ? ", kept open" : "");
        std::fflush(stdout);
      });
  fsound::SetOutputFactory([probe = probe_] { return probe; });
  fsound::SetCallObserver([this](const std::string& call) {
    if (key_depth_ > 0 && call.starts_with("FSOUND_PlaySound(")) cue_started_ = true;
  });
}

ProgramApplication::~ProgramApplication() {
  if (!probe_) return;
  fsound::SetCallObserver(nullptr);
  fsound::SetOutputFactory(nullptr);
}

bool ProgramApplication::notify(QObject* receiver, QEvent* event) {
  if (!probe_ || event->type() != QEvent::KeyPress) return QApplication::notify(receiver, event);
  const auto pressed = std::chrono::steady_clock::now();
  if (key_depth_++ == 0) cue_started_ = false;
  const bool handled = QApplication::notify(receiver, event);
  // Marked once the handling is over: every cue it started is in the mixer.
  if (--key_depth_ == 0 && cue_started_) probe_->Mark(pressed);
  return handled;
}

}  // namespace tiko
