// File operations of the settings store: whole reads, crash-safe replacement
// and the lock that puts the writes of several running copies in a row.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tiko::store {

struct FileBytes {
  enum Status { kOk, kMissing, kFailed };
  Status status = kFailed;
  std::string bytes;
  std::string error;  // kFailed only
};

FileBytes ReadWholeFile(const std::filesystem::path& file);

// Writes a temporary file beside `target`, flushes it to disk, renames it over
// `target` and flushes the folder: afterwards `target` holds either the old or
// the new bytes, never a part. Keeps the old file's permissions. Returns the
// error, or an empty string.
std::string ReplaceFile(const std::filesystem::path& target, std::string_view bytes);

// An exclusive flock on `file` (created when missing), held until destruction.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& file);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool locked() const { return fd_ >= 0; }
  const std::string& error() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

}  // namespace tiko::store
