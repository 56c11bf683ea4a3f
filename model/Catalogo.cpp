#include "model/Catalogo.h"

#include "model/Archivo.h"

#include <algorithm>

int32_t CCatalogo::BuscarComponente(int32_t nId) const {
    if (m_componentes.empty())
        return 0;
    for (int32_t i = 0; i < NumComponentes(); ++i)
        if (m_componentes[static_cast<size_t>(i)].m_nId == nId)
            return i;
    return NumComponentes();
}

int32_t CCatalogo::BuscarReactivo(const std::string& strNombre) const {
    for (int32_t i = 0; i < NumReactivos(); ++i)
        if (m_reactivos[static_cast<size_t>(i)].m_strNombre == strNombre)
            return i;
    return NumReactivos();
}

int32_t CCatalogo::BuscarIndicador(const std::string& strNombre) const {
    for (int32_t i = 0; i < NumIndicadores(); ++i)
        if (m_indicadores[static_cast<size_t>(i)].m_strNombre == strNombre)
            return i;
    return NumIndicadores();
}

int32_t CCatalogo::IndicadorPorId(int32_t nId) const {
    for (int32_t i = 0; i < NumIndicadores(); ++i)
        if (m_indicadores[static_cast<size_t>(i)].m_nId == nId)
            return i;
    return -1;
}

const CCatalogo& CatalogoVacio() {
    static const CCatalogo vacio;
    return vacio;
}

// Kept as every file of a new practice has always carried it, on purpose: water at 18.0
// g/mol, sodium hydroxide with sodium chloride's density and melting and boiling points, and
// copper sulphate written "CuSO2" with the same copied points. Only the bench's start-up
// state uses it; every built-in practice brings its own catalogue with the right values.
CCatalogo CCatalogo::Inicial() {
    CCatalogo cat;
    cat.m_componentes.resize(3);
    struct Fila {
        const char* nombre;
        const char* formula;
        double masa, densidad, calor;
        COLORREF color;
        int32_t estado;
        double constante, fusion, ebullicion;
        const char* cation;
        const char* anion;
        double sol1, t1, sol2, t2;
        int32_t textura;
    };
    static const Fila filas[3] = {
        {"Agua", "H2O", 18.0, 1.0, 1.0, RGBColor(254, 254, 254), ESTADO_LIQUIDO, 1e-14, 0.0, 100.0,
         "H+", "OH-", 100.0, 0.0, 100.0, 100.0, 0},
        {"Hidroxido de sodio", "NaOH", 40.0, 2.163, 31.8, 0x00FF00, ESTADO_SOLIDO, -1.0, 800.4,
         1413.0, "Na+", "OH-", 37.5, 0.0, 39.8, 100.0, 2},
        {"Sulfato de cobre", "CuSO2", 159.63, 3.606, 1.0, 0xFF0000, ESTADO_SOLIDO, -1.0, 800.4,
         1413.0, "Cu", "SO4-2", 14.3, 0.0, 75.4, 100.0, 1},
    };
    for (int i = 0; i < 3; ++i) {
        const Fila& f = filas[i];
        CComponentes& c = cat.m_componentes[static_cast<size_t>(i)];
        c.m_nId = 0;
        c.m_strNombre = f.nombre;
        c.m_strFormula = f.formula;
        c.m_dMasaMolar = f.masa;
        c.m_dDensidad = f.densidad;
        c.m_dCalorEspecifico = f.calor;
        c.m_crColor = f.color;
        c.m_nEstado = f.estado;
        c.m_dConstante = f.constante;
        c.m_dPuntoFusion = f.fusion;
        c.m_dPuntoEbullicion = f.ebullicion;
        c.m_strCation = f.cation;
        c.m_nCantidadCation = 1;
        c.m_strAnion = f.anion;
        c.m_nCantidadAnion = 1;
        c.m_nSignoCation = 1;
        c.m_nSignoAnion = -1;
        c.m_dSolubilidad1 = f.sol1;
        c.m_dTemperatura1 = f.t1;
        c.m_dSolubilidad2 = f.sol2;
        c.m_dTemperatura2 = f.t2;
        c.m_nTextura = f.textura;
        c.AjustarSolubilidad();
    }
    return cat;
}

namespace {
// Records write themselves through Serialize, which reads and writes through one
// function; writing changes nothing, so a copy of the record keeps the writer const.
template <class T> void EscribirTabla(CArchivo& ar, const std::vector<T>& tabla) {
    ar << static_cast<int32_t>(tabla.size());
    for (const T& r : tabla) {
        T copia(r);
        copia.Serialize(ar);
    }
}

template <class T> void LeerTabla(CArchivo& ar, std::vector<T>& tabla) {
    tabla.clear();
    const int32_t n = ar.LeerCuenta(T::kBytesMinimos);
    tabla.resize(static_cast<size_t>(n));
    for (T& r : tabla)
        r.Serialize(ar);
}
} // namespace

void CCatalogo::Escribir(CArchivo& ar) const {
    EscribirTabla(ar, m_reacciones);
    EscribirTabla(ar, m_reactivos);
    EscribirTabla(ar, m_componentes);
    EscribirTabla(ar, m_indicadores);
}

void CCatalogo::Leer(CArchivo& ar, bool bPlantilla) {
    LeerTabla(ar, m_reacciones);
    LeerTabla(ar, m_reactivos);
    LeerTabla(ar, m_componentes);
    if (bPlantilla)
        for (CComponentes& c : m_componentes)
            c.AjustarSolubilidad();
    LeerTabla(ar, m_indicadores);
    if (bPlantilla)
        for (CIndicadores& i : m_indicadores)
            i.ResolverComponente(*this);
}

void CCatalogo::ResolverPlantilla() {
    for (CReacciones& r : m_reacciones)
        r.ResolverComponentes(*this);
    for (CReactivos& r : m_reactivos)
        r.ResolverComponentes(*this);
}

bool CCatalogo::ColorPorConcentracion() const {
    for (const CComponentes& c : m_componentes)
        if (c.m_dConcentracionColor > 0.0)
            return true;
    return false;
}

bool CCatalogo::UsaDatosVapor() const {
    return !m_paresVapor.empty() ||
           std::any_of(m_componentes.begin(), m_componentes.end(),
                       [](const CComponentes& c) { return c.m_disolucion.Tiene(); });
}

const CParVapor* CCatalogo::ParVapor(int32_t a, int32_t b) const {
    for (const CParVapor& p : m_paresVapor)
        if (p.m_nA == a && p.m_nB == b)
            return &p;
    return nullptr;
}

bool CCatalogo::UsaDatosTermicos() const {
    return m_termica.Tiene() ||
           std::any_of(m_componentes.begin(), m_componentes.end(),
                       [](const CComponentes& c) { return c.m_termica.Tiene(); });
}

bool CCatalogo::UsaDatosAcuosos() const {
    if (m_nMotor != MOTOR_DESCRITO)
        return true;
    for (const CComponentes& c : m_componentes)
        if (c.m_acidoBase.Tiene() || c.m_dConcentracionColor != 0.0 || c.m_superficie.Tiene())
            return true;
    for (const CIndicadores& i : m_indicadores)
        if (i.m_acidoBase.Tiene())
            return true;
    for (const CReacciones& r : m_reacciones)
        if (r.m_reversible.Tiene() || r.m_cinetica.Tiene())
            return true;
    return false;
}
