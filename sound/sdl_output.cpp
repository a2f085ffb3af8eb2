#include "sound/sdl_output.h"

#include "sound/mixer.h"

namespace tiko::fsound {

SdlOutput::~SdlOutput() {
  Stop();
}

bool SdlOutput::Start(Mixer* mixer, int rate) {
  Stop();
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
  SDL_PauseAudioDevice(device_, 0);
  return true;
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
  self->mixer_->Mix(reinterpret_cast<std::int16_t*>(stream), len / 4);
}

}  // namespace tiko::fsound
