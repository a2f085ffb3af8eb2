#include "tools/tiko_script/script_ports.h"

namespace tiko::script {

void PrintingCues::Snd_Play(SoundId id) {
  out_ << '@' << now_() << " sound " << SoundName(id) << '\n';
}

void PrintingCues::Snd_Silence() {
  out_ << '@' << now_() << " silence\n";
}

int PrintingStore::ReadInteger(const std::string& name, int default_value) {
  return inner_.ReadInteger(name, default_value);
}

bool PrintingStore::ReadBool(const std::string& name, bool default_value) {
  return inner_.ReadBool(name, default_value);
}

void PrintingStore::WriteInteger(const std::string& name, int value) {
  out_ << '@' << now_() << " store " << name << '=' << value << '\n';
  inner_.WriteInteger(name, value);
}

void PrintingStore::WriteBool(const std::string& name, bool value) {
  out_ << '@' << now_() << " store " << name << '=' << (value ? 1 : 0) << '\n';
  inner_.WriteBool(name, value);
}

void PrintingErrors::ShowError(const std::string& message) {
  out_ << '@' << now_() << " error " << message << '\n';
}

}  // namespace tiko::script
