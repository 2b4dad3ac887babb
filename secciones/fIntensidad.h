// The sections and voltage-drop calculator: a valid edit of the length, power, voltage,
// drop or cross-section rewrites the dependent box at once; the maximum-drop caption shows
// 3 per cent of the voltage and turns red while the drop shown exceeds it.
#pragma once

#include "ui/Controles.h"
#include "ui/VentanaCalculadora.h"

class QLabel;
class QLineEdit;
class QPushButton;

class fIntensidad : public VentanaCalculadora {
    Q_OBJECT
public:
    fIntensidad();

    double L = 0;
    double U = 0;
    double P = 0;
    double e = 0;
    double s = 0;
    double AUX = 0;
    double MAT = 0;

    void Form_Load() override;
    void Tension_Change();
    void longitud_Change();
    void Potencia_Change();
    void caida_Change();
    void Seccion_Change();
    void caidamax_Change();
    void Clase_Click();
    void Combo1_Click();
    void Command1_Click();
    void Tension_KeyPress(qint16 &KeyAscii);
    void Potencia_KeyPress(qint16 &KeyAscii);
    void longitud_KeyPress(qint16 &KeyAscii);
    void Seccion_KeyPress(qint16 &KeyAscii);
    void caida_KeyPress(qint16 &KeyAscii);

protected:
    void CrearControles(QWidget *superficie) override;

private:
    // What a box's accepted value recomputes.
    enum class Pasos { Seccion, SeccionDesdeCaida, Caida, Tension };
    void CambioDeCaja(CajaNumero *caja, double &valor, Pasos pasos);

    qint16 cambia = 0; // -1 while a change handler may recompute, 0 while one is at work

    Lista *Clase = nullptr;
    Lista *Combo1 = nullptr;
    CajaNumero *Tension = nullptr;
    CajaNumero *Potencia = nullptr;
    CajaNumero *longitud = nullptr;
    CajaNumero *Seccion = nullptr;
    CajaNumero *caida = nullptr;
    Etiqueta *caidamax = nullptr;
    QLabel *label2 = nullptr;
    CajaRechazada rechazada; // the box whose refusal label2 holds
    QPushButton *Command1 = nullptr;
};
