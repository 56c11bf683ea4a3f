// AcidoBase: free ions, the common-ion correction and the pH of a liquid phase. The rules
// read and write a CFase's entries; CFase keeps one-line members that call them, so that the
// layers above ask the phase as before.
#pragma once

#include "model/DatosAcuosos.h"

#include <cstdint>

class CCatalogo;
class CComponentes;
class CContenido;
class CFase;

namespace AcidoBase {

// Litres per millilitre: volumes are kept in ml, concentrations are moles per litre.
inline constexpr double kLitrosPorMl = 0.001;
// [H+] = [OH-] of pure water at 25 °C, mol/L: the square root of the ion product of water,
// Kw = 1.0e-14 (CRC Handbook, ionization constant of water, to two figures).
inline constexpr double kIonesAgua = 1e-7;
// pKw = -log10(Kw) = 14 at 25 °C (same source): pH = pKw + log10[OH-] in a basic solution.
// The model's pH is also held between 0 and this, the range of the school scale.
inline constexpr double kPKw = 14.0;
// An ionisation constant of -1 in the catalogue marks a strong electrolyte: all of it ionises.
inline constexpr double kElectrolitoFuerte = -1.0;
// The pH of a phase that has none (not a liquid, no water, no H+ or OH- ions).
inline constexpr double kSinPH = -1.0;
// Whether a value is a pH: with the equilibrium engine a pH may lie below 0 or above 14, and
// only the marker itself means none.
inline bool HayPH(double dPH) {
    return dPH != kSinPH;
}
// H+ + OH- -> H2O, kJ/mol at 25 °C (CRC Handbook, standard enthalpies of formation:
// -285.83 for water, 0 for H+ and -230.015 for OH-).
inline constexpr double kEntalpiaNeutralizacion = -55.815;
// The model's heat unit is the thermochemical calorie, J.
inline constexpr double kJuliosPorCaloria = 4.184;
// The ions that make a component an acid or a base.
inline constexpr const char* kIonHidrogeno = "H+";
inline constexpr const char* kIonHidroxido = "OH-";

// Free ions of the entry in the given millilitres of water: water by its own ionisation, a
// strong electrolyte wholly, a weak one by its constant.
void Ionizar(CContenido& e, const CCatalogo& cat, double dMlAgua);
// Ionises every entry of a liquid phase that holds water: by the described rules, or by the
// exact equilibrium when the practice asks for it (Equilibrar).
void IonizarTodo(CFase& fase);
// Whether the phase's practice computes its liquids by the equilibrium engine.
bool ConMotor(const CFase& fase);
// The acid–base system a component brings into water: its own data, or, for a weak
// electrolyte of the described catalogue with H+ for cation (a weak acid HA) or OH- for anion
// (a weak base BOH), the one its constant implies. None for anything else.
CAcidoBaseDatos SistemaDe(const CComponentes& c);
// The exact equilibrium (Equilibrio.h) of a liquid phase: the pH kept in the phase, every
// entry's ions, and with MOTOR_NEUTRALIZACION the enthalpy of the phase's acid–base state,
// whose fall since the last solve is heat for the vessel (CFase::m_dCalorPendiente).
// bSoloEstado: only the pH and the enthalpy, for a phase just read from a file, which was
// in equilibrium when it was saved: no ions change and no heat arises.
void Equilibrar(CFase& fase, bool bSoloEstado = false);
// Moles of the component that are ionised (its anions over its anions per unit).
double MolesIonizados(const CFase& fase, int32_t nComponente);
// Moles of free ions per litre of the phase.
double ConcentracionIones(const CFase& fase);
// pH from the H+ and OH- ions per litre of water, 0 to 14; kSinPH when there is none. With
// the engine, the one its last solve found.
double CalcularPH(const CFase& fase);
// Recomputes the ions of each weak electrolyte that shares an ion with another entry; 1 when
// at least one changed. Nothing with the engine, whose solve holds every common ion.
int EfectoIonComun(CFase& fase);

} // namespace AcidoBase
