#include "document/Extension.h"

#include "equipment/ListaEquipo.h"
#include "model/Catalogo.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <tuple>
#include <type_traits>

namespace {

// Every text a record may complete, field by field and, in each, entry by entry: the order
// in which the records are written. f(field, index, text) is called for each.
template <class S, class C, class F> void Recorrer(S& n, S& r, S& a, S& e, C& cat, F f) {
    f(CExtension::kNombre, 0, n);
    f(CExtension::kResumen, 0, r);
    f(CExtension::kAutor, 0, a);
    f(CExtension::kExtra, 0, e);
    auto tabla = [&f](int32_t nCampo, auto& v, auto miembro) {
        for (size_t i = 0; i < v.size(); ++i)
            f(nCampo, static_cast<int32_t>(i), v[i].*miembro);
    };
    tabla(CExtension::kComponente, cat.m_componentes, &CComponentes::m_strNombre);
    tabla(CExtension::kFormula, cat.m_componentes, &CComponentes::m_strFormula);
    tabla(CExtension::kReactivo, cat.m_reactivos, &CReactivos::m_strNombre);
    tabla(CExtension::kReaccion, cat.m_reacciones, &CReacciones::m_strTexto1);
    tabla(CExtension::kReaccionLarga, cat.m_reacciones, &CReacciones::m_strTexto2);
    tabla(CExtension::kIndicador, cat.m_indicadores, &CIndicadores::m_strNombre);
    tabla(CExtension::kIndicadorTexto, cat.m_indicadores, &CIndicadores::m_strTexto);
}

[[noreturn]] void Mal(const std::string& s) {
    throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "extensión: " + s);
}

// Only the answers given are written.
size_t RespuestasEscritas(const CTarea& t) {
    size_t n = 0;
    for (size_t i = 0; i < t.m_respuestas.size() && i < t.m_preguntas.size(); ++i)
        n += t.m_respuestas[i].empty() ? 0 : 1;
    return n;
}

// Whether the code is that of a type the described file has no code for.
bool TipoNuevo(int32_t nTipo) {
    const std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(nTipo));
    return e && e->FueraDelFormatoDescrito();
}

// The items of a bench by their place in drawing order.
std::vector<CEquipo*> Lugares(const CListaEquipo& banco) {
    return {banco.begin(), banco.end()};
}

// ---------------------------------------------------------------------------------------
// The chemistry records' payloads, each written and read by one function (ar.IsStoring()
// says which), so that the writer holds to the very bounds the reader checks.

using Limites::kValorCatalogo;

bool CeroPositivo(double d) {
    const double cero = 0.0;
    return std::memcmp(&d, &cero, sizeof d) == 0;
}

// The places a record has beyond its count hold nothing: a positive zero.
template <class T, size_t n> void Sobrantes(const std::array<T, n>& v, int32_t nUsados) {
    for (size_t i = static_cast<size_t>(nUsados); i < n; ++i)
        if constexpr (std::is_floating_point_v<T>) {
            if (!CeroPositivo(v[i]))
                Mal("valor en un lugar que el registro no usa");
        } else if (v[i] != 0) {
            Mal("valor en un lugar que el registro no usa");
        }
}

void Indice(CArchivo& ar, int32_t& n) {
    ar.Entero(n, 0, INT32_MAX);
}

void Motor(CArchivo& ar, int32_t& nMotor) {
    // The described mode is the absence of the record.
    ar.Entero(nMotor, MOTOR_EQUILIBRIO, MOTOR_NEUTRALIZACION);
}

void AcidoBase(CArchivo& ar, CAcidoBaseDatos& a) {
    ar.Entero(a.m_nPasos, 1, CExtension::kPasosMaximos);
    for (double& d : a.m_pKa)
        ar.Valor(d, -kValorCatalogo, kValorCatalogo);
    for (double& d : a.m_dEntalpia)
        ar.Valor(d, -kValorCatalogo, kValorCatalogo);
    ar.Entero(a.m_nCargaAcida, -Limites::kCuentaIones, Limites::kCuentaIones);
    ar.Entero(a.m_nCedidos, 0, a.m_nPasos);
    Sobrantes(a.m_pKa, a.m_nPasos);
    Sobrantes(a.m_dEntalpia, a.m_nPasos);
}

void ConcentracionColor(CArchivo& ar, double& d) {
    ar.Valor(d, 0.0, kValorCatalogo);
    if (!(d > 0.0))
        Mal("concentración del color que no es positiva");
}

void Formas(CArchivo& ar, CIndicadorDatos& f) {
    ar.Entero(f.m_nTransiciones, 1, CExtension::kPasosMaximos);
    for (double& d : f.m_pKa)
        ar.Valor(d, -kValorCatalogo, kValorCatalogo);
    for (COLORREF& cr : f.m_crFormas) {
        int32_t n = static_cast<int32_t>(cr);
        ar.Entero(n, 0, static_cast<int32_t>(CExtension::kColorMaximo));
        cr = static_cast<COLORREF>(n);
    }
    Sobrantes(f.m_pKa, f.m_nTransiciones);
    Sobrantes(f.m_crFormas, f.m_nTransiciones + 1);
}

