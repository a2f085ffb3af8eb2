#include "tools/doc_gen/markup.h"

#include <gtest/gtest.h>

namespace {

using docgen::inline_to_html;
using docgen::markup_to_html;

TEST(Markup, InlineEscapesHtmlAndAppliesEmphasisAndKeys) {
  EXPECT_EQ(inline_to_html("a < b & c"), "a &lt; b &amp; c");
  EXPECT_EQ(inline_to_html("**bold** and *it*"), "<b>bold</b> and <i>it</i>");
  const QString key = inline_to_html("press [Ctrl] now");
  EXPECT_TRUE(key.startsWith("press <span"));
  EXPECT_TRUE(key.contains("&nbsp;Ctrl&nbsp;</span> now"));
}

TEST(Markup, BlocksOpenAndCloseInTurn) {
  const QString html = markup_to_html(
      "first line\nsame paragraph\n\n## Head\n- one\n- two\n1. step\n| a | b |\n| c | d |\nafter");
  EXPECT_TRUE(html.startsWith("<p>first line same paragraph</p><h3>Head</h3>"));
  EXPECT_TRUE(html.contains("<ul><li>one</li><li>two</li></ul><ol><li>step</li></ol>"));
  EXPECT_EQ(html.count("<tr"), 2);
  EXPECT_TRUE(html.contains("<td>a</td><td>b</td></tr>"));
  EXPECT_TRUE(html.endsWith("<p>after</p>"));
  // Every block that opens is closed.
  EXPECT_EQ(html.count("<table"), html.count("</table>"));
  EXPECT_EQ(html.count("<p"), html.count("</p>"));
}

TEST(Markup, EmptyTextGivesNothing) {
  EXPECT_TRUE(markup_to_html("").isEmpty());
  EXPECT_TRUE(markup_to_html("\n\n  \n").isEmpty());
}

}  // namespace
