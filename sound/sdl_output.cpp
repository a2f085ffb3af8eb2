#include "sound/sdl_output.h"

#include <dlfcn.h>

#include <vector>

#include "sound/mixer.h"

namespace tiko::fsound {
namespace {

extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA writes its own complaints to stderr when it finds no sound card. A
// machine without sound plays silently instead, so its messages are turned
// off in the copy of libasound that SDL loads. Our handle keeps that copy,
// and the setting, loaded while SDL opens and closes it.
void QuietAlsa() {
  static const bool done = [] {
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (alsa == nullptr) return false;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    auto set_handler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set_handler != nullptr) set_handler(&IgnoreAlsaError);
    return true;
  }();
  (void)done;
}

constexpr int kSlowReopensToKeepOpen = 3;

}  // namespace

SdlOutput::~SdlOutput() {
  Stop();
}

SDL_AudioDeviceID SdlOutput::OpenDevice() {
  SDL_AudioSpec want{};
  want.freq = rate_;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kDeviceBufferFrames;
  want.callback = &SdlOutput::Callback;
  want.userdata = this;
  silent_frames_ = 0;  // no device thread runs now
  // No changes allowed: SDL converts our rate and layout to the device's.
  return sdl_->SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
}

bool SdlOutput::Start(Mixer* mixer, int rate) {
  Stop();
  failure_.clear();
  sdl_ = sdl::Load();
  if (sdl_ == nullptr) {
    failure_ = sdl::TakeUntoldError();
    return false;
  }
  QuietAlsa();
  // The Qt program handles Ctrl+C and termination itself.
  sdl_->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdl_->SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tiko");
  if (sdl_->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  mixer_ = mixer;
  rate_ = rate;
  const SDL_AudioDeviceID device = OpenDevice();
  if (device == 0) {
    mixer_ = nullptr;
    sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  {
    std::lock_guard lock(mutex_);
    device_ = device;
    running_ = true;
    open_ = true;
    want_open_ = want_close_ = keep_open_ = false;
    slow_reopens_ = 0;
    opens_ = 1;
    reopen_since_.reset();
    mark_.reset();
  }
  keeper_ = std::thread([this] { RunKeeper(); });
  // Runs until the mixer has been silent a while, in case it is already playing.
  sdl_->SDL_PauseAudioDevice(device, 0);
  return true;
}

void SdlOutput::Stop() {
  SDL_AudioDeviceID device = 0;
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    running_ = false;
  }
  changed_.notify_all();
  if (keeper_.joinable()) keeper_.join();
  {
    std::lock_guard lock(mutex_);
    device = device_;
    device_ = 0;
    open_ = false;
  }
  if (device != 0) sdl_->SDL_CloseAudioDevice(device);  // waits for a callback that is running
  mixer_ = nullptr;
  sdl_->SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlOutput::Wake() {
  std::unique_lock lock(mutex_);
  if (!running_) return;
  if (open_) {
    want_close_ = false;
    if (!keep_open_) return;
    // A callback that has just paused the device, the cue having come after
    // its silent buffer, is undone here; a running one is waited for.
    const SDL_AudioDeviceID device = device_;
    lock.unlock();
    sdl_->SDL_PauseAudioDevice(device, 0);
    return;
  }
  if (!want_open_) reopen_since_ = Clock::now();
  want_open_ = true;
  lock.unlock();
  changed_.notify_one();
}

void SdlOutput::Mark(Clock::time_point since) {
  std::lock_guard lock(mutex_);
  mark_ = since;
  mark_reopened_ = reopen_since_.has_value();
}

bool SdlOutput::Paused() const {
  std::unique_lock lock(mutex_);
  const SDL_AudioDeviceID device = open_ ? device_ : 0;
  lock.unlock();
  return device != 0 && sdl_->SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_PAUSED;
}

bool SdlOutput::DeviceOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

bool SdlOutput::KeepsOpen() const {
  std::lock_guard lock(mutex_);
  return keep_open_;
}

int SdlOutput::Opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

// Opening and closing take the driver's time, so they happen here, never on
// the game thread and never inside a callback (closing waits for the device's thread).
void SdlOutput::RunKeeper() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return !running_ || want_open_ || want_close_; });
    if (!running_) return;
    if (want_open_) {
      want_open_ = false;
      want_close_ = false;
      if (open_) continue;
      lock.unlock();
      Reopen();
      lock.lock();
    } else {
      want_close_ = false;
      if (!open_ || keep_open_) continue;
      open_ = false;  // a cue from now on asks for the device again
      const SDL_AudioDeviceID device = device_;
      device_ = 0;
      lock.unlock();
      sdl_->SDL_CloseAudioDevice(device);
      lock.lock();
    }
  }
}

