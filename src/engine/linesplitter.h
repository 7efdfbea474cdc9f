// Cuts a document's bytes into cleaned line records as they arrive, chunk by chunk: line ends
// CR LF, LF or CR; a NUL ends the text; tabs expanded unless kept; trailing characters <= 32
// removed. It notes the style of the first line end, drops a UTF-8 byte-order mark and tells
// the text's encoding.
#pragma once

#include <string>
#include <string_view>

#include "engine/encoding.h"
#include "engine/memotypes.h"
#include "engine/stringitem.h"
#include "engine/tabstops.h"

namespace quorel {

class TLineSplitter {
 public:
  TLineSplitter(const TTabStops& stops, bool keepTabs) : stops_(stops), keepTabs_(keepTabs) {}

  // Takes the next piece of the text. Returns false once a NUL has ended it.
  bool Feed(std::string_view chunk);
  // The text is complete: the lines.
  TInternalStrings Finish();
  // The style of the text's first line end, which saving keeps; CR LF when it has none.
  TOutFormatType FirstLineEnd() const { return firstLineEnd_; }
  // The text began with a UTF-8 byte-order mark; it is not part of the first line.
  bool ByteOrderMark() const { return byteOrderMark_; }
  // Text that is not a whole file (set through Lines) keeps leading mark bytes as text. Call
  // before the first Feed.
  void KeepLeadingMark() { startChecked_ = true; }
  // The encoding the text's bytes tell (see ChooseEncoding).
  TEncoding Encoding() const;

 private:
  void AddLine(std::string_view raw);
  void NoteFirstLineEnd(const char* lineEnd, const char* end);
  void FeedText(std::string_view chunk);

  const TTabStops& stops_;
  bool keepTabs_;
  TInternalStrings lines_;
  std::string pending_;     // the start of a line whose end is in a later chunk
  bool pendingCr_ = false;  // the last chunk ended in CR: a LF starting the next one belongs to it
  bool ended_ = false;
  bool sawLineEnd_ = false;
  bool firstIsLoneCr_ = false;  // the first line end was a CR at the end of a chunk, so far
  TOutFormatType firstLineEnd_ = ofWindows;
  // The first bytes, kept until they show whether the text starts with a byte-order mark.
  std::string start_;
  bool startChecked_ = false;
  bool byteOrderMark_ = false;
  std::string head_;  // the first 1,024 bytes of the text, where a page declares its charset
  TUtf8Validator utf8_;
};

}  // namespace quorel
