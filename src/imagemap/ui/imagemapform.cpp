// The image map creator window.
#include "imagemap/ui/imagemapform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

#include "codecs/qt/picture.h"
#include "imagemap/ui/picturefilters.h"
#include "view/vrelmemo.h"

namespace quorel {

namespace {

TMapButton ButtonOf(Qt::MouseButton button) {
  return button == Qt::LeftButton ? mbtnLeft : button == Qt::RightButton ? mbtnRight : mbtnMiddle;
}

}  // namespace

TMapPicture::TMapPicture(QWidget* parent, TImageMap& creator) : QWidget(parent), creator_(creator) {
  setMouseTracking(true);
}

void TMapPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Picture);
  // A normal area's outline inverts what is under it; the current one is drawn white.
  for (const TMapShape& shape : creator_.Model.Shapes()) {
    if (shape.Width <= 0 || shape.Height <= 0) continue;
    painter.setCompositionMode(shape.Highlighted ? QPainter::CompositionMode_SourceOver
                                                 : QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(shape.Left, shape.Top, shape.Width - 1, shape.Height - 1);
  }
}

void TMapPicture::mousePressEvent(QMouseEvent* event) {
  creator_.PictureMouseDown(event->position().toPoint(), event->button(),
                            event->globalPosition().toPoint());
}

void TMapPicture::mouseMoveEvent(QMouseEvent* event) {
  creator_.PictureMouseMove(event->position().toPoint(), event->buttons());
}

void TMapPicture::mouseReleaseEvent(QMouseEvent* event) {
  creator_.PictureMouseUp(event->position().toPoint(), event->button());
}

// An area whose hyperlink was edited shows it as its tooltip.
bool TMapPicture::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    std::optional<size_t> at = creator_.Model.ShapeAt(help->pos().x(), help->pos().y());
    const TMapShape* shape = at ? &creator_.Model.Shapes()[*at] : nullptr;
    if (shape && shape->ShowHint)
      QToolTip::showText(help->globalPos(), QString::fromStdString(shape->Hint), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

TImageMap::TImageMap(QWidget* parent, const platform::TServices& services, TImageMapOwner owner)
    : QWidget(parent, Qt::Window), services_(services), owner_(std::move(owner)) {
  setWindowTitle("Image Map Creator");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar1 = new QToolBar(this);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolButton1 = ToolBar1->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), "Open");
  ToolButton1->setToolTip("Open an Image to Use as an Image Map");
  ToolButton2 =
      ToolBar1->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView), "Create Code");
  ToolButton2->setToolTip("Create Image Map Code");
  ToolButton5 = ToolBar1->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), "Close");
  ToolButton5->setToolTip("Close Image Map Creator");
  connect(ToolButton1, &QAction::triggered, this, [this] { ToolButton1Click(); });
  connect(ToolButton2, &QAction::triggered, this, [this] { ToolButton2Click(); });
  connect(ToolButton5, &QAction::triggered, this, [this] { ToolButton5Click(); });
  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::Box);
  Panel1->setLineWidth(1);
  Panel1->setAutoFillBackground(true);
  Panel1->setBackgroundRole(QPalette::Base);
  Image1 = new TMapPicture(Panel1, *this);
  Image1->move(1, 1);
  Image1->setEnabled(false);
  Image1->hide();
  layout->addWidget(ToolBar1);
  layout->addWidget(Panel1, 1);
  PopupMenu1 = new QMenu(this);
  EditHyperlink1 = PopupMenu1->addAction("Edit Hyperlink");
  Delete1 = PopupMenu1->addAction("Delete");
  PopupMenu1->setDefaultAction(EditHyperlink1);
  connect(EditHyperlink1, &QAction::triggered, this, [this] { EditHyperlink1Click(); });
  connect(Delete1, &QAction::triggered, this, [this] { Delete1Click(); });
  MapPalette = std::make_unique<TMapPalette>(this, Model);
  MapPalette->OnAreasChanged = [this] { Image1->update(); };
  MapPalette->OnDelete = [this] { Delete1Click(); };
  HyperProp1 = std::make_unique<THyperProp1>(this);
  Form4 = std::make_unique<TForm4>(owner_.MainWindow, services_, owner_.Parser, *owner_.View,
                                   owner_.ClipboardFilled);
  OpenDialog1.Title = "Open";
  OpenDialog1.Filters = PictureFilters();
}

TImageMap::~TImageMap() = default;

void TImageMap::Warn(const std::string& text) {
  services_.Dialogs->MessageBox(platform::mkWarning, text, platform::mbOK);
}

void TImageMap::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A window restored from the task bar is shown again by the system: that is no new start.
  if (!event->spontaneous()) FormShow();
}

void TImageMap::FormShow() {
  CloseConfirmed = false;
  if (owner_.ItemsPalette) {
    SavedItemsVisible = owner_.ItemsPalette->isVisible();
    owner_.ItemsPalette->hide();
    MapPalette->move(owner_.ItemsPalette->pos());
  }
  // It is wider than the items palette whose place it takes: keep it on the screen.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    QPoint at = MapPalette->pos();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - MapPalette->width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - MapPalette->height())));
    MapPalette->move(at);
  }
  if (owner_.MainWindow) setGeometry(owner_.MainWindow->geometry());
  MapPalette->show();
  Model.Reset();
  MapPalette->RefreshMapList();
  Image1->update();
}

