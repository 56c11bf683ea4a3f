#include "model/Contenido.h"

#include "model/AcidoBase.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <algorithm>

const CComponentes* CContenido::Componente(const CCatalogo& cat) const {
    return cat.Componente(m_nComponente);
}

void CContenido::Sumar(const CCatalogo& cat, double dCantidad, int32_t nUnidad, double& dGramos,
                       double& dMl) {
    dGramos = dMl = 0.0;
    const CComponentes* c = Componente(cat);
    if (!c)
        return;
    const double x = c->AMoles(dCantidad, nUnidad);
    m_dMoles += x;
    c->MasaVolumen(x, dGramos, dMl);
    m_dGramos += dGramos;
    m_dMl += dMl;
}

void CContenido::Restar(const CCatalogo& cat, double dCantidad, int32_t nUnidad, double& dGramos,
                        double& dMl) {
    dGramos = dMl = 0.0;
    const CComponentes* c = Componente(cat);
    if (!c)
        return;
    const double x = c->AMoles(dCantidad, nUnidad);
    if (x < m_dMoles) {
        m_dMoles -= x;
        c->MasaVolumen(x, dGramos, dMl);
        m_dGramos = std::max(m_dGramos - dGramos, 0.0);
        m_dMl = std::max(m_dMl - dMl, 0.0);
    } else {
        // Asked for all of it or more: what leaves is what there was, never more, so that
        // the phase's running totals cannot go below zero.
        dGramos = std::max(m_dGramos, 0.0);
        dMl = std::max(m_dMl, 0.0);
        m_dMoles = m_dGramos = m_dMl = 0.0;
    }
}

double CContenido::Solubilidad(const CCatalogo& cat, double dMlAgua, double dTemperatura) const {
    const CComponentes* c = Componente(cat);
    return c ? c->Solubilidad(dMlAgua, dTemperatura) : 0.0;
}

double CContenido::FactorTemperatura(const CCatalogo& cat, double dTemperatura) const {
    const CComponentes* c = Componente(cat);
    return c ? c->FactorTemperatura(dTemperatura) : 0.0;
}

void CContenido::Ionizar(const CCatalogo& cat, double dMlAgua) {
    AcidoBase::Ionizar(*this, cat, dMlAgua);
}

double CContenido::MolesIon(const CCatalogo& cat, const std::string& strIon) const {
    const CComponentes* c = Componente(cat);
    if (!c)
        return 0.0;
    double d = 0.0;
    if (strIon == c->m_strAnion)
        d = m_dMolesAnion;
    if (strIon == c->m_strCation)
        d = m_dMolesCation;
    return d;
}

void CContenido::Serialize(CArchivo& ar) {
    if (ar.IsStoring())
        ar << m_nComponente << m_bDisuelto;
    else
        ar >> m_nComponente >> m_bDisuelto;
    for (double* p : {&m_dMoles, &m_dGramos, &m_dMl, &m_dMolesAnion, &m_dMolesCation}) {
        ar.Valor(*p, -Limites::kCantidad, Limites::kCantidad);
        // Older saves carry rounding rests a little below zero; an amount is never
        // negative, so those read as nothing.
        if (ar.IsLoading())
            *p = std::max(*p, 0.0);
    }
    if (ar.IsStoring()) {
        ar << m_strTexto;
    } else {
        ar >> m_strTexto;
        m_bFundido = 0;
        m_bSolidificado = 0;
    }
}
