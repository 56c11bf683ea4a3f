#include "equipment/Imagenes.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

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
    {IDB_JERINGA_GASES, "jeringagases", Forma::Recipiente},
    {IDB_EUDIOMETRO, "eudiometro", Forma::Recipiente},
    {IDB_TAPA, "tapacalorimetro", Forma::Simple},
    {IDB_MECHERO, "mechero", Forma::Simple},
    {IDB_PARRILLA, "parrilla", Forma::Simple},
    {IDB_AGITADOR, "agitador", Forma::Simple},
    {IDB_TERMOMETRO, "termometro", Forma::Simple},
    {IDB_PHMETRO, "phmetro", Forma::Simple},
    {IDB_BALANZA, "balanza", Forma::Simple},
    {IDB_CONDUCTIMETRO, "conductimetro", Forma::Simple},
    {IDB_BANO_HIELO, "banohielo", Forma::Simple},
    {IDB_TERMOMETRO_DIGITAL, "termometrodigital", Forma::Simple},
    {IDB_CRONOMETRO, "cronometro", Forma::Simple},
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

// The cell of a resource's layout, read from its picture (the first flame frame for the
// flame, one of six frames for the gas).
QSize CeldaDe(const Recurso& r) {
    if (r.forma == Forma::Llama)
        return Tamano(Leer(QStringLiteral(":/pictures/llama1.svg")));
    const QSize s = Tamano(Leer(Ruta(r.pszArchivo)));
    if (r.forma == Forma::Gas)
        return QSize(s.width() / 6, s.height());
    return s;
}

