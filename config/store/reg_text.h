// The settings file's text: a regedit export of one key. Every line is kept as
// it was read, so that a rewrite changes only the value it sets and carries
// lines it cannot read (damage, other keys, other value types) through unchanged.
//
// How the text is read:
// - Encoding: UTF-8 (a byte order mark kept); UTF-16 with a byte order mark,
//   or without one when the file starts with two letters in UTF-16
//   (as every regedit export does), is converted to UTF-8.
// - Lines end at LF, a CR before it belonging to the ending; a file without
//   any LF has its lines end at CR. New lines take the ending of the first.
//   Other bytes, NUL among them, are ordinary characters of a line.
// - `"name"="text"` is a string value; `@="text"` and `""="text"` are the
//   key's unnamed value, name "". `\\` and `\"` are the only escapes.
// - `"name"=dword:...`, `"name"=hex:...` and `"name"=hex(N):...` are values of
//   other types. Their data runs on over the following lines while a line
//   ends in a backslash and the next holds nothing but hex digits, commas and
//   blanks (and maybe its own backslash); any other line ends the value, so a
//   value cut off after its backslash never swallows the line after it.
// - `"name"=-` deletes the value: it reads as absent.
// - A blank line, a `;` comment, the header and `[key]` lines hold no value;
//   any other line is damage, kept as it is and read as nothing.
// - The key's values are the lines under its `[key]` line, up to the next
//   `[key]` line; in a file without it, the lines before any `[key]` line.
//   Names match without regard to ASCII case; the last line of a name counts.
#pragma once

#include <cstdint>
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

  bool operator==(const RegValue&) const = default;
};

class RegText {
 public:
  // Never fails: whatever cannot be read is kept as an unread line.
  static RegText Parse(std::string_view bytes);

  // The last value of that name in the key.
  RegValue Find(std::string_view name) const;
  // The names of the key's values, each once, as first written.
  std::vector<std::string> ValueNames() const;
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
  enum class Kind : std::uint8_t {
    kBlank,
    kComment,
    kHeader,
    kSection,
    kString,
    kTyped,
    kDeleted,
    kContinuation,
    kOther
  };
  enum class End : std::uint8_t { kNone, kLf, kCrLf, kCr };
  struct Line {
    std::string raw;  // as read, without its line ending
    Kind kind = Kind::kOther;
    End end = End::kNone;
    std::string name;  // kString, kTyped, kDeleted: unescaped
    std::string text;  // kString: unescaped
  };

  static Line Classify(std::string_view raw, bool continues_previous);
  static bool IsValue(const Line& line);
  Line Make(std::string content) const;
  std::optional<std::size_t> OurSection() const;
  std::size_t FirstSection() const;
  // The key's lines [first, second).
  std::pair<std::size_t, std::size_t> KeyLines() const;

  std::vector<Line> lines_;
  End newline_ = End::kLf;
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
