#include "equipment/Recipiente.h"
#include "equipment/Conversiones.h"
#include "equipment/Enfriamiento.h"

#include "equipment/Geometria.h"
#include "equipment/Imagenes.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/NombreColor.h"

#include <QPainter>

#include <algorithm>
#include <bit>
#include <cassert>
#include <chrono>
#include <cmath>
#include <random>

namespace {
std::minstd_rand& Generador() {
    static std::minstd_rand gen(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    return gen;
}

// Whatever a dialog let through, an amount below zero or beyond any number is refused
// here too: it would take matter out of the vessel or poison every total.
bool CantidadValida(double d) {
    return d >= 0.0 && std::isfinite(d);
}

// Colourless liquids (the catalogues give water and clear solutions 0xFEFEFE, as good as
// white) vanished on the white bench. They are drawn in the faint blue of water seen through
// glass; only the drawing changes, the phase keeps its colour (and the file its bytes).
QColor ColorDelLiquido(COLORREF cr) {
    const QColor c = ColorDe(cr);
    constexpr int kCasiBlanco = 0xF0;
    if (c.red() >= kCasiBlanco && c.green() >= kCasiBlanco && c.blue() >= kCasiBlanco)
        return QColor(0xcf, 0xe4, 0xf5);
    return c;
}

// The meniscus: the glass's outline colour over a light liquid, a darker shade of the
// liquid's own colour over a dark one, so that the level reads against the graduations.
QColor ColorDelMenisco(COLORREF cr) {
    const QColor c = ColorDelLiquido(cr);
    return c.lightness() > 170 ? QColor(0x3c, 0x53, 0x66) : c.darker(170);
}
} // namespace

int Aleatorio() {
    return static_cast<int>(Generador()() % 32768u);
}

void SembrarAleatorio(unsigned nSemilla) {
    Generador().seed(nSemilla);
}

void CBurbuja::Crear(int cx) {
    m_x = static_cast<int>(Aleatorio() / 32767.0 * (cx - 8) + 4);
    m_y = -4;
    m_nVelocidad = 1 + static_cast<int>(2.0 * Aleatorio() / 32767.0);
    m_nLado = Aleatorio() % 2 ? 1 : -1;
}

void CBurbuja::Mover() {
    m_y -= m_nVelocidad;
    m_x += m_nLado;
    m_nLado = -m_nLado;
}

void CParticulaGas::Crear(int cx) {
    m_x = static_cast<int>(Aleatorio() / 32767.0 * (cx - 8) + 4);
    m_y = -13;
    m_nVelocidad = 1 + static_cast<int>(10.0 * Aleatorio() / 32767.0);
}

void CParticulaGas::Mover() {
    m_y -= m_nVelocidad;
    m_nFrame = (m_nFrame + 1) % 6;
}

CRecipiente::CRecipiente() {
    m_nCategoria = CATEGORIA_RECIPIENTE;
}

CRecipiente::~CRecipiente() = default;

QString CRecipiente::Descripcion() const {
    QString s = QStringLiteral("%1 ml, %2 °C")
                    .arg(VolumenLiquido(), 0, 'f', 1)
                    .arg(Temperatura(), 0, 'f', 0);
    const double ph = PH();
    if (ph >= 0.0)
        s += QStringLiteral(", pH %1").arg(ph, 0, 'f', 2);
    // The colour is what a student watches for at an end point.
    if (VolumenLiquido() > 0.0)
        s += QStringLiteral(", %1").arg(
            QString::fromStdString(NombreColor(m_seno.ColorDe(ESTADO_LIQUIDO).m_crColor)));
    if (VolumenSolido() > 0.0)
        s += QStringLiteral(", %1 g de sólido").arg(m_seno.MasaDe(ESTADO_SOLIDO), 0, 'f', 2);
    return s;
}

void CRecipiente::Iniciar(TipoEquipo eTipo) {
    m_pGeometria = GeometriaDe(eTipo);
    assert(m_pGeometria); // every vessel type has its row
    const CGeometria& g = *m_pGeometria;
    m_dCapacidad = g.dCapacidad;
    m_dMasaVacio = g.dMasaVacio;
    m_nFondo = g.nFondo;
    m_rcEtiqueta = g.rcEtiqueta;
    m_seno.m_dConductancia = ConductanciaDe(eTipo);
    CEquipo::Iniciar(eTipo, g.cx, g.cy);
}

int32_t CRecipiente::GetLevelY(double v) const {
    return m_pGeometria ? m_pGeometria->perfil.Y(ConReserva(v), m_pGeometria->dCapacidad) : 0;
}

int32_t CRecipiente::Step() {
    return StepComun();
}

int32_t CRecipiente::StepComun() {
    const int32_t nCambio = m_seno.Simular();
    const double a = m_seno.MolesDe(ESTADO_GAS);
    if (a > 0.0) {
        m_seno.PasarGas(m_pConectado ? &m_pConectado->m_seno : nullptr, a >= 0.001 ? 0.5 : 1.0);
        return 1;
    }
    return nCambio;
}

void CRecipiente::Serialize(CArchivo& ar) {
    CEquipo::Serialize(ar);
    m_seno.Serialize(ar);
}

void CRecipiente::BuildMenu(CMenu& menu) {
    CEquipo::BuildMenu(menu);
    menu.push_back({ID_ELIMINAR_CONTENIDO, "Eliminar contenido"});
    menu.push_back({});
    if (AdmiteMateriales()) {
        menu.push_back({ID_AGREGAR_AGUA, "Agregar agua"});
        menu.push_back({ID_AGREGAR_REACTIVO, "Agregar reactivo"});
        menu.push_back({ID_AGREGAR_INDICADOR, "Agregar indicador"});
        menu.push_back({});
    }
}

CPeticion CRecipiente::Pide(int nComando) const {
    CPeticion p;
    switch (nComando) {
    case ID_AGREGAR_AGUA:
        p.m_eTipo = CPeticion::Tipo::Agua;
        p.m_dMaximo = m_dCapacidad;
        // What the vessel holds counts, so that "Aforar a:" fills up to the mark.
        p.m_dOcupado = VolumenOcupado();
        break;
    case ID_AGREGAR_REACTIVO:
        p.m_eTipo = CPeticion::Tipo::Reactivo;
        break;
    case ID_AGREGAR_INDICADOR:
        p.m_eTipo = CPeticion::Tipo::Indicador;
        break;
    default:
        break;
    }
    return p;
}

ResultadoComando CRecipiente::Ejecutar(int nComando, CListaEquipo&, const CArgumento& a) {
    switch (nComando) {
    case ID_ELIMINAR_CONTENIDO:
        EmptyContents();
        return ResultadoComando::Hecho;
    case ID_AGREGAR_AGUA:
        return AddComponent(0, a.m_dCantidad, UNIDAD_ML) ? ResultadoComando::Hecho
                                                         : ResultadoComando::NoCabe;
    case ID_AGREGAR_REACTIVO:
        return AddReagent(a.m_nIndice, a.m_dCantidad) ? ResultadoComando::Hecho
                                                      : ResultadoComando::NoCabe;
    case ID_AGREGAR_INDICADOR:
        m_seno.AgregarIndicador(a.m_nIndice);
        return ResultadoComando::Hecho;
    default:
        return ResultadoComando::NoEsSuyo;
    }
}

void CRecipiente::Olvidar(CEquipo* pEquipo) {
    if (m_pConectado == pEquipo)
        m_pConectado = nullptr;
}

int32_t CRecipiente::AddComponent(int32_t nComponente, double dCantidad, int32_t nUnidad) {
    const CComponentes* c = m_seno.Cat().Componente(nComponente);
    if (!c || !CantidadValida(dCantidad))
        return 0;
    double g = 0.0, ml = 0.0;
    c->MasaVolumen(c->AMoles(dCantidad, nUnidad), g, ml);
    // What the vessel already holds counts: only the free space can take more.
    if (ml + m_seno.Reserva() > EspacioLibre())
        return 0;
    m_seno.Agregar(nComponente, dCantidad, nUnidad);
    return 1;
}

int32_t CRecipiente::AddReagent(int32_t nReactivo, double dCantidad) {
    const CCatalogo& cat = m_seno.Cat();
    const CReactivos* pReactivo = cat.Reactivo(nReactivo);
    if (!pReactivo || !CantidadValida(dCantidad))
        return 0;
    const CReactivos& r = *pReactivo;
    if (r.VolumenEstimado(cat, dCantidad) > EspacioLibre())
        return 0;
    if (r.m_nEstado == 1) {
        const double dPorUnidad = r.MlPorUnidad(cat);
        if (dPorUnidad > 0.0)
            m_seno.AgregarReactivoEn(ESTADO_LIQUIDO, nReactivo, dCantidad / dPorUnidad);
    } else {
        const double dPorUnidad = r.GramosPorUnidad(cat);
        if (dPorUnidad > 0.0)
            m_seno.AgregarReactivoEn(ESTADO_SOLIDO, nReactivo, dCantidad / dPorUnidad);
    }
    return 1;
}

void CRecipiente::EmptyContents() {
    m_seno.Reiniciar();
}

double CRecipiente::PourLiquid(CRecipiente& destino, double dSolicitado) {
    if (&destino == this)
        return 0.0;
    const double dLibre = destino.EspacioLibre();
    double v = (dSolicitado > 0.0 && dSolicitado <= dLibre) ? dSolicitado : dLibre;
    if (VolumenLiquido() == 0.0 || v <= 0.0)
        return 0.0;
    v = std::min(v, VolumenLiquido());
    m_seno.VerterLiquido(destino.m_seno, v);
    destino.AlRecibir();
    return v;
}

double CRecipiente::PourSolid(CRecipiente& destino) {
    if (&destino == this)
        return 0.0;
    const double dLibre = destino.EspacioLibre();
    if (VolumenSolido() == 0.0 || dLibre <= 0.0)
        return 0.0;
    const double v = std::min(dLibre, VolumenSolido());
    m_seno.VerterSolido(destino.m_seno, v);
    destino.AlRecibir();
    return v;
}

void CRecipiente::ClearTitration() {
    m_lstTitulacion.clear();
    m_dTitulado = 0.0;
}

void CRecipiente::EscribirEstado(CArchivo& ar) const {
    ar << m_dTitulado << static_cast<int32_t>(m_lstTitulacion.size());
    for (const CPuntoTitulacion& p : m_lstTitulacion)
        ar << p.m_dVol << p.m_dPH;
}

void CRecipiente::LeerEstado(CArchivo& ar) {
    double dTitulado = 0.0;
    ar >> dTitulado;
    // Two doubles a point: a count the bytes cannot hold is refused before any allocation.
    const int32_t n = ar.LeerCuenta(2 * sizeof(double));
    std::list<CPuntoTitulacion> puntos;
    for (int32_t i = 0; i < n; ++i) {
        CPuntoTitulacion p;
        ar >> p.m_dVol >> p.m_dPH;
        puntos.push_back(p);
    }
    m_dTitulado = dTitulado;
    m_lstTitulacion = std::move(puntos);
}

// ---------------------------------------------------------------------------------------
// Drawing

void CRecipiente::CrearImagenes() {
    // The interior and its region are the picture's, shared with every vessel of the type;
    // only the colours and the particles are this vessel's own.
    const QImage& marco = Imagenes::Interior(m_nRecurso);
    m_imgLiquido = marco;
    m_imgSolido = marco;
    // New pictures: the first drawing colours them, whatever colour the phases were last
    // drawn in (a colour the practice file keeps, and which pictures do not depend on).
    m_colorImagenLiquido.reset();
    m_colorImagenSolido.reset();
    m_rgnInterior = Imagenes::RegionInterior(m_nRecurso);
    m_burbujas.resize(kParticulas);
    m_particulas.resize(kParticulas);
    for (int i = 0; i < kParticulas; ++i) {
        m_burbujas[static_cast<size_t>(i)].Crear(m_cx);
        m_particulas[static_cast<size_t>(i)].Crear(m_cx);
        m_particulas[static_cast<size_t>(i)].m_nFrame = i % 6;
    }
    m_bImagenes = true;
}

void CRecipiente::ActualizarImagen(int32_t nFase, QImage& imagen) {
    const CColorFase color = m_seno.ColorDe(nFase);
    std::optional<CColorFase>& hecho =
        nFase == ESTADO_SOLIDO ? m_colorImagenSolido : m_colorImagenLiquido;
    if (hecho && *hecho == color)
        return;
    hecho = color;
    m_seno.AnotarColorDibujado(nFase, color);
    imagen = Coloreada(nFase, color, 1.0);
}

std::vector<int32_t> CRecipiente::Texturas(int32_t nFase, const CColorFase& color) const {
    std::vector<int32_t> v;
    if (color.m_nTextura == 0 || m_seno.EstadoDe(nFase) != ESTADO_SOLIDO)
        return v;
    const CCatalogo& cat = m_seno.Cat();
    for (const CEntradaFase& e : m_seno.Contenido(nFase)) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (c && e.m_dMoles > 0.0 && c->m_nTextura != 0)
            v.push_back(c->m_nTextura);
    }
    return v;
}