void Reversible(CArchivo& ar, CReversibleDatos& r) {
    ar.Valor(r.m_dK25, CExtension::kKMinima, CExtension::kKMaxima);
    ar.Valor(r.m_dEntalpia, -kValorCatalogo, kValorCatalogo);
    ar.Valor(r.m_dRapidez, 0.0, 1.0);
    if (!(r.m_dRapidez > 0.0))
        Mal("rapidez que no es positiva");
    ar.Entero(r.m_nFueraDeQ, 0, CExtension::kFueraDeQ);
}

void Disolucion(CArchivo& ar, CDisolucionDatos& d) {
    ar.Valor(d.m_dVantHoff, 0.0, CExtension::kVantHoffMaximo);
    if (d.m_dVantHoff != 0.0 && !(d.m_dVantHoff >= 1.0))
        Mal("partículas por unidad de fórmula menores que 1");
    ar.Valor(d.m_antoine[0], -kValorCatalogo, kValorCatalogo);
    ar.Valor(d.m_antoine[1], 0.0, CExtension::kAntoineBMaxima);
    ar.Valor(d.m_antoine[2], -CExtension::kAntoineCMaxima, CExtension::kAntoineCMaxima);
    ar.Valor(d.m_dVolumenMolar, 0.0, CExtension::kVolumenMolarMaximo);
    if (d.TieneVapor() ? !(d.m_dVolumenMolar > 0.0)
                       : !CeroPositivo(d.m_antoine[0]) || !CeroPositivo(d.m_antoine[2]) ||
                             !CeroPositivo(d.m_dVolumenMolar))
        Mal("datos de vapor incompletos");
    int32_t n = static_cast<int32_t>(d.m_solubilidad.size());
    ar.Entero(n, 0, CExtension::kPuntosMaximos);
    d.m_solubilidad.resize(static_cast<size_t>(n));
    for (size_t i = 0; i < d.m_solubilidad.size(); ++i) {
        auto& q = d.m_solubilidad[i];
        ar.Valor(q[0], CExtension::kTemperaturaMinima, CExtension::kTemperaturaMaxima);
        ar.Valor(q[1], 0.0, kValorCatalogo);
        if (i > 0 && !(q[0] > d.m_solubilidad[i - 1][0]))
            Mal("temperaturas de solubilidad que no crecen");
    }
    if (!d.Tiene())
        Mal("registro de disolución vacío");
}

void ParVapor(CArchivo& ar, CParVapor& p) {
    Indice(ar, p.m_nA);
    Indice(ar, p.m_nB);
    if (!(p.m_nA < p.m_nB))
        Mal("par de componentes fuera de orden");
    ar.Valor(p.m_dAB, -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima);
    ar.Valor(p.m_dBA, -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima);
}

// ---------------------------------------------------------------------------------------
// The questions' records, each also written and read by one function.

void TextoTarea(CArchivo& ar, std::string& s, size_t nMaximo) {
    if (ar.IsStoring()) {
        if (s.size() > nMaximo || !CArchivo::EsUtf8(s))
            Mal("texto de una pregunta de más de " + std::to_string(nMaximo) + " bytes");
        ar.EscribirUtf8(s);
    } else {
        s = ar.LeerUtf8(nMaximo);
    }
}

void Hash(CArchivo& ar, Sorteo::Huella& h) {
    std::string s = Sorteo::Hex(h);
    TextoTarea(ar, s, 64);
    if (ar.IsLoading() && !Sorteo::DeHex(s, h))
        Mal("clave o sello que no son 64 cifras hexadecimales");
}

bool EsNombre(const std::string& s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0])))
        return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

void Cabeza(CArchivo& ar, CTarea& t) {
    int32_t nBanderas = (t.m_bProfesor ? 1 : 0) | (t.m_bEmpezada ? 2 : 0);
    ar.Entero(nBanderas, 0, 3);
    ar.Entero(t.m_bExamen, 0, 1);
    t.m_bProfesor = (nBanderas & 1) != 0;
    t.m_bEmpezada = (nBanderas & 2) != 0;
    if (t.m_bProfesor && t.m_bEmpezada)
        Mal("práctica del profesor empezada por un alumno");
    Hash(ar, t.m_clave);
    TextoTarea(ar, t.m_strAlumno, CExtension::kNombreAlumno);
    TextoTarea(ar, t.m_strGrupo, CExtension::kNombreAlumno);
    Hash(ar, t.m_semilla);
    Hash(ar, t.m_sello);
    if (!t.m_bEmpezada && (!t.m_strAlumno.empty() || !t.m_strGrupo.empty()))
        Mal("alumno en una práctica que nadie ha empezado");
}

void Incognita(CArchivo& ar, CIncognita& x) {
    TextoTarea(ar, x.m_strNombre, CExtension::kNombreIncognita);
    if (!EsNombre(x.m_strNombre))
        Mal("nombre de incógnita no válido");
    ar.Entero(x.m_nReactivo, 0, INT32_MAX);
    ar.Entero(x.m_nEntrada, 0, INT32_MAX);
    ar.Valor(x.m_dMinimo, 0.0, kValorCatalogo);
    ar.Valor(x.m_dMaximo, 0.0, kValorCatalogo);
    if (x.m_dMinimo > x.m_dMaximo)
        Mal("incógnita con el mínimo por encima del máximo");
}

