#include "config/ini/ini_file.h"

#include <fstream>

#include "config/ini/int_text.h"
#include "config/text/names.h"
#include "config/text/utf16.h"

namespace tiko {

namespace {

using text::SameName;
using text::Trim;

// The value as the reader hands it out: up to a NUL, without one pair of
// enclosing quotes, cut to the buffer.
std::string CleanValue(std::string_view value) {
  value = value.substr(0, value.find('\0'));
  value = Trim(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, IniFile::kMaxValueLength));
}

// A section's name as the index keeps it: names match without regard to case.
std::string Lower(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = text::AsciiLower(c);
  return lower;
}

// Two ASCII characters, each with a NUL byte, start UTF-16 text without a
// byte order mark; no UTF-8 text starts so.
bool LooksLikeUtf16(std::string_view b, bool& big_endian) {
  auto ascii = [](char c) { return c == '\t' || c == '\n' || c == '\r' || (c >= ' ' && c <= '~'); };
  if (b.size() < 4) return false;
  big_endian = b[0] == 0;
  const std::size_t low = big_endian ? 1 : 0;
  return ascii(b[low]) && b[1 - low] == 0 && ascii(b[2 + low]) && b[3 - low] == 0;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  std::string decoded;
  bool big_endian = false;
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    decoded = text::Utf16ToUtf8(text.substr(2), text[0] == '\xFE');
    text = decoded;
  } else if (LooksLikeUtf16(text, big_endian)) {
    decoded = text::Utf16ToUtf8(text, big_endian);
    text = decoded;
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Section* current = nullptr;
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    if (end == std::string_view::npos) {
      text = {};
    } else {
      bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      text.remove_prefix(end + (crlf ? 2 : 1));
    }

    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      std::string_view name =
          close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
      ini.sections_.push_back(Section{std::string(Trim(name)), {}});
      current = &ini.sections_.back();
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;  // a key without a value reads as absent
    if (current == nullptr) {
      ini.sections_.push_back(Section{});
      current = &ini.sections_.back();
    }
    current->entries.push_back(
        Entry{std::string(Trim(line.substr(0, equals))), CleanValue(line.substr(equals + 1))});
  }
  for (std::size_t i = 0; i < ini.sections_.size(); ++i) {
    ini.section_index_.emplace(Lower(ini.sections_[i].name), i);  // the first one stays
  }
  return ini;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& file, std::string* problem) {
  // Only plain files: a folder, a pipe or a device could block or never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  // Read to one byte past the limit at most: the file may grow while it is read.
  std::string text;
  char chunk[65536];
  while (text.size() <= kMaxFileBytes && in.read(chunk, sizeof chunk).gcount() > 0) {
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  if (text.size() > kMaxFileBytes) {
    if (problem != nullptr) {
      *problem = "The file " + file.string() + " is larger than " +
                 std::to_string(kMaxFileBytes / (1024 * 1024)) +
                 " MB, far more than a skin needs; it is not read, and the default settings "
                 "are used.";
    }
    return std::nullopt;
  }
  return Parse(text);
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  // The first section of that name is the one read, as the platform's reader does.
  const auto found = section_index_.find(Lower(section));
  if (found == section_index_.end()) return nullptr;
  for (const Entry& e : sections_[found->second].entries) {
    if (SameName(e.key, key)) return &e.value;
  }
  return nullptr;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  const std::string* value = Find(section, key);
  return value ? *value : std::string(default_value);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
  const std::string* value = Find(section, key);
  if (!value) return default_value;
  return ParseInteger(*value).value_or(default_value);
}

std::uint32_t IniFile::ReadColor(std::string_view section, std::string_view key,
                                 std::string_view default_value) const {
  return static_cast<std::uint32_t>(StrToInt(ReadString(section, key, default_value)));
}

}  // namespace tiko
