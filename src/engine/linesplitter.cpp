// Splitting bytes into cleaned lines.
#include "engine/linesplitter.h"

#include <algorithm>
#include <cstring>

namespace quorel {

namespace {

const char* FindOrEnd(const char* from, const char* end, char c) {
  const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
  return hit ? static_cast<const char*>(hit) : end;
}

}  // namespace

void TLineSplitter::AddLine(std::string_view raw) {
  while (!raw.empty() && static_cast<unsigned char>(raw.back()) <= 32) raw.remove_suffix(1);
  bool expand = !keepTabs_ && std::memchr(raw.data(), '\t', raw.size());
  // Tabs are expanded by the cells the text takes, UTF-8 as long as the bytes so far allow it.
  if (expand)
    lines_.AddStored(ExpandTabs(raw, TCellLayout(stops_, byteOrderMark_ || utf8_.Valid())));
  else
    lines_.AddStored(raw);
}

void TLineSplitter::NoteFirstLineEnd(const char* lineEnd, const char* end) {
  sawLineEnd_ = true;
  if (*lineEnd == '\n') {
    firstLineEnd_ = ofUnix;
  } else if (lineEnd + 1 == end) {
    firstLineEnd_ = ofMac;  // until the next piece starts with LF
    firstIsLoneCr_ = true;
  } else {
    firstLineEnd_ = lineEnd[1] == '\n' ? ofWindows : ofMac;
  }
}

bool TLineSplitter::Feed(std::string_view chunk) {
  if (ended_) return false;
  size_t nul = chunk.find('\0');
  if (nul != std::string_view::npos) chunk = chunk.substr(0, nul);
  if (!startChecked_) {
    // The mark may arrive split over pieces: hold the first bytes until three are in.
    size_t take = std::min(chunk.size(), kUtf8ByteOrderMark.size() - start_.size());
    start_.append(chunk.substr(0, take));
    chunk.remove_prefix(take);
    bool couldBeMark = kUtf8ByteOrderMark.substr(0, start_.size()) == start_;
    if (couldBeMark && start_.size() < kUtf8ByteOrderMark.size() && nul == std::string_view::npos)
      return true;
    startChecked_ = true;
    byteOrderMark_ = start_ == kUtf8ByteOrderMark;
    if (!byteOrderMark_) FeedText(start_);
  }
  FeedText(chunk);
  ended_ = nul != std::string_view::npos;
  return !ended_;
}

TEncoding TLineSplitter::Encoding() const {
  return ChooseEncoding(byteOrderMark_, head_, utf8_.Valid());
}

void TLineSplitter::FeedText(std::string_view chunk) {
  if (head_.size() < 1024) head_.append(chunk.substr(0, 1024 - head_.size()));
  utf8_.Feed(chunk);
  const char* p = chunk.data();
  const char* end = p + chunk.size();
  if (pendingCr_ && p < end) {
    pendingCr_ = false;
    if (*p == '\n') {
      ++p;
      if (firstIsLoneCr_) firstLineEnd_ = ofWindows;
    }
    firstIsLoneCr_ = false;
  }
  if (lines_.Count() == 0) lines_.Reserve(chunk.size() / 40 + 16);

  // The next CR and LF are found once each and reused, so CR-only and LF-only texts both scan
  // in one pass.
  const char* nextLf = nullptr;
  const char* nextCr = nullptr;
  while (p < end) {
    if (!nextLf || nextLf < p) nextLf = FindOrEnd(p, end, '\n');
    if (!nextCr || nextCr < p) nextCr = FindOrEnd(p, end, '\r');
    const char* lineEnd = nextLf < nextCr ? nextLf : nextCr;
    if (lineEnd == end) {
      pending_.append(p, end);
      break;
    }
    if (pending_.empty()) {
      AddLine(std::string_view(p, static_cast<size_t>(lineEnd - p)));
    } else {
      pending_.append(p, lineEnd);
      AddLine(pending_);
      pending_.clear();
    }
    p = lineEnd + 1;
    if (!sawLineEnd_) NoteFirstLineEnd(lineEnd, end);
    if (*lineEnd == '\r') {
      if (p == end)
        pendingCr_ = true;
      else if (*p == '\n')
        ++p;
    }
  }
}

TInternalStrings TLineSplitter::Finish() {
  // A text shorter than a byte-order mark that began like one.
  if (!startChecked_) {
    startChecked_ = true;
    FeedText(start_);
  }
  // A final line end adds no empty line; text after the last line end is a line of its own.
  if (!pending_.empty()) AddLine(pending_);
  pending_.clear();
  return std::move(lines_);
}

}  // namespace quorel
