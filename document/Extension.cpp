#include "document/Extension.h"

#include "equipment/ListaEquipo.h"
#include "model/Catalogo.h"

#include <algorithm>
#include <array>
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
    }
    for (size_t i = 0; i < cat.m_indicadores.size(); ++i)
        if (cat.m_indicadores[i].m_acidoBase.Tiene())
            x.m_formas.emplace_back(static_cast<int32_t>(i),
                                    Recortado(cat.m_indicadores[i].m_acidoBase));
    for (size_t i = 0; i < cat.m_reacciones.size(); ++i)
        if (cat.m_reacciones[i].m_reversible.Tiene())
            x.m_reversibles.emplace_back(static_cast<int32_t>(i), cat.m_reacciones[i].m_reversible);
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
    ar.EscribirInt32(static_cast<int32_t>(m_textos.size() + m_rotulos.size() + m_niveles.size() +
                                          (bMotor ? 1 : 0) + m_acidoBase.size() +
                                          m_concentracionColor.size() + m_formas.size() +
                                          m_reversibles.size() + m_equiposNuevos.size()));
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
    for (const auto& [n, nTipo] : m_equiposNuevos) {
        CArchivo r;
        r << n << nTipo;
        ar.EscribirRegistro(kEquipoNuevo, r);
    }
}

CExtension CExtension::Leer(CArchivo& ar) {
    CExtension x;
    // The smallest record is its tag and its length.
    const int32_t nRegistros = ar.LeerCuenta(8);
    if (nRegistros == 0)
        Mal("bloque sin registros"); // never written: such a practice is a "Vol.1" one
    int32_t nAnterior = 0;
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
