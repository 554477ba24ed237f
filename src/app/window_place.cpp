#include "app/window_place.h"

#include "app/centered_message_box.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

std::optional<QRect> ReadWindowPlace(const std::string& iniPath) {
  const Settings settings(iniPath);
  const QRect place(settings.Get(setting::WindowLeft), settings.Get(setting::WindowTop),
                    settings.Get(setting::WindowWidth), settings.Get(setting::WindowHeight));
  if (place.width() < 1 || place.height() < 1) return std::nullopt;
  return place;
}

void StoreWindowPlace(const QRect& place, const std::string& iniPath) {
  const Settings settings(iniPath);
  settings.Set(setting::WindowLeft, place.x());
  settings.Set(setting::WindowTop, place.y());
  settings.Set(setting::WindowWidth, place.width());
  settings.Set(setting::WindowHeight, place.height());
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
  const QPoint topLeft =
      available.isValid() ? KeptInside(stored->topLeft(), size, available) : stored->topLeft();
  return QRect(topLeft, size);
}

}  // namespace tavimoro::app
