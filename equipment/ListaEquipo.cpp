#include "equipment/ListaEquipo.h"

#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Archivo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

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

// The bands the searches compare. Bottom band of any item: where it rests on a source.
Rect Fondo(const CEquipo* e) {
    Rect b = Area(e);
    const int nFondo = b.b;
    b.t = nFondo - 5;
    b.b = nFondo + 5;
    return b;
}

// Mouth band of a vessel: where a pipette or the elbow drips into it.
Rect Boca(const CEquipo* e) {
    Rect b = Area(e);
    b.t = e->m_y - 5;
    b.b = e->m_y + 5;
    return b;
}

// What a heat source touches: its top band, or all of it (the ice bath).
Rect ZonaFuente(const CEquipo* pFuente, bool bWhole) {
    Rect a = Area(pFuente);
    if (!bWhole) {
        a.t = pFuente->m_y - 5;
        a.b = pFuente->m_y + 5;
    }
    return a;
}

// What lies under a pipette or the elbow.
Rect ZonaDebajo(const CEquipo* pEquipo) {
    Rect a = Area(pEquipo);
    const int nFondo = a.b;
    a.t = nFondo - 5;
    a.b = nFondo + 100;
    return a;
}

QPoint Sonda(const CEquipo* e) {
    return QPoint(e->m_x + e->m_ptSonda.x(), e->m_y + e->m_ptSonda.y());
}

} // namespace

// A uniform grid of 256-pixel cells for each kind of search, kept as sorted (cell, item)
// pairs. Items are numbered in list order, so that among the candidates the first in the
// list wins, as in a search of the whole list.
struct CListaEquipo::Indice {
    static constexpr int kLado = 256;
    // Every band goes into the grid this much wider on each side, so that an item that has
    // moved a little since (a stirrer shakes 2 pixels a tick) is still found where it is.
    static constexpr int kMargen = 16;
    static constexpr int kTolerancia = kMargen - 4;
    // Something spanning more cells than this (no real item does) is always a candidate.
    static constexpr int64_t kCeldasMaximas = 64;

    struct Entrada {
        int64_t nCelda;
        uint32_t n;
        bool operator<(const Entrada& o) const {
            return nCelda != o.nCelda ? nCelda < o.nCelda : n < o.n;
        }
    };
    struct Rejilla {
        std::vector<Entrada> celdas;
        std::vector<uint32_t> siempre;
    };

    // What the index was built from, item by item: another item, size or kind, or a move
    // beyond the margin, means building it again.
    struct Huella {
        const CEquipo* p;
        int32_t x, y, cx, cy, nCategoria, nTipo;
        bool Vale(const CEquipo* e) const {
            return p == e && cx == e->m_cx && cy == e->m_cy && nCategoria == e->m_nCategoria &&
                   nTipo == e->m_nTipo && std::abs(int64_t(e->m_x) - x) <= kTolerancia &&
                   std::abs(int64_t(e->m_y) - y) <= kTolerancia;
        }
    };

    std::vector<Huella> huellas;
    std::vector<CEquipo*> items;
    Rejilla fondos, bocas, areas;

    static int64_t Celda(int64_t c) { return c >= 0 ? c / kLado : -((-c + kLado - 1) / kLado); }
    static int64_t Clave(int64_t cx, int64_t cy) { return (cx << 32) ^ (cy & 0xFFFFFFFF); }

    // Calls f with each cell key of the rectangle; false when it spans too many.
    template <class F> static bool Celdas(const Rect& r, F&& f) {
        if (r.r <= r.l || r.b <= r.t)
            return true; // empty: meets nothing
        const int64_t x0 = Celda(r.l), x1 = Celda(int64_t(r.r) - 1);
        const int64_t y0 = Celda(r.t), y1 = Celda(int64_t(r.b) - 1);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > kCeldasMaximas)
            return false;
        for (int64_t cx = x0; cx <= x1; ++cx)
            for (int64_t cy = y0; cy <= y1; ++cy)
                f(Clave(cx, cy));
        return true;
    }

    static void Poner(Rejilla& g, const Rect& r, uint32_t n) {
        const Rect ancho{r.l - kMargen, r.t - kMargen, r.r + kMargen, r.b + kMargen};
        if (!Celdas(ancho, [&](int64_t k) { g.celdas.push_back({k, n}); }))
            g.siempre.push_back(n);
    }

    // The first item (in list order) among the candidates of the rectangle that passes the
    // test; every item when the rectangle itself is too large for the grid.
    template <class T> CEquipo* Primero(const Rejilla& g, const Rect& r, T&& prueba) const {
        uint32_t nMejor = UINT32_MAX;
        auto mirar = [&](uint32_t n) {
            if (n < nMejor && prueba(items[n]))
                nMejor = n;
        };
        const bool bRejilla = Celdas(r, [&](int64_t k) {
            auto it = std::lower_bound(g.celdas.begin(), g.celdas.end(), Entrada{k, 0});
            for (; it != g.celdas.end() && it->nCelda == k && it->n < nMejor; ++it)
                mirar(it->n);
        });
        if (!bRejilla)
            for (uint32_t n = 0; n < items.size() && n < nMejor; ++n)
                mirar(n);
        for (uint32_t n : g.siempre)
            mirar(n);
        return nMejor == UINT32_MAX ? nullptr : items[nMejor];
    }
};

