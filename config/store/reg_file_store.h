// The per-user settings of the program in a file in the regedit export format.
// Every read sees the file as it is now (another running copy may have written
// it); every write locks the file, re-reads it, changes one value and replaces
// the file in one rename, so neither a crash nor a second copy loses a value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/store/file_io.h"
#include "config/store/reg_text.h"
#include "engine/ports.h"

namespace tiko {

// $XDG_CONFIG_HOME/Orvane/Qorvix50.reg, or ~/.config/Orvane/Qorvix50.reg.
std::filesystem::path DefaultStorePath();

// A settings file beyond this is neither read nor written: the program has
// nothing to store that needs a fraction of it.
inline constexpr std::uintmax_t kMaxSettingsBytes = std::uintmax_t{4} * 1024 * 1024;

class RegFileStore : public SettingsStore {
 public:
  // Creates the file, with just the header and the key, and its folders when missing.
  explicit RegFileStore(std::filesystem::path file);

  int ReadInteger(const std::string& name, int default_value) override;
  bool ReadBool(const std::string& name, bool default_value) override;
  void WriteInteger(const std::string& name, int value) override;
  void WriteBool(const std::string& name, bool value) override;

  // nullopt when absent; UnitError for a value of another type.
  std::optional<std::string> ReadString(const std::string& name);
  // False when the value could not reach the file. It is then kept in memory,
  // read back from there and written again with the next write, so the session
  // goes on with what the player chose. Texts holding a line break or NUL
  // cannot be stored and are refused.
  bool WriteString(const std::string& name, const std::string& text);

  const std::filesystem::path& path() const { return file_; }
  // Why the last write failed; empty after a write that reached the file.
  const std::string& last_error() const { return last_error_; }

  // What the player is told about the file, each at most once per run: the
  // first write that failed ("Your settings could not be saved: ..."), the
  // copy kept of a damaged file before its first rewrite, and a file too large
  // to read (its values are the defaults, and writes are kept in memory). What
  // happened before the sink is set is told when it is set.
  enum class Notice { kWriteFailed, kBackedUp, kTooLarge };
  using NoticeSink = std::function<void(Notice, const std::string& message)>;
  void SetNoticeSink(NoticeSink sink);

 private:
  bool Flush();
  bool Fail(std::string error);
  void Tell(Notice notice, std::string message);
  // The file's text, parsed again only when the file changed.
  const store::RegText* Current();

  std::filesystem::path file_;
  std::vector<std::pair<std::string, std::string>> pending_;  // in write order
  std::string last_error_;

  std::optional<store::FileStamp> cached_stamp_;
  store::RegText cached_;

  NoticeSink sink_;
  bool told_[3] = {false, false, false};
  std::vector<std::pair<Notice, std::string>> untold_;
};

}  // namespace tiko
