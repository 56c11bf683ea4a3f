// svg_a_png ENTRADA.svg LADO SALIDA.png: renders an icon into a square PNG of LADO pixels for
// the icon theme's fixed-size folders. Run at build time, on the same SVG renderer the program
// draws its pictures with.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("Uso: svg_a_png ENTRADA.svg LADO SALIDA.png\n", stderr);
        return 1;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    bool bLado = false;
    const int nLado = QString::fromLocal8Bit(argv[2]).toInt(&bLado);
    if (!svg.isValid() || !bLado || nLado <= 0 || nLado > 1024) {
        std::fprintf(stderr, "svg_a_png: no se puede dibujar %s a %s píxeles\n", argv[1], argv[2]);
        return 1;
    }
    QImage img(nLado, nLado, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(0, 0, nLado, nLado));
    }
    if (!img.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "svg_a_png: no se puede escribir %s\n", argv[3]);
        return 1;
    }
    return 0;
}
