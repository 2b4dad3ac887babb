#include "ui/Controles.h"

#include "ui/Accesibilidad.h"
#include "ui/Pitido.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace {

// The characters that typing hands to a box: printable ones, and the control characters
// that a key produces on its own (backspace, carriage return, line feed, escape). Other
// control characters come from shortcuts such as Ctrl+C and are left to the box.
bool esTecleado(QChar c) {
    return c.isPrint() || c == u'\b' || c == u'\r' || c == u'\n' || c == u'\x1b';
}

// The character's own code wherever the 16-bit signed key code holds it, so that the filter
// judges the real character ("٫", "٢"); "?" for what lies beyond.
qint16 codigoDe(QChar c) {
    return c.unicode() <= 0x7FFF ? qint16(c.unicode()) : qint16(u'?');
}

} // namespace

CajaNumero::CajaNumero(QWidget *parent) : QLineEdit(parent) {
    Accesibilidad::Instalar();
    // Composed input would reach the box without a key press of its own.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CajaNumero::keyPressEvent(QKeyEvent *evento) {
    const QString texto = evento->text();
    // Ctrl or Meta make a shortcut (copy, paste, select all...), except with Alt, which is
    // how some systems report the AltGr key that types characters.
    const Qt::KeyboardModifiers mods = evento->modifiers();
    const bool atajo =
        (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
    if (atajo || texto.isEmpty() || !std::all_of(texto.begin(), texto.end(), esTecleado)) {
        QLineEdit::keyPressEvent(evento);
        return;
    }
    if (!Teclear(texto))
        QLineEdit::keyPressEvent(evento); // unchanged: the box handles it as typed
    evento->accept();
}

void CajaNumero::inputMethodEvent(QInputMethodEvent *evento) {
    // A browser hands each typed character to the focused box as composed text, never as a
    // key press, and so do on-screen keyboards: each character of it is typed as a key would
    // type it, one at a time. What is still being composed is not the box's yet.
    evento->accept();
    for (const QChar c : evento->commitString()) {
        const QString caracter(c);
        if (c.isPrint() && !Teclear(caracter))
            insert(caracter);
    }
}

bool CajaNumero::Teclear(const QString &texto) {
    QString insertar;
    bool descartado = false;
    for (const QChar c : texto) {
        qint16 KeyAscii = codigoDe(c);
        Q_EMIT KeyPress(KeyAscii);
        if (KeyAscii == 0)
            descartado = true;
        else
            insertar += KeyAscii == codigoDe(c) ? c : QChar(char16_t(quint16(KeyAscii)));
    }
    if (descartado)
        Pitido();
    if (insertar == texto && !descartado)
        return false;
    if (insertar == u"\b")
        backspace();
    else if (!insertar.isEmpty())
        insert(insertar);
    return true;
}

void CajaNumero::setMensaje(const QString &texto) {
    const bool aparece = !texto.isEmpty() && texto != mensaje;
    mensaje = texto;
    Describir();
    if (aparece)
        Accesibilidad::Anunciar(this, texto);
}

void CajaNumero::setAviso(const QString &texto) {
    const bool aparece = !texto.isEmpty() && texto != aviso;
    aviso = texto;
    Describir();
    if (aparece)
        Accesibilidad::Anunciar(this, texto);
}

void CajaNumero::Describir() {
    ::Describir(this,
                mensaje.isEmpty() || aviso.isEmpty() ? mensaje + aviso : mensaje + u' ' + aviso);
}

void CajaRechazada::Marcar(CajaNumero *rechazada, const QString &mensaje) {
    Desmarcar();
    caja = rechazada;
    caja->setMensaje(mensaje);
}

void CajaRechazada::Desmarcar() {
    if (caja)
        caja->setMensaje(QString());
    caja = nullptr;
}

void Describir(QWidget *control, const QString &descripcion) {
    // Qt announces every assignment to screen readers, an unchanged one too, which is no news.
    if (descripcion == control->accessibleDescription())
        return;
    control->setAccessibleDescription(descripcion);
    Accesibilidad::DescripcionCambiada(control);
}

Lista::Lista(QWidget *parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, &Lista::Click);
    // Where the bridge offers a screen reader no chosen entry, the list tells it as its
    // description, which is presented when it changes and with the list's focus.
    if (Accesibilidad::PuenteIncompleto())
        connect(this, &QComboBox::currentTextChanged, this,
                [this](const QString &entrada) { Describir(this, entrada); });
}

void Lista::setListIndex(int indice) {
    setCurrentIndex(indice);
    Q_EMIT Click();
}

Etiqueta::Etiqueta(QWidget *parent) : QLabel(parent) {}

void Etiqueta::setCaption(const QString &caption) {
    if (caption == text())
        return;
    setText(caption);
    Q_EMIT Change();
}
