// TMemoSearch: find, replace and find-next on a text store, with the shared search options,
// the messages of a search and the replacement prompt.
#pragma once

#include <bitset>
#include <functional>
#include <memory>
#include <string>

#include "engine/memosource.h"
#include "search/linesearch.h"
#include "search/searchoptions.h"

namespace quorel {

namespace platform {
class IDialogs;
}

// The Find and Replace dialogs as the search sees them. Each works on the copy it is given and,
// when confirmed, leaves the values taken from its controls in it.
class ISearchDialogs {
 public:
  enum TResult { drCancel, drOk, drAll };
  virtual ~ISearchDialogs() = default;
  virtual bool ExecuteFind(TCustomMemoSource& store, TSearchOptions& options) = 0;
  virtual TResult ExecuteReplace(TCustomMemoSource& store, TSearchOptions& options) = 0;
};

// The options' text to find and replacement are UTF-8; searching and replacing turn them into
// the document's encoding, and matches are shown in the store's columns.
class TMemoSearch {
 public:
  // Messages go to `dialogs`, or to the store's dialogs when null.
  TMemoSearch(TCustomMemoSource& store, TSearchOptions& options,
              platform::IDialogs* dialogs = nullptr);

  // ---- The commands ----
  // Fill the options from the document, show the dialog, then search (or replace).
  void FindDialog();
  void ReplaceDialog();
  // Find next: repeats the last find or replacement.
  void SearchAgain();
  void StartSearch();
  void StartReplace();
  // Whether a match was found (and shown).
  bool FindNext();
  // Whether to go on replacing.
  bool ReplaceNext();
  // Before a dialog: the word at the caret (soFindTextAtCursor, as UTF-8) and the scope from the
  // selection.
  void FillOptions();

  // ---- Services and events ----
  void SetSearchDialogs(ISearchDialogs* dialogs) { searchDialogs_ = dialogs; }
  TSearchOptions& Options() { return options_; }
  TCustomMemoSource& Store() { return store_; }
  // Replacements made since this object was created.
  int ReplacedCount() const { return replaced_; }

  // Each message the search would show; a handled one is not shown. Handled starts false.
  std::function<void(TCustomMemoSource&, const std::string& message, bool& handled)>
      OnSearchException;
  // Called with true before a search or a replace-all runs and false after (the busy pointer).
  std::function<void(bool busy)> OnBusy;

  // "Search string '%s' not found" and the other texts, "&" doubled where a dialog shows them.
  static std::string NotFoundMessage(const std::string& text);
  static std::string PromptMessage(const std::string& text);
  static constexpr const char* kInvalidBlock = "Tried to search marked block but it is invalid";
  static constexpr const char* kCursorOutsideBlock =
      "Tried to search marked block from cursor but cursor is outside block";

 private:
  // A match in columns of line Y.
  struct TMatch {
    int Y = -1, X0 = 0, X1 = 0;
  };
  platform::IDialogs& Dialogs() const;
  // Offers the message to OnSearchException; true when handled.
  bool Offer(const std::string& message);
  // An error message: raised when not handled.
  void RaiseUnlessHandled(const std::string& message);
  // A delimiter for whole words: in UTF-8 text no byte from 0x80 up is one.
  bool IsWordDelimiter(unsigned char c) const;
  TLineSearch& Searcher();
  bool SearchLines(bool selection, TMatch& match);
  bool ReplaceOnce();
  void ReplaceAllLoop();
  // Moves on one column past an empty match (to the next line at a line's end).
  void StepPastEmptyMatch(const TMatch& match);

  TCustomMemoSource& store_;
  TSearchOptions& options_;
  platform::IDialogs* dialogs_;
  ISearchDialogs* searchDialogs_ = nullptr;
  std::unique_ptr<TLineSearch> searcher_;
  std::string searcherKey_;
  TMatch lastMatch_;
  bool lastMatchEmptyAtStart_ = false;
  int replaced_ = 0;
};

}  // namespace quorel
