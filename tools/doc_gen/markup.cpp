#include "tools/doc_gen/markup.h"

#include <QRegularExpression>
#include <QStringList>

namespace docgen {

namespace {

QString escape(const QString& s) {
  return s.toHtmlEscaped();
}

enum class Block { None, Para, Bullets, Numbers, Table };

bool is_numbered(const QString& line) {
  static const QRegularExpression re(QStringLiteral("^\\d+\\.\\s"));
  return re.match(line).hasMatch();
}

}  // namespace

QString inline_to_html(const QString& line) {
  QString s = escape(line);
  static const QRegularExpression bold(QStringLiteral("\\*\\*(.+?)\\*\\*"));
  static const QRegularExpression italic(QStringLiteral("\\*(.+?)\\*"));
  static const QRegularExpression key(QStringLiteral("\\[([^\\]]+)\\]"));
  s.replace(bold, QStringLiteral("<b>\\1</b>"));
  s.replace(italic, QStringLiteral("<i>\\1</i>"));
  s.replace(key, QStringLiteral("<span style=\"font-family:'DejaVu Sans'; font-weight:bold; "
                                "font-size:9px; color:#ffffff; background-color:#4a5a6e;\">"
                                "&nbsp;\\1&nbsp;</span>"));
  return s;
}

QString markup_to_html(const QString& text) {
  QString html;
  Block open = Block::None;
  QString para;
  int row = 0;

  auto close = [&]() {
    switch (open) {
      case Block::Para:
        html += "<p>" + para + "</p>";
        para.clear();
        break;
      case Block::Bullets:
        html += "</ul>";
        break;
      case Block::Numbers:
        html += "</ol>";
        break;
      case Block::Table:
        // A table takes no bottom margin of its own; a thin empty paragraph spaces it.
        html += "</table><p style=\"font-size:4px; margin:0px;\">&nbsp;</p>";
        break;
      case Block::None:
        break;
    }
    open = Block::None;
  };
  auto begin = [&](Block b) {
    if (open == b) return;
    close();
    open = b;
    if (b == Block::Bullets) html += "<ul>";
    if (b == Block::Numbers) html += "<ol>";
    if (b == Block::Table) {
      html += "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">";
      row = 0;
    }
  };

  const QStringList lines = text.split('\n');
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty()) {
      close();
    } else if (line.startsWith(QLatin1String("## "))) {
      close();
      html += "<h3>" + inline_to_html(line.mid(3)) + "</h3>";
    } else if (line.startsWith(QLatin1String("- "))) {
      begin(Block::Bullets);
      html += "<li>" + inline_to_html(line.mid(2)) + "</li>";
    } else if (is_numbered(line)) {
      begin(Block::Numbers);
      html += "<li>" + inline_to_html(line.mid(line.indexOf(' ') + 1)) + "</li>";
    } else if (line.startsWith('|')) {
      begin(Block::Table);
      QStringList cells = line.split('|');
      cells.removeFirst();
      if (!cells.isEmpty() && cells.last().trimmed().isEmpty()) cells.removeLast();
      const char* shade = (row++ % 2 == 0) ? "#ece6d6" : "#f7f3e9";
      html += QStringLiteral("<tr bgcolor=\"%1\">").arg(QLatin1String(shade));
      for (const QString& cell : cells) html += "<td>" + inline_to_html(cell.trimmed()) + "</td>";
      html += "</tr>";
    } else {
      begin(Block::Para);
      if (!para.isEmpty()) para += ' ';
      para += inline_to_html(line);
    }
  }
  close();
  return html;
}

}  // namespace docgen
