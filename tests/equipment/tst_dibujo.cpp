// What the items paint: contents at their level and in their colour, the settled solid with
// its heap and texture, the opaque calorimeter, the selection frame, levels beyond the
// picture, and the readings of the instruments and the hot plate.
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QtTest>

#include <malloc.h>

#include <cstdlib>
#include <memory>

namespace {

// Indices of the start-up catalogue.
enum : int32_t { AGUA = 0, NAOH = 1, SULFATO = 2 };

// A colour no picture uses, with every channel different so that a swapped byte order shows.
constexpr COLORREF kRojizo = RGBColor(200, 40, 60);
constexpr COLORREF kVerdoso = RGBColor(30, 160, 70);

// Where the items under test stand: their bottom centre, as a new item on the bench.
const QPoint kInsercion(200, 300);

QImage Lienzo(int cx = 400, int cy = 400) {
    QImage img(cx, cy, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Paints the item the way the bench does.
void Pintar(QImage& img, CEquipo& e) {
    QPainter p(&img);
    Dibujo::PrepararPintor(p);
    e.Draw(p);
}

bool HayFigura(int nRecurso) {
    return !Imagenes::Tira(nRecurso).isNull();
}

bool Parecido(QRgb a, QRgb b, int nTolerancia) {
    return std::abs(qRed(a) - qRed(b)) <= nTolerancia &&
           std::abs(qGreen(a) - qGreen(b)) <= nTolerancia &&
           std::abs(qBlue(a) - qBlue(b)) <= nTolerancia;
}

QRgb Rgb(COLORREF cr) {
    return qRgb(RojoDe(cr), VerdeDe(cr), AzulDe(cr));
}

bool Blanco(QRgb c) {
    return (c & 0xFFFFFF) == 0xFFFFFF;
}

// The vessel's picture frames, read from its strip: where the contents may show (frame 1,
// less the label, which is a white sticker over them) and what the overlay (frame 2) lays
// over them. Graduations, numbers and the outline darken what they cover, so only the
// clear places are compared, each with the colour as the overlay leaves it.
class CMarcos {
public:
    explicit CMarcos(const CRecipiente& r, int nRecurso)
        : m_tira(Imagenes::Tira(nRecurso)), m_cx(r.m_cx),
          m_rcEtiqueta(r.m_rcEtiqueta.isEmpty() ? QRect() : r.m_rcEtiqueta.adjusted(0, 0, 1, 1)) {}
    bool Interior(int x, int y) const {
        return !Blanco(m_tira.pixel(m_cx + x, y)) && !m_rcEtiqueta.contains(x, y);
    }
    bool Claro(int x, int y) const {
        const QRgb c = Cubierta(x, y);
        return Interior(x, y) && qRed(c) >= 230 && qGreen(c) >= 230 && qBlue(c) >= 230;
    }
    // The contents' colour under the overlay, which is laid over them by AND.
    QRgb Esperado(int x, int y, QRgb color) const { return color & Cubierta(x, y); }

private:
    QRgb Cubierta(int x, int y) const { return m_tira.pixel(2 * m_cx + x, y); }

    const QImage& m_tira;
    int m_cx;
    QRect m_rcEtiqueta;
};

// Pixels of one row of the vessel (relative to its corner) that are clear interior and show
// the colour.
std::vector<int> Coloreados(const QImage& img, const CRecipiente& r, const CMarcos& m, int y,
                            QRgb color) {
    std::vector<int> v;
    for (int x = 0; x < r.m_cx; ++x)
        if (m.Claro(x, y) && Parecido(img.pixel(r.m_x + x, r.m_y + y), m.Esperado(x, y, color), 8))
            v.push_back(x);
    return v;
}

int ClarosEnFila(const CRecipiente& r, const CMarcos& m, int y) {
    int n = 0;
    for (int x = 0; x < r.m_cx; ++x)
        n += m.Claro(x, y) ? 1 : 0;
    return n;
}

// Non-white pixels of the image outside the rectangle.
int FueraDe(const QImage& img, const QRect& rc) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!rc.contains(x, y) && !Blanco(img.pixel(x, y)))
                ++n;
    return n;
}

std::unique_ptr<CRecipiente> Recipiente(int nTipo, const CCatalogo& cat) {
    std::unique_ptr<CRecipiente> r(static_cast<CRecipiente*>(CListaEquipo::CrearEquipo(nTipo)));
    r->Vincular(&cat);
    r->ColocarEn(kInsercion);
    return r;
}

} // namespace

class TestDibujo : public QObject {
    Q_OBJECT
    CCatalogo cat;
private slots:
    void init() { cat = CCatalogo::Inicial(); }
    void cleanup() { cat = CCatalogo(); }

    // ---- Liquid -------------------------------------------------------------------------

