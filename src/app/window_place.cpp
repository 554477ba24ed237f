#include "app/window_place.h"

#include "app/centered_message_box.h"
#include "app/settings/settings.h"

namespace tavimoro::app {

namespace {

constexpr char kSection[] = "Data";
constexpr const char* kKeys[4] = {"WindowLeft", "WindowTop", "WindowWidth", "WindowHeight"};

// A whole decimal number (a leading "-" allowed), nothing else.
std::optional<int> WholeNumber(const std::string& text) {
  bool ok = false;
  const int value = QString::fromStdString(text).toInt(&ok);
  return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

std::optional<QRect> ReadWindowPlace(const std::string& iniPath) {
  int values[4] = {};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> value = WholeNumber(ReadSetting(kSection, kKeys[i], iniPath));
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  if (values[2] < 1 || values[3] < 1) return std::nullopt;
  return QRect(values[0], values[1], values[2], values[3]);
}

void StoreWindowPlace(const QRect& place, const std::string& iniPath) {
  const int values[4] = {place.x(), place.y(), place.width(), place.height()};
  for (int i = 0; i < 4; ++i) WriteSetting(kSection, kKeys[i], std::to_string(values[i]), iniPath);
}

QSize FittedMinimum(const QSize& minimum, const QRect& available) {
  return available.isValid() ? minimum.boundedTo(available.size()) : minimum;
}

QRect FittedWindowRect(const std::optional<QRect>& stored, QPoint defaultTopLeft, const QSize& preferred,
                       const QSize& minimum, const QRect& available) {
  QSize size = stored ? stored->size() : preferred;
  if (available.isValid()) size = size.boundedTo(available.size());
  size = size.expandedTo(FittedMinimum(minimum, available));
  if (!stored) return QRect(defaultTopLeft, size);
  const QPoint topLeft = available.isValid() ? KeptInside(stored->topLeft(), size, available) : stored->topLeft();
  return QRect(topLeft, size);
}

}  // namespace tavimoro::app
