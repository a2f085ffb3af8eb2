#include "tools/doc_gen/page_source.h"

#include <QRegularExpression>

namespace docgen {

namespace {

bool to_numbers(const QStringList& words, int from, int count, std::vector<double>& out) {
  if (words.size() < from + count) return false;
  out.clear();
  for (int i = 0; i < count; ++i) {
    bool ok = false;
    out.push_back(words[from + i].toDouble(&ok));
    if (!ok) return false;
  }
  return true;
}

// The text after the first `skip` words of a line, spacing kept.
QString rest_of(const QString& line, int skip) {
  static const QRegularExpression word(QStringLiteral("^\\s*\\S+"));
  QString rest = line;
  for (int i = 0; i < skip; ++i) {
    QRegularExpressionMatch m = word.match(rest);
    if (!m.hasMatch()) return {};
    rest = rest.mid(m.capturedLength());
  }
  return rest.mid(rest.isEmpty() || rest[0] != ' ' ? 0 : 1);
}

}  // namespace

bool parse_page(const QString& source, PageSource& page, QString& error) {
  page = PageSource{};
  const QStringList lines = source.split('\n');
  int n = 0;
  for (; n < lines.size(); ++n) {
    const QString line = lines[n].trimmed();
    if (line == QLatin1String("---")) break;
    if (line.isEmpty() || line.startsWith('#')) continue;

    const QStringList w = line.split(' ', Qt::SkipEmptyParts);
    const QString& kind = w[0];
    std::vector<double> v;
    auto fail = [&](const QString& why) {
      error = QStringLiteral("line %1: %2").arg(n + 1).arg(why);
      return false;
    };
    Placement p;
    p.kind = kind;
    if (kind == QLatin1String("title")) {
      page.title = rest_of(line, 1);
      continue;
    } else if (kind == QLatin1String("style")) {
      if (w.size() != 2 || w[1] != QLatin1String("cover")) return fail("unknown style");
      page.cover = true;
      continue;
    } else if (kind == QLatin1String("text")) {
      if (!to_numbers(w, 1, 3, v)) return fail("text needs X Y W");
      page.text_x = v[0];
      page.text_y = v[1];
      page.text_w = v[2];
      continue;
    } else if (kind == QLatin1String("lcd")) {
      if (!to_numbers(w, 1, 4, v)) return fail("lcd needs X Y W H");
      p.x = v[0], p.y = v[1], p.w = v[2], p.h = v[3];
    } else if (kind == QLatin1String("fig") || kind == QLatin1String("ghost")) {
      if (w.size() < 2 || !to_numbers(w, 2, 3, v)) return fail(kind + " needs ID X Y H");
      p.name = w[1];
      p.x = v[0], p.y = v[1], p.h = v[2];
    } else if (kind == QLatin1String("svg")) {
      if (w.size() < 2 || !to_numbers(w, 2, 4, v)) return fail("svg needs FILE X Y W H");
      p.name = w[1];
      p.x = v[0], p.y = v[1], p.w = v[2], p.h = v[3];
    } else if (kind == QLatin1String("scene")) {
      if (w.size() < 2 || !to_numbers(w, 2, 3, v)) return fail("scene needs FILE X Y W");
      p.name = w[1];
      p.x = v[0], p.y = v[1], p.w = v[2];
    } else if (kind == QLatin1String("lit")) {
      if (page.placements.empty() || page.placements.back().kind != QLatin1String("scene")) {
        return fail("lit must follow a scene");
      }
      page.placements.back().lit += w.mid(1);
      continue;
    } else if (kind == QLatin1String("label") || kind == QLatin1String("glabel")) {
      if (!to_numbers(w, 1, 2, v) || w.size() < 4) return fail(kind + " needs X Y TEXT");
      p.x = v[0], p.y = v[1];
      p.text = rest_of(line, 3);
    } else if (kind == QLatin1String("clabel")) {
      if (!to_numbers(w, 1, 3, v) || w.size() < 5) return fail("clabel needs X Y W TEXT");
      p.x = v[0], p.y = v[1], p.w = v[2];
      p.text = rest_of(line, 4);
    } else if (kind == QLatin1String("digits")) {
      if (!to_numbers(w, 1, 3, v) || w.size() < 5) return fail("digits needs X Y H TEXT");
      p.x = v[0], p.y = v[1], p.h = v[2];
      p.text = rest_of(line, 4);
    } else {
      return fail("unknown word '" + kind + "'");
    }
    page.placements.push_back(p);
  }
  if (n >= lines.size()) {
    error = QStringLiteral("no '---' line before the body text");
    return false;
  }
  if (page.title.isEmpty()) {
    error = QStringLiteral("the page has no title");
    return false;
  }
  page.body = lines.mid(n + 1).join('\n');
  return true;
}

}  // namespace docgen
