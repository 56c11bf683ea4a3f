// CambiosFase: the rules that move matter between the phases of a vessel one bounded portion
// per step (melting, freezing, boiling, condensing, dissolving, precipitating) and the
// boiling temperature and level they hang on. CFase keeps one-line members that call them.
#pragma once

#include <cstdint>

class CFase;

namespace CambiosFase {

// The portions and rates below are the described program's pace, not physical data: the
// practices' timings were set with them.
// Moles of one entry that melt or freeze per step once past its melting point.
inline constexpr double kPorcionFusion = 0.1;
// Moles of one liquid that evaporate per step at its boiling point; off it the portion is
// scaled by the temperature factor and the liquid's mole fraction.
inline constexpr double kPorcionEvaporacion = 0.001;
// Moles of one solid that dissolve per step when the caller names no rate.
inline constexpr double kRapidezDisolucion = 0.002;
// Moles of one dissolved solid above its solubility that precipitate per step.
inline constexpr double kPorcionPrecipitacion = 0.001;
// A gas condenses once the vessel is more than this many degrees (°C) below its boiling point.
inline constexpr double kMargenCondensacion = 1.0;
// Boiling level: the bubbles start at this fraction of the boiling temperature in °C and grow
// in kNivelesEbullicion steps up to it (60 to 100 °C for water).
inline constexpr double kInicioEbullicion = 0.6;
inline constexpr int kNivelesEbullicion = 30;
// The boiling temperature (°C) of a phase that holds no liquid-state component: a stand-in
// the described program has, not physical data.
inline constexpr double kSinEbullicion = 1000.0;
// Boiling-point elevation per mole of solid per gram of water, °C g/mol: water's
// ebullioscopic constant Kb = 0.512 K kg/mol, the usual textbook value (the CRC Handbook's
// table of ebullioscopic constants gives 0.513), times 1000 g/kg. The rule counts formula
// units, not ions, unless the practice gives a component's particles (van 't Hoff's i).
inline constexpr double kElevacionEbullicion = 512.0;
// Freezing-point depression of water per mole of particles per gram of water, °C g/mol: the
// cryoscopic constant Kf = 1.86 K kg/mol (CRC Handbook) times 1000 g/kg. It applies only to a
// liquid holding a component whose practice gives its particles.
inline constexpr double kDescensoCongelacion = 1860.0;

int Fundir(CFase& origen, CFase& destino, double dTemperatura);
int Congelar(CFase& origen, CFase& destino, double dTemperatura);
int Evaporar(CFase& origen, CFase& destino, double dTemperatura);
int Condensar(CFase& origen, CFase& destino, double dTemperatura, double dCantidad);
// Every liquid-state component of the gas, up to dMaximo moles each, whatever the temperature
// (the cold glass of a condenser).
int CondensarEn(CFase& origen, CFase& destino, double dMaximo);
int Disolver(CFase& origen, CFase& destino, double dTemperatura, double dRapidez);
int Precipitar(CFase& origen, CFase& destino, double dTemperatura);
// In a practice with a room (Termica.h), a component with an enthalpy of fusion is left out of the
// fixed-pace rules above: it melts and freezes here, by its heat. Every such entry of the solid
// above its melting point melts as far as the heat above that point pays for, and every one of the
// liquid below it freezes as far as the heat it gives brings the contents back up to it;
// the temperature (of contents of dCapacidad cal/°C) ends at the melting point while both
// states are there, which is the plateau of a heating or a cooling curve. The calories
// the change gave the contents (negative: took) are added to *pCalor.
int FusionLatente(CFase& solido, CFase& liquido, double& dTemperatura, double dCapacidad,
                  double* pCalor = nullptr);

// The lowest boiling point among the liquids held, raised, when it is water's, by the moles
// of solid-state components in the phase; kSinEbullicion when nothing in it boils. When the
// practice gives vapour data for every liquid held, the liquid's bubble point instead.
double TemperaturaEbullicion(const CFase& fase);
// The temperature below which the water of a liquid freezes: water's melting point, lowered
// by the dissolved particles when a component among them has a van 't Hoff factor.
double CongelacionAgua(const CFase& fase);
// Boiling level 0..kNivelesEbullicion of a vessel at dTemperatura whose liquid boils at
// dEbullicion; -1 when the range is empty and the level cannot be computed.
int NivelEbullicion(double dTemperatura, double dEbullicion);

} // namespace CambiosFase
