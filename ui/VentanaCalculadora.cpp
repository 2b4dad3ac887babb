#include "ui/VentanaCalculadora.h"

#include "ui/Accesibilidad.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>

VentanaCalculadora::VentanaCalculadora(const QString &titulo, QSize cliente)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    Accesibilidad::Instalar(); // before any control, whose interface is made at its first use
    setWindowTitle(titulo);
    setFixedSize(cliente);
    setModal(true);
}

void VentanaCalculadora::Mostrar(const QWidget *centro) {
    if (!cargada()) {
        superficieActual = new QWidget(this);
        superficieActual->setGeometry(rect());
        CrearControles(superficieActual);
        Accesibilidad::PrepararCajas(superficieActual);
        superficieActual->show();
        Form_Load();
    }
    if (centro) {
        // The windowing system's own tie to the launcher: Windows makes it the owner (kept
        // above it, no taskbar button of its own), X11 its WM_TRANSIENT_FOR, Wayland the
        // toplevel's parent, which the desktop also centres it on. A widget parent would do
        // the same but would hand the window's lifetime and palette to the launcher.
        if (QWindow *propia = centro->window()->windowHandle()) {
            create();
            windowHandle()->setTransientParent(propia);
        }
        Centrar(centro);
    }
#ifdef Q_OS_WASM
    // A page has one event loop, the browser's: waiting inside the display would need the
    // whole program built to suspend itself (a third more to download). The window is shown
    // modal and the call returns at once; the caller has nothing left to do after the display.
    // Of its fixed size, where the page would show a window full screen; centred again, as the
    // page knows the window's title bar only once it is shown (before the browser paints it).
    // Shown again after its own "Cerrar", it would stay under the launcher, which the page
    // raised when it got the focus back.
    showNormal();
    if (centro)
        Centrar(centro);
    raise();
    activateWindow();
#else
    exec();
#endif
}

namespace {

// The margins of a window's frame as its platform window last reported them: a widget's own
// frameGeometry() may keep margins from before the frame was drawn (a page's title bar).
QMargins Margenes(const QWidget *ventana) {
    if (const QWindow *propia = ventana->windowHandle())
        return propia->frameMargins();
    const QRect marco = ventana->frameGeometry(), cliente = ventana->geometry();
    return {cliente.left() - marco.left(), cliente.top() - marco.top(),
            marco.right() - cliente.right(), marco.bottom() - cliente.bottom()};
}

} // namespace

void VentanaCalculadora::Centrar(const QWidget *centro) {
    const QWidget *lanzador = centro->window();
    const QMargins propios = Margenes(this);
    QRect marco = geometry().marginsAdded(propios);
    marco.moveCenter(lanzador->geometry().marginsAdded(Margenes(lanzador)).center());
    setGeometry(marco.marginsRemoved(propios)); // the client area: whatever the frame
}

void VentanaCalculadora::HacerBotonCancelar(QPushButton *boton) {
    // Parented to the button, so that it goes with the controls when the window unloads.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), boton);
    QObject::connect(escape, &QShortcut::activated, boton, &QPushButton::click);
}

void VentanaCalculadora::closeEvent(QCloseEvent *evento) {
    // The close box unloads: the controls go, the window object and its values stay.
    evento->accept();
    hide();
    delete superficieActual;
    superficieActual = nullptr;
}

void VentanaCalculadora::keyPressEvent(QKeyEvent *evento) {
    // A dialog would press its default button on Enter and close on Escape; these windows
    // do neither.
    QWidget::keyPressEvent(evento);
}
