#include "model/Termica.h"

#include <cmath>

namespace Termica {

double Enfriar(double dTemperatura, double dAmbiente, double dCapacidad, double dConductancia,
               double dSegundos) {
    const double dJoulesPorGrado = dCapacidad * kJoulesPorCaloria;
    if (!(dJoulesPorGrado > 0.0) || !(dConductancia > 0.0) || !(dSegundos > 0.0))
        return dTemperatura;
    const double t = dAmbiente + (dTemperatura - dAmbiente) *
                                     std::exp(-dConductancia * dSegundos / dJoulesPorGrado);
    return std::isfinite(t) ? t : dTemperatura;
}

} // namespace Termica
