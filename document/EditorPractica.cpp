#include "document/EditorPractica.h"
#include "equipment/Conversiones.h"

#include "document/Plantillas.h"
#include "equipment/Recipiente.h"
#include "model/Archivo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <typeinfo>
#include <utility>

namespace {

// Every vessel's three phases, to read (by their codes) and to renumber.
void RecorrerFases(const CListaEquipo& lista,
                   const std::function<void(const CSeno&, int32_t)>& fn) {
    for (const CEquipo* e : lista)
        if (const CRecipiente* r = e->Recipiente())
            for (int32_t nFase : {ESTADO_LIQUIDO, ESTADO_SOLIDO, ESTADO_GAS})
                fn(r->m_seno, nFase);
}

void CambiarFases(CListaEquipo& lista, const std::function<void(CFase&)>& fn) {
    for (CEquipo* e : lista)
        if (CRecipiente* r = e->Recipiente())
            r->m_seno.ParaCadaFase(fn);
}

bool MesaUsaComponente(const CListaEquipo& lista, int32_t n) {
    bool bUsa = false;
    RecorrerFases(lista, [&](const CSeno& s, int32_t nFase) {
        for (const CEntradaFase& c : s.Contenido(nFase, true))
            bUsa |= c.m_nComponente == n;
    });
    return bUsa;
}

bool MesaUsaIndicador(const CListaEquipo& lista, int32_t n) {
    bool bUsa = false;
    RecorrerFases(lista, [&](const CSeno& s, int32_t nFase) {
        const std::vector<int32_t> v = s.Indicadores(nFase);
        bUsa |= std::find(v.begin(), v.end(), n) != v.end();
    });
    return bUsa;
}

void Mensaje(QString* pstrError, const QString& s) {
    if (pstrError)
        *pstrError = s;
}

template <class T> int32_t IdNuevo(const std::vector<T>& tabla) {
    int32_t n = 0;
    for (const T& r : tabla)
        n = std::max(n, r.m_nId);
    return n + 1;
}

// Entry n of a table, or none.
template <class T> T* Entrada(std::vector<T>& tabla, int32_t n) {
    return n >= 0 && n < static_cast<int32_t>(tabla.size()) ? &tabla[static_cast<size_t>(n)]
                                                            : nullptr;
}

// A plain field of a catalogue entry, set as given; false when there is no such entry.
template <class T, class V> bool Poner(std::vector<T>& tabla, int32_t n, V T::*pCampo, V v) {
    T* e = Entrada(tabla, n);
    if (e)
        e->*pCampo = std::move(v);
    return e != nullptr;
}

// Step k of up to three (pKa at 25 °C) given or emptied: the steps run to the last one given;
// an empty one before it is a gap (NaN), and what lies past the last one is 0.
bool PonerPaso(std::array<double, 3>& pKa, int32_t& nPasos, int k, std::optional<double> d) {
    if (k < 0 || k > 2)
        return false;
    std::array<double, 3> v;
    for (int j = 0; j < 3; ++j)
        v[static_cast<size_t>(j)] =
            j < nPasos ? pKa[static_cast<size_t>(j)] : std::numeric_limits<double>::quiet_NaN();
    v[static_cast<size_t>(k)] = d ? *d : std::numeric_limits<double>::quiet_NaN();
    nPasos = 0;
    for (int j = 0; j < 3; ++j)
        if (!std::isnan(v[static_cast<size_t>(j)]))
            nPasos = j + 1;
    for (int j = 0; j < 3; ++j)
        pKa[static_cast<size_t>(j)] = j < nPasos ? v[static_cast<size_t>(j)] : 0.0;
    return true;
}

// Entry i of a reagent's composition (the last for -1), or none.
CContenido* EntradaComposicion(CReactivos* r, int32_t i) {
    if (!r || r->m_listaComposicion.empty())
        return nullptr;
    const int32_t n = static_cast<int32_t>(r->m_listaComposicion.size());
    if (i == -1)
        i = n - 1;
    return i >= 0 && i < n ? &*std::next(r->m_listaComposicion.begin(), i) : nullptr;
}

} // namespace

CEditorPractica::CEditorPractica(std::unique_ptr<CPractica> pCopia) : m_pCopia(std::move(pCopia)) {
    try {
        m_datosIniciales = m_pCopia->EscribirPractica();
    } catch (const CErrorArchivo&) {
    }
    for (int32_t i = 0; i < Catalogo().NumComponentes(); ++i)
        m_mapaComponentes.push_back(i);
    for (int32_t i = 0; i < Catalogo().NumIndicadores(); ++i)
        m_mapaIndicadores.push_back(i);
}

std::unique_ptr<CEditorPractica> CEditorPractica::Desde(const CPractica& p, QString* pstrError) {
    std::unique_ptr<CPractica> pCopia = p.Copia(pstrError);
    if (!pCopia)
        return nullptr;
    std::unique_ptr<CEditorPractica> pEditor(new CEditorPractica(std::move(pCopia)));
    pEditor->m_pOrigen = &p;
    return pEditor;
}

