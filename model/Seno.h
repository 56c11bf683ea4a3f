// CSeno: the interior of one vessel, its three phases, its temperature and the simulation
// step that dissolves, exchanges heat, boils, condenses, freezes, melts and reacts.
#pragma once

#include "model/Fase.h"
#include "model/Serializable.h"

#include <cstdint>
#include <vector>

class CReacciones;

// The hottest a vessel interior gets: that of the hottest flame on the bench (a Bunsen
// burner's). Every temperature the model computes stays between absolute zero and this.
constexpr double kTemperaturaMaxima = 1500.0;
// A vessel starts, and is reset, at the room temperature of every practice: 20 °C.
constexpr double kTemperaturaInicial = 20.0;
// Moles of each gas that condense back per sub-step under any heat source but the ice bath
// (which sets 0.01). The described program's pace, not physical data.
constexpr double kPorcionCondensacion = 0.0001;

// The conductance between a 250 ml beaker holding 100 ml and the room, W/K: h A with the
// heat transfer coefficient of natural convection and radiation from a small vessel in still
// air, h = 10 W/(m² K) (free convection in gases, 2-25 W/(m² K), and linearised radiation
// from glass near room temperature, about 6 W/(m² K): Incropera and DeWitt, Fundamentals of
// Heat and Mass Transfer, tables 1.1 and 9.1), over the wetted wall, the bottom and the free
// surface of 100 ml in a beaker 6.7 cm across, about 0.0135 m². The time constant of 100 g of
// water, 418 J/K, comes to 52 min: 80 °C water falls about 1.1 °C in its first minute.
constexpr double kConductanciaVaso250 = 0.135;

// What Simular and Reaccionar report, as bits: something changed; a reaction was held at the
// most an amount may reach (Limites::kCantidad), so that the practice stays savable.
enum : int { SIMULACION_CAMBIO = 1, SIMULACION_EN_LIMITE = 2 };

class CSeno : public CSerializable {
public:
    explicit CSeno(const CCatalogo* pCatalogo = nullptr);
    CSeno(const CSeno&) = delete;
    CSeno& operator=(const CSeno&) = delete;

    CFase m_faseLiquida;
    CFase m_faseSolida;
    CFase m_faseGas;
    double m_dReserva = 0.0;
    double m_dTemperatura = kTemperaturaInicial;
    double m_dTemperaturaAmbiente = kTemperaturaInicial;
    int32_t m_bCalentado = 0;
    int32_t m_bCerrado = 0;
    int32_t m_nEbullicion = 0;
    double m_dCondensacion = kPorcionCondensacion;
    // What the vessel itself brings to a practice with a room (Termica.h), set by the bench
    // for its kind of vessel and never stored: the conductance through which it exchanges
    // heat with the room, W/K (that of a 250 ml beaker by default), and the heat capacity of
    // its own body that counts with the contents, cal/°C (a calorimeter's water equivalent).
    double m_dConductancia = kConductanciaVaso250;
    double m_dCapacidadPropia = 0.0;
    // Calories the vessel has given to the room since it was made (negative: taken), for the
    // energy balance; never stored.
    double m_dCalorCedido = 0.0;
    // The reaction held at the bound in the last Simular (-1: none). What a run met, not
    // what the vessel holds: never stored.
    int32_t m_nReaccionEnLimite = -1;
    bool EnLimite() const { return m_nReaccionEnLimite >= 0; }

    // Binds the three phases to the catalogue of the practice the vessel belongs to.
    void Vincular(const CCatalogo* pCatalogo);
    const CCatalogo& Cat() const { return m_faseLiquida.Cat(); }

    // Sends the amount to the phase of the component's natural state.
    void Agregar(int32_t nComponente, double dCantidad, int32_t nUnidad);
    // nPasos sub-steps of dissolving, heat exchange, reactions and ionic equilibrium.
    int Simular(int32_t nPasos = 1);
    int Calentar(double dCalor);
    int AjustarTemperatura();
    int Reaccionar();
    int EquilibrioIonico();
    int DisolverSolidos(double dRapidez);
    // The heat capacity the vessel's heat goes into, cal/°C: with a room (Termica.h), what
    // the phases hold and the vessel's own; without, the described sum of the two phases.
    double CapacidadTermica() const;
    // Whether the practice has a room (Termica.h).
    bool ConAmbiente() const;
    void VerterLiquido(CSeno& destino, double dMl);
    void VerterSolido(CSeno& destino, double dMl);

    double MolesLiquidoSolido() const;
    double MolesComponente(int32_t nComponente) const;

