#include "config/store/reg_text.h"

#include <charconv>
#include <cstdint>

#include "config/text/names.h"
#include "config/text/utf16.h"

namespace tiko::store {
namespace {

using text::SameName;
using text::StartsWithName;
using text::Utf16ToUtf8;

// A line's blanks, and the carriage return a CRLF line keeps at its end.
std::string_view TrimBlanks(std::string_view s) {
  return text::Trim(s, text::kBlanks, " \t\r");
}

// Reads a quoted string starting at s[pos] == '"'; leaves pos after the closing quote.
std::optional<std::string> Unquote(std::string_view s, std::size_t& pos) {
  if (pos >= s.size() || s[pos] != '"') return std::nullopt;
  std::string out;
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return out;
    }
    if (c == '\\') {
      if (pos + 1 >= s.size() || (s[pos + 1] != '\\' && s[pos + 1] != '"')) return std::nullopt;
      c = s[++pos];
    }
    out.push_back(c);
  }
  return std::nullopt;  // cut off before the closing quote
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The data line of a value that runs on: hex bytes, commas and blanks.
bool IsHexDataLine(std::string_view s) {
  s = TrimBlanks(s);
  if (s.ends_with('\\')) s.remove_suffix(1);
  if (TrimBlanks(s).empty()) return false;
  for (char c : s) {
    if (!IsHexDigit(c) && c != ',' && c != ' ' && c != '\t') return false;
  }
  return true;
}

// dword:, hex: or hex(N): with N in hex digits.
bool IsTypedData(std::string_view rest) {
  if (StartsWithName(rest, "dword:") || StartsWithName(rest, "hex:")) return true;
  if (!StartsWithName(rest, "hex(")) return false;
  std::size_t close = rest.find(')');
  if (close == std::string_view::npos || close == 4 || close > 12) return false;
  for (char c : rest.substr(4, close - 4)) {
    if (!IsHexDigit(c)) return false;
  }
  return rest.substr(close + 1).starts_with(':');
}

// Regedit's UTF-16 files start with "Windows Registry..." or "REGEDIT4": two
// letters, each with a NUL byte. Letters, so that a line ending added to a
// short damaged file never makes it read as UTF-16 the next time.
bool LooksLikeUtf16(std::string_view b, bool& big_endian) {
  if (b.size() < 4) return false;
  auto ascii = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (ascii(b[0]) && b[1] == 0 && ascii(b[2]) && b[3] == 0) {
    big_endian = false;
    return true;
  }
  if (b[0] == 0 && ascii(b[1]) && b[2] == 0 && ascii(b[3])) {
    big_endian = true;
    return true;
  }
  return false;
}

std::string_view EndText(std::uint8_t end) {
  static constexpr std::string_view kEnds[] = {"", "\n", "\r\n", "\r"};
  return kEnds[end];
}

}  // namespace

RegText RegText::Parse(std::string_view bytes) {
  RegText t;
  std::string decoded;
  bool big_endian = false;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    decoded = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
    bytes = decoded;
    t.converted_ = true;
  } else if (LooksLikeUtf16(bytes, big_endian)) {
    decoded = Utf16ToUtf8(bytes, big_endian);
    bytes = decoded;
    t.converted_ = true;
  } else if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
    t.utf8_bom_ = true;
  }
  const char breaker = bytes.find('\n') != std::string_view::npos ? '\n' : '\r';
  bool continues = false;
  while (!bytes.empty()) {
    std::size_t at = bytes.find(breaker);
    std::string_view raw = bytes.substr(0, at);
    End end = End::kNone;
    if (at != std::string_view::npos) {
      end = breaker == '\r' ? End::kCr : End::kLf;
      if (breaker == '\n' && raw.ends_with('\r')) {
        raw.remove_suffix(1);
        end = End::kCrLf;
      }
    }
    bytes.remove_prefix(at == std::string_view::npos ? bytes.size() : at + 1);
    Line line = Classify(raw, continues);
    line.end = end;
    continues = (line.kind == Kind::kTyped || line.kind == Kind::kContinuation) &&
                TrimBlanks(line.raw).ends_with('\\');
    t.lines_.push_back(std::move(line));
  }
  if (!t.lines_.empty() && t.lines_[0].end != End::kNone) t.newline_ = t.lines_[0].end;
  return t;
}

RegText::Line RegText::Classify(std::string_view raw, bool continues_previous) {
  Line line;
  line.raw = std::string(raw);
  std::string_view s = TrimBlanks(line.raw);
  if (continues_previous && IsHexDataLine(s)) {
    line.kind = Kind::kContinuation;
  } else if (s.empty()) {
    line.kind = Kind::kBlank;
  } else if (s.front() == ';') {
    line.kind = Kind::kComment;
  } else if (SameName(s, kRegHeader) || SameName(s, "REGEDIT4")) {
    line.kind = Kind::kHeader;
  } else if (s.front() == '[' && s.back() == ']') {
    line.kind = Kind::kSection;
  } else if (s.front() == '"' || s.front() == '@') {
    std::size_t pos = 0;
    std::optional<std::string> name;
    if (s.front() == '@') {
      name.emplace();
      pos = 1;
    } else {
      name = Unquote(s, pos);
    }
    std::string_view rest = name ? TrimBlanks(s.substr(pos)) : std::string_view{};
    if (!rest.starts_with('=')) return line;  // kOther
    rest = TrimBlanks(rest.substr(1));
    if (rest.starts_with('"')) {
      pos = 0;
      std::optional<std::string> text = Unquote(rest, pos);
      if (text && TrimBlanks(rest.substr(pos)).empty()) {
        line.kind = Kind::kString;
        line.text = std::move(*text);
      }
    } else if (rest == "-") {
      line.kind = Kind::kDeleted;
    } else if (IsTypedData(rest)) {
      line.kind = Kind::kTyped;
    }
    if (line.kind != Kind::kOther) line.name = std::move(*name);
  }
  return line;
}

