// The preferences dialog's pages and what its buttons do.
#include "prefs/ui/preferences.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/placement.h"
#include "platform/settings.h"

namespace quorel {

namespace {

QLabel* Note(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

QString Q(const std::string& s) { return platform::TextToQString(s); }

}  // namespace

TPreferences::TPreferences(const platform::TServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      Links(services),
      services_(platform::WithDefaults(services)) {
  setWindowTitle("Preferences");
  setObjectName("Preferences");
  PageControl1 = new QTabWidget(this);
  PageControl1->addTab(CreateSendToPage(), "Send To Link");
  PageControl1->addTab(CreateBrowserPage(), "Browser Setup");
  PageControl1->addTab(CreateFoldersPage(), "Folders");
  TabSheet4 = new QWidget;
  // The page is as large as the scheme editor needs, whether or not one is on it yet.
  TabSheet4->setMinimumSize(1000, 540);
  auto* schemeBox = new QVBoxLayout(TabSheet4);
  schemeBox->setContentsMargins(0, 0, 0, 0);
  PageControl1->addTab(TabSheet4, "Highlighting");
  PageControl1->addTab(CreateFilenamesPage(), "Filenames");

  BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), "OK", this);
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// ---- Pages ----

QWidget* TPreferences::CreateSendToPage() {
  auto* page = new QWidget;
  GroupBox1 = new QGroupBox("Send To Links", page);
  BitBtn3 = new QPushButton(GroupBox1);
  BitBtn4 = new QPushButton("Repair Existing Link", GroupBox1);
  BitBtn4->setEnabled(false);
  BitBtn5 = new QPushButton("Delete", GroupBox1);
  BitBtn5->setEnabled(false);
  auto* grid = new QGridLayout(GroupBox1);
  grid->addWidget(Note("This button enables you to add a link into the right click context menu "
                       "in explorer, so you can send a document or documents straight to the "
                       "editor.",
                       GroupBox1),
                  0, 0);
  grid->addWidget(BitBtn3, 0, 1, Qt::AlignTop);
  grid->addWidget(Note("The existing link does not link to a valid file or an incorrect version "
                       "of the editor, click the button to correct the problem.",
                       GroupBox1),
                  1, 0);
  grid->addWidget(BitBtn4, 1, 1, Qt::AlignTop);
  grid->addWidget(Note("A link to the older version has been detected, do you wish to remove the "
                       "old link?.",
                       GroupBox1),
                  2, 0);
  grid->addWidget(BitBtn5, 2, 1, Qt::AlignTop);
  grid->setColumnStretch(0, 1);
  grid->setVerticalSpacing(16);
  auto* box = new QVBoxLayout(page);
  box->addWidget(GroupBox1);
  box->addStretch();
  RefreshLinkButton();
  connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  return page;
}

QWidget* TPreferences::CreateBrowserPage() {
  auto* page = new QWidget;
  GroupBox2 = new QGroupBox("Preview in Browser", page);
  const QString hint = "Click to make this browser the default one for viewing files";
  RadioButton1 = new QRadioButton("Default System Browser", GroupBox2);
  RadioButton1->setChecked(true);
  RadioButton1->setToolTip(hint);
  auto* grid = new QGridLayout(GroupBox2);
  grid->addWidget(Note("The radio buttons enable you to select which browser will be run when you "
                       "hit the Preview in Browser button",
                       GroupBox2),
                  0, 0, 1, 4);
  grid->addWidget(RadioButton1, 1, 0, 1, 4);
  for (int row = 0; row < 3; ++row) {
    size_t i = static_cast<size_t>(row);
    BrowserRadios[i] = new QRadioButton(GroupBox2);
    BrowserRadios[i]->setEnabled(false);
    BrowserRadios[i]->setToolTip(hint);
    AddButtons[i] = new QPushButton("Add", GroupBox2);
    AddButtons[i]->setEnabled(row == 0);
    NameEdits[i] = new QLineEdit(GroupBox2);
    NameEdits[i]->setMaximumWidth(160);
    NameEdits[i]->hide();
    PathEdits[i] = new TVrelFileNameEdit(GroupBox2);
    PathEdits[i]->hide();
    PathEdits[i]->OnPick = [this](std::string& name) { return PickBrowser(name); };
    grid->addWidget(BrowserRadios[i], row + 2, 0);
    grid->addWidget(AddButtons[i], row + 2, 1);
    grid->addWidget(NameEdits[i], row + 2, 2);
    grid->addWidget(PathEdits[i], row + 2, 3);
    connect(AddButtons[i], &QPushButton::clicked, this, [this, row] { AddBrowserClick(row); });
  }
  grid->setColumnStretch(3, 1);
  PathEdits[0]->OnExit = [this] { VrelFileNameEdit1Exit(); };
  CheckBox1 = new QCheckBox("Disable Warnings", page);
  CheckBox1->setToolTip("Will disable the warning when previewing the file in browser");
  CheckBox2 = new QCheckBox("Auto Save on Preview in Browser", page);
  auto* box = new QVBoxLayout(page);
  box->addWidget(GroupBox2);
  box->addWidget(CheckBox1);
  box->addWidget(CheckBox2);
  box->addStretch();
  return page;
}

QWidget* TPreferences::CreateFoldersPage() {
  auto* page = new QWidget;
  GroupBox3 = new QGroupBox("Save To and Open Folder", page);
  RadioButton5 = new QRadioButton("Always remember the last used folder", GroupBox3);
  RadioButton6 = new QRadioButton("Specify a Folder", GroupBox3);
  DirEdit1 = new TVrelFileNameEdit(GroupBox3);
  DirEdit1->OnPick = [this](std::string& folder) {
    return services_.Dialogs->SelectFolder("Select a Folder", folder);
  };
  auto* box = new QVBoxLayout(GroupBox3);
  box->addWidget(RadioButton5);
  box->addWidget(RadioButton6);
  box->addWidget(DirEdit1);
  auto* pageBox = new QVBoxLayout(page);
  pageBox->addWidget(GroupBox3);
  pageBox->addStretch();
  connect(RadioButton5, &QRadioButton::toggled, this, [this] { FolderRadioClick(); });
  RadioButton5->setChecked(true);
  FolderRadioClick();
  return page;
}

QGroupBox* TPreferences::CaptionGroup(const QString& title, std::array<QRadioButton*, 3>& radios) {
  auto* group = new QGroupBox(title);
  auto* box = new QVBoxLayout(group);
  const char* const captions[] = {"Filename - Filepath", "Filepath+Filename", "Filename only"};
  for (size_t i = 0; i < 3; ++i) {
    radios[i] = new QRadioButton(captions[i], group);
    box->addWidget(radios[i]);
  }
  radios[0]->setChecked(true);
  return group;
}

QWidget* TPreferences::CreateFilenamesPage() {
  auto* page = new QWidget;
  auto* links = new QGroupBox("Hyperlinks", page);
  RadioButton7 = new QRadioButton("Leave spaces as space characters", links);
  RadioButton8 = new QRadioButton("Use other space character(s) instead of spaces", links);
  VrelEdit1 = new QLineEdit("%20", links);
  VrelEdit1->setMaximumWidth(120);
  auto* linkBox = new QVBoxLayout(links);
  linkBox->addWidget(RadioButton7);
  linkBox->addWidget(RadioButton8);
  linkBox->addWidget(VrelEdit1);
  connect(RadioButton8, &QRadioButton::toggled, this, [this] { SpaceRadioClick(); });
  RadioButton7->setChecked(true);
  SpaceRadioClick();

  QGroupBox* taskbar = CaptionGroup("Taskbar Caption", TaskbarRadios);
  QGroupBox* program = CaptionGroup("Program Caption", CaptionRadios);

  auto numberGroup = [page](const QString& title, QCheckBox*& check, QLabel*& label,
                            QSpinBox*& number, const QString& text, int max) {
    auto* group = new QGroupBox(title, page);
    check = new QCheckBox("Enabled", group);
    label = new QLabel(text, group);
    number = new QSpinBox(group);
    number->setRange(0, max);
    number->setWrapping(false);
    auto* box = new QGridLayout(group);
    box->addWidget(check, 0, 0, 1, 2);
    box->addWidget(label, 1, 0);
    box->addWidget(number, 1, 1);
    box->setColumnStretch(0, 1);
    return group;
  };
  QGroupBox* history = numberGroup("History List", CheckBox3, HistoryLabel, Edit4,
                                   "Number of items in the history list", kMaxHistoryListNo);
  QGroupBox* smart = numberGroup("Smart Menus", CheckBox4, SmartMenuLabel, Edit5,
                                 "Number of files to list in the menus", kMaxSmartMenuItems);
  CheckBox4->setToolTip(
      "This option enables the menus that list files located with the document folder");
  connect(CheckBox3, &QCheckBox::toggled, this, [this] { HistoryCheckClick(); });
  connect(CheckBox4, &QCheckBox::toggled, this, [this] { SmartMenuCheckClick(); });

  auto* grid = new QGridLayout(page);
  grid->addWidget(links, 0, 0, 1, 2);
  grid->addWidget(taskbar, 1, 0);
  grid->addWidget(program, 1, 1);
  grid->addWidget(history, 2, 0);
  grid->addWidget(smart, 2, 1);
  grid->setRowStretch(3, 1);
  return page;
}

// ---- Showing ----

bool TPreferences::Execute(TPreferencesPage page) {
  PageControl1->setCurrentIndex(page);
  FormShow();
  // A fixed dialog border, and never larger than the screen.
  QSize size = sizeHint();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size());
  setFixedSize(size);
  platform::CentreOnScreen(*this);
  return exec() == QDialog::Accepted;
}

void TPreferences::FormShow() {
  read_ = OnReadValues ? OnReadValues() : TMainSettings{};
  const TMainSettings& v = read_;
  (v.PrimaryBrowser >= 2 && v.PrimaryBrowser <= 4
       ? BrowserRadios[static_cast<size_t>(v.PrimaryBrowser - 2)]
       : RadioButton1)
      ->setChecked(true);
  for (size_t i = 0; i < 3; ++i) {
    NameEdits[i]->setText(Q(v.BrowserNames[i]));
    PathEdits[i]->SetText(v.BrowserLocations[i]);
    // A row without a name keeps the look it had at the last showing.
    if (!v.BrowserNames[i].empty()) ShowBrowserRow(static_cast<int>(i));
  }
  CheckBox1->setChecked(v.DisableWarning);
  CheckBox2->setChecked(v.AutoSave);
  (v.LastFolder ? RadioButton5 : RadioButton6)->setChecked(true);
  DirEdit1->SetText(v.SpecifiedFolder);
  (v.FileNameSpaces ? RadioButton7 : RadioButton8)->setChecked(true);
  VrelEdit1->setText(Q(v.SpaceReplacement));
  auto choose = [](std::array<QRadioButton*, 3>& radios, int type) {
    radios[static_cast<size_t>(type >= 1 && type <= 3 ? type - 1 : 0)]->setChecked(true);
  };
  choose(TaskbarRadios, v.TaskbarCaptionType);
  choose(CaptionRadios, v.ProgramCaptionType);
  CheckBox3->setChecked(v.HistoryEnabled);
  Edit4->setValue(v.HistoryListNo);
  CheckBox4->setChecked(v.SmartMenuEnabled);
  Edit5->setValue(v.SmartMenuItems);
  // The toggled signals do not fire for a state that did not change.
  FolderRadioClick();
  SpaceRadioClick();
  HistoryCheckClick();
  SmartMenuCheckClick();

  BitBtn5->setEnabled(Links.SendToLinkExists(kOldSendToLinkName));
  CheckSendToLink();
  RefreshLinkButton();
  CreateSchemeEditor();
}

void TPreferences::CreateSchemeEditor() {
  // A new editor at each showing, so the page starts from the scheme in use.
  delete SyntaxEdForm1;
  SyntaxEdForm1 = new TSyntaxEdForm(services_, TabSheet4);
  TabSheet4->layout()->addWidget(SyntaxEdForm1);
  if (OnEditScheme) OnEditScheme(*SyntaxEdForm1);
  SyntaxEdForm1->show();
}

// ---- Send To links ----

std::string TPreferences::ProgramPath() const { return services_.Processes->ProgramPath(); }

void TPreferences::RefreshLinkButton() {
  bool exists = Links.SendToLinkExists(kSendToLinkName);
  BitBtn3->setIcon(
      style()->standardIcon(exists ? QStyle::SP_DialogCancelButton : QStyle::SP_DialogOkButton));
  BitBtn3->setText(exists ? "&Delete Link" : "&Add Link");
}

void TPreferences::CheckSendToLink() {
  if (std::optional<bool> repair = Links.CheckSendToLink()) BitBtn4->setEnabled(*repair);
}

void TPreferences::BitBtn3Click() {
  if (Links.SendToLinkExists(kSendToLinkName))
    Links.DeleteSendToLink(kSendToLinkName);
  else
    Links.CreateSendToLink(kSendToLinkName, ProgramPath());
  // The repair button follows what is on disk now too.
  CheckSendToLink();
  RefreshLinkButton();
}

void TPreferences::BitBtn4Click() {
  Links.DeleteSendToLink(kSendToLinkName);
  Links.CreateSendToLink(kSendToLinkName, ProgramPath());
  CheckSendToLink();
  RefreshLinkButton();
}

void TPreferences::BitBtn5Click() {
  Links.DeleteSendToLink(kOldSendToLinkName);
  BitBtn5->setEnabled(Links.SendToLinkExists(kOldSendToLinkName));
}

// ---- Browsers ----

bool TPreferences::PickBrowser(std::string& name) {
  platform::TFileDialog dialog;
  dialog.Title = "Pick a Browser";
  dialog.Filters = {{"Executables", "*"}, {"All Files", "*"}};
  dialog.FileName = name;
  dialog.InitialDir = "/usr/bin";
  if (!services_.Dialogs->OpenFileDialog(dialog)) return false;
  name = dialog.FileName;
  return true;
}

void TPreferences::AddBrowserClick(int row) {
  size_t i = static_cast<size_t>(row);
  std::string path;
  if (!PickBrowser(path)) return;
  PathEdits[i]->SetText(path);
  std::string name = "Browser" + std::to_string(row + 1);
  if (!services_.Dialogs->InputQuery("Browser Name", "Input a Name for the Browser", name))
    return;  // the path stays in the hidden box
  NameEdits[i]->setText(Q(name));
  ShowBrowserRow(row);
}

void TPreferences::ShowBrowserRow(int row) {
  size_t i = static_cast<size_t>(row);
  AddButtons[i]->hide();
  NameEdits[i]->show();
  PathEdits[i]->show();
  BrowserRadios[i]->setEnabled(true);
  if (row < 2) AddButtons[i + 1]->setEnabled(true);
}

void TPreferences::VrelFileNameEdit1Exit() {
  if (checkingPath_) return;  // the question itself takes the focus away
  std::string path = PathEdits[0]->Text();
  if (path.empty() || services_.Files->Exists(path)) return;
  checkingPath_ = true;
  platform::TMsgResult answer = services_.Dialogs->MessageBox(
      platform::mkConfirmation, "The Filename you have specified is not valid, use anyway?",
      platform::mbYesNo);
  checkingPath_ = false;
  if (answer == platform::mrYes) return;
  PathEdits[0]->Edit->selectAll();
  PathEdits[0]->Edit->setFocus();
}

// ---- Enabling ----

void TPreferences::FolderRadioClick() {
  bool specified = RadioButton6->isChecked();
  DirEdit1->setEnabled(specified);
  // Painted in the colour of an inactive border while the last folder is used, else white.
  QPalette palette = DirEdit1->Edit->palette();
  palette.setColor(QPalette::Base, specified ? style()->standardPalette().color(QPalette::Base)
                                             : style()->standardPalette().color(QPalette::Window));
  DirEdit1->Edit->setPalette(palette);
}

void TPreferences::SpaceRadioClick() { VrelEdit1->setEnabled(RadioButton8->isChecked()); }

void TPreferences::HistoryCheckClick() {
  HistoryLabel->setEnabled(CheckBox3->isChecked());
  Edit4->setEnabled(CheckBox3->isChecked());
}

void TPreferences::SmartMenuCheckClick() {
  SmartMenuLabel->setEnabled(CheckBox4->isChecked());
  Edit5->setEnabled(CheckBox4->isChecked());
}

// ---- OK ----

TMainSettings TPreferences::Values() const {
  TMainSettings v = read_;
  v.PrimaryBrowser = 1;
  for (size_t i = 0; i < 3; ++i)
    if (BrowserRadios[i]->isChecked()) v.PrimaryBrowser = static_cast<int>(i) + 2;
  for (size_t i = 0; i < 3; ++i) {
    v.BrowserNames[i] = platform::QStringToText(NameEdits[i]->text());
    v.BrowserLocations[i] = PathEdits[i]->Text();
  }
  v.DisableWarning = CheckBox1->isChecked();
  v.AutoSave = CheckBox2->isChecked();
  v.LastFolder = RadioButton5->isChecked();
  v.SpecifiedFolder = DirEdit1->Text();
  v.FileNameSpaces = RadioButton7->isChecked();
  v.SpaceReplacement = platform::QStringToText(VrelEdit1->text());
  auto chosen = [](const std::array<QRadioButton*, 3>& radios) {
    for (size_t i = 0; i < 3; ++i)
      if (radios[i]->isChecked()) return static_cast<int>(i) + 1;
    return 1;
  };
  v.TaskbarCaptionType = chosen(TaskbarRadios);
  v.ProgramCaptionType = chosen(CaptionRadios);
  v.HistoryEnabled = CheckBox3->isChecked();
  v.HistoryListNo = Edit4->value();
  v.SmartMenuEnabled = CheckBox4->isChecked();
  v.SmartMenuItems = Edit5->value();
  return v;
}

void TPreferences::BitBtn1Click() {
  TMainSettings v = Values();
  WritePreferenceSettings(*services_.Settings, v);
  if (OnApplyValues) OnApplyValues(v);
  accept();
}

}  // namespace quorel
