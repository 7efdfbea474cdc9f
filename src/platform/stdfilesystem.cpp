// The file services on top of the C++ library and POSIX calls.
#include "platform/stdfilesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/fileerror.h"

namespace fs = std::filesystem;

namespace quorel::platform {

namespace {

std::string Reason() { return std::strerror(errno); }

// Closes a descriptor on every path out of a function.
class TFd {
 public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether closing succeeded (a late write error shows up here).
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

int32_t DosDateTime(time_t time) {
  struct tm local {};
  ::localtime_r(&time, &local);
  if (local.tm_year < 80) return -1;  // the format starts in 1980
  uint32_t date = static_cast<uint32_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) |
                                        local.tm_mday);
  uint32_t clock =
      static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  return static_cast<int32_t>((date << 16) | clock);
}

void TStdFileSystem::ReadFileChunks(const std::string& path,
                                    const std::function<bool(std::string_view)>& consume) {
  TFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw EFileError("Cannot open file \"" + path + "\". " + Reason());
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0)
    throw EFileError("Cannot read file \"" + path + "\". " + Reason());
  if (S_ISDIR(st.st_mode)) throw EFileError("Cannot open file \"" + path + "\". It is a folder.");

  // A piece small enough to stay in the processor's cache while it is split into lines.
  constexpr size_t kChunk = 256 * 1024;
  auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer.get(), kChunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EFileError("Cannot read file \"" + path + "\". " + Reason());
    }
    if (n == 0 || !consume(std::string_view(buffer.get(), static_cast<size_t>(n)))) break;
  }
}

std::string TStdFileSystem::CreateTempFile(const std::string& folder, const std::string& prefix) {
  std::string pattern = (fs::path(folder.empty() ? "." : folder) / (prefix + "XXXXXX")).string();
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return {};
  ::close(fd);
  return pattern;
}

void TStdFileSystem::WriteFile(const std::string& path, std::string_view data) {
  WriteFilePieces(path, [data](const TPieceWriter& write) { write(data); });
}

void TStdFileSystem::WriteFilePieces(const std::string& path,
                                     const std::function<void(const TPieceWriter&)>& produce) {
  TFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) throw EFileError("Cannot create file \"" + path + "\". " + Reason());
  produce([&](std::string_view data) {
    size_t done = 0;
    while (done < data.size()) {
      ssize_t n = ::write(fd.get(), data.data() + done, data.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw EFileError("Cannot write file \"" + path + "\". " + Reason());
      }
      done += static_cast<size_t>(n);
    }
  });
  if (::fsync(fd.get()) != 0) throw EFileError("Cannot write file \"" + path + "\". " + Reason());
  if (!fd.Close()) throw EFileError("Cannot write file \"" + path + "\". " + Reason());
}

bool TStdFileSystem::Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

bool TStdFileSystem::IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool TStdFileSystem::CreateFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return IsFolder(path);
}

bool TStdFileSystem::IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void TStdFileSystem::ListFiles(const std::string& folder,
                               const std::function<void(const std::string& name)>& each) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                          ::closedir);
  if (!dir) return;
  std::string base = folder.empty() || folder.back() == '/' ? folder : folder + '/';
  while (dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // Only when the directory does not say what the entry is does it cost a stat call.
    bool isFolder =
        entry->d_type == DT_DIR ||
        ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) && IsFolder(base + name));
    if (!isFolder) each(name);
  }
}

int32_t TStdFileSystem::FileAge(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return DosDateTime(st.st_mtime);
}

bool TStdFileSystem::IsReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

bool TStdFileSystem::Remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

bool TStdFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Exists(to)) return false;
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool TStdFileSystem::Replace(const std::string& from, const std::string& to) {
  // rename() replaces the target atomically on POSIX, and std::filesystem asks Windows to
  // replace an existing file as well.
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

void TStdFileSystem::CopyPermissions(const std::string& from, const std::string& to) {
  std::error_code ec;
  auto status = fs::status(from, ec);
  if (!ec && fs::exists(status)) {
    fs::permissions(to, status.permissions(), fs::perm_options::replace, ec);
    return;
  }
  // No original: give the file what a newly created file gets, not mkstemp's owner-only mode.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(to.c_str(), 0666 & ~mask);
}

}  // namespace quorel::platform
