// Only in the start-up benchmark's builds (the program's and the baseline's): with the
// environment variable QUORVEL_BENCH_EXIT set, the window it watches ends the program as soon
// as it has been painted once, so that a driver can time the start-up from outside.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class SalidaTrasPintar : public QObject {
public:
    explicit SalidaTrasPintar(QWidget *ventana) {
        if (qEnvironmentVariableIsSet("QUORVEL_BENCH_EXIT"))
            ventana->installEventFilter(this);
    }

    bool eventFilter(QObject *objeto, QEvent *evento) override {
        if (evento->type() == QEvent::Paint && !pintada) {
            pintada = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool pintada = false;
};
