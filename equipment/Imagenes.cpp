#include "Imagenes.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace Imagenes {

namespace {

enum class Forma { Recipiente, Simple, Llama, Gas, Textura };

struct Recurso {
    int nId;
    const char* pszArchivo;
    Forma forma;
};

const Recurso kRecursos[] = {
    {IDB_VASO100, "vaso100", Forma::Recipiente},
    {IDB_VASO250, "vaso250", Forma::Recipiente},
    {IDB_VASO600, "vaso600", Forma::Recipiente},
    {IDB_ERLENMEYER100, "erlenmeyer100", Forma::Recipiente},
    {IDB_ERLENMEYER250, "erlenmeyer250", Forma::Recipiente},
    {IDB_MATRAZ_BALON, "matrazbalon", Forma::Recipiente},
    {IDB_PROBETA10, "probeta10", Forma::Recipiente},
    {IDB_PROBETA100, "probeta100", Forma::Recipiente},
    {IDB_TUBO_ENSAYE, "tuboensaye", Forma::Recipiente},
    {IDB_VIDRIO_RELOJ, "vidrioreloj", Forma::Recipiente},
    {IDB_CRISOL, "crisol", Forma::Recipiente},
    {IDB_CALORIMETRO, "calorimetro", Forma::Recipiente},
    {IDB_MATRAZ_GASES, "matrazgases", Forma::Recipiente},
    {IDB_BURETA10, "bureta10", Forma::Recipiente},
    {IDB_BURETA50, "bureta50", Forma::Recipiente},
    {IDB_PIPETA_GRADUADA, "pipetagraduada", Forma::Recipiente},
    {IDB_PIPETA_VOLUMETRICA, "pipetavolumetrica", Forma::Recipiente},
    {IDB_CABEZA, "cabezadestilacion", Forma::Recipiente},
    {IDB_CONDENSADOR, "condensador", Forma::Recipiente},
    {IDB_CODO, "cododestilacion", Forma::Recipiente},
    {IDB_FILTRO, "filtrobuchner", Forma::Recipiente},
    {IDB_TUBO_DERECHA, "tubovidrio_derecha", Forma::Recipiente},
    {IDB_TUBO_IZQUIERDA, "tubovidrio_izquierda", Forma::Recipiente},
    {IDB_REFLUJO, "condensadorreflujo", Forma::Recipiente},
    {IDB_TAPA, "tapacalorimetro", Forma::Simple},
    {IDB_MECHERO, "mechero", Forma::Simple},
    {IDB_PARRILLA, "parrilla", Forma::Simple},
    {IDB_AGITADOR, "agitador", Forma::Simple},
    {IDB_TERMOMETRO, "termometro", Forma::Simple},
    {IDB_PHMETRO, "phmetro", Forma::Simple},
    {IDB_BALANZA, "balanza", Forma::Simple},
    {IDB_CONDUCTIMETRO, "conductimetro", Forma::Simple},
    {IDB_BANO_HIELO, "banohielo", Forma::Simple},
    {IDB_LLAMA, "llama", Forma::Llama},
    {IDB_PARTICULA_GAS, "gas", Forma::Gas},
    {IDB_TEXTURA + 0, "textura500", Forma::Textura},
    {IDB_TEXTURA + 1, "textura501", Forma::Textura},
    {IDB_TEXTURA + 2, "textura502", Forma::Textura},
    {IDB_TEXTURA + 3, "textura503", Forma::Textura},
    {IDB_TEXTURA + 4, "textura504", Forma::Textura},
    {IDB_TEXTURA + 5, "textura505", Forma::Textura},
    {IDB_TEXTURA + 6, "textura506", Forma::Textura},
};

const Recurso* Buscar(int nId) {
    for (const Recurso& r : kRecursos)
        if (r.nId == nId)
            return &r;
    return nullptr;
}

QString Ruta(const char* pszArchivo) {
    return QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(pszArchivo));
}

