// SPDX-License-Identifier: MIT
#include "formats/fileio.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <ctime>
#include <mutex>
#include <set>

#include "core/coretexts.h"

namespace merin::formats {
namespace {

Refusal FileError(const std::string& path, int error) {
  if (error == EISDIR) return Refusal(CoreText("file.is-folder"), path);
  // A socket cannot be opened at all: the open says only "no such device or address".
  struct stat info {};
  if (error == ENXIO && ::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
    return Refusal(CoreText("file.socket"), path);
  }
  return SystemRefusal(error, path);
}

// A file that is not what was wanted: a socket, or a device or pipe.
Refusal NotAFile(const std::string& path, const struct stat& info) {
  return Refusal(S_ISSOCK(info.st_mode) ? CoreText("file.socket") : CoreText("file.not-a-file"),
                 path);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  // Closes the one held and holds `fd` instead.
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // Closes now; returns the errno of a failed close, or 0.
  int Close() {
    if (fd_ < 0) return 0;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The descriptor a path such as /dev/stdin or /dev/fd/3 names, read from where it stands rather
// than opened again (a pipe opened again waits for a writer that may be gone); or -1.
int InheritedDescriptor(const std::string& path) {
  if (path == "/dev/stdin") return 0;
  for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (!path.starts_with(prefix)) continue;
    int fd = -1;
    const char* end = path.data() + path.size();
    const auto [at, error] = std::from_chars(path.data() + prefix.size(), end, fd);
    if (error == std::errc() && at == end) return fd;
  }
  return -1;
}

// The process that made the temporary file named `name`, or 0 when the name is not exactly of
// the form our writer gives its temporaries: ".merin-PID-N.tmp".
pid_t TemporaryOwner(std::string_view name) {
  constexpr std::string_view kPrefix = ".merin-", kSuffix = ".tmp";
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return 0;
  const std::string_view numbers =
      name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  const size_t dash = numbers.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == numbers.size()) return 0;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i != dash && (numbers[i] < '0' || numbers[i] > '9')) return 0;
  }
  pid_t pid = 0;
  const auto [at, error] = std::from_chars(numbers.data(), numbers.data() + dash, pid);
  return error == std::errc() && at == numbers.data() + dash ? pid : 0;
}

// How old a temporary must be before it is taken for one left behind: a writer that has just
// made it may belong to a process whose number was reused.
constexpr time_t kLeftAfterSeconds = 60;

// Removes from `folder` the temporaries of ours that runs which have ended left behind: regular
// files of this user, named as our writer names them, older than a minute, whose process no
// longer runs. Nothing else is touched. Once per folder in a run.
void RemoveLeftTemporaries(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  {
    const std::lock_guard lock(mutex);
    if (!swept.insert(folder).second) return;
  }
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t owner = TemporaryOwner(entry->d_name);
    if (owner <= 0 || owner == ::getpid()) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
    if (now - info.st_mtime < kLeftAfterSeconds) continue;
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;  // still running, or not ours to ask
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// The file a write to `path` replaces: `path`, or where its symbolic links lead; ELOOP for a
// loop or a chain longer than the system follows.
std::variant<std::string, Refusal> Resolved(const std::string& path) {
  constexpr int kMostLinks = 40;  // what Linux follows in one path
  std::string current = path;
  for (int hop = 0; hop <= kMostLinks; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    if (hop == kMostLinks) break;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0) return SystemRefusal(errno);
    if (static_cast<size_t>(length) >= target.size()) return SystemRefusal(ENAMETOOLONG);
    target.resize(static_cast<size_t>(length));
    current = target.starts_with('/') ? target : FolderOf(current) + "/" + target;
  }
  return SystemRefusal(ELOOP);
}

// Gives the new file `fd` the extended attributes (ACLs among them) of the file at `old`, where
// the file system has them and lets them be set; Emscripten's file systems have none.
void CopyAttributes([[maybe_unused]] const std::string& old, [[maybe_unused]] int fd) {
#ifndef __EMSCRIPTEN__
  const ssize_t size = ::listxattr(old.c_str(), nullptr, 0);
  if (size <= 0) return;
  std::string names(static_cast<size_t>(size), '\0');
  const ssize_t listed = ::listxattr(old.c_str(), names.data(), names.size());
  if (listed <= 0) return;
  names.resize(static_cast<size_t>(listed));
  std::string value;
  for (size_t at = 0, end; (end = names.find('\0', at)) != std::string::npos; at = end + 1) {
    const char* name = names.c_str() + at;
    const ssize_t length = ::getxattr(old.c_str(), name, nullptr, 0);
    if (length < 0) continue;
    value.resize(static_cast<size_t>(length));
    if (::getxattr(old.c_str(), name, value.data(), value.size()) != length) continue;
    ::fsetxattr(fd, name, value.data(), value.size(), 0);
  }
#endif
}

