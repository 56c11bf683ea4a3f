#include "document/Registro.h"

#include "equipment/Equipo.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace {

// The items read otherwise than by their display, each kind one line: its reading and unit.
// An instrument with a display of its own (CEquipo::Lectura) needs no line here.
struct CLectorEspecial {
    TipoEquipo m_eTipo;
    double (*m_pfnLeer)(const CEquipo&);
    const char* m_pszUnidad;
};

// What a burette has delivered since it was full: the titration window's "Lectura".
double VolumenBureta(const CEquipo& e) {
    const CRecipiente* r = e.Recipiente();
    return r ? r->m_dCapacidad - r->VolumenLiquido() : 0.0;
}

constexpr CLectorEspecial kEspeciales[] = {
    {TipoEquipo::Bureta10, VolumenBureta, "ml"},
    {TipoEquipo::Bureta50, VolumenBureta, "ml"},
};

const CLectorEspecial* Especial(int32_t nTipo) {
    for (const CLectorEspecial& l : kEspeciales)
        if (static_cast<int32_t>(l.m_eTipo) == nTipo)
            return &l;
    return nullptr;
}

std::string Nombre(const CEquipo& e) {
    std::string s = e.m_strEtiqueta.empty() ? e.GetNombre() : e.m_strEtiqueta;
    if (s.size() > CRegistro::kNombreMaximo)
        s.resize(CRegistro::kNombreMaximo); // a label of many bytes; the file holds fewer
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80)
        s.pop_back(); // no broken character at the cut
    if (!s.empty() && static_cast<unsigned char>(s.back()) >= 0xC0)
        s.pop_back();
    return s;
}

// A reading kept: finite and within what a file holds.
double Acotado(double d) {
    if (!std::isfinite(d))
        return 0.0;
    return std::clamp(d, -1.0e30, 1.0e30);
}

} // namespace

bool CSerieRegistro::EsVolumen() const {
    return Especial(m_nTipo) != nullptr;
}

bool CRegistro::Registrable(const CEquipo& e) {
    return Especial(e.m_nTipo) || e.Lectura().has_value();
}

bool CRegistro::TipoRegistrable(int32_t nTipo) {
    const std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(nTipo));
    return e && Registrable(*e);
}

std::optional<std::pair<double, std::string>> CRegistro::LecturaDe(const CEquipo& e) {
    if (const CLectorEspecial* l = Especial(e.m_nTipo))
        return std::make_pair(Acotado(l->m_pfnLeer(e)), std::string(l->m_pszUnidad));
    if (const std::optional<CLectura> l = e.Lectura())
        return std::make_pair(Acotado(l->m_dValor), l->m_strUnidad.toStdString());
    return std::nullopt;
}

size_t CRegistro::Valores() const {
    size_t n = m_tiempos.size();
    for (const CSerieRegistro& s : m_series)
        n += s.m_valores.size();
    return n;
}

bool CRegistro::Lleno() const {
    size_t nActivas = 1; // the instant
    for (const CSerieRegistro& s : m_series)
        nActivas += s.m_pEquipo ? 1 : 0;
    return Valores() + nActivas > static_cast<size_t>(kValoresMaximos);
}

int CRegistro::Serie(const CEquipo* pEquipo) const {
    for (size_t i = 0; i < m_series.size(); ++i)
        if (pEquipo && m_series[i].m_pEquipo == pEquipo)
            return static_cast<int>(i);
    return -1;
}

bool CRegistro::Registrar(CEquipo& e, const CListaEquipo& lista) {
    if (Serie(&e) >= 0) {
        Detener(&e);
        return true;
    }
    const auto lectura = LecturaDe(e);
    if (!lectura || Lleno())
        return false;
    m_descartados.erase(std::remove(m_descartados.begin(), m_descartados.end(), &e),
                        m_descartados.end());
    // The item's stopped series goes on when nothing was recorded since it stopped;
    // otherwise a new one begins, so that a series never has a gap.
    CSerieRegistro* pSerie = nullptr;
    for (CSerieRegistro& s : m_series)
        if (!s.m_pEquipo && s.m_nLugar == -2 && s.m_nTipo == e.m_nTipo &&
            s.m_strNombre == Nombre(e) &&
            static_cast<size_t>(s.m_nPrimera) + s.m_valores.size() == Filas())
            pSerie = &s;
    if (!pSerie) {
        if (m_series.size() >= static_cast<size_t>(kSeriesMaximas))
            return false;
        CSerieRegistro s;
        s.m_strNombre = Nombre(e);
        s.m_strUnidad = lectura->second.substr(0, kUnidadMaxima);
        s.m_nTipo = e.m_nTipo;
        s.m_nPrimera = static_cast<int32_t>(Filas());
        m_series.push_back(std::move(s));
        pSerie = &m_series.back();
    }
    pSerie->m_pEquipo = &e;
    pSerie->m_nLugar = -1;
    if (Filas() > 0 && m_tiempos.back() == m_dTiempo) {
        // A row was taken at this very instant: the new series has its value in it too.
        if (pSerie->m_valores.empty()) {
            pSerie->m_nPrimera = static_cast<int32_t>(Filas() - 1);
            pSerie->m_valores.push_back(lectura->first);
        }
        m_bGrabando = true;
    } else {
        m_bGrabando = true;
        Muestrear(lista);
    }
    return true;
}

