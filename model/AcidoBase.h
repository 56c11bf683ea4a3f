// AcidoBase: free ions, the common-ion correction and the pH of a liquid phase. The rules
// read and write a CFase's entries; CFase keeps one-line members that call them, so that the
// layers above ask the phase as before.
#pragma once

#include <cstdint>

class CCatalogo;
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
// The ions that make a component an acid or a base.
inline constexpr const char* kIonHidrogeno = "H+";
inline constexpr const char* kIonHidroxido = "OH-";

// Free ions of the entry in the given millilitres of water: water by its own ionisation, a
// strong electrolyte wholly, a weak one by its constant.
void Ionizar(CContenido& e, const CCatalogo& cat, double dMlAgua);
// Ionises every entry of a liquid phase that holds water.
void IonizarTodo(CFase& fase);
// Moles of the component that are ionised (its anions over its anions per unit).
double MolesIonizados(const CFase& fase, int32_t nComponente);
// Moles of free ions per litre of the phase.
double ConcentracionIones(const CFase& fase);
// pH from the H+ and OH- ions per litre of water, 0 to 14; kSinPH when there is none.
double CalcularPH(const CFase& fase);
// Recomputes the ions of each weak electrolyte that shares an ion with another entry; 1 when
// at least one changed.
int EfectoIonComun(CFase& fase);

} // namespace AcidoBase
