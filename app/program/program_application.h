// The program's application object. With TIKO_CUE_LATENCY set (the window
// benchmark) each key press whose handling starts a cue prints
// "tiko: cue N ms after key, device open|reopened[, kept open]" once that
// cue's first buffer is handed to the sound device. A number given closes the
// device after that many ms of silence instead of 2 s.
#pragma once

#include <QApplication>
#include <memory>

namespace tiko {

namespace fsound {
class SdlOutput;
}

class ProgramApplication : public QApplication {
 public:
  ProgramApplication(int& argc, char** argv);
  ~ProgramApplication() override;

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::shared_ptr<fsound::SdlOutput> probe_;
  int key_depth_ = 0;
  bool cue_started_ = false;
};

}  // namespace tiko
