#include "tools/doc_gen/page_source.h"

#include <gtest/gtest.h>

namespace {

using docgen::PageSource;
using docgen::parse_page;

TEST(PageSource, ReadsHeadAndBody) {
  PageSource page;
  QString error;
  ASSERT_TRUE(
      parse_page("title The key\n# a comment\ntext 10 20 300\n"
                 "scene field.svg 1 2 3\nlit s_key_1 s_crow_*\nlit s_tiko_1_5\n"
                 "digits 5 6 30 12:00\nclabel 1 2 100 Two words\n---\nBody\n\nMore",
                 page, error))
      << qPrintable(error);
  EXPECT_EQ(page.title, "The key");
  EXPECT_FALSE(page.cover);
  EXPECT_EQ(page.text_x, 10);
  EXPECT_EQ(page.text_w, 300);
  ASSERT_EQ(page.placements.size(), 3u);
  EXPECT_EQ(page.placements[0].kind, "scene");
  EXPECT_EQ(page.placements[0].lit, QStringList({"s_key_1", "s_crow_*", "s_tiko_1_5"}));
  EXPECT_EQ(page.placements[1].text, "12:00");
  EXPECT_EQ(page.placements[2].text, "Two words");
  EXPECT_EQ(page.body, "Body\n\nMore");
}

TEST(PageSource, RejectsMalformedPagesWithTheLine) {
  struct Case {
    const char* source;
    const char* error;
  };
  const Case cases[] = {
      {"title T\nbogus 1 2\n---\n", "line 2: unknown word 'bogus'"},
      {"title T\nlcd 1 2 x 4\n---\n", "line 2: lcd needs X Y W H"},
      {"title T\nfig hero 1 2\n---\n", "line 2: fig needs ID X Y H"},
      {"title T\nlit s_key_1\n---\n", "line 2: lit must follow a scene"},
      {"title T\nstyle fancy\n---\n", "line 2: unknown style"},
      {"title T\ntext 1 2 3\n", "no '---' line before the body text"},
      {"text 1 2 3\n---\nbody", "the page has no title"},
  };
  for (const Case& c : cases) {
    PageSource page;
    QString error;
    EXPECT_FALSE(parse_page(c.source, page, error)) << c.source;
    EXPECT_EQ(error, c.error) << c.source;
  }
}

}  // namespace
