// Telling the user, once per run, that the settings file could not be
// written. The store keeps what was not written in memory and tries again
// with every later write, so one notice is enough.
#pragma once

#include <QString>

class QWidget;

namespace tavimoro::app {

// The notice's text for the store's problem sentence.
QString SettingsNotSavedText(const QString& problem);

// From now on the first failed settings write of the run shows the notice
// over window, once the event loop is free (a write may fail inside a
// dialog or on the way out; on the way out nothing is shown).
void ShowSettingsFailuresOnce(QWidget* window);

}  // namespace tavimoro::app