void CRegistro::Detener(const CEquipo* pEquipo) {
    for (CSerieRegistro& s : m_series)
        if (pEquipo && s.m_pEquipo == pEquipo) {
            s.m_pEquipo = nullptr;
            s.m_nLugar = -2; // stopped by hand: it may go on
            if (std::find(m_descartados.begin(), m_descartados.end(), pEquipo) ==
                m_descartados.end())
                m_descartados.push_back(pEquipo);
        }
}

void CRegistro::Olvidar(const CEquipo* pEquipo) {
    for (CSerieRegistro& s : m_series)
        if (s.m_pEquipo == pEquipo) {
            s.m_pEquipo = nullptr;
            s.m_nLugar = -1;
        }
    m_descartados.erase(std::remove(m_descartados.begin(), m_descartados.end(), pEquipo),
                        m_descartados.end());
}

void CRegistro::Borrar() {
    m_tiempos.clear();
    m_dTiempo = m_dSiguiente = 0.0;
    // The series being recorded start again empty; the stopped ones go.
    std::vector<CSerieRegistro> siguen;
    for (CSerieRegistro& s : m_series)
        if (s.m_pEquipo) {
            s.m_valores.clear();
            s.m_nPrimera = 0;
            siguen.push_back(std::move(s));
        }
    m_series = std::move(siguen);
    m_bGrabando = false;
}

void CRegistro::Automatico(const CListaEquipo& lista) {
    for (CEquipo* e : lista) {
        if (!std::binary_search(m_automatico.m_tipos.begin(), m_automatico.m_tipos.end(),
                                e->m_nTipo) ||
            Serie(e) >= 0 ||
            std::find(m_descartados.begin(), m_descartados.end(), e) != m_descartados.end())
            continue;
        if (Vacio())
            m_dIntervalo = m_automatico.m_dIntervalo, m_bEjeVolumen = m_automatico.m_bEjeVolumen;
        if (!Registrar(*e, lista))
            m_descartados.push_back(e); // full: not asked again every step
    }
}

void CRegistro::Paso(const CListaEquipo& lista, double dSegundos) {
    if (!m_automatico.Vacio())
        Automatico(lista);
    if (!m_bGrabando)
        return;
    m_dTiempo += std::isfinite(dSegundos) && dSegundos > 0.0 ? dSegundos : 0.0;
    // A step's time is a decimal fraction, so the sum drifts by rounding: an instant due
    // within a millionth of a second has come.
    if (m_dTiempo + 1e-6 >= m_dSiguiente)
        Muestrear(lista);
}

void CRegistro::Muestrear(const CListaEquipo& lista) {
    if (Lleno()) {
        m_bGrabando = false;
        return;
    }
    const size_t nFila = Filas();
    bool bAlguna = false;
    for (CSerieRegistro& s : m_series) {
        if (!s.m_pEquipo)
            continue;
        // An item that left without being forgotten stops its series here.
        if (!lista.Contiene(s.m_pEquipo) || s.m_pEquipo->m_nTipo != s.m_nTipo) {
            s.m_pEquipo = nullptr;
            continue;
        }
        const auto l = LecturaDe(*s.m_pEquipo);
        if (!l)
            continue;
        if (!s.m_valores.empty() && (nFila == 0 || !s.Tiene(nFila - 1))) {
            s.m_pEquipo = nullptr; // never a gap in a series
            continue;
        }
        if (s.m_valores.empty())
            s.m_nPrimera = static_cast<int32_t>(nFila);
        s.m_valores.push_back(l->first);
        bAlguna = true;
    }
    if (!bAlguna) {
        m_bGrabando = false; // nothing left to read
        return;
    }
    m_tiempos.push_back(m_dTiempo);
    // Instants on the interval's grid; after a change of interval or a late row, from now.
    m_dSiguiente += m_dIntervalo;
    if (m_dSiguiente <= m_dTiempo + 1e-6)
        m_dSiguiente = m_dTiempo + m_dIntervalo;
}

void CRegistro::TomarLugares(const CListaEquipo& lista) {
    for (CSerieRegistro& s : m_series) {
        s.m_nLugar = -1;
        int32_t n = 0;
        for (const CEquipo* e : lista) {
            if (e == s.m_pEquipo) {
                s.m_nLugar = n;
                break;
            }
            ++n;
        }
    }
}