QImage CRecipiente::Coloreada(int32_t nFase, const CColorFase& color, double dEscala) const {
    // Everything Colorear reads besides the picture: the scale, the colour and, for a
    // textured solid, which textures its components lay over it (ANDed, so neither their
    // order nor their amounts matter).
    const bool bTextura = color.m_nTextura != 0 && m_seno.EstadoDe(nFase) == ESTADO_SOLIDO;
    std::vector<int64_t> clave = {std::bit_cast<int64_t>(dEscala), color.m_crColor, bTextura};
    if (bTextura) {
        const size_t nFijos = clave.size();
        for (const int32_t t : Texturas(nFase, color))
            clave.push_back(t);
        std::sort(clave.begin() + static_cast<std::ptrdiff_t>(nFijos), clave.end());
        clave.erase(std::unique(clave.begin() + static_cast<std::ptrdiff_t>(nFijos), clave.end()),
                    clave.end());
    }
    return Imagenes::Compartida(m_nRecurso, clave, [&] {
        QImage imagen;
        Colorear(nFase, color, Imagenes::Interior(m_nRecurso, dEscala), dEscala, imagen);
        return imagen;
    });
}

void CRecipiente::Colorear(int32_t nFase, const CColorFase& color, const QImage& marco,
                           double dEscala, QImage& imagen) const {
    const int cx = marco.width(), cy = marco.height();
    QImage textura;
    if (const std::vector<int32_t> texturas = Texturas(nFase, color); !texturas.empty()) {
        textura = QImage(cx, cy, QImage::Format_RGB32);
        textura.fill(Qt::white);
        QPainter pt(&textura);
        pt.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        // The textures tile the interior in 8-pixel squares at 1.
        const QSize paso = Imagenes::CeldaEscalada(QSize(8, 8), dEscala);
        for (const int32_t t : texturas) {
            const QImage& bmp = Imagenes::Tira(Imagenes::IDB_TEXTURA + t, dEscala);
            if (bmp.isNull())
                continue;
            for (int y = 0; y < cy; y += paso.height())
                for (int x = 0; x < cx; x += paso.width())
                    pt.drawImage(QPoint(x, y), bmp,
                                 QRect(0, 0, std::min(paso.width(), cx - x),
                                       std::min(paso.height(), cy - y)));
        }
    }
    // Coloured afresh from the interior mask, so that no colour (white included) can wipe
    // the interior out of the image for the colours that follow. Opaque inside, clear
    // outside: laid over the picture it gives what the inverted mask by OR and the colour by
    // AND give, in one pass.
    imagen = QImage(cx, cy, QImage::Format_ARGB32_Premultiplied);
    const bool bLiquido = nFase == ESTADO_LIQUIDO;
    const QRgb rgb = (bLiquido ? ColorDelLiquido(color.m_crColor) : ColorDe(color.m_crColor)).rgb();
    const QRgb negro = qRgb(0, 0, 0);
    for (int y = 0; y < cy; ++y) {
        const auto* interior = reinterpret_cast<const QRgb*>(marco.constScanLine(y));
        auto* fila = reinterpret_cast<QRgb*>(imagen.scanLine(y));
        const auto* tex =
            textura.isNull() ? nullptr : reinterpret_cast<const QRgb*>(textura.constScanLine(y));
        for (int x = 0; x < cx; ++x) {
            if ((interior[x] & 0xFFFFFF) == 0xFFFFFF)
                fila[x] = 0;
            else
                fila[x] = (tex && (tex[x] & 0xFFFFFF) != 0xFFFFFF) ? negro : rgb;
        }
    }
}