std::unique_ptr<CEditorPractica> CEditorPractica::EnBlanco() {
    auto p = std::make_unique<CPractica>();
    // Water as the built-in practices have it (identifier 1 of their table), or the
    // start-up catalogue's when the templates are missing.
    CComponentes agua = p->m_catalogo.m_componentes.front();
    const QByteArray b = Plantillas::Bytes(Plantillas::kPrimera);
    CPractica plantilla;
    if (plantilla.LeerPlantilla(std::vector<uint8_t>(b.begin(), b.end()), QString(), nullptr) ==
            CPractica::Resultado::Correcto &&
        plantilla.m_catalogo.Componente(plantilla.m_catalogo.BuscarComponente(1)))
        agua = *plantilla.m_catalogo.Componente(plantilla.m_catalogo.BuscarComponente(1));
    agua.m_nId = 1;
    p->m_catalogo = CCatalogo();
    p->m_catalogo.m_componentes.push_back(agua);
    p->m_strPractica = "Práctica nueva";
    return std::unique_ptr<CEditorPractica>(new CEditorPractica(std::move(p)));
}

bool CEditorPractica::Modificada() const {
    try {
        return m_pCopia->EscribirPractica() != m_datosIniciales;
    } catch (const CErrorArchivo&) {
        return true;
    }
}

void CEditorPractica::AjustarNinguno(int32_t nAnterior) {
    const int32_t nNuevo = Ninguno();
    auto ajustar = [&](int32_t& n) {
        if (n >= nAnterior || n < 0)
            n = nNuevo;
    };
    for (CReacciones& r : Catalogo().m_reacciones) {
        for (int k = 0; k < 3; ++k) {
            ajustar(r.m_nReactivo[k]);
            ajustar(r.m_nProducto[k]);
        }
        ajustar(r.m_nCatalizador);
    }
}

template <class T, class V>
CEditorPractica::Clave CEditorPractica::ClaveDe(V T::*pCampo, int32_t nEntrada) {
    Clave c;
    c.pTipo = &typeid(T);
    static_assert(sizeof(pCampo) <= sizeof(c.nCampo));
    std::memcpy(&c.nCampo, &pCampo, sizeof(pCampo));
    c.nEntrada = nEntrada;
    return c;
}

CEditorPractica::Estado CEditorPractica::Tomar() {
    const CPractica& p = *m_pCopia;
    Estado e{p.m_catalogo,
             p.m_strPractica,
             p.m_strResumen,
             p.m_strAutor,
             p.m_dtFecha,
             p.m_bVelocidad,
             p.m_bPropiedades,
             m_mapaComponentes,
             m_mapaIndicadores,
             {},
             p.m_registro.m_automatico};
    CambiarFases(m_pCopia->m_listaEquipo, [&](CFase& f) {
        for (const CContenido& c : f.m_listaContenido)
            e.referenciasMesa.push_back(c.m_nComponente);
        for (int32_t m : f.m_listaIndicadores)
            e.referenciasMesa.push_back(m);
    });
    return e;
}

void CEditorPractica::Restaurar(Estado& e) {
    CPractica& p = *m_pCopia;
    std::swap(p.m_catalogo, e.catalogo);
    std::swap(p.m_strPractica, e.strPractica);
    std::swap(p.m_strResumen, e.strResumen);
    std::swap(p.m_strAutor, e.strAutor);
    std::swap(p.m_dtFecha, e.fecha);
    std::swap(p.m_bVelocidad, e.bVelocidad);
    std::swap(p.m_bPropiedades, e.bPropiedades);
    std::swap(p.m_registro.m_automatico, e.automatico);
    std::swap(m_mapaComponentes, e.mapaComponentes);
    std::swap(m_mapaIndicadores, e.mapaIndicadores);
    // The bench is the same one (taking or dropping it empties the history): only its
    // references moved.
    size_t i = 0;
    CambiarFases(m_pCopia->m_listaEquipo, [&](CFase& f) {
        for (CContenido& c : f.m_listaContenido)
            if (i < e.referenciasMesa.size())
                std::swap(c.m_nComponente, e.referenciasMesa[i++]);
        for (int32_t& m : f.m_listaIndicadores)
            if (i < e.referenciasMesa.size())
                std::swap(m, e.referenciasMesa[i++]);
    });
}

void CEditorPractica::Anotar(const Clave& clave) {
    if (clave.pTipo && clave == m_ultima && !m_deshacer.empty()) {
        m_rehacer.clear();
        return;
    }
    m_ultima = clave;
    m_deshacer.push_back(Tomar());
    if (m_deshacer.size() > kPasos)
        m_deshacer.erase(m_deshacer.begin());
    m_rehacer.clear();
    m_fnHistorial();
}

void CEditorPractica::Anotar() {
    Anotar(Clave());
}

void CEditorPractica::OlvidarHistorial() {
    m_deshacer.clear();
    m_rehacer.clear();
    m_ultima = {};
    m_fnHistorial();
}

bool CEditorPractica::Deshacer() {
    if (m_deshacer.empty())
        return false;
    Estado e = std::move(m_deshacer.back());
    m_deshacer.pop_back();
    Restaurar(e); // e now holds what there was before the undo
    m_rehacer.push_back(std::move(e));
    m_ultima = {};
    m_fnHistorial();
    return true;
}

bool CEditorPractica::Rehacer() {
    if (m_rehacer.empty())
        return false;
    Estado e = std::move(m_rehacer.back());
    m_rehacer.pop_back();
    Restaurar(e);
    m_deshacer.push_back(std::move(e));
    m_ultima = {};
    m_fnHistorial();
    return true;
}

