// One manual page as written in assets/manual/pageNN.txt: a head of placement lines, a line
// "---", then the body text in the markup of markup.h.
//
//   title TEXT            the heading in the title band
//   style cover           a full-bleed cover page instead of the title band
//   text X Y W            where the body text goes (left, top, width)
//   lcd X Y W H           a pale LCD panel
//   fig ID X Y H          figure ID of field.svg (its defs), H pixels high, lit
//   ghost ID X Y H        the same figure, unlit (faintly visible)
//   svg FILE X Y W H      a whole drawing, fitted into the box
//   scene FILE X Y W      an LCD drawing whose segments have ids "s_...", W pixels wide;
//                         unlit segments show faintly
//   lit ID ...            segments of the last scene shown lit ("all", or a prefix "s_crow_*")
//   label X Y TEXT        a small LCD caption (lit), left edge at X
//   glabel X Y TEXT       the same caption, unlit
//   clabel X Y W TEXT     a small caption centred in W
//   digits X Y H TEXT     LCD digits ("0".."9", ":", and "_" for an unlit place)
//   # ...                 a comment
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace docgen {

struct Placement {
  QString kind;  // lcd, fig, ghost, scene, svg, label, glabel, clabel, digits
  QString name;  // figure id or file name
  double x = 0, y = 0, w = 0, h = 0;
  QString text;
  QStringList lit;  // scene: the segments shown lit
};

struct PageSource {
  QString title;
  bool cover = false;
  double text_x = 24, text_y = 56, text_w = 300;
  std::vector<Placement> placements;
  QString body;
};

// Parses a page. On a malformed line returns false and sets `error` to "line N: why".
bool parse_page(const QString& source, PageSource& page, QString& error);

}  // namespace docgen
