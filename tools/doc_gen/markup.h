// A small text markup for the manual pages, turned into the HTML subset that Qt's text
// layout understands:
//   blank line        ends a paragraph
//   ## Heading        a small heading
//   - item            a bullet list item      1. item   a numbered list item
//   | a | b |         a table row (rows in a run make one table)
//   **bold**  *italic*  [Key]  (a key cap)
#pragma once

#include <QString>

namespace docgen {

QString markup_to_html(const QString& text);

// The inline part alone: escapes HTML and applies **bold**, *italic* and [Key].
QString inline_to_html(const QString& line);

}  // namespace docgen
