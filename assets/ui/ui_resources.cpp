#include "assets/ui/ui_resources.h"

namespace tiko::ui {

namespace {

constexpr bool all_under_prefix() {
  for (const UiPicture& p : all_pictures) {
    if (p.path.substr(0, 5) != ":/ui/" || p.width <= 0 || p.height <= 0) return false;
  }
  return true;
}
static_assert(all_under_prefix(), "every window picture lives under :/ui/ with a size");

}  // namespace

}  // namespace tiko::ui
