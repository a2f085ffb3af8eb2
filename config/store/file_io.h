// File operations of the settings store: whole reads, crash-safe replacement
// and the lock that puts the writes of several running copies in a row.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tiko::store {

// What tells one version of a file from the next: a file replaced by a rename
// is another inode, one changed in place has another time or size.
struct FileStamp {
  unsigned long long device = 0, inode = 0, size = 0;
  long long changed_s = 0, changed_ns = 0, modified_s = 0, modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

struct FileBytes {
  enum Status { kOk, kMissing, kFailed, kTooLarge };
  Status status = kFailed;
  std::string bytes;
  std::string error;  // kFailed only
  FileStamp stamp;    // kOk only: of the file the bytes came from
};

// The whole file, or kTooLarge without its bytes when it holds more than
// `max_bytes` (told from its size before reading, or while reading what has
// no size, such as a device).
FileBytes ReadWholeFile(const std::filesystem::path& file, std::uintmax_t max_bytes);
// The stamp of the file now, or nullopt when it cannot be looked at.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

// Writes a temporary file beside `target`, flushes it to disk, renames it over
// `target` and flushes the folder: afterwards `target` holds either the old or
// the new bytes, never a part. The temporary file is always one it created
// itself, never something found at its name, and is made with the old file's
// permissions (600 when there is none). Callers keep one writer at a time.
// Returns the error, or an empty string.
std::string ReplaceFile(const std::filesystem::path& target, std::string_view bytes);

// The file a chain of symbolic links at `file` ends at, whether or not it
// exists; `file` itself when it is no link. An empty path and `error` set for
// a link that cannot be read or a loop.
std::filesystem::path FinalTarget(const std::filesystem::path& file, std::string& error);

// An exclusive flock on `file` (created when missing), held until destruction,
// which removes the file: no lock file stays behind. A waiter that got the
// lock of a file removed meanwhile tries again on the one now at the path.
class FileLock {
 public:
  explicit FileLock(const std::filesystem::path& file);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool locked() const { return fd_ >= 0; }
  const std::string& error() const { return error_; }

 private:
  std::filesystem::path file_;
  int fd_ = -1;
  std::string error_;
};

}  // namespace tiko::store
