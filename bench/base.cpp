// The start-up baseline: the least a Qt Widgets program of the main window's size does, one
// fixed-size window holding one label in the default font, shown, then the event loop.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget ventana;
    ventana.setFixedSize(435, 326);
    auto *rotulo =
        new QLabel(QStringLiteral("Una línea de texto en la fuente por defecto"), &ventana);
    rotulo->move(12, 12);
    ventana.show();
    return app.exec();
}
