#include "model/Reactivos.h"

#include "model/Archivo.h"
#include "model/Catalogo.h"

double CReactivos::SumaProporciones() const {
    double d = 0.0;
    for (const CContenido& e : m_listaComposicion)
        d += e.m_dMoles;
    return d;
}

double CReactivos::GramosPorUnidad(const CCatalogo& cat) const {
    if (m_bPorProporcion == 0)
        return 1000.0;
    double d = 0.0;
    for (const CContenido& e : m_listaComposicion)
        if (const CComponentes* c = e.Componente(cat))
            d += c->m_dMasaMolar * e.m_dMoles;
    return d;
}

double CReactivos::MlPorUnidad(const CCatalogo& cat) const {
    if (m_bPorProporcion == 0)
        return 1000.0;
    double d = 0.0;
    for (const CContenido& e : m_listaComposicion) {
        const CComponentes* c = e.Componente(cat);
        // A component without density takes no volume.
        if (c && c->m_dDensidad > 0.0)
            d += c->m_dMasaMolar * e.m_dMoles / c->m_dDensidad;
    }
    return d;
}

double CReactivos::VolumenEstimado(const CCatalogo& cat, double dCantidad) const {
    if (m_nEstado == 1)
        return dCantidad;
    const double dSuma = SumaProporciones();
    if (dSuma == 0.0)
        return 0.0;
    double dDensidad = 0.0;
    for (const CContenido& e : m_listaComposicion) {
        const CComponentes* c = e.Componente(cat);
        if (!c)
            continue;
        const double dPeso = c->m_nEstado == ESTADO_SOLIDO ? 2.0 : 1.0;
        dDensidad += dPeso * c->m_dDensidad * e.m_dMoles;
    }
    dDensidad /= dSuma;
    return dDensidad > 0.0 ? dCantidad / dDensidad : 0.0;
}

void CReactivos::Vaciar() {
    m_listaComposicion.clear();
    m_strNombre.clear();
}

void CReactivos::ResolverComponentes(const CCatalogo& cat) {
    for (CContenido& e : m_listaComposicion)
        e.m_nComponente = cat.BuscarComponente(e.m_nComponente);
}

void CReactivos::Serialize(CArchivo& ar) {
    if (ar.IsStoring()) {
        ar << m_strNombre << static_cast<int32_t>(m_listaComposicion.size());
        ar << m_nEstado << m_bPorProporcion;
        for (CContenido& e : m_listaComposicion)
            e.Serialize(ar);
    } else {
        m_listaComposicion.clear();
        ar >> m_strNombre;
        const int32_t n = ar.LeerCuenta(CContenido::kBytesMinimos);
        ar >> m_nEstado >> m_bPorProporcion;
        for (int32_t i = 0; i < n; ++i)
            m_listaComposicion.emplace_back().Serialize(ar);
    }
}
