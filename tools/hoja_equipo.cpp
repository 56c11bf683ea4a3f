// Contact sheet of the equipment: every item of the catalogue drawn twice, empty and with
// contents (a coloured liquid and a textured solid, a reading, a lit plate), its name
// below, on one white sheet. It is how the pictures and the drawing code are looked at
// together, outside the bench.
//
//   hoja_equipo [salida.png]      (docs/equipment.png when no path is given)
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Dibujo.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Components of the sheet's catalogue: the three of start-up, then solids that carry the
// other textures, and a gas for the gas flask.
enum : int32_t { AGUA, NAOH, SULFATO, COBRE, AZUFRE, OXIDO, CARBON, OXIGENO, N_COMPONENTES };

void Componente(CCatalogo& cat, int32_t i, const char* pszNombre, const char* pszFormula,
                double dMasa, double dDensidad, COLORREF crColor, int32_t nEstado,
                int32_t nTextura) {
    CComponentes& c = cat.m_componentes[static_cast<size_t>(i)];
    c.m_nId = 100 + i;
    c.m_strNombre = pszNombre;
    c.m_strFormula = pszFormula;
    c.m_dMasaMolar = dMasa;
    c.m_dDensidad = dDensidad;
    c.m_dCalorEspecifico = 0.4;
    c.m_crColor = crColor;
    c.m_nEstado = nEstado;
    c.m_dPuntoFusion = nEstado == ESTADO_GAS ? -218.0 : 1000.0;
    c.m_dPuntoEbullicion = nEstado == ESTADO_GAS ? -183.0 : 2500.0;
    c.m_nTextura = nTextura;
    c.AjustarSolubilidad();
}

CCatalogo CatalogoHoja() {
    CCatalogo cat = CCatalogo::Inicial();
    cat.m_componentes.resize(N_COMPONENTES);
    Componente(cat, COBRE, "Cobre", "Cu", 63.5, 8.92, RGBColor(0xAC, 0x60, 0x0B), ESTADO_SOLIDO, 3);
    Componente(cat, AZUFRE, "Azufre", "S", 32.1, 2.07, RGBColor(230, 200, 40), ESTADO_SOLIDO, 4);
    Componente(cat, OXIDO, "Oxido de hierro", "Fe2O3", 159.7, 5.24, RGBColor(150, 60, 30),
               ESTADO_SOLIDO, 5);
    Componente(cat, CARBON, "Carbon", "C", 12.0, 2.2, RGBColor(80, 80, 80), ESTADO_SOLIDO, 6);
    Componente(cat, OXIGENO, "Oxigeno", "O2", 32.0, 1.0, RGBColor(254, 254, 254), ESTADO_GAS, 0);
    return cat;
}

// One solid per vessel in turn, so that every texture shows somewhere on the sheet.
const int32_t kSolidos[] = {SULFATO, NAOH, COBRE, AZUFRE, OXIDO, CARBON};

// A liquid tinted blue by dissolved copper sulphate filling about half the vessel, and a
// settled solid of a tenth of its capacity.
void Llenar(const CCatalogo& cat, CRecipiente& r, int nOrden) {
    r.Vincular(&cat);
    const double dMl = 0.55 * r.m_dCapacidad;
    r.m_seno.AgregarEn(ESTADO_LIQUIDO, AGUA, dMl, UNIDAD_ML);
    r.m_seno.AgregarEn(ESTADO_LIQUIDO, SULFATO, 0.0004 * dMl, UNIDAD_MOLES);
    const int32_t nSolido = kSolidos[nOrden % std::size(kSolidos)];
    const double dGramos =
        0.1 * r.m_dCapacidad * cat.m_componentes[static_cast<size_t>(nSolido)].m_dDensidad;
    r.m_seno.AgregarEn(ESTADO_SOLIDO, nSolido, dGramos, UNIDAD_GRAMOS);
    if (dynamic_cast<CMatrazGases*>(&r))
        r.m_seno.AgregarEn(ESTADO_GAS, OXIGENO, 0.01, UNIDAD_MOLES);
    if (!r.m_rcEtiqueta.isEmpty())
        r.m_strEtiqueta = "M" + std::to_string(nOrden + 1);
}

// One cell of the sheet: the item empty and with contents.
struct CCelda {
    std::unique_ptr<CEquipo> m_pVacio;
    std::unique_ptr<CEquipo> m_pLleno;
    QString m_strNombre;
};

