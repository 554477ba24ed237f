// Help addresses. Every link to a help page is the help base, a page name
// and an anchor. The base is chosen once at start-up: the server's "/help/"
// folder when TAVIMORO_SERVER is set, otherwise the pages bundled with the
// program as a file:// address, and the maker's server only when the
// bundled pages are missing.
#pragma once

#include <QString>
#include <string>

namespace tavimoro::app {

inline constexpr char kHelpFilePage[] = "helpfile.html";
inline constexpr char kTechniquesPage[] = "techniques.html";

// The folder of the bundled pages, ending in "/": programFolder + "help/"
// (the build tree, an unpacked program) or programFolder +
// "../share/tavimoro/help/" (an installed program), the first that holds
// helpfile.html; "" when neither does.
QString BundledHelpFolder(const QString& programFolder);

// The help base for this run, ending in "/". It goes into the panel's
// links as it is, so it holds no character that HTML gives a meaning
// (HtmlSafeAddress); a TAVIMORO_SERVER that is not an http, https or file
// address is ignored.
std::string ChooseHelpBase(const QString& programFolder);

// Opens the page at the anchor ("#external", or "" for the top) in the
// user's browser, from the engine's help base; see OpenAddress for a
// machine without a browser.
void OpenHelpPage(const QString& page, const QString& anchor = {});

}  // namespace tavimoro::app
