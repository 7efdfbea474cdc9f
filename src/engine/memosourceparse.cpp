// The text store's lazy, incremental colouring: lines are parsed on demand, and after an edit
// only until a line's start state matches what it was parsed with.
#include <algorithm>

#include "engine/memosource.h"
#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "engine/urls.h"

namespace quorel {

void TCustomMemoSource::SetSyntaxParser(TSimpleParser* parser) {
  if (parser_ == parser) return;
  if (parser_) parser_->RemoveClient(this);
  parser_ = parser;
  if (parser_) {
    parser_->AddClient(
        this, [this](TSimpleParser& p) { ParserChanged(p); },
        [this](TSimpleParser& p) {
          // The parser is being destroyed and has already forgotten us.
          if (parser_ == &p) {
            parser_ = nullptr;
            ReparseAll();
          }
        });
  }
  ReparseAll();
}

void TCustomMemoSource::ParserChanged(TSimpleParser& parser) {
  if (&parser == parser_) ReparseAll();
}

void TCustomMemoSource::DoLineParsed(int y, TStringItem& line) {
  if (OnLineParsed) OnLineParsed(*this, y, line.Text, line.Colors);
}

int TCustomMemoSource::ParseLines(int first, int last, bool force, int coloursFrom) {
  last = std::min(last, LineCount() - 1);
  int i = std::max(first, 0);
  if (last < i) return stateChangeEnd_;
  if (parser_) {
    // Colours that are document data, or that a listener is told of, are always kept.
    const int leaveOutBelow = HasAttributes() || OnLineParsed || activeView_.LineParsed
                                  ? 0
                                  : coloursFrom - kColoursKeptAbove;
    uint32_t state = i == 0 ? initialState_ : lines_[i - 1].EndState;
    for (; i <= last; ++i) {
      TStringItem& line = lines_[i];
      if ((line.LineState & lsParsed) && line.StartState == state) {
        state = line.EndState;
        continue;
      }
      const bool leaveOut = i < leaveOutBelow;
      TLineColors& colors = leaveOut ? leftOutColors_ : line.Colors;
      parser_->InitColors(i, line.Text, colors);
      line.StartState = state;
      parser_->SetLinePos(i);
      state = parser_->ParseLine(line.Text, state, colors);
      line.LineState |= lsParsed;
      if (leaveOut) {
        line.LineState |= lsColorsLeftOut;
        line.Colors.Reset();
      } else {
        line.LineState &= ~lsColorsLeftOut;
        if (highlightUrls_) MarkUrls(i, line);
      }
      if (!leaveOut) DoLineParsed(i, line);
      if (state != line.EndState) {
        stateChangeEnd_ = i + 1;
        line.EndState = state;
      }
      if (activeView_.LineParsed) activeView_.LineParsed(i, line);
    }
  } else if (force || highlightUrls_) {
    for (; i <= last; ++i) {
      TStringItem& line = lines_[i];
      if (line.LineState & lsParsed) continue;
      if (highlightUrls_)
        line.Colors.assign(line.Text.size(), '\0');
      else
        line.Colors.clear();
      line.LineState |= lsParsed;
      if (highlightUrls_) MarkUrls(i, line);
      DoLineParsed(i, line);
      if (activeView_.LineParsed) activeView_.LineParsed(i, line);
    }
  }
  parsedUpTo_ = last + 1;
  return stateChangeEnd_;
}

void TCustomMemoSource::MarkUrls(int y, TStringItem& line) {
  if (line.Colors.size() != line.Text.size()) return;
  const bool attributes = HasAttributes();
  for (auto [from, to] : FindUrls(line.Text)) {
    // Colours that are document data change through a recorded replacement (undone with the
    // colours); parser colours are simply written over.
    if (attributes)
      ReplaceColors(y, static_cast<int>(from) + 1, std::string(to - from, char{tsUrl}));
    else
      std::fill(line.Colors.MutableData() + from, line.Colors.MutableData() + to, char{tsUrl});
  }
}

void TCustomMemoSource::EnsureParsed(int y, bool force, int coloursFrom) {
  // One request parses ahead, so scrolling down does not parse line by line.
  if (y >= parsedUpTo_ && y < MaxInt - 100) y += 100;
  ParseLines(parsedUpTo_, y, force, coloursFrom);
}

// The line's start state is what it was parsed with, so its colours come out as they would
// have then; its end state cannot change.
void TCustomMemoSource::ColourLeftOutLine(int y, TStringItem& line) {
  line.LineState &= ~lsColorsLeftOut;
  if (!parser_) return;
  parser_->InitColors(y, line.Text, line.Colors);
  parser_->SetLinePos(y);
  parser_->ParseLine(line.Text, line.StartState, line.Colors);
  if (highlightUrls_) MarkUrls(y, line);
}

bool TCustomMemoSource::ReparseLine(int y) {
  TStringItem* line = lines_.At(y);
  if (!line) return false;
  MarkChanged(y, y);
  uint32_t oldEnd = line->EndState;
  int keep = parsedUpTo_;
  line->LineState &= ~lsParsed;
  ParseLines(y, y, true);
  parsedUpTo_ = keep;
  bool endChanged = line->EndState != oldEnd;
  if (endChanged) MarkChanged(y, MaxInt);
  return endChanged && !HasAttributes();
}

void TCustomMemoSource::ReparseAll() {
  TUpdateGuard update(*this, urReparseAll);
  AddFlag(msParserChanged);
  bool keepColors = HasAttributes();
  for (int y = 0; y < LineCount(); ++y) {
    TStringItem& line = lines_[y];
    line.LineState &= ~(lsParsed | lsColorsLeftOut);
    if (!keepColors) line.Colors.clear();
  }
  parsedUpTo_ = 0;
  lineLengthsStale_ = true;
}

const TLineColors& TCustomMemoSource::GetLineColors(int y) {
  static const TLineColors none;
  EnsureParsed(y, false, y);
  TStringItem* line = lines_.At(y);
  if (!line) return none;
  if ((line->LineState & (lsParsed | lsColorsLeftOut)) == (lsParsed | lsColorsLeftOut))
    ColourLeftOutLine(y, *line);
  return line->Colors;
}

std::string TCustomMemoSource::GetExpandedColors(int y) {
  const TLineColors& colors = GetLineColors(y);
  const TStringItem* line = lines_.At(y);
  return line ? ExpandColors(line->Text, colors, Cells()) : std::string();
}

}  // namespace quorel
