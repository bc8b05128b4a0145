#pragma once
// Finding the web browser that opens the list report and the sent-mail log.
#include <QString>

namespace zelk {

// Asks the desktop which program opens web pages ("xdg-mime query default text/html",
// then the Exec line of that .desktop file) and returns its full path; empty when the
// desktop does not say or the program is not there.
QString desktopBrowser();

// The long form of a path holding "~": each component looked up in the file system
// (a leading "~" is the home folder); a trailing separator is added; empty when a
// component does not exist. A path without "~" comes back unchanged.
QString GetLongPath(const QString& path);

// Cuts `text` before its first NUL character, stores that back and returns it.
QString TrimAtNull(QString& text);

} // namespace zelk
