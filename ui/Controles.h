// The controls whose notifications the calculator windows rely on, where plain Qt differs:
// a number box whose key press may replace or discard the typed character, a pick-only
// list whose click is raised also when code sets its selection, and a caption label that
// tells when a different caption is assigned. A box's change is QLineEdit::textChanged
// itself: raised on every differing text, typed or assigned, before the assignment returns.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// A single-line box for numbers. Each typed character goes out through KeyPress first, by
// reference, as its character code; the box then inserts the code as left, or
// nothing and beeps when it was set to 0. Cursor keys, deleting, the standard editing
// shortcuts and pasting do not count as typed characters.
class CajaNumero : public QLineEdit {
    Q_OBJECT
public:
    explicit CajaNumero(QWidget *parent = nullptr);

Q_SIGNALS:
    void KeyPress(qint16 &KeyAscii);

protected:
    void keyPressEvent(QKeyEvent *evento) override;
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
