// Renders the skin drawings into the pictures that Config.ini names, each
// also at 2 and 3 pixels per unit (name@2x.png, name@3x.png).
//
//   skin_gen --unit unit.svg --lcd lcd.svg --skin-out DIR --layout FILE
//            [--backdrop backdrop.svg --logo logo.svg --backdrop-out DIR]
//            [--update-config Config.ini]
//
// Every skin image is the SVG group whose id is the image's name. A group may
// say how it is finished (the attribute may also sit on an ancestor group):
//   data-box="x y w h"   crop to this rectangle instead of the drawn pixels
//   data-edge="hard"     no half-transparent edge pixels (the unit's outline)
//   data-ink="0.86"      an LCD figure: drawn at this opacity ...
//   data-shadow="dx dy opacity"   ... with this faint shadow behind it
// LCD figures are kept apart as segments on glass are: where a figure covers
// a pixel that an earlier one (in image order) covers, the earlier one keeps it.
// The layout file lists every picture with the place and size it was cut
// from; --update-config writes the same sections into a Config.ini, after the
// sections that come before the first image.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

#include "engine/image_id.h"
#include "tools/skin_gen/picture_ops.h"
#include "tools/skin_gen/png_file.h"
#include "tools/skin_gen/svg_parts.h"

namespace {

using skin_gen::SvgDrawing;

int Fail(const QString& message) {
  std::fprintf(stderr, "skin_gen: %s\n", qPrintable(message));
  return 1;
}

QList<double> Numbers(const QString& text) {
  QList<double> numbers;
  for (const QString& part : text.split(QRegularExpression("[ ,]+"), Qt::SkipEmptyParts)) {
    numbers.append(part.toDouble());
  }
  return numbers;
}

struct Cut {
  QImage picture;
  QRect place;
};

// What the LCD's segments already cover, at 1, 2 and 3 pixels per unit.
struct Glass {
  explicit Glass(QSize canvas) {
    for (int scale = 1; scale <= 3; ++scale) {
      taken[scale] = QImage(canvas * scale, QImage::Format_Grayscale8);
      taken[scale].fill(0);
    }
  }
  QImage taken[4];
};

// An LCD segment: drawn in ink, in a place of its own (shared boxes are patterns).
bool IsSegment(const SvgDrawing& drawing, const QString& id) {
  return !drawing.InheritedAttribute(id, "data-ink").isEmpty() &&
         drawing.InheritedAttribute(id, "data-box").isEmpty();
}

// The finish a group asks for, applied to its rendering at `scale` whose
// top-left lies at `origin` (in units).
QImage Finish(const SvgDrawing& drawing, const QString& id, QImage image, int scale, QPoint origin,
              Glass& glass) {
  if (IsSegment(drawing, id)) skin_gen::CarveApart(image, origin * scale, glass.taken[scale]);
  const QString ink = drawing.InheritedAttribute(id, "data-ink");
  if (!ink.isEmpty()) {
    skin_gen::Ink style;
    style.opacity = ink.toDouble();
    const QList<double> shadow = Numbers(drawing.InheritedAttribute(id, "data-shadow"));
    if (shadow.size() == 3) {
      style.shadow_offset = QPoint(qRound(shadow[0] * scale), qRound(shadow[1] * scale));
      style.shadow_opacity = shadow[2];
    }
    image = skin_gen::ApplyInk(image, style);
  }
  if (drawing.InheritedAttribute(id, "data-edge") == "hard") image = skin_gen::HardenEdges(image);
  return image.convertToFormat(QImage::Format_ARGB32);
}

std::optional<Cut> CutGroup(const SvgDrawing& drawing, const QString& id, Glass& glass,
                            QString* error) {
  const QImage image = Finish(drawing, id, drawing.RenderGroup(id), 1, QPoint(0, 0), glass);
  QRect place;
  const QString box_attr = drawing.InheritedAttribute(id, "data-box");
  if (!box_attr.isEmpty()) {
    const QList<double> box = Numbers(box_attr);
    if (box.size() != 4) {
      *error = id + ": data-box needs x y w h";
      return std::nullopt;
    }
    place = QRect(qRound(box[0]), qRound(box[1]), qRound(box[2]), qRound(box[3]));
  } else {
    place = skin_gen::OpaqueBounds(image);
  }
  if (place.isEmpty()) {
    *error = id + ": the group draws nothing";
    return std::nullopt;
  }
  return Cut{image.copy(place), place};
}

// The file of a picture's variant at `scale`: name@2x.png beside name.png.
QString VariantName(const QString& name, int scale) {
  return scale == 1 ? name + ".png" : QString("%1@%2x.png").arg(name).arg(scale);
}

// The same place of the group rendered at 2 and 3 pixels per unit.
bool SaveVariants(const SvgDrawing& drawing, const QString& id, QRect place, Glass& glass,
                  const QDir& dir) {
  for (int scale : {2, 3}) {
    const QImage image =
        Finish(drawing, id, drawing.RenderGroup(id, place, scale), scale, place.topLeft(), glass);
    if (!skin_gen::SavePng(image, dir.filePath(VariantName(id, scale)))) return false;
  }
  return true;
}

bool WriteText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  file.write(text.toUtf8());
  return true;
}