CListaEquipo::CListaEquipo(const CCatalogo* pCatalogo) : m_pCatalogo(pCatalogo) {}

CListaEquipo::~CListaEquipo() {
    Limpiar();
}

const CListaEquipo::Indice& CListaEquipo::IndiceAlDia() {
    // Checking is a walk over the list with no search in it; building is only needed after
    // the student changed the bench.
    bool bAlDia = m_pIndice && m_pIndice->huellas.size() == m_lista.size();
    if (bAlDia) {
        size_t i = 0;
        for (const CEquipo* e : m_lista) {
            if (!m_pIndice->huellas[i++].Vale(e)) {
                bAlDia = false;
                break;
            }
        }
    }
    if (bAlDia)
        return *m_pIndice;
    auto ix = std::make_unique<Indice>();
    ix->huellas.reserve(m_lista.size());
    ix->items.reserve(m_lista.size());
    uint32_t n = 0;
    for (CEquipo* e : m_lista) {
        ix->huellas.push_back({e, e->m_x, e->m_y, e->m_cx, e->m_cy, e->m_nCategoria, e->m_nTipo});
        ix->items.push_back(e);
        Indice::Poner(ix->fondos, Fondo(e), n);
        if (e->m_nCategoria == CATEGORIA_RECIPIENTE) {
            Indice::Poner(ix->bocas, Boca(e), n);
            // HitTest takes the item's own rectangle, last row and column included.
            const QRect& rc = e->m_rcArea;
            Indice::Poner(ix->areas, {rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1}, n);
        }
        ++n;
    }
    for (Indice::Rejilla* g : {&ix->fondos, &ix->bocas, &ix->areas})
        std::sort(g->celdas.begin(), g->celdas.end());
    m_pIndice = std::move(ix);
    return *m_pIndice;
}

CEquipo* CListaEquipo::FindVesselOnSource(const Indice& ix, const CEquipo* pFuente,
                                          bool bWhole) const {
    const Rect a = ZonaFuente(pFuente, bWhole);
    return ix.Primero(ix.fondos, a,
                      [&](const CEquipo* e) { return e != pFuente && Fondo(e).Corta(a); });
}

CRecipiente* CListaEquipo::FindVesselBelow(const Indice& ix, const CEquipo* pEquipo) const {
    const Rect a = ZonaDebajo(pEquipo);
    return static_cast<CRecipiente*>(ix.Primero(ix.bocas, a, [&](const CEquipo* e) {
        return e != pEquipo && e->m_nCategoria == CATEGORIA_RECIPIENTE && Boca(e).Corta(a);
    }));
}

CRecipiente* CListaEquipo::FindVesselAtProbe(const Indice& ix, const CEquipo* pEquipo) const {
    const QPoint p = Sonda(pEquipo);
    return static_cast<CRecipiente*>(
        ix.Primero(ix.areas, {p.x(), p.y(), p.x() + 1, p.y() + 1}, [&](const CEquipo* e) {
            return e != pEquipo && e->m_nCategoria == CATEGORIA_RECIPIENTE && e->HitTest(p);
        }));
}

void CListaEquipo::AgregarAlFrente(CEquipo* pEquipo) {
    pEquipo->Vincular(m_pCatalogo);
    m_lista.push_front(pEquipo);
}

void CListaEquipo::AgregarAlFinal(CEquipo* pEquipo) {
    pEquipo->Vincular(m_pCatalogo);
    m_lista.push_back(pEquipo);
}

void CListaEquipo::Intercambiar(CListaEquipo& otra) {
    m_lista.swap(otra.m_lista);
    for (CEquipo* e : m_lista)
        e->Vincular(m_pCatalogo);
    for (CEquipo* e : otra.m_lista)
        e->Vincular(otra.m_pCatalogo);
}

void CListaEquipo::Trasladar(CListaEquipo& otra) {
    for (CEquipo* e : otra.m_lista)
        e->Vincular(m_pCatalogo);
    m_lista.splice(m_lista.end(), otra.m_lista);
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
    m_pIndice.reset();
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
    m_pIndice.reset();
    if (m_fnAlEliminar)
        for (CEquipo* e : lista)
            m_fnAlEliminar(e);
    for (CEquipo* e : lista)
        delete e;
}

