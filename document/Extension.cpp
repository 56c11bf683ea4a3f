#include "document/Extension.h"

#include "equipment/ListaEquipo.h"
#include "model/Catalogo.h"

#include <algorithm>
#include <tuple>

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

// The items of a bench by their place in drawing order.
std::vector<CEquipo*> Lugares(const CListaEquipo& banco) {
    return {banco.begin(), banco.end()};
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
    if (!pBanco)
        return x;
    int32_t n = 0;
    for (const CEquipo* e : *pBanco) {
        if (!e->m_strEtiqueta.empty())
            x.m_rotulos.emplace_back(n, CArchivo::Utf8Reparado(e->m_strEtiqueta));
        if (const std::optional<int32_t> nNivel = e->Ajuste(); nNivel && *nNivel != kNivelDescrito)
            x.m_niveles.emplace_back(n, *nNivel);
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
    ar.EscribirInt32(static_cast<int32_t>(m_textos.size() + m_rotulos.size() + m_niveles.size()));
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