void CEditorPractica::PonerDato(std::string CPractica::*pCampo, const std::string& s) {
    Anotar(ClaveDe(pCampo, -1));
    (*m_pCopia).*pCampo = s;
}

void CEditorPractica::PonerOpcion(int32_t CPractica::*pCampo, bool b) {
    Anotar();
    (*m_pCopia).*pCampo = b ? 1 : 0;
}

void CEditorPractica::PonerFecha(int nAnio, int nMes, int nDia) {
    Anotar();
    m_pCopia->m_dtFecha = CFecha::DesdeCivil(nAnio, nMes, nDia);
}

void CEditorPractica::PonerNota(int nSeccion, const std::string& strRtf) {
    std::string* textos[3] = {&m_pCopia->m_strMarcoTeorico, &m_pCopia->m_strProcedimiento,
                              &m_pCopia->m_strResultados};
    if (nSeccion >= 0 && nSeccion < 3)
        *textos[nSeccion] = strRtf;
}

void CEditorPractica::PonerMotor(int32_t nMotor) {
    Anotar();
    Catalogo().m_nMotor = std::clamp<int32_t>(nMotor, MOTOR_DESCRITO, MOTOR_NEUTRALIZACION);
}

void CEditorPractica::PonerAmbiente(const CTermicaPractica& a) {
    Anotar();
    Catalogo().m_termica = a;
}

bool CEditorPractica::PonerTermica(int32_t n, double CTermicaDatos::*pCampo, double d) {
    CComponentes* k = Entrada(Catalogo().m_componentes, n);
    if (!k)
        return false;
    Anotar();
    k->m_termica.*pCampo = d;
    return true;
}

void CEditorPractica::PonerRegistroAutomatico(std::vector<int32_t> tipos, double dIntervalo,
                                              bool bEjeVolumen) {
    CRegistroAutomatico a;
    std::sort(tipos.begin(), tipos.end());
    tipos.erase(std::unique(tipos.begin(), tipos.end()), tipos.end());
    for (int32_t t : tipos)
        if (CRegistro::TipoRegistrable(t) &&
            a.m_tipos.size() < static_cast<size_t>(CRegistro::kSeriesMaximas))
            a.m_tipos.push_back(t);
    a.m_dIntervalo = std::isfinite(dIntervalo) ? std::clamp(dIntervalo, CRegistro::kIntervaloMinimo,
                                                            CRegistro::kIntervaloMaximo)
                                               : CRegistro::kIntervaloDescrito;
    a.m_bEjeVolumen = bEjeVolumen;
    if (a == m_pCopia->m_registro.m_automatico)
        return;
    Anotar();
    m_pCopia->m_registro.m_automatico = a;
}

int32_t CEditorPractica::AgregarComponente(int32_t nModelo) {
    CCatalogo& cat = Catalogo();
    const int32_t nAnterior = cat.NumComponentes();
    if (!cat.Componente(nModelo))
        nModelo = 0;
    CComponentes c = cat.Componente(nModelo) ? *cat.Componente(nModelo) : CComponentes();
    Anotar();
    c.m_nId = IdNuevo(cat.m_componentes);
    c.m_strNombre = c.m_strNombre.empty() ? "Sustancia nueva" : c.m_strNombre + " (copia)";
    if (Validacion::LongitudEnArchivo(c.m_strNombre) > Validacion::kLongitudNombre)
        c.m_strNombre = "Sustancia nueva";
    cat.m_componentes.push_back(std::move(c));
    AjustarNinguno(nAnterior);
    return nAnterior;
}

bool CEditorPractica::EliminarComponente(int32_t n, QString* pstrError) {
    CCatalogo& cat = Catalogo();
    const CComponentes* pc = cat.Componente(n);
    if (!pc)
        return false;
    const QString strNombre = Q(pc->m_strNombre);
    auto rechazar = [&](const QString& strQuien) {
        Mensaje(pstrError,
                QStringLiteral("No se puede eliminar «%1»: la usa %2.").arg(strNombre, strQuien));
        return false;
    };
    if (n == 0) {
        Mensaje(pstrError, QStringLiteral("No se puede eliminar «%1»: es la primera sustancia de "
                                          "la práctica, la que el programa agrega como agua.")
                               .arg(strNombre));
        return false;
    }
    for (const CReactivos& r : cat.m_reactivos)
        for (const CContenido& e : r.m_listaComposicion)
            if (e.m_nComponente == n)
                return rechazar(QStringLiteral("el reactivo «%1»").arg(Q(r.m_strNombre)));
    for (const CReacciones& r : cat.m_reacciones)
        for (int k = 0; k < 3; ++k)
            if (r.m_nReactivo[k] == n || r.m_nProducto[k] == n || r.m_nCatalizador == n)
                return rechazar(QStringLiteral("la reacción «%1»").arg(Q(r.m_strTexto1)));
    for (const CIndicadores& d : cat.m_indicadores)
        if (d.m_nComponente == n)
            return rechazar(QStringLiteral("el indicador «%1»").arg(Q(d.m_strNombre)));
    if (MesaUsaComponente(m_pCopia->m_listaEquipo, n))
        return rechazar(QStringLiteral("el contenido de la mesa inicial"));

    Anotar();
    const int32_t nAnterior = cat.NumComponentes();
    cat.m_componentes.erase(cat.m_componentes.begin() + n);
    auto bajar = [n](int32_t& m) {
        if (m > n)
            --m;
    };
    for (CReacciones& r : cat.m_reacciones)
        for (int k = 0; k < 3; ++k) {
            bajar(r.m_nReactivo[k]);
            bajar(r.m_nProducto[k]);
        }
    for (CReacciones& r : cat.m_reacciones)
        bajar(r.m_nCatalizador);
    AjustarNinguno(nAnterior - 1);
    for (CReactivos& r : cat.m_reactivos)
        for (CContenido& e : r.m_listaComposicion)
            bajar(e.m_nComponente);
    for (CIndicadores& d : cat.m_indicadores)
        bajar(d.m_nComponente);
    // The pairs of the component go with it (bound to no other); the rest keep their order.
    std::erase_if(cat.m_paresVapor, [n](const CParVapor& p) { return p.m_nA == n || p.m_nB == n; });
    for (CParVapor& p : cat.m_paresVapor) {
        bajar(p.m_nA);
        bajar(p.m_nB);
    }
    CambiarFases(m_pCopia->m_listaEquipo, [&](CFase& f) {
        for (CContenido& c : f.m_listaContenido)
            bajar(c.m_nComponente);
    });
    for (int32_t& m : m_mapaComponentes)
        if (m == n)
            m = -1;
        else
            bajar(m);
    return true;
}

