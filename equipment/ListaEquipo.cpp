#include "ListaEquipo.h"

#include "Archivo.h"
#include "Calentadores.h"
#include "Calorimetro.h"
#include "Destilacion.h"
#include "Erlenmeyer250.h"
#include "Instrumentos.h"
#include "Recipientes.h"
#include "Vasos.h"

#include <algorithm>
#include <memory>

namespace {

// Rectangles as the searches see them: left and top inside, right and bottom outside.
struct Rect {
    int l, t, r, b;
    bool Corta(const Rect& o) const {
        return std::max(l, o.l) < std::min(r, o.r) && std::max(t, o.t) < std::min(b, o.b);
    }
};

Rect Area(const CEquipo* e) {
    return {e->m_x, e->m_y, e->m_x + e->m_cx, e->m_y + e->m_cy};
}

} // namespace

CListaEquipo::~CListaEquipo() {
    Limpiar();
}

void CListaEquipo::AgregarAlFrente(CEquipo* pEquipo) {
    m_lista.push_front(pEquipo);
}

void CListaEquipo::AgregarAlFinal(CEquipo* pEquipo) {
    m_lista.push_back(pEquipo);
}

bool CListaEquipo::Contiene(const CEquipo* pEquipo) const {
    return std::find(m_lista.begin(), m_lista.end(), pEquipo) != m_lista.end();
}

void CListaEquipo::MoverAlFinal(CEquipo* pEquipo) {
    auto it = std::find(m_lista.begin(), m_lista.end(), pEquipo);
    if (it != m_lista.end())
        m_lista.splice(m_lista.end(), m_lista, it);
}

void CListaEquipo::MoverAlFrente(CEquipo* pEquipo) {
    auto it = std::find(m_lista.begin(), m_lista.end(), pEquipo);
    if (it != m_lista.end())
        m_lista.splice(m_lista.begin(), m_lista, it);
}

bool CListaEquipo::Eliminar(CEquipo* pEquipo) {
    auto it = std::find(m_lista.begin(), m_lista.end(), pEquipo);
    if (it == m_lista.end())
        return false;
    // The pieces go first, each leaving no link behind.
    for (CEquipo* pPieza : pEquipo->Piezas())
        Eliminar(pPieza);
    it = std::find(m_lista.begin(), m_lista.end(), pEquipo);
    m_lista.erase(it);
    for (CEquipo* e : m_lista)
        e->Olvidar(pEquipo);
    if (m_fnAlEliminar)
        m_fnAlEliminar(pEquipo);
    delete pEquipo;
    return true;
}

void CListaEquipo::Limpiar() {
    // When everything goes, no item needs to forget another one by one (that made clearing
    // quadratic): the list is taken apart first, the watchers hear of every item while all
    // of them still exist, and then each is destroyed. No item's destructor looks at
    // another item.
    std::list<CEquipo*> lista;
    lista.swap(m_lista);
    if (m_fnAlEliminar)
        for (CEquipo* e : lista)
            m_fnAlEliminar(e);
    for (CEquipo* e : lista)
        delete e;
}

CEquipo* CListaEquipo::FindVesselOnSource(const CEquipo* pFuente, bool bWhole) const {
    Rect a = Area(pFuente);
    if (!bWhole) {
        a.t = pFuente->m_y - 5;
        a.b = pFuente->m_y + 5;
    }
    for (CEquipo* e : m_lista) {
        if (e == pFuente)
            continue;
        Rect b = Area(e);
        const int nFondo = b.b;
        b.t = nFondo - 5;
        b.b = nFondo + 5;
        if (b.Corta(a))
            return e;
    }
    return nullptr;
}

CRecipiente* CListaEquipo::FindVesselBelow(const CEquipo* pEquipo) const {
    Rect a = Area(pEquipo);
    const int nFondo = a.b;
    a.t = nFondo - 5;
    a.b = nFondo + 100;
    for (CEquipo* e : m_lista) {
        if (e == pEquipo || e->m_nCategoria != CATEGORIA_RECIPIENTE)
            continue;
        Rect b = Area(e);
        b.t = e->m_y - 5;
        b.b = e->m_y + 5;
        if (b.Corta(a))
            return static_cast<CRecipiente*>(e);
    }
    return nullptr;
}

CRecipiente* CListaEquipo::FindVesselAtProbe(const CEquipo* pEquipo) const {
    const QPoint p(pEquipo->m_x + pEquipo->m_ptSonda.x(), pEquipo->m_y + pEquipo->m_ptSonda.y());
    for (CEquipo* e : m_lista) {
        if (e == pEquipo || e->m_nCategoria != CATEGORIA_RECIPIENTE)
            continue;
        if (e->HitTest(p))
            return static_cast<CRecipiente*>(e);
    }
    return nullptr;
}

