#include "app/fQuorvel.h"

#include "app/Formularios.h"
#include "app/Plataforma.h"
#include "corrientes/fCorrientes.h"
#include "input/Module1.h"
#include "secciones/fIntensidad.h"
#include "ui/Disposicion.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QtEndian>

#include <cmath>
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
// The banner's visible part as drawn for each screen scale (tools/generar_recursos): top-down
// 24-bit bitmaps whose rows are those of a BGR888 image, so they are taken whole; decoding them
// through the image reader would cost more than everything else the start does.
struct Banner {
    qreal escala;
    const char16_t *ruta;
};
constexpr Banner kBanners[] = {
    {1.0, u":/resources/banner-visible.bmp"},
    {1.5, u":/resources/banner-visible@1.5x.bmp"},
    {2.0, u":/resources/banner-visible@2x.bmp"},
};

// The picture drawn for the scale nearest `escala` (the finer one on a tie), marked with its
// own scale so that it is painted at the banner's natural size whatever the screen's.
QPixmap BannerPara(qreal escala) {
    const Banner *elegido = &kBanners[0];
    for (const Banner &b : kBanners)
        if (std::abs(b.escala - escala) <= std::abs(elegido->escala - escala))
            elegido = &b;
    const QString ruta = QString::fromUtf16(elegido->ruta);
    const QResource recurso(ruta);
    const QByteArray datos = recurso.uncompressedData();
    const auto *p = reinterpret_cast<const uchar *>(datos.constData());
    const auto u16 = [p](int pos) { return qFromLittleEndian<quint16>(p + pos); };
    const auto u32 = [p](int pos) { return qFromLittleEndian<quint32>(p + pos); };
    QImage imagen;
    if (datos.size() >= 54 && datos.startsWith("BM") && u32(14) >= 40 && u16(28) == 24 &&
        u32(30) == 0 && qint32(u32(18)) > 0 && qint32(u32(18)) <= 4096 && qint32(u32(22)) < 0 &&
        qint32(u32(22)) >= -4096) {
        imagen = QImage(qint32(u32(18)), -qint32(u32(22)), QImage::Format_BGR888);
        if (!imagen.isNull() && u32(10) + qint64(imagen.sizeInBytes()) <= datos.size())
            std::memcpy(imagen.bits(), p + u32(10), std::size_t(imagen.sizeInBytes()));
        else
            imagen = QImage();
    }
    if (imagen.isNull())
        imagen.load(ruta);
    imagen.setDevicePixelRatio(elegido->escala);
    return QPixmap::fromImage(std::move(imagen));
}

} // namespace

fQuorvel::fQuorvel()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
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
        Plataforma::Terminar();
        break;
    default:
        break;
    }
}

void fQuorvel::paintEvent(QPaintEvent *) {
    // The banner at its natural size from the top-left corner, cut by the client area, from
    // the picture drawn for the screen's scale (again when the window moves to another).
    if (devicePixelRatioF() != escalaDelBanner) {
        escalaDelBanner = devicePixelRatioF();
        banner = BannerPara(escalaDelBanner);
    }
    QPainter pintor(this);
    pintor.setRenderHint(QPainter::SmoothPixmapTransform); // scales it was not drawn for
    pintor.drawPixmap(0, 0, banner);
}
