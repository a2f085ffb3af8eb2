#include "tools/doc_gen/page_render.h"

#include <gtest/gtest.h>

#include "tools/doc_gen/page_source.h"

namespace {

const QDir kArt(QStringLiteral(TIKO_MANUAL_SOURCE_DIR));

docgen::PageSource parse(const QString& source) {
  docgen::PageSource page;
  QString error;
  EXPECT_TRUE(docgen::parse_page(source, page, error)) << qPrintable(error);
  return page;
}

TEST(PageRender, DrawsAPageAtTheManualSize) {
  QString error;
  const QImage image = docgen::render_page(
      parse("title Hello\nfig hero 400 100 40\n---\nSome text."), 3, kArt, error);
  ASSERT_FALSE(image.isNull()) << qPrintable(error);
  EXPECT_EQ(image.size(), QSize(docgen::kPageWidth, docgen::kPageHeight));
  // The title band is dark, the paper below it light.
  EXPECT_LT(qGray(image.pixel(5, 5)), 80);
  EXPECT_GT(qGray(image.pixel(5, 200)), 220);
}

TEST(PageRender, TextThatDoesNotFitIsAnError) {
  QString body;
  for (int i = 0; i < 60; ++i) body += "A line of text that goes on.\n\n";
  QString error;
  EXPECT_TRUE(docgen::render_page(parse("title Long\n---\n" + body), 1, kArt, error).isNull());
  EXPECT_TRUE(error.contains("past the bottom of the page")) << qPrintable(error);
}

TEST(PageRender, MissingPicturesAreErrors) {
  QString error;
  EXPECT_TRUE(
      docgen::render_page(parse("title T\nfig nobody 1 1 10\n---\n"), 1, kArt, error).isNull());
  EXPECT_EQ(error, "field.svg has no figure 'nobody'");
  EXPECT_TRUE(
      docgen::render_page(parse("title T\nsvg missing.svg 1 1 10 10\n---\n"), 1, kArt, error)
          .isNull());
  EXPECT_TRUE(error.startsWith("cannot read the drawing")) << qPrintable(error);
}

}  // namespace