bool CEditorPractica::PonerComponente(int32_t n, std::string CComponentes::*pCampo,
                                      const std::string& s) {
    CComponentes* k = Entrada(Catalogo().m_componentes, n);
    if (!k)
        return false;
    Anotar(ClaveDe(pCampo, n));
    (*k).*pCampo = s;
    if (pCampo == &CComponentes::m_strFormula)
        k->m_strDescripcion = Plantillas::DescripcionRtf(k->m_strFormula);
    return true;
}

bool CEditorPractica::PonerComponente(int32_t n, double CComponentes::*pCampo, double d) {
    CComponentes* k = Entrada(Catalogo().m_componentes, n);
    if (!k)
        return false;
    Anotar();
    (*k).*pCampo = d;
    k->AjustarSolubilidad();
    return true;
}

bool CEditorPractica::PonerComponente(int32_t n, int32_t CComponentes::*pCampo, int32_t v) {
    CComponentes* k = Entrada(Catalogo().m_componentes, n);
    if (!k)
        return false;
    Anotar();
    const Rango r = RangoComponente(pCampo);
    (*k).*pCampo = std::clamp(v, r.nMinimo, r.nMaximo);
    return true;
}

bool CEditorPractica::PonerComponente(int32_t n, COLORREF CComponentes::*pCampo, COLORREF c) {
    if (!Catalogo().Componente(n))
        return false;
    Anotar();
    return Poner(Catalogo().m_componentes, n, pCampo, c);
}

bool CEditorPractica::PonerPKa(int32_t n, int k, std::optional<double> d) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (!c || k < 0 || k > 2)
        return false;
    Anotar();
    return PonerPaso(c->m_acidoBase.m_pKa, c->m_acidoBase.m_nPasos, k, d);
}

bool CEditorPractica::PonerEntalpiaPaso(int32_t n, int k, double d) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (!c || k < 0 || k > 2)
        return false;
    Anotar();
    c->m_acidoBase.m_dEntalpia[static_cast<size_t>(k)] = d;
    return true;
}

bool CEditorPractica::PonerAcidoBase(int32_t n, int32_t CAcidoBaseDatos::*pCampo, int32_t v) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (c) {
        Anotar();
        c->m_acidoBase.*pCampo = v;
    }
    return c != nullptr;
}

bool CEditorPractica::PonerDisolucion(int32_t n, double CDisolucionDatos::*pCampo, double d) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (!c)
        return false;
    Anotar();
    c->m_disolucion.*pCampo = d;
    return true;
}

bool CEditorPractica::PonerAntoine(int32_t n, int k, double d) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (!c || k < 0 || k > 2)
        return false;
    Anotar();
    c->m_disolucion.m_antoine[static_cast<size_t>(k)] = d;
    return true;
}

bool CEditorPractica::PonerCurvaSolubilidad(int32_t n,
                                            const std::vector<std::array<double, 2>>& puntos) {
    CComponentes* c = Entrada(Catalogo().m_componentes, n);
    if (!c)
        return false;
    Anotar();
    c->m_disolucion.m_solubilidad = puntos;
    return true;
}

bool CEditorPractica::PonerParVapor(int32_t a, int32_t b,
                                    std::optional<std::pair<double, double>> energias) {
    if (a == b || !Catalogo().Componente(a) || !Catalogo().Componente(b))
        return false;
    if (a > b) {
        std::swap(a, b);
        if (energias)
            std::swap(energias->first, energias->second);
    }
    std::vector<CParVapor>& v = Catalogo().m_paresVapor;
    const auto it = std::find_if(v.begin(), v.end(), [a, b](const CParVapor& p) {
        return p.m_nA > a || (p.m_nA == a && p.m_nB >= b);
    });
    const bool bHay = it != v.end() && it->m_nA == a && it->m_nB == b;
    if (!energias && !bHay)
        return false;
    Anotar();
    if (!energias)
        v.erase(it);
    else if (bHay)
        *it = {a, b, energias->first, energias->second};
    else
        v.insert(it, {a, b, energias->first, energias->second});
    return true;
}