CEquipo* CListaEquipo::FindVesselOnSource(const CEquipo* pFuente, bool bWhole) const {
    const Rect a = ZonaFuente(pFuente, bWhole);
    for (CEquipo* e : m_lista)
        if (e != pFuente && Fondo(e).Corta(a))
            return e;
    return nullptr;
}

CRecipiente* CListaEquipo::FindVesselBelow(const CEquipo* pEquipo) const {
    const Rect a = ZonaDebajo(pEquipo);
    for (CEquipo* e : m_lista)
        if (e != pEquipo && e->m_nCategoria == CATEGORIA_RECIPIENTE && Boca(e).Corta(a))
            return static_cast<CRecipiente*>(e);
    return nullptr;
}

CRecipiente* CListaEquipo::FindVesselAtProbe(const CEquipo* pEquipo) const {
    const QPoint p = Sonda(pEquipo);
    for (CEquipo* e : m_lista) {
        if (e == pEquipo || e->m_nCategoria != CATEGORIA_RECIPIENTE)
            continue;
        if (e->HitTest(p))
            return static_cast<CRecipiente*>(e);
    }
    return nullptr;
}

bool CListaEquipo::PasoSimulacion() {
    // No step adds, removes or moves an item, so one index serves the whole step.
    const Indice& ix = IndiceAlDia();
    bool bCambio = false;
    for (CEquipo* e : m_lista) {
        switch (e->m_nCategoria) {
        case CATEGORIA_RECIPIENTE: {
            auto* r = static_cast<CRecipiente*>(e);
            switch (r->EnlaceAlPaso()) {
            case CRecipiente::Enlace::Debajo:
                r->m_pConectado = FindVesselBelow(ix, r);
                break;
            case CRecipiente::Enlace::Sonda:
                r->m_pConectado = FindVesselAtProbe(ix, r);
                break;
            case CRecipiente::Enlace::Ninguno:
                break;
            }
            r->m_bAnimar = 1;
            r->m_seno.m_bCalentado = 0;
            bCambio |= r->Step() != 0;
            break;
        }
        case CATEGORIA_CALENTADOR: {
            auto* c = static_cast<CCalentador*>(e);
            bCambio |= c->AdvanceFrame() != 0;
            CEquipo* v = FindVesselOnSource(ix, c, c->ContieneTodoElArea());
            if (v && v->m_nCategoria == CATEGORIA_RECIPIENTE) {
                auto* r = static_cast<CRecipiente*>(v);
                r->m_seno.m_dCondensacion = c->Condensacion();
                r->m_seno.Calentar(c->m_dPotencia);
                bCambio = true;
            }
            break;
        }
        case CATEGORIA_INSTRUMENTO: {
            auto* i = static_cast<CInstrumento*>(e);
            bCambio |= i->Tick() != 0;
            bCambio |= MedirCon(ix, i);
            break;
        }
        default:
            break;
        }
    }
    return bCambio;
}

bool CListaEquipo::MedirCon(const Indice& ix, CInstrumento* i) const {
    CRecipiente* v = FindVesselAtProbe(ix, i);
    if (v || i->EnlazadoSinSonda())
        return i->Attach(v) != 0;
    return i->Detach() != 0;
}

bool CListaEquipo::Medir() {
    const Indice& ix = IndiceAlDia();
    bool bCambio = false;
    for (CEquipo* e : m_lista)
        if (e->m_nCategoria == CATEGORIA_INSTRUMENTO)
            bCambio |= MedirCon(ix, static_cast<CInstrumento*>(e));
    return bCambio;
}

CEquipo* CListaEquipo::CrearEquipo(int32_t nTipo) {
    const CTipoEquipo* t = BuscarTipo(nTipo);
    return t ? t->fnCrear() : nullptr;
}

void CListaEquipo::Escribir(CArchivo& ar) const {
    // A bench beyond the cap would be refused when read back: it is not written.
    if (m_lista.size() > static_cast<size_t>(Limites::kEquipos))
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto,
                            "demasiados equipos: " + std::to_string(m_lista.size()));
    ar << static_cast<int32_t>(m_lista.size());
    // Each item writes its own record; writing reads the item and changes nothing.
    for (auto it = m_lista.rbegin(); it != m_lista.rend(); ++it) {
        ar << (*it)->m_nTipo;
        (*it)->Serialize(ar);
    }
}

void CListaEquipo::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        Escribir(ar);
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
        // Bound before it reads: its contents are checked against the catalogue.
        e->Vincular(m_pCatalogo);
        e->Serialize(ar);
        m_lista.push_front(e.release());
    }
    Relink();
}

void CListaEquipo::Relink() {
    for (CEquipo* e : m_lista)
        e->Relink(*this);
}