bool CListaEquipo::PasoSimulacion() {
    bool bCambio = false;
    for (CEquipo* e : m_lista) {
        switch (e->m_nCategoria) {
        case CATEGORIA_RECIPIENTE: {
            auto* r = static_cast<CRecipiente*>(e);
            if (r->m_nTipo == 22 || r->m_nTipo == 23 || r->m_nTipo == 32)
                r->m_pConectado = FindVesselBelow(r);
            else if (r->m_nTipo == 34)
                r->m_pConectado = FindVesselAtProbe(r);
            r->m_bAnimar = 1;
            r->m_seno.m_bCalentado = 0;
            bCambio |= r->Step() != 0;
            break;
        }
        case CATEGORIA_CALENTADOR: {
            auto* c = static_cast<CCalentador*>(e);
            bCambio |= c->AdvanceFrame() != 0;
            CEquipo* v = FindVesselOnSource(c, c->m_nTipo == 47);
            if (v && v->m_nCategoria == CATEGORIA_RECIPIENTE) {
                auto* r = static_cast<CRecipiente*>(v);
                r->m_seno.m_dCondensacion = c->m_nTipo == 47 ? 0.01 : 0.0001;
                r->m_seno.Calentar(c->m_dPotencia);
                bCambio = true;
            }
            break;
        }
        case CATEGORIA_INSTRUMENTO: {
            auto* i = static_cast<CInstrumento*>(e);
            bCambio |= i->Tick() != 0;
            CRecipiente* v = FindVesselAtProbe(i);
            if (v || i->m_nTipo == 35)
                bCambio |= i->Attach(v) != 0;
            else
                bCambio |= i->Detach() != 0;
            break;
        }
        default:
            break;
        }
    }
    return bCambio;
}

CEquipo* CListaEquipo::CrearEquipo(int32_t nTipo) {
    switch (nTipo) {
    case 1:
        return new CVaso100;
    case 2:
        return new CVaso250;
    case 3:
        return new CVaso600;
    case 4:
        return new CErlenmeyer100;
    case 5:
        return new CErlenmeyer250;
    case 6:
        return new CMatrazBalon;
    case 7:
        return new CProbeta10;
    case 8:
        return new CProbeta100;
    case 9:
        return new CTuboEnsaye;
    case 10:
        return new CVidrioReloj;
    case 11:
        return new CCrisol;
    case 12:
        return new CCalorimetro;
    case 13:
        return new CMatrazGases;
    case 20:
        return new CBureta10;
    case 21:
        return new CBureta50;
    case 22:
        return new CPipetaGraduada;
    case 23:
        return new CPipetaVolumetrica;
    case 30:
        return new CCabezaDestilacion;
    case 31:
        return new CCondensador;
    case 32:
        return new CCodoDestilacion;
    case 33:
        return new CFiltroBuchner;
    case 34:
        return new CTuboVidrio;
    case 35:
        return new CTapaCalorimetro;
    case 36:
        return new CCondensadorReflujo;
    case 40:
        return new CMechero;
    case 41:
        return new CParrilla;
    case 42:
        return new CAgitador;
    case 43:
        return new CTermometro;
    case 44:
        return new CPHmetro;
    case 45:
        return new CBalanza;
    case 46:
        return new CConductimetro;
    case 47:
        return new CBanoHielo;
    default:
        return nullptr;
    }
}

void CListaEquipo::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_lista.size());
        for (auto it = m_lista.rbegin(); it != m_lista.rend(); ++it) {
            ar << (*it)->m_nTipo;
            (*it)->Serialize(ar);
        }
        return;
    }
    Limpiar();
    // Every item takes at least its type code and its corner, and no classroom bench holds
    // anywhere near the cap.
    const int32_t n = ar.LeerCuenta(12);
    if (n > Limites::kEquipos)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "demasiados equipos: " + std::to_string(n));
    for (int32_t i = 0; i < n; ++i) {
        const int32_t nTipo = ar.LeerInt32();
        std::unique_ptr<CEquipo> e(CrearEquipo(nTipo));
        if (!e)
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                                "tipo de equipo desconocido: " + std::to_string(nTipo));
        e->Serialize(ar);
        m_lista.push_front(e.release());
    }
    Relink();
}

void CListaEquipo::Relink() {
    for (CEquipo* e : m_lista)
        e->Relink(*this);
}