CEditorPractica::Rango CEditorPractica::RangoComponente(int32_t CComponentes::*pCampo) {
    if (pCampo == &CComponentes::m_nEstado)
        return {ESTADO_SOLIDO, ESTADO_NINGUNO};
    if (pCampo == &CComponentes::m_nTextura)
        return {0, kUltimaTextura};
    if (pCampo == &CComponentes::m_nSignoCation || pCampo == &CComponentes::m_nSignoAnion)
        return {-Limites::kCuentaIones, Limites::kCuentaIones};
    if (pCampo == &CComponentes::m_nCantidadCation || pCampo == &CComponentes::m_nCantidadAnion)
        return {0, Limites::kCuentaIones};
    return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
}

int32_t CEditorPractica::AgregarReactivo() {
    CReactivos r;
    r.m_strNombre = "Reactivo nuevo";
    r.m_nEstado = 1;
    r.m_bPorProporcion = 0;
    // Water by the litre: what every solution of the built-in practices starts from.
    CContenido agua(0);
    agua.m_dMoles = 55.50843506179199;
    r.m_listaComposicion.push_back(agua);
    Anotar();
    Catalogo().m_reactivos.push_back(std::move(r));
    return Catalogo().NumReactivos() - 1;
}

bool CEditorPractica::EliminarReactivo(int32_t n) {
    if (!Catalogo().Reactivo(n))
        return false;
    Anotar();
    Catalogo().m_reactivos.erase(Catalogo().m_reactivos.begin() + n);
    return true;
}

bool CEditorPractica::PonerReactivo(int32_t n, std::string CReactivos::*pCampo,
                                    const std::string& s) {
    if (!Catalogo().Reactivo(n))
        return false;
    Anotar(ClaveDe(pCampo, n));
    return Poner(Catalogo().m_reactivos, n, pCampo, s);
}

bool CEditorPractica::PonerReactivo(int32_t n, int32_t CReactivos::*pCampo, int32_t v) {
    CReactivos* r = Entrada(Catalogo().m_reactivos, n);
    if (r) {
        Anotar();
        (*r).*pCampo = std::clamp(v, 0, 1);
    }
    return r != nullptr;
}

int32_t CEditorPractica::AgregarALaComposicion(int32_t nReactivo) {
    CReactivos* r = Entrada(Catalogo().m_reactivos, nReactivo);
    if (!r || Catalogo().m_componentes.empty())
        return -1;
    CContenido e(0);
    e.m_strTexto = Catalogo().m_componentes.front().m_strNombre;
    e.m_dMoles = 1.0;
    Anotar();
    r->m_listaComposicion.push_back(e);
    return static_cast<int32_t>(r->m_listaComposicion.size()) - 1;
}

bool CEditorPractica::QuitarDeLaComposicion(int32_t nReactivo, int32_t i) {
    CReactivos* r = Entrada(Catalogo().m_reactivos, nReactivo);
    CContenido* e = EntradaComposicion(r, i);
    if (!e)
        return false;
    Anotar();
    r->m_listaComposicion.remove_if([e](const CContenido& c) { return &c == e; });
    return true;
}

bool CEditorPractica::PonerEnComposicion(int32_t nReactivo, int32_t i, int32_t nComponente) {
    CContenido* e = EntradaComposicion(Entrada(Catalogo().m_reactivos, nReactivo), i);
    const CComponentes* k = Catalogo().Componente(nComponente);
    if (!e || !k)
        return false;
    Anotar();
    e->m_nComponente = nComponente;
    e->m_strTexto = k->m_strNombre;
    return true;
}

bool CEditorPractica::PonerMolesEnComposicion(int32_t nReactivo, int32_t i, double dMoles) {
    CContenido* e = EntradaComposicion(Entrada(Catalogo().m_reactivos, nReactivo), i);
    if (e) {
        Anotar();
        e->m_dMoles = dMoles;
    }
    return e != nullptr;
}

int32_t CEditorPractica::AgregarReaccion() {
    CReacciones r;
    r.m_nId = IdNuevo(Catalogo().m_reacciones);
    r.m_strTexto1 = "Reacción nueva";
    for (int k = 0; k < 3; ++k) {
        r.m_nReactivo[k] = r.m_nProducto[k] = Ninguno();
        r.m_nFaseReactivo[k] = r.m_nFaseProducto[k] = FASE_IONIZADA;
    }
    r.m_nCatalizador = Ninguno();
    r.m_bSinLimite = 1;
    Anotar();
    Catalogo().m_reacciones.push_back(r);
    return Catalogo().NumReacciones() - 1;
}

bool CEditorPractica::EliminarReaccion(int32_t n) {
    if (!Catalogo().Reaccion(n))
        return false;
    Anotar();
    Catalogo().m_reacciones.erase(Catalogo().m_reacciones.begin() + n);
    return true;
}

void CEditorPractica::PonerRanura(int32_t nReaccion, bool bProducto, int k, int32_t nComponente,
                                  int32_t nCoeficiente, int32_t nFase) {
    if (!Catalogo().Reaccion(nReaccion) || k < 0 || k > 2)
        return;
    Anotar();
    CReacciones& r = Catalogo().m_reacciones[static_cast<size_t>(nReaccion)];
    const bool bVacia = !Catalogo().Componente(nComponente);
    (bProducto ? r.m_nProducto : r.m_nReactivo)[k] = bVacia ? Ninguno() : nComponente;
    (bProducto ? r.m_nCoefProducto : r.m_nCoefReactivo)[k] =
        bVacia ? 0 : std::clamp(nCoeficiente, 1, Limites::kCoeficiente);
    (bProducto ? r.m_nFaseProducto : r.m_nFaseReactivo)[k] = nFase;
    if (bVacia)
        r.m_reversible.m_nFueraDeQ &= ~(1 << (bProducto ? 3 + k : k));
}

