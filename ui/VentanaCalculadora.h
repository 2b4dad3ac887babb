// The life of a calculator window: created once and kept for the run; displayed modally,
// attached to the window it is centred on, the display returning once the window is hidden;
// loaded (controls built with their initial texts, then Form_Load) at its first display;
// hidden by its own "Cerrar" and shown as left at the next display; unloaded by the windowing
// system's close box, so that the next display loads it afresh. Enter and Escape press no button
// unless a window names a cancel button.
#pragma once

#include <QDialog>

class QPushButton;

class VentanaCalculadora : public QDialog {
    Q_OBJECT
public:
    // Displays the window modally, centred on `centro` and attached to its window, loading it
    // first when it is not loaded; returns once the window has been hidden (in the browser at
    // once, the window staying modal until it is hidden).
    void Mostrar(const QWidget *centro);

    bool cargada() const { return superficieActual != nullptr; }

protected:
    VentanaCalculadora(const QString &titulo, QSize cliente);

    // Builds every control, with its initial text, on `superficie`.
    virtual void CrearControles(QWidget *superficie) = 0;
    virtual void Form_Load() = 0;

    // Escape presses `boton` while the window is active.
    static void HacerBotonCancelar(QPushButton *boton);

    void closeEvent(QCloseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    void Centrar(const QWidget *centro);

    QWidget *superficieActual = nullptr;
};

// Shows the window that `referencia` holds, creating it at the first call.
template <class Ventana> void MostrarFormulario(Ventana *&referencia, const QWidget *centro) {
    if (!referencia)
        referencia = new Ventana;
    referencia->Mostrar(centro);
}
