// A print job: the printing copy of the view, the text it holds, the page layout and the loop
// over the pages. The copy scrolls on from page to page, so a page at the end of a long
// document costs what one at its start does.
#include "print/ui/memoprint.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <memory>

#include "engine/simpleparser.h"
#include "engine/updateguard.h"
#include "platform/dialogs.h"
#include "platform/qt/qtprinter.h"
#include "print/pagelayout.h"
#include "print/ui/memoprintform.h"
#include "print/ui/memoprintprogress.h"

namespace quorel {

namespace {

class TPrintJob {
 public:
  TPrintJob(TCustomVrelMemo& view, platform::IPrinter& printer)
      : view_(view), doc_(view.MemoSource()), printer_(printer), options_(view.PrintOptions) {}

  TPrintResult Run();

 private:
  void ShowProgress();
  void PreparePrintClone();
  void LoadPrintText();
  void CopyText(int first, int last);
  // False when the user cancelled while the text was laid out.
  bool ComputePageLayout();
  void PrintPage(int i);
  void RenderPage();
  void PrintHeader(int i);
  void StepProgress();
  void ProcessMessages();
  void SetProgress(int page, const std::string& count);

  TCustomVrelMemo& view_;
  TCustomMemoSource& doc_;
  platform::IPrinter& printer_;
  const TVrelPrintOptions options_;
  std::unique_ptr<TMemoPrintProgress> progress_;
  std::unique_ptr<TVrelMemo> clone_;
  std::string title_;
  TPageLayout layout_;
  int pages_ = 0;
  QPainter* canvas_ = nullptr;
  TPrintResult result_;
};

TPrintResult TPrintJob::Run() {
  if (doc_.LineCount() == 0) return result_;
  // The document stays as it is while the pages are laid out.
  TUpdateGuard bracket(doc_, urNone);
  if (options_.Contains(poShowProgress)) ShowProgress();
  PreparePrintClone();
  LoadPrintText();
  if (progress_) progress_->SetFileText(title_);
  ProcessMessages();
  if (!ComputePageLayout()) {
    result_.Cancelled = true;
    return result_;
  }
  result_.Pages = pages_;
  if (progress_) {
    SetProgress(1, std::to_string(pages_));
    progress_->SetPageCount(pages_);
    QApplication::processEvents();
    if (progress_->Cancelled()) {
      result_.Cancelled = true;
      return result_;
    }
  }
  for (int i = 0; i < pages_; ++i) {
    if (i == 0) {
      canvas_ = printer_.BeginDocument(title_);
      if (!canvas_) {
        result_.Error = printer_.ErrorText();
        return result_;
      }
      if (progress_) progress_->SetPrinterText(PrinterLine(printer_.Name()));
    }
    if (progress_ && progress_->Cancelled()) {
      result_.Cancelled = true;
      break;
    }
    if (i > 0) printer_.NewPage();
    PrintPage(i);
    ++result_.PagesPrinted;
  }
  if (result_.PagesPrinted == 0)
    printer_.AbortDocument();  // stopped before the first page: nothing to send
  else if (!printer_.EndDocument())
    result_.Error = printer_.ErrorText();
  return result_;
}

void TPrintJob::ShowProgress() {
  progress_ = std::make_unique<TMemoPrintProgress>(view_.window());
  if (view_.OnCreateDialog) view_.OnCreateDialog(view_, *progress_);
  // Shown without waiting, but the other windows take no input until the job is over.
  progress_->setWindowModality(Qt::ApplicationModal);
  progress_->SetPrinterText(PrinterLine(printer_.Name()));
  SetProgress(1, kUnknownPageCount);
  progress_->show();
  QApplication::processEvents();
}

void TPrintJob::PreparePrintClone() {
  clone_ = std::make_unique<TVrelMemo>(view_.parentWidget());
  clone_->hide();
  TVrelMemo& clone = *clone_;
  clone.PrintOptions = view_.PrintOptions;
  clone.LineNumColor = view_.LineNumColor;
  clone.LineNumRightAligned = view_.LineNumRightAligned;
  TCustomMemoSource& store = clone.MemoSource();
  store.SetAllowUndo(false);
  store.SetEncoding(doc_.Encoding());
  store.SetOptions(doc_.Options());
  store.SetTabStops(doc_.TabStops());
  store.SetSpacesInTab(doc_.SpacesInTab());
  store.SetKeepTrailingBlanks(true);  // the copy is the text as it stands
  store.SetDelimeters(doc_.Delimeters());
  store.SetHighlightUrls(doc_.HighlightUrls());
  clone.SelColor = view_.SelColor;
  clone.SelBackColor = view_.SelBackColor;
  clone.MatchColor = view_.MatchColor;
  clone.MatchBackColor = view_.MatchBackColor;
  clone.setFrameShape(QFrame::NoFrame);  // the page has no border
  TMemoOptions memoOptions = view_.Options();
  TCloneIndent indent =
      CloneLeftIndent(memoOptions.Contains(moLeftIndent), view_.LeftIndent, view_.PrintIndent);
  memoOptions.Set(moLeftIndent, indent.UseIndent);
  clone.LeftIndent = indent.Indent;
  clone.UseMonoFont = view_.UseMonoFont;
  clone.TextStyles = view_.TextStyles;
  clone.SetFont(view_.UsePrinterFont ? view_.PrinterFont : view_.Font());
  clone.Color = view_.Color;
  clone.LineNumBackColor = view_.LineNumBackColor;
  // A page has no margin line or gutter; line numbers come only with the print option, always
  // in their own column.
  for (TMemoOption o : {moDrawMargin, moDrawGutter, moLineNumbers, moLineNumbersOnGutter})
    memoOptions.Exclude(o);
  clone.SetOptions(memoOptions);
  if (options_.Contains(poWrapLines)) {
    clone.SetMarginPos(view_.MarginPos());
    clone.SetWordWrap(true);
  }
}

void TPrintJob::LoadPrintText() {
  const bool selection = options_.Contains(poPrintSel) && doc_.HasSelection();
  title_ = PrintTitle(doc_.FileName(), selection);
  TVrelMemo& clone = *clone_;
  TMemoOptions memoOptions = clone.Options();
  const bool syntax = options_.Contains(poPrintSyntax) && doc_.SyntaxParser();
  memoOptions.Set(moColorSyntax, syntax);
  clone.MemoSource().SetSyntaxParser(syntax ? doc_.SyntaxParser() : nullptr);
  if (!options_.Contains(poInColor)) {
    TFont font = clone.Font();
    font.Color = clBlack;
    clone.SetFont(font);
    clone.Color = clWindow;
    for (TTextStyle& style : clone.TextStyles.Items) {
      style.Font.Color = clBlack;
      style.UseMemoColor = true;
    }
    clone.LineNumColor = clWindowText;
    clone.LineNumBackColor = clWindow;
    clone.BlackAndWhite = true;  // the scheme's own colours too
  }
  if (selection) {
    TRect r = doc_.TextSelectionRect();
    // Highlighting carries on from the state the document holds for the first selected line.
    doc_.EnsureParsed(r.Top);
    clone.MemoSource().SetInitialState(doc_.LineRecord(r.Top)->StartState);
    CopyText(r.Top, r.Bottom);
  } else {
    CopyText(0, doc_.LineCount() - 1);
  }
  memoOptions.Set(moLineNumbers, options_.Contains(poLineNumbers));
  clone.SetOptions(memoOptions);
  clone.MemoSource().SetCaretPos(0, 0);
}

void TPrintJob::CopyText(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, doc_.LineCount() - 1);
  std::vector<std::string> lines, colors;
  lines.reserve(static_cast<size_t>(last - first + 1));
  // An attribute document's colours are its content: they travel with the lines.
  const bool attributes = doc_.SyntaxParser() && doc_.SyntaxParser()->HasAttributes() &&
                          clone_->MemoSource().SyntaxParser();
  for (int y = first; y <= last; ++y) {
    lines.push_back(doc_.RawLine(y));
    if (attributes) colors.push_back(doc_.GetLineColors(y).str());
  }
  clone_->MemoSource().InsertStringList(lines, attributes ? &colors : nullptr, false);
}

bool TPrintJob::ComputePageLayout() {
  TVrelMemo& clone = *clone_;
  TPrinterMetrics printer{printer_.DpiX(), printer_.DpiY(), printer_.PageWidth(),
                          printer_.PageHeight()};
  TScreenMetrics screen{clone.logicalDpiX(), clone.logicalDpiY(), clone.LineHeight(),
                        clone.CharWidth(), clone.UseMonoFont};
  layout_ = quorel::ComputePageLayout(printer, screen, options_.Contains(poPrintHeader));
  clone.SetPrintSize(QSize(layout_.PageW, layout_.PageH));
  const int rows = clone.RowCount([this] {
    ProcessMessages();
    return !(progress_ && progress_->Cancelled());
  });
  if (rows < 0) return false;
  if (clone.UseMonoFont) {
    pages_ = MonoPageCount(rows, clone.LineHeight(), layout_.PageH);
  } else {
    // Rows are all one height, so every page holds as many whole rows as fit.
    pages_ = SteppedPageCount(rows - 1, [&](int) { return clone.VisibleRows(); });
  }
  clone.SetTopLine(0);
  return true;
}

void TPrintJob::SetProgress(int page, const std::string& count) {
  if (progress_) progress_->SetProgressText(ProgressLine(page, count));
}

void TPrintJob::PrintPage(int i) {
  SetProgress(i + 1, std::to_string(pages_));
  StepProgress();
  if (i > 0) clone_->ScrollBy(clone_->UseMonoFont ? layout_.LinesPerPage : clone_->VisibleRows());
  RenderPage();
  StepProgress();
  PrintHeader(i);
}

void TPrintJob::RenderPage() {
  // The page is painted in the view's own screen pixels and scaled onto the destination
  // rectangle, which keeps the text in vector form on the printer.
  const TPageRect& dest = layout_.Dest;
  canvas_->save();
  canvas_->setClipRect(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()));
  canvas_->translate(dest.Left, dest.Top);
  canvas_->scale(static_cast<qreal>(dest.Width()) / layout_.PageW,
                 static_cast<qreal>(dest.Height()) / layout_.PageH);
  clone_->PaintPage(*canvas_);
  canvas_->restore();
  StepProgress();
}

