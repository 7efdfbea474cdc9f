// Loading and saving a store's text, with backups, always through a temporary file so that a
// failed save never damages the file on disk.
#include <algorithm>
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
#include "platform/safewrite.h"
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
  splitter.KeepLeadingMark();  // not a file: every byte is text
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
    // Saving writes the line ends and the byte-order mark the file came with.
    outFormat_ = splitter.FirstLineEnd();
    encoding_ = splitter.Encoding();
    byteOrderMark_ = splitter.ByteOrderMark();
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
  services_.Files->ReadFileChunks(
      fileName, [&splitter](std::string_view chunk) { return splitter.Feed(chunk); });
  LoadLines(splitter);
}

void TCustomMemoSource::LoadFromFile(const std::string& fileName) { LoadFile(fileName); }

std::string TCustomMemoSource::SaveToString() {
  size_t total = 0;
  for (int y = 0; y < LineCount(); ++y) total += lines_[y].Text.size() + 2;
  std::string out;
  out.reserve(total + kUtf8ByteOrderMark.size());
  if (byteOrderMark_) out += kUtf8ByteOrderMark;
  AppendSavedLines(out, 0, LineCount());
  return out;
}

void TCustomMemoSource::AppendSavedLines(std::string& out, int first, int last) const {
  bool skipReadOnly = options_.Contains(soExcludeReadOnlyLines);
  last = std::min(last, LineCount());
  if (outFormat_ == ofWindows && !skipReadOnly) {
    // Line ends go between lines: the last line has none of its own.
    for (int y = first; y < last; ++y) {
      if (y > 0) out += "\r\n";
      out += lines_[y].Text;
    }
    return;
  }
  const char* eol = outFormat_ == ofWindows ? "\r\n" : outFormat_ == ofMac ? "\r" : "\n";
  for (int y = first; y < last; ++y) {
    if (skipReadOnly && (lines_[y].LineState & lsReadOnly)) continue;
    out += lines_[y].Text;
    out += eol;
  }
}

void TCustomMemoSource::SaveInPieces(const std::function<void(std::string_view)>& write) const {
  constexpr int kLinesAPiece = 8192;
  std::string piece;
  if (byteOrderMark_) piece += kUtf8ByteOrderMark;
  for (int y = 0; y < LineCount(); y += kLinesAPiece) {
    AppendSavedLines(piece, y, y + kLinesAPiece);
    write(piece);
    piece.clear();
  }
  if (!piece.empty()) write(piece);
}

void TCustomMemoSource::SaveToStream(std::ostream& out) {
  std::string data = SaveToString();
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string TCustomMemoSource::BackupNameFor(const std::string& fileName) {
  std::filesystem::path path(fileName);
  std::string ext = path.extension().string();
  // ".html" keeps up to three characters after the "~": ".~ht".
  std::string backupExt = (".~" + (ext.empty() ? std::string() : ext.substr(1))).substr(0, 4);
  std::string backup = path.replace_extension(backupExt).string();
  GetBackupName(fileName, backup);
  return backup;
}

void TCustomMemoSource::GetBackupName(const std::string& fileName, std::string& backupName) {
  if (OnGetBackupName) OnGetBackupName(*this, fileName, backupName);
}

void TCustomMemoSource::SaveToFile(const std::string& fileName) { WriteFile(fileName); }

void TCustomMemoSource::WriteFile(const std::string& fileName) {
  std::string backup;
  if (options_.Contains(soCreateBackups)) backup = BackupNameFor(fileName);
  try {
    // Written in pieces of a few thousand lines: saving a 200 MB document makes no copy of it.
    platform::SafeWriteFilePieces(
        *services_.Files, fileName,
        [this](const platform::IFileSystem::TPieceWriter& write) { SaveInPieces(write); }, backup);
  } catch (const platform::EFileError& e) {
    throw EVrelError(e.what());
  }
}

}  // namespace quorel
