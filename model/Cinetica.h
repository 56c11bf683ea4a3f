// Cinetica: a reaction that advances at the pace of a rate law instead of by a fixed amount
// per step. The rate, in mol/(L s), is k(T) times each reactant slot's term raised to its
// order: a dissolved slot's molar concentration; a solid's (or a gas's) moles, and its
// surface factor times that. k follows Arrhenius from its value at a reference temperature; a
// catalyst present in the vessel multiplies it. A reaction without these data runs as before.
#pragma once

#include "model/Reloj.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A reaction's rate law. The catalyst is the reaction's own catalyst slot (m_nCatalizador).
struct CCineticaDatos {
    double m_dK = 0.0; // 0: no rate law; k at m_dTReferencia, mol/(L s) per unit of the terms
    double m_dTReferencia = 25.0;                  // °C
    double m_dEa = 0.0;                            // activation energy, kJ/mol
    std::array<double, 3> m_dOrden{0.0, 0.0, 0.0}; // of each reactant slot
    double m_dFactorCatalizador = 1.0;             // times the rate with the catalyst present
    bool Tiene() const { return m_dK != 0.0; }
    bool operator==(const CCineticaDatos&) const = default;
};

// The form a solid component is offered in, and how much faster than chips of the same mass
// it reacts: its specific surface (area per gram) over that of chips.
enum : int32_t { FORMA_NINGUNA = 0, FORMA_POLVO = 1, FORMA_TROZOS = 2, FORMA_CINTA = 3 };

struct CSuperficieDatos {
    int32_t m_nForma = FORMA_NINGUNA; // FORMA_NINGUNA: factor 1, no form named
    double m_dFactor = 1.0;
    bool Tiene() const { return m_nForma != FORMA_NINGUNA; }
    bool operator==(const CSuperficieDatos&) const = default;
};

namespace Cinetica {

// Simulated seconds in one step of a vessel (Reloj.h).
inline constexpr double kSegundosPorPaso = Reloj::kSegundosPorPaso;

// The suggested surface factors, chips = 1. Area per gram of a particle of size d goes as
// 1/d (6/(rho d) for a sphere or a cube): powder of about 0.5 mm against chips of 5 mm is
// ten times; a 0.2 mm thick ribbon (2/(rho t) per gram, an equivalent cube of 0.6 mm) about
// eight times.
inline constexpr double kFactorPolvo = 10.0;
inline constexpr double kFactorTrozos = 1.0;
inline constexpr double kFactorCinta = 8.0;
double FactorSugerido(int32_t nForma);

// k at the temperature (°C) by Arrhenius, k = k_ref exp(-Ea/R (1/T - 1/T_ref)), R the
// CODATA gas constant. Finite and not negative for any data: the exponent is held where
// exp stays a finite double, the temperatures at 1 K and above.
double Constante(const CCineticaDatos& datos, double dTemperatura);

// A reactant slot as the integrator sees it: the moles its entry holds, the moles one unit
// of extent takes, its order, and the factor of its term (1 in solution, the surface factor
// for a solid). A dissolved slot's term is its concentration, moles over the litres.
struct Reactivo {
    double dMoles = 0.0;
    double dCoeficiente = 1.0;
    double dOrden = 0.0;
    double dFactor = 1.0;
    bool bDisuelto = true;
};

// The extent the reaction makes in dSegundos at the rate dK (already at the temperature,
// catalyst included), never more than dMaximo nor than any reactant holds; dLitros is the
// liquid's volume (the extent per second is the rate times it; with no dissolved slot the
// rate is taken as mol/s). Exact for first order in the limiting reactant with the rest in
// excess; otherwise sub-steps on which the pseudo-first-order constant changes by a tenth,
// each an exponential decay of what is left, so that nothing ever goes below zero. Always
// finite, a bounded number of sub-steps.
double Avance(const Reactivo* pReactivos, size_t nReactivos, double dLitros, double dK,
              double dSegundos, double dMaximo);

} // namespace Cinetica