    void liquidoHastaSuNivel_data() {
        QTest::addColumn<int>("nTipo");
        QTest::addColumn<int>("nRecurso");
        QTest::addColumn<double>("dMl");
        QTest::newRow("vaso 250, 100 ml") << 2 << int(Imagenes::IDB_VASO250) << 100.0;
        QTest::newRow("vaso 250, 5 ml") << 2 << int(Imagenes::IDB_VASO250) << 5.0;
        QTest::newRow("vaso 250, lleno") << 2 << int(Imagenes::IDB_VASO250) << 250.0;
        QTest::newRow("vaso 100, 60 ml") << 1 << int(Imagenes::IDB_VASO100) << 60.0;
        QTest::newRow("vaso 600, 300 ml") << 3 << int(Imagenes::IDB_VASO600) << 300.0;
        QTest::newRow("erlenmeyer 100, 70 ml") << 4 << int(Imagenes::IDB_ERLENMEYER100) << 70.0;
        QTest::newRow("erlenmeyer 250, 180 ml") << 5 << int(Imagenes::IDB_ERLENMEYER250) << 180.0;
        QTest::newRow("balon, 150 ml") << 6 << int(Imagenes::IDB_MATRAZ_BALON) << 150.0;
        QTest::newRow("probeta 10, 7 ml") << 7 << int(Imagenes::IDB_PROBETA10) << 7.0;
        QTest::newRow("probeta 100, 40 ml") << 8 << int(Imagenes::IDB_PROBETA100) << 40.0;
        QTest::newRow("tubo de ensaye, 20 ml") << 9 << int(Imagenes::IDB_TUBO_ENSAYE) << 20.0;
        QTest::newRow("vidrio de reloj, 30 ml") << 10 << int(Imagenes::IDB_VIDRIO_RELOJ) << 30.0;
        QTest::newRow("crisol, 40 ml") << 11 << int(Imagenes::IDB_CRISOL) << 40.0;
        QTest::newRow("matraz de gases, 200 ml") << 13 << int(Imagenes::IDB_MATRAZ_GASES) << 200.0;
        QTest::newRow("bureta 50, 30 ml") << 21 << int(Imagenes::IDB_BURETA50) << 30.0;
        QTest::newRow("pipeta graduada, 6 ml") << 22 << int(Imagenes::IDB_PIPETA_GRADUADA) << 6.0;
    }

    // Every clear interior pixel from the level line down to the bottom shows the liquid's
    // colour, and none above it does.
    void liquidoHastaSuNivel() {
        QFETCH(int, nTipo);
        QFETCH(int, nRecurso);
        QFETCH(double, dMl);
        if (!HayFigura(nRecurso))
            QSKIP("falta la figura de este recipiente");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        auto r = Recipiente(nTipo, cat);
        QVERIFY(r->AddComponent(AGUA, dMl, UNIDAD_ML));
        const QRgb color = Rgb(r->m_seno.m_faseLiquida.ColorFase().m_crColor);
        // The phase keeps the component's colour, channel by channel.
        QVERIFY(Parecido(color, Rgb(kRojizo), 1));

        QImage img = Lienzo();
        Pintar(img, *r);
        const CMarcos m(*r, nRecurso);
        const int y1 = r->GetLevelY(dMl);
        const int B = r->m_nFondo;
        int nAbajo = 0;
        for (int y = 0; y < r->m_cy; ++y) {
            const int nClaros = ClarosEnFila(*r, m, y);
            const int nColor = static_cast<int>(Coloreados(img, *r, m, y, color).size());
            if (y >= y1 && y < B) {
                QVERIFY2(nColor == nClaros,
                         qPrintable(QStringLiteral("fila %1 (nivel %2): %3 de %4")
                                        .arg(y)
                                        .arg(y1)
                                        .arg(nColor)
                                        .arg(nClaros)));
                nAbajo += nColor;
            } else {
                QVERIFY2(nColor == 0,
                         qPrintable(
                             QStringLiteral("fila %1 (nivel %2, fondo %3)").arg(y).arg(y1).arg(B)));
            }
        }
        QVERIFY(nAbajo > 0);
    }

    // Zoomed in, the liquid still fills the whole interior from its level to the bottom: no
    // clear pixel inside it at any scale or place on the bench (the picture and the liquid
    // are scaled apart and must meet). Edges, where the glass is smoothed, and the label
    // are left out.
    void liquidoEscaladoSinHuecos() {
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        for (int nDesplazado = 0; nDesplazado < 3; ++nDesplazado) {
            auto r = Recipiente(2, cat);
            r->ColocarEn(kInsercion + QPoint(nDesplazado, 3 * nDesplazado));
            QVERIFY(r->AddComponent(AGUA, 100.0, UNIDAD_ML));
            for (double z : {0.75, 1.2, 1.5, 2.0, 3.0, 4.0}) {
                QImage img = Lienzo(int(420 * z), int(420 * z));
                {
                    QPainter p(&img);
                    Dibujo::PrepararPintor(p);
                    p.scale(z, z);
                    r->Draw(p);
                }
                const QImage& f = Imagenes::Interior(Imagenes::IDB_VASO250, z);
                const double dFilas = double(f.height()) / r->m_cy;
                const QRectF etiqueta = QRectF(r->m_rcEtiqueta).adjusted(-2, -2, 3, 3);
                const QPoint esquina(qRound(r->m_x * z), qRound(r->m_y * z));
                const int yArriba = int(std::lround((r->GetLevelY(100.0) + 1) * dFilas));
                const int yAbajo = int(std::lround(r->m_nFondo * dFilas));
                auto dentro = [&](int x, int y) { return !Blanco(f.pixel(x, y)); };
                int nHuecos = 0;
                for (int y = yArriba; y < yAbajo; ++y)
                    for (int x = 1; x + 1 < f.width(); ++x) {
                        if (!dentro(x, y) || !dentro(x - 1, y) || !dentro(x + 1, y) ||
                            !dentro(x, y - 1) || !dentro(x, y + 1) ||
                            etiqueta.contains(x / z, y / z))
                            continue;
                        const QRgb c = img.pixel(esquina + QPoint(x, y));
                        nHuecos += qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235 ? 1 : 0;
                    }
                QVERIFY2(nHuecos == 0, qPrintable(QStringLiteral("zoom %1, desplazado %2: %3")
                                                      .arg(z)
                                                      .arg(nDesplazado)
                                                      .arg(nHuecos)));
            }
        }
    }