const QImage& CRecipiente::ImagenEscalada(int32_t nFase, double dEscala) {
    CCapasEscaladas& e = m_escaladas;
    if (e.dEscala != dEscala || e.nRecurso != m_nRecurso) {
        e = CCapasEscaladas{};
        e.dEscala = dEscala;
        e.nRecurso = m_nRecurso;
    }
    // The colour is the one just drawn at 1.
    const CColorFase color = m_seno.ColorDibujado(nFase);
    const bool bSolido = nFase == ESTADO_SOLIDO;
    bool& bHecha = bSolido ? e.bSolido : e.bLiquido;
    CColorFase& hecho = bSolido ? e.colorSolido : e.colorLiquido;
    QImage& imagen = bSolido ? e.solido : e.liquido;
    if (!bHecha || !(hecho == color)) {
        imagen = Coloreada(nFase, color, dEscala);
        hecho = color;
        bHecha = true;
    }
    return imagen;
}

void CRecipiente::PintarFilas(QPainter& p, int32_t nFase, int xDesde, int y1, int y2, int cx) {
    // Levels above the top of the picture are clipped to it.
    y1 = std::clamp(y1, 0, m_cy);
    y2 = std::clamp(y2, 0, m_cy);
    xDesde = std::clamp(xDesde, 0, m_cx);
    cx = std::min(cx, m_cx - xDesde);
    if (y2 <= y1 || cx <= 0)
        return;
    const QRect fuente(xDesde, y1, cx, y2 - y1);
    const QPoint destino(m_x + xDesde, m_y + y1);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (p.deviceTransform().type() > QTransform::TxTranslate) {
        const QImage& imagen = ImagenEscalada(nFase, Imagenes::Escala(p));
        Imagenes::DibujarEscalada(p, destino, imagen, QSize(m_cx, m_cy), fuente);
        return;
    }
    p.drawImage(destino, nFase == ESTADO_SOLIDO ? m_imgSolido : m_imgLiquido, fuente);
}