// Gives the new file `fd` the owner, group and mode of `old` (owner first: a change of owner
// clears the set-user-ID bits the mode then sets again); or says why they cannot be kept.
std::optional<Refusal> KeepOwnerAndMode(const struct stat& old, int fd) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Only root may give a file away; for others the owner must be theirs already.
    struct stat made {};
    if (::fstat(fd, &made) != 0) return SystemRefusal(errno);
    if (made.st_uid != old.st_uid || made.st_gid != old.st_gid) {
      return Refusal(CoreText("file.owner-not-kept"));
    }
  }
  if (::fchmod(fd, old.st_mode & 07777) != 0) return SystemRefusal(errno);
  return std::nullopt;
}

struct Temporary {
  std::string path;
  int fd = -1;
};

// Creates a new, empty temporary file beside `target`, with the owner, group, mode and extended
// attributes of the file it is to replace; or says why it cannot be. A file this user may not
// write is refused as read-only, whatever the folder allows.
std::variant<Temporary, Refusal> CreateTemporary(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return SystemRefusal(errno);
  if (exists && S_ISDIR(old.st_mode)) return SystemRefusal(EISDIR);
  if (exists && !S_ISREG(old.st_mode)) return NotAFile(target, old);
  if (exists && (old.st_mode & 0222) == 0) return Refusal(CoreText("file.read-only"));
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    if (errno == EACCES) return Refusal(CoreText("file.read-only"));
    return SystemRefusal(errno);
  }
  const std::string folder = FolderOf(target);
  RemoveLeftTemporaries(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = folder + "/.merin-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1)) + ".tmp";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return SystemRefusal(errno);
    if (exists) {
      if (auto refusal = KeepOwnerAndMode(old, fd)) {
        ::close(fd);
        ::unlink(path.c_str());
        return std::move(*refusal);
      }
      CopyAttributes(target, fd);
    }
    return Temporary{path, fd};
  }
  return SystemRefusal(EEXIST);
}

}  // namespace

Refusal Unwritten(std::string path, Refusal why) {
  why.file = std::move(path);
  why.doing = &CoreText("doing.write");
  return why;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  // A failure here loses nothing written: the files are whole under one name or the other.
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() >= 0) ::fsync(fd.Get());
}

std::variant<std::string, Refusal> ReadInputFile(const std::string& path, Accept accept,
                                                 size_t limit) {
  struct stat info {};
  const int inherited = accept == Accept::Files ? -1 : InheritedDescriptor(path);
  // Opened without waiting, so that a device or a FIFO cannot hang the open, then looked at.
  Descriptor fd(inherited >= 0 ? ::fcntl(inherited, F_DUPFD_CLOEXEC, 0)
                               : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) return FileError(path, errno);
  if (::fstat(fd.Get(), &info) != 0) return FileError(path, errno);
  if (inherited < 0 && accept != Accept::Files && S_ISFIFO(info.st_mode)) {
    // A FIFO is opened again waiting for its writer: read at once, it would seem empty.
    const int waiting = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const int error = errno;
    fd.Reset(waiting);
    if (waiting < 0) return FileError(path, error);
    if (::fstat(waiting, &info) != 0) return FileError(path, errno);
  }
  if (S_ISDIR(info.st_mode)) return FileError(path, EISDIR);
  const bool regular = S_ISREG(info.st_mode);
  const bool allowed = regular || accept == Accept::Anything ||
                       (accept == Accept::FilesAndPipes && S_ISFIFO(info.st_mode));
  if (!allowed) return NotAFile(path, info);
  const auto tooLarge = [&] {
    return Refusal(CoreText("file.too-large"), path, {std::to_string(limit / 1024)});
  };
  if (regular && static_cast<size_t>(info.st_size) > limit) return tooLarge();
  std::string bytes;
  if (regular) {
    // One read takes the whole file; a short read is its end.
    bytes.resize(static_cast<size_t>(info.st_size) + 1);
    ssize_t got;
    do {
      got = ::read(fd.Get(), bytes.data(), bytes.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) return FileError(path, errno);
    if (static_cast<size_t>(got) < bytes.size()) {
      bytes.resize(static_cast<size_t>(got));
      return bytes;
    }
  } else if (inherited < 0) {
    // Streams block again; O_NONBLOCK only kept the open from hanging.
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
  }
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return FileError(path, errno);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    if (bytes.size() > limit) return tooLarge();
  }
  return bytes;
}

std::optional<Refusal> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                           bool syncFolder) {
  auto resolved = Resolved(path);
  if (auto* refusal = std::get_if<Refusal>(&resolved)) return Unwritten(path, std::move(*refusal));
  const std::string& target = std::get<std::string>(resolved);
  auto created = CreateTemporary(target);
  if (auto* refusal = std::get_if<Refusal>(&created)) return Unwritten(path, std::move(*refusal));
  const Temporary temporary = std::get<Temporary>(created);
  Descriptor fd(temporary.fd);
  const auto fail = [&](int error) {
    fd.Close();
    ::unlink(temporary.path.c_str());
    return Unwritten(path, SystemRefusal(error));
  };
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd.Get(), bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? errno : EIO);
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd.Get()) != 0) return fail(errno);
  if (const int error = fd.Close()) return fail(error);
  if (::rename(temporary.path.c_str(), target.c_str()) != 0) return fail(errno);
  if (syncFolder) SyncFolder(FolderOf(target));
  return std::nullopt;
}

}  // namespace merin::formats
