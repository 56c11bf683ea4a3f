// The colour of a vessel's contents in the words a student uses ("incoloro", "rosa pálido",
// "azul"), for those who cannot see the bench: the end point of a titration is a colour.
#pragma once

#include "model/Componentes.h"

#include <string>

// The Spanish name of a colour as drawn (a liquid drawn white is a colourless one). Bands of
// hue, lightness and saturation; the name agrees with "contenido" where it has a gender.
std::string NombreColor(COLORREF crColor);