int CRecipiente::PrimeraFilaDelContenido() {
    int y = m_cy;
    const bool bLiquido = VolumenLiquido() > 0.0 && m_seno.Tiene(ESTADO_LIQUIDO);
    if (bLiquido)
        y = std::min(y, GetLevelY(VolumenSolido() + VolumenLiquido()) - 3); // the meniscus
    if (m_seno.Tiene(ESTADO_SOLIDO))
        y = std::min(y, GetLevelY(VolumenSolido()) - 4); // the heap
    if (m_seno.Ebullicion() > 0 && VolumenLiquido() > 0.0)
        y = std::min(y, GetLevelY(VolumenOcupado()) - 4); // bubbles reach just above it
    if (m_seno.Tiene(ESTADO_GAS))
        y = std::min(y, GetLevelY(m_dCapacidad + 10.0)); // gas rises up to there
    // A couple of rows to spare: rows below this one are drawn the long way, which gives the
    // same pixels.
    return std::clamp(y - 2, 0, m_cy);
}

void CRecipiente::Draw(QPainter& p) {
    if (Tira().isNull()) {
        DibujarFigura(p);
        DibujarSeleccion(p);
        return;
    }
    if (!m_bImagenes)
        CrearImagenes();
    // Above the contents nothing comes between the picture and its overlay: those rows go in
    // one pass with the overlay already in the picture; below, picture, contents, overlay.
    const int yContenido = PrimeraFilaDelContenido();
    Imagenes::DibujarRecorte(p, QPoint(m_x, m_y), m_nRecurso, QRect(0, 0, m_cx, yContenido), true);
    Imagenes::DibujarRecorte(p, QPoint(m_x, m_y + yContenido), m_nRecurso,
                             QRect(0, yContenido, m_cx, m_cy - yContenido));
    p.save();
    const int B = m_nFondo;
    const double dLiquido = VolumenLiquido();
    const double dSolido = VolumenSolido();
    // Only a phase with something in it is drawn: the running volume can keep a crumb
    // (1e-12 ml) after the last entry left, and the colour of a phase with no entries is
    // black, which the elbow, whose level does not depend on the volume, drew as a block.
    if (dLiquido > 0.0 && m_seno.Tiene(ESTADO_LIQUIDO)) {
        const int y1 = GetLevelY(dSolido + dLiquido);
        ActualizarImagen(ESTADO_LIQUIDO, m_imgLiquido);
        PintarFilas(p, ESTADO_LIQUIDO, 0, y1, B, m_cx);
        if (y1 >= 1 && y1 < B)
            DibujarMenisco(p, y1);
    }
    if (m_seno.Tiene(ESTADO_SOLIDO)) {
        const int y1 = GetLevelY(dSolido);
        ActualizarImagen(ESTADO_SOLIDO, m_imgSolido);
        PintarFilas(p, ESTADO_SOLIDO, 0, y1, B, m_cx);
        // A small heap in two steps on top of the settled solid.
        const int W1 = (m_cx - 4) / 2;
        const int X0 = (m_cx - W1) / 2;
        PintarFilas(p, ESTADO_SOLIDO, X0, y1 - 2, y1, W1);
        const int W2 = W1 - 10 <= 10 ? 10 : W1 - 10;
        const int X1 = (m_cx - W2) / 2;
        PintarFilas(p, ESTADO_SOLIDO, X1, y1 - 4, y1 - 2, W2);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    DibujarBurbujas(p);
    DibujarGas(p);
    m_bAnimar = 0;
    if (yContenido < m_cy) {
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        Imagenes::Dibujar(p, QPoint(m_x, m_y + yContenido), m_nRecurso,
                          QRect(2 * m_cx, yContenido, m_cx, m_cy - yContenido));
    }
    p.restore();
    DibujarEtiqueta(p);
    DibujarSeleccion(p);
}

void CRecipiente::DibujarMenisco(QPainter& p, int y1) {
    // A clear line just above the liquid's top row, rising a little against the walls as
    // water does, so that the level is read where the line is lowest, as on real glass.
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRegion(m_rgnInterior.translated(m_x, m_y), Qt::IntersectClip);
    p.setPen(QPen(ColorDelMenisco(m_seno.ColorDibujado(ESTADO_LIQUIDO).m_crColor), 1));
    const QRect fila = m_rgnInterior.intersected(QRect(0, y1, m_cx, 1)).boundingRect();
    const int y = m_y + y1 - 1;
    if (fila.width() >= 12) {
        const int l = m_x + fila.left(), r = m_x + fila.right();
        const QPoint puntos[] = {{l, y - 2}, {l + 2, y}, {r - 2, y}, {r, y - 2}};
        p.drawPolyline(puntos, 4);
    } else {
        p.drawLine(m_x, y, m_x + m_cx - 1, y);
    }
    p.restore();
}

void CRecipiente::DibujarBurbujas(QPainter& p) {
    const int n = std::min(m_seno.Ebullicion(), 30);
    if (n <= 0 || !(VolumenLiquido() > 0.0))
        return;
    const int B = m_nFondo;
    const int L = GetLevelY(VolumenOcupado());
    p.save();
    p.setPen(QPen(QColor(0x3c, 0x53, 0x66), 1));
    p.setBrush(Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Bubbles stay inside the glass.
    p.setClipRegion(m_rgnInterior.translated(m_x, m_y), Qt::IntersectClip);
    for (int i = 0; i < n; ++i) {
        CBurbuja& b = m_burbujas[static_cast<size_t>(i)];
        const QRect r = b.Rect();
        if (r.top() + r.height() < L - B) {
            b.Crear(m_cx);
            continue;
        }
        const QRect enVaso = r.translated(0, B);
        if (m_rgnInterior.intersects(enVaso))
            p.drawEllipse(enVaso.translated(m_x, m_y).adjusted(0, 0, -1, -1));
        if (m_bAnimar)
            b.Mover();
    }
    p.restore();
}

void CRecipiente::DibujarGas(QPainter& p) {
    if (!m_seno.Tiene(ESTADO_GAS))
        return;
    const QImage& sprite = Imagenes::Tira(Imagenes::IDB_PARTICULA_GAS);
    const int T = GetLevelY(VolumenOcupado());
    const int F = GetLevelY(m_dCapacidad + 10.0);
    for (CParticulaGas& g : m_particulas) {
        if (g.m_y > F - T) {
            const QRect enVaso = g.Rect().translated(0, T);
            if (!sprite.isNull() && m_rgnInterior.intersects(enVaso)) {
                const QPoint donde(m_x + enVaso.left(), m_y + enVaso.top());
                Imagenes::DibujarRecorte(p, donde, Imagenes::IDB_PARTICULA_GAS,
                                         QRect(3 * g.m_nFrame, 0, 3, 4));
            }
            if (m_bAnimar)
                g.Mover();
        } else {
            g.Crear(m_cx);
        }
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CRecipiente::DibujarEtiqueta(QPainter& p) const {
    if (m_rcEtiqueta.isEmpty())
        return;
    const QRect r = m_rcEtiqueta.translated(m_x, m_y).adjusted(0, 0, 1, 1);
    p.fillRect(r, Qt::white);
    if (m_strEtiqueta.empty())
        return;
    const QPoint esquina(m_x + m_rcEtiqueta.left() + 1, m_y + m_rcEtiqueta.top() - 2);
    p.drawText(QRect(esquina, QSize(200, 40)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               QString::fromStdString(m_strEtiqueta));
}
