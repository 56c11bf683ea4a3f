#include "model/Indicadores.h"

#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <cmath>

COLORREF CIndicadores::Color(double v) const {
    // A concentration without volume is no number: the colour below the range.
    if (std::isnan(v) || v < m_dLimiteBajo)
        return m_crColorBajo;
    if (v > m_dLimiteAlto)
        return m_crColorAlto;
    const double dRango = m_dLimiteAlto - m_dLimiteBajo;
    if (!(dRango > 0.0))
        return m_crColorBajo;
    auto canal = [&](int bajo, int alto) {
        return static_cast<int>(((m_dLimiteAlto - v) * bajo + (v - m_dLimiteBajo) * alto) / dRango);
    };
    return RGBColor(canal(RojoDe(m_crColorBajo), RojoDe(m_crColorAlto)),
                    canal(VerdeDe(m_crColorBajo), VerdeDe(m_crColorAlto)),
                    canal(AzulDe(m_crColorBajo), AzulDe(m_crColorAlto)));
}

void CIndicadores::ResolverComponente(const CCatalogo& cat) {
    m_nComponente = m_nComponente == 0 ? -1 : cat.BuscarComponente(m_nComponente);
}

void CIndicadores::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << m_nId << m_strNombre << m_nComponente << m_strTexto;
        ar << m_crColorBajo;
        ar.Valor(m_dLimiteBajo, -Limites::kValorCatalogo, Limites::kValorCatalogo);
        ar << m_crColorAlto;
        ar.Valor(m_dLimiteAlto, -Limites::kValorCatalogo, Limites::kValorCatalogo);
    } else {
        ar >> m_nId >> m_strNombre >> m_nComponente >> m_strTexto;
        ar >> m_crColorBajo;
        m_dLimiteBajo = ar.LeerDoubleEntre(-Limites::kValorCatalogo, Limites::kValorCatalogo);
        ar >> m_crColorAlto;
        m_dLimiteAlto = ar.LeerDoubleEntre(-Limites::kValorCatalogo, Limites::kValorCatalogo);
    }
}