QByteArray Leer(const QString& strRuta) {
    QFile f(strRuta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QSize Tamano(const QByteArray& svg) {
    QSvgRenderer r(svg);
    return r.isValid() ? r.defaultSize() : QSize();
}

// Picture over white.
QRgb SobreBlanco(QRgb p) {
    const int a = 255 - qAlpha(p);
    return qRgb(qRed(p) + a, qGreen(p) + a, qBlue(p) + a);
}
// Row 0: the picture as it looks on the white bench, black where nothing is drawn (so that
// OR leaves the bench alone there). Translucent glass is thus blended with white once,
// here, instead of bit by bit with whatever lies under it.
QRgb Figura(QRgb p) {
    return qAlpha(p) ? SobreBlanco(p) : qRgb(0, 0, 0);
}
// Row 1: black wherever the item draws anything, white elsewhere.
QRgb Mascara(QRgb p) {
    return qAlpha(p) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

// Copies a rendered layer into the strip at (x, y) through the given conversion.
template <class F> void Copiar(QImage& tira, const QImage& capa, int x, int y, F f) {
    for (int j = 0; j < capa.height(); ++j) {
        const auto* src = reinterpret_cast<const QRgb*>(capa.constScanLine(j));
        auto* dst = reinterpret_cast<QRgb*>(tira.scanLine(y + j)) + x;
        for (int i = 0; i < capa.width(); ++i)
            dst[i] = f(src[i]);
    }
}

QImage Cargar(const Recurso& r) {
    if (r.forma == Forma::Llama) {
        QImage marcos[4];
        for (int k = 0; k < 4; ++k) {
            const QByteArray svg = Leer(QStringLiteral(":/pictures/llama%1.svg").arg(k + 1));
            const QSize s = Tamano(svg);
            if (s.isEmpty())
                return {};
            marcos[k] = RenderizarCapa(svg, {}, s.width(), s.height());
        }
        const int cx = marcos[0].width(), cy = marcos[0].height();
        QImage tira(4 * cx, 2 * cy, QImage::Format_RGB32);
        tira.fill(Qt::white);
        for (int k = 0; k < 4; ++k) {
            const QImage m = marcos[k].scaled(cx, cy);
            Copiar(tira, m, k * cx, 0, Figura);
            Copiar(tira, m, k * cx, cy, Mascara);
        }
        return tira;
    }
    const QByteArray svg = Leer(Ruta(r.pszArchivo));
    const QSize s = Tamano(svg);
    if (s.isEmpty())
        return {};
    const int cx = s.width(), cy = s.height();
    switch (r.forma) {
    case Forma::Recipiente: {
        QImage tira(3 * cx, 2 * cy, QImage::Format_RGB32);
        tira.fill(Qt::white);
        const QImage figura = RenderizarCapa(svg, QStringLiteral("picture"), cx, cy);
        Copiar(tira, figura, 0, 0, Figura);
        Copiar(tira, figura, 0, cy, Mascara);
        Copiar(tira, RenderizarCapa(svg, QStringLiteral("interior"), cx, cy), cx, 0,
               [](QRgb p) { return qAlpha(p) > 127 ? qRgb(0, 0, 0) : qRgb(255, 255, 255); });
        Copiar(tira, RenderizarCapa(svg, QStringLiteral("overlay"), cx, cy), 2 * cx, 0,
               SobreBlanco);
        return tira;
    }
    case Forma::Simple: {
        QImage tira(cx, 2 * cy, QImage::Format_RGB32);
        const QImage figura = RenderizarCapa(svg, QStringLiteral("picture"), cx, cy);
        Copiar(tira, figura, 0, 0, Figura);
        Copiar(tira, figura, 0, cy, Mascara);
        return tira;
    }
    case Forma::Gas: {
        // Six frames in a row; the strip holds the pictures and, below, the masks.
        QImage tira(cx, 2 * cy, QImage::Format_RGB32);
        const QImage figura = RenderizarCapa(svg, {}, cx, cy);
        Copiar(tira, figura, 0, 0, Figura);
        Copiar(tira, figura, 0, cy, Mascara);
        return tira;
    }
    case Forma::Textura: {
        QImage tira(cx, cy, QImage::Format_RGB32);
        Copiar(tira, RenderizarCapa(svg, {}, cx, cy), 0, 0, [](QRgb p) {
            const QRgb c = SobreBlanco(p);
            return qGray(c) < 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        });
        return tira;
    }
    case Forma::Llama:
        break;
    }
    return {};
}

} // namespace

QImage RenderizarCapa(const QByteArray& svg, const QString& strCapa, int cx, int cy) {
    QByteArray texto = svg;
    if (!strCapa.isEmpty()) {
        for (const char* pszOtra : {"picture", "interior", "overlay"}) {
            if (strCapa == QLatin1String(pszOtra))
                continue;
            const QByteArray id = QByteArray("id=\"") + pszOtra + "\"";
            texto.replace(id, id + " display=\"none\"");
        }
    }
    QImage img(cx, cy, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QSvgRenderer r(texto);
    if (r.isValid()) {
        QPainter p(&img);
        r.render(&p, QRectF(0, 0, cx, cy));
    }
    return img;
}

const QImage& Tira(int nRecurso) {
    static QHash<int, QImage> cache;
    auto it = cache.find(nRecurso);
    if (it == cache.end()) {
        const Recurso* r = Buscar(nRecurso);
        it = cache.insert(nRecurso, r ? Cargar(*r) : QImage());
    }
    return it.value();
}

QString Archivo(int nRecurso) {
    const Recurso* r = Buscar(nRecurso);
    return r ? Ruta(r->pszArchivo) : QString();
}

} // namespace Imagenes
