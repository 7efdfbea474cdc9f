// The main toolbar's pictures. Each is drawn on a 16-unit grid and scaled to the size asked for;
// the highlighted form is the same drawing in stronger colours.
#include "app/toolbarimages.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace quorel {

namespace {

struct TInk {
  QColor Line;
  QColor Paper;
  QColor Accent;
  QColor Second;
};

using TDrawing = std::function<void(QPainter&, const TInk&)>;

void Page(QPainter& p, const TInk& ink, QRectF r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 3, r.top());
  path.lineTo(r.right(), r.top() + 3);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(ink.Paper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
  p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void Lines(QPainter& p, QRectF r, int count) {
  for (int i = 0; i < count; ++i)
    p.drawLine(QPointF(r.left(), r.top() + 2 * i), QPointF(r.right(), r.top() + 2 * i));
}

void Floppy(QPainter& p, const TInk& ink) {
  p.setBrush(ink.Accent);
  p.drawRect(QRectF(1.5, 1.5, 12, 12));
  p.setBrush(ink.Paper);
  p.drawRect(QRectF(4, 1.5, 7, 5));
  p.drawRect(QRectF(3.5, 9, 8, 4.5));
}

// A curved arrow turning back to the left (Undo), or mirrored to the right (Redo).
void TurnArrow(QPainter& p, const TInk& ink, bool mirrored) {
  p.save();
  if (mirrored) {
    p.translate(16, 0);
    p.scale(-1, 1);
  }
  QPainterPath arc;
  arc.moveTo(4, 6);
  arc.cubicTo(9, 3, 15, 5, 13.5, 10.5);
  arc.cubicTo(12.5, 13, 10, 14, 7.5, 14);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ink.Accent, 2.0));
  p.drawPath(arc);
  p.setPen(QPen(ink.Line, 1.0));
  p.setBrush(ink.Accent);
  p.drawPolygon(QPolygonF({{1, 6}, {6.5, 1.5}, {7, 10}}));
  p.restore();
}

void Pencil(QPainter& p, const TInk& ink) {
  QPolygonF body({{9, 15}, {8.5, 12.5}, {14, 7}, {16, 9}, {10.5, 14.5}});
  p.setBrush(ink.Second);
  p.drawPolygon(body);
}

