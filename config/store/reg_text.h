// The settings file's text: a regedit export of one key. Every line is kept as
// it was read, so that a rewrite changes only the value it sets and carries
// lines it cannot read (damage, other keys, other value types) through unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tiko::store {

inline constexpr std::string_view kRegHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kRegKeyLine = "[HKEY_CURRENT_USER\\Software\\Orvane\\Qorvix50]";

// What a value of the key holds.
struct RegValue {
  enum Kind { kAbsent, kString, kOtherType };
  Kind kind = kAbsent;
  std::string text;  // kString only
};

class RegText {
 public:
  // Never fails: whatever cannot be read is kept as an unread line.
  static RegText Parse(std::string_view bytes);

  // The last value of that name in the key (names match without regard to ASCII case).
  RegValue Find(std::string_view name) const;
  // Adds the header and the key line when they are missing.
  void EnsureKey();
  // Sets one string value, adding the header and the key line when they are missing.
  // The name and text must hold no line break and no NUL.
  void Set(std::string_view name, std::string_view text);
  // The text to store: UTF-8, the original line breaks and byte order mark kept.
  std::string Serialize() const;
  // True when the bytes could not all be read as a regedit export in UTF-8:
  // unread lines, a missing header, or a UTF-16 file that was converted.
  bool Damaged() const;

 private:
  enum class Kind { kBlank, kHeader, kSection, kString, kTyped, kContinuation, kOther };
  struct Line {
    std::string raw;  // as read, without the '\n' (a CR before it stays)
    Kind kind = Kind::kOther;
    std::string name;  // kString, kTyped: unescaped
    std::string text;  // kString: unescaped
  };

  static Line Classify(std::string raw, bool continues_previous);
  Line Make(std::string content) const;
  std::optional<std::size_t> OurSection() const;
  std::size_t FirstSection() const;

  std::vector<Line> lines_;
  bool crlf_ = false;
  bool utf8_bom_ = false;
  bool converted_ = false;
};

// Value names match without regard to ASCII case, as the registry's do.
bool SameRegName(std::string_view a, std::string_view b);
// `\` and `"` escaped, the whole in double quotes.
std::string QuoteRegString(std::string_view s);
// Decimal integer text with optional sign and surrounding blanks; nullopt for
// anything else or a number outside int.
std::optional<int> ParseIntegerText(std::string_view s);

}  // namespace tiko::store