    // The liquid's picture follows the contents: a new colour replaces the old one and an
    // emptied vessel shows nothing.
    void colorSigueAlContenido() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(AGUA, 150.0, UNIDAD_ML));
        const CMarcos m(v, Imagenes::IDB_VASO250);
        const int y = v.GetLevelY(75.0);
        QImage a = Lienzo();
        Pintar(a, v);
        QVERIFY(!Coloreados(a, v, m, y, Rgb(kRojizo)).empty());

        cat.m_componentes[AGUA].m_crColor = kVerdoso;
        QImage b = Lienzo();
        Pintar(b, v);
        QVERIFY(Coloreados(b, v, m, y, Rgb(kRojizo)).empty());
        QCOMPARE(Coloreados(b, v, m, y, Rgb(kVerdoso)).size(),
                 Coloreados(a, v, m, y, Rgb(kRojizo)).size());

        v.EmptyContents();
        QImage c = Lienzo();
        Pintar(c, v);
        QVERIFY(Coloreados(c, v, m, y, Rgb(kVerdoso)).empty());
        CVaso250 vacio;
        vacio.Vincular(&cat);
        vacio.ColocarEn(kInsercion);
        QImage d = Lienzo();
        Pintar(d, vacio);
        QCOMPARE(c, d);
    }

    // Vessels of one type showing the same share its pictures: a bench of 200 beakers of
    // water holds the interior and its colouring once, not twice 35 KB a beaker (12,000
    // items took 900 MB). Those showing another colour still show their own.
    void recipientesCompartenSusImagenes() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        CCatalogo otro = CCatalogo::Inicial();
        otro.m_componentes[AGUA].m_crColor = kVerdoso;
        std::vector<std::unique_ptr<CVaso250>> vasos;
        for (int i = 0; i < 200; ++i) {
            vasos.push_back(std::make_unique<CVaso250>());
            vasos.back()->Vincular(i % 2 ? &otro : &cat);
            vasos.back()->ColocarEn(kInsercion);
            QVERIFY(vasos.back()->AddComponent(AGUA, 150.0, UNIDAD_ML));
        }
        auto heap = [] {
            const struct mallinfo2 m = mallinfo2();
            return static_cast<double>(m.uordblks + m.hblkhd);
        };
        QImage img = Lienzo();
        Pintar(img, *vasos[0]); // the pictures themselves, rendered once for every beaker
        Pintar(img, *vasos[1]);
        const double dAntes = heap();
        for (auto& v : vasos)
            Pintar(img, *v);
        QVERIFY2((heap() - dAntes) / 200 < 4096, qPrintable(QString::number(heap() - dAntes)));
        const CMarcos m(*vasos[0], Imagenes::IDB_VASO250);
        const int y = vasos[0]->GetLevelY(75.0);
        for (int i : {0, 1, 2, 3}) {
            QImage a = Lienzo();
            Pintar(a, *vasos[static_cast<size_t>(i)]);
            QVERIFY(!Coloreados(a, *vasos[0], m, y, Rgb(i % 2 ? kVerdoso : kRojizo)).empty());
            QVERIFY(Coloreados(a, *vasos[0], m, y, Rgb(i % 2 ? kRojizo : kVerdoso)).empty());
        }
    }

    // A white liquid is still a liquid, drawn so that it shows; once it is gone, the next
    // colour must show again.
    void liquidoBlancoNoBorraElInterior() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[AGUA].m_crColor = RGBColor(255, 255, 255);
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        // One mole exactly, so that the averaged colour comes out exactly white.
        QVERIFY(v.AddComponent(AGUA, 18.0, UNIDAD_ML));
        QCOMPARE(v.m_seno.m_faseLiquida.ColorFase().m_crColor, RGBColor(255, 255, 255));
        QImage a = Lienzo();
        Pintar(a, v);
        const CMarcos m(v, Imagenes::IDB_VASO250);
        // White on the white bench still shows: every clear pixel under the level is a
        // visible pale blue, and the surface is a dark line across the interior.
        const int yNivel = v.GetLevelY(18.0);
        int nTenidos = 0, nClaros = 0;
        for (int x = 0; x < v.m_cx; ++x)
            if (m.Claro(x, yNivel + 1)) {
                const QColor c = a.pixelColor(v.m_x + x, v.m_y + yNivel + 1);
                ++nClaros;
                nTenidos += c.blue() - c.red() >= 24 && c.lightness() >= 170 ? 1 : 0;
            }
        QVERIFY(nClaros > 40);
        QCOMPARE(nTenidos, nClaros);
        int nOscuros = 0;
        for (int x = 0; x < v.m_cx; ++x)
            nOscuros += m.Claro(x, yNivel - 1) &&
                                a.pixelColor(v.m_x + x, v.m_y + yNivel - 1).lightness() < 110
                            ? 1
                            : 0;
        QVERIFY2(nOscuros >= nClaros - 8, qPrintable(QString::number(nOscuros)));
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        QImage b = Lienzo();
        Pintar(b, v);
        const int y = v.GetLevelY(9.0);
        QVERIFY(ClarosEnFila(v, m, y) > 0);
        QCOMPARE(static_cast<int>(Coloreados(b, v, m, y, Rgb(kRojizo)).size()),
                 ClarosEnFila(v, m, y));
    }

    // ---- Settled solid ------------------------------------------------------------------

    // The solid fills from its level down and carries a heap of two steps, each narrower
    // than the one below, centred on the vessel.
    void solidoConMonton() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[SULFATO].m_crColor = kVerdoso;
        cat.m_componentes[SULFATO].m_nTextura = 0;
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(SULFATO, 100.0, UNIDAD_GRAMOS));
        QCOMPARE(v.VolumenLiquido(), 0.0);
        QVERIFY(v.VolumenSolido() > 20.0);
        QImage img = Lienzo();
        Pintar(img, v);
        const CMarcos m(v, Imagenes::IDB_VASO250);
        const QRgb color = Rgb(kVerdoso);
        const int y1 = v.GetLevelY(v.VolumenSolido());
        for (int y = y1; y < v.m_nFondo; ++y)
            QCOMPARE(static_cast<int>(Coloreados(img, v, m, y, color).size()),
                     ClarosEnFila(v, m, y));

        const int W1 = (v.m_cx - 4) / 2;
        const int X0 = (v.m_cx - W1) / 2;
        const int W2 = W1 - 10;
        const int X1 = (v.m_cx - W2) / 2;
        auto comprobarEscalon = [&](int y, int x0, int w) {
            const std::vector<int> xs = Coloreados(img, v, m, y, color);
            QVERIFY2(!xs.empty(), qPrintable(QStringLiteral("fila %1 sin montón").arg(y)));
            QVERIFY2(xs.front() >= x0 && xs.back() < x0 + w,
                     qPrintable(QStringLiteral("fila %1: %2..%3 fuera de %4..%5")
                                    .arg(y)
                                    .arg(xs.front())
                                    .arg(xs.back())
                                    .arg(x0)
                                    .arg(x0 + w - 1)));
            // Every clear pixel of the step shows the solid.
            int nClaros = 0;
            for (int x = x0; x < x0 + w; ++x)
                nClaros += m.Claro(x, y) ? 1 : 0;
            QCOMPARE(static_cast<int>(xs.size()), nClaros);
        };
        comprobarEscalon(y1 - 1, X0, W1);
        comprobarEscalon(y1 - 2, X0, W1);
        comprobarEscalon(y1 - 3, X1, W2);
        comprobarEscalon(y1 - 4, X1, W2);
        QVERIFY(W2 < W1 && W2 > 0);
        QVERIFY(Coloreados(img, v, m, y1 - 5, color).empty());
    }

    void soloLiquidoSinMonton() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(AGUA, 100.0, UNIDAD_ML));
        QImage img = Lienzo();
        Pintar(img, v);
        const CMarcos m(v, Imagenes::IDB_VASO250);
        const int y1 = v.GetLevelY(100.0);
        QVERIFY(!Coloreados(img, v, m, y1, Rgb(kRojizo)).empty());
        for (int y = y1 - 6; y < y1; ++y)
            QVERIFY(Coloreados(img, v, m, y, Rgb(kRojizo)).empty());
    }

    // The solid lifts the liquid: its surface stands where both volumes together reach, and
    // the solid with its heap shows beneath it.
    void liquidoSobreSolido() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        cat.m_componentes[SULFATO].m_crColor = kVerdoso;
        cat.m_componentes[SULFATO].m_nTextura = 0;
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(SULFATO, 100.0, UNIDAD_GRAMOS));
        QVERIFY(v.AddComponent(AGUA, 100.0, UNIDAD_ML));
        QImage img = Lienzo();
        Pintar(img, v);
        const CMarcos m(v, Imagenes::IDB_VASO250);
        const int ySuperficie = v.GetLevelY(v.VolumenSolido() + v.VolumenLiquido());
        const int ySolido = v.GetLevelY(v.VolumenSolido());
        QVERIFY(ySuperficie < v.GetLevelY(v.VolumenLiquido()));
        QVERIFY(Coloreados(img, v, m, ySuperficie - 1, Rgb(kRojizo)).empty());
        for (int y = ySuperficie; y < ySolido - 4; ++y)
            QCOMPARE(static_cast<int>(Coloreados(img, v, m, y, Rgb(kRojizo)).size()),
                     ClarosEnFila(v, m, y));
        for (int y = ySolido; y < v.m_nFondo; ++y)
            QCOMPARE(static_cast<int>(Coloreados(img, v, m, y, Rgb(kVerdoso)).size()),
                     ClarosEnFila(v, m, y));
        // Beside the heap the liquid reaches down to the solid.
        QVERIFY(!Coloreados(img, v, m, ySolido - 1, Rgb(kRojizo)).empty());
        QVERIFY(!Coloreados(img, v, m, ySolido - 1, Rgb(kVerdoso)).empty());
    }

    // Texture marks of a solid component come out black in the solid, tile by tile from
    // the vessel's corner; without a texture there is none.
    void texturaDelSolido() {
        if (!HayFigura(Imagenes::IDB_VASO250) || !HayFigura(Imagenes::IDB_TEXTURA + 1))
            QSKIP("faltan figuras");
        QCOMPARE(cat.m_componentes[SULFATO].m_nTextura, 1);
        const QImage& tex = Imagenes::Tira(Imagenes::IDB_TEXTURA + 1);
        QVERIFY(tex.width() >= 8 && tex.height() >= 8);
        const QRgb negro = qRgb(0, 0, 0);
        for (int nTextura : {1, 0}) {
            cat.m_componentes[SULFATO].m_nTextura = nTextura;
            CVaso250 v;
            v.Vincular(&cat);
            v.ColocarEn(kInsercion);
            QVERIFY(v.AddComponent(SULFATO, 100.0, UNIDAD_GRAMOS));
            QImage img = Lienzo();
            Pintar(img, v);
            const CMarcos m(v, Imagenes::IDB_VASO250);
            const QRgb color = Rgb(v.m_seno.m_faseSolida.ColorFase().m_crColor);
            int nNegros = 0, nColor = 0;
            for (int y = v.GetLevelY(v.VolumenSolido()); y < v.m_nFondo; ++y) {
                for (int x = 0; x < v.m_cx; ++x) {
                    if (!m.Claro(x, y))
                        continue;
                    const QRgb c = img.pixel(v.m_x + x, v.m_y + y);
                    const bool bMarca = nTextura != 0 && !Blanco(tex.pixel(x % 8, y % 8));
                    if (bMarca) {
                        QVERIFY2(c == negro,
                                 qPrintable(QStringLiteral("(%1, %2) sin marca").arg(x).arg(y)));
                        ++nNegros;
                    } else {
                        QVERIFY2(Parecido(c, m.Esperado(x, y, color), 8),
                                 qPrintable(QStringLiteral("(%1, %2) sin color").arg(x).arg(y)));
                        ++nColor;
                    }
                }
            }
            QVERIFY(nColor > 0);
            if (nTextura)
                QVERIFY(nNegros > 0);
        }
    }

    // A vessel is drawn above its contents with its overlay already ANDed into its picture,
    // which holds only while the overlay stays inside the picture's mask: a new picture
    // whose overlay strays outside would darken whatever stands behind the glass.
    void cubiertaDentroDeLaFigura() {
        int nRecipientes = 0;
        for (int nRecurso = 100; nRecurso < 200; ++nRecurso)
            for (double dEscala : {1.0, 2.0, 1.5}) {
                const QImage& tira = Imagenes::Tira(nRecurso, dEscala);
                const QSize c = Imagenes::CeldaEscalada(Imagenes::Celda(nRecurso), dEscala);
                if (tira.isNull() || tira.width() != 3 * c.width())
                    continue; // not a vessel's strip
                ++nRecipientes;
                for (int y = 0; y < c.height(); ++y)
                    for (int x = 0; x < c.width(); ++x)
                        if (!Blanco(tira.pixel(2 * c.width() + x, y)))
                            QVERIFY2(!Blanco(tira.pixel(x, c.height() + y)),
                                     qPrintable(QString("%1 a %2: (%3, %4)")
                                                    .arg(nRecurso)
                                                    .arg(dEscala)
                                                    .arg(x)
                                                    .arg(y)));
            }
        QCOMPARE(nRecipientes, 3 * 26);
    }

    // ---- Opaque calorimeter -------------------------------------------------------------

    void calorimetroNoMuestraContenido() {
        if (!HayFigura(Imagenes::IDB_CALORIMETRO))
            QSKIP("falta calorimetro.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        CCalorimetro vacio;
        vacio.Vincular(&cat);
        vacio.ColocarEn(kInsercion);
        CCalorimetro lleno;
        lleno.Vincular(&cat);
        lleno.ColocarEn(kInsercion);
        QVERIFY(lleno.AddComponent(AGUA, 300.0, UNIDAD_ML));
        QVERIFY(lleno.AddComponent(SULFATO, 50.0, UNIDAD_GRAMOS));
        QImage a = Lienzo();
        Pintar(a, vacio);
        QImage b = Lienzo();
        Pintar(b, lleno);
        QVERIFY(FueraDe(a, QRect()) > 0); // the calorimeter itself is drawn
        QCOMPARE(b, a);
    }

    // A piece whose liquid has all gone draws no phase, whatever crumb of volume the
    // running total kept (the distillation elbow drew a black block after boiling dry).
    void piezaVaciaSinFase() {
        if (!HayFigura(Imagenes::IDB_CODO))
            QSKIP("falta la figura del codo");
        CCodoDestilacion vacio;
        vacio.Vincular(&cat);
        vacio.ColocarEn(kInsercion);
        CCodoDestilacion seco;
        seco.Vincular(&cat);
        seco.ColocarEn(kInsercion);
        QVERIFY(seco.AddComponent(AGUA, 1.0, UNIDAD_ML));
        seco.m_seno.m_faseLiquida.Quitar(AGUA, 1.0, UNIDAD_ML);
        seco.m_seno.m_faseLiquida.Vaciar();
        seco.m_seno.m_faseLiquida.m_dVolumen = 1e-12;
        QImage a = Lienzo();
        Pintar(a, vacio);
        QImage b = Lienzo();
        Pintar(b, seco);
        QCOMPARE(b, a);
    }

    // ---- Selection ----------------------------------------------------------------------

    // The watch glass is a thin rim of glass under its hollow: a click over the hollow takes
    // it, as one on the rim does; the empty corners beside the rim let the click through.
    void vidrioDeRelojSeTomaPorSuHueco() {
        if (!HayFigura(Imagenes::IDB_VIDRIO_RELOJ))
            QSKIP("falta vidrioreloj.svg");
        CVidrioReloj w;
        w.Vincular(&cat);
        w.ColocarEn(kInsercion);
        const QRect a = w.m_rcArea;
        // The middle of the hollow, 12 of the picture's 30 rows down, far from the rim.
        QVERIFY(w.HitTestForma(QPoint(a.center().x(), a.top() + a.height() * 12 / 30)));
        // The bottom of the rim, and a lower corner that nothing fills.
        QVERIFY(w.HitTestForma(QPoint(a.center().x(), a.top() + a.height() * 25 / 30)));
        QVERIFY(!w.HitTestForma(QPoint(a.left() + 1, a.bottom() - 1)));
    }

    void marcoDeSeleccion() {
        if (!HayFigura(Imagenes::IDB_VASO250))
            QSKIP("falta vaso250.svg");
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QImage sin = Lienzo();
        Pintar(sin, v);
        v.m_bSeleccionado = 1;
        QImage con = Lienzo();
        Pintar(con, v);

        const QRect marco = v.m_rcArea.adjusted(-2, -2, 2, 2);
        auto contar = [](const QImage& img, const QRect& rc, auto oscuro) {
            struct Lado {
                int n = 0, nLargo = 0;
            } lados[4];
            for (int x = rc.left(); x <= rc.right(); ++x) {
                lados[0].n += oscuro(img.pixel(x, rc.top()));
                lados[1].n += oscuro(img.pixel(x, rc.bottom()));
                ++lados[0].nLargo;
                ++lados[1].nLargo;
            }
            for (int y = rc.top(); y <= rc.bottom(); ++y) {
                lados[2].n += oscuro(img.pixel(rc.left(), y));
                lados[3].n += oscuro(img.pixel(rc.right(), y));
                ++lados[2].nLargo;
                ++lados[3].nLargo;
            }
            return std::vector<Lado>(lados, lados + 4);
        };
        auto oscuro = [](QRgb c) { return qGray(c) < 100 ? 1 : 0; };
        auto marcado = [](QRgb c) { return Blanco(c) ? 0 : 1; };
        for (const auto& lado : contar(con, marco, oscuro)) {
            // Dotted: a fair share of each side is dark, but not all of it.
            QVERIFY2(lado.n * 5 >= lado.nLargo && lado.n * 5 <= 4 * lado.nLargo,
                     qPrintable(QStringLiteral("%1 de %2").arg(lado.n).arg(lado.nLargo)));
        }
        for (const auto& lado : contar(sin, marco, marcado))
            QCOMPARE(lado.n, 0);
        // The ring between the frame and the item stays clear, and the rest is untouched.
        for (const auto& lado : contar(con, v.m_rcArea.adjusted(-1, -1, 1, 1), marcado))
            QCOMPARE(lado.n, 0);
        for (int y = 0; y < con.height(); ++y)
            for (int x = 0; x < con.width(); ++x)
                if (!marco.contains(x, y) || marco.adjusted(1, 1, -1, -1).contains(x, y))
                    QCOMPARE(con.pixel(x, y), sin.pixel(x, y));
    }

    // ---- Levels beyond the picture ------------------------------------------------------

    // A full volumetric pipette stands above its picture: the liquid stops at the top and
    // nothing is painted outside the item.
    void nivelSobreLaFigura() {
        if (!HayFigura(Imagenes::IDB_PIPETA_VOLUMETRICA))
            QSKIP("falta pipetavolumetrica.svg");
        cat.m_componentes[AGUA].m_crColor = kRojizo;
        cat.m_componentes[SULFATO].m_crColor = kVerdoso;
        CPipetaVolumetrica p;
        p.Vincular(&cat);
        p.ColocarEn(kInsercion);
        QVERIFY(p.AddComponent(AGUA, 10.0, UNIDAD_ML));
        QVERIFY(p.GetLevelY(10.0) < 0);
        QImage img = Lienzo();
        Pintar(img, p);
        QCOMPARE(FueraDe(img, p.m_rcArea), 0);
        const CMarcos m(p, Imagenes::IDB_PIPETA_VOLUMETRICA);
        int nPrimera = -1;
        for (int y = 0; y < p.m_cy && nPrimera < 0; ++y)
            if (ClarosEnFila(p, m, y) > 0)
                nPrimera = y;
        QVERIFY(nPrimera >= 0);
        QCOMPARE(static_cast<int>(Coloreados(img, p, m, nPrimera, Rgb(kRojizo)).size()),
                 ClarosEnFila(p, m, nPrimera));

        // A settled solid just under 10 ml stands above the top too, heap and all.
        CPipetaVolumetrica q;
        q.Vincular(&cat);
        q.ColocarEn(kInsercion);
        q.m_seno.m_faseSolida.Agregar(SULFATO, 36.0, UNIDAD_GRAMOS);
        QVERIFY(q.VolumenSolido() < 10.0);
        QVERIFY(q.GetLevelY(q.VolumenSolido()) < -4);
        QImage img2 = Lienzo();
        Pintar(img2, q);
        QCOMPARE(FueraDe(img2, q.m_rcArea), 0);
        QCOMPARE(static_cast<int>(Coloreados(img2, q, m, nPrimera, Rgb(kVerdoso)).size()),
                 ClarosEnFila(q, m, nPrimera));
    }

    void recipienteLlenoNoSeSale_data() {
        QTest::addColumn<int>("nTipo");
        for (int nTipo :
             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33, 34, 36})
            QTest::newRow(qPrintable(QString::number(nTipo))) << nTipo;
    }

    // Overfull, boiling and with gas: whatever the vessel holds stays inside its area, frame
    // after frame as the bubbles and the gas rise.
    void recipienteLlenoNoSeSale() {
        QFETCH(int, nTipo);
        // An item whose picture is missing draws nothing, which passes trivially.
        SembrarAleatorio(7);
        auto r = Recipiente(nTipo, cat);
        r->m_seno.m_faseLiquida.Agregar(AGUA, 2.0 * r->m_dCapacidad, UNIDAD_ML);
        r->m_seno.m_faseSolida.Agregar(SULFATO, 3.0 * r->m_dCapacidad, UNIDAD_GRAMOS);
        r->m_seno.m_faseGas.Agregar(AGUA, 0.01, UNIDAD_MOLES);
        r->m_seno.m_nEbullicion = 30;
        int nFuera = 0;
        for (int i = 0; i < 60; ++i) {
            QImage img = Lienzo();
            Pintar(img, *r);
            nFuera += FueraDe(img, r->m_rcArea);
            r->m_bAnimar = 1;
        }
        QCOMPARE(nFuera, 0);
    }

    // ---- Readings -----------------------------------------------------------------------

    void lecturaDelPHmetro() {
        if (!HayFigura(Imagenes::IDB_PHMETRO))
            QSKIP("falta phmetro.svg");
        CPHmetro ph;
        ph.Vincular(&cat);
        ph.ColocarEn(kInsercion);
        QImage sin = Lienzo();
        Pintar(sin, ph);

        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(AGUA, 100.0, UNIDAD_ML));
        v.m_seno.m_faseLiquida.Agregar(NAOH, 0.01, UNIDAD_MOLES);
        QCOMPARE(ph.Attach(&v), 1);
        QVERIFY(ph.m_dLectura >= 0.0);
        QCOMPARE(ph.Texto(), QString::asprintf("pH: %.2f", ph.m_dLectura));
        QImage con = Lienzo();
        Pintar(con, ph);

        // Only the display changes.
        const QRect pantalla(ph.m_x + 33, ph.m_y + 13, 57, 20);
        int nCambios = 0;
        for (int y = 0; y < sin.height(); ++y) {
            for (int x = 0; x < sin.width(); ++x) {
                if (sin.pixel(x, y) == con.pixel(x, y))
                    continue;
                QVERIFY2(pantalla.contains(x, y),
                         qPrintable(QStringLiteral("(%1, %2)").arg(x - ph.m_x).arg(y - ph.m_y)));
                ++nCambios;
            }
        }
        QVERIFY(nCambios > 10);

        QCOMPARE(ph.Detach(), 1);
        QImage otra = Lienzo();
        Pintar(otra, ph);
        QCOMPARE(otra, sin);
    }

    // The red column rises with the temperature.
    void columnaDelTermometro() {
        if (!HayFigura(Imagenes::IDB_TERMOMETRO))
            QSKIP("falta termometro.svg");
        CTermometro t;
        t.Vincular(&cat);
        t.ColocarEn(kInsercion);
        CVaso250 v;
        v.Vincular(&cat);
        v.ColocarEn(kInsercion);
        QVERIFY(v.AddComponent(AGUA, 100.0, UNIDAD_ML));
        v.m_seno.m_dTemperatura = 80.0;
        const QRgb rojo = qRgb(255, 0, 0);
        auto rojos = [&](const QImage& img) {
            int n = 0;
            for (int y = t.m_y; y < t.m_y + 67; ++y)
                n += img.pixel(t.m_x + 4, y) == rojo ? 1 : 0;
            return n;
        };
        QImage frio = Lienzo();
        Pintar(frio, t);
        QCOMPARE(t.Attach(&v), 1);
        QImage caliente = Lienzo();
        Pintar(caliente, t);
        QCOMPARE(t.ColumnaY(), 67 - 40);
        QVERIFY(rojos(frio) >= 67 - 57);
        QVERIFY(rojos(caliente) >= 67 - 27);
        QVERIFY(rojos(caliente) > rojos(frio) + 25);
        QCOMPARE(caliente.pixel(t.m_x + 4, t.m_y + 30), rojo);
        QVERIFY(frio.pixel(t.m_x + 4, t.m_y + 30) != rojo);
    }

    void lucesDeLaParrilla() {
        if (!HayFigura(Imagenes::IDB_PARRILLA))
            QSKIP("falta parrilla.svg");
        const QRgb rojo = qRgb(255, 0, 0);
        CParrilla pa;
        pa.Vincular(&cat);
        pa.ColocarEn(kInsercion);
        QCOMPARE(pa.m_nLuces, 2);
        auto encendidas = [&](const QImage& img) {
            // Each light is red over its whole rectangle, or not at all.
            int n = 0;
            for (int i = 0; i < 5; ++i) {
                const QRect luz = QRect(7 + 21 * i, 29, 17, 2).translated(pa.m_x, pa.m_y);
                int nRojos = 0;
                for (int y = luz.top(); y <= luz.bottom(); ++y)
                    for (int x = luz.left(); x <= luz.right(); ++x)
                        nRojos += img.pixel(x, y) == rojo ? 1 : 0;
                if (nRojos == luz.width() * luz.height())
                    ++n;
                else if (nRojos != 0)
                    return -1;
                // Nothing red spills around the light.
                for (int x = luz.left() - 1; x <= luz.right() + 1; ++x)
                    if (img.pixel(x, luz.top() - 1) == rojo ||
                        img.pixel(x, luz.bottom() + 1) == rojo)
                        return -1;
                if (img.pixel(luz.left() - 1, luz.top()) == rojo ||
                    img.pixel(luz.right() + 1, luz.top()) == rojo)
                    return -1;
            }
            return n;
        };
        auto lucesPintadas = [&]() {
            QImage img = Lienzo();
            Pintar(img, pa);
            return encendidas(img);
        };
        QCOMPARE(lucesPintadas(), 2);
        for (int nNivel = 0; nNivel <= 5; ++nNivel) {
            pa.SetNivel(nNivel);
            QCOMPARE(lucesPintadas(), nNivel);
        }
        QVERIFY(pa.Comando(ID_NIVEL4));
        QCOMPARE(lucesPintadas(), 4);
        QVERIFY(pa.Comando(ID_APAGAR));
        QCOMPARE(pa.m_nLuces, 0);
        QCOMPARE(lucesPintadas(), 0);
        // Its top glows while it heats, and only then: the lights alone went unnoticed.
        auto tapa = [&](int nNivel) {
            pa.SetNivel(nNivel);
            QImage img = Lienzo();
            Pintar(img, pa);
            const QColor c = img.pixelColor(pa.m_x + 50, pa.m_y + 3);
            return c.red() - c.blue();
        };
        QVERIFY2(tapa(0) < 20, qPrintable(QString::number(tapa(0))));
        QVERIFY(tapa(1) > 60);
        QVERIFY(tapa(5) > tapa(1));
    }

    // The burner's flame changes with its frame and stays above the burner's mouth.
    void llamaDelMechero() {
        if (!HayFigura(Imagenes::IDB_MECHERO) || !HayFigura(Imagenes::IDB_LLAMA))
            QSKIP("faltan mechero.svg o las llamas");
        CMechero m;
        m.Vincular(&cat);
        m.ColocarEn(kInsercion);
        QImage marcos[4];
        for (int i = 0; i < 4; ++i) {
            marcos[i] = Lienzo();
            Pintar(marcos[i], m);
            QCOMPARE(FueraDe(marcos[i], m.m_rcArea), 0);
            QCOMPARE(m.AdvanceFrame(), 1);
        }
        QCOMPARE(m.m_nFrame, 0);
        for (int i = 1; i < 4; ++i)
            QVERIFY(marcos[i] != marcos[i - 1]);
    }
};

QTEST_MAIN(TestDibujo)
#include "tst_dibujo.moc"
