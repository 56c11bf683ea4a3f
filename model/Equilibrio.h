// Equilibrio: the exact acid–base equilibrium of one aqueous solution. Given each acid–base
// system's analytical concentration and the net charge of the ions that take no part (the
// strong electrolytes' ions other than H+ and OH-, and the counter-ions of the systems), it
// solves the charge balance with every mass balance and Kw(T), with no small-x
// approximation: [H+], [OH-], the pH and the fraction of each system in each form.
#pragma once

#include "model/DatosAcuosos.h"

#include <array>
#include <vector>

namespace Equilibrio {

// pKw of water between 0 and 100 °C (held at the ends outside them).
double PKw(double dTemperatura);
// A system's pKa at the temperature, from its value at 25 °C and its enthalpy (van 't Hoff).
double PKa(double dPKa25, double dEntalpiaKJ, double dTemperatura);

// The fraction of each form (most protonated first; they sum to 1) of a system of nPasos
// steps with these pKa at the pH: an indicator's forms, for one.
std::array<double, 4> Fracciones(int nPasos, const std::array<double, 3>& pKa, double dPH);

struct Sistema {
    double dConcentracion = 0.0; // mol/L of the component
    CAcidoBaseDatos datos;       // a system with no steps is ignored
};

struct Solucion {
    double dH = 0.0;  // [H+], mol/L
    double dOH = 0.0; // [OH-], mol/L
    double dPH = 7.0;
    // Per system, the fraction in each form, the most protonated first; they sum to 1.
    std::vector<std::array<double, 4>> fracciones;
};

// dCargaFija: mol/L of positive charge (negative when negative) that the ions outside the
// systems and H+/OH- carry, the strong acids' anions and the strong bases' cations among
// them; a system's own counter-ions are not, they follow from its m_nCedidos. Always returns
// finite numbers, within 1e-20 ≤ [H+] ≤ 1e3 mol/L, in a fixed number of iterations.
Solucion Resolver(const std::vector<Sistema>& sistemas, double dCargaFija, double dTemperatura);

} // namespace Equilibrio
