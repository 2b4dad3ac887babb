#include "ui/Accesibilidad.h"

#include "ui/AccesibilidadPlataforma.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMetaObject>
#include <QVariant>
#include <QVersionNumber>
#include <QWidget>

namespace Accesibilidad {

namespace {

Destino &destinoDesviado() {
    static Destino destino;
    return destino;
}

// A single-line box as a screen reader sees it: the box's own text interfaces, with the text
// as one run of attributes from its first character to its last. The bridge builds the line
// it reads from those runs, so runs of no length drop the last character.
class CajaAccesible : public QAccessibleWidget,
                      public QAccessibleTextInterface,
                      public QAccessibleEditableTextInterface {
public:
    explicit CajaAccesible(QLineEdit *caja) : QAccessibleWidget(caja, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType tipo) override {
        if (tipo == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (tipo == QAccessible::EditableTextInterface && !caja()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(tipo);
    }

    QString text(QAccessible::Text tipo) const override {
        return tipo == QAccessible::Value ? visible() : QAccessibleWidget::text(tipo);
    }
    void setText(QAccessible::Text tipo, const QString &texto) override {
        if (tipo != QAccessible::Value) {
            QAccessibleWidget::setText(tipo, texto);
            return;
        }
        if (!caja()->isReadOnly())
            caja()->setText(texto);
    }
    QAccessible::State state() const override {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.readOnly = caja()->isReadOnly();
        estado.editable = !caja()->isReadOnly();
        estado.selectableText = true;
        estado.passwordEdit = caja()->echoMode() != QLineEdit::Normal;
        return estado;
    }

    // QAccessibleTextInterface
    void addSelection(int inicio, int fin) override { setSelection(0, inicio, fin); }
    QString attributes(int posicion, int *inicio, int *fin) const override {
        Q_UNUSED(posicion);
        *inicio = 0;
        *fin = characterCount();
        return QString();
    }
    int cursorPosition() const override { return caja()->cursorPosition(); }
    QRect characterRect(int posicion) const override {
        const QString texto = visible();
        if (posicion < 0 || posicion >= texto.size())
            return QRect();
        const QFontMetrics metricas(caja()->font());
        const QMargins margenes = caja()->textMargins();
        const int x = margenes.left() + 2 + metricas.horizontalAdvance(texto.left(posicion));
        const int alto = metricas.height();
        const QRect rect(x, (caja()->height() - alto) / 2,
                         metricas.horizontalAdvance(texto.mid(posicion, 1)), alto);
        return QRect(caja()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int selectionCount() const override { return caja()->hasSelectedText() ? 1 : 0; }
    int offsetAtPoint(const QPoint &punto) const override {
        return caja()->cursorPositionAt(caja()->mapFromGlobal(punto));
    }
    void selection(int indice, int *inicio, int *fin) const override {
        *inicio = *fin = 0;
        if (indice != 0 || !caja()->hasSelectedText())
            return;
        *inicio = caja()->selectionStart();
        *fin = caja()->selectionEnd();
    }
    QString text(int inicio, int fin) const override {
        const QString texto = visible();
        inicio = qBound(0, inicio, int(texto.size()));
        fin = fin < 0 ? int(texto.size()) : qBound(inicio, fin, int(texto.size()));
        return texto.mid(inicio, fin - inicio);
    }
    int characterCount() const override { return int(visible().size()); }
    void removeSelection(int indice) override {
        if (indice == 0)
            caja()->deselect();
    }
    void setCursorPosition(int posicion) override { caja()->setCursorPosition(posicion); }
    void setSelection(int indice, int inicio, int fin) override {
        if (indice == 0)
            caja()->setSelection(inicio, fin - inicio);
    }
    void scrollToSubstring(int inicio, int fin) override {
        Q_UNUSED(inicio);
        caja()->setCursorPosition(fin);
    }

    // QAccessibleEditableTextInterface: an edit from the screen reader is a new text, which
    // the box's change notification carries to its window as any other.
    void deleteText(int inicio, int fin) override { replaceText(inicio, fin, QString()); }
    void insertText(int posicion, const QString &texto) override {
        replaceText(posicion, posicion, texto);
    }
    void replaceText(int inicio, int fin, const QString &texto) override {
        QString nuevo = caja()->text();
        inicio = qBound(0, inicio, int(nuevo.size()));
        fin = qBound(inicio, fin, int(nuevo.size()));
        nuevo.replace(inicio, fin - inicio, texto);
        caja()->setText(nuevo);
    }

private:
    QLineEdit *caja() const { return static_cast<QLineEdit *>(widget()); }
    QString visible() const {
        return caja()->echoMode() == QLineEdit::Normal ? caja()->text() : caja()->displayText();
    }
};

QAccessibleInterface *fabrica(const QString &clase, QObject *objeto) {
    if (clase != u"QLineEdit")
        return nullptr;
    auto *caja = qobject_cast<QLineEdit *>(objeto);
    return caja ? new CajaAccesible(caja) : nullptr;
}

} // namespace

bool PuenteIncompleto() {
#ifdef Q_OS_LINUX
    static const bool incompleto = QLibraryInfo::version() < QVersionNumber(6, 8);
    return incompleto;
#else
    return false;
#endif
}

bool AnunciaAparte() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) && !defined(Q_OS_LINUX)
    return true;
#else
    return false;
#endif
}

void Anunciar(QWidget *control, const QString &texto) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (!AnunciaAparte() || texto.isEmpty())
        return;
    // The handlers write one box after another, and a message may stand for an instant only,
    // as the drop warning does while the sections window loads its figures. What is told is
    // what still stands once the user's action has been handled, and once.
    static const char *const kPendientes = "quorvelAnunciosPendientes";
    QStringList pendientes = control->property(kPendientes).toStringList();
    if (pendientes.contains(texto))
        return;
    control->setProperty(kPendientes, pendientes << texto);
    QMetaObject::invokeMethod(
        control,
        [control, texto] {
            QStringList quedan = control->property(kPendientes).toStringList();
            quedan.removeOne(texto);
            control->setProperty(kPendientes, quedan);
            if (!control->accessibleDescription().contains(texto))
                return;
            QAccessibleAnnouncementEvent anuncio(control, texto);
            QAccessible::updateAccessibility(&anuncio);
        },
        Qt::QueuedConnection);
#else
    Q_UNUSED(control);
    Q_UNUSED(texto);
#endif
}

void Instalar() {
    static bool instalada = false;
    if (instalada || !PuenteIncompleto())
        return;
    instalada = true;
    QAccessible::installFactory(fabrica);
}

void DescripcionCambiada(QWidget *control) {
    if (!PuenteIncompleto())
        return;
    if (const Destino &destino = destinoDesviado()) {
        destino(control, control->accessibleDescription());
        return;
    }
    EnviarDescripcion(control, control->accessibleDescription());
}

void PrepararCajas(QWidget *superficie) {
    if (!PuenteIncompleto())
        return;
    // A box's first caret move is told even where the caret stays; done here, it is told
    // while the window is hidden, where a screen reader lets it pass.
    for (QLineEdit *caja : superficie->findChildren<QLineEdit *>())
        caja->setCursorPosition(caja->cursorPosition());
}

void DesviarDescripciones(Destino destino) {
    destinoDesviado() = std::move(destino);
}

} // namespace Accesibilidad
