#include "app/fQuorvel.h"

#include "app/Formularios.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "ui/Disposicion.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QtEndian>

#include <cstring>

namespace {

struct Boton {
    qint16 indice;
    const char16_t *caption;
    int left, top, width, height;
};

// In the order the window creates them; the tab order runs by index, from the top button.
constexpr Boton kBotones[] = {
    {2, u"Cerrar", 2100, 4440, 2352, 432},
    {1, u"Secciones y caídas de tensión", 1140, 3840, 4272, 552},
    {0, u"Corrientes y potencias", 1140, 3180, 4272, 552},
};

const QSize kCliente = Disposicion::TwipsTamano(6525, 4890);
const QString kBanner = QStringLiteral(":/resources/banner.bmp");

// The part of the banner that a window `ancho` pixels wide shows. The banner is an
// uncompressed bottom-up 24-bit bitmap, so its visible columns are copied straight out of the
// resource; decoding all 884 columns through the image reader costs more than everything
// else the start does. Any other bitmap goes through the reader.
QPixmap BannerVisible(int ancho) {
    const QResource recurso(kBanner);
    const QByteArray datos = recurso.uncompressedData();
    const auto *p = reinterpret_cast<const uchar *>(datos.constData());
    const auto u16 = [p](int pos) { return qFromLittleEndian<quint16>(p + pos); };
    const auto u32 = [p](int pos) { return qFromLittleEndian<quint32>(p + pos); };
    if (datos.size() >= 54 && datos.startsWith("BM") && u32(14) >= 40 && u16(28) == 24 &&
        u32(30) == 0 && qint32(u32(18)) > 0 && qint32(u32(22)) > 0) {
        const qint64 w = qint32(u32(18));
        const qint64 h = qint32(u32(22));
        const qint64 fila = (w * 3 + 3) & ~qint64(3);
        const qint64 inicio = u32(10);
        if (inicio + fila * h <= datos.size()) {
            const int visible = int(std::min<qint64>(w, ancho));
            QImage imagen(visible, int(h), QImage::Format_BGR888);
            for (int y = 0; y < h; ++y)
                std::memcpy(imagen.scanLine(y), p + inicio + (h - 1 - y) * fila,
                            std::size_t(visible) * 3);
            return QPixmap::fromImage(std::move(imagen));
        }
    }
    return QPixmap(kBanner);
}

} // namespace

fQuorvel::fQuorvel()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      banner(BannerVisible(kCliente.width())) {
    setObjectName(QStringLiteral("fQuorvel"));
    setWindowTitle(QStringLiteral("Quorvel eléctricos"));
    setFixedSize(kCliente);
    Disposicion::PonerFondo(this, Qt::white);

    QPushButton *porIndice[3] = {};
    for (const Boton &b : kBotones) {
        auto *boton = new QPushButton(QString::fromUtf16(b.caption), this);
        boton->setObjectName(QStringLiteral("Command1"));
        boton->setProperty("Index", b.indice);
        boton->setGeometry(Disposicion::Twips(b.left, b.top, b.width, b.height));
        boton->setFont(Disposicion::FuenteSansSerif(12, true, true));
        boton->setAutoDefault(false);
        const qint16 indice = b.indice;
        connect(boton, &QPushButton::clicked, this, [this, indice] { Command1_Click(indice); });
        porIndice[b.indice] = boton;
    }
    Disposicion::OrdenDeTabulacion({porIndice[0], porIndice[1], porIndice[2]});
    porIndice[0]->setFocus();

    // The screen's centre, as the window has no owner.
    if (const QScreen *pantalla = screen()) {
        QRect marco = frameGeometry();
        marco.moveCenter(pantalla->availableGeometry().center());
        move(marco.topLeft());
    }
    Form_Load();
}

fQuorvel::~fQuorvel() {
    delete Formularios::fCorrientes;
    delete Formularios::fIntensidad;
    Formularios::fCorrientes = nullptr;
    Formularios::fIntensidad = nullptr;
}

void fQuorvel::Form_Load() {
    Module1::DetectarSeparador();
}

void fQuorvel::Command1_Click(qint16 Index) {
    switch (Index) {
    case 0:
        MostrarFormulario(Formularios::fCorrientes, this);
        break;
    case 1:
        MostrarFormulario(Formularios::fIntensidad, this);
        break;
    case 2:
        QCoreApplication::exit(0);
        break;
    default:
        break;
    }
}

void fQuorvel::paintEvent(QPaintEvent *) {
    // The banner at its natural size from the top-left corner, cut by the client area.
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::SmoothPixmapTransform); // on screens scaled above 1
    pintor.drawPixmap(0, 0, banner);
}
