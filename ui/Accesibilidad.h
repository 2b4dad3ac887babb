// What a screen reader is told where Qt's bridge to it falls short of what the windows show.
// Qt before 6.8 on Linux (the AT-SPI bridge of Debian 12 and Ubuntu 24.04) sends the object
// instead of the new text with a description change, offers no chosen entry for a list,
// reports a box's text as attribute runs of no length, and tells the first focus of a box
// whose caret never moved as a caret move. Orca then drops the refusal messages
// and the exceeded drop, never says which entry a list holds, reads values one character
// short and says nothing of the message box. This layer makes up for each of those, on those
// versions only. Elsewhere, where a description change reaches no screen reader (UI
// Automation on Windows raises nothing for it), the layer announces what appears in a
// description, from Qt 6.8 on, which has announcements.
#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace Accesibilidad {

// True where the layer is at work: Linux with a Qt before 6.8.
bool PuenteIncompleto();

// True where what appears in a description is announced besides: Qt 6.8 and later outside
// Linux. On Linux the bridge already tells the description change, and a screen reader
// would say an announcement of it a second time.
bool AnunciaAparte();

// Puts in place what the layer gives every box; to be called before any window builds its
// controls. Calling it again does nothing.
void Instalar();

// Tells the screen reader the new accessible description of `control`, which has just been
// set, with the text itself where the bridge sends the object alone.
void DescripcionCambiada(QWidget *control);

// Announces `texto`, which has just appeared in the description of `control`, where the
// description change alone is not told: once the event being handled is over, if the
// description still holds it.
void Anunciar(QWidget *control, const QString &texto);

// Settles the caret of every box under `superficie`, once its controls are built, so that the
// first focus of a box is told as a focus.
void PrepararCajas(QWidget *superficie);

// Hands each description sent to the screen reader to `destino` instead of the accessibility
// bus; an empty function restores the bus. For the tests.
using Destino = std::function<void(QObject *control, const QString &descripcion)>;
void DesviarDescripciones(Destino destino);

} // namespace Accesibilidad
