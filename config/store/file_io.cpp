#include "config/store/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tiko::store {
namespace {

std::string Failure(std::string_view what, const std::filesystem::path& file) {
  return std::string(what) + " " + file.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

FileStamp StampFromStat(const struct stat& st) {
  FileStamp s;
  s.device = st.st_dev;
  s.inode = st.st_ino;
  s.size = static_cast<unsigned long long>(st.st_size);
  s.changed_s = st.st_ctim.tv_sec;
  s.changed_ns = st.st_ctim.tv_nsec;
  s.modified_s = st.st_mtim.tv_sec;
  s.modified_ns = st.st_mtim.tv_nsec;
  return s;
}

}  // namespace

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  return StampFromStat(st);
}

FileBytes ReadWholeFile(const std::filesystem::path& file, std::uintmax_t max_bytes) {
  FileBytes result;
  // Not blocking: a pipe at the file's place would hold the open forever.
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) {
      result.status = FileBytes::kMissing;
    } else {
      result.error = Failure("cannot open", file);
    }
    return result;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    result.error = Failure("cannot read", file);
    ::close(fd);
    return result;
  }
  // A pipe, a device or a folder could block, never end or read as nothing.
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) {
      errno = EISDIR;
      result.error = Failure("cannot read", file);
    } else {
      result.error = "cannot read " + file.string() + ": not a plain file";
    }
    return result;
  }
  result.stamp = StampFromStat(st);
  if (static_cast<std::uintmax_t>(st.st_size) > max_bytes) {
    ::close(fd);
    result.status = FileBytes::kTooLarge;
    return result;
  }
  if (st.st_size > 0) result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.error = Failure("cannot read", file);
      ::close(fd);
      return result;
    }
    if (n == 0) break;
    if (static_cast<std::uintmax_t>(n) > max_bytes - result.bytes.size()) {
      ::close(fd);
      result.bytes.clear();
      result.status = FileBytes::kTooLarge;
      return result;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  result.status = FileBytes::kOk;
  return result;
}

std::filesystem::path FinalTarget(const std::filesystem::path& file, std::string& error) {
  std::filesystem::path at = file;
  // The kernel's own bound on links followed in one path.
  for (int hop = 0; hop <= 40; ++hop) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(at, ec)) return at;
    std::filesystem::path to = std::filesystem::read_symlink(at, ec);
    if (ec) {
      error = "cannot read the link " + at.string() + ": " + ec.message();
      return {};
    }
    at = to.is_absolute() ? to : at.parent_path() / to;
  }
  errno = ELOOP;
  error = Failure("cannot follow", file);
  return {};
}

namespace {

// Opens `temp` as a new file of its own. Whatever stands at that name (a
// temporary file a killed writer left, or a link) is removed, never followed.
int CreateTemporary(const std::filesystem::path& temp, mode_t mode) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(temp.c_str(), kFlags, mode);
  if (fd < 0 && errno == EEXIST && ::unlink(temp.c_str()) == 0) {
    fd = ::open(temp.c_str(), kFlags, mode);
  }
  return fd;
}

}  // namespace

std::string ReplaceFile(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temp = target;
  temp += ".tmp";
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? old.st_mode & 07777 : 0600;
  int fd = CreateTemporary(temp, mode);
  if (fd < 0) return Failure("cannot create", temp);
  // The mode given to open passed through the umask.
  ::fchmod(fd, mode);
  std::string error;
  if (!WriteAll(fd, bytes)) {
    error = Failure("cannot write", temp);
  } else if (::fsync(fd) != 0) {
    error = Failure("cannot flush", temp);
  }
  if (::close(fd) != 0 && error.empty()) error = Failure("cannot close", temp);
  if (error.empty() && ::rename(temp.c_str(), target.c_str()) != 0) {
    error = Failure("cannot replace", target);
  }
  if (!error.empty()) {
    ::unlink(temp.c_str());
    return error;
  }
  // The rename is durable only once the folder is on disk too. Some file
  // systems cannot flush a folder; the file itself is already safe then.
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

FileLock::FileLock(const std::filesystem::path& file) : file_(file) {
  for (;;) {
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      error_ = Failure("cannot open", file);
      return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      error_ = Failure("cannot lock", file);
      ::close(fd_);
      fd_ = -1;
      return;
    }
    // The holder before removes the file on release; its lock is then no
    // lock for whoever opens the path next.
    struct stat held {
    }, now{};
    if (::fstat(fd_, &held) != 0) return;
    if (::stat(file.c_str(), &now) != 0) {
      if (errno != ENOENT) return;
    } else if (held.st_dev == now.st_dev && held.st_ino == now.st_ino) {
      return;
    }
    ::close(fd_);
  }
}

FileLock::~FileLock() {
  if (fd_ < 0) return;
  ::unlink(file_.c_str());
  ::close(fd_);
}

}  // namespace tiko::store