void CRegistro::AplicarLugares(const CListaEquipo& lista) {
    const std::vector<CEquipo*> lugares(lista.begin(), lista.end());
    for (CSerieRegistro& s : m_series) {
        s.m_pEquipo = nullptr;
        if (s.m_nLugar >= 0 && static_cast<size_t>(s.m_nLugar) < lugares.size() &&
            lugares[static_cast<size_t>(s.m_nLugar)]->m_nTipo == s.m_nTipo)
            s.m_pEquipo = lugares[static_cast<size_t>(s.m_nLugar)];
        s.m_nLugar = -1;
    }
    m_descartados.clear();
}

CRegistro::Puntos CRegistro::PuntosDe(size_t nSerie, int nX) const {
    Puntos p;
    if (nSerie >= m_series.size())
        return p;
    const CSerieRegistro& s = m_series[nSerie];
    const CSerieRegistro* pX =
        nX >= 0 && static_cast<size_t>(nX) < m_series.size() ? &m_series[size_t(nX)] : nullptr;
    p.reserve(s.m_valores.size());
    for (size_t i = 0; i < s.m_valores.size(); ++i) {
        const size_t nFila = i + static_cast<size_t>(s.m_nPrimera);
        if (nFila >= m_tiempos.size())
            break;
        if (nX < 0)
            p.emplace_back(m_tiempos[nFila], s.m_valores[i]);
        else if (pX && pX->Tiene(nFila))
            p.emplace_back(pX->En(nFila), s.m_valores[i]);
    }
    return p;
}

int CRegistro::SerieVolumen() const {
    for (size_t i = 0; i < m_series.size(); ++i)
        if (m_series[i].EsVolumen())
            return static_cast<int>(i);
    return -1;
}

double CRegistro::Cuerda(const Puntos& p, size_t i, size_t j) {
    if (i >= p.size() || j >= p.size())
        return 0.0;
    const double dX = p[j].first - p[i].first;
    const double d = (p[j].second - p[i].second) / dX;
    return dX != 0.0 && std::isfinite(d) ? d : 0.0;
}

double CRegistro::Tangente(const Puntos& p, size_t i, size_t nVecinos) {
    if (i >= p.size())
        return 0.0;
    const size_t a = i >= nVecinos ? i - nVecinos : 0;
    const size_t b = std::min(p.size() - 1, i + nVecinos);
    // Centred on the point itself, so that large X values lose no digits.
    const double x0 = p[i].first, y0 = p[i].second;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(b - a + 1);
    for (size_t k = a; k <= b; ++k) {
        const double x = p[k].first - x0, y = p[k].second - y0;
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double dDen = n * sxx - sx * sx;
    const double d = (n * sxy - sx * sy) / dDen;
    return dDen > 0.0 && std::isfinite(d) ? d : 0.0;
}

CRegistro::Puntos CRegistro::Derivada(const Puntos& p) {
    Puntos d;
    for (size_t i = 1; i < p.size(); ++i) {
        const double dX = p[i].first - p[i - 1].first;
        if (!(dX > 0.0))
            continue;
        const double dY = (p[i].second - p[i - 1].second) / dX;
        if (std::isfinite(dY))
            d.emplace_back(0.5 * (p[i].first + p[i - 1].first), dY);
    }
    return d;
}

std::optional<std::pair<double, double>> CRegistro::Maximo(const Puntos& d) {
    if (d.empty())
        return std::nullopt;
    return *std::max_element(d.begin(), d.end(), [](const auto& a, const auto& b) {
        return std::fabs(a.second) < std::fabs(b.second);
    });
}

namespace {

// The shortest text that reads back as the same double, with the locale's decimal mark.
void Numero(std::string& s, double d, char cDecimal) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    for (char* p = buf; p != r.ptr; ++p)
        s.push_back(*p == '.' ? cDecimal : *p);
}

// A field with the separator, a quote or a line break in it goes in quotes.
void Campo(std::string& s, const std::string& str, char cCampo) {
    if (str.find_first_of(std::string{cCampo, '"', '\n', '\r'}) == std::string::npos) {
        s += str;
        return;
    }
    s.push_back('"');
    for (char c : str) {
        if (c == '"')
            s.push_back('"');
        s.push_back(c);
    }
    s.push_back('"');
}

} // namespace

std::string CRegistro::Tabla(char cCampo, char cDecimal) const {
    std::string s;
    s.reserve(16 * (m_series.size() + 1) * (Filas() + 1));
    Campo(s, "Tiempo (s)", cCampo);
    for (const CSerieRegistro& r : m_series) {
        s.push_back(cCampo);
        Campo(s, r.m_strNombre + " (" + r.m_strUnidad + ")", cCampo);
    }
    s += "\r\n";
    for (size_t i = 0; i < Filas(); ++i) {
        Numero(s, m_tiempos[i], cDecimal);
        for (const CSerieRegistro& r : m_series) {
            s.push_back(cCampo);
            if (r.Tiene(i))
                Numero(s, r.En(i), cDecimal);
        }
        s += "\r\n";
    }
    return s;
}