void Pregunta(CArchivo& ar, CPregunta& q) {
    ar.Entero(q.m_nTipo, CPregunta::kNumerica, CPregunta::kLibre);
    ar.Valor(q.m_dPuntos, 0.0, CExtension::kPuntuacionMaxima);
    ar.Valor(q.m_dTolerancia, 0.0, kValorCatalogo);
    ar.Entero(q.m_bPorcentaje, 0, 1);
    ar.Entero(q.m_nCifras, 0, 15);
    ar.Entero(q.m_bComprobable, 0, 1);
    TextoTarea(ar, q.m_strTexto, CExtension::kTextoPregunta);
    TextoTarea(ar, q.m_strUnidad, CExtension::kNombreIncognita);
    TextoTarea(ar, q.m_strEsperado, Formula::kLongitudMaxima);
    int32_t nOpciones = static_cast<int32_t>(q.m_opciones.size());
    ar.Entero(nOpciones, 0, CExtension::kOpcionesMaximas);
    q.m_opciones.resize(static_cast<size_t>(nOpciones));
    for (std::string& o : q.m_opciones)
        TextoTarea(ar, o, CExtension::kTextoPregunta);
    ar.Entero(q.m_nCorrecta, -1, nOpciones - 1);
    if (q.m_nTipo != CPregunta::kOpciones && (nOpciones != 0 || q.m_nCorrecta != -1))
        Mal("opciones en una pregunta que no es de elegir");
    if (q.m_nTipo != CPregunta::kNumerica && !q.m_strEsperado.empty())
        Mal("valor esperado en una pregunta que no es numérica");
}

void LeyDeVelocidad(CArchivo& ar, CCineticaDatos& c) {
    ar.Valor(c.m_dK, CExtension::kCineticaMinima, CExtension::kCineticaMaxima);
    ar.Valor(c.m_dTReferencia, CExtension::kTReferenciaMinima, CExtension::kTReferenciaMaxima);
    ar.Valor(c.m_dEa, 0.0, CExtension::kEaMaxima);
    for (double& d : c.m_dOrden)
        ar.Valor(d, 0.0, CExtension::kOrdenMaximo);
    ar.Valor(c.m_dFactorCatalizador, CExtension::kCineticaMinima, CExtension::kCineticaMaxima);
}

void Superficie(CArchivo& ar, CSuperficieDatos& f) {
    ar.Entero(f.m_nForma, FORMA_POLVO, FORMA_CINTA);
    ar.Valor(f.m_dFactor, 0.0, CExtension::kSuperficieMaxima);
    if (!(f.m_dFactor > 0.0))
        Mal("factor de superficie que no es positivo");
}

void DatosTermicos(CArchivo& ar, CTermicaDatos& t) {
    ar.Valor(t.m_dDisolucion, -Termica::kEntalpiaMaxima, Termica::kEntalpiaMaxima);
    ar.Valor(t.m_dFusion, 0.0, Termica::kEntalpiaMaxima);
    if (!t.Tiene())
        Mal("datos térmicos sin ningún calor");
}

void Ambiente(CArchivo& ar, CTermicaPractica& a) {
    ar.Valor(a.m_dTemperaturaAmbiente, Termica::kAmbienteMinimo, Termica::kAmbienteMaximo);
    int32_t n = a.m_bEnfriamiento ? 1 : 0;
    ar.Entero(n, 0, 1);
    a.m_bEnfriamiento = n != 0;
    ar.Valor(a.m_dEquivalenteCalorimetro, 0.0, Termica::kEquivalenteMaximo);
    a.m_bActiva = true;
}

// The log's records. The head (key 0): the flags (1 recording, 2 against the burette's
// volume), the interval, the clock and the next instant, then the instants; each series
// (key 1 on): its item's place (-1: none), the item's type, its name and unit, its first
// row and its values. The writer holds to the same bounds.
constexpr double kTiempoMaximo = 1.0e9; // simulated seconds: some thirty years

