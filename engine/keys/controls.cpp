#include "engine/keys/controls.h"

#include "engine/vars.h"

namespace tiko {

std::optional<Control> ControlOfBinding(int binding, Mode m) {
  if (binding == InfoOf(Control::kOpen).binding) {
    return m == Mode::kClosed ? Control::kOpen : Control::kAcl;
  }
  for (const ControlInfo& info : kControls) {
    if (info.binding == binding) return info.control;
  }
  return std::nullopt;
}

std::optional<Control> ControlOfImage(ImageId image) {
  for (const ControlInfo& info : kControls) {
    if (info.image == image) return info.control;
  }
  return std::nullopt;
}

std::optional<Control> ControlNamed(std::string_view name) {
  for (const ControlInfo& info : kControls) {
    if (info.name == name) return info.control;
  }
  return std::nullopt;
}

}  // namespace tiko
