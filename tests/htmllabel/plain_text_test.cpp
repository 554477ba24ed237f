#include "htmllabel/plain_text.h"

#include <gtest/gtest.h>

namespace tavimoro::html {
namespace {

std::string PlainText(std::string_view html) {
  return DocumentPlainText(ParseDocument(html, ParseOptions{}));
}

TEST(PlainText, BlocksBecomeLinesAndCellsBlanks) {
  EXPECT_EQ(PlainText("<b>Hint:</b> look at <font color=red>row 3</font><br>then   column 4"),
            "Hint: look at row 3\nthen column 4");
  EXPECT_EQ(PlainText("<p>One</p><p>Two</p>"), "One\nTwo");
  EXPECT_EQ(PlainText("<table><tr><td><b>P</b> - Switch tools</td><td><b>H</b> - Get Hint</td></tr>"
                      "<tr><td colspan=4>Any number</td></tr></table>"),
            "P - Switch tools H - Get Hint\nAny number");
}

TEST(PlainText, HiddenPartsAndEntitiesAndEmptyDocuments) {
  EXPECT_EQ(PlainText("<title>Panel</title>A &amp; B &lt;C&gt;<!-- note --><script>x()</script>"),
            "A & B <C>");
  EXPECT_EQ(PlainText(""), "");
  EXPECT_EQ(PlainText("<br><br>  <p> </p>"), "");
  EXPECT_EQ(PlainText("<a href=\"ApplyLastHint\">Apply</a> this step"), "Apply this step");
}

}  // namespace
}  // namespace tavimoro::html
