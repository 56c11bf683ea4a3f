#include "document/Preguntas.h"

#include "model/Catalogo.h"

#include <charconv>
#include <cmath>
#include <iterator>

CTarea CTarea::ParaAlumnos() const {
    CTarea t = *this;
    t.m_bProfesor = false;
    t.m_clave = ClaveAlumnos();
    for (CPregunta& q : t.m_preguntas)
        if (!q.m_bComprobable) {
            q.m_strEsperado.clear();
            q.m_nCorrecta = -1;
        }
    t.m_bEmpezada = false;
    t.m_strAlumno.clear();
    t.m_strGrupo.clear();
    t.m_semilla = {};
    t.m_respuestas.clear();
    t.m_sello = {};
    return t;
}

void CTarea::Empezar(const std::string& strAlumno, const std::string& strGrupo, CCatalogo& cat) {
    m_strAlumno = strAlumno;
    m_strGrupo = strGrupo;
    m_semilla = Sorteo::Semilla(ClaveAlumnos(), strAlumno, strGrupo);
    m_bEmpezada = true;
    m_respuestas.assign(m_preguntas.size(), std::string());
    Aplicar(cat, true);
}

std::vector<double> CTarea::Valores() const {
    std::vector<double> v;
    Sorteo::CGenerador g(m_semilla);
    for (const CIncognita& x : m_incognitas) {
        // One number per unknown whether or not it is used, so that each keeps its value
        // when another's range changes.
        const double u = g.Uniforme();
        v.push_back(m_bEmpezada ? Sorteo::EnRango(u, x.m_dMinimo, x.m_dMaximo)
                                : 0.5 * (x.m_dMinimo + x.m_dMaximo));
    }
    return v;
}

Formula::Valores CTarea::Nombrados(const std::vector<double>& valores) const {
    Formula::Valores m;
    for (size_t i = 0; i < m_incognitas.size() && i < valores.size(); ++i)
        m[m_incognitas[i].m_strNombre] = valores[i];
    return m;
}

void CTarea::Aplicar(CCatalogo& cat, bool bSorteados) const {
    CTarea t = *this;
    t.m_bEmpezada = t.m_bEmpezada && bSorteados;
    const std::vector<double> v = t.Valores();
    for (size_t i = 0; i < m_incognitas.size(); ++i) {
        const int32_t n = m_incognitas[i].m_nReactivo;
        CReactivos* r =
            n >= 0 && n < cat.NumReactivos() ? &cat.m_reactivos[static_cast<size_t>(n)] : nullptr;
        if (!r || m_incognitas[i].m_nEntrada < 0 ||
            static_cast<size_t>(m_incognitas[i].m_nEntrada) >= r->m_listaComposicion.size())
            continue; // the checks name it; reading refuses it
        std::next(r->m_listaComposicion.begin(), m_incognitas[i].m_nEntrada)->m_dMoles = v[i];
    }
}

Sorteo::Huella CTarea::Sello() const {
    std::string s = "alkor/sello";
    auto campo = [&s](const std::string& x) {
        s += std::to_string(x.size());
        s += ':';
        s += x;
    };
    campo(m_strAlumno);
    campo(m_strGrupo);
    campo(Sorteo::Hex(m_semilla));
    campo(std::to_string(m_bExamen));
    campo(std::to_string(m_preguntas.size()));
    for (const std::string& r : m_respuestas)
        campo(r);
    return Sorteo::Hmac(ClaveAlumnos(), s);
}

std::optional<double> CTarea::LeerNumero(const std::string& sEntrada) {
    std::string s;
    for (char c : sEntrada)
        if (c != ' ' && c != '\t')
            s += c == ',' ? '.' : c;
    if (s.empty() || s.size() > 64)
        return std::nullopt;
    if (s[0] == '+')
        s.erase(0, 1);
    double d = 0.0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(d))
        return std::nullopt;
    // from_chars takes "inf" and "nan" spelled out; those are no measurement.
    for (char c : s)
        if (std::isalpha(static_cast<unsigned char>(c)) && c != 'e' && c != 'E')
            return std::nullopt;
    return d;
}

