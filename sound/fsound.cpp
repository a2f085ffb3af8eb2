#include "sound/fsound.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "sound/fsound_hooks.h"
#include "sound/mixer.h"
#include "sound/rate_convert.h"
#include "sound/sdl_output.h"
#include "sound/wav_reader.h"

struct FSOUND_SAMPLE {
  std::string name;
  tiko::fsound::Pcm pcm;
};

namespace tiko::fsound {
namespace {

// No sound file of a game is near this; a larger one is refused unread.
constexpr std::streamoff kMaxFileBytes = 64 << 20;

struct Library {
  // The output is stopped first, whichever way the program ends: the device's
  // thread reads the mixer, and the mixer reads the samples.
  ~Library() { Release(); }
  void Release();

  CallObserver observer;
  OutputFactory factory;
  int output_code = FSOUND_OUTPUT_DSOUND;
  bool started = false;
  int rate = 0;
  // Declared in the order they depend on each other, so that even the
  // implicit destruction would stop the output before the mixer goes, and the
  // mixer before the samples.
  std::vector<std::unique_ptr<FSOUND_SAMPLE>> samples;
  std::unique_ptr<Mixer> mixer;
  std::shared_ptr<AudioOutput> output;
  bool output_running = false;
  std::string first_over_budget;
  std::string output_failure;
};

Library& Lib() {
  static Library lib;
  return lib;
}

// Calls are spelled out only for an observer: cues play on every tick.
bool Observed() {
  return static_cast<bool>(Lib().observer);
}

void Report(const std::string& call) {
  Lib().observer(call);
}

bool Known(const FSOUND_SAMPLE* sample) {
  auto& s = Lib().samples;
  return sample != nullptr &&
         std::any_of(s.begin(), s.end(), [&](const auto& p) { return p.get() == sample; });
}

// Only a sample still loaded is looked into; any other pointer may dangle.
std::string Describe(const FSOUND_SAMPLE* sample) {
  if (sample == nullptr) return "null";
  return Known(sample) ? sample->name : "unknown";
}

void OpenOutput() {
  Library& lib = Lib();
  if (lib.output_running || lib.output_code == FSOUND_OUTPUT_NOSOUND) return;
  if (!lib.output) lib.output = lib.factory ? lib.factory() : std::make_shared<SdlOutput>();
  lib.output_running = lib.output && lib.output->Start(lib.mixer.get(), lib.rate);
  if (!lib.output_running && lib.output && lib.output_failure.empty()) {
    lib.output_failure = lib.output->Failure();
  }
}

void CloseOutput() {
  Library& lib = Lib();
  if (lib.output_running) lib.output->Stop();
  lib.output_running = false;
}

void Library::Release() {
  if (output_running) output->Stop();
  output_running = false;
  output.reset();
  samples.clear();
  mixer.reset();
  started = false;
  rate = 0;
  first_over_budget.clear();
  output_failure.clear();
}

std::size_t LoadedBytes() {
  std::size_t bytes = 0;
  for (const auto& sample : Lib().samples) bytes += sample->pcm.data.size() * sizeof(std::int16_t);
  return bytes;
}

// The bytes `pcm` takes brought to `rate`, rounded up.
std::size_t ConvertedBytes(const Pcm& pcm, int rate) {
  const auto frames = (static_cast<unsigned long long>(pcm.Frames()) * static_cast<unsigned>(rate) +
                       static_cast<unsigned>(pcm.rate) - 1) /
                      static_cast<unsigned>(pcm.rate);
  return static_cast<std::size_t>(frames) * static_cast<std::size_t>(pcm.channels) *
         sizeof(std::int16_t);
}

std::optional<std::vector<std::uint8_t>> ReadFile(const char* name, int offset, int length) {
  if (name == nullptr || offset < 0 || length < 0) return std::nullopt;
  // Only plain files: opening a pipe waits for a writer that may never come.
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) return std::nullopt;
  std::ifstream in(name, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0 || offset > size) return std::nullopt;
  std::streamoff count =
      length > 0 ? std::min<std::streamoff>(length, size - offset) : size - offset;
  if (count > kMaxFileBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  in.seekg(offset);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), count)) return std::nullopt;
  return bytes;
}

}  // namespace