bool CEditorPractica::PonerReaccion(int32_t n, std::string CReacciones::*pCampo,
                                    const std::string& s) {
    if (!Catalogo().Reaccion(n))
        return false;
    Anotar(ClaveDe(pCampo, n));
    return Poner(Catalogo().m_reacciones, n, pCampo, s);
}

bool CEditorPractica::PonerReaccion(int32_t n, double CReacciones::*pCampo, double d) {
    if (!Catalogo().Reaccion(n))
        return false;
    Anotar();
    return Poner(Catalogo().m_reacciones, n, pCampo, d);
}

bool CEditorPractica::PonerReaccion(int32_t n, int32_t CReacciones::*pCampo, int32_t v) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, n);
    if (r) {
        Anotar();
        (*r).*pCampo = std::clamp(v, 0, 1);
    }
    return r != nullptr;
}

bool CEditorPractica::PonerCatalizador(int32_t nReaccion, int32_t nComponente) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, nReaccion);
    if (!r)
        return false;
    Anotar();
    r->m_nCatalizador = Catalogo().Componente(nComponente) ? nComponente : Ninguno();
    return true;
}

bool CEditorPractica::PonerReversible(int32_t n, double CReversibleDatos::*pCampo, double d) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, n);
    if (r) {
        Anotar();
        r->m_reversible.*pCampo = d;
    }
    return r != nullptr;
}

bool CEditorPractica::PonerFueraDeQ(int32_t n, bool bProducto, int k, bool bFuera) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, n);
    if (!r || k < 0 || k > 2)
        return false;
    Anotar();
    const int32_t nBit = 1 << (bProducto ? 3 + k : k);
    r->m_reversible.m_nFueraDeQ =
        bFuera ? r->m_reversible.m_nFueraDeQ | nBit : r->m_reversible.m_nFueraDeQ & ~nBit;
    return true;
}

bool CEditorPractica::PonerCinetica(int32_t n, double CCineticaDatos::*pCampo, double d) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, n);
    if (r) {
        Anotar();
        r->m_cinetica.*pCampo = d;
    }
    return r != nullptr;
}

bool CEditorPractica::PonerOrden(int32_t n, int k, double d) {
    CReacciones* r = Entrada(Catalogo().m_reacciones, n);
    if (!r || k < 0 || k > 2)
        return false;
    Anotar();
    r->m_cinetica.m_dOrden[static_cast<size_t>(k)] = d;
    return true;
}

bool CEditorPractica::PonerForma(int32_t nComponente, int32_t nForma) {
    CComponentes* c = Entrada(Catalogo().m_componentes, nComponente);
    if (!c || nForma < FORMA_NINGUNA || nForma > FORMA_CINTA)
        return false;
    Anotar();
    if (nForma == FORMA_NINGUNA)
        c->m_superficie = {};
    else if (!c->m_superficie.Tiene())
        c->m_superficie = {nForma, Cinetica::FactorSugerido(nForma)};
    else
        c->m_superficie.m_nForma = nForma;
    return true;
}

bool CEditorPractica::PonerFactorSuperficie(int32_t nComponente, double d) {
    CComponentes* c = Entrada(Catalogo().m_componentes, nComponente);
    if (!c || !c->m_superficie.Tiene())
        return false;
    Anotar();
    c->m_superficie.m_dFactor = d;
    return true;
}

int32_t CEditorPractica::AgregarIndicador() {
    const int32_t nId = IdNuevo(Catalogo().m_indicadores);
    Anotar();
    CIndicadores& d = Catalogo().m_indicadores.emplace_back();
    d.m_nId = nId;
    d.m_strNombre = "Indicador nuevo";
    d.m_nComponente = -1;
    d.m_strTexto.assign("pH");
    d.m_crColorBajo = RGBColor(255, 255, 0);
    d.m_dLimiteBajo = 6.0;
    d.m_crColorAlto = RGBColor(0, 0, 255);
    d.m_dLimiteAlto = 8.0;
    return Catalogo().NumIndicadores() - 1;
}

bool CEditorPractica::EliminarIndicador(int32_t n, QString* pstrError) {
    const CIndicadores* pd = Catalogo().Indicador(n);
    if (!pd)
        return false;
    if (MesaUsaIndicador(m_pCopia->m_listaEquipo, n)) {
        Mensaje(pstrError, QStringLiteral("No se puede eliminar «%1»: lo usa el contenido de la "
                                          "mesa inicial.")
                               .arg(Q(pd->m_strNombre)));
        return false;
    }
    Anotar();
    Catalogo().m_indicadores.erase(Catalogo().m_indicadores.begin() + n);
    CambiarFases(m_pCopia->m_listaEquipo, [&](CFase& f) {
        for (int32_t& m : f.m_listaIndicadores)
            if (m > n)
                --m;
    });
    for (int32_t& m : m_mapaIndicadores)
        if (m == n)
            m = -1;
        else if (m > n)
            --m;
    return true;
}