void TPrintJob::PrintHeader(int i) {
  if (options_.Contains(poPrintHeader)) {
    // The clone's font in bold, as tall on paper as a line of the page picture.
    const TFont& font = clone_->Font();
    QFont header(QString::fromStdString(font.Name));
    header.setStyleHint(QFont::TypeWriter);
    int pixels = font.Height < 0 ? -font.Height : font.Height * clone_->logicalDpiY() / 72;
    header.setPixelSize(std::max(pixels * printer_.DpiY() / std::max(clone_->logicalDpiY(), 1), 1));
    header.setBold(true);
    canvas_->save();
    canvas_->setFont(header);
    canvas_->setPen(Qt::black);
    const QRect line(0, 0, printer_.PageWidth(), layout_.HeaderHeight);
    canvas_->drawText(line, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(title_));
    const QString number = QString::fromStdString(PageHeaderText(i + 1, pages_));
    const int width = QFontMetrics(header, canvas_->device()).horizontalAdvance(number);
    const int left = PageNumberLeft(printer_.PageWidth(), width, static_cast<int>(number.size()));
    canvas_->drawText(QRect(left, 0, printer_.PageWidth() - left, layout_.HeaderHeight),
                      Qt::AlignLeft | Qt::AlignTop, number);
    canvas_->restore();
  }
  StepProgress();
}

