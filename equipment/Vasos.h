// Beakers, Erlenmeyer flask of 100 ml, cylinders, test tube, watch glass and crucible:
// plain vessels that differ only in their row of the geometry table.
#pragma once

#include "equipment/Recipiente.h"

using CVaso100 = CDeTipo<CRecipiente, TipoEquipo::Vaso100>;
using CVaso250 = CDeTipo<CRecipiente, TipoEquipo::Vaso250>;
using CVaso600 = CDeTipo<CRecipiente, TipoEquipo::Vaso600>;
using CErlenmeyer100 = CDeTipo<CRecipiente, TipoEquipo::Erlenmeyer100>;
using CProbeta10 = CDeTipo<CRecipiente, TipoEquipo::Probeta10>;
using CProbeta100 = CDeTipo<CRecipiente, TipoEquipo::Probeta100>;
using CTuboEnsaye = CDeTipo<CRecipiente, TipoEquipo::TuboEnsaye>;
using CVidrioReloj = CDeTipo<CRecipiente, TipoEquipo::VidrioReloj>;
using CCrisol = CDeTipo<CRecipiente, TipoEquipo::Crisol>;
