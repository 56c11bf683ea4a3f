#include "equipment/TablaContenido.h"

#include "equipment/Conversiones.h"
#include "model/Catalogo.h"
#include "model/Seno.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// printf's formats, not the locale's: the table shows the same digits on every system.
QString Formato(const char* pszFormato, double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pszFormato, d);
    return QString::fromUtf8(buf);
}

// Amounts, in every column and for the ions alike: three significant figures, in
// scientific notation below 0.001 ("0.0300", "5.00e-04", "12.5", "250").
QString Cantidad(double d) {
    const double a = std::fabs(d);
    if (a == 0.0 || !std::isfinite(a))
        return Formato("%g", d);
    if (a < 0.001)
        return Formato("%.2e", d);
    // The decimals that leave three figures, counted on the value as it will be rounded
    // (0.09996 shows as "0.100", not "0.1000").
    int nExponente = static_cast<int>(std::floor(std::log10(a)));
    if (std::round(a * std::pow(10.0, 2 - nExponente)) >= 1000.0)
        ++nExponente;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, 2 - nExponente), d);
    return QString::fromUtf8(buf);
}

} // namespace

QString TablaContenido::NombreEstado(int32_t nEstado) {
    switch (nEstado) {
    case ESTADO_SOLIDO:
        return QCoreApplication::translate("TablaContenido", "Solido");
    case ESTADO_LIQUIDO:
        return QCoreApplication::translate("TablaContenido", "Liquido");
    case ESTADO_GAS:
        return QCoreApplication::translate("TablaContenido", "Gaseoso");
    case ESTADO_DISUELTO:
        return QCoreApplication::translate("TablaContenido", "Disolución");
    default:
        return {};
    }
}

std::vector<CRenglon> TablaContenido::Renglones(const CSeno& seno, bool bIones) {
    const CCatalogo& cat = seno.Cat();
    std::vector<CRenglon> v;
    for (const CEntradaFase& e : seno.Contenido()) {
        const CComponentes* c = cat.Componente(e.m_nComponente);
        if (!c)
            continue;
        v.push_back({{Q(c->m_strFormula), Cantidad(e.m_dMoles), Cantidad(e.m_dGramos),
                      NombreEstado(e.m_nEstado), e.m_bVolumen ? Cantidad(e.m_dMl) : QString(),
                      NombreEstado(e.m_nFase)}});
        if (!bIones)
            continue;
        const QString strEnSolucion = QCoreApplication::translate("TablaContenido", "En solución");
        const QString strNada = QStringLiteral("-");
        auto ion = [&](const std::string& strIon, double dMoles) {
            v.push_back(
                {{Q(strIon), Cantidad(dMoles), strNada, strEnSolucion, strNada, QString()}});
        };
        if (e.m_dMolesCation > 0.0)
            ion(c->m_strCation, e.m_dMolesCation);
        if (e.m_dMolesAnion > 0.0)
            ion(c->m_strAnion, e.m_dMolesAnion);
    }
    return v;
}