void TImageMap::ToolButton1Click() {
  OpenDialog1.FileName.clear();
  if (owner_.CurrentFolder) OpenDialog1.InitialDir = owner_.CurrentFolder();
  if (!services_.Dialogs->OpenFileDialog(OpenDialog1)) return;
  OpenPicture(OpenDialog1.FileName);
}

bool TImageMap::OpenPicture(const std::string& path) {
  Image1->setEnabled(true);
  TPictureSize size;
  QImage picture = LoadPicture(path, &size);
  if (picture.isNull()) {
    Warn("Unable to load the picture - \r\r" + path);
    return false;
  }
  OpenDialog1.FileName = path;
  // Drawn as it comes: an empty frame stays one bit a pixel however large the picture.
  Image1->Picture = picture;
  Model.SetPicture(size.Width, size.Height);
  // The areas may reach past the picture: the control covers the whole panel.
  Image1->resize(std::max(size.Width, Panel1->width() - 2),
                 std::max(size.Height, Panel1->height() - 2));
  Image1->show();
  Image1->update();
  MapPalette->ShowPictureFile(path);
  return true;
}

void TImageMap::AreasChanged() {
  MapPalette->ShowReadouts(Model.Readouts());
  if (std::optional<size_t> row = Model.TakeSelectedRow())
    MapPalette->SelectRow(static_cast<int>(*row));
  TMapCursor cursor = Model.Cursor();
  Image1->setCursor(cursor == mcVerticalSplit     ? Qt::SplitVCursor
                    : cursor == mcHorizontalSplit ? Qt::SplitHCursor
                                                  : Qt::ArrowCursor);
  Image1->update();
}

// Off the picture and off every area, the panel itself takes the mouse, and it does nothing.
static bool OnPictureOrArea(const TImageMapModel& model, QPoint at) {
  bool onPicture =
      at.x() >= 0 && at.y() >= 0 && at.x() < model.PictureWidth() && at.y() < model.PictureHeight();
  return onPicture || model.ShapeAt(at.x(), at.y());
}

void TImageMap::PictureMouseDown(QPoint at, Qt::MouseButton button, QPoint global) {
  if (!OnPictureOrArea(Model, at)) return;
  // A second button during a gesture: its menu would take the release the gesture waits for.
  if (button != Qt::LeftButton && (Model.Drawing() || Model.Moving() || Model.Resizing())) return;
  bool popup = Model.MouseDown(at.x(), at.y(), ButtonOf(button));
  AreasChanged();
  if (popup) PopupMenu1->popup(global + QPoint(5, 5));
}

void TImageMap::PictureMouseMove(QPoint at, Qt::MouseButtons buttons) {
  bool captured = Model.Drawing() || Model.Moving() || Model.Resizing();
  if (!captured && !OnPictureOrArea(Model, at)) return;
  Model.MouseMove(at.x(), at.y(), buttons & Qt::LeftButton);
  AreasChanged();
}

void TImageMap::PictureMouseUp(QPoint at, Qt::MouseButton button) {
  Model.MouseUp(at.x(), at.y(), ButtonOf(button));
  MapPalette->RefreshMapList();
  AreasChanged();
}

void TImageMap::Delete1Click() {
  Model.DeleteHighlighted();
  MapPalette->RefreshMapList();
  Image1->update();
}

void TImageMap::EditHyperlink1Click() {
  HyperProp1->FormShow(Model);
  if (HyperProp1->exec() != QDialog::Accepted) return;
  if (TMapShape* shape = Model.ShapeNamed(HyperProp1->LinkShape)) {
    shape->Hint = HyperProp1->Edit1->text().toStdString();
    shape->Text = HyperProp1->Edit2->text().toStdString();
    shape->ShowHint = true;
  }
  MapPalette->RefreshMapList();
}

void TImageMap::ToolButton2Click() {
  do {
    MapName = "UserMap1";
    if (!services_.Dialogs->InputQuery("Map Name", "Please enter a unique name for your map.",
                                       MapName))
      return;
  } while (MapName.empty());
  TImageTagOptions options = owner_.TagOptions ? owner_.TagOptions() : TImageTagOptions{};
  // The converted name is kept, so a later generation starts from it.
  OpenDialog1.FileName = MapPicturePath(OpenDialog1.FileName, options);
  Form4->SetCode(MapCode(Model.Shapes(), MapName, OpenDialog1.FileName, Model.PictureWidth(),
                         Model.PictureHeight()),
                 owner_.View->Font());
  CloseConfirmed = true;
  close();
  // After the close, which brings the main window forward, so that the code shows above it.
  Form4->show();
  Form4->raise();
  Form4->activateWindow();
}

void TImageMap::ToolButton5Click() {
  if (services_.Dialogs->MessageBox(platform::mkConfirmation,
                                    "Are you sure you wish to cancel the creation of this map?",
                                    platform::mbOKCancel) != platform::mrOk)
    return;
  CloseConfirmed = true;
  close();
}

bool TImageMap::FormCloseQuery() {
  if (CloseConfirmed) return true;
  return services_.Dialogs->MessageBox(platform::mkConfirmation,
                                       "Are you sure you wish to cancel the creation of this map?",
                                       platform::mbOKCancel) == platform::mrOk;
}

void TImageMap::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  if (owner_.MainWindow) {
    owner_.MainWindow->raise();
    owner_.MainWindow->activateWindow();
  }
  if (owner_.ItemsPalette) owner_.ItemsPalette->setVisible(SavedItemsVisible);
  MapPalette->close();
  Image1->setEnabled(false);
  Image1->hide();
  event->accept();
}

}  // namespace quorel
