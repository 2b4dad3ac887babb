// The main window: a launcher with the banner and three buttons, one per calculator and
// "Cerrar", which ends the program.
#pragma once

#include <QPixmap>
#include <QWidget>

class QPushButton;

class fQuorvel : public QWidget {
    Q_OBJECT
public:
    fQuorvel();
    ~fQuorvel() override;

    // The button group's one click handler: 0 currents, 1 sections, 2 end the program.
    void Command1_Click(qint16 Index);

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    void Form_Load();

    QPixmap banner;
    qreal escalaDelBanner = 0; // the screen scale `banner` was chosen for
};
