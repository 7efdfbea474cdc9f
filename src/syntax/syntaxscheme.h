// A syntax scheme: the blocks that say how lines are cut into tokens, and the font table that
// says how each token looks.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/services.h"
#include "syntax/attritem.h"
#include "syntax/blockstates.h"
#include "syntax/charset.h"
#include "syntax/syntaxblock.h"

namespace quorel {

class TSyntaxParser;

class TSyntaxScheme {
 public:
  TSyntaxScheme();
  virtual ~TSyntaxScheme() = default;
  TSyntaxScheme(const TSyntaxScheme&) = delete;
  TSyntaxScheme& operator=(const TSyntaxScheme&) = delete;

  // ---- Persistent content ----
  std::string Name;
  std::vector<TSyntaxBlock> SyntaxBlocks;
  TFontList FontTable;
  int SyntaxVersion = 1;

  // ---- Run-time state ----
  TAttrItem UrlAttr;         // FontID 12 unless the table defines it
  TAttrItem SubstituteAttr;  // for -1 and FontIDs without an entry
  bool UseGlobalOptions = false;
  TSyntaxParser* Parser = nullptr;
  TCharSet NotUsedSymbols;
  TBlockStateTable BlockStates;

  // Name empty, version 1, no blocks and no styles.
  void Clear();
  // Copies version, name, font table and blocks from another scheme, then Changed().
  void Assign(const TSyntaxScheme& source);
  // The content changed: the parser prepares again, or the scheme itself when it has none.
  void Changed();
  virtual void UpgradeVersion();
  virtual void Prepare();
  // Works out every style's effective font and background.
  void UpdateFonts();

  int FreeBlockID() const;
  TSyntaxBlock* BlockByID(int id);
  const TSyntaxBlock* BlockByID(int id) const;
  // The style a FontID is drawn with (the substitute for -1 and FontIDs without an entry).
  const TAttrItem& StyleFor(int fontId) const;
  // Whether the persistent content equals another scheme's.
  bool SameContent(const TSyntaxScheme& other) const;

  // Scheme files (schemefile.h). LoadFromFile replaces the content by the file's, or throws
  // EVrelError and leaves it as it was: "Cannot open file <name>" when the file cannot be read,
  // and the reader's message after showing the error box when the text is not a scheme.
  // SaveToFile throws EVrelError "Cannot create file <name>" when the file cannot be written, and
  // then the old file is as it was. Files are read and written, and the box shown, through
  // `services`.
  void LoadFromFile(const std::string& fileName,
                    const platform::TServices& services = platform::DefaultServices());
  void SaveToFile(const std::string& fileName,
                  const platform::TServices& services = platform::DefaultServices()) const;

 private:
  void PrepareBlock(int index, TCharSet& used);
  // The quiet-token table of a block; needs NotUsedSymbols.
  void PrepareQuiet(TSyntaxBlock& block) const;
  // For each FontID: the index of its font table entry, kUrl for the URL style, or kNone.
  static constexpr int kNone = -1;
  static constexpr int kUrl = -2;
  std::array<int, 256> fontMap_{};
};

}  // namespace quorel
