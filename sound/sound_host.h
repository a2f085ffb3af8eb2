// What the sound start-up needs from the application when the sound folder is
// missing: the error box (ErrorSink, caption "Error", one OK button) and the
// request to end the program once the current event is done.
#pragma once

#include "engine/ports.h"

namespace tiko {

class SoundHost : public ErrorSink {
 public:
  virtual void RequestTerminate() = 0;
};

}  // namespace tiko