void CabezaRegistro(CArchivo& ar, CRegistro& g) {
    int32_t nBanderas = (g.m_bGrabando ? 1 : 0) | (g.m_bEjeVolumen ? 2 : 0);
    ar.Entero(nBanderas, 0, 3);
    g.m_bGrabando = (nBanderas & 1) != 0;
    g.m_bEjeVolumen = (nBanderas & 2) != 0;
    ar.Valor(g.m_dIntervalo, CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
    ar.Valor(g.m_dTiempo, 0.0, kTiempoMaximo);
    ar.Valor(g.m_dSiguiente, 0.0, kTiempoMaximo + CRegistro::kIntervaloMaximo);
    int32_t nFilas = static_cast<int32_t>(std::min<size_t>(g.m_tiempos.size(), INT32_MAX));
    if (ar.IsStoring()) {
        ar.Entero(nFilas, 0, CRegistro::kValoresMaximos);
    } else {
        nFilas = ar.LeerCuenta(8);
        if (nFilas > CRegistro::kValoresMaximos)
            Mal("registro de datos de más filas que las que se admiten");
        g.m_tiempos.resize(static_cast<size_t>(nFilas));
    }
    double dAnterior = 0.0;
    for (double& d : g.m_tiempos) {
        ar.Valor(d, dAnterior, g.m_dTiempo);
        dAnterior = d;
    }
}

void SerieRegistro(CArchivo& ar, CSerieRegistro& s, size_t nFilas) {
    ar.Entero(s.m_nLugar, -1, Limites::kEquipos - 1);
    ar.Entero(s.m_nTipo, 1, INT32_MAX);
    if (ar.IsStoring()) {
        if (s.m_strNombre.size() > CRegistro::kNombreMaximo ||
            s.m_strUnidad.size() > CRegistro::kUnidadMaxima)
            Mal("nombre o unidad de una serie demasiado largos");
        ar.EscribirUtf8(s.m_strNombre);
        ar.EscribirUtf8(s.m_strUnidad);
    } else {
        s.m_strNombre = ar.LeerUtf8(CRegistro::kNombreMaximo);
        s.m_strUnidad = ar.LeerUtf8(CRegistro::kUnidadMaxima);
    }
    ar.Entero(s.m_nPrimera, 0, static_cast<int32_t>(nFilas));
    const size_t nLibres = nFilas - static_cast<size_t>(s.m_nPrimera);
    int32_t n = static_cast<int32_t>(std::min<size_t>(s.m_valores.size(), INT32_MAX));
    if (ar.IsStoring()) {
        ar.Entero(n, 0, static_cast<int32_t>(nLibres));
    } else {
        n = ar.LeerCuenta(8);
        if (static_cast<size_t>(n) > nLibres)
            Mal("serie con más valores que filas");
        s.m_valores.resize(static_cast<size_t>(n));
    }
    for (double& d : s.m_valores)
        ar.Valor(d, -kValorCatalogo, kValorCatalogo);
}

void Automatico(CArchivo& ar, CRegistroAutomatico& a) {
    ar.Valor(a.m_dIntervalo, CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
    int32_t nEje = a.m_bEjeVolumen ? 1 : 0;
    ar.Entero(nEje, 0, 1);
    a.m_bEjeVolumen = nEje != 0;
    int32_t n = static_cast<int32_t>(std::min<size_t>(a.m_tipos.size(), INT32_MAX));
    ar.Entero(n, 1, CRegistro::kSeriesMaximas);
    a.m_tipos.resize(static_cast<size_t>(n));
    int32_t nAnterior = 0;
    for (int32_t& t : a.m_tipos) {
        ar.Entero(t, 1, INT32_MAX);
        if (t <= nAnterior)
            Mal("tipos de equipo repetidos o fuera de orden");
        nAnterior = t;
    }
}

// The data as a record keeps them: only the places its count uses.
CAcidoBaseDatos Recortado(CAcidoBaseDatos a) {
    for (size_t i = static_cast<size_t>(std::clamp(a.m_nPasos, 0, 3)); i < 3; ++i)
        a.m_pKa[i] = a.m_dEntalpia[i] = 0.0;
    return a;
}

CIndicadorDatos Recortado(CIndicadorDatos f) {
    const size_t n = static_cast<size_t>(std::clamp(f.m_nTransiciones, 0, 3));
    for (size_t i = n; i < 3; ++i)
        f.m_pKa[i] = 0.0;
    for (size_t i = n + 1; i < 4; ++i)
        f.m_crFormas[i] = 0;
    return f;
}

// Writes one record per entry of a table, its index first.
template <class T, class F>
void EscribirTabla(CArchivo& ar, int32_t nEtiqueta, const std::vector<std::pair<int32_t, T>>& v,
                   F f) {
    for (const auto& [n, x] : v) {
        CArchivo r;
        int32_t i = n;
        T copia = x;
        Indice(r, i);
        f(r, copia);
        ar.EscribirRegistro(nEtiqueta, r);
    }
}

// Reads one entry of a table; its key is its index.
template <class T, class F>
std::pair<int32_t, int32_t> LeerEntrada(CArchivo& r, std::vector<std::pair<int32_t, T>>& v, F f) {
    int32_t n = 0;
    T x{};
    Indice(r, n);
    f(r, x);
    v.emplace_back(n, x);
    return {n, 0};
}

} // namespace

CExtension CExtension::Tomar(const std::string& strNombre, const std::string& strResumen,
                             const std::string& strAutor, const std::string& strExtra,
                             const CCatalogo& cat, const CListaEquipo* pBanco) {
    CExtension x;
    Recorrer(strNombre, strResumen, strAutor, strExtra, cat,
             [&x](int32_t nCampo, int32_t nIndice, const std::string& s) {
                 // A broken sequence is written as U+FFFD, which the reader accepts; its
                 // Windows-1252 form is the same "?" either way.
                 if (!CArchivo::CabeEnCp1252(s))
                     x.m_textos.push_back({nCampo, nIndice, CArchivo::Utf8Reparado(s)});
             });
    x.m_nMotor = cat.m_nMotor;
    for (size_t i = 0; i < cat.m_componentes.size(); ++i) {
        const CComponentes& c = cat.m_componentes[i];
        const int32_t n = static_cast<int32_t>(i);
        if (c.m_acidoBase.Tiene())
            x.m_acidoBase.emplace_back(n, Recortado(c.m_acidoBase));
        if (c.m_dConcentracionColor != 0.0)
            x.m_concentracionColor.emplace_back(n, c.m_dConcentracionColor);
        if (c.m_termica.Tiene())
            x.m_termicas.emplace_back(n, c.m_termica);
        if (c.m_disolucion.Tiene())
            x.m_disoluciones.emplace_back(n, c.m_disolucion);
        if (c.m_superficie.Tiene())
            x.m_superficies.emplace_back(n, c.m_superficie);
    }
    x.m_paresVapor = cat.m_paresVapor;
    std::sort(x.m_paresVapor.begin(), x.m_paresVapor.end(),
              [](const CParVapor& a, const CParVapor& b) {
                  return std::tie(a.m_nA, a.m_nB) < std::tie(b.m_nA, b.m_nB);
              });
    x.m_ambiente = cat.m_termica;
    for (size_t i = 0; i < cat.m_indicadores.size(); ++i)
        if (cat.m_indicadores[i].m_acidoBase.Tiene())
            x.m_formas.emplace_back(static_cast<int32_t>(i),
                                    Recortado(cat.m_indicadores[i].m_acidoBase));
    for (size_t i = 0; i < cat.m_reacciones.size(); ++i)
        if (cat.m_reacciones[i].m_reversible.Tiene())
            x.m_reversibles.emplace_back(static_cast<int32_t>(i), cat.m_reacciones[i].m_reversible);
    for (size_t i = 0; i < cat.m_reacciones.size(); ++i)
        if (cat.m_reacciones[i].m_cinetica.Tiene())
            x.m_cineticas.emplace_back(static_cast<int32_t>(i), cat.m_reacciones[i].m_cinetica);
    if (!pBanco)
        return x;
    int32_t n = 0;
    for (const CEquipo* e : *pBanco) {
        if (!e->m_strEtiqueta.empty())
            x.m_rotulos.emplace_back(n, CArchivo::Utf8Reparado(e->m_strEtiqueta));
        if (const std::optional<int32_t> nNivel = e->Ajuste(); nNivel && *nNivel != kNivelDescrito)
            x.m_niveles.emplace_back(n, *nNivel);
        if (e->FueraDelFormatoDescrito())
            x.m_equiposNuevos.emplace_back(n, e->m_nTipo);
        ++n;
    }
    return x;
}

void CExtension::Escribir(CArchivo& ar) const {
    // The writer holds to the reader's bounds, so that no file is written that is refused.
    for (const auto& [n, s] : m_rotulos)
        if (s.size() > static_cast<size_t>(Limites::kRotulo))
            Mal("rótulo de más de " + std::to_string(Limites::kRotulo) + " bytes");
    for (const auto& [n, nNivel] : m_niveles)
        if (nNivel < 0 || nNivel > 5)
            Mal("nivel " + std::to_string(nNivel) + " al escribir");
    const bool bMotor = m_nMotor != MOTOR_DESCRITO;
    const bool bRegistro = !m_registro.Vacio();
    if (m_registro.m_series.size() > static_cast<size_t>(CRegistro::kSeriesMaximas) ||
        m_registro.Valores() > static_cast<size_t>(CRegistro::kValoresMaximos))
        Mal("registro de datos mayor que el que se admite");
    ar.EscribirInt32(static_cast<int32_t>(
        m_textos.size() + m_rotulos.size() + m_niveles.size() +
        (bRegistro ? 1 + m_registro.m_series.size() : 0) + (m_automatico.Vacio() ? 0 : 1) +
        (bMotor ? 1 : 0) + m_acidoBase.size() + m_concentracionColor.size() + m_formas.size() +
        m_reversibles.size() + m_cineticas.size() + m_superficies.size() + m_termicas.size() +
        (m_ambiente.Tiene() ? 1 : 0) + m_disoluciones.size() + m_paresVapor.size() +
        m_equiposNuevos.size() +
        (m_tarea.Vacia() ? 0
                         : 1 + m_tarea.m_incognitas.size() + m_tarea.m_preguntas.size() +
                               RespuestasEscritas(m_tarea))));
    for (const Texto& t : m_textos) {
        CArchivo r;
        r << t.m_nCampo << t.m_nIndice;
        r.EscribirUtf8(t.m_str);
        ar.EscribirRegistro(kTexto, r);
    }
    for (const auto& [n, s] : m_rotulos) {
        CArchivo r;
        r << n;
        r.EscribirUtf8(s);
        ar.EscribirRegistro(kRotulo, r);
    }
    for (const auto& [n, nNivel] : m_niveles) {
        CArchivo r;
        r << n << nNivel;
        ar.EscribirRegistro(kNivel, r);
    }
    if (bRegistro) {
        CRegistro g = m_registro;
        int32_t nClave = 0;
        CArchivo r;
        r << nClave;
        CabezaRegistro(r, g);
        ar.EscribirRegistro(kRegistro, r);
        for (CSerieRegistro& s : g.m_series) {
            CArchivo rs;
            ++nClave;
            rs << nClave;
            SerieRegistro(rs, s, g.m_tiempos.size());
            ar.EscribirRegistro(kRegistro, rs);
        }
    }
    if (!m_automatico.Vacio()) {
        CRegistroAutomatico a = m_automatico;
        CArchivo r;
        r << int32_t{0};
        Automatico(r, a);
        ar.EscribirRegistro(kRegistroAutomatico, r);
    }
    if (bMotor) {
        CArchivo r;
        int32_t n = m_nMotor;
        Motor(r, n);
        ar.EscribirRegistro(kMotor, r);
    }
    EscribirTabla(ar, kAcidoBase, m_acidoBase, AcidoBase);
    EscribirTabla(ar, kColorConcentracion, m_concentracionColor, ConcentracionColor);
    EscribirTabla(ar, kFormas, m_formas, Formas);
    EscribirTabla(ar, kReversible, m_reversibles, Reversible);
    EscribirTabla(ar, kCinetica, m_cineticas, LeyDeVelocidad);
    EscribirTabla(ar, kSuperficie, m_superficies, Superficie);
    EscribirTabla(ar, kTermica, m_termicas, DatosTermicos);
    if (m_ambiente.Tiene()) {
        CArchivo r;
        CTermicaPractica a = m_ambiente;
        Ambiente(r, a);
        ar.EscribirRegistro(kAmbiente, r);
    }
    EscribirTabla(ar, kDisolucion, m_disoluciones, Disolucion);
    for (const CParVapor& p : m_paresVapor) {
        CArchivo r;
        CParVapor copia = p;
        ParVapor(r, copia);
        ar.EscribirRegistro(kParVapor, r);
    }
    for (const auto& [n, nTipo] : m_equiposNuevos) {
        CArchivo r;
        r << n << nTipo;
        ar.EscribirRegistro(kEquipoNuevo, r);
    }
    if (m_tarea.Vacia())
        return;
    if (m_tarea.m_preguntas.size() > static_cast<size_t>(kPreguntasMaximas) ||
        m_tarea.m_incognitas.size() > static_cast<size_t>(kIncognitasMaximas))
        Mal("demasiadas preguntas o incógnitas");
    CTarea t = m_tarea;
    {
        CArchivo r;
        Cabeza(r, t);
        ar.EscribirRegistro(kTarea, r);
    }
    for (size_t i = 0; i < t.m_incognitas.size(); ++i) {
        CArchivo r;
        int32_t n = static_cast<int32_t>(i);
        Indice(r, n);
        Incognita(r, t.m_incognitas[i]);
        ar.EscribirRegistro(kIncognita, r);
    }
    for (size_t i = 0; i < t.m_preguntas.size(); ++i) {
        CArchivo r;
        int32_t n = static_cast<int32_t>(i);
        Indice(r, n);
        Pregunta(r, t.m_preguntas[i]);
        ar.EscribirRegistro(kPregunta, r);
    }
    for (size_t i = 0; i < t.m_respuestas.size() && i < t.m_preguntas.size(); ++i) {
        if (t.m_respuestas[i].empty())
            continue;
        CArchivo r;
        int32_t n = static_cast<int32_t>(i);
        Indice(r, n);
        TextoTarea(r, t.m_respuestas[i], kTextoPregunta);
        ar.EscribirRegistro(kRespuesta, r);
    }
}

CExtension CExtension::Leer(CArchivo& ar) {
    CExtension x;
    // The smallest record is its tag and its length.
    const int32_t nRegistros = ar.LeerCuenta(8);
    if (nRegistros == 0)
        Mal("bloque sin registros"); // never written: such a practice is a "Vol.1" one
    int32_t nAnterior = 0;
    bool bTarea = false;
    std::pair<int32_t, int32_t> claveAnterior{-1, -1};
    for (int32_t i = 0; i < nRegistros; ++i) {
        int32_t nEtiqueta = 0;
        CArchivo r = ar.LeerRegistro(nEtiqueta);
        if (nEtiqueta < nAnterior || nEtiqueta <= 0)
            Mal("etiqueta fuera de orden (" + std::to_string(nEtiqueta) + ")");
        if (nEtiqueta != nAnterior)
            claveAnterior = {-1, -1};
        nAnterior = nEtiqueta;
        std::pair<int32_t, int32_t> clave;
        switch (nEtiqueta) {
        case kTexto: {
            Texto t;
            t.m_nCampo = r.LeerInt32Entre(kNombre, kIndicadorTexto);
            t.m_nIndice = r.LeerInt32Entre(0, INT32_MAX);
            t.m_str = r.LeerUtf8();
            clave = {t.m_nCampo, t.m_nIndice};
            x.m_textos.push_back(std::move(t));
            break;
        }
        case kRotulo: {
            const int32_t n = r.LeerInt32Entre(0, Limites::kEquipos - 1);
            std::string s = r.LeerUtf8(static_cast<size_t>(Limites::kRotulo));
            if (s.empty())
                Mal("rótulo vacío");
            clave = {n, 0};
            x.m_rotulos.emplace_back(n, std::move(s));
            break;
        }
        case kNivel: {
            const int32_t n = r.LeerInt32Entre(0, Limites::kEquipos - 1);
            const int32_t nNivel = r.LeerInt32Entre(0, 5);
            if (nNivel == kNivelDescrito)
                Mal("nivel que el archivo descrito ya da");
            clave = {n, 0};
            x.m_niveles.emplace_back(n, nNivel);
            break;
        }
        case kRegistro: {
            const int32_t n = r.LeerInt32Entre(0, CRegistro::kSeriesMaximas);
            if (n == 0) {
                CabezaRegistro(r, x.m_registro);
            } else {
                if (static_cast<size_t>(n) != x.m_registro.m_series.size() + 1 ||
                    claveAnterior.first < 0)
                    Mal("serie del registro de datos fuera de orden");
                CSerieRegistro s;
                SerieRegistro(r, s, x.m_registro.m_tiempos.size());
                x.m_registro.m_series.push_back(std::move(s));
                if (x.m_registro.Valores() > static_cast<size_t>(CRegistro::kValoresMaximos))
                    Mal("registro de datos mayor que el que se admite");
            }
            clave = {n, 0};
            break;
        }
        case kRegistroAutomatico:
            r.LeerInt32Entre(0, 0);
            Automatico(r, x.m_automatico);
            clave = {0, 0};
            break;
        case kMotor:
            Motor(r, x.m_nMotor);
            clave = {0, 0}; // a second one is out of order
            break;
        case kAcidoBase:
            clave = LeerEntrada(r, x.m_acidoBase, AcidoBase);
            break;
        case kColorConcentracion:
            clave = LeerEntrada(r, x.m_concentracionColor, ConcentracionColor);
            break;
        case kFormas:
            clave = LeerEntrada(r, x.m_formas, Formas);
            break;
        case kReversible:
            clave = LeerEntrada(r, x.m_reversibles, Reversible);
            break;
        case kDisolucion:
            clave = LeerEntrada(r, x.m_disoluciones, Disolucion);
            break;
        case kParVapor: {
            CParVapor p;
            ParVapor(r, p);
            clave = {p.m_nA, p.m_nB};
            x.m_paresVapor.push_back(p);
            break;
        }
        case kTarea:
            Cabeza(r, x.m_tarea);
            bTarea = true;
            clave = {0, 0};
            break;
        case kIncognita:
        case kPregunta:
        case kRespuesta: {
            if (!bTarea)
                Mal("pregunta o incógnita sin la cabeza de la tarea");
            int32_t n = 0;
            Indice(r, n);
            clave = {n, 0};
            CTarea& t = x.m_tarea;
            if (nEtiqueta == kIncognita) {
                // Unknowns and questions are numbered from 0 without gaps.
                if (n != static_cast<int32_t>(t.m_incognitas.size()) || n >= kIncognitasMaximas)
                    Mal("incógnita fuera de orden o de más");
                Incognita(r, t.m_incognitas.emplace_back());
            } else if (nEtiqueta == kPregunta) {
                if (n != static_cast<int32_t>(t.m_preguntas.size()) || n >= kPreguntasMaximas)
                    Mal("pregunta fuera de orden o de más");
                Pregunta(r, t.m_preguntas.emplace_back());
            } else {
                if (!t.m_bEmpezada || n >= static_cast<int32_t>(t.m_preguntas.size()))
                    Mal("respuesta sin su pregunta");
                t.m_respuestas.resize(t.m_preguntas.size());
                TextoTarea(r, t.m_respuestas[static_cast<size_t>(n)], kTextoPregunta);
                if (t.m_respuestas[static_cast<size_t>(n)].empty())
                    Mal("respuesta vacía");
            }
            break;
        }
        case kCinetica:
            clave = LeerEntrada(r, x.m_cineticas, LeyDeVelocidad);
            break;
        case kSuperficie:
            clave = LeerEntrada(r, x.m_superficies, Superficie);
            break;
        case kTermica:
            clave = LeerEntrada(r, x.m_termicas, DatosTermicos);
            break;
        case kAmbiente:
            Ambiente(r, x.m_ambiente);
            clave = {0, 0}; // a second one is out of order
            break;
        case kEquipoNuevo: {
            const int32_t n = r.LeerInt32Entre(0, Limites::kEquipos - 1);
            const int32_t nTipo = r.LeerInt32();
            if (!TipoNuevo(nTipo))
                Mal("equipo nuevo de tipo " + std::to_string(nTipo) + " desconocido");
            clave = {n, 0};
            x.m_equiposNuevos.emplace_back(n, nTipo);
            break;
        }
        default:
            if (nEtiqueta >= kObligatoria)
                Mal("registro obligatorio desconocido (" + std::to_string(nEtiqueta) + ")");
            continue; // a newer program's optional record
        }
        r.ComprobarFinal();
        if (clave <= claveAnterior)
            Mal("registros repetidos o fuera de orden");
        claveAnterior = clave;
    }
    CTarea& t = x.m_tarea;
    if (bTarea) {
        if (t.Vacia())
            Mal("tarea sin preguntas ni incógnitas");
        if (t.m_bEmpezada)
            t.m_respuestas.resize(t.m_preguntas.size());
        for (size_t i = 0; i < t.m_incognitas.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                if (t.m_incognitas[i].m_strNombre == t.m_incognitas[j].m_strNombre)
                    Mal("dos incógnitas con el mismo nombre");
    }
    return x;
}

void CExtension::AplicarQuimica(CCatalogo& cat) const {
    auto poner = [](auto& tabla, const auto& v, auto miembro, const char* pszQue) {
        for (const auto& [n, x] : v) {
            if (static_cast<size_t>(n) >= tabla.size())
                Mal(std::string(pszQue) + " " + std::to_string(n) + " que no existe");
            tabla[static_cast<size_t>(n)].*miembro = x;
        }
    };
    cat.m_nMotor = m_nMotor;
    poner(cat.m_componentes, m_acidoBase, &CComponentes::m_acidoBase, "componente");
    poner(cat.m_componentes, m_concentracionColor, &CComponentes::m_dConcentracionColor,
          "componente");
    poner(cat.m_indicadores, m_formas, &CIndicadores::m_acidoBase, "indicador");
    poner(cat.m_reacciones, m_reversibles, &CReacciones::m_reversible, "reacción");
    poner(cat.m_componentes, m_termicas, &CComponentes::m_termica, "componente");
    cat.m_termica = m_ambiente;
    poner(cat.m_reacciones, m_cineticas, &CReacciones::m_cinetica, "reacción");
    poner(cat.m_componentes, m_superficies, &CComponentes::m_superficie, "componente");
    poner(cat.m_componentes, m_disoluciones, &CComponentes::m_disolucion, "componente");
    for (const CParVapor& p : m_paresVapor)
        if (static_cast<size_t>(p.m_nB) >= cat.m_componentes.size())
            Mal("componente " + std::to_string(p.m_nB) + " que no existe");
    cat.m_paresVapor = m_paresVapor;
}

void CExtension::AplicarTarea(CCatalogo& cat) const {
    for (const CIncognita& i : m_tarea.m_incognitas) {
        const CReactivos* r = cat.Reactivo(i.m_nReactivo);
        if (!r || static_cast<size_t>(i.m_nEntrada) >= r->m_listaComposicion.size())
            Mal("incógnita de un reactivo o una entrada que no existe");
    }
    if (m_tarea.m_bEmpezada)
        m_tarea.Aplicar(cat, true);
}

void CExtension::AplicarTextos(const Cabecera& c, CCatalogo& cat) const {
    size_t nUsados = 0;
    Recorrer(*c.m_pNombre, *c.m_pResumen, *c.m_pAutor, *c.m_pExtra, cat,
             [&](int32_t nCampo, int32_t nIndice, std::string& s) {
                 const std::string* p = TextoDe(nCampo, nIndice);
                 if (!p)
                     return;
                 if (CArchivo::CabeEnCp1252(*p) ||
                     CArchivo::Utf8ACp1252(*p) != CArchivo::Utf8ACp1252(s))
                     Mal("el texto completo no corresponde al del archivo");
                 s = *p;
                 ++nUsados;
             });
    if (nUsados != m_textos.size())
        Mal("texto de un campo que no existe");
}

void CExtension::AplicarMesa(CListaEquipo& banco) const {
    const std::vector<CEquipo*> lugares = Lugares(banco);
    auto equipo = [&lugares](int32_t n) {
        if (static_cast<size_t>(n) >= lugares.size())
            Mal("equipo " + std::to_string(n) + " fuera de la mesa");
        return lugares[static_cast<size_t>(n)];
    };
    for (CEquipo* e : lugares)
        e->Ajustar(kNivelDescrito);
    for (const auto& [n, s] : m_rotulos)
        equipo(n)->m_strEtiqueta = s;
    for (const auto& [n, nNivel] : m_niveles) {
        if (!equipo(n)->Ajustar(nNivel))
            Mal("nivel de un equipo que no es una parrilla");
    }
    // The records are sorted by place (the reader makes sure of it).
    auto it = m_equiposNuevos.begin();
    for (size_t i = 0; i < lugares.size(); ++i) {
        const bool bNombrado = it != m_equiposNuevos.end() && static_cast<size_t>(it->first) == i;
        if (bNombrado && lugares[i]->m_nTipo != it->second)
            Mal("equipo " + std::to_string(i) + " de otro tipo que el de su registro");
        if (bNombrado != lugares[i]->FueraDelFormatoDescrito())
            Mal("equipo " + std::to_string(i) + " de un tipo sin registro");
        if (bNombrado)
            ++it;
    }
    if (it != m_equiposNuevos.end())
        Mal("equipo " + std::to_string(it->first) + " fuera de la mesa");
}

void CExtension::Completar(int32_t nCampo, std::string& s) const {
    const std::string* p = TextoDe(nCampo);
    if (p && CArchivo::Utf8ACp1252(*p) == CArchivo::Utf8ACp1252(s))
        s = *p;
}

const std::string* CExtension::TextoDe(int32_t nCampo, int32_t nIndice) const {
    // The records are sorted by field and index (the reader makes sure of it).
    const auto it =
        std::lower_bound(m_textos.begin(), m_textos.end(), std::make_pair(nCampo, nIndice),
                         [](const Texto& t, const std::pair<int32_t, int32_t>& k) {
                             return std::make_pair(t.m_nCampo, t.m_nIndice) < k;
                         });
    return it != m_textos.end() && it->m_nCampo == nCampo && it->m_nIndice == nIndice ? &it->m_str
                                                                                      : nullptr;
}
