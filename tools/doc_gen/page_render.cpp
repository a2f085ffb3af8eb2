#include "tools/doc_gen/page_render.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <memory>

#include "tools/doc_gen/fonts.h"
#include "tools/doc_gen/lcd_scene.h"
#include "tools/doc_gen/lcd_style.h"
#include "tools/doc_gen/markup.h"

namespace docgen {

namespace {

const QColor kPaper(251, 248, 240);
const QColor kBand(8, 41, 82);
const QColor kAccent(232, 162, 58);
const QColor kInk(40, 36, 30);
constexpr int kBandHeight = 40;
constexpr int kFooterTop = 343;  // the body must end above this line

QString style_sheet(bool cover) {
  const char* ink = cover ? "#ffffff" : "#28241e";
  return QStringLiteral(
             "body { color: %1; }"
             "p { margin-top: 0px; margin-bottom: 6px; line-height: 112%; }"
             "h3 { font-family: 'DejaVu Sans'; font-size: 12px; font-weight: bold; color: %2; "
             "     margin-top: 2px; margin-bottom: 3px; }"
             "ul, ol { margin-top: 0px; margin-bottom: 6px; margin-left: 0px; -qt-list-indent: 1; }"
             "li { margin-bottom: 2px; line-height: 108%; }"
             "td { font-size: 10px; }")
      .arg(QLatin1String(ink), QLatin1String(cover ? "#f3c26b" : "#08295a"));
}

void paint_background(QPainter& p, const PageSource& page) {
  if (page.cover) {
    QLinearGradient sky(0, 0, 0, kPageHeight);
    sky.setColorAt(0, QColor(12, 58, 112));
    sky.setColorAt(1, kBand);
    p.fillRect(QRect(0, 0, kPageWidth, kPageHeight), sky);
    p.fillRect(QRect(0, kPageHeight - 26, kPageWidth, 3), kAccent);
    QFont title(kSans);
    title.setBold(true);
    title.setPixelSize(34);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(28, 22, 320, 44), Qt::AlignVCenter | Qt::AlignLeft, page.title);
    QFont foot(kSans);
    foot.setPixelSize(9);
    foot.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(foot);
    p.setPen(QColor(150, 180, 215));
    p.drawText(QRect(0, kPageHeight - 23, kPageWidth, 23), Qt::AlignCenter,
               QStringLiteral("TICKLET SKYGLASS  ·  GAME A  ·  GAME B  ·  CLOCK"));
    return;
  }
  p.fillRect(QRect(0, 0, kPageWidth, kPageHeight), kPaper);
  p.fillRect(QRect(0, 0, kPageWidth, kBandHeight), kBand);
  p.fillRect(QRect(0, kBandHeight, kPageWidth, 3), kAccent);

  QFont title(kSans);
  title.setBold(true);
  title.setPixelSize(18);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(20, 0, 400, kBandHeight), Qt::AlignVCenter | Qt::AlignLeft, page.title);

  QFont series(kSans);
  series.setPixelSize(9);
  p.setFont(series);
  p.setPen(QColor(150, 180, 215));
  p.drawText(QRect(300, 0, 212, kBandHeight), Qt::AlignVCenter | Qt::AlignRight,
             QStringLiteral("TICKLET SKYGLASS · BOLO GARU TIKO"));
}

void paint_footer(QPainter& p, const PageSource& page, int number) {
  if (page.cover) return;
  p.setPen(QPen(QColor(190, 178, 150), 1));
  p.drawLine(QPointF(40, kFooterTop + 4.5), QPointF(kPageWidth - 40, kFooterTop + 4.5));
  QFont f(kSerif);
  f.setPixelSize(10);
  p.setFont(f);
  p.setPen(kInk);
  const QRect box(kPageWidth / 2 - 20, kFooterTop + 6, 40, 16);
  p.fillRect(box.adjusted(6, -4, -6, -10), kPaper);
  p.drawText(box, Qt::AlignCenter, QString::number(number));
}

