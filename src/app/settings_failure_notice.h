// Telling the user that the settings file could not be written, and what
// became of a save that another copy of the program forestalled. Failed
// writes are gathered: the failures of one moment make one notice, and a
// failure after that notice was closed makes another. The store keeps what
// was not written in memory and tries again with every later write; on the
// way out the user decides what becomes of what is still kept.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace tavimoro::app {

// The notice's text for the store's problem sentences.
QString SettingsNotSavedText(const QStringList& problems);

// From now on failed settings writes and renamed saves are shown over
// window, once the event loop is free (a write may fail inside a dialog or
// on the way out; once the window is hidden nothing is shown).
void ShowSettingsFailuresOnce(QWidget* window);

// On the way out: when changes of the settings file are still kept in
// memory, writes them once more, and if that fails asks whether to try
// again, save them in another file or discard them. False when the user
// cancels (the window stays open).
bool SettleUnsavedSettings(QWidget* window, const std::string& iniPath);

}  // namespace tavimoro::app
