#include "config/store/reg_file_store.h"

#include <system_error>

#include "config/store/file_io.h"
#include "config/store/reg_text.h"

namespace tiko {

namespace fs = std::filesystem;

RegFileStore::RegFileStore(fs::path file) : file_(std::move(file)) {
  std::error_code ec;
  if (!fs::exists(file_, ec)) Flush();
}

std::optional<std::string> RegFileStore::ReadString(const std::string& name) {
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
    if (store::SameRegName(it->first, name)) return it->second;
  }
  store::FileBytes file = store::ReadWholeFile(file_);
  if (file.status != store::FileBytes::kOk) return std::nullopt;
  store::RegValue value = store::RegText::Parse(file.bytes).Find(name);
  if (value.kind == store::RegValue::kOtherType) {
    throw UnitError("Invalid data type for '" + name + "'");
  }
  if (value.kind == store::RegValue::kAbsent) return std::nullopt;
  return value.text;
}

int RegFileStore::ReadInteger(const std::string& name, int default_value) {
  std::optional<std::string> text = ReadString(name);
  if (!text) return default_value;
  return store::ParseIntegerText(*text).value_or(default_value);
}

bool RegFileStore::ReadBool(const std::string& name, bool default_value) {
  return ReadInteger(name, default_value ? 1 : 0) != 0;
}

bool RegFileStore::WriteString(const std::string& name, const std::string& text) {
  if ((name + text).find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
    last_error_ = "a line break or NUL cannot be stored in '" + name + "'";
    return false;
  }
  bool replaced = false;
  for (auto& [pending_name, pending_text] : pending_) {
    if (store::SameRegName(pending_name, name)) {
      pending_text = text;
      replaced = true;
    }
  }
  if (!replaced) pending_.emplace_back(name, text);
  return Flush();
}

void RegFileStore::WriteInteger(const std::string& name, int value) {
  WriteString(name, std::to_string(value));
}

void RegFileStore::WriteBool(const std::string& name, bool value) {
  WriteString(name, value ? "1" : "0");
}

bool RegFileStore::Flush() {
  std::error_code ec;
  // A store file linked from elsewhere (a dotfiles folder) stays a link.
  fs::path target = file_;
  if (fs::is_symlink(file_, ec)) {
    fs::path resolved = fs::weakly_canonical(file_, ec);
    if (!ec) target = resolved;
  }
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

  fs::path lock_path = target;
  lock_path += ".lock";
  store::FileLock lock(lock_path);
  if (!lock.locked()) {
    last_error_ = lock.error();
    return false;
  }
  store::FileBytes old = store::ReadWholeFile(target);
  if (old.status == store::FileBytes::kFailed) {
    last_error_ = old.error;  // never replace what could not be read
    return false;
  }
  if (old.status == store::FileBytes::kOk && pending_.empty()) {
    last_error_.clear();
    return true;
  }
  store::RegText text = store::RegText::Parse(old.bytes);
  // Unread lines are carried through a rewrite, but a converted (UTF-16) file
  // is not: the damaged original is set aside once before its first rewrite.
  if (text.Damaged()) {
    fs::path backup = target;
    backup += ".bak";
    if (!fs::exists(backup, ec)) {
      if (std::string error = store::ReplaceFile(backup, old.bytes); !error.empty()) {
        last_error_ = error;
        return false;
      }
    }
  }
  text.EnsureKey();
  for (const auto& [name, value] : pending_) text.Set(name, value);
  if (std::string error = store::ReplaceFile(target, text.Serialize()); !error.empty()) {
    last_error_ = error;
    return false;
  }
  pending_.clear();
  last_error_.clear();
  return true;
}

}  // namespace tiko
