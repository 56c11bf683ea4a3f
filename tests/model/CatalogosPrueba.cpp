#include "CatalogosPrueba.h"

#include "model/Archivo.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

namespace prueba {

namespace {

struct FilaComponente {
    int32_t id;
    const char* nombre;
    const char* formula;
    double masa, densidad, calor;
    COLORREF color;
    int32_t estado;
    double constante, fusion, ebullicion;
    const char* cation;
    int32_t nCation, signoCation;
    const char* anion;
    int32_t nAnion, signoAnion;
    double sol1, t1, sol2, t2;
    int32_t textura;
};

const FilaComponente kComponentes[] = {
    {1,    "Agua", "H2O", 18.01528, 1, 1,  0xFEFEFE, 1, 1e-14, 0,   100,
     "H+", 1,      1,     "OH-",    1, -1, 100,      0, 100,   100, 0},
    {2,        "Hidroxido de sodio",
     "NaOH",   39.99711,
     2.13,     0,
     0xFEFEFE, 0,
     -1,       318.4,
     1390,     "Na+",
     1,        1,
     "OH-",    1,
     -1,       42,
     0,        347,
     100,      1},
    {3,        "Acido clorhidrico",
     "HCl",    36.46094,
     1.268,    0,
     0xFEFEFE, 2,
     -1,       -111,
     -85,      "H+",
     1,        1,
     "Cl-",    1,
     -1,       82.3,
     0,        56.1,
     60,       0},
    {4,        "Cloruro de sodio",
     "NaCl",   58.44277,
     2.163,    0,
     0xFEFEFE, 0,
     -1,       800.4,
     1413,     "Na+",
     1,        1,
     "Cl-",    1,
     -1,       35.7,
     0,        39.8,
     100,      4},
    {5,
     "Sulfato de cobre pentahidratad",
     "CuSO4 (H2O)5",
     249.68,
     2.36,
     0.2691,
     0xFF0000,
     0,
     -1,
     110,
     250,
     "Cu+2",
     1,
     2,
     "SO4-2",
     1,
     -2,
     24.3,
     0,
     205,
     100,
     5},
    {8,     "Magnesio", "Mg", 24.305, 1.74, 0.249, 0xFEFEFE, 0, 0, 651, 1110,
     "Mg+", 0,          -1,   "-",    0,    -1,    0,        0, 0, 100, 1},
    {9,    "Etanol", "CH3CH2OH", 46.06904, 0.789, 0.587, 0xFFFEF4, 1, 0,   -112, 78.4,
     "H+", 0,        -1,         "-",      0,     -1,    100,      0, 100, 100,  0},
    {22,    "Hierro", "Fe", 55.847, 7.7, 0.11, 0x808080, 0, 0, 1536, 3000,
     "Fe+", 0,        -1,   "-",    0,   -1,   0,        0, 0, 100,  3},
    {23,   "Acetona", "CH3COCH3", 58.08004, 0.792, 0.89, 0xF5FFEC, 1, 0,   -94.6, 56.5,
     "H+", 0,         -1,         "-",      0,     -1,   100,      0, 100, 100,   0},
    {149,   "Aluminio", "Al", 26.98154, 2.7, 0.216, 0xEAEAEA, 0, 0, 660, 2450,
     "Al+", 0,          -1,   "-",      0,   -1,    0,        0, 0, 100, 1},
    {151,   "Plomo", "Pb", 207.19, 11.4, 0.031, 0x808080, 0, 0, 327.4, 1725,
     "Pb+", 0,       -1,   "-",    0,    -1,    0,        0, 0, 100,   1},
    {7,        "Hidrogeno molecular",
     "H2",     2.01588,
     0.0709,   0,
     0xFEFEFE, 2,
     0,        -256.1,
     -252.7,   "H+",
     0,        -1,
     "H-",     0,
     -1,       0,
     0,        0.85,
     80,       0},
    {14,       "Oxigeno molecular",
     "O2",     31.9988,
     1,        0,
     0xFEFEFE, 2,
     0,        -251,
     -183,     "O+",
     0,        -1,
     "O-",     0,
     -2,       4.89,
     0,        1.7,
     100,      0},
    {40,       "Sulfato de cobre II",
     "CuSO4",  159.6036,
     3.6,      0.151,
     0xFEFEFE, 0,
     -1,       600,
     1000,     "Cu+",
     1,        1,
     "SO4-2",  1,
     -2,       14.3,
     0,        75.4,
     100,      1},
    {47,    "Cobre", "Cu", 63.546, 8.92, 0.0939, 0x0B60AC, 0, 0, 1083, 2595,
     "Cu+", 0,       -1,   "-",    0,    -1,     0,        0, 0, 100,  0},
    {150,   "Zinc", "Zn", 65.38, 7.14, 0.0938, 0xC0C0C0, 0, 0, 419.5, 906,
     "Zn+", 0,      -1,   "-",   0,    -1,     0,        0, 0, 100,   2},
    {152, "Acido nítico", "HNO3", 63.01284, 1.502, 0.52, 0xFEFEFE, 1,   -1, -42, 86, "H+", 1,
     1,   "NO3-",         1,      -1,       100,   0,    100,      100, 0},
    {154,      "Oxido Nitrico",
     "NO",     30.0061,
     1,        0.268,
     0xFEFEFE, 2,
     0,        -161,
     -151,     "N+",
     0,        -1,
     "O-",     0,
     -2,       7.34,
     0,        0,
     100,      0},
    {155,       "Hidroxido de Cobre",
     "Cu(OH)2", 97.56068,
     3.368,     0.216,
     0xC68600,  0,
     -1,        1000,
     1100,      "Cu+2",
     1,         2,
     "OH-",     2,
     -1,        0,
     0,         0,
     100,       2},
    {156,      "Nitrato de sodio",
     "NaNO3",  84.99467,
     2.257,    0.4376,
     0xFEFEFE, 0,
     -1,       308,
     380,      "Na+",
     1,        1,
     "NO3-",   1,
     -1,       73,
     0,        180,
     100,      1},
    {157,      "Acido sulfúrico",
     "H2SO4",  98.07348,
     1.834,    0.3352,
     0xFEFEFE, 1,
     -1,       10.49,
     340,      "H+",
     2,        1,
     "SO4-2",  1,
     -2,       1000,
     0,        1000,
     100,      0},
    {158,      "Sulfato de Zinc",
     "ZnSO4",  161.4376,
     3.74,     0.1734,
     0xFEFEFE, 0,
     -1,       740,
     10000,    "Zn+2",
     1,        2,
     "SO4-2",  1,
     -2,       42,
     0,        31,
     100,      2},
    {159,        "Nitrato cuprico",
     "Cu(NO3)2", 187.5558,
     2.047,      0.128,
     0xFF3535,   0,
     -1,         114.5,
     170,        "Cu+2",
     1,          2,
     "NO3-",     2,
     -1,         381,
     40,         666,
     80,         1},
};

void Componentes(CCatalogo& cat, std::initializer_list<int32_t> ids) {
    cat.m_componentes.clear();
    for (int32_t id : ids)
        cat.m_componentes.push_back(Componente(id));
}

struct Parte {
    double moles;
    int32_t id;
};

void Reactivo(CCatalogo& cat, int32_t i, const char* nombre, int32_t estado, int32_t proporcion,
              std::initializer_list<Parte> partes) {
    cat.m_reactivos.resize(std::max<size_t>(cat.m_reactivos.size(), size_t(i) + 1));
    CReactivos& r = cat.m_reactivos[size_t(i)];
    r.m_strNombre = nombre;
    r.m_nEstado = estado;
    r.m_bPorProporcion = proporcion;
    for (const Parte& p : partes) {
        CContenido& e = r.m_listaComposicion.emplace_back(p.id);
        e.m_dMoles = p.moles;
    }
}

struct Ranura {
    int32_t coef, id, fase;
};

CReacciones& Reaccion(CCatalogo& cat, int32_t i, int32_t id, const char* texto,
                      std::initializer_list<Ranura> reactivos,
                      std::initializer_list<Ranura> productos) {
    cat.m_reacciones.resize(std::max<size_t>(cat.m_reacciones.size(), size_t(i) + 1));
    CReacciones& R = cat.m_reacciones[size_t(i)];
    R.m_nId = id;
    R.m_strTexto1 = texto;
    R.m_bSinLimite = 1;
    int k = 0;
    for (const Ranura& s : reactivos) {
        R.m_nCoefReactivo[k] = s.coef;
        R.m_nReactivo[k] = s.id;
        R.m_nFaseReactivo[k++] = s.fase;
    }
    k = 0;
    for (const Ranura& s : productos) {
        R.m_nCoefProducto[k] = s.coef;
        R.m_nProducto[k] = s.id;
        R.m_nFaseProducto[k++] = s.fase;
    }
    return R;
}

void Indicador(CCatalogo& cat, int32_t i, int32_t id, const char* nombre, COLORREF bajo,
               double lBajo, COLORREF alto, double lAlto) {
    cat.m_indicadores.resize(std::max<size_t>(cat.m_indicadores.size(), size_t(i) + 1));
    CIndicadores& d = cat.m_indicadores[size_t(i)];
    d.m_nId = id;
    d.m_strNombre = nombre;
    d.m_nComponente = 0; // template form: follows the pH
    d.m_strTexto = "pH";
    d.m_crColorBajo = bajo;
    d.m_dLimiteBajo = lBajo;
    d.m_crColorAlto = alto;
    d.m_dLimiteAlto = lAlto;
}

constexpr double kAguaPorLitro = 55.50843506179199;

} // namespace

CComponentes Componente(int32_t nId) {
    for (const FilaComponente& f : kComponentes) {
        if (f.id != nId)
            continue;
        CComponentes c;
        c.m_nId = f.id;
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
        c.m_nCantidadCation = f.nCation;
        c.m_nSignoCation = f.signoCation;
        c.m_strAnion = f.anion;
        c.m_nCantidadAnion = f.nAnion;
        c.m_nSignoAnion = f.signoAnion;
        c.m_dSolubilidad1 = f.sol1;
        c.m_dTemperatura1 = f.t1;
        c.m_dSolubilidad2 = f.sol2;
        c.m_dTemperatura2 = f.t2;
        c.m_nTextura = f.textura;
        return c;
    }
    throw std::invalid_argument("componente desconocido");
}

CCatalogo ReleerComoPlantilla(const CCatalogo& cat) {
    CArchivo escritura;
    cat.Escribir(escritura);
    CArchivo lectura(escritura.Datos());
    CCatalogo leido;
    leido.Leer(lectura, true);
    leido.ResolverPlantilla();
    if (!lectura.AlFinal())
        throw std::logic_error("el catálogo no se leyó hasta el final");
    return leido;
}

CCatalogo Catalogo900() {
    CCatalogo cat;
    Componentes(cat, {1, 14, 47, 152, 159, 154, 2, 155, 156, 157, 40, 150, 158, 7});
    Reactivo(cat, 0, "Acido sulfúrico 1 M", 1, 0, {{52.54011150897631, 1}, {1, 157}});
    Reactivo(cat, 1, "Hidroxido de sodio 1 M", 1, 0, {{kAguaPorLitro, 1}, {1, 2}});
    Reactivo(cat, 2, "Acido nitrico 1 M", 1, 0, {{53.17971060293774, 1}, {1, 152}});
    Reactivo(cat, 3, "Limaduras de zinc", 0, 1, {{100, 150}});
    Reactivo(cat, 4, "Limaduras de Cobre", 0, 1, {{100, 47}});
    Reaccion(cat, 0, 32, "Disolucion de cobre", {{3, 47, 1}, {8, 152, 0}},
             {{3, 159, 0}, {2, 154, 3}, {4, 1, 2}})
        .m_nReservado = 1;
    Reaccion(cat, 1, 33, "Cu(NO3)2 + NaOH", {{1, 159, 0}, {2, 2, 0}}, {{1, 155, 1}, {2, 156, 0}});
    Reaccion(cat, 2, 34, "Cu(OH)2 + H2SO4", {{1, 155, 1}, {1, 157, 0}}, {{1, 40, 0}, {2, 1, 2}});
    Reaccion(cat, 3, 35, "CuSO4 + Zn", {{1, 40, 0}, {1, 150, 1}}, {{1, 158, 0}, {1, 47, 1}});
    Reaccion(cat, 4, 36, "HNO3 + NaOH", {{1, 152, 0}, {1, 2, 0}}, {{1, 156, 0}, {1, 1, 2}});
    Reaccion(cat, 5, 37, "Zn + H2SO4", {{1, 150, 1}, {1, 157, 0}}, {{1, 158, 0}, {1, 7, 3}});
    return ReleerComoPlantilla(cat);
}

CCatalogo Catalogo901() {
    CCatalogo cat;
    Componentes(cat, {1, 14, 4, 9, 23});
    Reactivo(cat, 0, "Mezcla de liquidos", 1, 1, {{1, 4}, {39, 1}, {40, 9}, {20, 23}});
    return ReleerComoPlantilla(cat);
}

CCatalogo Catalogo904() {
    CCatalogo cat;
    Componentes(cat, {1, 14, 151, 150, 149, 8, 22, 47});
    Reactivo(cat, 0, "Metal 4", 0, 1, {{100, 151}});
    Reactivo(cat, 1, "Metal 5", 0, 1, {{100, 150}});
    Reactivo(cat, 2, "Metal 3", 0, 1, {{100, 149}});
    Reactivo(cat, 3, "Metal 2", 0, 1, {{100, 8}});
    Reactivo(cat, 4, "Metal 1", 0, 1, {{100, 22}});
    Reactivo(cat, 5, "Limaduras de Cobre", 0, 1, {{100, 47}});
    return ReleerComoPlantilla(cat);
}

CCatalogo Catalogo902() {
    CCatalogo cat;
    Componentes(cat, {1, 14, 40, 5, 2, 3});
    Reactivo(cat, 0, "Hidróxido de sodio 0.1 Molar", 1, 0, {{kAguaPorLitro, 1}, {0.1, 2}});
    Reactivo(cat, 1, "Acido clorhídrico 0.1 Molar", 1, 0, {{55.508435061791985, 1}, {0.1, 3}});
    Reactivo(cat, 2, "Sulfato de cobre pentahidratado", 0, 1, {{100, 5}});
    Reaccion(cat, 0, 39, "Hidratación CuSO4", {{1, 40, 1}, {5, 1, 2}}, {{1, 5, 1}}).m_dCalor = 0.25;
    CReacciones& R =
        Reaccion(cat, 1, 38, "Deshidratcion del CuSO4", {{1, 5, 1}}, {{1, 40, 1}, {5, 1, 3}});
    R.m_bTempMinima = 1;
    R.m_dTempMinima = 35.0;
    R.m_bSinLimite = 0;
    R.m_dLimitePaso = 0.001;
    Indicador(cat, 0, 1, "Fenolftaleina", 0xFEFEFE, 8.0, 0xFF00FF, 10.0);
    return ReleerComoPlantilla(cat);
}

CCatalogo Catalogo903() {
    CCatalogo cat;
    Componentes(cat, {1, 14, 2, 3, 4});
    Reactivo(cat, 0, "Hidróxido de sodio 0.1 Molar", 1, 0, {{kAguaPorLitro, 1}, {0.1, 2}});
    Reactivo(cat, 1, "Solución problema 3", 1, 0, {{kAguaPorLitro, 1}, {0.01, 3}});
    Reactivo(cat, 2, "Solución problema 2", 1, 0, {{kAguaPorLitro, 1}, {0.00854, 3}});
    Reactivo(cat, 3, "Solución problema 1", 1, 0, {{kAguaPorLitro, 1}, {0.01654, 3}});
    CReacciones& R = Reaccion(cat, 0, 1, "Neutralización NaOH y HCl", {{1, 2, 0}, {1, 3, 0}},
                              {{1, 4, 0}, {1, 1, 2}, {0, 0, 2}});
    R.m_strTexto2 = "Reacción de neutralización entre un ácido fuerte y una base fuerte";
    R.m_dCalor = -97.324;
    R.m_nReservado = 1;
    R.m_nCatalizador = 9999; // matches no component
    Indicador(cat, 0, 2, "Naranja de Metilo", 0x0000FF, 3.1, 0x00FFFF, 4.4);
    Indicador(cat, 1, 3, "Azul de Bromotimol", 0x00FFFF, 6.2, 0xFF0000, 7.6);
    Indicador(cat, 2, 1, "Fenolftaleina", 0xFEFEFE, 8.0, 0xFF00FF, 10.0);
    return ReleerComoPlantilla(cat);
}

CCatalogo CatalogoAleatorio(uint32_t nSemilla) {
    std::mt19937 rng(nSemilla);
    auto real = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(rng);
    };
    auto entero = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    // Ions from a short list, so that different components share some (the common-ion rule).
    static const char* const kCationes[] = {"H+", "Na+", "Cu+2", "Ca+2"};
    static const char* const kAniones[] = {"OH-", "Cl-", "SO4-2", "NO3-"};
    auto componente = [&](int32_t nId, double dMasa) {
        CComponentes c;
        c.m_nId = nId;
        c.m_strNombre = "Sustancia " + std::to_string(nId);
        c.m_strFormula = "X" + std::to_string(nId);
        c.m_dMasaMolar = dMasa;
        c.m_nEstado = entero(0, 2);
        c.m_dDensidad = c.m_nEstado == ESTADO_GAS ? real(0.05, 2.0) : real(0.6, 9.0);
        c.m_dCalorEspecifico = entero(0, 3) == 0 ? 0.0 : real(0.05, 1.0);
        const int nConstante = entero(0, 2);
        c.m_dConstante = nConstante == 0   ? 0.0
                         : nConstante == 1 ? -1.0
                                           : std::pow(10.0, real(-9, -2));
        c.m_dPuntoFusion = real(-150.0, 400.0);
        c.m_dPuntoEbullicion = c.m_dPuntoFusion + real(5.0, 900.0);
        c.m_strCation = kCationes[entero(0, 3)];
        c.m_nCantidadCation = entero(0, 2);
        c.m_nSignoCation = 1;
        c.m_strAnion = kAniones[entero(0, 3)];
        c.m_nCantidadAnion = c.m_nCantidadCation == 0 ? 0 : entero(1, 2);
        c.m_nSignoAnion = -1;
        c.m_dSolubilidad1 = entero(0, 3) == 0 ? 0.0 : real(0.0, 80.0);
        c.m_dTemperatura1 = 0.0;
        c.m_dSolubilidad2 = real(0.0, 150.0);
        c.m_dTemperatura2 = 100.0;
        c.m_nTextura = entero(0, 5);
        c.AjustarSolubilidad();
        return c;
    };
    CCatalogo cat;
    cat.m_componentes = {Componente(1), Componente(14)};
    for (CComponentes& c : cat.m_componentes)
        c.AjustarSolubilidad();
    const int nBase = entero(3, 6);
    for (int i = 0; i < nBase; ++i)
        cat.m_componentes.push_back(componente(1000 + i, real(2.0, 300.0)));
    const int nReacciones = entero(2, 6);
    for (int n = 0; n < nReacciones; ++n) {
        CReacciones R;
        R.m_nId = 100 + n;
        R.m_strTexto1 = "Reacción " + std::to_string(n + 1);
        const int32_t nTodos = cat.NumComponentes();
        for (int k = 0; k < 3; ++k)
            R.m_nReactivo[k] = R.m_nProducto[k] = nTodos + 1; // unused: no component
        double dMasa = 0.0;
        const int nReactivos = entero(1, 3);
        for (int k = 0; k < nReactivos; ++k) {
            int32_t c = entero(0, nTodos - 1);
            // Now and then the same component twice (the checks refuse it; a file has it).
            if (k > 0 && entero(0, 3) != 0)
                while (std::find(R.m_nReactivo, R.m_nReactivo + k, c) != R.m_nReactivo + k)
                    c = entero(0, nTodos - 1);
            R.m_nReactivo[k] = c;
            R.m_nCoefReactivo[k] = entero(1, 4);
            R.m_nFaseReactivo[k] = entero(0, 3);
            dMasa += R.m_nCoefReactivo[k] * cat.m_componentes[size_t(c)].m_dMasaMolar;
        }
        // Up to one product of what there is (a reactant now and then), then the new one.
        int k = 0;
        if (entero(0, 1)) {
            const int32_t c = entero(0, nTodos - 1);
            const int32_t nCoef = entero(1, 3);
            const double m = nCoef * cat.m_componentes[size_t(c)].m_dMasaMolar;
            if (m < 0.9 * dMasa) {
                R.m_nProducto[k] = c;
                R.m_nCoefProducto[k] = nCoef;
                R.m_nFaseProducto[k++] = entero(0, 3);
                dMasa -= m;
            }
        }
        const int32_t nCoef = entero(1, 3);
        cat.m_componentes.push_back(componente(2000 + n, dMasa / nCoef));
        R.m_nProducto[k] = nTodos;
        R.m_nCoefProducto[k] = nCoef;
        R.m_nFaseProducto[k] = entero(0, 3);
        R.m_dCalor = entero(0, 1) ? real(-40.0, 40.0) : 0.0;
        R.m_bSinLimite = entero(0, 2) != 0;
        R.m_dLimitePaso = R.m_bSinLimite ? 0.0 : real(1e-4, 0.05);
        R.m_bTempMinima = entero(0, 3) == 0;
        R.m_dTempMinima = R.m_bTempMinima ? real(25.0, 90.0) : 0.0;
        R.m_bEquilibrio = entero(0, 2) == 0;
        R.m_dConstanteEquilibrio = R.m_bEquilibrio ? std::pow(10.0, real(-3.0, 3.0)) : 0.0;
        if (entero(0, 3) == 0) {
            R.m_nCatalizador = entero(1, nTodos - 1);
            R.m_dLimiteCatalizado = real(1e-4, 0.5);
        } else {
            R.m_nCatalizador = nTodos + 1;
        }
        cat.m_reacciones.push_back(R);
    }
    // The unused slots and catalysts name "no component": the count of the final table.
    const int32_t nFinal = cat.NumComponentes();
    for (CReacciones& R : cat.m_reacciones) {
        for (int k = 0; k < 3; ++k) {
            if (R.m_nCoefReactivo[k] == 0)
                R.m_nReactivo[k] = nFinal;
            if (R.m_nCoefProducto[k] == 0)
                R.m_nProducto[k] = nFinal;
        }
        if (R.m_dLimiteCatalizado == 0.0)
            R.m_nCatalizador = nFinal;
    }
    return cat;
}

} // namespace prueba
