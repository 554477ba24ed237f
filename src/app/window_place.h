// The main window's size and place: a minimum below which the toolbar and
// the panel no longer fit, a first size that fits the screen's available
// area (a large scale factor on a small screen included), and the place of
// the last run, kept in section "Data" of the settings file as
// "WindowLeft", "WindowTop", "WindowWidth" and "WindowHeight". Without a
// stored place the window opens at its preferred size where the window
// system puts it.
#pragma once

#include <QRect>
#include <optional>
#include <string>

namespace tavimoro::app {

inline constexpr QSize kPreferredWindowSize(980, 610);
inline constexpr QSize kMinimumWindowSize(640, 400);

// The stored place; nullopt when no width or height is stored (or either
// is not a number from 1 up).
std::optional<QRect> ReadWindowPlace(const std::string& iniPath);
void StoreWindowPlace(const QRect& place, const std::string& iniPath);

// The minimum, made smaller where the available area is smaller still.
QSize FittedMinimum(const QSize& minimum, const QRect& available);

// The rectangle to open in: the stored place, or the preferred size at
// defaultTopLeft. Its size is bounded by the available area and kept at
// least at the fitted minimum; a stored place is moved inside the area.
QRect FittedWindowRect(const std::optional<QRect>& stored, QPoint defaultTopLeft, const QSize& preferred,
                       const QSize& minimum, const QRect& available);

}  // namespace tavimoro::app
