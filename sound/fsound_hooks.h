// Seams of the sound library for tests, tools and the benchmark.
#pragma once

#include <cstddef>
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

// What the samples loaded at once may take decoded, at the mixing rate.
inline constexpr std::size_t kSampleBudget = std::size_t{64} * 1024 * 1024;

// The file of the first sample FSOUND_Sample_Load refused since FSOUND_Init
// because the samples would take more than kSampleBudget together; empty
// when none was. Such a sample gives null, as a missing one does.
const std::string& FirstSampleOverBudget();

// Why the output could not be started since FSOUND_Init, when the player
// should be told (the sound library missing); empty otherwise. The library
// then plays silently.
const std::string& OutputFailure();

// What FSOUND_Close does, unreported: stops the output, then releases the
// samples and the mixer. The program's last step however it ends; the library
// does it again, harmlessly, when it is destroyed.
void Shutdown();

}  // namespace tiko::fsound