QImage Cargar(const Recurso& r, double dEscala) {
    const QSize celda = CeldaDe(r);
    if (celda.isEmpty())
        return {};
    const QSize c = CeldaEscalada(celda, dEscala);
    const int cx = c.width(), cy = c.height();
    if (r.forma == Forma::Llama) {
        QImage tira(4 * cx, 2 * cy, QImage::Format_RGB32);
        tira.fill(Qt::white);
        for (int k = 0; k < 4; ++k) {
            const QByteArray svg = Leer(QStringLiteral(":/pictures/llama%1.svg").arg(k + 1));
            if (Tamano(svg).isEmpty())
                return {};
            const QImage m = RenderizarCapa(svg, {}, cx, cy);
            Copiar(tira, m, k * cx, 0, Figura);
            Copiar(tira, m, k * cx, cy, Mascara);
        }
        return tira;
    }
    const QByteArray svg = Leer(Ruta(r.pszArchivo));
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
        QImage tira(6 * cx, 2 * cy, QImage::Format_RGB32);
        const QImage figura = RenderizarCapa(svg, {}, 6 * cx, cy);
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

// Scales are told apart to a thousandth.
int ClaveEscala(double dEscala) {
    return static_cast<int>(std::lround(dEscala * 1000.0));
}

enum class Clase { Tira, Recorte, RecorteCubierto, Interior };
using Clave = std::tuple<int, int, Clase>; // resource, scale, kind

// A node-based map: a reference handed out stays valid while other strips are added.
std::map<Clave, QImage>& Cache() {
    static std::map<Clave, QImage> cache;
    return cache;
}

// Scales other than 1 in use, the latest last.
std::vector<int>& EscalasRecientes() {
    static std::vector<int> escalas;
    return escalas;
}
constexpr size_t kEscalasGuardadas = 3;

// A new scale pushes out the strips of the least recently used one.
void UsarEscala(int nClave) {
    if (nClave == 1000)
        return;
    std::vector<int>& v = EscalasRecientes();
    if (!v.empty() && v.back() == nClave)
        return;
    auto it = std::find(v.begin(), v.end(), nClave);
    if (it != v.end())
        v.erase(it);
    v.push_back(nClave);
    if (v.size() > kEscalasGuardadas) {
        const int nVieja = v.front();
        v.erase(v.begin());
        auto& cache = Cache();
        for (auto c = cache.begin(); c != cache.end();)
            c = std::get<1>(c->first) == nVieja ? cache.erase(c) : std::next(c);
    }
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
    return Tira(nRecurso, 1.0);
}

const QImage& Tira(int nRecurso, double dEscala) {
    const int nClave = ClaveEscala(dEscala);
    UsarEscala(nClave);
    auto& cache = Cache();
    const Clave clave(nRecurso, nClave, Clase::Tira);
    auto it = cache.find(clave);
    if (it == cache.end()) {
        const Recurso* r = Buscar(nRecurso);
        it = cache.emplace(clave, r ? Cargar(*r, nClave / 1000.0) : QImage()).first;
    }
    return it->second;
}

const QImage& Recorte(int nRecurso, double dEscala, bool bCubierto) {
    const int nClave = ClaveEscala(dEscala);
    auto& cache = Cache();
    const Clave clave(nRecurso, nClave, bCubierto ? Clase::RecorteCubierto : Clase::Recorte);
    auto it = cache.find(clave);
    if (it != cache.end())
        return it->second;
    const QImage& tira = Tira(nRecurso, nClave / 1000.0);
    const QSize c = CeldaEscalada(Celda(nRecurso), nClave / 1000.0);
    const int cy = c.height();
    // The overlay is frame 2 of a vessel's strip, three frames wide.
    const int xCubierta = bCubierto && tira.width() >= 3 * c.width() ? 2 * c.width() : -1;
    QImage recorte;
    if (!tira.isNull() && tira.height() >= 2 * cy) {
        const int cx = xCubierta >= 0 ? c.width() : tira.width();
        recorte = QImage(cx, cy, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < cy; ++y) {
            const auto* figura = reinterpret_cast<const QRgb*>(tira.constScanLine(y));
            const auto* mascara = reinterpret_cast<const QRgb*>(tira.constScanLine(y + cy));
            auto* dst = reinterpret_cast<QRgb*>(recorte.scanLine(y));
            for (int x = 0; x < cx; ++x) {
                QRgb rgb = figura[x];
                if (xCubierta >= 0)
                    rgb &= figura[xCubierta + x];
                dst[x] = qGray(mascara[x]) < 128 ? (rgb | 0xFF000000u) : 0u;
            }
        }
    }
    return cache.emplace(clave, recorte).first->second;
}

const QImage& Interior(int nRecurso, double dEscala) {
    const int nClave = ClaveEscala(dEscala);
    auto& cache = Cache();
    const Clave clave(nRecurso, nClave, Clase::Interior);
    auto it = cache.find(clave);
    if (it != cache.end())
        return it->second;
    const QImage& tira = Tira(nRecurso, nClave / 1000.0);
    const QSize c = CeldaEscalada(Celda(nRecurso), nClave / 1000.0);
    QImage marco;
    if (!tira.isNull())
        marco = tira.copy(c.width(), 0, c.width(), c.height());
    return cache.emplace(clave, marco).first->second;
}

const QRegion& RegionInterior(int nRecurso) {
    static std::map<int, QRegion> regiones;
    auto it = regiones.find(nRecurso);
    if (it != regiones.end())
        return it->second;
    const QImage& marco = Interior(nRecurso);
    QRegion rgn;
    for (int y = 0; y < marco.height(); ++y) {
        const auto* fila = reinterpret_cast<const QRgb*>(marco.constScanLine(y));
        int nInicio = -1;
        for (int x = 1; x < marco.width(); ++x) {
            const bool bBlanco = (fila[x] & 0xFFFFFF) == 0xFFFFFF;
            if (!bBlanco && nInicio < 0)
                nInicio = x;
            else if (bBlanco && nInicio >= 0) {
                rgn += QRect(nInicio, y, x - nInicio, 1);
                nInicio = -1;
            }
        }
    }
    return regiones.emplace(nRecurso, rgn).first->second;
}

QImage Compartida(int nRecurso, const std::vector<int64_t>& clave,
                  const std::function<QImage()>& fnHacer) {
    using ClaveCompartida = std::pair<int, std::vector<int64_t>>;
    static std::map<ClaveCompartida, QImage> compartidas;
    // Past this many, the images only the cache holds go; the next look comes at twice what
    // is left, so that the sweeps cost little however the colours come and go.
    static size_t nUmbral = 64;
    ClaveCompartida k(nRecurso, clave);
    if (auto it = compartidas.find(k); it != compartidas.end())
        return it->second;
    if (compartidas.size() >= nUmbral) {
        for (auto it = compartidas.begin(); it != compartidas.end();)
            it = it->second.isDetached() ? compartidas.erase(it) : std::next(it);
        nUmbral = std::max<size_t>(64, 2 * compartidas.size());
    }
    return compartidas.emplace(std::move(k), fnHacer()).first->second;
}

QSize Celda(int nRecurso) {
    static std::map<int, QSize> celdas;
    auto it = celdas.find(nRecurso);
    if (it == celdas.end()) {
        const Recurso* r = Buscar(nRecurso);
        it = celdas.emplace(nRecurso, r ? CeldaDe(*r) : QSize()).first;
    }
    return it->second;
}

QSize CeldaEscalada(const QSize& celda, double dEscala) {
    return QSize(std::max(1, static_cast<int>(std::lround(celda.width() * dEscala))),
                 std::max(1, static_cast<int>(std::lround(celda.height() * dEscala))));
}

namespace {
// A coordinate of the layout at 1 in the scaled layout: whole cells, then the part of one.
int EscalarCoordenada(int v, int nCelda, int nCeldaEscalada) {
    if (nCelda <= 0)
        return v;
    const int nCeldas = v >= 0 ? v / nCelda : -((-v + nCelda - 1) / nCelda);
    const int nResto = v - nCeldas * nCelda;
    return nCeldas * nCeldaEscalada +
           static_cast<int>(std::lround(static_cast<double>(nResto) * nCeldaEscalada / nCelda));
}
// The top left corner of the cell of a layout that holds the point.
QPoint EsquinaDeCelda(const QPoint& pt, const QSize& celda) {
    auto esquina = [](int v, int n) {
        return n <= 0 ? 0 : (v >= 0 ? v / n : -((-v + n - 1) / n)) * n;
    };
    return QPoint(esquina(pt.x(), celda.width()), esquina(pt.y(), celda.height()));
}
} // namespace

QRect EscalarFuente(const QRect& rc, const QSize& celda, const QSize& celdaEscalada) {
    const int x0 = EscalarCoordenada(rc.x(), celda.width(), celdaEscalada.width());
    const int y0 = EscalarCoordenada(rc.y(), celda.height(), celdaEscalada.height());
    const int x1 = EscalarCoordenada(rc.x() + rc.width(), celda.width(), celdaEscalada.width());
    const int y1 = EscalarCoordenada(rc.y() + rc.height(), celda.height(), celdaEscalada.height());
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

double Escala(const QPainter& p) {
    return p.deviceTransform().m11();
}

void DibujarEscalada(QPainter& p, const QPoint& ptBanco, const QImage& imagenEscalada,
                     const QSize& celda, const QRect& rcFuente) {
    const QTransform t = p.deviceTransform();
    const QSize celdaEscalada = CeldaEscalada(celda, t.m11());
    const QRect fuente = EscalarFuente(rcFuente, celda, celdaEscalada);
    if (fuente.isEmpty())
        return;
    // Placed from the corner of its cell, rounded once: the parts of one picture drawn apart
    // (rows of the contents, the two parts of a vessel) meet without a gap at any scale.
    const QPoint ptDentro = rcFuente.topLeft() - EsquinaDeCelda(rcFuente.topLeft(), celda);
    const QPointF ptEsquina = t.map(QPointF(ptBanco - ptDentro));
    const QPoint pt = QPoint(qRound(ptEsquina.x()), qRound(ptEsquina.y())) + fuente.topLeft() -
                      EsquinaDeCelda(fuente.topLeft(), celdaEscalada);
    p.save();
    p.resetTransform();
    // A device with its own pixel ratio (a window on a dense screen) still scales what is
    // drawn after the reset: undone, so that the image lands one to one on device pixels.
    const QTransform resto = p.deviceTransform();
    if (!resto.isIdentity())
        p.setWorldTransform(resto.inverted());
    p.drawImage(pt, imagenEscalada, fuente);
    p.restore();
}

void Dibujar(QPainter& p, const QPoint& ptBanco, int nRecurso, const QRect& rcFuente) {
    const QTransform t = p.deviceTransform();
    // At 1 the strip is drawn as it is, through the painter's own translation.
    if (t.type() <= QTransform::TxTranslate) {
        p.drawImage(ptBanco, Tira(nRecurso), rcFuente);
        return;
    }
    const QImage& tira = Tira(nRecurso, t.m11());
    if (!tira.isNull())
        DibujarEscalada(p, ptBanco, tira, Celda(nRecurso), rcFuente);
}

void DibujarRecorte(QPainter& p, const QPoint& ptBanco, int nRecurso, const QRect& rcFuente,
                    bool bCubierto) {
    if (rcFuente.isEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QTransform t = p.deviceTransform();
    if (t.type() <= QTransform::TxTranslate) {
        p.drawImage(ptBanco, Recorte(nRecurso, 1.0, bCubierto), rcFuente);
    } else {
        const QImage& recorte = Recorte(nRecurso, t.m11(), bCubierto);
        if (!recorte.isNull())
            DibujarEscalada(p, ptBanco, recorte, Celda(nRecurso), rcFuente);
    }
    p.restore();
}

QString Archivo(int nRecurso) {
    const Recurso* r = Buscar(nRecurso);
    return r ? Ruta(r->pszArchivo) : QString();
}

} // namespace Imagenes
