// The program's application object. With TIKO_CUE_LATENCY set (the window
// benchmark) the sound output is a paced capture instead of the device, and
// each key press whose handling starts a cue prints
// "tiko: cue N ms after key" once that cue's first buffer leaves the mixer.
#pragma once

#include <QApplication>
#include <memory>

namespace tiko {

namespace fsound {
class PacedOutput;
}

class ProgramApplication : public QApplication {
 public:
  ProgramApplication(int& argc, char** argv);
  ~ProgramApplication() override;

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::shared_ptr<fsound::PacedOutput> probe_;
  int key_depth_ = 0;
  bool cue_started_ = false;
};

}  // namespace tiko
