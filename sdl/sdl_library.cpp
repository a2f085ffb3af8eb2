#include "sdl/sdl_library.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <type_traits>

namespace tiko::sdl {
namespace {

std::string LoaderWords() {
  const char* words = dlerror();
  return words != nullptr ? words : "unknown reason";
}

std::string FileToLoad() {
  const char* file = std::getenv("TIKO_SDL_LIBRARY");
  return file != nullptr && *file != '\0' ? file : kLibraryFile;
}

std::atomic<bool> tried{false};
std::atomic<bool> told{false};

Library& Program() {
  static Library library(FileToLoad());
  tried = true;
  return library;
}

}  // namespace

Library::Library(const std::string& file) {
  dlerror();
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    error_ = "the SDL2 library " + file + " cannot be loaded (" + LoaderWords() + ")";
    return;
  }
  bool missing = false;
  auto resolve = [&](auto& slot, const char* name) {
    if (missing) return;
    dlerror();
    slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(handle, name));
    if (slot == nullptr) {
      missing = true;
      error_ = "the SDL2 library " + file + " cannot be used (" + LoaderWords() + ")";
    }
  };
#define TIKO_SDL_RESOLVE(name) resolve(api_.name, #name);
  TIKO_SDL_FUNCTIONS(TIKO_SDL_RESOLVE)
#undef TIKO_SDL_RESOLVE
  if (missing) {
    // Nothing of it has run: unloading is safe, and leaves no stranger mapped.
    dlclose(handle);
    api_ = Api{};
    return;
  }
  api_.SDL_GetDefaultAudioInfo = reinterpret_cast<decltype(api_.SDL_GetDefaultAudioInfo)>(
      dlsym(handle, "SDL_GetDefaultAudioInfo"));
  ok_ = true;
}

const Api* Load() {
  return Program().api();
}

bool Tried() {
  return tried;
}

const std::string& LoadError() {
  return Program().error();
}

std::string TakeUntoldError() {
  const std::string& error = LoadError();
  if (error.empty() || told.exchange(true)) return {};
  return error;
}

}  // namespace tiko::sdl
