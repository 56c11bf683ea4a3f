// Reversibles: a reaction that runs towards its equilibrium from either side (the data of
// CReversibleDatos). Each step finds the extent that would make the reaction quotient equal
// K at the vessel's temperature and moves the given fraction of it; a precipitate (a solid
// product, K = 1/Ksp) forms while the solution is above saturation and dissolves back when
// it is below. The vessel's side of it (which entries, which bounds, the move and its heat)
// are the CSeno members AvanceReversible and AplicarReversible, in Reversibles.cpp.
#pragma once

#include "model/DatosAcuosos.h"

#include <cstddef>

namespace Reversibles {

// Gas constant, J/(mol K) (CODATA 2018, exact since the 2019 SI).
inline constexpr double kR = 8.314462618;
// 0 °C in kelvin, and 25 °C, the temperature of the constants given.
inline constexpr double kCeroKelvin = 273.15;
inline constexpr double kT25 = 298.15;

// ln K at the temperature (°C) by van 't Hoff with a constant enthalpy:
// ln K = ln K25 - ΔH/R (1/T - 1/298.15). Finite for any finite data (the temperature is held
// at 1 K and above); 0 for data that are no reaction (K25 not positive or not finite).
double LnK(const CReversibleDatos& datos, double dTemperatura);

// One entry (a component in a phase) the reaction changes: the moles it holds, the moles one
// unit of extent adds to it (negative when it is consumed forward) and its power in Q
// (products positive, reactants negative, 0 when it is outside Q).
struct Termino {
    double dMoles = 0.0;
    double dCambio = 0.0;
    double dExponente = 0.0;
};

// The extent, between -(what the entries made forward hold) and +(what those consumed
// forward hold), at which ln Q = dLnK, the concentrations being moles over dLitros. A side
// with no entry gives no room. A fixed number of halvings: always finite, never a loop.
// Returns 0 when the quotient already equals K to within the model's precision.
double Extension(const Termino* pTerminos, size_t nTerminos, double dLitros, double dLnK);

} // namespace Reversibles