struct CGrupo {
    QString m_strTitulo;
    std::vector<CCelda> m_celdas;
};

// What the instruments and the distillation head read from: vessels that are not drawn.
struct CFuentes {
    const CCatalogo m_catalogo = CatalogoHoja();
    CVaso250 m_vasoCaliente;
    CVaso250 m_vasoBase;
    CCalorimetro m_calorimetro;
    CMatrazBalon m_matraz;

    CFuentes() {
        for (CRecipiente* r : std::initializer_list<CRecipiente*>{&m_vasoCaliente, &m_vasoBase,
                                                                  &m_calorimetro, &m_matraz})
            r->Vincular(&m_catalogo);
        m_vasoCaliente.m_seno.AgregarEn(ESTADO_LIQUIDO, AGUA, 120.0, UNIDAD_ML);
        m_vasoCaliente.m_seno.m_dTemperatura = 65.0;
        m_vasoBase.m_seno.AgregarEn(ESTADO_LIQUIDO, AGUA, 100.0, UNIDAD_ML);
        m_vasoBase.m_seno.AgregarEn(ESTADO_LIQUIDO, NAOH, 0.002, UNIDAD_MOLES);
        m_calorimetro.m_seno.AgregarEn(ESTADO_LIQUIDO, AGUA, 200.0, UNIDAD_ML);
        m_calorimetro.m_seno.m_dTemperatura = 34.0;
        m_matraz.m_seno.AgregarEn(ESTADO_LIQUIDO, AGUA, 150.0, UNIDAD_ML);
        m_matraz.m_seno.m_dTemperatura = 92.0;
    }
};

CCelda Celda(int32_t nTipo, int nOrden, CFuentes& f) {
    CCelda c;
    c.m_pVacio.reset(CListaEquipo::CrearEquipo(nTipo));
    c.m_pLleno.reset(CListaEquipo::CrearEquipo(nTipo));
    CEquipo& e = *c.m_pLleno;
    c.m_strNombre = QString::fromStdString(e.GetNombre());
    if (CRecipiente* r = e.Recipiente())
        Llenar(f.m_catalogo, *r, nOrden);
    // Each item in a state that shows what it draws.
    if (auto* cabeza = dynamic_cast<CCabezaDestilacion*>(&e))
        cabeza->m_pPadre = &f.m_matraz; // the head shows the temperature of its flask
    else if (auto* codo = dynamic_cast<CCodoDestilacion*>(&e))
        codo->m_bGota = 1;
    else if (auto* tapa = dynamic_cast<CTapaCalorimetro*>(&e)) {
        tapa->m_pCalorimetro = &f.m_calorimetro;
        tapa->Attach(nullptr);
    } else if (auto* mechero = dynamic_cast<CMechero*>(&e))
        mechero->m_nFrame = 2;
    else if (e.Ajustar(3)) // a hot plate glows at a middle level, the empty one is off
        c.m_pVacio->Ajustar(0);
    else if (auto* termometro = dynamic_cast<CTermometro*>(&e))
        termometro->Attach(&f.m_vasoCaliente);
    else if (auto* i = dynamic_cast<CInstrumentoLectura*>(&e))
        i->Attach(&f.m_vasoBase);
    return c;
}

CCelda CeldaTubo(int32_t nSalida, int nOrden, const CFuentes& f) {
    CCelda c;
    c.m_pVacio = std::make_unique<CTuboVidrio>(nSalida);
    auto pLleno = std::make_unique<CTuboVidrio>(nSalida);
    Llenar(f.m_catalogo, *pLleno, nOrden);
    c.m_strNombre = QString::fromStdString(pLleno->GetNombre()) +
                    (nSalida == 1 ? QStringLiteral(" (salida izquierda)")
                                  : QStringLiteral(" (salida derecha)"));
    c.m_pLleno = std::move(pLleno);
    return c;
}

