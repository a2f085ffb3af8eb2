// tiko-doc-gen: draws the manual pages and the window pictures at build time.
//
//   tiko-doc-gen manual SOURCE_DIR OUT_DIR         pageNN.txt -> N.bmp (N = 1..16)
//   tiko-doc-gen ui SVG_DIR OUT_DIR NAME:W:H ...   NAME.svg -> NAME.png at W x H,
//                                                  NAME@2x.png and NAME@3x.png
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <cstdio>

#include "tools/doc_gen/fonts.h"
#include "tools/doc_gen/page_render.h"
#include "tools/doc_gen/page_source.h"
#include "tools/doc_gen/ui_render.h"

namespace {

int fail(const QString& message) {
  std::fprintf(stderr, "tiko-doc-gen: %s\n", qPrintable(message));
  return 1;
}

// Draws every page it can and reports each page that fails, so one run shows all problems.
int make_manual(const QDir& source, const QDir& out) {
  int failures = 0;
  for (int n = 1; n <= docgen::kPageCount; ++n) {
    const QString name = QStringLiteral("page%1.txt").arg(n, 2, 10, QLatin1Char('0'));
    QFile file(source.filePath(name));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      return fail("cannot read " + file.fileName());
    }
    docgen::PageSource page;
    QString error;
    if (!docgen::parse_page(QString::fromUtf8(file.readAll()), page, error)) {
      failures += fail(file.fileName() + ": " + error);
      continue;
    }
    const QImage image = docgen::render_page(page, n, source, error);
    if (image.isNull()) {
      failures += fail(file.fileName() + ": " + error);
      continue;
    }
    // The viewer expects plain 24-bit pictures.
    const QString target = out.filePath(QStringLiteral("%1.bmp").arg(n));
    if (!image.convertToFormat(QImage::Format_RGB888).save(target, "BMP")) {
      return fail("cannot write " + target);
    }
  }
  return failures == 0 ? 0 : 1;
}

int make_ui(const QDir& source, const QDir& out, const QStringList& pictures) {
  for (const QString& picture : pictures) {
    const QStringList parts = picture.split(':');
    bool ok_w = false, ok_h = false;
    const int w = parts.size() == 3 ? parts[1].toInt(&ok_w) : 0;
    const int h = parts.size() == 3 ? parts[2].toInt(&ok_h) : 0;
    if (!ok_w || !ok_h || w <= 0 || h <= 0)
      return fail("bad picture '" + picture + "' (NAME:WIDTH:HEIGHT)");
    // NAME.png, and NAME@2x.png and NAME@3x.png for screens of higher resolution.
    for (int scale = 1; scale <= 3; ++scale) {
      QString error;
      const QImage image = docgen::render_ui_picture(source, parts[0], w * scale, h * scale, error);
      if (image.isNull()) return fail(error);
      const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
      const QString target = out.filePath(parts[0] + suffix + ".png");
      if (!image.save(target, "PNG")) return fail("cannot write " + target);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 4 || (args[1] != "manual" && args[1] != "ui")) {
    return fail("usage: tiko-doc-gen manual SOURCE_DIR OUT_DIR | ui SVG_DIR OUT_DIR NAME:W:H...");
  }
  const QString fonts = docgen::load_fonts();
  if (!fonts.isEmpty()) return fail(fonts);
  const QDir source(args[2]);
  if (!QDir().mkpath(args[3])) return fail("cannot create " + args[3]);
  const QDir out(args[3]);
  if (args[1] == "manual") return make_manual(source, out);
  return make_ui(source, out, args.mid(4));
}
