#include "equipment/TablaContenido.h"

#include "equipment/Conversiones.h"
#include "model/Catalogo.h"
#include "model/Seno.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// printf's formats, not the locale's: the table shows the same digits on every system.
QString Formato(const char* pszFormato, double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pszFormato, d);
    return QString::fromUtf8(buf);
}

// Amounts: two decimals, or scientific notation below 0.01.
QString Cantidad(double d) {
    return Formato(d < 0.01 ? "%.2e" : "%.2f", d);
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
                {{Q(strIon), Formato("%.2e", dMoles), strNada, strEnSolucion, strNada, QString()}});
        };
        if (e.m_dMolesCation > 0.0)
            ion(c->m_strCation, e.m_dMolesCation);
        if (e.m_dMolesAnion > 0.0)
            ion(c->m_strAnion, e.m_dMolesAnion);
    }
    return v;
}