const TDrawing kDrawings[kToolBarImageCount] = {
    // 0 New: a blank page with a spark.
    [](QPainter& p, const TInk& ink) {
      Page(p, ink, QRectF(2.5, 1.5, 10, 13));
      p.setPen(QPen(ink.Second, 1.5));
      p.drawLine(QPointF(12, 9), QPointF(15, 12));
      p.drawLine(QPointF(15, 9), QPointF(12, 12));
    },
    // 1 Open: a folder.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent.lighter(150));
      p.drawPolygon(
          QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
      p.setBrush(ink.Accent);
      p.drawPolygon(QPolygonF({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
    },
    // 2 Save: a disk.
    [](QPainter& p, const TInk& ink) { Floppy(p, ink); },
    // 3 Save As: a disk and a pencil.
    [](QPainter& p, const TInk& ink) {
      Floppy(p, ink);
      Pencil(p, ink);
    },
    // 4 Cut: scissors.
    [](QPainter& p, const TInk& ink) {
      p.drawLine(QPointF(4, 1.5), QPointF(10, 10));
      p.drawLine(QPointF(12, 1.5), QPointF(6, 10));
      p.setBrush(ink.Paper);
      p.setPen(QPen(ink.Second, 1.3));
      p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
      p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
    },
    // 5 Copy: two pages.
    [](QPainter& p, const TInk& ink) {
      Page(p, ink, QRectF(1.5, 1.5, 8, 10));
      Page(p, ink, QRectF(6.5, 4.5, 8, 10));
      Lines(p, QRectF(8, 8, 5, 0), 3);
    },
    // 6 Paste: a clipboard with a page.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent);
      p.drawRect(QRectF(1.5, 2.5, 10, 12));
      p.setBrush(ink.Second);
      p.drawRect(QRectF(4, 1, 5, 3));
      Page(p, ink, QRectF(7.5, 6.5, 7, 8));
    },
    // 7 Insert Custom Text: a page with an arrow into it.
    [](QPainter& p, const TInk& ink) {
      Page(p, ink, QRectF(5.5, 1.5, 9, 13));
      Lines(p, QRectF(7.5, 5, 5, 0), 4);
      p.setPen(QPen(ink.Second, 1.6));
      p.drawLine(QPointF(0.5, 8), QPointF(6, 8));
      p.drawLine(QPointF(4, 6), QPointF(6, 8));
      p.drawLine(QPointF(4, 10), QPointF(6, 8));
    },
    // 8 Create/Edit Custom Text: a page with a pencil.
    [](QPainter& p, const TInk& ink) {
      Page(p, ink, QRectF(1.5, 1.5, 10, 13));
      Lines(p, QRectF(3.5, 5, 6, 0), 3);
      Pencil(p, ink);
    },
    // 9 Exit: a door with an arrow out.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent);
      p.drawRect(QRectF(1.5, 1.5, 8, 13));
      p.setPen(QPen(ink.Second, 1.6));
      p.drawLine(QPointF(6, 8), QPointF(15, 8));
      p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
      p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
    },
    // 10 Preview: a globe.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent.lighter(140));
      p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(8, 8), 3, 6.5);
      p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    },
    // 11 Items Palette: a tree of items.
    [](QPainter& p, const TInk& ink) {
      p.drawLine(QPointF(3.5, 3), QPointF(3.5, 13));
      for (double y : {3.0, 8.0, 13.0}) {
        p.drawLine(QPointF(3.5, y), QPointF(6, y));
        p.setBrush(y == 3.0 ? ink.Accent : ink.Paper);
        p.drawRect(QRectF(6.5, y - 2, 8, 4));
      }
    },
    // 12 Color Palette: colour wells.
    [](QPainter& p, const TInk& ink) {
      const QColor wells[] = {QColor(220, 40, 40), QColor(40, 160, 40), QColor(40, 80, 220),
                              QColor(240, 200, 30)};
      for (int i = 0; i < 4; ++i) {
        p.setBrush(wells[i]);
        p.drawRect(QRectF(1.5 + (i % 2) * 7, 1.5 + (i / 2) * 7, 6, 6));
      }
      (void)ink;
    },
    // 13 Execute Java Compiler: a gear.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent);
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(45.0 * i);
        p.drawRect(QRectF(-1.2, -7.5, 2.4, 3));
        p.restore();
      }
      p.drawEllipse(QPointF(8, 8), 5, 5);
      p.setBrush(ink.Paper);
      p.drawEllipse(QPointF(8, 8), 2, 2);
    },
    // 14 Run Compiled Applet: a play mark on a window.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Paper);
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.setBrush(ink.Second);
      p.drawPolygon(QPolygonF({{6, 5}, {11.5, 8}, {6, 11}}));
    },
    // 15 Image Map Creator: a picture with a marked area.
    [](QPainter& p, const TInk& ink) {
      p.setBrush(ink.Accent.lighter(150));
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.setBrush(ink.Accent);
      p.drawPolygon(QPolygonF({{1.5, 13.5}, {6, 7}, {9, 11}, {11, 9}, {14.5, 13.5}}));
      p.setPen(QPen(ink.Second, 1.2, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(8.5, 3.5, 5, 4));
    },
    // 16 Undo and 17 Redo: an arrow turning back, and forward.
    [](QPainter& p, const TInk& ink) { TurnArrow(p, ink, false); },
    [](QPainter& p, const TInk& ink) { TurnArrow(p, ink, true); },
};

TInk InkFor(QIcon::Mode mode) {
  if (mode == QIcon::Disabled)
    return {QColor(150, 150, 150), QColor(235, 235, 235), QColor(190, 190, 190),
            QColor(170, 170, 170)};
  if (mode == QIcon::Active || mode == QIcon::Selected)
    return {QColor(0, 0, 0), QColor(255, 255, 255), QColor(30, 110, 230), QColor(220, 40, 40)};
  return {QColor(60, 60, 60), QColor(250, 250, 250), QColor(70, 120, 190), QColor(180, 60, 60)};
}

// Draws the picture at whatever size and scale the toolbar asks for.
class TToolBarIconEngine : public QIconEngine {
 public:
  explicit TToolBarIconEngine(int index) : index_(index) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    TInk ink = InkFor(mode);
    painter->setPen(QPen(ink.Line, 1.0));
    kDrawings[index_](*painter, ink);
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap image(size);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return image;
  }
  QIconEngine* clone() const override { return new TToolBarIconEngine(index_); }

 private:
  int index_;
};

}  // namespace

QIcon ToolBarIcon(int index) {
  if (index < 0 || index >= kToolBarImageCount) return {};
  return QIcon(new TToolBarIconEngine(index));
}

}  // namespace quorel