std::vector<CGrupo> ArmarGrupos(CFuentes& f) {
    std::vector<CGrupo> grupos;
    int nOrden = 0;
    auto grupo = [&](const char* pszTitulo, const std::vector<int32_t>& tipos) {
        CGrupo& g = grupos.emplace_back();
        g.m_strTitulo = QString::fromUtf8(pszTitulo);
        for (int32_t nTipo : tipos) {
            if (nTipo == static_cast<int32_t>(TipoEquipo::TuboVidrio)) {
                g.m_celdas.push_back(CeldaTubo(0, nOrden++, f));
                g.m_celdas.push_back(CeldaTubo(1, nOrden++, f));
            } else {
                g.m_celdas.push_back(Celda(nTipo, nOrden++, f));
            }
        }
    };
    // Every type of the table, by kind, each kind in code order.
    auto tipos = [](auto fnIncluir) {
        std::vector<int32_t> v;
        for (const CTipoEquipo& t : TiposEquipo())
            if (fnIncluir(t))
                v.push_back(t.Codigo());
        std::sort(v.begin(), v.end());
        return v;
    };
    auto buretaOPipeta = [](const CTipoEquipo& t) {
        // The submenu's title without its access key.
        std::string s = t.pszSubmenu ? t.pszSubmenu : "";
        std::erase(s, '&');
        return s == "Buretas" || s == "Pipetas";
    };
    grupo("Recipientes", tipos([&](const CTipoEquipo& t) {
              return t.nIdOrden && t.nCategoria == CATEGORIA_RECIPIENTE && !buretaOPipeta(t);
          }));
    grupo("Buretas y pipetas", tipos(buretaOPipeta));
    grupo("Piezas de montaje", tipos([](const CTipoEquipo& t) { return t.nIdOrden == 0; }));
    grupo("Calentadores e instrumentos", tipos([](const CTipoEquipo& t) {
              return t.nIdOrden && t.nCategoria != CATEGORIA_RECIPIENTE;
          }));
    return grupos;
}

// Sheet layout, in pixels.
constexpr int kColumnas = 5;
constexpr int kMargen = 24;
constexpr int kEntrePar = 28;   // between the empty and the full item
constexpr int kRelleno = 14;    // inside a cell, around its contents
constexpr int kAltoTitulo = 26; // a group's heading
constexpr int kDebajo = 10;     // below the items: the elbow's drop falls there
constexpr int kAltoNota = 16;   // "vacío" / "con contenido"
constexpr int kAltoNombre = 20; // the item's name

const QColor kColorRejilla(0xd0, 0xd6, 0xdc);
const QColor kColorTexto(0x22, 0x22, 0x22);
const QColor kColorNota(0x80, 0x88, 0x90);

// Whether anything was painted inside the rectangle of the sheet.
bool Pintado(const QImage& img, const QRect& rc) {
    const QRect r = rc.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return true;
    return false;
}

void DibujarEquipo(QPainter& p, CEquipo& e, int xCentro, int yFondo) {
    e.SetPosition(xCentro - e.m_cx / 2, yFondo - e.m_cy);
    p.save();
    Dibujo::PrepararPintor(p);
    e.Draw(p);
    p.restore();
}

const char* const kNotas[2] = {"vacío", "con contenido"};

