// The currents and powers calculator: every change of the voltage, the power or the power
// factor recomputes the current, every change of the current recomputes the power.
#pragma once

#include "input/Comprobacion.h"
#include "ui/Controles.h"
#include "ui/VentanaCalculadora.h"

class QLabel;
class QLineEdit;
class QPushButton;

class fCorrientes : public VentanaCalculadora {
    Q_OBJECT
public:
    fCorrientes();

    double I = 0;
    double cosfi = 0;
    double U = 0;
    double P = 0;
    double raiz3 = 0;
    qint16 cambia = 0; // -1 while a change handler may recompute, 0 while one is at work

    void Form_Load() override;
    void Clase_Click();
    void Tension_Change();
    void Potencia_Change();
    void Coseno_Change();
    void Intensidad_Change();
    void Tension_KeyPress(qint16 &KeyAscii);
    void Intensidad_KeyPress(qint16 &KeyAscii);
    void Potencia_KeyPress(qint16 &KeyAscii);
    void Coseno_KeyPress(qint16 &KeyAscii);
    void Command1_Click();

protected:
    void CrearControles(QWidget *superficie) override;

private:
    using Comprobador = Comprobacion (*)(QStringView, const QLocale &);
    enum class Dependiente { Intensidad, Potencia };

    // The steps every number box's change handler shares.
    void CambioDeCaja(CajaNumero *caja, Comprobador comprobar, double &valor,
                      Dependiente dependiente);
    // Writes the current for the stored values, without recomputing in turn.
    void EscribirIntensidad();

    Lista *Clase = nullptr;
    CajaNumero *Tension = nullptr;
    CajaNumero *Intensidad = nullptr;
    CajaNumero *Potencia = nullptr;
    CajaNumero *Coseno = nullptr;
    QLabel *LabelCoseno = nullptr;
    QLineEdit *label2 = nullptr;
    CajaRechazada rechazada; // the box whose refusal label2 shows
    QPushButton *Command1 = nullptr;
};
