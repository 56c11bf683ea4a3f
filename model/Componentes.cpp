#include "Componentes.h"

#include "Archivo.h"

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
    if (dRango != 0.0) {
        m_dPendiente = (m_dSolubilidad2 - m_dSolubilidad1) / dRango;
        m_dOrdenada = m_dSolubilidad1 - m_dTemperatura1 * m_dPendiente;
    } else {
        m_dPendiente = 0.0;
        m_dOrdenada = 0.0;
    }
}

double CComponentes::Solubilidad(double dMlAgua, double dTemperatura) const {
    if (m_dSolubilidad1 == 0.0 || !(m_dMasaMolar > 0.0))
        return 0.0;
    if (dTemperatura >= m_dTemperatura2)
        return dMlAgua * m_dSolubilidad2 * 0.01 / m_dMasaMolar;
    // The line is extended below its first temperature too, so it may go negative.
    return (dTemperatura * m_dPendiente + m_dOrdenada) * dMlAgua * 0.01 / m_dMasaMolar;
}

double CComponentes::FactorTemperatura(double dTemperatura) const {
    const double dAbsoluta = m_dPuntoEbullicion + 273.6;
    if (dAbsoluta == 0.0)
        return 0.0;
    return (dTemperatura + 273.6) / dAbsoluta;
}

void CComponentes::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << m_nId << m_strNombre << m_strDescripcion << m_strFormula;
        ar << m_dMasaMolar << m_dDensidad << m_dCalorEspecifico;
        ar << m_crColor << m_nEstado;
        ar << m_dConstante << m_dPuntoFusion << m_dPuntoEbullicion;
        ar << m_nCantidadAnion << m_strCation << m_nCantidadCation << m_strAnion;
        ar << m_nSignoCation << m_nSignoAnion;
        ar << m_dSolubilidad1 << m_dSolubilidad2 << m_dTemperatura1 << m_dTemperatura2;
        ar << m_dPendiente << m_dOrdenada << m_nTextura;
    } else {
        ar >> m_nId >> m_strNombre >> m_strDescripcion >> m_strFormula;
        ar >> m_dMasaMolar >> m_dDensidad >> m_dCalorEspecifico;
        ar >> m_crColor >> m_nEstado;
        ar >> m_dConstante >> m_dPuntoFusion >> m_dPuntoEbullicion;
        ar >> m_nCantidadAnion >> m_strCation >> m_nCantidadCation >> m_strAnion;
        ar >> m_nSignoCation >> m_nSignoAnion;
        ar >> m_dSolubilidad1 >> m_dSolubilidad2 >> m_dTemperatura1 >> m_dTemperatura2;
        ar >> m_dPendiente >> m_dOrdenada >> m_nTextura;
    }
}
