#include "model/Componentes.h"

#include "model/Archivo.h"

#include <algorithm>
#include <cmath>

double CComponentes::AMoles(double dCantidad, int32_t nUnidad) const {
    if (!(m_dMasaMolar > 0.0))
        return 0.0;
    switch (nUnidad) {
    case UNIDAD_GRAMOS:
        return dCantidad / m_dMasaMolar;
    case UNIDAD_ML:
        return dCantidad * m_dDensidad / m_dMasaMolar;
    case UNIDAD_MOLES:
        return dCantidad;
    default:
        return 0.0;
    }
}

void CComponentes::MasaVolumen(double dMoles, double& dGramos, double& dMl) const {
    dGramos = dMoles * m_dMasaMolar;
    dMl = m_dDensidad > 0.0 ? dGramos / m_dDensidad : 0.0;
}

void CComponentes::AjustarSolubilidad() {
    const double dRango = m_dTemperatura2 - m_dTemperatura1;
    m_dPendiente = 0.0;
    m_dOrdenada = 0.0;
    if (dRango != 0.0) {
        const double dPendiente = (m_dSolubilidad2 - m_dSolubilidad1) / dRango;
        const double dOrdenada = m_dSolubilidad1 - m_dTemperatura1 * dPendiente;
        // Two temperatures a denormal apart make an infinite slope; such a line is no
        // line at all and is treated as two equal temperatures are.
        if (std::isfinite(dPendiente) && std::isfinite(dOrdenada)) {
            m_dPendiente = dPendiente;
            m_dOrdenada = dOrdenada;
        }
    }
}

double CComponentes::Solubilidad(double dMlAgua, double dTemperatura) const {
    if (const auto& v = m_disolucion.m_solubilidad; !v.empty() && m_dMasaMolar > 0.0) {
        // Piecewise linear between the points, held flat beyond the first and the last: a
        // measured curve says nothing outside its range, and a line drawn on would go
        // negative or without bound. Temperatures a denormal apart count as one point.
        double g = v.front()[1];
        if (dTemperatura >= v.back()[0]) {
            g = v.back()[1];
        } else if (dTemperatura > v.front()[0]) {
            const auto it =
                std::upper_bound(v.begin(), v.end(), dTemperatura,
                                 [](double t, const std::array<double, 2>& q) { return t < q[0]; });
            const auto& p1 = *(it - 1);
            const auto& p2 = *it;
            const double f = (dTemperatura - p1[0]) / (p2[0] - p1[0]);
            g = std::isfinite(f) ? p1[1] + f * (p2[1] - p1[1]) : p1[1];
        }
        return dMlAgua * g * 0.01 / m_dMasaMolar;
    }
    if (m_dSolubilidad1 == 0.0 || !(m_dMasaMolar > 0.0))
        return 0.0;
    if (dTemperatura >= m_dTemperatura2)
        return dMlAgua * m_dSolubilidad2 * 0.01 / m_dMasaMolar;
    // The line is extended below its first temperature too, so it may go negative.
    return (dTemperatura * m_dPendiente + m_dOrdenada) * dMlAgua * 0.01 / m_dMasaMolar;
}

// The model's absolute temperature is degrees Celsius + 273.6, not 273.15. Deliberate: every
// stored rate and every practice's timing was set with this offset; "correcting" it would
// change the simulation of every saved practice.
constexpr double kCeroAbsolutoModelo = 273.6;

double CComponentes::FactorTemperatura(double dTemperatura) const {
    const double dAbsoluta = m_dPuntoEbullicion + kCeroAbsolutoModelo;
    if (dAbsoluta == 0.0)
        return 0.0;
    return (dTemperatura + kCeroAbsolutoModelo) / dAbsoluta;
}

void CComponentes::Serialize(CArchivo& ar) {
    using namespace Limites;
    auto valor = [&ar](double& d) { ar.Valor(d, -kValorCatalogo, kValorCatalogo); };
    if (ar.IsStoring())
        ar << m_nId << m_strNombre << m_strDescripcion << m_strFormula;
    else
        ar >> m_nId >> m_strNombre >> m_strDescripcion >> m_strFormula;
    valor(m_dMasaMolar);
    valor(m_dDensidad);
    valor(m_dCalorEspecifico);
    if (ar.IsStoring())
        ar << m_crColor;
    else
        ar >> m_crColor;
    ar.Entero(m_nEstado, ESTADO_SOLIDO, ESTADO_NINGUNO);
    valor(m_dConstante);
    valor(m_dPuntoFusion);
    valor(m_dPuntoEbullicion);
    // Ion counts and signs are multiplied as integers; textures index the pictures.
    ar.Entero(m_nCantidadAnion, 0, kCuentaIones);
    if (ar.IsStoring())
        ar << m_strCation;
    else
        ar >> m_strCation;
    ar.Entero(m_nCantidadCation, 0, kCuentaIones);
    if (ar.IsStoring())
        ar << m_strAnion;
    else
        ar >> m_strAnion;
    ar.Entero(m_nSignoCation, -kCuentaIones, kCuentaIones);
    ar.Entero(m_nSignoAnion, -kCuentaIones, kCuentaIones);
    valor(m_dSolubilidad1);
    valor(m_dSolubilidad2);
    valor(m_dTemperatura1);
    valor(m_dTemperatura2);
    valor(m_dPendiente);
    valor(m_dOrdenada);
    ar.Entero(m_nTextura, 0, kTextura);
}
