#include "record/state_dump.h"

namespace tiko {

void DumpUnit(const Unit& u, std::ostream& out) {
  out << '@' << u.Now() << " dump\n";
  out << "vars";
  for (const VarField& f : VarTable()) {
    out << ' ' << f.name << '=' << f.get(u.vars());
  }
  out << "\nlit";
  for (int id = 1; id <= kSkinImageCount; ++id) {
    if (u.scene().Visible(ImageId(id))) out << ' ' << kImageNames[id - 1];
  }
  out << "\ndigits ";
  for (int place = 1; place <= 4; ++place) {
    int d = u.scene().DigitOf(seg::panel_digit_seg[place]);
    out << (d < 0 ? '-' : static_cast<char>('0' + d));
  }
  out << "\ntimers";
  for (int i = 0; i < kTimerCount; ++i) {
    const GameTimer& t = u.timers()[static_cast<TimerId>(i)];
    out << ' ' << kTimerNames[i] << '=' << t.interval << ':' << (t.enabled ? "on" : "off");
  }
  out << '\n';
}

}  // namespace tiko
