#include "ui/Pitido.h"

#include <QApplication>

void Pitido() {
    QApplication::beep();
}
