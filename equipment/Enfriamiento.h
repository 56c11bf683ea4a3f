// How fast each kind of vessel exchanges heat with the room in a practice that has one
// (model/Termica.h): its conductance h A, W/K.
#pragma once

#include "equipment/TiposEquipo.h"

// h = 10 W/(m² K), natural convection and radiation from a small vessel in still air
// (Incropera and DeWitt, Fundamentals of Heat and Mass Transfer, tables 1.1 and 9.1), over
// the wall, bottom and free surface of the vessel filled to about half: 100 ml beaker
// 0.0080 m², 250 ml 0.0135 m², 600 ml 0.025 m², a test tube of 16 mm with 10 ml 0.0030 m².
double ConductanciaDe(TipoEquipo eTipo);

// The calorimeter: with its lid, an insulated cup that loses 0.05 °C in five minutes at 7 °C
// above the room with 100 ml inside (0.01 W/K, a time constant of 12 h); open, the heat
// leaves through the free surface of the liquid, 7 cm across (0.004 m², 0.04 W/K).
inline constexpr double kConductanciaCalorimetroTapado = 0.01;
inline constexpr double kConductanciaCalorimetroAbierto = 0.04;
