#include "sound/sdl_output.h"

#include <dlfcn.h>

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

}  // namespace

SdlOutput::~SdlOutput() {
  Stop();
}

bool SdlOutput::Start(Mixer* mixer, int rate) {
  Stop();
  QuietAlsa();
  // The Qt program handles Ctrl+C and termination itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tiko");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kDeviceBufferFrames;
  want.callback = &SdlOutput::Callback;
  want.userdata = this;
  mixer_ = mixer;
  // No changes allowed: SDL converts our rate and layout to the device's.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device_ == 0) {
    mixer_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  // Runs until its first silent buffer, in case the mixer is already playing.
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlOutput::Wake() {
  // Waits for a callback that is running; one that has just paused the
  // device is undone here, as the cue was started before this call.
  if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

bool SdlOutput::Paused() const {
  return device_ != 0 && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_PAUSED;
}

void SdlOutput::Stop() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for a callback that is running
  device_ = 0;
  mixer_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlOutput::Callback(void* user, Uint8* stream, int len) {
  auto* self = static_cast<SdlOutput*>(user);
  // SDL holds the device's lock (a recursive one) around this call, so the
  // pause takes effect before the next buffer, and a Wake racing with it
  // waits until this callback has returned.
  if (!self->mixer_->Mix(reinterpret_cast<std::int16_t*>(stream), len / 4))
    SDL_PauseAudioDevice(self->device_, 1);
}

std::string SdlOutput::Describe() {
  const bool running = SDL_WasInit(SDL_INIT_AUDIO) != 0;
  if (!running) {
    QuietAlsa();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      return std::string("no SDL audio driver works here (") + SDL_GetError() + "): silence";
    }
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  std::string text = std::string("SDL audio driver \"") + (driver ? driver : "?") +
                     "\", the default output device";
#if SDL_VERSION_ATLEAST(2, 24, 0)
  char* name = nullptr;
  SDL_AudioSpec spec{};
  if (SDL_GetDefaultAudioInfo(&name, &spec, 0) == 0 && name != nullptr) {
    text += std::string(" \"") + name + "\"";
    SDL_free(name);
  }
#endif
  if (!running) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return text;
}

}  // namespace tiko::fsound
