#include "equipment/Destilacion.h"

#include "equipment/Dibujo.h"
#include "equipment/Imagenes.h"
#include "equipment/ListaEquipo.h"

#include <QPainter>

#include <algorithm>

// ---------------------------------------------------------------------------------------
// Boiling flask

CMatrazBalon::CMatrazBalon() {
    Iniciar(TipoEquipo::MatrazBalon);
}

CMatrazBalon::~CMatrazBalon() = default;

void CMatrazBalon::BuildMenu(CMenu& menu) {
    CRecipiente::BuildMenu(menu);
    if (m_pReflujo) {
        menu.push_back({ID_ELIMINAR_REFLUJO, "Eliminar condensador de reflujo"});
    } else if (!m_pCabeza) {
        menu.push_back({ID_CABEZA_DESTILACION, "Cabeza de destilación"});
        menu.push_back({ID_CONDENSADOR_REFLUJO, "Condensador de reflujo"});
    } else if (!m_pCondensador) {
        menu.push_back({ID_CONDENSADOR, "Condensador"});
    } else if (!m_pCodo) {
        menu.push_back({ID_CODO_DESTILACION, "Codo de destilación"});
    } else {
        menu.push_back({ID_ELIMINAR_DESTILACION, "Eliminar equipo de destilación"});
    }
}

std::vector<CEquipo*> CMatrazBalon::Piezas() const {
    std::vector<CEquipo*> v;
    for (CEquipo* p :
         std::initializer_list<CEquipo*>{m_pCabeza, m_pCondensador, m_pCodo, m_pReflujo})
        if (p)
            v.push_back(p);
    return v;
}

