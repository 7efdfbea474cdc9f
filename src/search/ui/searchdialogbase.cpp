// TSearchDialogBase: the shared controls of the Find and Replace dialogs.
#include "search/ui/searchdialogbase.h"

#include <QGridLayout>
#include <QLabel>

#include "platform/qt/placement.h"

namespace quorel {

TSearchDialogBase::TSearchDialogBase(const QString& formName, const QString& title,
                                     platform::ISettings* settings, QWidget* parent)
    : QDialog(parent), Settings(settings) {
  // The form's name comes first: the history boxes name their settings value after it.
  setObjectName(formName);
  setWindowTitle(title);
  setModal(true);
  QFont font("MS Sans Serif");
  font.setPointSize(8);
  setFont(font);
}

void TSearchDialogBase::BuildControls(QWidget* page, bool replace) {
  auto* grid = new QGridLayout(page);
  auto* findLabel = new QLabel("&Text to find:", page);
  SearText = new TVrelHistoryEditor("SearText", Settings, page);
  findLabel->setBuddy(SearText);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(SearText, 0, 1);
  int row = 1;
  if (replace) {
    auto* replLabel = new QLabel("&Replace with:", page);
    ReplText = new TVrelHistoryEditor("ReplText", Settings, page);
    replLabel->setBuddy(ReplText);
    grid->addWidget(replLabel, row, 0);
    grid->addWidget(ReplText, row, 1);
    ++row;
  }
  SearText->setMinimumWidth(240);

  auto group = [page](const char* title) {
    auto* box = new QGroupBox(title, page);
    new QVBoxLayout(box);
    return box;
  };
  auto add = [](QGroupBox* box, auto* control) {
    box->layout()->addWidget(control);
    return control;
  };
  QGroupBox* options = group("Options");
  CaseSensitive = add(options, new QCheckBox("&Case sensitive", options));
  WholeWordsOnly = add(options, new QCheckBox("&Whole words only", options));
  RegularExpressions = add(options, new QCheckBox("Regular e&xpressions", options));
  if (replace) PromptOnReplace = add(options, new QCheckBox("&Prompt on replace", options));
  QGroupBox* direction = group("Direction");
  Forward = add(direction, new QRadioButton("Forwar&d", direction));
  Backward = add(direction, new QRadioButton("&Backward", direction));
  QGroupBox* scope = group("Scope");
  Global = add(scope, new QRadioButton("&Global", scope));
  SelectedText = add(scope, new QRadioButton("&Selected text", scope));
  QGroupBox* origin = group("Origin");
  FromCursor = add(origin, new QRadioButton("&From cursor", origin));
  EntireScope = add(origin, new QRadioButton("&Entire scope", origin));

  auto* boxes = new QGridLayout;
  boxes->addWidget(options, 0, 0);
  boxes->addWidget(direction, 0, 1);
  boxes->addWidget(scope, 1, 0);
  boxes->addWidget(origin, 1, 1);
  grid->addLayout(boxes, row, 0, 1, 2);
}

QHBoxLayout* TSearchDialogBase::BuildButtons(QPushButton* middle) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  OKBtn = new QPushButton("OK", this);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  HelpBtn = new QPushButton("&Help", this);
  HelpBtn->hide();
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  row->addWidget(OKBtn);
  if (middle) row->addWidget(middle);
  row->addWidget(CancelBtn);
  return row;
}

void TSearchDialogBase::FinishLayout() {
  adjustSize();
  setFixedSize(sizeHint());
  platform::CentreOnScreen(*this);
}

void TSearchDialogBase::ShowOptions(const TSearchOptions& o) {
  SearText->SetText(o.TextToFind());
  CaseSensitive->setChecked(o.CaseSensitive());
  WholeWordsOnly->setChecked(o.WholeWordsOnly());
  RegularExpressions->setChecked(o.RegularExpr());
  (o.Direction() == sdForward ? Forward : Backward)->setChecked(true);
  (o.Scope() == ssGlobal ? Global : SelectedText)->setChecked(true);
  (o.Origin() == soFromCursor ? FromCursor : EntireScope)->setChecked(true);
}

void TSearchDialogBase::TakeOptions(TSearchOptions& o) const {
  o.SetTextToFind(SearText->Text());
  o.SetCaseSensitive(CaseSensitive->isChecked());
  o.SetWholeWordsOnly(WholeWordsOnly->isChecked());
  o.SetRegularExpr(RegularExpressions->isChecked());
  o.SetDirection(Forward->isChecked() ? sdForward : sdBackward);
  o.SetScope(Global->isChecked() ? ssGlobal : ssSelectedText);
  o.SetOrigin(FromCursor->isChecked() ? soFromCursor : soEntireScope);
}

}  // namespace quorel
