#include "Catalogo.h"

#include "Archivo.h"

CComponentes* g_pComponentes = nullptr;
int32_t g_nComponentes = 0;
CReactivos* g_pReactivos = nullptr;
int32_t g_nReactivos = 0;
CReacciones* g_pReacciones = nullptr;
int32_t g_nReacciones = 0;
CIndicadores* g_pIndicadores = nullptr;
int32_t g_nIndicadores = 0;

int32_t BuscarComponente(int32_t nId) {
    if (g_nComponentes <= 0 || !g_pComponentes)
        return 0;
    for (int32_t i = 0; i < g_nComponentes; ++i)
        if (g_pComponentes[i].m_nId == nId)
            return i;
    return g_nComponentes;
}

int32_t BuscarReactivo(const std::string& strNombre) {
    for (int32_t i = 0; i < g_nReactivos; ++i)
        if (g_pReactivos[i].m_strNombre == strNombre)
            return i;
    return g_nReactivos;
}

int32_t BuscarIndicador(const std::string& strNombre) {
    for (int32_t i = 0; i < g_nIndicadores; ++i)
        if (g_pIndicadores[i].m_strNombre == strNombre)
            return i;
    return g_nIndicadores;
}

namespace {
template <class T> void Reemplazar(T*& p, int32_t& n, int32_t nNuevo) {
    delete[] p;
    p = nullptr;
    n = 0;
    if (nNuevo > 0) {
        p = new T[static_cast<size_t>(nNuevo)];
        n = nNuevo;
    }
}
} // namespace

void CrearComponentes(int32_t n) {
    Reemplazar(g_pComponentes, g_nComponentes, n);
}
void CrearReactivos(int32_t n) {
    Reemplazar(g_pReactivos, g_nReactivos, n);
}
void CrearReacciones(int32_t n) {
    Reemplazar(g_pReacciones, g_nReacciones, n);
}
void CrearIndicadores(int32_t n) {
    Reemplazar(g_pIndicadores, g_nIndicadores, n);
}

void DestruirCatalogo() {
    CrearReacciones(0);
    CrearReactivos(0);
    CrearComponentes(0);
    CrearIndicadores(0);
}

void CrearCatalogoInicial() {
    DestruirCatalogo();
    CrearComponentes(3);
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
        CComponentes& c = g_pComponentes[i];
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
}

void SerializarCatalogo(CArchivo& ar, bool bPlantilla) {
    if (ar.IsStoring()) {
        ar << g_nReacciones;
        for (int32_t i = 0; i < g_nReacciones; ++i)
            g_pReacciones[i].Serialize(ar);
        ar << g_nReactivos;
        for (int32_t i = 0; i < g_nReactivos; ++i)
            g_pReactivos[i].Serialize(ar);
        ar << g_nComponentes;
        for (int32_t i = 0; i < g_nComponentes; ++i)
            g_pComponentes[i].Serialize(ar);
        ar << g_nIndicadores;
        for (int32_t i = 0; i < g_nIndicadores; ++i)
            g_pIndicadores[i].Serialize(ar);
        return;
    }
    DestruirCatalogo();
    CrearReacciones(ar.LeerCuenta(CReacciones::kBytesMinimos));
    for (int32_t i = 0; i < g_nReacciones; ++i)
        g_pReacciones[i].Serialize(ar);
    CrearReactivos(ar.LeerCuenta(CReactivos::kBytesMinimos));
    for (int32_t i = 0; i < g_nReactivos; ++i)
        g_pReactivos[i].Serialize(ar);
    CrearComponentes(ar.LeerCuenta(CComponentes::kBytesMinimos));
    for (int32_t i = 0; i < g_nComponentes; ++i) {
        g_pComponentes[i].Serialize(ar);
        if (bPlantilla)
            g_pComponentes[i].AjustarSolubilidad();
    }
    CrearIndicadores(ar.LeerCuenta(CIndicadores::kBytesMinimos));
    for (int32_t i = 0; i < g_nIndicadores; ++i) {
        g_pIndicadores[i].Serialize(ar);
        if (bPlantilla)
            g_pIndicadores[i].ResolverComponente();
    }
}

void ResolverPlantilla() {
    for (int32_t i = 0; i < g_nReacciones; ++i)
        g_pReacciones[i].ResolverComponentes();
    for (int32_t i = 0; i < g_nReactivos; ++i)
        g_pReactivos[i].ResolverComponentes();
}

CCatalogoGuardado::~CCatalogoGuardado() {
    Descartar();
}

void CCatalogoGuardado::Tomar() {
    Descartar();
    m_pComponentes = g_pComponentes;
    m_nComponentes = g_nComponentes;
    m_pReactivos = g_pReactivos;
    m_nReactivos = g_nReactivos;
    m_pReacciones = g_pReacciones;
    m_nReacciones = g_nReacciones;
    m_pIndicadores = g_pIndicadores;
    m_nIndicadores = g_nIndicadores;
    g_pComponentes = nullptr;
    g_pReactivos = nullptr;
    g_pReacciones = nullptr;
    g_pIndicadores = nullptr;
    g_nComponentes = g_nReactivos = g_nReacciones = g_nIndicadores = 0;
    m_bTomado = true;
}

void CCatalogoGuardado::Restaurar() {
    if (!m_bTomado)
        return;
    DestruirCatalogo();
    g_pComponentes = m_pComponentes;
    g_nComponentes = m_nComponentes;
    g_pReactivos = m_pReactivos;
    g_nReactivos = m_nReactivos;
    g_pReacciones = m_pReacciones;
    g_nReacciones = m_nReacciones;
    g_pIndicadores = m_pIndicadores;
    g_nIndicadores = m_nIndicadores;
    m_pComponentes = nullptr;
    m_pReactivos = nullptr;
    m_pReacciones = nullptr;
    m_pIndicadores = nullptr;
    m_bTomado = false;
}

void CCatalogoGuardado::Descartar() {
    delete[] m_pComponentes;
    delete[] m_pReactivos;
    delete[] m_pReacciones;
    delete[] m_pIndicadores;
    m_pComponentes = nullptr;
    m_pReactivos = nullptr;
    m_pReacciones = nullptr;
    m_pIndicadores = nullptr;
    m_nComponentes = m_nReactivos = m_nReacciones = m_nIndicadores = 0;
    m_bTomado = false;
}
