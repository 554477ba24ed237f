#include "htmllabel/widget/html_label_accessible.h"

#include "htmllabel/widget/html_label.h"

namespace tavimoro {

HTMLLabelAccessible::HTMLLabelAccessible(HTMLLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

void* HTMLLabelAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString HTMLLabelAccessible::plainText() const {
  return static_cast<const HTMLLabel*>(widget())->PlainText();
}

QString HTMLLabelAccessible::text(QAccessible::Text which) const {
  switch (which) {
    case QAccessible::Description: {
      // The host may add what the text refers to but cannot say itself.
      const QString more = widget()->accessibleDescription();
      return more.isEmpty() ? plainText() : plainText() + QLatin1Char('\n') + more;
    }
    case QAccessible::Value:
      return plainText();
    default:
      return QAccessibleWidget::text(which);
  }
}

QString HTMLLabelAccessible::text(int startOffset, int endOffset) const {
  const QString all = plainText();
  const int start = qBound(0, startOffset, int(all.size()));
  const int end = endOffset < 0 ? int(all.size()) : qBound(start, endOffset, int(all.size()));
  return all.mid(start, end - start);
}

int HTMLLabelAccessible::characterCount() const { return int(plainText().size()); }

void HTMLLabelAccessible::selection(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = 0;
}

QString HTMLLabelAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

}  // namespace tavimoro
