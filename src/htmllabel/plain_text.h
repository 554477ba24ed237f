// The text of a parsed document as a screen reader reads it: the text runs
// in document order, a line break for each block (paragraph, division,
// line break, list item, table row, heading, rule), a blank between table
// cells, nothing from the title, scripts, styles or comments. Runs of
// blanks are folded and every line is trimmed; empty lines are dropped.
#pragma once

#include <string>

#include "htmllabel/document.h"

namespace tavimoro::html {

std::string DocumentPlainText(const Document& document);

}  // namespace tavimoro::html