void SdlOutput::Reopen() {
  const SDL_AudioDeviceID device = OpenDevice();
  if (device == 0) {
    // No device now: the cue is mixed away so that the mixer sleeps again and
    // the next cue tries once more.
    std::vector<std::int16_t> scratch(2 * (Mixer::kFadeFrames + 1));
    mixer_->Stop(Mixer::kAllChannels);
    mixer_->Mix(scratch.data(), Mixer::kFadeFrames);
    mixer_->Mix(scratch.data(), 1);
    std::lock_guard lock(mutex_);
    reopen_since_.reset();
    return;
  }
  {
    std::lock_guard lock(mutex_);
    device_ = device;
    open_ = true;
    ++opens_;
  }
  sdl_->SDL_PauseAudioDevice(device, 0);
}

void SdlOutput::OnBuffer(std::int16_t* frames, int count) {
  const bool sounding = mixer_->Mix(frames, count);
  const auto now = Clock::now();
  std::unique_lock lock(mutex_);
  if (sounding) {
    silent_frames_ = 0;
    if (reopen_since_) {
      const bool slow = now - *reopen_since_ > times_.reopen_budget;
      slow_reopens_ = slow ? slow_reopens_ + 1 : 0;
      if (slow_reopens_ >= kSlowReopensToKeepOpen) keep_open_ = true;
      reopen_since_.reset();
    }
    if (mark_) {
      const double ms = std::chrono::duration<double, std::milli>(now - *mark_).count();
      const bool reopened = mark_reopened_;
      const bool keeps_open = keep_open_;
      mark_.reset();
      lock.unlock();
      if (report_) report_(ms, reopened, keeps_open);
    }
    return;
  }
  if (keep_open_) {
    // SDL holds the device's lock (a recursive one) around this call, so the
    // pause takes effect before the next buffer, and a Wake racing with it
    // waits until this callback has returned.
    sdl_->SDL_PauseAudioDevice(device_, 1);
    return;
  }
  silent_frames_ += count;
  if (silent_frames_ < static_cast<long>(times_.idle.count()) * rate_ / 1000) return;
  silent_frames_ = 0;  // asked again after as much silence, should a cue keep it open meanwhile
  want_close_ = true;
  lock.unlock();
  changed_.notify_one();
}

void SdlOutput::Callback(void* user, Uint8* stream, int len) {
  static_cast<SdlOutput*>(user)->OnBuffer(reinterpret_cast<std::int16_t*>(stream), len / 4);
}

std::string SdlOutput::Describe() {
  const sdl::Api* sdl = sdl::Load();
  if (sdl == nullptr) return "no sound: " + sdl::LoadError();
  const bool running = sdl->SDL_WasInit(SDL_INIT_AUDIO) != 0;
  if (!running) {
    QuietAlsa();
    sdl->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      return std::string("no SDL audio driver works here (") + sdl->SDL_GetError() + "): silence";
    }
  }
  const char* driver = sdl->SDL_GetCurrentAudioDriver();
  std::string text = std::string("SDL audio driver \"") + (driver ? driver : "?") +
                     "\", the default output device";
  char* name = nullptr;
  SDL_AudioSpec spec{};
  if (sdl->SDL_GetDefaultAudioInfo != nullptr &&
      sdl->SDL_GetDefaultAudioInfo(&name, &spec, 0) == 0 && name != nullptr) {
    text += std::string(" \"") + name + "\"";
    sdl->SDL_free(name);
  }
  if (!running) sdl->SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return text;
}

}  // namespace tiko::fsound
