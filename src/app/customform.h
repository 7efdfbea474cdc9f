// The custom text window: a small modal editor for "Custom.txt", the user's own block of text that
// "Insert Text" puts at the caret. It saves the file whenever it closes.
#pragma once

#include <QDialog>
#include <string>

#include "engine/memosource.h"
#include "platform/services.h"
#include "platform/sidefiles.h"
#include "syntax/syntaxparser.h"
#include "view/vrelmemo.h"

class QAction;
class QBoxLayout;
class QToolBar;

namespace quorel {

class TCustomForm1 : public QDialog {
 public:
  // The text is coloured by `parser`, the main window's, so it looks as it will in the page.
  TCustomForm1(QWidget* parent, const platform::TServices& services,
               platform::TSideFiles& sideFiles, TSyntaxParser& parser);
  // The view goes before the store it shows.
  ~TCustomForm1() override;

  // Takes the main window's options, font and toolbar side (0 top, 1 bottom, 2 left, 3 right),
  // then loads "Custom.txt", or warns that there is none yet and starts empty.
  void FormShow(const TCustomMemoSource& mainStore, const TCustomVrelMemo& mainView,
                int toolBarAlignment);
  // Saves the text to "Custom.txt" (also when unchanged, so a first close leaves the file) and
  // empties the store; a failure is reported and the text is shown again at the next showing.
  void FormClose();
  // Cut and Copy are offered exactly when there is selected text.
  void UpdateCutCopyButtons();
  // Where the toolbar sits now: 0 top, 1 bottom, 2 left, 3 right.
  int ToolBarSide() const { return toolBarSide_; }

  // The file being edited: "Custom.txt" in the user's data folder, where it is saved.
  std::string CustomFileName;
  QToolBar* ToolBar1;
  QAction* ToolButton2;   // Cut
  QAction* ToolButton3;   // Copy
  QAction* ToolButton4;   // Paste
  QAction* ToolButton1;   // Undo
  QAction* ToolButton5;   // Redo
  QAction* ToolButton14;  // Save & Close
  TMemoSource MemoSource1;
  TVrelMemo* VrelMemo1;

 protected:
  // Every way of closing (Exit, the close box, Esc) ends here, so every close saves.
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateToolBar();
  // Empties the store and loads "Custom.txt", or warns that there is none yet.
  void LoadCustomText();
  void SetUpView();
  void PlaceToolBar(int alignment);
  void Warn(const std::string& text);

  const platform::TServices services_;
  platform::TSideFiles& sideFiles_;
  // The last close could not save: the next showing goes on with the text instead of reloading.
  bool unsaved_ = false;
  // The file was there but could not be read: closing without an edit must not empty it.
  bool loadFailed_ = false;
  QBoxLayout* layout_;
  int toolBarSide_ = 0;
};

}  // namespace quorel