    // What the interior holds and reads, for the layers above: whatever they show or weigh
    // goes through these, so that a new way of computing a reading changes only the model.
    // A phase is named by its state: ESTADO_LIQUIDO, ESTADO_SOLIDO or ESTADO_GAS.
    double Temperatura() const { return m_dTemperatura; }
    double Reserva() const { return m_dReserva; }
    int32_t Ebullicion() const { return m_nEbullicion; }
    int32_t ReaccionEnLimite() const { return m_nReaccionEnLimite; }
    // The liquid's pH; negative when there is no water to have one.
    double PH() const;
    // Moles of free ions per litre of the liquid (what a conductimeter reads).
    double ConcentracionIones() const;
    // Grams of the solid and the liquid together (what a balance weighs; the gas weighs
    // nothing on it).
    double Masa() const;
    double VolumenDe(int32_t nFase) const;
    double MasaDe(int32_t nFase) const;
    double MolesDe(int32_t nFase) const;
    bool Tiene(int32_t nFase) const { return MolesDe(nFase) > 0.0; }
    // The state a phase was read with (a file may give any; see CFase::Serialize).
    int32_t EstadoDe(int32_t nFase) const;
    // What a phase holds, newest first (bTodas: also the empty entries and those outside
    // the catalogue, as stored); without a phase, the liquid's, the solid's, then the gas's.
    std::vector<CEntradaFase> Contenido(int32_t nFase, bool bTodas = false) const;
    std::vector<CEntradaFase> Contenido() const;
    // The indicators a phase holds, as catalogue indices, newest first.
    std::vector<int32_t> Indicadores(int32_t nFase) const;
    // Each of the three phases, liquid, solid and gas, for a change that renumbers what they
    // refer to (the practice editor, when a catalogue entry goes).
    template <class F> void ParaCadaFase(F&& fn) {
        fn(m_faseLiquida);
        fn(m_faseSolida);
        fn(m_faseGas);
    }
    // The colour a phase shows now, and the one it was last drawn in (part of the file).
    CColorFase ColorDe(int32_t nFase) const;
    CColorFase ColorDibujado(int32_t nFase) const;
    void AnotarColorDibujado(int32_t nFase, const CColorFase& color);

    // Adding to a given phase (a liquid reagent to the liquid, the rest to the solid).
    void AgregarEn(int32_t nFase, int32_t nComponente, double dCantidad, int32_t nUnidad);
    void AgregarReactivoEn(int32_t nFase, int32_t nReactivo, double dUnidades);
    void AgregarIndicador(int32_t nIndicador);
    // Passes the fraction of the gas (of the liquid) to the destination's, or out of the
    // system without one.
    void PasarGas(CSeno* pDestino, double dFraccion);
    void PasarLiquido(CSeno* pDestino, double dFraccion);
    // Condenses up to dMaximo moles of the gas into the liquid; 1 when some condensed.
    int CondensarGas(double dMaximo);

    // Back to an empty vessel at kTemperaturaInicial.
    void Reiniciar();

    void Serialize(CArchivo& ar) override;

    // Extent of reaction i for this sub-step (0 or less: it does not run). Never more than
    // its reactants hold, nor than would take an amount past the file's bound; *pbEnLimite
    // tells whether that bound held it.
    double AvanceReaccion(int32_t nReaccion, bool* pbEnLimite = nullptr) const;
    void AplicarReaccion(int32_t nReaccion, double dAvance);
    // A reaction with reversible data (Reversibles.h): its extent for this sub-step towards
    // the equilibrium at the vessel's temperature, positive forward and negative backward,
    // held like any other at the file's bound; and the move, with its enthalpy's heat. These
    // two are defined in Reversibles.cpp.
    double AvanceReversible(int32_t nReaccion, bool* pbEnLimite = nullptr) const;
    void AplicarReversible(int32_t nReaccion, double dAvance);
    // A reaction with a rate law (Cinetica.h): its extent over one step's simulated time at
    // the vessel's temperature, never above dMaximo (what its reactants allow). Defined in
    // Cinetica.cpp.
    double AvanceCinetico(const CReacciones& R, double dMaximo) const;

private:
    // Takes the moles from the phase's entry; an entry used up to the rounding of what left
    // is nothing at all, not a rest that would still ionise and steer the pH.
    static void Consumir(CFase& fase, int32_t nComponente, double dMoles);
    // Heat the chemistry gives (calories; negative: takes) to what the vessel holds. It is no
    // heat source (the vessel still exchanges heat with the room in this step) and it moves no
    // matter between phases: a solute is not a melt that a cooling freezes out, and the
    // boiling a heat source brings follows from the temperature on the next step. True when
    // the temperature changed.
    bool CalorDeLaQuimica(double dCalor);
    // Newton's cooling towards the practice's room; true when the temperature moved.
    bool EnfriarHaciaAmbiente();
    // The melting and freezing of components with an enthalpy of fusion, and the heat the
    // dissolving or crystallising of the step made, given to the contents.
    int CambiosLatentes();
    double Disponible(int32_t nComponente, int32_t nCoeficiente, int32_t nFase) const;
    // Whether the slot draws on the open air's oxygen rather than on the gas phase.
    bool DelAire(int32_t nComponente, int32_t nFase) const;
    // The largest extent of the reaction before an amount it makes grows past the bound.
    double Holgura(const CReacciones& R) const;
    CFase* FaseDeCodigo(int32_t nFase);
    const CFase* FaseDeCodigo(int32_t nFase) const;
    int NivelEbullicion(double dEbullicion) const;
    CFase& FaseDe(int32_t nFase);
    const CFase& FaseDe(int32_t nFase) const;
};
