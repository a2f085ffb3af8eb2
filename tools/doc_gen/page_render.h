// Sets one manual page: paper, title band, body text, pictures and page number.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

#include "tools/doc_gen/page_source.h"

namespace docgen {

constexpr int kPageWidth = 545;
constexpr int kPageHeight = 365;
constexpr int kPageCount = 16;

// Renders `page` as page `number`. Pictures are looked up in `art_dir` (figures come from
// art_dir/field.svg). Returns a null image and sets `error` when a picture is missing or
// the text does not fit above the footer.
QImage render_page(const PageSource& page, int number, const QDir& art_dir, QString& error);

}  // namespace docgen