bool CEditorPractica::PonerIndicador(int32_t n, std::string CIndicadores::*pCampo,
                                     const std::string& s) {
    if (!Catalogo().Indicador(n))
        return false;
    Anotar(ClaveDe(pCampo, n));
    return Poner(Catalogo().m_indicadores, n, pCampo, s);
}

bool CEditorPractica::PonerIndicador(int32_t n, double CIndicadores::*pCampo, double v) {
    if (!Catalogo().Indicador(n))
        return false;
    Anotar();
    return Poner(Catalogo().m_indicadores, n, pCampo, v);
}

bool CEditorPractica::PonerIndicador(int32_t n, COLORREF CIndicadores::*pCampo, COLORREF c) {
    if (!Catalogo().Indicador(n))
        return false;
    Anotar();
    return Poner(Catalogo().m_indicadores, n, pCampo, c);
}

bool CEditorPractica::PonerSigue(int32_t nIndicador, int32_t nComponente) {
    CIndicadores* d = Entrada(Catalogo().m_indicadores, nIndicador);
    if (!d)
        return false;
    Anotar();
    const CComponentes* k = Catalogo().Componente(nComponente);
    d->m_nComponente = k ? nComponente : -1;
    d->m_strTexto = k ? k->m_strNombre : std::string("pH");
    return true;
}

bool CEditorPractica::PonerPKaIndicador(int32_t n, int k, std::optional<double> d) {
    CIndicadores* i = Entrada(Catalogo().m_indicadores, n);
    if (!i)
        return false;
    if (k < 0 || k > 2)
        return false;
    Anotar();
    CIndicadorDatos& f = i->m_acidoBase;
    const bool bSinColores = !f.Tiene() && f.m_crFormas == std::array<COLORREF, 4>{};
    if (!PonerPaso(f.m_pKa, f.m_nTransiciones, k, d))
        return false;
    if (bSinColores && f.Tiene()) {
        f.m_crFormas[0] = i->m_crColorBajo;
        f.m_crFormas[1] = i->m_crColorAlto;
    }
    return true;
}

bool CEditorPractica::PonerColorForma(int32_t n, int k, COLORREF c) {
    CIndicadores* i = Entrada(Catalogo().m_indicadores, n);
    if (!i || k < 0 || k > 3)
        return false;
    Anotar();
    i->m_acidoBase.m_crFormas[static_cast<size_t>(k)] = c;
    return true;
}

bool CEditorPractica::UsarMesa(const CPractica& actual, QString* pstrError) {
    std::unique_ptr<CPractica> pMesa = actual.Copia(pstrError);
    if (!pMesa)
        return false;
    // The bench refers to the substances and indicators of the practice it was made in;
    // they are looked up where the editor has them now.
    std::vector<int32_t> mapaComponentes = m_mapaComponentes;
    std::vector<int32_t> mapaIndicadores = m_mapaIndicadores;
    if (&actual != m_pOrigen) {
        const CCatalogo& cat = actual.m_catalogo;
        mapaComponentes.assign(static_cast<size_t>(cat.NumComponentes()), -1);
        for (int32_t i = 0; i < cat.NumComponentes(); ++i)
            for (int32_t j = 0; j < Catalogo().NumComponentes(); ++j)
                if (Catalogo().m_componentes[static_cast<size_t>(j)].m_strNombre ==
                    cat.m_componentes[static_cast<size_t>(i)].m_strNombre) {
                    mapaComponentes[static_cast<size_t>(i)] = j;
                    break;
                }
        mapaIndicadores.assign(static_cast<size_t>(cat.NumIndicadores()), -1);
        for (int32_t i = 0; i < cat.NumIndicadores(); ++i) {
            const int32_t j =
                Catalogo().BuscarIndicador(cat.m_indicadores[static_cast<size_t>(i)].m_strNombre);
            if (j < Catalogo().NumIndicadores())
                mapaIndicadores[static_cast<size_t>(i)] = j;
        }
    }
    QString strFalta;
    CambiarFases(pMesa->m_listaEquipo, [&](CFase& f) {
        for (CContenido& c : f.m_listaContenido) {
            const int32_t n = c.m_nComponente;
            const bool bHay = n >= 0 && n < static_cast<int32_t>(mapaComponentes.size()) &&
                              mapaComponentes[static_cast<size_t>(n)] >= 0;
            if (!bHay) {
                if (strFalta.isEmpty())
                    strFalta = pMesa->m_catalogo.Componente(n)
                                   ? Q(pMesa->m_catalogo.Componente(n)->m_strNombre)
                                   : QStringLiteral("una sustancia");
                continue;
            }
            c.m_nComponente = mapaComponentes[static_cast<size_t>(n)];
        }
        for (int32_t& m : f.m_listaIndicadores) {
            const bool bHay = m >= 0 && m < static_cast<int32_t>(mapaIndicadores.size()) &&
                              mapaIndicadores[static_cast<size_t>(m)] >= 0;
            if (!bHay) {
                if (strFalta.isEmpty())
                    strFalta = pMesa->m_catalogo.Indicador(m)
                                   ? Q(pMesa->m_catalogo.Indicador(m)->m_strNombre)
                                   : QStringLiteral("un indicador");
                continue;
            }
            m = mapaIndicadores[static_cast<size_t>(m)];
        }
    });
    if (!strFalta.isEmpty()) {
        Mensaje(pstrError, QStringLiteral("La mesa actual contiene «%1», que no está en la "
                                          "práctica editada: no puede ser la mesa inicial.")
                               .arg(strFalta));
        return false;
    }
    m_pCopia->m_listaEquipo.Limpiar();
    m_pCopia->m_listaEquipo.Intercambiar(pMesa->m_listaEquipo);
    OlvidarHistorial();
    return true;
}