QImage DibujarHoja(std::vector<CGrupo>& grupos, int& nSinFigura) {
    const QFont fNombre = Dibujo::Arial(15);
    const QFont fNota = Dibujo::Arial(12);
    const QFont fTitulo = Dibujo::Arial(20);
    const QFontMetrics fmNombre(fNombre);
    const QFontMetrics fmNota(fNota);
    // Each drawing gets room for its note as well, so that narrow items keep them apart.
    auto ranura = [&](const CEquipo& e, int i) {
        return std::max(e.m_cx, fmNota.horizontalAdvance(QString::fromUtf8(kNotas[i])) + 8);
    };
    auto anchoPar = [&](const CCelda& c) {
        return ranura(*c.m_pVacio, 0) + kEntrePar + ranura(*c.m_pLleno, 1);
    };

    // One column width for the whole sheet keeps the grid straight.
    int cxColumna = 0;
    for (const CGrupo& g : grupos)
        for (const CCelda& c : g.m_celdas)
            cxColumna =
                std::max({cxColumna, anchoPar(c), fmNombre.horizontalAdvance(c.m_strNombre)});
    cxColumna += 2 * kRelleno;

    // Each row is as tall as its tallest item.
    struct Fila {
        const CGrupo* pGrupo;
        size_t nDesde, nHasta;
        int cy;
    };
    std::vector<Fila> filas;
    for (const CGrupo& g : grupos) {
        for (size_t i = 0; i < g.m_celdas.size(); i += kColumnas) {
            Fila f{&g, i, std::min(g.m_celdas.size(), i + kColumnas), 0};
            for (size_t k = f.nDesde; k < f.nHasta; ++k)
                f.cy = std::max({f.cy, g.m_celdas[k].m_pVacio->m_cy, g.m_celdas[k].m_pLleno->m_cy});
            f.cy += 2 * kRelleno + kDebajo + kAltoNota + kAltoNombre;
            filas.push_back(f);
        }
    }
    const int cxHoja = 2 * kMargen + kColumnas * cxColumna;
    int cyHoja = 2 * kMargen + 40;
    for (const Fila& f : filas)
        cyHoja += f.cy + (f.nDesde == 0 ? kAltoTitulo : 0);

    QImage hoja(cxHoja, cyHoja, QImage::Format_RGB32);
    hoja.fill(Qt::white);
    QPainter p(&hoja);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(fTitulo);
    p.setPen(kColorTexto);
    Dibujo::Texto(p, kMargen, kMargen,
                  QString::fromUtf8("Equipo de laboratorio: cada pieza vacía (izquierda) y con "
                                    "contenido (derecha)"));
    nSinFigura = 0;
    int y = kMargen + 40;
    for (const Fila& f : filas) {
        if (f.nDesde == 0) {
            p.setFont(Dibujo::Arial(16));
            p.setPen(kColorTexto);
            Dibujo::Texto(p, kMargen, y + 4, f.pGrupo->m_strTitulo);
            y += kAltoTitulo;
        }
        for (size_t k = f.nDesde; k < f.nHasta; ++k) {
            const CCelda& c = f.pGrupo->m_celdas[k];
            const int x = kMargen + static_cast<int>(k - f.nDesde) * cxColumna;
            const QRect rcCelda(x, y, cxColumna, f.cy);
            p.setPen(kColorRejilla);
            p.setBrush(Qt::NoBrush);
            p.drawRect(rcCelda.adjusted(0, 0, -1, -1));

            // The pair stands on one line, centred in the cell.
            const int yFondo = y + f.cy - kRelleno - kAltoNombre - kAltoNota - kDebajo;
            const int xIzq = x + (cxColumna - anchoPar(c)) / 2;
            const int xVacio = xIzq + ranura(*c.m_pVacio, 0) / 2;
            const int xLleno =
                xIzq + ranura(*c.m_pVacio, 0) + kEntrePar + ranura(*c.m_pLleno, 1) / 2;
            DibujarEquipo(p, *c.m_pVacio, xVacio, yFondo);
            DibujarEquipo(p, *c.m_pLleno, xLleno, yFondo);
            for (const CEquipo* e : {c.m_pVacio.get(), c.m_pLleno.get()}) {
                if (!Pintado(hoja, e->m_rcArea)) {
                    ++nSinFigura;
                    std::fprintf(stderr, "sin figura: %s\n", e->GetNombre().c_str());
                }
            }

            p.setFont(fNota);
            p.setPen(kColorNota);
            const int xNotas[2] = {xVacio, xLleno};
            for (int i = 0; i < 2; ++i) {
                const QString s = QString::fromUtf8(kNotas[i]);
                Dibujo::Texto(p, xNotas[i] - fmNota.horizontalAdvance(s) / 2, yFondo + kDebajo, s);
            }
            p.setFont(fNombre);
            p.setPen(kColorTexto);
            Dibujo::Texto(p, x + (cxColumna - fmNombre.horizontalAdvance(c.m_strNombre)) / 2,
                          yFondo + kDebajo + kAltoNota + 2, c.m_strNombre);
        }
        y += f.cy;
    }
    return hoja;
}

} // namespace

int main(int argc, char* argv[]) {
    // The pictures need a GUI application for their text, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString strSalida =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/equipment.png");

    int nSinFigura = 0;
    QImage hoja;
    {
        CFuentes fuentes;
        std::vector<CGrupo> grupos = ArmarGrupos(fuentes);
        hoja = DibujarHoja(grupos, nSinFigura);
    }

    QDir().mkpath(QFileInfo(strSalida).absolutePath());
    if (!hoja.save(strSalida, "PNG")) {
        std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(strSalida));
        return 1;
    }
    std::printf("%s: %d x %d%s\n", qPrintable(strSalida), hoja.width(), hoja.height(),
                nSinFigura ? " (faltan figuras)" : "");
    return 0;
}
