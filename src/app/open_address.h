// Opening an address (a help page, the maker's site, the download page) in
// the user's browser. Where no browser can be started the address is shown
// in a message box instead, with the file's own path for a page bundled
// with the program, so that the user can still get there; nothing else
// happens, and in particular nothing quits.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace tavimoro::app {

// What opens an address: xdg-open, waited for up to 3 s for its verdict
// (QDesktopServices::openUrl where there is no xdg-open), unless replaced
// (tests replace it to stand for a machine without a browser). True when
// opened.
using AddressOpener = std::function<bool(const QUrl&)>;
void SetAddressOpener(AddressOpener opener);

// The text of the message for an address that could not be opened.
QString OpenFailureText(const QUrl& address);

// Opens the address; when that fails, says so in a message box over parent
// (the main window when parent is null). True when the address was opened.
bool OpenAddress(const QUrl& address, QWidget* parent = nullptr);

}  // namespace tavimoro::app
