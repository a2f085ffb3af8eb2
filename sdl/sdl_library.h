// SDL2 through a table of its functions, resolved once from the shared library
// loaded at run time. Only the parts that need SDL load it: a sound output
// being started or described, and game controllers once one may be present.
#pragma once

#include <SDL.h>

#include <string>

// Every SDL function the program calls. A missing one fails the load.
#define TIKO_SDL_FUNCTIONS(X)        \
  X(SDL_GetError)                    \
  X(SDL_SetHint)                     \
  X(SDL_InitSubSystem)               \
  X(SDL_QuitSubSystem)               \
  X(SDL_WasInit)                     \
  X(SDL_free)                        \
  X(SDL_GetCurrentAudioDriver)       \
  X(SDL_OpenAudioDevice)             \
  X(SDL_CloseAudioDevice)            \
  X(SDL_PauseAudioDevice)            \
  X(SDL_GetAudioDeviceStatus)        \
  X(SDL_NumJoysticks)                \
  X(SDL_JoystickEventState)          \
  X(SDL_JoystickGetDeviceInstanceID) \
  X(SDL_IsGameController)            \
  X(SDL_GameControllerEventState)    \
  X(SDL_GameControllerOpen)          \
  X(SDL_GameControllerClose)         \
  X(SDL_GameControllerUpdate)        \
  X(SDL_GameControllerGetAttached)   \
  X(SDL_GameControllerGetButton)     \
  X(SDL_GameControllerGetAxis)

namespace tiko::sdl {

// The library's file as the dynamic loader finds it. TIKO_SDL_LIBRARY, when
// set, names another file (tests point it at a missing or a wrong one).
inline constexpr const char* kLibraryFile = "libSDL2-2.0.so.0";

struct Api {
#define TIKO_SDL_MEMBER(name) decltype(&::name) name = nullptr;
  TIKO_SDL_FUNCTIONS(TIKO_SDL_MEMBER)
#undef TIKO_SDL_MEMBER
  // Newer than the rest (2.24): null with an older library.
  decltype(&::SDL_GetDefaultAudioInfo) SDL_GetDefaultAudioInfo = nullptr;
};

// One shared library's table, loaded by the constructor; the library stays
// loaded for the rest of the run, as SDL's threads may still be in it.
class Library {
 public:
  explicit Library(const std::string& file);
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // Null when the file could not be loaded or lacks a function.
  const Api* api() const { return ok_ ? &api_ : nullptr; }
  // Why not, as "the SDL2 library FILE cannot be loaded (the dynamic
  // loader's words)" or "... cannot be used (...)"; empty when loaded.
  const std::string& error() const { return error_; }

 private:
  Api api_;
  bool ok_ = false;
  std::string error_;
};

// The program's SDL, loaded at the first call from any thread; null when it
// cannot be, for the rest of the run.
const Api* Load();
// Whether Load has run, whatever came of it; nothing is loaded by asking.
bool Tried();
// Why Load gave null, as Library::error says it.
const std::string& LoadError();
// The load error, the first time it is asked for; empty ever after (and
// while SDL loads), so that the run tells it once whoever needed SDL first.
std::string TakeUntoldError();

}  // namespace tiko::sdl
