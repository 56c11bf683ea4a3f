#include "equipment/Erlenmeyer250.h"

#include "equipment/Imagenes.h"
#include "equipment/ListaEquipo.h"
#include "model/Archivo.h"

CErlenmeyer250::CErlenmeyer250() {
    Iniciar(TipoEquipo::Erlenmeyer250);
}

void CErlenmeyer250::BuildMenu(CMenu& menu) {
    CRecipiente::BuildMenu(menu);
    if (m_pEmbudo) {
        menu.push_back({ID_ELIMINAR_EMBUDO, "Eliminar Embudo"});
    } else if (m_pTubo) {
        menu.push_back({ID_ELIMINAR_TUBO, "Eliminar tubo de desprendimiento"});
    } else {
        menu.push_back({ID_EMBUDO_BUCHNER, "Embudo Buchner"});
        menu.push_back({ID_TUBO_DESPRENDIMIENTO, "Tubo de desprendimiento"});
    }
}

std::vector<CEquipo*> CErlenmeyer250::Piezas() const {
    std::vector<CEquipo*> v;
    if (m_pEmbudo)
        v.push_back(static_cast<CEquipo*>(m_pEmbudo));
    if (m_pTubo)
        v.push_back(static_cast<CEquipo*>(m_pTubo));
    return v;
}

void CErlenmeyer250::MoveBy(int32_t dx, int32_t dy) {
    Desplazar(dx, dy);
    for (CEquipo* p : Piezas())
        p->Desplazar(dx, dy);
}

void CErlenmeyer250::Olvidar(CEquipo* pEquipo) {
    CRecipiente::Olvidar(pEquipo);
    if (pEquipo == static_cast<CEquipo*>(m_pEmbudo))
        m_pEmbudo = nullptr;
    if (pEquipo == static_cast<CEquipo*>(m_pTubo))
        m_pTubo = nullptr;
}

CPeticion CErlenmeyer250::Pide(int nComando) const {
    CPeticion p;
    if (nComando == ID_TUBO_DESPRENDIMIENTO) {
        p.m_eTipo = CPeticion::Tipo::Salida;
    } else if (nComando == ID_ELIMINAR_EMBUDO && EmbudoConPrecipitado()) {
        p.m_eTipo = CPeticion::Tipo::Confirmar;
        p.m_strPregunta = kTextoPrecipitado;
    } else {
        return CRecipiente::Pide(nComando);
    }
    return p;
}

ResultadoComando CErlenmeyer250::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    switch (nComando) {
    case ID_EMBUDO_BUCHNER:
        return PonerEmbudo(lista) ? ResultadoComando::Hecho : ResultadoComando::SinEfecto;
    case ID_ELIMINAR_EMBUDO:
        QuitarEmbudo(lista);
        return ResultadoComando::Hecho;
    case ID_TUBO_DESPRENDIMIENTO:
        return PonerTubo(lista, a.m_nOpcion) ? ResultadoComando::Hecho
                                             : ResultadoComando::SinEfecto;
    case ID_ELIMINAR_TUBO:
        QuitarTubo(lista);
        return ResultadoComando::Hecho;
    default:
        return CRecipiente::Ejecutar(nComando, lista, a);
    }
}

CFiltroBuchner* CErlenmeyer250::PonerEmbudo(CListaEquipo& lista) {
    if (m_pEmbudo || m_pTubo)
        return nullptr;
    m_pEmbudo = MontarPieza<CFiltroBuchner>(lista, *this, 5, -25);
    m_pEmbudo->m_pConectado = this;
    return m_pEmbudo;
}

CTuboVidrio* CErlenmeyer250::PonerTubo(CListaEquipo& lista, int32_t nSalida) {
    if (m_pEmbudo || m_pTubo)
        return nullptr;
    m_pTubo = MontarPieza<CTuboVidrio>(lista, *this, nSalida == 1 ? -71 : 0, -25, nSalida);
    m_pConectado = m_pTubo;
    return m_pTubo;
}

bool CErlenmeyer250::EmbudoConPrecipitado() const {
    return m_pEmbudo && m_pEmbudo->m_seno.Tiene(ESTADO_SOLIDO);
}

void CErlenmeyer250::QuitarEmbudo(CListaEquipo& lista) {
    if (m_pEmbudo)
        lista.Eliminar(m_pEmbudo);
}

void CErlenmeyer250::QuitarTubo(CListaEquipo& lista) {
    if (m_pTubo)
        lista.Eliminar(m_pTubo);
    m_pConectado = nullptr;
}

// ---------------------------------------------------------------------------------------
// Buchner filter: lets 60 % of its liquid through to the flask every tick and keeps the
// solid.

CFiltroBuchner::CFiltroBuchner() {
    Iniciar(TipoEquipo::FiltroBuchner);
}

int32_t CFiltroBuchner::Step() {
    const double x = m_seno.MolesDe(ESTADO_LIQUIDO);
    // Without its flask the liquid has nowhere to run and stays in the filter.
    if (x > 0.0 && m_pConectado) {
        m_seno.PasarLiquido(&m_pConectado->m_seno, x >= 0.00001 ? 0.6 : 1.0);
        return 1;
    }
    return 0;
}

void CFiltroBuchner::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CErlenmeyer250&>(padre);
    matraz.m_pEmbudo = this;
    m_pPadre = &matraz;
    m_pConectado = &matraz;
}

// ---------------------------------------------------------------------------------------
// Delivery tube: carries the flask's gas to the vessel under its outlet, whose reactions
// then run.

CTuboVidrio::CTuboVidrio() : CTuboVidrio(0) {}

CTuboVidrio::CTuboVidrio(int32_t nSalida) {
    Iniciar(TipoEquipo::TuboVidrio);
    SetSalida(nSalida);
}

void CTuboVidrio::SetSalida(int32_t nSalida) {
    m_nSalida = nSalida == 1 ? 1 : 0;
    m_nRecurso = m_nSalida == 1 ? Imagenes::IDB_TUBO_IZQUIERDA : Imagenes::IDB_TUBO_DERECHA;
    m_bTiraCargada = false;
    m_ptSonda = m_nSalida == 1 ? QPoint(3, 117) : QPoint(150, 117);
}

int32_t CTuboVidrio::Step() {
    int32_t n = StepComun();
    if (m_pConectado)
        n |= m_pConectado->m_seno.Reaccionar();
    return n;
}

void CTuboVidrio::Serialize(CArchivo& ar) {
    CRecipiente::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_nSalida;
    } else {
        int32_t n = 0;
        ar >> n;
        if (n != 0 && n != 1)
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                                "salida desconocida de un tubo de vidrio");
        SetSalida(n);
    }
}

void CTuboVidrio::Enlazar(CRecipiente& padre) {
    auto& matraz = static_cast<CErlenmeyer250&>(padre);
    matraz.m_pTubo = this;
    matraz.m_pConectado = this;
    m_pPadre = &matraz;
}