bool paint_placement(QPainter& p, const Placement& pl, const QDir& art_dir, QSvgRenderer& figures,
                     QString& error) {
  if (pl.kind == QLatin1String("lcd")) {
    paint_lcd_panel(p, QRectF(pl.x, pl.y, pl.w, pl.h));
  } else if (pl.kind == QLatin1String("fig") || pl.kind == QLatin1String("ghost")) {
    if (!figures.elementExists(pl.name)) {
      error = QStringLiteral("field.svg has no figure '%1'").arg(pl.name);
      return false;
    }
    const QRectF b = figures.boundsOnElement(pl.name);
    const double w = pl.h * b.width() / b.height();
    p.save();
    if (pl.kind == QLatin1String("ghost")) p.setOpacity(kGhostOpacity);
    figures.render(&p, pl.name, QRectF(pl.x, pl.y, w, pl.h));
    p.restore();
  } else if (pl.kind == QLatin1String("scene")) {
    return paint_lcd_scene(p, art_dir.filePath(pl.name), pl.x, pl.y, pl.w, pl.lit, error);
  } else if (pl.kind == QLatin1String("svg")) {
    QSvgRenderer svg(art_dir.filePath(pl.name));
    if (!svg.isValid()) {
      error = QStringLiteral("cannot read the drawing %1").arg(art_dir.filePath(pl.name));
      return false;
    }
    QSizeF s = svg.defaultSize();
    s.scale(pl.w, pl.h, Qt::KeepAspectRatio);
    svg.render(&p, QRectF(pl.x + (pl.w - s.width()) / 2, pl.y + (pl.h - s.height()) / 2, s.width(),
                          s.height()));
  } else if (pl.kind == QLatin1String("label") || pl.kind == QLatin1String("glabel")) {
    QFont f(kSans);
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(pl.kind == QLatin1String("label") ? kLcdInk : kLcdGhost);
    p.drawText(QPointF(pl.x, pl.y + 9), pl.text);
  } else if (pl.kind == QLatin1String("clabel")) {
    QFont f(kSans);
    f.setPixelSize(9);
    p.setFont(f);
    p.setPen(QColor(70, 64, 54));
    p.drawText(QRectF(pl.x, pl.y, pl.w, 12), Qt::AlignHCenter | Qt::AlignTop, pl.text);
  } else if (pl.kind == QLatin1String("digits")) {
    paint_lcd_digits(p, pl.x, pl.y, pl.h, pl.text);
  }
  return true;
}

}  // namespace

QImage render_page(const PageSource& page, int number, const QDir& art_dir, QString& error) {
  QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  paint_background(p, page);

  QSvgRenderer figures(art_dir.filePath(QStringLiteral("field.svg")));
  if (!figures.isValid()) {
    error = QStringLiteral("cannot read %1").arg(art_dir.filePath("field.svg"));
    return {};
  }
  for (const Placement& pl : page.placements) {
    if (!paint_placement(p, pl, art_dir, figures, error)) return {};
  }

  QTextDocument doc;
  QFont body(kSerif);
  body.setPixelSize(11);
  doc.setDefaultFont(body);
  doc.setDocumentMargin(0);
  doc.setIndentWidth(14);
  doc.setDefaultStyleSheet(style_sheet(page.cover));
  doc.setHtml("<body>" + markup_to_html(page.body) + "</body>");
  doc.setTextWidth(page.text_w);
  const double bottom = page.text_y + doc.size().height();
  const double limit = page.cover ? kPageHeight - 30 : kFooterTop;
  if (bottom > limit) {
    error = QStringLiteral("the text runs %1 px past the bottom of the page")
                .arg(qRound(bottom - limit));
    return {};
  }
  p.save();
  p.translate(page.text_x, page.text_y);
  QAbstractTextDocumentLayout::PaintContext ctx;
  ctx.palette.setColor(QPalette::Text, page.cover ? Qt::white : kInk);
  doc.documentLayout()->draw(&p, ctx);
  p.restore();

  paint_footer(p, page, number);
  p.end();
  return image;
}

}  // namespace docgen
