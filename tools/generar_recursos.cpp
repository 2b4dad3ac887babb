// Draws the program's three pictures and writes them in the formats the windows load:
// the banner as a 24-bit bottom-up BMP, with its visible part for each screen scale, the icon as a
// one-image 16-colour ICO, the logo as a JFIF JPEG. Run it from the build tree: generar_recursos
// <resources folder>.
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtMath>

#include <cstdio>
#include <utility>

namespace {

void escribir16(QDataStream &d, quint16 v) {
    d << v;
}
void escribir32(QDataStream &d, quint32 v) {
    d << v;
}

// A bolt inside a ring: the program's emblem, drawn in a square of side `lado` at `origen`.
void emblema(QPainter &p, QPointF origen, qreal lado, const QColor &color) {
    p.save();
    p.translate(origen);
    p.scale(lado / 32.0, lado / 32.0);
    p.setPen(QPen(color, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QPainterPath rayo;
    rayo.moveTo(18, 4);
    rayo.lineTo(9, 18);
    rayo.lineTo(15, 18);
    rayo.lineTo(12, 28);
    rayo.lineTo(23, 13);
    rayo.lineTo(17, 13);
    rayo.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(rayo);
    p.restore();
}

// The banner at `escala` times its natural 884 × 206 pixels: the same drawing, finer.
QImage dibujarBanner(qreal escala) {
    QImage imagen(qCeil(884 * escala), qCeil(206 * escala), QImage::Format_RGB888);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(escala, escala);
    QLinearGradient fondo(0, 0, 884, 206);
    fondo.setColorAt(0, QColor(70, 6, 10));
    fondo.setColorAt(0.5, QColor(130, 18, 22));
    fondo.setColorAt(1, QColor(60, 4, 8));
    p.fillRect(QRect(0, 0, 884, 206), fondo);
    // Streaks and grain, for the look of a photograph of lit cables.
    QRandomGenerator azar(1983);
    for (int i = 0; i < 160; ++i) {
        const int y = azar.bounded(206);
        p.setPen(QPen(QColor(200, 40, 40, azar.bounded(20, 70)), azar.bounded(1, 4)));
        p.drawLine(0, y, 884, y + azar.bounded(-60, 60));
    }
    p.end();
    for (int y = 0; y < imagen.height(); ++y) {
        uchar *fila = imagen.scanLine(y);
        for (int x = 0; x < imagen.width() * 3; ++x)
            fila[x] = uchar(qBound(0, fila[x] + azar.bounded(-12, 12), 255));
    }
    p.begin(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(escala, escala);
    emblema(p, QPointF(24, 40), 64, Qt::white);
    p.setPen(Qt::white);
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(44);
    letra.setBold(true);
    p.setFont(letra);
    p.drawText(QPointF(100, 90), QStringLiteral("Quorvel"));
    letra.setPixelSize(30);
    letra.setBold(false);
    letra.setItalic(true);
    p.setFont(letra);
    p.drawText(QPointF(100, 130), QStringLiteral("eléctricos"));
    letra.setPixelSize(15);
    letra.setItalic(false);
    p.setFont(letra);
    p.drawText(QPointF(28, 180), QStringLiteral("Cálculo de líneas de baja tensión"));
    p.end();
    return imagen;
}

// An uncompressed 24-bit BMP: BITMAPFILEHEADER, BITMAPINFOHEADER, then the rows, BGR, each
// padded to four bytes; from the bottom up as is usual, or from the top down (a negative
// height), which is byte for byte how a BGR888 QImage holds them.
bool escribirBmp(const QString &ruta, const QImage &imagen, bool descendente) {
    const int ancho = imagen.width();
    const int alto = imagen.height();
    const int fila = (ancho * 3 + 3) & ~3;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return false;
    QDataStream d(&archivo);
    d.setByteOrder(QDataStream::LittleEndian);
    d.writeRawData("BM", 2);
    escribir32(d, quint32(54 + fila * alto));
    escribir32(d, 0);
    escribir32(d, 54);
    escribir32(d, 40);
    escribir32(d, quint32(ancho));
    escribir32(d, quint32(descendente ? -alto : alto));
    escribir16(d, 1);
    escribir16(d, 24);
    escribir32(d, 0); // BI_RGB: uncompressed
    escribir32(d, quint32(fila * alto));
    escribir32(d, 3780);
    escribir32(d, 3780);
    escribir32(d, 0);
    escribir32(d, 0);
    QByteArray datos(fila, '\0');
    for (int i = 0; i < alto; ++i) {
        const uchar *origen = imagen.constScanLine(descendente ? i : alto - 1 - i);
        for (int x = 0; x < ancho; ++x) {
            datos[3 * x] = char(origen[3 * x + 2]);
            datos[3 * x + 1] = char(origen[3 * x + 1]);
            datos[3 * x + 2] = char(origen[3 * x]);
        }
        d.writeRawData(datos.constData(), fila);
    }
    return true;
}

// The banner whole, as the picture it is, and the part of it that the main window shows
// (its left 435 pixels, the window's width) for each screen scale the window is drawn at:
// top-down, so that the window takes the rows as they are, without decoding them.
bool banner(const QString &carpeta) {
    if (!escribirBmp(carpeta + QStringLiteral("/banner.bmp"), dibujarBanner(1), false))
        return false;
    for (const auto &[escala, sufijo] : {std::pair{1.0, ""}, {1.5, "@1.5x"}, {2.0, "@2x"}}) {
        const QImage visible =
            dibujarBanner(escala).copy(0, 0, qCeil(435 * escala), qCeil(206 * escala));
        if (!escribirBmp(carpeta +
                             QStringLiteral("/banner-visible%1.bmp").arg(QLatin1String(sufijo)),
                         visible, true))
            return false;
    }
    return true;
}

bool icono(const QString &ruta) {
    // The sixteen standard colours; the picture is drawn with them alone.
    static const QRgb paleta[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    QImage imagen(32, 32, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    emblema(p, QPointF(0, 0), 32, QColor(0xFF, 0, 0));
    p.end();
    auto indice = [&](QRgb c) {
        int mejor = 0;
        int distancia = INT_MAX;
        for (int i = 0; i < 16; ++i) {
            const int dr = qRed(c) - qRed(paleta[i]);
            const int dg = qGreen(c) - qGreen(paleta[i]);
            const int db = qBlue(c) - qBlue(paleta[i]);
            const int dd = dr * dr + dg * dg + db * db;
            if (dd < distancia) {
                distancia = dd;
                mejor = i;
            }
        }
        return mejor;
    };

    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly))
        return false;
    QDataStream d(&archivo);
    d.setByteOrder(QDataStream::LittleEndian);
    const quint32 tamano = 40 + 16 * 4 + 32 * 16 + 32 * 4;
    escribir16(d, 0);
    escribir16(d, 1); // an icon
    escribir16(d, 1); // one image
    d << quint8(32) << quint8(32) << quint8(16) << quint8(0);
    escribir16(d, 1);
    escribir16(d, 4);
    escribir32(d, tamano);
    escribir32(d, 6 + 16);
    escribir32(d, 40);
    escribir32(d, 32);
    escribir32(d, 64); // the colour rows and the mask rows
    escribir16(d, 1);
    escribir16(d, 4);
    escribir32(d, 0);
    escribir32(d, 32 * 16 + 32 * 4);
    escribir32(d, 0);
    escribir32(d, 0);
    escribir32(d, 16);
    escribir32(d, 0);
    for (QRgb c : paleta)
        d << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c)) << quint8(0);
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 2)
            d << quint8((indice(imagen.pixel(x, y)) << 4) | indice(imagen.pixel(x + 1, y)));
    for (int i = 0; i < 32 * 4; ++i)
        d << quint8(0); // every pixel opaque
    return true;
}

bool logo(const QString &ruta) {
    QImage imagen(854, 333, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    emblema(p, QPointF(30, 56), 220, QColor(200, 16, 24));
    p.setPen(Qt::black);
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPixelSize(110);
    letra.setBold(true);
    p.setFont(letra);
    p.drawText(QPointF(280, 170), QStringLiteral("Quorvel"));
    letra.setPixelSize(64);
    letra.setBold(false);
    letra.setItalic(true);
    p.setFont(letra);
    p.drawText(QPointF(286, 260), QStringLiteral("eléctricos"));
    p.end();
    QImageWriter escritor(ruta, "jpeg");
    escritor.setQuality(88);
    return escritor.write(imagen);
}

// The emblem in the sizes a desktop's icon theme asks for, smooth-edged, as PNG.
bool iconosDeEscritorio(const QString &carpeta) {
    for (int lado : {32, 48, 64, 128, 256}) {
        QImage imagen(lado, lado, QImage::Format_ARGB32);
        imagen.fill(Qt::white);
        QPainter p(&imagen);
        p.setRenderHint(QPainter::Antialiasing);
        emblema(p, QPointF(0, 0), lado, QColor(0xFF, 0, 0));
        p.end();
        if (!imagen.save(carpeta + QStringLiteral("/iconos/%1.png").arg(lado)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: generar_recursos <carpeta de recursos>\n");
        return 2;
    }
    const QString carpeta = QString::fromLocal8Bit(argv[1]);
    const bool bien = banner(carpeta) && icono(carpeta + QStringLiteral("/icono.ico")) &&
                      logo(carpeta + QStringLiteral("/logo.jpg")) && iconosDeEscritorio(carpeta);
    return bien ? 0 : 1;
}
