// TSearchOptions: the one set of find and replace options shared by the whole program.
#pragma once

#include <string>

namespace quorel {

namespace platform {
class ISettings;
}

enum TSearchDirection { sdForward, sdBackward };
enum TSearchScope { ssGlobal, ssSelectedText };
enum TSearchOrigin { soFromCursor, soEntireScope };
enum TSearchWhere { swProjectFiles, swOpenFiles, swDirectories };

class TSearchOptions {
 public:
  // Where the options live in the settings store: one value per property under this prefix.
  static constexpr const char* kSettingsKey = "Editor/SearchOptions/";

  bool ShowNotFound() const { return showNotFound_; }
  void SetShowNotFound(bool v) { showNotFound_ = v; }
  bool ReplaceAll() const { return replaceAll_; }
  void SetReplaceAll(bool v) { replaceAll_ = v; }
  bool InReplace() const { return inReplace_; }
  void SetInReplace(bool v) { inReplace_ = v; }
  bool FirstSearch() const { return firstSearch_; }
  void SetFirstSearch(bool v) { firstSearch_ = v; }
  // The text to find and its replacement are UTF-8, as the dialogs' edit boxes give them.
  const std::string& TextToFind() const { return textToFind_; }
  void SetTextToFind(const std::string& v) { textToFind_ = v; }
  const std::string& ReplaceWith() const { return replaceWith_; }
  void SetReplaceWith(const std::string& v) { replaceWith_ = v; }
  bool PromptOnReplace() const { return promptOnReplace_; }
  void SetPromptOnReplace(bool v) { promptOnReplace_ = v; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool v) { caseSensitive_ = v; }
  bool WholeWordsOnly() const { return wholeWordsOnly_; }
  void SetWholeWordsOnly(bool v) { wholeWordsOnly_ = v; }
  bool RegularExpr() const { return regularExpr_; }
  void SetRegularExpr(bool v) { regularExpr_ = v; }
  TSearchDirection Direction() const { return direction_; }
  void SetDirection(TSearchDirection v) { direction_ = v; }
  TSearchScope Scope() const { return scope_; }
  void SetScope(TSearchScope v) { scope_ = v; }
  TSearchOrigin Origin() const { return origin_; }
  void SetOrigin(TSearchOrigin v) { origin_ = v; }
  // Kept and stored; no search uses them.
  TSearchWhere Where() const { return where_; }
  void SetWhere(TSearchWhere v) { where_ = v; }
  const std::string& FileMask() const { return fileMask_; }
  void SetFileMask(const std::string& v) { fileMask_ = v; }
  bool IncludeSubDirs() const { return includeSubDirs_; }
  void SetIncludeSubDirs(bool v) { includeSubDirs_ = v; }

  // Values missing from the store, or out of range, keep what the object holds.
  void LoadFrom(platform::ISettings& settings);
  void SaveTo(platform::ISettings& settings) const;

 private:
  bool showNotFound_ = false;
  bool replaceAll_ = false;
  bool inReplace_ = false;
  bool firstSearch_ = false;
  std::string textToFind_;
  std::string replaceWith_;
  bool promptOnReplace_ = false;
  bool caseSensitive_ = false;
  bool wholeWordsOnly_ = false;
  bool regularExpr_ = false;
  TSearchDirection direction_ = sdForward;
  TSearchScope scope_ = ssGlobal;
  TSearchOrigin origin_ = soEntireScope;
  TSearchWhere where_ = swDirectories;
  std::string fileMask_;
  bool includeSubDirs_ = false;
};

}  // namespace quorel
