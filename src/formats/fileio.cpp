// SPDX-License-Identifier: MIT
#include "formats/fileio.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <mutex>
#include <set>

#include "core/errorwords.h"
#include "core/escape.h"

namespace merin::formats {
namespace {

using Doing = WriteFailure::Doing;

Refusal FileError(const std::string& path, int error) {
  if (error == EISDIR) return Refusal{Fault::IsFolder, path};
  return Refusal{Fault::SystemError, path, {error}};
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

// The process that made a temporary file of ours named `name`, or 0 when it is none: our names
// are ".merin-PID-N.tmp", and "NAME.tmp-PID-N" from earlier versions.
pid_t TemporaryOwner(std::string_view name) {
  std::string_view numbers;
  if (name.starts_with(".merin-") && name.ends_with(".tmp")) {
    numbers = name.substr(7, name.size() - 11);
  } else if (const size_t at = name.rfind(".tmp-"); at != std::string_view::npos) {
    numbers = name.substr(at + 5);
  }
  const size_t dash = numbers.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == numbers.size()) return 0;
  for (const char c : numbers) {
    if ((c < '0' || c > '9') && c != '-') return 0;
  }
  pid_t pid = 0;
  std::from_chars(numbers.data(), numbers.data() + dash, pid);
  return pid;
}

// Removes from `folder` the temporaries of runs that have ended; once per folder in a run.
void RemoveLeftTemporaries(const std::string& folder) {
  static std::mutex mutex;
  static std::set<std::string> swept;
  {
    const std::lock_guard lock(mutex);
    if (!swept.insert(folder).second) return;
  }
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t owner = TemporaryOwner(entry->d_name);
    if (owner <= 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) == 0 || errno == EPERM) continue;  // still running
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// The file a write to `path` replaces: `path`, or where its symbolic links lead.
std::string Resolved(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0) return current;
    target.resize(static_cast<size_t>(length));
    current = target.starts_with('/') ? target : FolderOf(current) + "/" + target;
  }
  return current;  // the open then fails with ELOOP
}

struct Temporary {
  std::string path;
  int fd = -1;
};

// Creates a new, empty temporary file beside `target`, with the mode and owner of the file it is
// to replace; or says why it cannot be.
std::variant<Temporary, int> CreateTemporary(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return EISDIR;
  if (exists && !S_ISREG(old.st_mode)) return kNotAFile;
  if (exists && (old.st_mode & 0222) == 0) return kReadOnlyFile;
  const std::string folder = FolderOf(target);
  RemoveLeftTemporaries(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = folder + "/.merin-" + std::to_string(::getpid()) + "-" +
                             std::to_string(counter.fetch_add(1)) + ".tmp";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (exists) {
        // Owner first: a change of owner clears the set-user-ID bits the mode then sets again.
        // Only root may give a file away; for others the owner is theirs already.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
      }
      return Temporary{path, fd};
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

}  // namespace

std::string WriteFailure::Message(Language language) const {
  const std::string shown = Escaped(path);
  const std::string reason = ErrorWords(error, language, detail);
  if (language == Language::Japanese) {
    switch (doing) {
      case Doing::Writing:
        return shown + " を書き込めません: " + reason;
      case Doing::Reading:
        return shown + " を読み込めません: " + reason;
      case Doing::MakingFolder:
        return "フォルダ " + shown + " を作れません: " + reason;
    }
  }
  switch (doing) {
    case Doing::Writing:
      return "cannot write " + shown + ": " + reason;
    case Doing::Reading:
      return "cannot read " + shown + ": " + reason;
    case Doing::MakingFolder:
      return "cannot make the folder " + shown + ": " + reason;
  }
  return reason;
}

Refusal RefusalOf(const WriteFailure& failure) {
  Refusal refusal{
      Fault::CannotWrite, failure.path, {static_cast<int64_t>(failure.doing), failure.error}};
  refusal.text = failure.detail;
  return refusal;
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
  if (!allowed) return FileError(path, kNotAFile);
  const auto tooLarge = [&] {
    return Refusal{Fault::TooLarge, path, {static_cast<int64_t>(limit / 1024)}};
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

std::optional<WriteFailure> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                                bool syncFolder) {
  const auto failure = [&](int error) { return WriteFailure{path, Doing::Writing, error, {}}; };
  const std::string target = Resolved(path);
  auto created = CreateTemporary(target);
  if (const int* error = std::get_if<int>(&created)) return failure(*error);
  const Temporary temporary = std::get<Temporary>(created);
  Descriptor fd(temporary.fd);
  const auto fail = [&](int error) {
    fd.Close();
    ::unlink(temporary.path.c_str());
    return failure(error);
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
