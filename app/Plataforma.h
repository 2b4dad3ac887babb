// The windowing system the program asks Qt for, where Qt's own choice serves the user worse:
// on a GNOME Wayland session, Qt before 6.8 draws title bars of its own (a maximise button on
// fixed-size windows, long titles cut), while through XWayland GNOME draws its own. Anything
// the user set (QT_QPA_PLATFORM, -platform) wins. And how the program ends on each platform.
#pragma once

#include <QByteArray>
#include <QVersionNumber>

namespace Plataforma {

// What a session's variables and the running Qt call for: X11 first ("xcb;wayland", Qt's own
// list, which falls back to Wayland should X11 fail), or empty to leave it to Qt.
QByteArray Preferida(const QByteArray &qpa, const QByteArray &sesion, const QByteArray &escritorio,
                     const QByteArray &pantallaX, QVersionNumber qt);

// Before the application object: sets QT_QPA_PLATFORM when the session calls for it and
// nothing on the command line names a platform.
void Elegir(int argc, char *argv[]);

// Once the application object exists: in the browser, which has no system fonts, adds the
// face the layouts are drawn in.
void Preparar();

// Ends the program at once, whatever windows are open. A page cannot close the browser's tab:
// there the program's runtime ends, and the page puts in its place that the program has
// ended, with a button that starts it again.
void Terminar();

} // namespace Plataforma