ResultadoComando CMatrazBalon::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    switch (nComando) {
    case ID_CABEZA_DESTILACION:
        return PonerCabeza(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    case ID_CONDENSADOR:
        return PonerCondensador(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    case ID_CODO_DESTILACION:
        return PonerCodo(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    case ID_CONDENSADOR_REFLUJO:
        return PonerReflujo(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    case ID_ELIMINAR_REFLUJO:
        QuitarReflujo(lista);
        return ResultadoComando::Hecho;
    case ID_ELIMINAR_DESTILACION:
        QuitarDestilacion(lista);
        return ResultadoComando::Hecho;
    default:
        return CRecipiente::Ejecutar(nComando, lista, a);
    }
}

void CMatrazBalon::MoveBy(int32_t dx, int32_t dy) {
    Desplazar(dx, dy);
    for (CEquipo* p : Piezas())
        p->Desplazar(dx, dy);
}

void CMatrazBalon::Olvidar(CEquipo* pEquipo) {
    CRecipiente::Olvidar(pEquipo);
    if (pEquipo == m_pCabeza)
        m_pCabeza = nullptr;
    if (pEquipo == m_pCondensador)
        m_pCondensador = nullptr;
    if (pEquipo == m_pCodo)
        m_pCodo = nullptr;
    if (pEquipo == m_pReflujo)
        m_pReflujo = nullptr;
}

CCabezaDestilacion* CMatrazBalon::PonerCabeza(CListaEquipo& lista) {
    if (m_pCabeza || m_pReflujo)
        return nullptr;
    m_pCabeza = MontarPieza<CCabezaDestilacion>(lista, *this, 0, -200);
    m_pConectado = m_pCabeza;
    return m_pCabeza;
}

CCondensador* CMatrazBalon::PonerCondensador(CListaEquipo& lista) {
    if (!m_pCabeza || m_pCondensador)
        return nullptr;
    m_pCondensador = MontarPieza<CCondensador>(lista, *this, 67, -45);
    m_pCabeza->m_pConectado = m_pCondensador;
    return m_pCondensador;
}

CCodoDestilacion* CMatrazBalon::PonerCodo(CListaEquipo& lista) {
    if (!m_pCondensador || m_pCodo)
        return nullptr;
    m_pCodo = MontarPieza<CCodoDestilacion>(lista, *this, 241, 20);
    m_pCondensador->m_pConectado = m_pCodo;
    return m_pCodo;
}

CCondensadorReflujo* CMatrazBalon::PonerReflujo(CListaEquipo& lista) {
    if (m_pCabeza || m_pReflujo)
        return nullptr;
    m_pReflujo = MontarPieza<CCondensadorReflujo>(lista, *this, 0, -158);
    m_pConectado = m_pReflujo;
    m_pReflujo->m_pConectado = this;
    return m_pReflujo;
}

void CMatrazBalon::QuitarDestilacion(CListaEquipo& lista) {
    // Each removal clears the flask's own links through Olvidar.
    for (CEquipo* p : std::initializer_list<CEquipo*>{m_pCodo, m_pCondensador, m_pCabeza})
        if (p)
            lista.Eliminar(p);
    m_pConectado = nullptr;
}

void CMatrazBalon::QuitarReflujo(CListaEquipo& lista) {
    if (m_pReflujo)
        lista.Eliminar(m_pReflujo);
    m_pConectado = nullptr;
}

// ---------------------------------------------------------------------------------------
// Distillation head: passes the flask's vapour on to the condenser and shows the
// temperature of the flask on its thermometer.

CCabezaDestilacion::CCabezaDestilacion() {
    Iniciar(TipoEquipo::CabezaDestilacion);
}

int32_t CCabezaDestilacion::Step() {
    const double a = m_seno.MolesDe(ESTADO_GAS);
    if (a != 0.0)
        m_seno.PasarGas(m_pConectado ? &m_pConectado->m_seno : nullptr, a >= 0.00001 ? 0.5 : 1.0);
    return 0;
}

void CCabezaDestilacion::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CMatrazBalon&>(padre);
    matraz.m_pCabeza = this;
    matraz.m_pConectado = this;
    m_pPadre = &matraz;
}

void CCabezaDestilacion::Draw(QPainter& p) {
    CRecipiente::Draw(p);
    // Without its flask the head has no temperature to show.
    if (!m_pPadre || Tira().isNull())
        return;
    const double T = m_pPadre->Temperatura();
    // Clamped before the conversion: the column stops at the top of the picture anyway.
    int a = 78 - static_cast<int>(std::clamp(0.25 * T, -1000.0, 1000.0));
    if (a <= 1)
        a = 2;
    p.save();
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(m_x + 40, m_y + 78, m_x + 40, m_y + a);
    p.setFont(Dibujo::Arial(12));
    p.setPen(QColor(0, 0, 255));
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(QColor(255, 255, 0));
    Dibujo::Texto(p, m_x + 27, m_y + 1, QString::asprintf("%.0f ºC", T));
    p.restore();
}

// ---------------------------------------------------------------------------------------
// Condenser: condenses the vapour and lets a tenth of its liquid run on every tick.

CCondensador::CCondensador() {
    Iniciar(TipoEquipo::Condensador);
}

int32_t CCondensador::Condensar(double dMaximo) {
    int32_t nResultado = 0;
    if (m_seno.Tiene(ESTADO_GAS))
        nResultado = m_seno.CondensarGas(dMaximo);
    // The condensed liquid keeps running on even after the vapour stops, so that no drops
    // stay behind in the glass.
    const double b = m_seno.MolesDe(ESTADO_LIQUIDO);
    if (b > 0.0)
        m_seno.PasarLiquido(m_pConectado ? &m_pConectado->m_seno : nullptr,
                            b >= 0.00001 ? 0.1 : 1.0);
    return nResultado;
}

int32_t CCondensador::Step() {
    return Condensar(0.001);
}

void CCondensador::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CMatrazBalon&>(padre);
    matraz.m_pCondensador = this;
    m_pPadre = &matraz;
    if (matraz.m_pCabeza)
        matraz.m_pCabeza->m_pConectado = this;
}

// ---------------------------------------------------------------------------------------
// Elbow: lets the distillate drop into the vessel standing below it.

CCodoDestilacion::CCodoDestilacion() : m_rcGota(Dibujo::RectLTRB(43, 83, 49, 92)) {
    Iniciar(TipoEquipo::CodoDestilacion);
}

int32_t CCodoDestilacion::Step() {
    const double x = m_seno.MolesDe(ESTADO_LIQUIDO);
    if (x > 0.0) {
        m_bGota = !m_bGota;
        m_seno.PasarLiquido(m_pConectado ? &m_pConectado->m_seno : nullptr,
                            x >= 0.0001 ? 0.5 : 1.0);
        return 1;
    }
    m_bGota = 0;
    return 0;
}

void CCodoDestilacion::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CMatrazBalon&>(padre);
    matraz.m_pCodo = this;
    m_pPadre = &matraz;
    if (matraz.m_pCondensador)
        matraz.m_pCondensador->m_pConectado = this;
}

void CCodoDestilacion::Draw(QPainter& p) {
    CRecipiente::Draw(p);
    if (!m_bGota || Tira().isNull())
        return;
    p.save();
    p.setPen(QPen(QColor(0x3c, 0x53, 0x66), 1));
    p.setBrush(QColor(0xd8, 0xec, 0xf8));
    p.drawEllipse(m_rcGota.translated(m_x, m_y).adjusted(0, 0, -1, -1));
    p.restore();
}

// ---------------------------------------------------------------------------------------
// Reflux condenser: condenses faster and returns the liquid to the flask.

CCondensadorReflujo::CCondensadorReflujo() {
    Iniciar(TipoEquipo::CondensadorReflujo);
}

int32_t CCondensadorReflujo::Step() {
    return Condensar(0.01);
}

void CCondensadorReflujo::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CMatrazBalon&>(padre);
    matraz.m_pReflujo = this;
    matraz.m_pConectado = this;
    m_pPadre = &matraz;
    m_pConectado = &matraz;
}
