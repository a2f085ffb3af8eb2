// Seams of the sound library for tests, tools and the benchmark.
#pragma once

#include <functional>
#include <string>

#include "sound/audio_output.h"

namespace tiko::fsound {

// Every FSOUND_* call, written like "FSOUND_Init(22050, 64, 0)"; a sample
// appears as the file it came from, or "null".
using CallObserver = std::function<void(const std::string& call)>;
void SetCallObserver(CallObserver observer);

// Makes the outputs that FSOUND_Init opens from now on; an empty factory
// restores the sound device.
void SetOutputFactory(OutputFactory factory);

// What FSOUND_Close does, unreported: stops the output, then releases the
// samples and the mixer. The program's last step however it ends; the library
// does it again, harmlessly, when it is destroyed.
void Shutdown();

}  // namespace tiko::fsound