// Keeps the sections of an existing Config.ini that come before the images.
QString ConfigHead(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString head;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    if (line.trimmed().startsWith("[Image", Qt::CaseInsensitive)) break;
    head += line + "\r\n";
  }
  return head;
}

// The whole drawing as `dir`/name.png, name@2x.png and name@3x.png.
bool RenderWhole(const QString& svg, const QDir& dir, const QString& name, QString* error) {
  const auto drawing = SvgDrawing::Load(svg, error);
  if (!drawing) return false;
  for (int scale : {1, 2, 3}) {
    const QString out = dir.filePath(VariantName(name, scale));
    if (!skin_gen::SavePng(drawing->RenderAll(scale), out)) {
      *error = out + ": cannot be written";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // fonts for the printed labels
  QMap<QString, QString> args;
  const QStringList list = app.arguments();
  for (int i = 1; i + 1 < list.size(); i += 2) args[list[i]] = list[i + 1];
  for (const char* needed : {"--unit", "--lcd", "--skin-out", "--layout"}) {
    if (!args.contains(needed)) return Fail(QString("missing ") + needed);
  }

  QString error;
  const auto unit = SvgDrawing::Load(args["--unit"], &error);
  if (!unit) return Fail(error);
  const auto lcd = SvgDrawing::Load(args["--lcd"], &error);
  if (!lcd) return Fail(error);

  const QDir skin_dir(args["--skin-out"]);
  if (!QDir().mkpath(skin_dir.path())) return Fail(skin_dir.path() + ": cannot be made");

  Glass glass(lcd->CanvasSize().expandedTo(unit->CanvasSize()));
  QString layout;
  QTextStream sections(&layout);
  for (int n = 1; n <= tiko::kSkinImageCount; ++n) {
    const QString name =
        QString::fromLatin1(tiko::kImageNames[n - 1].data(), int(tiko::kImageNames[n - 1].size()));
    const bool in_unit = unit->Has(name), in_lcd = lcd->Has(name);
    if (in_unit == in_lcd) {
      return Fail(name + (in_unit ? ": drawn twice" : ": not drawn in any source"));
    }
    const auto cut = CutGroup(in_unit ? *unit : *lcd, name, glass, &error);
    if (!cut) return Fail(error);
    const QString file = VariantName(name, 1);
    if (!skin_gen::SavePng(cut->picture, skin_dir.filePath(file)) ||
        !SaveVariants(in_unit ? *unit : *lcd, name, cut->place, glass, skin_dir)) {
      return Fail(file + " or its variants: cannot be written");
    }
    sections << "[Image" << n << "]\r\n"
             << "Filename=" << file << "\r\n"
             << "Left=" << cut->place.left() << "\r\n"
             << "Top=" << cut->place.top() << "\r\n"
             << "Width=" << cut->place.width() << "\r\n"
             << "Height=" << cut->place.height() << "\r\n";
    if (n < tiko::kSkinImageCount) sections << "\r\n";
  }
  sections.flush();
  if (!WriteText(args["--layout"], layout)) return Fail(args["--layout"] + ": cannot be written");

  if (args.contains("--backdrop-out")) {
    const QDir backdrop_dir(args["--backdrop-out"]);
    QDir().mkpath(backdrop_dir.path());
    if (args.contains("--backdrop") &&
        !RenderWhole(args["--backdrop"], backdrop_dir, "backdrop", &error)) {
      return Fail(error);
    }
    if (args.contains("--logo") && !RenderWhole(args["--logo"], backdrop_dir, "logo", &error)) {
      return Fail(error);
    }
  }

  if (args.contains("--update-config")) {
    const QString path = args["--update-config"];
    const QString head = ConfigHead(path);
    if (head.isEmpty()) return Fail(path + ": no sections to keep");
    if (!WriteText(path, head + layout)) return Fail(path + ": cannot be written");
  }
  return 0;
}
