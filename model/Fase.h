// CFase: one phase of a vessel interior (solid, liquid or gas): its entries, their running
// totals and the adding and removing of amounts. The rules that move matter between phases
// live in CambiosFase.h, the acid-base ones in AcidoBase.h; the members below call them.
#pragma once

#include "model/Componentes.h"
#include "model/Contenido.h"
#include "model/Equilibrio.h"
#include "model/Serializable.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class CCatalogo;

// The colour an indicator with acid–base forms shows at the pH.
COLORREF ColorFormas(const CIndicadorDatos& d, double dPH);

// An empty catalogue that never changes (Catalogo.h).
const CCatalogo& CatalogoVacio();

// How an entry stands where it is, besides the three states: dissolved in the liquid.
enum : int32_t { ESTADO_DISUELTO = 4 };

// One entry of a phase as plain data, for the layers above (the contents table, the
// command-line tool, the checks): the component, its amounts and how it stands there.
struct CEntradaFase {
    int32_t m_nComponente = 0;
    // ESTADO_SOLIDO, _LIQUIDO or _GAS as it stands, or ESTADO_DISUELTO; the phase's own state
    // when the component is as it is by nature, ESTADO_NINGUNO outside the catalogue.
    int32_t m_nEstado = ESTADO_NINGUNO;
    int32_t m_nFase = ESTADO_NINGUNO; // the state of the phase that holds it
    // Whether its millilitres are a volume of its own (a liquid in the liquid, or molten).
    bool m_bVolumen = false;
    double m_dMoles = 0.0;
    double m_dGramos = 0.0;
    double m_dMl = 0.0;
    double m_dMolesCation = 0.0;
    double m_dMolesAnion = 0.0;
};

// Colour of a phase and the sum of its components' texture codes.
struct CColorFase {
    COLORREF m_crColor = 0;
    int32_t m_nTextura = 0;
    bool operator==(const CColorFase&) const = default;
};

class CFase : public CSerializable {
public:
    // Below these an entry or a running total is nothing.
    static constexpr double kResiduoMoles = 1e-12;
    static constexpr double kResiduoMl = 1e-9;
    // Grams of water below which the boiling-point elevation no longer applies.
    static constexpr double kAguaMinimaElevacion = 0.5;

    CFase() = default;
    explicit CFase(int32_t nEstado, const CCatalogo* pCatalogo = nullptr)
        : m_nEstado(nEstado), m_pCatalogo(pCatalogo) {}
    CFase(const CFase&) = delete;
    CFase& operator=(const CFase&) = delete;

    int32_t m_nEstado = ESTADO_NINGUNO;
    COLORREF m_crColorDibujado = 0;
    std::list<CContenido> m_listaContenido; // newest first
    std::list<int32_t> m_listaIndicadores;  // catalogue indices, newest first
    CContenido* m_pAgua = nullptr;          // entry of component 0
    double m_dVolumen = 0.0;
    double m_dMasa = 0.0;
    int32_t m_nTexturaDibujada = 0;

    // The catalogue of the practice the phase belongs to; an unbound phase sees an empty
    // one, so that every amount added to it is refused.
    const CCatalogo* m_pCatalogo = nullptr;
    const CCatalogo& Cat() const { return m_pCatalogo ? *m_pCatalogo : CatalogoVacio(); }

    // What the equilibrium engine keeps between solves (AcidoBase::Equilibrar), never
    // stored: the temperature of the vessel the phase is in (none: 25 °C), the pH it found,
    // the enthalpy of the phase's acid–base state in kJ (it goes with the liquid when the
    // liquid is poured) and the heat in calories not yet given to the vessel.
    const double* m_pTemperatura = nullptr;
    double m_dPHEquilibrio = -1.0;
    double m_dEntalpiaIonica = 0.0;
    double m_dCalorPendiente = 0.0;
    // Calories the dissolving and crystallising of components with an enthalpy of solution
    // gave the liquid and the vessel has not taken yet (CSeno takes them each step).
    double m_dCalorCambios = 0.0;
    // The last solve and what it was given: a liquid that has not changed since (most of
    // them, most ticks) is not solved again.
    struct UltimoEquilibrio {
        bool m_bValido = false;
        std::vector<Equilibrio::Sistema> m_sistemas;
        double m_dCarga = 0.0, m_dTemperatura = 0.0;
        Equilibrio::Solucion m_solucion;
    } m_ultimo;
    double Temperatura() const { return m_pTemperatura ? *m_pTemperatura : 25.0; }

    // Adding and removing amounts (unit: grams, millilitres or moles).
    void Agregar(int32_t nComponente, double dCantidad, int32_t nUnidad);
    void Quitar(int32_t nComponente, double dCantidad, int32_t nUnidad);
    void AgregarReactivo(int32_t nReactivo, double dUnidades);
    void AgregarIndicador(int32_t nIndicador);

    CContenido* Buscar(int32_t nComponente);
    const CContenido* Buscar(int32_t nComponente) const;
    double Moles(int32_t nComponente) const;
    double MolesTotales() const;
    double CapacidadCalorifica() const;
    // The heat capacity (cal/°C) of what the phase holds as a practice with a room has it
    // (Termica.h): an empty phase holds none.
    double CapacidadContenido() const;
    // Acid-base (AcidoBase.h).
    double MolesIonizados(int32_t nComponente) const;
    double ConcentracionIones() const;
    double CalcularPH() const;
    // The boiling point (CambiosFase.h).
    double TemperaturaEbullicion() const;
    // Whether the entry adds its volume (and heat capacity) to this phase.
    bool EsContado(const CContenido& e) const;

    // Moves between phases (CambiosFase.h); each returns 1 when at least one portion moved.
    int Fundir(CFase& destino, double dTemperatura);
    int Congelar(CFase& destino, double dTemperatura);
    int Evaporar(CFase& destino, double dTemperatura);
    int Condensar(CFase& destino, double dTemperatura, double dCantidad);
    int CondensarEn(CFase& destino, double dMaximo);
    int Disolver(CFase& destino, double dTemperatura, double dRapidez);
    int Precipitar(CFase& destino, double dTemperatura);
    // Moves the fraction of every entry to the destination, or out of the system.
    void TransferirFraccion(CFase* pDestino, double dFraccion);
    // Moves a portion in moles to the destination (Agregar there, then Quitar here), never
    // more than the entry holds; returns the destination's entry, none for a bad component.
    CContenido* Mover(CFase& destino, int32_t nComponente, double dMoles);

    // Acid-base (AcidoBase.h).
    void IonizarTodo();
    int EfectoIonComun();

    CColorFase ColorFase() const;

    // The entries that hold something, newest first (bTodas: every entry as stored, also
    // the empty ones and those outside the catalogue).
    std::vector<CEntradaFase> Entradas(bool bTodas = false) const;

    void Vaciar();
    void Serialize(CArchivo& ar) override;

private:
    // Agregar that tells which entry received the amount (none for a bad component).
    CContenido* AgregarEntrada(int32_t nComponente, double dCantidad, int32_t nUnidad);
    COLORREF ColorIndicadores(COLORREF crColor) const;
    // The colour of a liquid whose practice gives its components colour concentrations.
    COLORREF ColorAbsorcion() const;
};
