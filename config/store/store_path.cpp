#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "config/store/reg_file_store.h"

namespace tiko {

std::filesystem::path DefaultStorePath() {
  std::filesystem::path base;
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      const passwd* pw = ::getpwuid(::getuid());
      home = pw != nullptr ? pw->pw_dir : ".";
    }
    base = std::filesystem::path(home) / ".config";
  }
  return base / "Orvane" / "Qorvix50.reg";
}

}  // namespace tiko
