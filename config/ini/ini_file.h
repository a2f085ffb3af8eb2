// Reads INI files the way the skin file is meant to be read: section and key
// names match without regard to case, values are trimmed and cut to the
// reader's buffer, absent keys give the caller's default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tiko {

class IniFile {
 public:
  // A value fills a buffer of 2048 characters, its terminator included.
  static constexpr std::size_t kMaxValueLength = 2047;

  // A skin's file is a few kilobytes; one beyond this is not read.
  static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{8} * 1024 * 1024;

  IniFile() = default;  // an empty file: every read gives its default
  // UTF-8, with or without a byte order mark, or UTF-16 with one, or without
  // one when the text starts with two ASCII characters in UTF-16.
  static IniFile Parse(std::string_view text);
  // Nothing when the file cannot be read (missing, no plain file, no
  // permission, larger than kMaxFileBytes). For a file that is there,
  // `problem` (when given) then takes a message for the player naming it.
  static std::optional<IniFile> Load(const std::filesystem::path& file,
                                     std::string* problem = nullptr);

  bool HasKey(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Decimal, $hex or 0x hex; an absent key or a text that is no integer gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
  // A colour reference 00BBGGRR written as an integer; anything else throws
  // UnitError("'text' is not a valid integer value").
  std::uint32_t ReadColor(std::string_view section, std::string_view key,
                          std::string_view default_value) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const std::string* Find(std::string_view section, std::string_view key) const;

  std::vector<Section> sections_;
  // Each name in lower case, to the first section of that name: a skin's
  // start-up reads hundreds of values from its 150 sections.
  std::unordered_map<std::string, std::size_t> section_index_;
};

}  // namespace tiko
