#include "config/store/reg_file_store.h"

#include <system_error>

namespace tiko {

namespace fs = std::filesystem;

namespace {

std::string TooLarge(const fs::path& file) {
  return "The settings file " + file.string() + " is larger than " +
         std::to_string(kMaxSettingsBytes / (1024 * 1024)) +
         " MB: it is not read, the default settings are used, and it is left as it is";
}

}  // namespace

RegFileStore::RegFileStore(fs::path file) : file_(std::move(file)) {
  std::error_code ec;
  if (!fs::exists(file_, ec)) Flush();
}

const store::RegText* RegFileStore::Current() {
  std::optional<store::FileStamp> stamp = store::StampOf(file_);
  if (stamp && cached_stamp_ == stamp) return &cached_;
  store::FileBytes file = store::ReadWholeFile(file_, kMaxSettingsBytes);
  if (file.status == store::FileBytes::kTooLarge) Tell(Notice::kTooLarge, TooLarge(file_));
  if (file.status != store::FileBytes::kOk) {
    cached_stamp_.reset();
    return nullptr;
  }
  cached_ = store::RegText::Parse(file.bytes);
  cached_stamp_ = file.stamp;
  return &cached_;
}

std::optional<std::string> RegFileStore::ReadString(const std::string& name) {
  for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
    if (store::SameRegName(it->first, name)) return it->second;
  }
  const store::RegText* text = Current();
  if (text == nullptr) return std::nullopt;
  store::RegValue value = text->Find(name);
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
    // A refusal of the program's own making, not a fault of the file.
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
  // A store file linked from elsewhere (a dotfiles folder) stays a link: the
  // file at the end of the links is written, even one not there yet, but
  // only the store's own folder is ever created.
  std::string link_error;
  fs::path target = store::FinalTarget(file_, link_error);
  if (target.empty()) return Fail(link_error);
  if (target == file_ && target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

  fs::path lock_path = target;
  lock_path += ".lock";
  store::FileLock lock(lock_path);
  if (!lock.locked()) return Fail(lock.error());
  // Under the lock the file is read again: another running copy may have
  // written it since. An unchanged file needs no second parse.
  std::optional<store::FileStamp> stamp = store::StampOf(target);
  store::FileBytes old;
  store::RegText text;
  if (stamp && stamp == cached_stamp_) {
    if (pending_.empty()) {
      last_error_.clear();
      return true;
    }
    text = cached_;
    old.status = store::FileBytes::kOk;
  } else {
    old = store::ReadWholeFile(target, kMaxSettingsBytes);
    // Never replace what could not be read.
    if (old.status == store::FileBytes::kFailed) return Fail(old.error);
    if (old.status == store::FileBytes::kTooLarge) {
      last_error_ = TooLarge(target);
      Tell(Notice::kTooLarge, last_error_);
      return false;
    }
    if (old.status == store::FileBytes::kOk && pending_.empty()) {
      last_error_.clear();
      return true;
    }
    text = store::RegText::Parse(old.bytes);
  }
  // A file that already holds every value as it would be written is left
  // alone: the start-up writes the key bindings back each time, and a rewrite
  // costs an fsync.
  {
    store::RegText next = text;
    next.EnsureKey();
    for (const auto& [name, value] : pending_) next.Set(name, value);
    if (!text.Damaged() && next.Serialize() == text.Serialize()) {
      if (!(stamp && stamp == cached_stamp_)) {
        cached_stamp_ = stamp;
        cached_ = std::move(text);
      }
      pending_.clear();
      last_error_.clear();
      return true;
    }
  }
  // Unread lines are carried through a rewrite, but a converted (UTF-16) file
  // is not: the damaged original is set aside once before its first rewrite.
  if (text.Damaged()) {
    fs::path backup = target;
    backup += ".bak";
    if (!fs::exists(backup, ec)) {
      if (old.bytes.empty() && stamp) old = store::ReadWholeFile(target, kMaxSettingsBytes);
      if (old.status != store::FileBytes::kOk) return Fail(old.error);
      if (std::string error = store::ReplaceFile(backup, old.bytes); !error.empty()) {
        return Fail(error);
      }
      Tell(Notice::kBackedUp, "The settings file " + target.string() +
                                  " was damaged; a copy of it as it was is kept in " +
                                  backup.string());
    }
  }
  text.EnsureKey();
  for (const auto& [name, value] : pending_) text.Set(name, value);
  if (std::string error = store::ReplaceFile(target, text.Serialize()); !error.empty()) {
    return Fail(error);
  }
  // Still under the lock, so the file now is the one just written.
  cached_stamp_ = store::StampOf(target);
  cached_ = std::move(text);
  pending_.clear();
  last_error_.clear();
  return true;
}

bool RegFileStore::Fail(std::string error) {
  last_error_ = std::move(error);
  Tell(Notice::kWriteFailed, "Your settings could not be saved: " + last_error_);
  return false;
}

void RegFileStore::Tell(Notice notice, std::string message) {
  bool& told = told_[static_cast<int>(notice)];
  if (told) return;
  told = true;
  if (sink_) {
    sink_(notice, message);
  } else {
    untold_.emplace_back(notice, std::move(message));
  }
}

void RegFileStore::SetNoticeSink(NoticeSink sink) {
  sink_ = std::move(sink);
  if (!sink_) return;
  std::vector<std::pair<Notice, std::string>> untold;
  untold.swap(untold_);
  for (const auto& [notice, message] : untold) sink_(notice, message);
}

}  // namespace tiko
