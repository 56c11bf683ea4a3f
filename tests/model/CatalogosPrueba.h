// Catalogues of the built-in practices, built in their template form (components referred
// to by identifier) and then read back the way a template is read, so that every test
// works on indices resolved by the same code the program uses.
#pragma once

#include "model/Catalogo.h"

#include <cstdint>
#include <vector>

namespace prueba {

// The component of the practice catalogues with this identifier.
CComponentes Componente(int32_t nId);

// Writes the tables as a template and reads them back (identifier resolution,
// solubility lines).
CCatalogo ReleerComoPlantilla(const CCatalogo& cat);

CCatalogo Catalogo900(); // conservation of mass: 14 components, 6 reactions
CCatalogo Catalogo901(); // simple distillation of a mixture of liquids
CCatalogo Catalogo902(); // reversibility: copper sulphate hydration
CCatalogo Catalogo903(); // acid-base titration
CCatalogo Catalogo904(); // specific heat of a metal

// A random catalogue as a teacher's editor could make one, from the seed: water and
// oxygen first, components of every state with made-up data, and reactions of every kind
// (plain, capped, from a temperature, in equilibrium, catalysed, with heat) among them, a
// component now and then on both sides. Each reaction is balanced in mass (its last
// product, a component of its own, weighs what the others leave), so that a closed vessel
// must keep its mass whatever they do.
CCatalogo CatalogoAleatorio(uint32_t nSemilla);

// Indices after reading template 903.
enum : int32_t { AGUA = 0, OXIGENO = 1, NAOH = 2, HCL = 3, NACL = 4 };
// Reagents of template 903 by index.
enum : int32_t { R_NAOH = 0, R_PROBLEMA3 = 1, R_PROBLEMA2 = 2, R_PROBLEMA1 = 3 };

} // namespace prueba
