// The start-up update check: one small HTTP GET of the version file on the
// maker's server, compared with the program's own version.
//
// The transfer runs in a local event loop that repaints but takes no user
// input, and is cut off after a fixed time for the whole transfer (lookup,
// connection and body), so the window is never held longer than that.
// Failures are texts that fail the version test, and are never shown.
#pragma once

#include <QString>

class QWidget;

namespace tavimoro::app {

// The maker's web server, used unless TAVIMORO_SERVER names another one.
inline constexpr char kMakerServer[] = "http://www.tavimoro.app";
inline constexpr char kVersionFilePath[] = "/d/currver.tavimoro.txt";
inline constexpr char kDownloadPagePath[] = "/download.html";
inline constexpr int kUpdateTimeoutSeconds = 3;
inline constexpr qint64 kMaxReplyBytes = 64 * 1024;

// TAVIMORO_SERVER when set and not empty, else kMakerServer; no trailing "/".
QString ServerBase();

// The body of an HTTP GET of url (port 80 unless the address names one),
// at most kMaxReplyBytes of it, read as Latin-1. A transfer that fails or
// does not finish within timeoutSeconds gives "*** ERROR: " code ": "
// description instead.
QString GetURL(const QString& url, int timeoutSeconds);

// The trimmed text with "0"s in front up to width, then its rightmost
// width characters.
QString PadLeftZeros(const QString& value, int width);

// MMmmRR from the build's major, minor and revision numbers.
QString LocalVersionString();

// "01.02.03" -> "1.2.3", "01.00.00" -> "1.0.0", "10.20.30" unchanged; ""
// unless v has exactly six characters.
QString FormatVersion(const QString& v);

// The offer to show for the version file's text, or "" when there is none:
// the text must start with six digits (not "ERR", not an error text, not a
// dotted or short version) that compare above the local version.
QString UpdateOfferText(const QString& body, const QString& localVersion);

// Fetches the version file and, when a newer release exists, asks whether
// to download it; Yes opens the download page and ends the event loop at
// once, unless the page could not be opened (then the address is shown and
// the program goes on). True when the program is ending: the caller then
// loads nothing and must not store the (still empty) board on the way out.
bool CheckForUpdate(QWidget* mainWindow);

}  // namespace tavimoro::app
