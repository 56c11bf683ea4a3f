// The heat a practice can ask for beyond the described model: each component's enthalpies of
// solution and of fusion, and the practice's room with its cooling and its calorimeter. The
// described catalogue has no place for them; the file keeps them in its extension block. A
// catalogue without them behaves, and is written, exactly as the described model.
#pragma once

#include "model/Reloj.h"

#include <cstdint>

// Joules in the model's heat unit, the thermochemical calorie (NIST SP 811: 1 cal = 4.184 J).
inline constexpr double kJoulesPorCaloria = 4.184;

// A component's latent heats in kJ/mol, which act in a practice with a room (below). Dissolving:
// the enthalpy of solution taken by one mole as it dissolves (negative: it gives heat out), given
// back when it crystallises. Fusion: the heat one mole takes to melt at its melting point and gives
// when it freezes.
struct CTermicaDatos {
    double m_dDisolucion = 0.0;
    double m_dFusion = 0.0;
    bool Tiene() const { return m_dDisolucion != 0.0 || m_dFusion != 0.0; }
    bool operator==(const CTermicaDatos&) const = default;
};

// The room of a practice. With it, a vessel exchanges heat with the room as a real one does
// (in proportion to the difference of temperatures, through its own conductance), an empty
// phase holds no heat, and the calorimeter keeps whatever heat is made inside it, adding its
// water equivalent to what it holds.
struct CTermicaPractica {
    bool m_bActiva = false;                 // false: the described rule
    double m_dTemperaturaAmbiente = 20.0;   // °C
    bool m_bEnfriamiento = true;            // false: no vessel exchanges heat with the room
    double m_dEquivalenteCalorimetro = 0.0; // grams of water (cal/°C); 0: an ideal one
    bool Tiene() const { return m_bActiva; }
    bool operator==(const CTermicaPractica&) const = default;
};

namespace Termica {

// The bounds a file, the source form and the editor hold the data to.
inline constexpr double kEntalpiaMaxima = 1000.0;    // kJ/mol, either sign
inline constexpr double kAmbienteMinimo = 0.0;       // °C: the model's lowest
inline constexpr double kAmbienteMaximo = 50.0;      // °C
inline constexpr double kEquivalenteMaximo = 1000.0; // g of water

// Seconds of the bench's clock in one simulation step (Reloj.h).
inline constexpr double kSegundosPorPaso = Reloj::kSegundosPorPaso;

// The temperature after one step of Newton's cooling towards the room: a contents of heat
// capacity dCapacidad (cal/°C) through a conductance dConductancia (W/K). Solved exactly,
// so that no step overshoots the room whatever the capacity.
double Enfriar(double dTemperatura, double dAmbiente, double dCapacidad, double dConductancia,
               double dSegundos = kSegundosPorPaso);

// Calories given to the contents when dMoles of a component of enthalpy dKJPorMol (taken in
// by the change) go through the change.
inline double Calorias(double dMoles, double dKJPorMol) {
    return -dMoles * dKJPorMol * 1000.0 / kJoulesPorCaloria;
}

} // namespace Termica
