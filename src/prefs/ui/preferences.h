// The "Preferences" dialog: the Send To link, the added browsers, the file dialogs' folder, the
// scheme editor and the file-name, caption, history and folder-menu options. It holds no
// settings of its own: each showing copies the main window's values in, OK writes them to the
// settings store and hands them back.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/services.h"
#include "prefs/mainsettings.h"
#include "prefs/sendtolinks.h"
#include "prefs/ui/filenameedit.h"
#include "syntax/ui/syntaxedform.h"

namespace quorel {

// The pages, in their order.
enum TPreferencesPage {
  ppSendToLink,
  ppBrowserSetup,
  ppFolders,
  ppHighlighting,
  ppFilenames,
};

class TPreferences : public QDialog {
  Q_OBJECT

 public:
  explicit TPreferences(const platform::TServices& services, QWidget* parent = nullptr);

  // ---- What the dialog needs from the main window ----
  // Its current values, copied in at each showing.
  std::function<TMainSettings()> OnReadValues;
  // The confirmed values, after they were written to the settings store.
  std::function<void(const TMainSettings&)> OnApplyValues;
  // Gives the newly made scheme editor the scheme in use.
  std::function<void(TSyntaxEdForm&)> OnEditScheme;
  // The running program, which the Send To link starts.
  std::string ProgramPath() const;

  // Shows the dialog modally on `page`; true when it was closed with OK.
  bool Execute(TPreferencesPage page);

  // ---- Handlers ----
  void FormShow();
  void RefreshLinkButton();
  void CheckSendToLink();
  void BitBtn1Click();  // OK
  void BitBtn3Click();  // Add Link / Delete Link
  void BitBtn4Click();  // Repair Existing Link
  void BitBtn5Click();  // Delete (the older version's link)
  // "Add" of browser row 0, 1 or 2.
  void AddBrowserClick(int row);
  void VrelFileNameEdit1Exit();
  void FolderRadioClick();
  void SpaceRadioClick();
  void HistoryCheckClick();
  void SmartMenuCheckClick();
  // The settings read at the showing, with the values the controls hold.
  TMainSettings Values() const;

  TSendToLinks Links;

  QTabWidget* PageControl1;
  // Send To Link
  QGroupBox* GroupBox1;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPushButton* BitBtn5;
  // Browser Setup
  QGroupBox* GroupBox2;
  QRadioButton* RadioButton1;
  std::array<QRadioButton*, 3> BrowserRadios;   // RadioButton2 .. RadioButton4
  std::array<QPushButton*, 3> AddButtons;       // Button1 .. Button3
  std::array<QLineEdit*, 3> NameEdits;          // Edit1 .. Edit3
  std::array<TVrelFileNameEdit*, 3> PathEdits;  // VrelFileNameEdit1 .. VrelFileNameEdit3
  QCheckBox* CheckBox1;                         // "Disable Warnings"
  QCheckBox* CheckBox2;                         // "Auto Save on Preview in Browser"
  // Folders
  QGroupBox* GroupBox3;
  QRadioButton* RadioButton5;  // "Always remember the last used folder"
  QRadioButton* RadioButton6;  // "Specify a Folder"
  TVrelFileNameEdit* DirEdit1;
  // Highlighting: the scheme editor made at each showing.
  QWidget* TabSheet4;
  TSyntaxEdForm* SyntaxEdForm1 = nullptr;
  // Filenames
  QRadioButton* RadioButton7;  // "Leave spaces as space characters"
  QRadioButton* RadioButton8;  // "Use other space character(s) instead of spaces"
  QLineEdit* VrelEdit1;
  std::array<QRadioButton*, 3> TaskbarRadios;  // RadioButton12 .. RadioButton14
  std::array<QRadioButton*, 3> CaptionRadios;  // RadioButton9 .. RadioButton11
  QCheckBox* CheckBox3;                        // history "Enabled"
  QLabel* HistoryLabel;
  QSpinBox* Edit4;       // the number box with its up-down, UpDown1
  QCheckBox* CheckBox4;  // smart menus "Enabled"
  QLabel* SmartMenuLabel;
  QSpinBox* Edit5;       // with UpDown2
  QPushButton* BitBtn1;  // OK
  QPushButton* BitBtn2;  // Cancel

 private:
  QWidget* CreateSendToPage();
  QWidget* CreateBrowserPage();
  QWidget* CreateFoldersPage();
  QWidget* CreateFilenamesPage();
  QGroupBox* CaptionGroup(const QString& title, std::array<QRadioButton*, 3>& radios);
  // Shows browser row `row` as added: its boxes, its radio button and the next row's "Add".
  void ShowBrowserRow(int row);
  bool PickBrowser(std::string& name);
  void CreateSchemeEditor();

  platform::TServices services_;
  bool checkingPath_ = false;
  // The main window's settings as read at the last showing; OK hands them back with the
  // controls' values in place of their own.
  TMainSettings read_;
};

}  // namespace quorel
