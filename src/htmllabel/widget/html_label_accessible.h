// What a screen reader sees of an HTMLLabel: static text whose name is the
// label's accessible name and whose description, value and text are the
// document's plain text (DocumentPlainText), so that hints and the analysis
// are read out although the panel draws them itself.
#pragma once

#include <QAccessibleWidget>

namespace tavimoro {

class HTMLLabel;

class HTMLLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit HTMLLabelAccessible(HTMLLabel* label);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text which) const override;

  // Read-only text: no caret, no selection.
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  QString plainText() const;
};

}  // namespace tavimoro