int CTarea::Cifras(const std::string& s) {
    // Leading zeros are never significant; trailing zeros are when the number shows a
    // decimal mark (the usual rule of a laboratory textbook).
    std::string m;
    bool bMarca = false;
    for (char c : s) {
        if (c == 'e' || c == 'E')
            break;
        if (c == '.' || c == ',')
            bMarca = true;
        else if (c >= '0' && c <= '9')
            m += c;
    }
    const size_t a = m.find_first_not_of('0');
    if (a == std::string::npos)
        return m.empty() ? 0 : 1;
    m.erase(0, a);
    if (!bMarca)
        m.erase(m.find_last_not_of('0') + 1);
    return static_cast<int>(m.size());
}

CTarea::Juicio CTarea::Juzgar(const CPregunta& q, const std::string& strRespuesta,
                              std::optional<double> esperado) {
    if (q.m_nTipo == CPregunta::kLibre)
        return strRespuesta.empty() ? Juicio::SinRespuesta : Juicio::SinCalificar;
    if (strRespuesta.empty())
        return Juicio::SinRespuesta;
    if (q.m_nTipo == CPregunta::kOpciones) {
        if (q.m_nCorrecta < 0)
            return Juicio::SinCalificar;
        return strRespuesta == std::to_string(q.m_nCorrecta + 1) ? Juicio::Bien : Juicio::Mal;
    }
    if (!esperado)
        return Juicio::SinCalificar;
    const std::optional<double> d = LeerNumero(strRespuesta);
    if (!d)
        return Juicio::Mal;
    const double dMargen =
        q.m_bPorcentaje ? std::fabs(*esperado) * q.m_dTolerancia / 100.0 : q.m_dTolerancia;
    // A hair over the margin for the rounding of decimal texts: "0.0950" is within 5 % of
    // 0.1 though 0.1 × 0.95 is not exactly 0.095 in binary.
    if (!(std::fabs(*d - *esperado) <= dMargen * (1.0 + 1e-12) + 1e-300))
        return Juicio::Mal;
    if (q.m_nCifras > 0 && Cifras(strRespuesta) != q.m_nCifras)
        return Juicio::Cifras;
    return Juicio::Bien;
}

CTarea::Nota CTarea::Calificar(const std::vector<std::string>& respuestas,
                               const std::vector<double>& valores) const {
    Nota n;
    const Formula::Valores nombres = Nombrados(valores);
    for (size_t i = 0; i < m_preguntas.size(); ++i) {
        const CPregunta& q = m_preguntas[i];
        std::optional<double> esperado;
        if (q.m_nTipo == CPregunta::kNumerica && !q.m_strEsperado.empty())
            esperado = Formula::Evaluar(q.m_strEsperado, nombres).m_dValor;
        const std::string strR = i < respuestas.size() ? respuestas[i] : std::string();
        const Juicio j = Juzgar(q, strR, esperado);
        n.m_juicios.push_back(j);
        n.m_esperados.push_back(esperado);
        if (q.m_nTipo == CPregunta::kLibre)
            continue; // free text is the teacher's to mark: outside the score
        n.m_dMaximo += q.m_dPuntos;
        if (j == Juicio::Bien)
            n.m_dPuntos += q.m_dPuntos;
    }
    return n;
}

CTarea::Estado CTarea::Examinar(const CTarea& a) const {
    if (a.m_bProfesor || a.m_clave != ClaveAlumnos() ||
        a.m_preguntas.size() != m_preguntas.size() || a.m_incognitas.size() != m_incognitas.size())
        return Estado::Ajeno;
    if (!a.m_bEmpezada)
        return Estado::NoEmpezado;
    if (a.m_semilla != Sorteo::Semilla(a.m_clave, a.m_strAlumno, a.m_strGrupo) ||
        a.m_sello != a.Sello() || a.m_respuestas.size() != m_preguntas.size())
        return Estado::Manipulado;
    // The ranges and the lock are the teacher's: a copy that changed them was edited.
    for (size_t i = 0; i < m_incognitas.size(); ++i)
        if (a.m_incognitas[i].m_dMinimo != m_incognitas[i].m_dMinimo ||
            a.m_incognitas[i].m_dMaximo != m_incognitas[i].m_dMaximo)
            return Estado::Manipulado;
    if (a.m_bExamen != m_bExamen)
        return Estado::Manipulado;
    return Estado::Correcto;
}
