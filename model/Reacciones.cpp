#include "model/Reacciones.h"

#include "model/Archivo.h"
#include "model/Catalogo.h"

void CReacciones::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << kVersion << m_nId << m_strTexto1 << m_strTexto2;
        for (int32_t n : m_nReactivo)
            ar << n;
        auto valor = [&ar](double& d) {
            ar.Valor(d, -Limites::kValorCatalogo, Limites::kValorCatalogo);
        };
        for (int32_t& n : m_nCoefReactivo)
            ar.Entero(n, 0, Limites::kCoeficiente);
        for (int32_t n : m_nProducto)
            ar << n;
        for (int32_t& n : m_nCoefProducto)
            ar.Entero(n, 0, Limites::kCoeficiente);
        valor(m_dCalor);
        ar << m_nReservado << m_bTempMinima;
        valor(m_dTempMinima);
        ar << m_bSinLimite;
        valor(m_dLimitePaso);
        ar << m_bEquilibrio;
        valor(m_dConstanteEquilibrio);
        for (int32_t n : m_nFaseReactivo)
            ar << n;
        for (int32_t n : m_nFaseProducto)
            ar << n;
        ar << m_nCatalizador;
        valor(m_dLimiteCatalizado);
        return;
    }
    int32_t nVersion = 0;
    int32_t nPrimero = ar.LeerInt32();
    if (nPrimero < 0) {
        nVersion = nPrimero;
        ar >> m_nId;
    } else {
        m_nId = nPrimero;
        nVersion = kVersionAntigua;
    }
    ar >> m_strTexto1 >> m_strTexto2;
    for (int32_t& n : m_nReactivo)
        ar >> n;
    // Coefficients are summed and multiplied as integers; no real equation comes near
    // the bound.
    for (int32_t& n : m_nCoefReactivo)
        n = ar.LeerInt32Entre(0, Limites::kCoeficiente);
    for (int32_t& n : m_nProducto)
        ar >> n;
    for (int32_t& n : m_nCoefProducto)
        n = ar.LeerInt32Entre(0, Limites::kCoeficiente);
    auto valor = [&ar] {
        return ar.LeerDoubleEntre(-Limites::kValorCatalogo, Limites::kValorCatalogo);
    };
    m_dCalor = valor();
    ar >> m_nReservado >> m_bTempMinima;
    m_dTempMinima = valor();
    ar >> m_bSinLimite;
    m_dLimitePaso = valor();
    ar >> m_bEquilibrio;
    m_dConstanteEquilibrio = valor();
    for (int32_t& n : m_nFaseReactivo)
        ar >> n;
    for (int32_t& n : m_nFaseProducto)
        ar >> n;
    if (nVersion <= kVersion) {
        ar >> m_nCatalizador;
        m_dLimiteCatalizado = valor();
    } else {
        m_nCatalizador = 0;
        m_dLimiteCatalizado = 0.0;
    }
}

void CReacciones::ResolverComponentes(const CCatalogo& cat) {
    for (int32_t& n : m_nReactivo)
        n = cat.BuscarComponente(n);
    for (int32_t& n : m_nProducto)
        n = cat.BuscarComponente(n);
    m_nCatalizador = cat.BuscarComponente(m_nCatalizador);
}