void CEditorPractica::QuitarMesa() {
    m_pCopia->m_listaEquipo.Limpiar();
    OlvidarHistorial();
}

std::vector<uint8_t> CEditorPractica::Bytes() const {
    if (!TieneMesa())
        return BytesPlantilla();
    try {
        return m_pCopia->EscribirPractica();
    } catch (const CErrorArchivo&) {
        return {};
    }
}

std::vector<uint8_t> CEditorPractica::BytesPlantilla() const {
    // A template names components by identifier: every one needs its own, other than 0
    // (which stands for "none" in a template).
    CCatalogo cat = Catalogo();
    std::vector<int32_t> vistos;
    int32_t nSiguiente = IdNuevo(cat.m_componentes);
    for (CComponentes& c : cat.m_componentes) {
        if (c.m_nId <= 0 || std::find(vistos.begin(), vistos.end(), c.m_nId) != vistos.end())
            c.m_nId = nSiguiente++;
        vistos.push_back(c.m_nId);
    }
    auto id = [&cat](int32_t n) { return cat.Componente(n) ? cat.Componente(n)->m_nId : 0; };
    for (CReacciones& r : cat.m_reacciones) {
        for (int k = 0; k < 3; ++k) {
            r.m_nReactivo[k] = id(r.m_nReactivo[k]);
            r.m_nProducto[k] = id(r.m_nProducto[k]);
        }
        r.m_nCatalizador = id(r.m_nCatalizador);
    }
    for (CReactivos& r : cat.m_reactivos)
        for (CContenido& e : r.m_listaComposicion)
            e.m_nComponente = id(e.m_nComponente);
    for (CIndicadores& d : cat.m_indicadores)
        d.m_nComponente = d.m_nComponente == -1 ? 0 : id(d.m_nComponente);
    const CPractica& p = *m_pCopia;
    try {
        CArchivo ar;
        ar << p.m_strPractica << p.m_strResumen << std::string(CPractica::kFirma);
        cat.Escribir(ar);
        ar << p.m_strMarcoTeorico << p.m_strProcedimiento << p.m_strResultados << p.m_strAutor
           << p.m_strExtra;
        ar << p.m_dtFecha << p.m_bVelocidad << p.m_bPropiedades;
        CExtension ext = CExtension::Tomar(p.m_strPractica, p.m_strResumen, p.m_strAutor,
                                           p.m_strExtra, cat, nullptr);
        ext.m_automatico = p.m_registro.m_automatico;
        CPractica::EscribirExtensionPlantilla(ar, ext);
        return ar.Datos();
    } catch (const CErrorArchivo&) {
        return {};
    }
}

bool CEditorPractica::Aplicar(CPractica& destino, QString* pstrError) const {
    const std::vector<Validacion::Problema> v = Problemas();
    if (!v.empty()) {
        Mensaje(pstrError, Validacion::Texto(v));
        return false;
    }
    std::vector<uint8_t> datos;
    try {
        datos = m_pCopia->EscribirPractica();
    } catch (const CErrorArchivo&) {
        Mensaje(pstrError, QStringLiteral("La práctica contiene un valor numérico no válido."));
        return false;
    }
    return destino.LeerPractica(datos, Q(m_pCopia->m_strPractica), pstrError) ==
           CPractica::Resultado::Correcto;
}

QString CEditorPractica::TextoFase(int32_t nFase) {
    switch (nFase) {
    case FASE_IONIZADA:
        return QStringLiteral("ac");
    case FASE_SOLIDA:
        return QStringLiteral("s");
    case FASE_LIQUIDA:
        return QStringLiteral("l");
    case FASE_GAS:
        return QStringLiteral("g");
    default:
        return QStringLiteral("?");
    }
}

QString CEditorPractica::Ecuacion(const CCatalogo& cat, const CReacciones& r) {
    auto lado = [&](bool bProducto) {
        QStringList partes;
        for (int k = 0; k < 3; ++k) {
            if (!Validacion::RanuraUsada(r, cat, bProducto, k))
                continue;
            const CComponentes& c =
                *cat.Componente(bProducto ? r.m_nProducto[k] : r.m_nReactivo[k]);
            const int32_t nCoef = bProducto ? r.m_nCoefProducto[k] : r.m_nCoefReactivo[k];
            const int32_t nFase = bProducto ? r.m_nFaseProducto[k] : r.m_nFaseReactivo[k];
            const QString strQue = c.m_strFormula.empty() ? Q(c.m_strNombre) : Q(c.m_strFormula);
            partes << (nCoef == 1 ? QString() : QStringLiteral("%1 ").arg(nCoef)) + strQue +
                          QStringLiteral(" (%1)").arg(TextoFase(nFase));
        }
        return partes.isEmpty() ? QStringLiteral("…") : partes.join(QStringLiteral(" + "));
    };
    return lado(false) + QStringLiteral(" → ") + lado(true);
}