void TPrintJob::StepProgress() {
  if (progress_) progress_->Step();
  ProcessMessages();
}

void TPrintJob::ProcessMessages() {
  // A click on Cancel is noticed here; without the progress window there is nothing to click,
  // and the other windows are kept from taking input while the document is held.
  if (progress_)
    QApplication::processEvents();
  else
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The file name proposed for printing into a PDF file: the document's own, ending in ".pdf".
std::string ProposedPdfName(const platform::IPrinter& printer, const std::string& document) {
  if (!printer.OutputFile().empty()) return printer.OutputFile();
  if (document.empty()) return "untitled.pdf";
  QFileInfo info(QString::fromStdString(document));
  return (info.path() + "/" + info.completeBaseName() + ".pdf").toStdString();
}

}  // namespace

TPrintResult PrintDocument(TCustomVrelMemo& view, platform::IPrinter& printer) {
  TPrintJob job(view, printer);
  return job.Run();
}

bool PrintWithDialog(TCustomVrelMemo& view, platform::IPrinter& printer,
                     platform::IDialogs& dialogs, TPrintResult* result) {
  TCustomMemoSource& doc = view.MemoSource();
  TMemoPrintForm form(view.window());
  if (view.OnCreateDialog) view.OnCreateDialog(view, form);
  form.ShowOptions(view.PrintOptions, doc.HasSelection(), doc.FileName());
  bool fileChosen = false;
  form.OnSetup = [&] {
    if (printer.Setup(&form)) fileChosen = printer.PrintsToFile() && !printer.OutputFile().empty();
  };
  if (form.exec() != QDialog::Accepted) return false;
  view.PrintOptions = form.Options();
  view.PrintIndent = form.Indent();
  if (printer.PrintsToFile() && !fileChosen) {
    // No printer to send the pages to: they go into a PDF file the user names.
    platform::TFileDialog save;
    save.Title = "Print to PDF File";
    save.Filters = {{"PDF files (*.pdf)", "*.pdf"}};
    save.FileName = ProposedPdfName(printer, doc.FileName());
    save.DefaultExt = ".pdf";
    if (!dialogs.SaveFileDialog(save)) return false;
    printer.SetOutputFile(save.FileName);
  }
  TPrintResult printed = PrintDocument(view, printer);
  if (!printed.Error.empty()) dialogs.MessageBox(platform::mkError, printed.Error, platform::mbOK);
  if (result) *result = printed;
  return true;
}

}  // namespace quorel