bool RegText::IsValue(const Line& line) {
  return line.kind == Kind::kString || line.kind == Kind::kTyped || line.kind == Kind::kDeleted;
}

RegText::Line RegText::Make(std::string content) const {
  Line line = Classify(content, false);
  line.end = newline_;
  return line;
}

std::optional<std::size_t> RegText::OurSection() const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameName(TrimBlanks(lines_[i].raw), kRegKeyLine)) {
      return i;
    }
  }
  return std::nullopt;
}

std::size_t RegText::FirstSection() const {
  std::size_t i = 0;
  while (i < lines_.size() && lines_[i].kind != Kind::kSection) ++i;
  return i;
}

std::pair<std::size_t, std::size_t> RegText::KeyLines() const {
  // In a file without the key line, the lines before any key line are read
  // as the key's: a file that lost its top still gives its values.
  std::optional<std::size_t> section = OurSection();
  if (!section) return {0, FirstSection()};
  std::size_t end = *section + 1;
  while (end < lines_.size() && lines_[end].kind != Kind::kSection) ++end;
  return {*section + 1, end};
}

RegValue RegText::Find(std::string_view name) const {
  auto [begin, end] = KeyLines();
  for (std::size_t i = end; i > begin; --i) {
    const Line& line = lines_[i - 1];
    if (!IsValue(line) || !SameName(line.name, name)) continue;
    if (line.kind == Kind::kTyped) return {RegValue::kOtherType, {}};
    if (line.kind == Kind::kDeleted) return {};
    return {RegValue::kString, line.text};
  }
  return {};
}

std::vector<std::string> RegText::ValueNames() const {
  std::vector<std::string> names;
  auto [begin, end] = KeyLines();
  for (std::size_t i = begin; i < end; ++i) {
    const Line& line = lines_[i];
    if (!IsValue(line)) continue;
    bool known = false;
    for (const std::string& n : names) known = known || SameName(n, line.name);
    if (!known) names.push_back(line.name);
  }
  return names;
}

void RegText::EnsureKey() {
  if (lines_.empty() || lines_[0].kind != Kind::kHeader) {
    lines_.insert(lines_.begin(), {Make(std::string(kRegHeader)), Make("")});
  }
  if (OurSection()) return;
  std::size_t first = FirstSection();
  bool loose_values = false;
  for (std::size_t i = 1; i < first; ++i) loose_values |= IsValue(lines_[i]);
  if (loose_values) {
    // They were read as the key's values; the key line keeps them so.
    std::size_t at = lines_.size() > 1 && lines_[1].kind == Kind::kBlank ? 2 : 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Make(std::string(kRegKeyLine)));
  } else {
    if (lines_.back().kind != Kind::kBlank) lines_.push_back(Make(""));
    lines_.push_back(Make(std::string(kRegKeyLine)));
  }
}

void RegText::Set(std::string_view name, std::string_view text) {
  EnsureKey();
  std::string content =
      (name.empty() ? std::string("@") : QuoteRegString(name)) + "=" + QuoteRegString(text);
  auto [begin, end] = KeyLines();
  for (std::size_t i = end; i > begin; --i) {
    Line& line = lines_[i - 1];
    if (IsValue(line) && SameName(line.name, name)) {
      std::size_t next = i;
      while (next < lines_.size() && lines_[next].kind == Kind::kContinuation) ++next;
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i),
                   lines_.begin() + static_cast<std::ptrdiff_t>(next));
      End end_of_line = lines_[i - 1].end;
      lines_[i - 1] = Make(std::move(content));
      if (end_of_line != End::kNone) lines_[i - 1].end = end_of_line;
      return;
    }
  }
  // After the key's last line that is not blank: its blank lines stay below.
  std::size_t at = begin;
  for (std::size_t i = begin; i < end; ++i) {
    if (lines_[i].kind != Kind::kBlank) at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Make(std::move(content)));
}

std::string RegText::Serialize() const {
  std::string out = utf8_bom_ ? "\xEF\xBB\xBF" : "";
  for (const Line& line : lines_) {
    out += line.raw;
    out += EndText(static_cast<std::uint8_t>(line.end == End::kNone ? newline_ : line.end));
  }
  // A converted file's text can start with NUL characters and letters; the
  // byte order mark keeps it from reading as UTF-16 next time.
  bool big_endian = false;
  if (!utf8_bom_ && LooksLikeUtf16(out, big_endian)) out.insert(0, "\xEF\xBB\xBF");
  return out;
}

bool RegText::Damaged() const {
  if (converted_) return true;
  if (!lines_.empty() && lines_[0].kind != Kind::kHeader) return true;
  for (const Line& line : lines_) {
    if (line.kind == Kind::kOther) return true;
  }
  return false;
}

bool SameRegName(std::string_view a, std::string_view b) {
  return SameName(a, b);
}

std::string QuoteRegString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

std::optional<int> ParseIntegerText(std::string_view s) {
  s = TrimBlanks(s);
  bool negative = false;
  if (s.starts_with('+') || s.starts_with('-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
  if (ec != std::errc() || magnitude > 2147483648u) return std::nullopt;
  auto value = static_cast<std::int64_t>(magnitude);
  if (negative) value = -value;
  if (value > 2147483647) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace tiko::store
