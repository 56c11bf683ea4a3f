// CListaEquipo: the bench list. It owns the items in drawing order (first drawn first,
// beneath the others), deletes them without leaving any link dangling, finds which item
// acts on which from their positions, runs one simulation step over the whole bench, and
// writes and reads the items of a practice.
#pragma once

#include "equipment/Equipo.h"

#include <functional>
#include <list>
#include <memory>

class CArchivo;
class CCatalogo;
class CInstrumento;
class CRecipiente;

class CListaEquipo {
public:
    // The items on this bench see the catalogue of its practice (none: an empty one).
    explicit CListaEquipo(const CCatalogo* pCatalogo = nullptr);
    ~CListaEquipo();
    CListaEquipo(const CListaEquipo&) = delete;
    CListaEquipo& operator=(const CListaEquipo&) = delete;

    using const_iterator = std::list<CEquipo*>::const_iterator;
    const_iterator begin() const { return m_lista.begin(); }
    const_iterator end() const { return m_lista.end(); }
    size_t size() const { return m_lista.size(); }
    bool empty() const { return m_lista.empty(); }
    CEquipo* front() const { return m_lista.empty() ? nullptr : m_lista.front(); }
    CEquipo* back() const { return m_lista.empty() ? nullptr : m_lista.back(); }

    const CCatalogo* Catalogo() const { return m_pCatalogo; }
    // The list takes ownership and binds the item to its catalogue.
    void AgregarAlFrente(CEquipo* pEquipo);
    void AgregarAlFinal(CEquipo* pEquipo);
    bool Contiene(const CEquipo* pEquipo) const;
    void MoverAlFinal(CEquipo* pEquipo);
    void MoverAlFrente(CEquipo* pEquipo);

    // Takes the item (and first the pieces attached to it) out of the list, clears every
    // reference the other items hold to it and destroys it. False when it is not here.
    bool Eliminar(CEquipo* pEquipo);
    // Destroys every item, first to last, in time linear in their number.
    void Limpiar();
    // Told of every item about to be destroyed, after the other items have forgotten it:
    // windows that keep items (titration, graph, selection) drop them here.
    std::function<void(CEquipo*)> m_fnAlEliminar;
    // Exchanges the items of two lists (a practice read aside replaces the open one).
    // Each item is bound again to the catalogue of the list it ends in.
    void Intercambiar(CListaEquipo& otra);
    // Moves every item of the other list to the end of this one, in order.
    void Trasladar(CListaEquipo& otra);
    // Every item leaves through Eliminar or Limpiar, so that m_fnAlEliminar hears of it.

    // The first item resting on a heat source (bWhole: anywhere in its area); the caller
    // heats it only when it is a vessel.
    CEquipo* FindVesselOnSource(const CEquipo* pFuente, bool bWhole) const;
    // The first vessel whose mouth lies below the item (pipettes, the elbow).
    CRecipiente* FindVesselBelow(const CEquipo* pEquipo) const;
    // The first vessel containing the item's probe point.
    CRecipiente* FindVesselAtProbe(const CEquipo* pEquipo) const;

    // One simulation step over the bench, in list order; true when anything changed.
    bool PasoSimulacion();
    // Every instrument reads what is under its probe now, as a step leaves it, without the
    // step: for a bench just read from a file, whose stored readings are those of the moment
    // it was saved (or of a hand-written source). True when a reading changed.
    bool Medir();

    // The item count, then each item (type code and record) from the last to the first.
    // Reading replaces the list and re-attaches the assembly pieces; an unknown type code
    // or a damaged record throws CErrorArchivo (what was read so far stays in the list).
    void Serialize(CArchivo& ar);
    // The writing half of Serialize, on a list that does not change.
    void Escribir(CArchivo& ar) const;
    void Relink();

    // A new item of the type code at the insertion point; none for an unknown code.
    static CEquipo* CrearEquipo(int32_t nTipo);

private:
    // Where each item stands, in cells, so that the step finds the vessel on a source,
    // below a pipette or at a probe among a few neighbours instead of the whole bench.
    struct Indice;
    // The index of the bench as it stands now, built again only when an item was added,
    // removed, moved or resized since the last step.
    const Indice& IndiceAlDia();
    // The instrument reads what is under its probe; true when its reading changed.
    bool MedirCon(const Indice& ix, CInstrumento* i) const;
    CEquipo* FindVesselOnSource(const Indice& ix, const CEquipo* pFuente, bool bWhole) const;
    CRecipiente* FindVesselBelow(const Indice& ix, const CEquipo* pEquipo) const;
    CRecipiente* FindVesselAtProbe(const Indice& ix, const CEquipo* pEquipo) const;

    const CCatalogo* m_pCatalogo = nullptr;
    std::list<CEquipo*> m_lista;
    std::unique_ptr<Indice> m_pIndice;
};
