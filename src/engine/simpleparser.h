// The parser base the text store colours its lines with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fonttypes.h"
#include "engine/linecolors.h"
#include "engine/linetext.h"

namespace quorel {

class TSimpleParser {
 public:
  using TNotify = std::function<void(TSimpleParser&)>;

  TSimpleParser() = default;
  // Tells every client that the parser is going away.
  virtual ~TSimpleParser();
  TSimpleParser(const TSimpleParser&) = delete;
  TSimpleParser& operator=(const TSimpleParser&) = delete;

  // Remembers the index of the line about to be parsed.
  virtual void SetLinePos(int line) { linePos_ = line; }
  // The font a style is drawn with; the base has none.
  virtual const TFont* GetFont(int fontId) const;
  // Background colour of a style; the base has none.
  virtual bool GetBackColor(int fontId, TColor& color) const;
  // Colours `text` starting in `state`, writing one style byte per character into `colors`, and
  // returns the state at the line's end. The character after the text must be a readable zero
  // (as after a std::string's or a line's text): the scanner looks one character ahead.
  virtual uint32_t ParseLine(std::string_view text, uint32_t state, TLineColors& colors) = 0;
  // Whether colour strings are document content that travels with edits.
  virtual bool HasAttributes() const { return false; }
  // Makes `colors` as long as `text`, all plain.
  virtual void InitColors(int line, std::string_view text, TLineColors& colors);

  int LinePos() const { return linePos_; }

  // Clients are told when everything must be re-coloured and when the parser is destroyed.
  void AddClient(const void* client, TNotify changed, TNotify destroyed);
  void RemoveClient(const void* client);
  // Everything must be re-coloured (the scheme changed).
  void NotifyClients();

 private:
  struct TClient {
    const void* Client;
    TNotify Changed;
    TNotify Destroyed;
  };
  std::vector<TClient> clients_;
  int linePos_ = 0;
};

}  // namespace quorel
