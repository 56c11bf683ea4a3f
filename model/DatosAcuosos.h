// The data that switch on the aqueous equilibrium engine: a practice's mode, each
// component's acid–base system and each indicator's acid–base forms. The described
// catalogue has no place for them; the file keeps them in its extension block. A catalogue
// without any of them behaves exactly as the described model.
#pragma once

#include <array>
#include <cstdint>

using COLORREF = uint32_t;

// How a practice computes the chemistry of its liquids.
enum : int32_t {
    MOTOR_DESCRITO = 0,      // the described model: pH from the larger of H+ and OH-, fixed Kw
    MOTOR_EQUILIBRIO = 1,    // pH and ions from the equilibrium engine, Kw(T); reactions as given
    MOTOR_NEUTRALIZACION = 2 // also neutralises through the equilibria, with its heat
};

// The acid–base system a component brings into water, described from its most protonated
// form H_nA (charge m_nCargaAcida): up to three dissociation steps with their pKa at 25 °C,
// in increasing order, and enthalpies in kJ/mol. The component as added has already given
// up m_nCedidos protons (acetic acid 0, sodium acetate 1, sodium carbonate 2 of H2CO3's two,
// ammonia 1 of NH4+'s one), so the system's form carries charge m_nCargaAcida - m_nCedidos
// and the rest of the formula unit balances it as spectator ions.
struct CAcidoBaseDatos {
    int32_t m_nPasos = 0; // 0: the component has no acid–base data
    std::array<double, 3> m_pKa{0.0, 0.0, 0.0};
    std::array<double, 3> m_dEntalpia{0.0, 0.0, 0.0}; // kJ/mol of each dissociation
    int32_t m_nCargaAcida = 0;
    int32_t m_nCedidos = 0;
    bool Tiene() const { return m_nPasos > 0; }
    bool operator==(const CAcidoBaseDatos&) const = default;
};

// An indicator as the weak acid it is: up to three transitions (pKa, increasing) between up
// to four coloured forms, the most acidic first. Its shown colour follows the fraction of
// each form at the liquid's pH.
struct CIndicadorDatos {
    int32_t m_nTransiciones = 0; // 0: the described two-colour ramp
    std::array<double, 3> m_pKa{0.0, 0.0, 0.0};
    std::array<COLORREF, 4> m_crFormas{0, 0, 0, 0};
    bool Tiene() const { return m_nTransiciones > 0; }
    bool operator==(const CIndicadorDatos&) const = default;
};

// A reaction that runs towards its equilibrium from either side: K at 25 °C over the
// dissolved slots' molar concentrations (products over reactants, each to its coefficient;
// solids, liquids, gases and the slots of m_nFueraDeQ count as 1), the reaction's enthalpy
// for K(T) by van 't Hoff, and the fraction of the way to equilibrium it goes each step.
// A precipitate is a product in the solid slot with K = 1/Ksp.
struct CReversibleDatos {
    double m_dK25 = 0.0;      // 0: not reversible; the described fields apply
    double m_dEntalpia = 0.0; // kJ/mol of extent, forward
    double m_dRapidez = 1.0;  // 0 < r <= 1
    // Bits 0-2: reactant slots, bits 3-5: product slots, that do not enter Q (spectators).
    int32_t m_nFueraDeQ = 0;
    bool Tiene() const { return m_dK25 != 0.0; }
    bool operator==(const CReversibleDatos&) const = default;
};