void SetCallObserver(CallObserver observer) {
  Lib().observer = std::move(observer);
}

void SetOutputFactory(OutputFactory factory) {
  Lib().factory = std::move(factory);
}

void Shutdown() {
  Lib().Release();
}

const std::string& FirstSampleOverBudget() {
  return Lib().first_over_budget;
}

const std::string& OutputFailure() {
  return Lib().output_failure;
}

}  // namespace tiko::fsound

using namespace tiko::fsound;

bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned flags) {
  if (Observed())
    Report("FSOUND_Init(" + std::to_string(mixrate) + ", " + std::to_string(maxsoftwarechannels) +
           ", " + std::to_string(flags) + ")");
  Library& lib = Lib();
  if (lib.started) return false;
  if (mixrate < static_cast<int>(kMinWavRate) || mixrate > static_cast<int>(kMaxWavRate))
    return false;
  lib.rate = mixrate;
  lib.mixer = std::make_unique<Mixer>(maxsoftwarechannels);
  lib.started = true;
  OpenOutput();
  return true;
}

bool FSOUND_SetOutput(int outputtype) {
  if (Observed()) Report("FSOUND_SetOutput(" + std::to_string(outputtype) + ")");
  Library& lib = Lib();
  if (outputtype < FSOUND_OUTPUT_NOSOUND || outputtype > FSOUND_OUTPUT_DSOUND) return false;
  lib.output_code = outputtype;
  if (lib.started) {
    if (outputtype == FSOUND_OUTPUT_NOSOUND)
      CloseOutput();
    else
      OpenOutput();
  }
  return true;
}

FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned mode, int offset,
                                  int length) {
  if (Observed())
    Report("FSOUND_Sample_Load(" + std::to_string(index) + ", " + (name ? name : "null") + ", " +
           std::to_string(mode) + ", " + std::to_string(offset) + ", " + std::to_string(length) +
           ")");
  Library& lib = Lib();
  if (!lib.started) return nullptr;
  auto bytes = ReadFile(name, offset, length);
  if (!bytes) return nullptr;
  auto pcm = ParseWav(*bytes);
  bytes.reset();
  if (!pcm) return nullptr;
  // Refused before it is converted, from the size it would have.
  if (ConvertedBytes(*pcm, lib.rate) > kSampleBudget - std::min(kSampleBudget, LoadedBytes())) {
    if (lib.first_over_budget.empty()) lib.first_over_budget = name;
    return nullptr;
  }
  auto converted = ConvertRate(*pcm, lib.rate);
  if (!converted) return nullptr;
  auto sample = std::make_unique<FSOUND_SAMPLE>(FSOUND_SAMPLE{name, std::move(*converted)});
  lib.samples.push_back(std::move(sample));
  return lib.samples.back().get();
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample) {
  if (Observed())
    Report("FSOUND_PlaySound(" + std::to_string(channel) + ", " + Describe(sample) + ")");
  Library& lib = Lib();
  if (!lib.started || !Known(sample)) return -1;
  bool woke = false;
  const int used = lib.mixer->Play(channel, &sample->pcm, &woke);
  if (woke && lib.output_running) lib.output->Wake();
  return used;
}

bool FSOUND_StopSound(int channel) {
  if (Observed()) Report("FSOUND_StopSound(" + std::to_string(channel) + ")");
  Library& lib = Lib();
  return lib.started && lib.mixer->Stop(channel);
}

void FSOUND_Sample_Free(FSOUND_SAMPLE* sample) {
  if (Observed()) Report("FSOUND_Sample_Free(" + Describe(sample) + ")");
  Library& lib = Lib();
  if (!Known(sample)) return;
  lib.mixer->Forget(&sample->pcm);
  std::erase_if(lib.samples, [&](const auto& p) { return p.get() == sample; });
}

void FSOUND_Close() {
  if (Observed()) Report("FSOUND_Close()");
  Lib().Release();
}
