// Loading and saving a store's text, with backups, always through a temporary file so that a
// failed save never damages the file on disk.
#include <cstring>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>

#include "engine/memosource.h"
#include "engine/updateguard.h"
#include "engine/vrelerror.h"
#include "platform/fileerror.h"
#include "platform/filesystem.h"
#include "platform/services.h"

namespace quorel {

namespace {

const char* FindOrEnd(const char* from, const char* end, char c) {
  const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
  return hit ? static_cast<const char*>(hit) : end;
}

}  // namespace

// Splits the bytes into cleaned line records: line ends CR LF, LF or CR; a NUL ends the text;
// tabs expanded unless kept; trailing characters <= 32 removed.
void TCustomMemoSource::ReplaceAllLines(std::string_view data, int reason) {
  const char* p = data.data();
  const char* end = FindOrEnd(p, p + data.size(), '\0');
  bool keepTabs = options_.Contains(soUseTabCharacter);

  std::vector<std::unique_ptr<TStringItem>> items;
  items.reserve(static_cast<size_t>(end - p) / 40 + 16);
  int longest = 0, longestCount = 0;
  // The next CR and LF are found once each and reused, so CR-only and LF-only files both scan
  // in one pass.
  const char* nextLf = nullptr;
  const char* nextCr = nullptr;
  while (p < end) {
    if (!nextLf || nextLf < p) nextLf = FindOrEnd(p, end, '\n');
    if (!nextCr || nextCr < p) nextCr = FindOrEnd(p, end, '\r');
    const char* lineEnd = nextLf < nextCr ? nextLf : nextCr;

    const char* last = lineEnd;
    while (last > p && static_cast<unsigned char>(last[-1]) <= 32) --last;
    auto item = std::make_unique<TStringItem>();
    std::string_view text(p, static_cast<size_t>(last - p));
    if (!keepTabs && std::memchr(text.data(), '\t', text.size()))
      item->Text = ExpandTabs(text, tabStops_);
    else
      item->Text.assign(text);
    int length = keepTabs ? VisualLength(item->Text, tabStops_) : static_cast<int>(item->Text.size());
    if (length > longest) {
      longest = length;
      longestCount = 1;
    } else if (length == longest) {
      ++longestCount;
    }
    items.push_back(std::move(item));

    if (lineEnd == end) break;
    p = (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n') ? lineEnd + 2 : lineEnd + 1;
  }

  TUpdateGuard update(*this, reason);
  lines_.Assign(std::move(items));
  longestLength_ = longest;
  longestCount_ = longestCount;
  longestStale_ = false;
  parsedUpTo_ = 0;
  MarkChanged(0, MaxInt);
}

void TCustomMemoSource::LoadFromBuffer(std::string_view data) {
  {
    TUpdateGuard update(*this, 48);
    ReplaceAllLines(data, 48);
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
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw platform::EFileError("Cannot read the stream");
  LoadFromBuffer(data);
}

void TCustomMemoSource::LoadFile(const std::string& fileName) {
  // Read everything first: a file that cannot be read leaves the document as it was.
  std::string data = platform::Services().Files->ReadFile(fileName);
  LoadFromBuffer(data);
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
  std::string backupExt = ext.empty() ? ".~" : ("." "~" + ext.substr(1)).substr(0, 4);
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
  if (backup.empty() || std::filesystem::path(backup).lexically_normal() == path.lexically_normal()) {
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
