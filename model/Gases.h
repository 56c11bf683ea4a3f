// The gas a vessel collects, as the volume it takes up: the ideal gas law at the room's
// pressure and the vapour pressure of water for a gas collected over water.
#pragma once

namespace Gases {

// Molar gas constant, J/(mol K) (CODATA 2018, exact since the 2019 SI).
constexpr double kR = 8.314462618;
// Standard atmosphere, Pa (exact by definition): the laboratory's pressure.
constexpr double kAtmosfera = 101325.0;
constexpr double kCeroCelsius = 273.15;

// Vapour pressure of water over liquid water, Pa, at a temperature in °C: the saturation
// line of IAPWS-IF97, which the CRC Handbook's table follows (2.34 kPa at 20 °C). The
// temperature is held to 0–100 °C, where water in a trough is liquid.
double PresionVaporAgua(double dCelsius);

// Millilitres that the moles of an ideal gas take up at that temperature (°C) and pressure
// (Pa). Nothing (0) for no gas, and for a temperature or pressure out of reason, which no
// reading should turn into a number that is not finite.
double VolumenMl(double dMoles, double dCelsius, double dPresion);
// The moles of ideal gas in that many millilitres, the converse.
double MolesEnVolumen(double dMl, double dCelsius, double dPresion);

} // namespace Gases
