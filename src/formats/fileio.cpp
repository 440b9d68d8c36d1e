// SPDX-License-Identifier: MIT
#include "formats/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace merin::formats {
namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

Refusal FileError(const std::string& path, Fault fault) { return Refusal{fault, path}; }

Refusal SystemError(const std::string& path, int error) {
  Refusal refusal{Fault::SystemError, path};
  refusal.values = {error};
  refusal.text = ErrnoText(error);
  return refusal;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
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

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates a new, empty temporary file beside `path`; returns its path and descriptor, or the
// reason it cannot be made.
std::variant<std::pair<std::string, int>, std::string> CreateTemporary(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  mode_t mode = 0666;
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) mode = old.st_mode & 07777;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string temporary =
        path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      // The umask has narrowed a new file's mode; an existing file keeps its own.
      if (mode != 0666) ::fchmod(fd, mode);
      return std::pair{temporary, fd};
    }
    if (errno != EEXIST) return ErrnoText(errno);
  }
  return "no free temporary file name in " + FolderOf(path);
}

// Removes the temporary and says why `path` was not written.
std::string Fail(const std::string& temporary, const std::string& path, int error) {
  ::unlink(temporary.c_str());
  return "cannot write " + path + ": " + ErrnoText(error);
}

// Renames the flushed temporary over `path`; removes it on failure.
std::optional<std::string> RenameOver(const std::string& temporary, const std::string& path) {
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    return Fail(temporary, path, errno);
  }
  // The rename itself reaches the disk with the folder; a failure here loses nothing written.
  Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) ::fsync(folder.Get());
  return std::nullopt;
}

}  // namespace

std::variant<std::string, Refusal> ReadInputFile(const std::string& path, size_t limit) {
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) return SystemError(path, errno);
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return SystemError(path, errno);
  if (S_ISDIR(info.st_mode)) return FileError(path, Fault::IsFolder);
  const auto tooLarge = [&] {
    Refusal refusal = FileError(path, Fault::TooLarge);
    refusal.values = {static_cast<int64_t>(limit / 1024)};
    return refusal;
  };
  if (S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) > limit) return tooLarge();
  std::string bytes;
  if (S_ISREG(info.st_mode)) {
    // One read takes the whole file; a short read is its end.
    bytes.resize(static_cast<size_t>(info.st_size) + 1);
    ssize_t got;
    do {
      got = ::read(fd.Get(), bytes.data(), bytes.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) return SystemError(path, errno);
    if (static_cast<size_t>(got) < bytes.size()) {
      bytes.resize(static_cast<size_t>(got));
      return bytes;
    }
  } else {
    // Pipes and terminals block again; O_NONBLOCK only kept the open from hanging.
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
  }
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return SystemError(path, errno);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    if (bytes.size() > limit) return tooLarge();
  }
  return bytes;
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  auto created = CreateTemporary(path);
  if (auto* reason = std::get_if<std::string>(&created)) {
    return "cannot write " + path + ": " + *reason;
  }
  const auto [temporary, descriptor] = std::get<0>(created);
  Descriptor fd(descriptor);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd.Get(), bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      fd.Close();
      return Fail(temporary, path, error);
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd.Get()) != 0) {
    const int error = errno;
    fd.Close();
    return Fail(temporary, path, error);
  }
  if (const int error = fd.Close()) return Fail(temporary, path, error);
  return RenameOver(temporary, path);
}

std::optional<std::string> WriteFileAtomically(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string& temporary)>& write) {
  auto created = CreateTemporary(path);
  if (auto* reason = std::get_if<std::string>(&created)) {
    return "cannot write " + path + ": " + *reason;
  }
  const std::string temporary = std::get<0>(created).first;
  ::close(std::get<0>(created).second);
  if (auto error = write(temporary)) {
    ::unlink(temporary.c_str());
    return error;
  }
  Descriptor fd(::open(temporary.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0 || ::fsync(fd.Get()) != 0) return Fail(temporary, path, errno);
  return RenameOver(temporary, path);
}

}  // namespace merin::formats
