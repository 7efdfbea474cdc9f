// Putting ready text at the caret: the custom text of "Custom.txt" and its window, and the IMG
// tags of pictures from the Images menu; their commands.
#pragma once

#include <memory>
#include <string>

#include "app/customform.h"
#include "app/mainparts.h"
#include "codecs/imagetag.h"

class QAction;

namespace quorel {

class TSyntaxParser;

class TInsertCommands {
 public:
  // `parser` colours the custom text window like the document.
  TInsertCommands(TMainParts& parts, TSyntaxParser& parser);
  ~TInsertCommands();

  void AddCommands();
  // "Insert Text": the custom text of "Custom.txt" at the caret (a warning when it is missing).
  void ToolButton8Click();
  // Inserts the file's text up to its first NUL, as one step replacing the selection.
  void InsertCustomText(const std::string& fileName);
  TImageTagOptions ImageTagOptions() const;
  // Inserts the IMG tag of the picture at `path`, with its size when it can be measured.
  void InsertImageTag(const std::string& path, const std::string& alt);
  // A picture of "Insert Current Folder" or "Insert \images\": its tag, or with Ctrl held the
  // picture opened with its program.
  void ImageItemClick(QAction* item, bool imagesFolder);
  // "Insert Other": any picture chosen in the picture dialog.
  void InsertOther1Click();
  // "Edit Text": the custom text window, shown modally; it saves "Custom.txt" when it closes.
  void ToolButton12Click();
  // The custom text window, made on first use and shown again each time.
  TCustomForm1& CustomForm();
  std::unique_ptr<TCustomForm1> CustomForm1;

 private:
  // The folder item of a picture menu opens the current folder or its "images" folder.
  void OpenFolder(bool imagesFolder);

  TMainParts& parts_;
  TSyntaxParser& parser_;
};

}  // namespace quorel
