// The controls whose notifications the calculator windows rely on, where plain Qt differs:
// a number box whose key press may replace or discard the typed character, a pick-only
// list whose click is raised also when code sets its selection, and a caption label that
// tells when a different caption is assigned. A box's change is QLineEdit::textChanged
// itself: raised on every differing text, typed or assigned, before the assignment returns.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

// A single-line box for numbers. Each typed character goes out through KeyPress first, by
// reference, as its character code; the box then inserts the code as left, or
// nothing and beeps when it was set to 0. Cursor keys, deleting, the standard editing
// shortcuts and pasting do not count as typed characters; text committed by an input method
// (a browser's, an on-screen keyboard's) counts as typed, character by character.
class CajaNumero : public QLineEdit {
    Q_OBJECT
public:
    explicit CajaNumero(QWidget *parent = nullptr);

    // What a screen reader presents for the box besides its name and text, as its
    // accessible description: the message its window wrote for it while its text is
    // refused, and a warning about the figure it holds. The focus stays in the box the user
    // types into, so the box must say what a sighted user reads elsewhere in the window.
    void setMensaje(const QString &mensaje);
    void setAviso(const QString &aviso);

Q_SIGNALS:
    void KeyPress(qint16 &KeyAscii);

protected:
    void keyPressEvent(QKeyEvent *evento) override;
    void inputMethodEvent(QInputMethodEvent *evento) override;

private:
    // Sends each character of `texto` through KeyPress and inserts what it leaves, beeping
    // for what it discards; false, with nothing done, where it left every character as typed.
    bool Teclear(const QString &texto);
    void Describir();

    QString mensaje;
    QString aviso;
};

// Sets the accessible description of `control`, announcing it only when it changes.
void Describir(QWidget *control, const QString &descripcion);

// The box that a window's message line speaks of: Marcar gives it the message written for
// it, Desmarcar takes the message away again when the window clears the line.
class CajaRechazada {
public:
    void Marcar(CajaNumero *caja, const QString &mensaje);
    void Desmarcar();

private:
    QPointer<CajaNumero> caja; // the close box deletes the controls
};

// A pick-only drop-down list.
class Lista : public QComboBox {
    Q_OBJECT
public:
    explicit Lista(QWidget *parent = nullptr);

    // Selects the entry at `indice` (-1 for none) and raises Click, also when it was
    // already selected.
    void setListIndex(int indice);

Q_SIGNALS:
    // The user picked an entry (with the mouse or the keyboard), or code set the selection.
    void Click();
};

// A label whose Change is raised, before setCaption returns, when the caption differs.
class Etiqueta : public QLabel {
    Q_OBJECT
public:
    explicit Etiqueta(QWidget *parent = nullptr);

    void setCaption(const QString &caption);

Q_SIGNALS:
    void Change();
};
