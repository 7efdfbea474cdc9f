// Loading and saving a store's text, with backups, always through a temporary file so that a
// failed save never damages the file on disk.
#include <cstring>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>

#include "engine/linesplitter.h"
#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "engine/vrelerror.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/services.h"

namespace quorel {

// Takes the lines a splitter made as the whole new text.
void TCustomMemoSource::ReplaceAllLines(TLineSplitter& splitter, TUpdateReason reason) {
  TInternalStrings fresh = splitter.Finish();
  TUpdateGuard update(*this, reason);
  lines_ = std::move(fresh);
  lineLengthsStale_ = true;
  parsedUpTo_ = 0;
  MarkChanged(0, MaxInt);
}

void TCustomMemoSource::ReplaceAllLines(std::string_view data, TUpdateReason reason) {
  TLineSplitter splitter(tabStops_, options_.Contains(soUseTabCharacter));
  splitter.Feed(data);
  ReplaceAllLines(splitter, reason);
}

void TCustomMemoSource::LoadFromBuffer(std::string_view data) {
  TLineSplitter splitter(tabStops_, options_.Contains(soUseTabCharacter));
  splitter.Feed(data);
  LoadLines(splitter);
}

void TCustomMemoSource::LoadLines(TLineSplitter& splitter) {
  {
    TUpdateGuard update(*this, urLoad);
    ReplaceAllLines(splitter, urLoad);
    changeFlags_ |= msAll;
    caret_->X = caret_->Y = 0;
    selStart_->X = selStart_->Y = selEnd_->X = selEnd_->Y = 0;
    if (keepCaret_) {
      keepCaret_->X = keepCaret_->Y = 0;
      keepSelType_ = stNone;
    }
    selType_ = stNone;
    bookmarks_.ClearAll();
  }
  ClearUndo();
  SetModified(false);
  savedPointLost_ = false;
}

void TCustomMemoSource::LoadFromStream(std::istream& in) {
  TLineSplitter splitter(tabStops_, options_.Contains(soUseTabCharacter));
  std::string chunk(1 << 20, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (in.gcount() <= 0) break;
    if (!splitter.Feed(std::string_view(chunk.data(), static_cast<size_t>(in.gcount())))) break;
  }
  if (in.bad()) throw platform::EFileError("Cannot read the stream");
  LoadLines(splitter);
}

void TCustomMemoSource::LoadFile(const std::string& fileName) {
  // The file is read in pieces straight into lines, with no copy of the whole file; a file that
  // cannot be read leaves the document as it was.
  TLineSplitter splitter(tabStops_, options_.Contains(soUseTabCharacter));
  platform::Services().Files->ReadFileChunks(
      fileName, [&splitter](std::string_view chunk) { return splitter.Feed(chunk); });
  LoadLines(splitter);
}

void TCustomMemoSource::LoadFromFile(const std::string& fileName) { LoadFile(fileName); }

std::string TCustomMemoSource::SaveToString() {
  bool skipReadOnly = options_.Contains(soExcludeReadOnlyLines);
  size_t total = 0;
  for (int y = 0; y < LineCount(); ++y) total += lines_[y].Text.size() + 2;
  std::string out;
  out.reserve(total);
  if (outFormat_ == ofWindows && !skipReadOnly) {
    for (int y = 0; y < LineCount(); ++y) {
      if (y > 0) out += "\r\n";
      out += lines_[y].Text;
    }
    return out;
  }
  const char* eol = outFormat_ == ofWindows ? "\r\n" : outFormat_ == ofMac ? "\r" : "\n";
  for (int y = 0; y < LineCount(); ++y) {
    if (skipReadOnly && (lines_[y].LineState & lsReadOnly)) continue;
    out += lines_[y].Text;
    out += eol;
  }
  return out;
}

void TCustomMemoSource::SaveToStream(std::ostream& out) {
  std::string data = SaveToString();
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string TCustomMemoSource::BackupNameFor(const std::string& fileName) {
  std::filesystem::path path(fileName);
  std::string ext = path.extension().string();
  std::string backupExt = ext.empty() ? ".~"
                                      : ("."
                                         "~" +
                                         ext.substr(1))
                                            .substr(0, 4);
  std::string backup = path.replace_extension(backupExt).string();
  GetBackupName(fileName, backup);
  return backup;
}

void TCustomMemoSource::GetBackupName(const std::string& fileName, std::string& backupName) {
  if (OnGetBackupName) OnGetBackupName(*this, fileName, backupName);
}

void TCustomMemoSource::SaveToFile(const std::string& fileName) { WriteFile(fileName); }

void TCustomMemoSource::WriteFile(const std::string& fileName) {
  platform::IFileSystem& files = *platform::Services().Files;
  std::filesystem::path path(fileName);
  std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
  std::string data = SaveToString();

  std::string prefix = ".";
  prefix += path.filename().string();
  prefix += ".";
  std::string temp = files.CreateTempFile(folder, prefix);
  if (temp.empty()) throw EVrelError("Can't create temporary filename");
  try {
    files.WriteFile(temp, data);
  } catch (...) {
    files.Remove(temp);
    throw;
  }
  files.CopyPermissions(fileName, temp);
  auto fail = [&](const std::string& message) {
    files.Remove(temp);
    throw EVrelError(message);
  };
  auto renameMessage = [](const std::string& from, const std::string& to) {
    return "Can't rename file " + from + " to file " + to;
  };

  std::string backup;
  if (options_.Contains(soCreateBackups)) backup = BackupNameFor(fileName);
  // A backup named like the file itself would delete the file: save without one then.
  if (backup.empty() ||
      std::filesystem::path(backup).lexically_normal() == path.lexically_normal()) {
    if (!files.Replace(temp, fileName)) fail(renameMessage(temp, fileName));
    return;
  }
  if (files.Exists(backup) && !files.Remove(backup)) fail("Can't delete file " + backup);
  bool hadFile = files.Exists(fileName);
  if (hadFile && !files.Rename(fileName, backup)) fail(renameMessage(fileName, backup));
  if (!files.Rename(temp, fileName)) {
    // Put the original back where it was before reporting.
    if (hadFile) files.Rename(backup, fileName);
    fail(renameMessage(temp, fileName));
  }
}

}  // namespace quorel
