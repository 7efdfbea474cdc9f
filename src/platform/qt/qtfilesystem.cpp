// The file services through Qt's file classes.
#include "platform/qt/qtfilesystem.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "platform/fileerror.h"
#include "platform/stdfilesystem.h"

namespace quorel::platform {

namespace {

// Paths are handed around as the system's own 8-bit form.
QString Path(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string Message(const char* what, const std::string& path, const QFile& file) {
  return std::string(what) + " \"" + path + "\". " + file.errorString().toStdString();
}

// Data still in the system's buffers reaches the disk before the file counts as written.
bool SyncToDisk(QFile& file) {
  if (!file.flush()) return false;
#ifdef _WIN32
  return _commit(file.handle()) == 0;
#else
  return ::fsync(file.handle()) == 0;
#endif
}

}  // namespace

void TQtFileSystem::ReadFileChunks(const std::string& path,
                                   const std::function<bool(std::string_view)>& consume) {
  QFile file(Path(path));
  if (QFileInfo(file).isDir())
    throw EFileError("Cannot open file \"" + path + "\". It is a folder.");
  if (!file.open(QIODevice::ReadOnly)) throw EFileError(Message("Cannot open file", path, file));
  constexpr qint64 kChunk = 256 * 1024;
  auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  for (;;) {
    qint64 n = file.read(buffer.get(), kChunk);
    if (n < 0) throw EFileError(Message("Cannot read file", path, file));
    if (n == 0 || !consume(std::string_view(buffer.get(), static_cast<size_t>(n)))) break;
  }
}

std::string TQtFileSystem::CreateTempFile(const std::string& folder, const std::string& prefix) {
  QTemporaryFile file(QDir(Path(folder.empty() ? "." : folder)).filePath(Path(prefix) + "XXXXXX"));
  file.setAutoRemove(false);
  if (!file.open()) return {};
  return QFile::encodeName(file.fileName()).toStdString();
}

void TQtFileSystem::WriteFile(const std::string& path, std::string_view data) {
  WriteFilePieces(path, [data](const TPieceWriter& write) { write(data); });
}

void TQtFileSystem::WriteFilePieces(const std::string& path,
                                    const std::function<void(const TPieceWriter&)>& produce) {
  QFile file(Path(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw EFileError(Message("Cannot create file", path, file));
  produce([&](std::string_view data) {
    if (file.write(data.data(), static_cast<qint64>(data.size())) !=
        static_cast<qint64>(data.size()))
      throw EFileError(Message("Cannot write file", path, file));
  });
  if (!SyncToDisk(file)) throw EFileError(Message("Cannot write file", path, file));
  file.close();
  if (file.error() != QFileDevice::NoError)
    throw EFileError(Message("Cannot write file", path, file));
}

bool TQtFileSystem::Exists(const std::string& path) { return QFileInfo::exists(Path(path)); }

bool TQtFileSystem::IsFile(const std::string& path) { return QFileInfo(Path(path)).isFile(); }

bool TQtFileSystem::IsFolder(const std::string& path) { return QFileInfo(Path(path)).isDir(); }

bool TQtFileSystem::CreateFolders(const std::string& path) { return QDir().mkpath(Path(path)); }

void TQtFileSystem::ListFiles(const std::string& folder,
                              const std::function<void(const std::string& name)>& each) {
  QDirIterator it(Path(folder.empty() ? "." : folder), QDir::Files | QDir::Hidden | QDir::System);
  while (it.hasNext()) {
    it.next();
    each(QFile::encodeName(it.fileName()).toStdString());
  }
}

int32_t TQtFileSystem::FileAge(const std::string& path) {
  QFileInfo info(Path(path));
  if (!info.isFile()) return -1;
  return DosDateTime(static_cast<time_t>(info.lastModified().toSecsSinceEpoch()));
}

bool TQtFileSystem::IsReadOnly(const std::string& path) {
  QFileInfo info(Path(path));
  return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

bool TQtFileSystem::Remove(const std::string& path) { return QFile::remove(Path(path)); }

bool TQtFileSystem::Rename(const std::string& from, const std::string& to) {
  return QFile::rename(Path(from), Path(to));  // never over an existing file
}

bool TQtFileSystem::Replace(const std::string& from, const std::string& to) {
  // Qt has no public replacing rename; the C++ library's replaces atomically everywhere.
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return !ec;
}

void TQtFileSystem::CopyPermissions(const std::string& from, const std::string& to) {
  if (QFileInfo::exists(Path(from))) {
    QFile::setPermissions(Path(to), QFile::permissions(Path(from)));
    return;
  }
  // No original: read, write for the owner, read for the others, as new files usually get.
  QFile::setPermissions(Path(to), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

}  // namespace quorel::platform
