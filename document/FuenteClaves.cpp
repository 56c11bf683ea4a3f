#include "document/FuenteClaves.h"

#include "document/Plantillas.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>
#include <tuple>

namespace Fuente {

void Valor::Campos(int n, const QString& strQue) const {
    if (m_campos.size() != n)
        Fallo(
            m_strDonde,
            QStringLiteral("%1 tiene %2 campos y hay %3").arg(strQue).arg(n).arg(m_campos.size()));
}

// ---------------------------------------------------------------------------------------
// Naming what a file stores

QString Nombres::Ref(int32_t n) const {
    if (!m_bPractica)
        return QString::number(n);
    const int32_t nCuenta = static_cast<int32_t>(m_cat.m_componentes.size());
    if (n >= 0 && n < nCuenta && Primero(m_cat.m_componentes[n].m_nId) == n)
        return QString::number(m_cat.m_componentes[n].m_nId);
    // No component: the identifier 0, when no component has it, finds none again.
    if (n == nCuenta && Primero(0) == nCuenta)
        return QStringLiteral("0");
    return QStringLiteral("@%1").arg(n);
}

QString Nombres::RefIndicador(int32_t n) const {
    if (m_bPractica ? n == -1 : n == 0)
        return QStringLiteral("0");
    const QString s = Ref(n);
    return s == QLatin1String("0") ? QStringLiteral("@%1").arg(n) : s;
}

std::string Nombres::Nombre(int32_t n) const {
    const int32_t nCuenta = static_cast<int32_t>(m_cat.m_componentes.size());
    const int32_t i = m_bPractica ? n : Primero(n);
    return i >= 0 && i < nCuenta ? m_cat.m_componentes[i].m_strNombre : std::string();
}

int32_t Nombres::Primero(int32_t nId) const {
    for (size_t i = 0; i < m_cat.m_componentes.size(); ++i)
        if (m_cat.m_componentes[i].m_nId == nId)
            return static_cast<int32_t>(i);
    return static_cast<int32_t>(m_cat.m_componentes.size());
}

QString Nombres::EntradaCompleta(const CContenido& e) const {
    return QStringList{Ref(e.m_nComponente),
                       N(e.m_dMoles),
                       N(e.m_dGramos),
                       N(e.m_dMl),
                       QString::number(e.m_bDisuelto),
                       N(e.m_dMolesAnion),
                       N(e.m_dMolesCation),
                       Escapar(e.m_strTexto)}
        .join(QLatin1String(" | "));
}

QString Nombres::Indicadores(const std::list<int32_t>& v) const {
    QStringList ids;
    for (int32_t k : v)
        if (const CIndicadores* p = m_pBanco ? m_pBanco->Indicador(k) : nullptr)
            ids << QString::number(p->m_nId);
    return ids.join(QLatin1String(", "));
}

QString Nombres::Lugar(int32_t n) const {
    const int32_t nCuenta = static_cast<int32_t>(m_cat.m_componentes.size());
    if (n >= 0 && n < nCuenta && Primero(m_cat.m_componentes[n].m_nId) == n)
        return QString::number(m_cat.m_componentes[n].m_nId);
    return QStringLiteral("@%1").arg(n);
}

Entrada LeerEntrada(const QStringList& c, int nPrimero, const QString& strDonde) {
    // ref | moles | grams | ml | dissolved | anions | cations | text
    if (c.size() != nPrimero + 8)
        Fallo(strDonde,
              QStringLiteral("se esperaban %1 campos y hay %2").arg(nPrimero + 8).arg(c.size()));
    Entrada e;
    e.m_strDonde = strDonde;
    e.m_ref = LeerRef(c[nPrimero], strDonde);
    e.m_c.m_dMoles = Cantidad(c[nPrimero + 1], strDonde + QStringLiteral(": moles"));
    e.m_c.m_dGramos = Cantidad(c[nPrimero + 2], strDonde + QStringLiteral(": gramos"));
    e.m_c.m_dMl = Cantidad(c[nPrimero + 3], strDonde + QStringLiteral(": ml"));
    e.m_c.m_bDisuelto = Entero(c[nPrimero + 4], strDonde + QStringLiteral(": disuelto"));
    e.m_c.m_dMolesAnion = Cantidad(c[nPrimero + 5], strDonde + QStringLiteral(": aniones"));
    e.m_c.m_dMolesCation = Cantidad(c[nPrimero + 6], strDonde + QStringLiteral(": cationes"));
    e.m_c.m_strTexto = Desescapar(c[nPrimero + 7], strDonde + QStringLiteral(": texto"));
    e.m_bTexto = true;
    return e;
}

namespace {

QString Traducir(const char* psz) {
    return QCoreApplication::translate("Fuente", psz);
}

bool Igual(double x, double y) {
    return std::memcmp(&x, &y, sizeof x) == 0;
}

// A number that is written only when it is not a positive zero.
bool Cero(double d) {
    return d == 0.0 && !std::signbit(d);
}

QString Unir(const QStringList& v) {
    return v.join(QLatin1String(" | "));
}

// ---------------------------------------------------------------------------------------
// Head

const Clave<Lectura, Crudo> kCabecera[] = {
    {"nombre",
     [](Lectura& l, const Valor& v) {
         l.m_d.m_strNombre = v.Texto();
         l.m_d.m_lineasCabecera[0] = v.m_nLinea;
     },
     [](const Crudo& c, const Nombres&) { return QStringList{Escapar(c.m_strNombre)}; },
     Cuando::Siempre},
    {"resumen",
     [](Lectura& l, const Valor& v) {
         l.m_d.m_strResumen = v.Texto();
         l.m_d.m_lineasCabecera[1] = v.m_nLinea;
     },
     [](const Crudo& c, const Nombres&) { return QStringList{Escapar(c.m_strResumen)}; },
     Cuando::Siempre},
    {"autor",
     [](Lectura& l, const Valor& v) {
         l.m_d.m_strAutor = v.Texto();
         l.m_d.m_lineasCabecera[2] = v.m_nLinea;
     },
     [](const Crudo& c, const Nombres&) { return QStringList{Escapar(c.m_strAutor)}; },
     Cuando::Siempre},
    {"fecha",
     [](Lectura& l, const Valor& v) {
         l.m_d.m_fecha = LeerFecha(v.m_str, v.m_strDonde);
         l.m_d.m_lineasCabecera[3] = v.m_nLinea;
     },
     [](const Crudo& c, const Nombres&) { return QStringList{TextoFecha(c.m_fecha)}; },
     Cuando::Siempre},
    {"extra", [](Lectura& l, const Valor& v) { l.m_d.m_strExtra = v.Texto(); },
     [](const Crudo& c, const Nombres&) { return QStringList{Escapar(c.m_strExtra)}; },
     Cuando::SiNoUsual, [](const Crudo& c, const Nombres&) { return c.m_strExtra.empty(); }},
    {"firma", [](Lectura& l, const Valor& v) { l.m_d.m_strFirma = v.Texto(); },
     [](const Crudo& c, const Nombres&) { return QStringList{Escapar(c.m_strFirma)}; },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) { return c.m_strFirma == CPractica::kFirma; }},
    {"velocidad",
     [](Lectura& l, const Valor& v) { l.m_d.m_bVelocidad = Entero(v.m_str, v.m_strDonde); },
     [](const Crudo& c, const Nombres&) { return QStringList{QString::number(c.m_bVelocidad)}; },
     Cuando::Siempre},
    {"propiedades",
     [](Lectura& l, const Valor& v) { l.m_d.m_bPropiedades = Entero(v.m_str, v.m_strDonde); },
     [](const Crudo& c, const Nombres&) { return QStringList{QString::number(c.m_bPropiedades)}; },
     Cuando::Siempre},
    {"motor",
     [](Lectura& l, const Valor& v) {
         static const char* const kModos[] = {"descrito", "equilibrio", "neutralizacion"};
         for (int32_t n = 0; n < 3; ++n)
             if (v.m_str == QLatin1String(kModos[n])) {
                 l.m_d.m_nMotor = n;
                 return;
             }
         bool bNumero = false;
         const int nModo = v.m_str.toInt(&bNumero);
         if (!bNumero || nModo < MOTOR_DESCRITO || nModo > MOTOR_NEUTRALIZACION)
             Fallo(v.m_strDonde + QStringLiteral(": motor"),
                   Traducir("«%1» no es un modo (0 o descrito, 1 o equilibrio, 2 o "
                            "neutralizacion)")
                       .arg(v.m_str));
         l.m_d.m_nMotor = nModo;
     },
     [](const Crudo& c, const Nombres&) { return QStringList{QString::number(c.m_cat.m_nMotor)}; },
     Cuando::SiNoUsual, [](const Crudo& c, const Nombres&) { return c.m_cat.m_nMotor == 0; }},
    // The room of a practice with heat that behaves (Termica.h): its temperature, whether
    // the vessels exchange heat with it, and the calorimeter's water equivalent.
    {"ambiente",
     [](Lectura& l, const Valor& v) {
         v.Campos(3, QStringLiteral("«ambiente»"));
         CTermicaPractica a;
         const QString strT = v.m_strDonde + QStringLiteral(": temperatura ambiente");
         a.m_dTemperaturaAmbiente = Catalogo(v.m_campos[0], strT);
         if (!(a.m_dTemperaturaAmbiente >= Termica::kAmbienteMinimo &&
               a.m_dTemperaturaAmbiente <= Termica::kAmbienteMaximo))
             Fallo(strT, Traducir("debe estar entre %1 y %2 °C")
                             .arg(Termica::kAmbienteMinimo)
                             .arg(Termica::kAmbienteMaximo));
         a.m_bEnfriamiento =
             EnteroEntre(v.m_campos[1], v.m_strDonde + QStringLiteral(": enfriamiento"), 0, 1) != 0;
         const QString strE = v.m_strDonde + QStringLiteral(": equivalente en agua");
         a.m_dEquivalenteCalorimetro = Catalogo(v.m_campos[2], strE);
         if (!(a.m_dEquivalenteCalorimetro >= 0.0 &&
               a.m_dEquivalenteCalorimetro <= Termica::kEquivalenteMaximo))
             Fallo(strE, Traducir("debe estar entre 0 y %1 g").arg(Termica::kEquivalenteMaximo));
         a.m_bActiva = true;
         l.m_d.m_ambiente = a;
     },
     [](const Crudo& c, const Nombres&) {
         const CTermicaPractica& a = c.m_cat.m_termica;
         return QStringList{
             Unir({N(a.m_dTemperaturaAmbiente), QString::number(a.m_bEnfriamiento ? 1 : 0),
                   N(a.m_dEquivalenteCalorimetro)})};
     },
     Cuando::SiNoUsual, [](const Crudo& c, const Nombres&) { return !c.m_cat.m_termica.Tiene(); }},
    // What the practice records by itself: type codes, the interval, the X axis.
    {"registrar",
     [](Lectura& l, const Valor& v) {
         v.Campos(3, Traducir("el registro automático"));
         CRegistroAutomatico a;
         const QString strDonde = v.m_strDonde + QStringLiteral(": registrar");
         for (const QString& t : v.m_campos[0].split(QLatin1Char(','))) {
             const int32_t n = Entero(t.trimmed(), strDonde);
             if (!CRegistro::TipoRegistrable(n))
                 Fallo(strDonde,
                       Traducir("el equipo de tipo %1 no tiene lectura que registrar").arg(n));
             a.m_tipos.push_back(n);
         }
         std::sort(a.m_tipos.begin(), a.m_tipos.end());
         if (std::adjacent_find(a.m_tipos.begin(), a.m_tipos.end()) != a.m_tipos.end() ||
             a.m_tipos.size() > static_cast<size_t>(CRegistro::kSeriesMaximas))
             Fallo(strDonde,
                   Traducir("tipos repetidos o más de %1").arg(CRegistro::kSeriesMaximas));
         a.m_dIntervalo = NumeroEntre(v.m_campos[1], strDonde + Traducir(": intervalo"),
                                      CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
         if (v.m_campos[2] == QLatin1String("volumen"))
             a.m_bEjeVolumen = true;
         else if (v.m_campos[2] != QLatin1String("tiempo"))
             Fallo(strDonde + Traducir(": eje"),
                   Traducir("«%1» no es un eje (tiempo o volumen)").arg(v.m_campos[2]));
         l.m_d.m_automatico = a;
     },
     [](const Crudo& c, const Nombres&) {
         QStringList tipos;
         for (int32_t t : c.m_automatico.m_tipos)
             tipos << QString::number(t);
         return QStringList{Unir({tipos.join(QLatin1String(", ")), N(c.m_automatico.m_dIntervalo),
                                  c.m_automatico.m_bEjeVolumen ? QStringLiteral("volumen")
                                                               : QStringLiteral("tiempo")})};
     },
     Cuando::SiNoUsual, [](const Crudo& c, const Nombres&) { return c.m_automatico.Vacio(); }},
    // Components of the shared table by their identifiers; the writer gives each one whole.
    {"componentes",
     [](Lectura& l, const Valor& v) {
         if (!l.m_bTabla) {
             if (!l.m_pArchivos->contains(QLatin1String(kComponentes)))
                 Fallo(v.m_strDonde, QStringLiteral("«componentes» necesita %1 junto a la fuente")
                                         .arg(QLatin1String(kComponentes)));
             l.m_d.m_tabla =
                 LeerTabla(QString::fromUtf8(l.m_pArchivos->value(QLatin1String(kComponentes))));
             l.m_bTabla = true;
         }
         for (const QString& id : v.m_str.split(QLatin1Char(','))) {
             const int32_t n = Entero(id, v.m_strDonde);
             if (!l.m_d.m_tabla.contains(n))
                 Fallo(v.m_strDonde, QStringLiteral("componente %1 desconocido").arg(n));
             l.m_d.m_componentes.push_back(
                 {l.m_d.m_tabla.value(n), false, false, false, v.m_nLinea});
         }
     },
     nullptr, Cuando::Nunca},
};

// ---------------------------------------------------------------------------------------
// The chemistry of the equilibrium engine (DatosAcuosos.h): lists of up to three numbers
// separated by ";", and the components the keys name.

// The numbers of a ";" list, nMin to nMax of them, each read as f reads it; the message
// names the field ("pKa2").
template <class T, class F>
std::vector<T> Lista(const QString& s, const QString& strDonde, const char* pszCampo, int nMin,
                     int nMax, F f) {
    const QStringList partes = s.split(QLatin1Char(';'));
    const QString strCampo = QString::fromUtf8(pszCampo);
    if (partes.size() < nMin || partes.size() > nMax)
        Fallo(strDonde + QStringLiteral(": ") + strCampo,
              Traducir("tiene %1 valores y se admiten de %2 a %3")
                  .arg(partes.size())
                  .arg(nMin)
                  .arg(nMax));
    std::vector<T> v;
    for (int i = 0; i < partes.size(); ++i)
        v.push_back(f(partes[i], strDonde + QStringLiteral(": %1%2").arg(strCampo).arg(i + 1)));
    return v;
}

template <size_t n> QString UnirLista(const std::array<double, n>& v, int32_t nUsados) {
    QStringList partes;
    for (int32_t i = 0; i < nUsados && i < static_cast<int32_t>(n); ++i)
        partes << N(v[static_cast<size_t>(i)]);
    return partes.join(QLatin1String("; "));
}

// The component a key names, among those listed so far.
CComponentes& ComponenteNombrado(Lectura& l, const QString& s, const Valor& v) {
    const Ref r = LeerRef(s, v.m_strDonde);
    std::vector<Componente>& lista = l.m_d.m_componentes;
    int32_t i = -1;
    if (r.m_bPosicion) {
        i = r.m_n;
    } else {
        for (size_t k = 0; k < lista.size() && i < 0; ++k)
            if (lista[k].m_c.m_nId == r.m_n)
                i = static_cast<int32_t>(k);
    }
    if (i < 0 || static_cast<size_t>(i) >= lista.size())
        Fallo(v.m_strDonde, Traducir("«%1»: el componente %2 no está en el catálogo (se nombra "
                                     "después de su línea «componente»)")
                                .arg(v.m_strClave, s.trimmed()));
    return lista[static_cast<size_t>(i)].m_c;
}

double PKa(const QString& s, const QString& strDonde) {
    return Catalogo(s, strDonde);
}

void LeerAcidoBase(Lectura& l, const Valor& v) {
    // componente | carga del ácido | protones cedidos | pKa1; pKa2; pKa3 | ΔH1; ΔH2; ΔH3
    const QStringList& c = v.m_campos;
    if (c.size() != 4 && c.size() != 5)
        Fallo(v.m_strDonde,
              Traducir("«acidobase» tiene cuatro o cinco campos y hay %1").arg(c.size()));
    CComponentes& k = ComponenteNombrado(l, c[0], v);
    if (k.m_acidoBase.Tiene())
        Fallo(v.m_strDonde, Traducir("el componente %1 ya tiene «acidobase»").arg(c[0].trimmed()));
    CAcidoBaseDatos a;
    const std::vector<double> pKa =
        Lista<double>(c[3], v.m_strDonde, "pKa", 1, CExtension::kPasosMaximos, PKa);
    a.m_nPasos = static_cast<int32_t>(pKa.size());
    std::copy(pKa.begin(), pKa.end(), a.m_pKa.begin());
    if (c.size() == 5) {
        const std::vector<double> dH =
            Lista<double>(c[4], v.m_strDonde, "ΔH", 1, CExtension::kPasosMaximos, Catalogo);
        if (dH.size() != pKa.size())
            Fallo(v.m_strDonde + QStringLiteral(": ΔH"),
                  Traducir("tiene %1 valores para %2 pKa: debe haber uno por cada pKa")
                      .arg(dH.size())
                      .arg(pKa.size()));
        std::copy(dH.begin(), dH.end(), a.m_dEntalpia.begin());
    }
    a.m_nCargaAcida = EnteroEntre(c[1], v.m_strDonde + QStringLiteral(": carga del ácido"),
                                  -Limites::kCuentaIones, Limites::kCuentaIones);
    a.m_nCedidos =
        EnteroEntre(c[2], v.m_strDonde + QStringLiteral(": protones cedidos"), 0, a.m_nPasos);
    k.m_acidoBase = a;
}

QStringList EscribirAcidoBase(const Crudo& cr, const Nombres& n) {
    QStringList v;
    for (size_t i = 0; i < cr.m_cat.m_componentes.size(); ++i) {
        const CAcidoBaseDatos& a = cr.m_cat.m_componentes[i].m_acidoBase;
        if (!a.Tiene())
            continue;
        QStringList campos{n.Lugar(static_cast<int32_t>(i)), QString::number(a.m_nCargaAcida),
                           QString::number(a.m_nCedidos), UnirLista(a.m_pKa, a.m_nPasos)};
        if (!std::all_of(a.m_dEntalpia.begin(), a.m_dEntalpia.end(), Cero))
            campos << UnirLista(a.m_dEntalpia, a.m_nPasos);
        v << Unir(campos);
    }
    return v;
}

// ---------------------------------------------------------------------------------------
// Solutions and vapours (Vapor.h): a component's particles, solubility points and vapour
// data, and the Wilson energies of a pair.

// The place of the component a key names.
int32_t LugarNombrado(Lectura& l, const QString& s, const Valor& v) {
    const CComponentes* p = &ComponenteNombrado(l, s, v);
    for (size_t k = 0; k < l.m_d.m_componentes.size(); ++k)
        if (&l.m_d.m_componentes[k].m_c == p)
            return static_cast<int32_t>(k);
    return 0;
}

double Acotado(const QString& s, const QString& strDonde, double dMin, double dMax,
               bool bMinimoIncluido = true) {
    const double d = Catalogo(s, strDonde);
    if (!(bMinimoIncluido ? d >= dMin : d > dMin) || !(d <= dMax))
        Fallo(strDonde, Traducir("debe estar entre %1 y %2").arg(dMin).arg(dMax));
    return d;
}

void LeerVantHoff(Lectura& l, const Valor& v) {
    v.Campos(2, QStringLiteral("«vanthoff»"));
    CComponentes& k = ComponenteNombrado(l, v.m_campos[0], v);
    if (k.m_disolucion.m_dVantHoff != 0.0)
        Fallo(v.m_strDonde, Traducir("el componente %1 ya tiene «vanthoff»").arg(v.m_campos[0]));
    k.m_disolucion.m_dVantHoff =
        Acotado(v.m_campos[1], v.m_strDonde + QStringLiteral(": partículas"), 1.0,
                CExtension::kVantHoffMaximo);
}

void LeerSolubilidad(Lectura& l, const Valor& v) {
    // componente | T1; T2; … (°C) | s1; s2; … (g por 100 g de agua)
    v.Campos(3, QStringLiteral("«solubilidad»"));
    CComponentes& k = ComponenteNombrado(l, v.m_campos[0], v);
    if (!k.m_disolucion.m_solubilidad.empty())
        Fallo(v.m_strDonde, Traducir("el componente %1 ya tiene «solubilidad»").arg(v.m_campos[0]));
    const auto t = Lista<double>(v.m_campos[1], v.m_strDonde, "T", 2, CExtension::kPuntosMaximos,
                                 [](const QString& s, const QString& d) {
                                     return Acotado(s, d, CExtension::kTemperaturaMinima,
                                                    CExtension::kTemperaturaMaxima);
                                 });
    const auto g = Lista<double>(v.m_campos[2], v.m_strDonde, "g", 2, CExtension::kPuntosMaximos,
                                 [](const QString& s, const QString& d) {
                                     return Acotado(s, d, 0.0, Limites::kValorCatalogo);
                                 });
    if (g.size() != t.size())
        Fallo(v.m_strDonde + QStringLiteral(": g"),
              Traducir("tiene %1 valores para %2 temperaturas: debe haber uno por cada una")
                  .arg(g.size())
                  .arg(t.size()));
    for (size_t i = 0; i < t.size(); ++i) {
        if (i > 0 && !(t[i] > t[i - 1]))
            Fallo(v.m_strDonde + QStringLiteral(": T%1").arg(i + 1),
                  Traducir("las temperaturas deben ir de menor a mayor"));
        k.m_disolucion.m_solubilidad.push_back({t[i], g[i]});
    }
}

void LeerVapor(Lectura& l, const Valor& v) {
    // componente | A; B; C (Antoine: log10(p/bar) = A - B/(T/K + C)) | volumen molar (cm3/mol)
    v.Campos(3, QStringLiteral("«vapor»"));
    CComponentes& k = ComponenteNombrado(l, v.m_campos[0], v);
    if (k.m_disolucion.TieneVapor())
        Fallo(v.m_strDonde, Traducir("el componente %1 ya tiene «vapor»").arg(v.m_campos[0]));
    const auto abc = Lista<double>(v.m_campos[1], v.m_strDonde, "Antoine", 3, 3, Catalogo);
    const QString strDonde = v.m_strDonde + QStringLiteral(": Antoine");
    if (!(abc[1] > 0.0) || !(abc[1] <= CExtension::kAntoineBMaxima))
        Fallo(strDonde + QStringLiteral("2"),
              Traducir("debe ser mayor que 0 y no pasar de %1").arg(CExtension::kAntoineBMaxima));
    if (!(std::fabs(abc[2]) <= CExtension::kAntoineCMaxima))
        Fallo(strDonde + QStringLiteral("3"), Traducir("debe estar entre %1 y %2")
                                                  .arg(-CExtension::kAntoineCMaxima)
                                                  .arg(CExtension::kAntoineCMaxima));
    k.m_disolucion.m_antoine = {abc[0], abc[1], abc[2]};
    k.m_disolucion.m_dVolumenMolar =
        Acotado(v.m_campos[2], v.m_strDonde + QStringLiteral(": volumen molar"), 0.0,
                CExtension::kVolumenMolarMaximo, false);
}

void LeerWilson(Lectura& l, const Valor& v) {
    // componente a | componente b | energía a-b | energía b-a (J/mol)
    v.Campos(4, QStringLiteral("«wilson»"));
    int32_t a = LugarNombrado(l, v.m_campos[0], v);
    int32_t b = LugarNombrado(l, v.m_campos[1], v);
    if (a == b)
        Fallo(v.m_strDonde, Traducir("«wilson» necesita dos componentes distintos"));
    double ab = Acotado(v.m_campos[2], v.m_strDonde + QStringLiteral(": energía 1"),
                        -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima);
    double ba = Acotado(v.m_campos[3], v.m_strDonde + QStringLiteral(": energía 2"),
                        -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima);
    if (a > b) {
        std::swap(a, b);
        std::swap(ab, ba);
    }
    for (const CParVapor& p : l.m_d.m_paresVapor)
        if (p.m_nA == a && p.m_nB == b)
            Fallo(v.m_strDonde, Traducir("el par %1, %2 ya tiene «wilson»")
                                    .arg(v.m_campos[0].trimmed(), v.m_campos[1].trimmed()));
    auto& pares = l.m_d.m_paresVapor;
    const CParVapor nuevo{a, b, ab, ba};
    pares.insert(std::upper_bound(pares.begin(), pares.end(), nuevo,
                                  [](const CParVapor& x, const CParVapor& y) {
                                      return std::tie(x.m_nA, x.m_nB) < std::tie(y.m_nA, y.m_nB);
                                  }),
                 nuevo);
}

// One line per component that has the data f reads.
template <class F> QStringList PorComponente(const Crudo& cr, const Nombres& n, F f) {
    QStringList v;
    for (size_t i = 0; i < cr.m_cat.m_componentes.size(); ++i) {
        const CDisolucionDatos& d = cr.m_cat.m_componentes[i].m_disolucion;
        QStringList campos = f(d);
        if (!campos.isEmpty())
            v << Unir(QStringList{n.Lugar(static_cast<int32_t>(i))} + campos);
    }
    return v;
}

// The forms a solid may be offered in, by their codes (FORMA_POLVO ...).
const char* const kFormas[] = {"polvo", "trozos", "cinta"};

void LeerSuperficie(Lectura& l, const Valor& v) {
    // componente | forma | factor
    const QStringList& c = v.m_campos;
    if (c.size() != 2 && c.size() != 3)
        Fallo(v.m_strDonde,
              Traducir("«superficie» tiene dos o tres campos y hay %1").arg(c.size()));
    CComponentes& k = ComponenteNombrado(l, c[0], v);
    if (k.m_superficie.Tiene())
        Fallo(v.m_strDonde, Traducir("el componente %1 ya tiene «superficie»").arg(c[0].trimmed()));
    QString strForma = c[1].trimmed();
    if (strForma == QLatin1String("granulado"))
        strForma = QStringLiteral("trozos");
    const auto* p =
        std::find_if(std::begin(kFormas), std::end(kFormas),
                     [&strForma](const char* psz) { return strForma == QLatin1String(psz); });
    if (p == std::end(kFormas))
        Fallo(v.m_strDonde + QStringLiteral(": forma"),
              Traducir("«%1» no es una forma (polvo, trozos, granulado o cinta)").arg(strForma));
    CSuperficieDatos f;
    f.m_nForma = FORMA_POLVO + static_cast<int32_t>(p - std::begin(kFormas));
    f.m_dFactor = Cinetica::FactorSugerido(f.m_nForma);
    if (c.size() == 3) {
        const QString strDonde = v.m_strDonde + QStringLiteral(": factor");
        f.m_dFactor = NumeroEntre(c[2], strDonde, 0.0, CExtension::kSuperficieMaxima);
        if (!(f.m_dFactor > 0.0))
            Fallo(strDonde, Traducir("debe ser mayor que 0"));
    }
    k.m_superficie = f;
}

QStringList EscribirSuperficie(const Crudo& cr, const Nombres& n) {
    QStringList v;
    for (size_t i = 0; i < cr.m_cat.m_componentes.size(); ++i) {
        const CSuperficieDatos& f = cr.m_cat.m_componentes[i].m_superficie;
        if (!f.Tiene() || f.m_nForma < FORMA_POLVO || f.m_nForma > FORMA_CINTA)
            continue;
        QStringList campos{n.Lugar(static_cast<int32_t>(i)),
                           QLatin1String(kFormas[f.m_nForma - FORMA_POLVO])};
        if (!Igual(f.m_dFactor, Cinetica::FactorSugerido(f.m_nForma)))
            campos << N(f.m_dFactor);
        v << Unir(campos);
    }
    return v;
}

template <class F> bool NingunComponente(const Crudo& c, F f) {
    return std::none_of(c.m_cat.m_componentes.begin(), c.m_cat.m_componentes.end(),
                        [&f](const CComponentes& k) { return f(k.m_disolucion); });
}

QString UnirNumeros(const std::vector<double>& v) {
    QStringList partes;
    for (double d : v)
        partes << N(d);
    return partes.join(QLatin1String("; "));
}

const Clave<Lectura, Crudo> kCatalogo[] = {
    {"termica",
     [](Lectura& l, const Valor& v) {
         // componente | ΔH de disolución | ΔH de fusión, kJ/mol
         v.Campos(3, QStringLiteral("«termica»"));
         CComponentes& k = ComponenteNombrado(l, v.m_campos[0], v);
         if (k.m_termica.Tiene())
             Fallo(v.m_strDonde,
                   Traducir("el componente %1 ya tiene «termica»").arg(v.m_campos[0].trimmed()));
         CTermicaDatos t;
         const QString strD = v.m_strDonde + QStringLiteral(": ΔH de disolución");
         const QString strF = v.m_strDonde + QStringLiteral(": ΔH de fusión");
         t.m_dDisolucion = Catalogo(v.m_campos[1], strD);
         t.m_dFusion = Catalogo(v.m_campos[2], strF);
         if (!(std::fabs(t.m_dDisolucion) <= Termica::kEntalpiaMaxima))
             Fallo(strD,
                   Traducir("debe estar entre -%1 y %1 kJ/mol").arg(Termica::kEntalpiaMaxima));
         if (!(t.m_dFusion >= 0.0 && t.m_dFusion <= Termica::kEntalpiaMaxima))
             Fallo(strF, Traducir("debe estar entre 0 y %1 kJ/mol").arg(Termica::kEntalpiaMaxima));
         if (!t.Tiene())
             Fallo(v.m_strDonde, Traducir("«termica» sin ningún calor: quite la línea"));
         k.m_termica = t;
     },
     [](const Crudo& c, const Nombres& n) {
         QStringList v;
         for (size_t i = 0; i < c.m_cat.m_componentes.size(); ++i)
             if (const CTermicaDatos& t = c.m_cat.m_componentes[i].m_termica; t.Tiene())
                 v << Unir({n.Lugar(static_cast<int32_t>(i)), N(t.m_dDisolucion), N(t.m_dFusion)});
         return v;
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return std::none_of(c.m_cat.m_componentes.begin(), c.m_cat.m_componentes.end(),
                             [](const CComponentes& k) { return k.m_termica.Tiene(); });
     }},
    {"acidobase", LeerAcidoBase, EscribirAcidoBase, Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return std::none_of(c.m_cat.m_componentes.begin(), c.m_cat.m_componentes.end(),
                             [](const CComponentes& k) { return k.m_acidoBase.Tiene(); });
     }},
    {"colorconcentracion",
     [](Lectura& l, const Valor& v) {
         v.Campos(2, QStringLiteral("«colorconcentracion»"));
         CComponentes& k = ComponenteNombrado(l, v.m_campos[0], v);
         if (k.m_dConcentracionColor != 0.0)
             Fallo(v.m_strDonde,
                   Traducir("el componente %1 ya tiene «colorconcentracion»").arg(v.m_campos[0]));
         const QString strDonde = v.m_strDonde + QStringLiteral(": molaridad");
         const double d = Catalogo(v.m_campos[1], strDonde);
         if (!(d > 0.0))
             Fallo(strDonde, Traducir("debe ser mayor que 0"));
         k.m_dConcentracionColor = d;
     },
     [](const Crudo& c, const Nombres& n) {
         QStringList v;
         for (size_t i = 0; i < c.m_cat.m_componentes.size(); ++i)
             if (const double d = c.m_cat.m_componentes[i].m_dConcentracionColor; d != 0.0)
                 v << Unir({n.Lugar(static_cast<int32_t>(i)), N(d)});
         return v;
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return std::none_of(c.m_cat.m_componentes.begin(), c.m_cat.m_componentes.end(),
                             [](const CComponentes& k) { return k.m_dConcentracionColor != 0.0; });
     }},
    {"vanthoff", LeerVantHoff,
     [](const Crudo& c, const Nombres& n) {
         return PorComponente(c, n, [](const CDisolucionDatos& d) {
             return d.m_dVantHoff != 0.0 ? QStringList{N(d.m_dVantHoff)} : QStringList{};
         });
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return NingunComponente(c, [](const CDisolucionDatos& d) { return d.m_dVantHoff != 0.0; });
     }},
    {"solubilidad", LeerSolubilidad,
     [](const Crudo& c, const Nombres& n) {
         return PorComponente(c, n, [](const CDisolucionDatos& d) {
             if (d.m_solubilidad.empty())
                 return QStringList{};
             std::vector<double> t, g;
             for (const auto& q : d.m_solubilidad) {
                 t.push_back(q[0]);
                 g.push_back(q[1]);
             }
             return QStringList{UnirNumeros(t), UnirNumeros(g)};
         });
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return NingunComponente(
             c, [](const CDisolucionDatos& d) { return !d.m_solubilidad.empty(); });
     }},
    {"vapor", LeerVapor,
     [](const Crudo& c, const Nombres& n) {
         return PorComponente(c, n, [](const CDisolucionDatos& d) {
             if (!d.TieneVapor())
                 return QStringList{};
             return QStringList{UnirNumeros({d.m_antoine[0], d.m_antoine[1], d.m_antoine[2]}),
                                N(d.m_dVolumenMolar)};
         });
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return NingunComponente(c, [](const CDisolucionDatos& d) { return d.TieneVapor(); });
     }},
    {"wilson", LeerWilson,
     [](const Crudo& c, const Nombres& n) {
         QStringList v;
         for (const CParVapor& p : c.m_cat.m_paresVapor)
             v << Unir({n.Lugar(p.m_nA), n.Lugar(p.m_nB), N(p.m_dAB), N(p.m_dBA)});
         return v;
     },
     Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) { return c.m_cat.m_paresVapor.empty(); }},
    {"superficie", LeerSuperficie, EscribirSuperficie, Cuando::SiNoUsual,
     [](const Crudo& c, const Nombres&) {
         return std::none_of(c.m_cat.m_componentes.begin(), c.m_cat.m_componentes.end(),
                             [](const CComponentes& k) { return k.m_superficie.Tiene(); });
     }},
};

// ---------------------------------------------------------------------------------------
// Component

// The 22 fields of a component, each with the name a message gives it so that a wrong one
// is found in the long line.
struct CampoComponente {
    const char* m_pszNombre;
    void (*m_leer)(CComponentes&, const QString&, const QString& strDonde);
    QString (*m_escribir)(const CComponentes&);
};

using namespace Limites;

const CampoComponente kCamposComponente[22] = {
    {"id", [](CComponentes& k, const QString& s, const QString& d) { k.m_nId = Entero(s, d); },
     [](const CComponentes& k) { return QString::number(k.m_nId); }},
    {"nombre",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_strNombre = Desescapar(s, d); },
     [](const CComponentes& k) { return Escapar(k.m_strNombre); }},
    {"fórmula",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_strFormula = Desescapar(s, d); },
     [](const CComponentes& k) { return Escapar(k.m_strFormula); }},
    {"masa molar",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_dMasaMolar = Catalogo(s, d); },
     [](const CComponentes& k) { return N(k.m_dMasaMolar); }},
    {"densidad",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_dDensidad = Catalogo(s, d); },
     [](const CComponentes& k) { return N(k.m_dDensidad); }},
    {"calor específico",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dCalorEspecifico = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dCalorEspecifico); }},
    {"color",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_crColor = Color(s, d); },
     [](const CComponentes& k) { return Hex(k.m_crColor); }},
    {"estado",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nEstado = EnteroEntre(s, d, ESTADO_SOLIDO, ESTADO_NINGUNO);
     },
     [](const CComponentes& k) { return QString::number(k.m_nEstado); }},
    {"constante",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_dConstante = Catalogo(s, d); },
     [](const CComponentes& k) { return N(k.m_dConstante); }},
    {"fusión",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_dPuntoFusion = Catalogo(s, d); },
     [](const CComponentes& k) { return N(k.m_dPuntoFusion); }},
    {"ebullición",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dPuntoEbullicion = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dPuntoEbullicion); }},
    {"catión",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_strCation = Desescapar(s, d); },
     [](const CComponentes& k) { return Escapar(k.m_strCation); }},
    {"cationes",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nCantidadCation = EnteroEntre(s, d, 0, kCuentaIones);
     },
     [](const CComponentes& k) { return QString::number(k.m_nCantidadCation); }},
    {"carga del catión",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nSignoCation = EnteroEntre(s, d, -kCuentaIones, kCuentaIones);
     },
     [](const CComponentes& k) { return QString::number(k.m_nSignoCation); }},
    {"anión",
     [](CComponentes& k, const QString& s, const QString& d) { k.m_strAnion = Desescapar(s, d); },
     [](const CComponentes& k) { return Escapar(k.m_strAnion); }},
    {"aniones",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nCantidadAnion = EnteroEntre(s, d, 0, kCuentaIones);
     },
     [](const CComponentes& k) { return QString::number(k.m_nCantidadAnion); }},
    {"carga del anión",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nSignoAnion = EnteroEntre(s, d, -kCuentaIones, kCuentaIones);
     },
     [](const CComponentes& k) { return QString::number(k.m_nSignoAnion); }},
    {"solubilidad 1",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dSolubilidad1 = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dSolubilidad1); }},
    {"temperatura 1",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dTemperatura1 = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dTemperatura1); }},
    {"solubilidad 2",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dSolubilidad2 = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dSolubilidad2); }},
    {"temperatura 2",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_dTemperatura2 = Catalogo(s, d);
     },
     [](const CComponentes& k) { return N(k.m_dTemperatura2); }},
    {"textura",
     [](CComponentes& k, const QString& s, const QString& d) {
         k.m_nTextura = EnteroEntre(s, d, 0, kTextura);
     },
     [](const CComponentes& k) { return QString::number(k.m_nTextura); }},
};

// The solubility line a file stores unless the source gives another: none in a template
// (it is drawn again when the template is opened), the drawn one in a saved practice.
bool SolubilidadUsual(const CComponentes& k, const Nombres& n) {
    CComponentes a = k;
    a.m_dPendiente = a.m_dOrdenada = 0.0;
    if (n.Practica())
        a.AjustarSolubilidad();
    return Igual(a.m_dPendiente, k.m_dPendiente) && Igual(a.m_dOrdenada, k.m_dOrdenada);
}

const Clave<Componente, CComponentes> kClavesComponente[] = {
    {"descripcion",
     [](Componente& k, const Valor& v) {
         k.m_c.m_strDescripcion = v.Texto();
         k.m_bDescripcion = true;
     },
     [](const CComponentes& k, const Nombres&) { return QStringList{Escapar(k.m_strDescripcion)}; },
     Cuando::SiNoUsual,
     [](const CComponentes& k, const Nombres&) {
         return k.m_strDescripcion == Plantillas::DescripcionRtf(k.m_strFormula);
     }},
    {"pendiente",
     [](Componente& k, const Valor& v) {
         k.m_c.m_dPendiente = Catalogo(v.m_str, v.m_strDonde);
         k.m_bPendiente = true;
     },
     [](const CComponentes& k, const Nombres&) { return QStringList{N(k.m_dPendiente)}; },
     Cuando::SiNoUsual, SolubilidadUsual},
    {"ordenada",
     [](Componente& k, const Valor& v) {
         k.m_c.m_dOrdenada = Catalogo(v.m_str, v.m_strDonde);
         k.m_bOrdenada = true;
     },
     [](const CComponentes& k, const Nombres&) { return QStringList{N(k.m_dOrdenada)}; },
     Cuando::SiNoUsual, SolubilidadUsual},
};

const Bloque<Componente, CComponentes> kComponente = {
    "componente",
    [](Lectura& l, const Valor& v) -> Componente& {
        l.m_d.m_componentes.push_back({LeerComponente(v.m_campos, v.m_strDonde)});
        l.m_d.m_componentes.back().m_nLinea = v.m_nLinea;
        return l.m_d.m_componentes.back();
    },
    [](const CComponentes& k, const Nombres&) {
        QStringList v;
        for (const CampoComponente& c : kCamposComponente)
            v << c.m_escribir(k);
        return Unir(v);
    },
    "un componente", kClavesComponente};

// ---------------------------------------------------------------------------------------
// Reagent

// A composition of moles alone, each entry named as its component, goes on the reagent's
// line as "moles x componente; …"; any other is given entry by entry.
bool Corta(const CReactivos& r, const Nombres& n) {
    for (const CContenido& e : r.m_listaComposicion)
        if (!(e.m_bDisuelto == 0 && e.m_dGramos == 0.0 && e.m_dMl == 0.0 &&
              e.m_dMolesAnion == 0.0 && e.m_dMolesCation == 0.0 &&
              e.m_strTexto == n.Nombre(e.m_nComponente) && !std::signbit(e.m_dMoles)))
            return false;
    return true;
}

Reactivo& LeerReactivo(Lectura& l, const Valor& v) {
    v.Campos(4, QStringLiteral("un reactivo"));
    const QStringList& c = v.m_campos;
    Reactivo& r = l.m_d.m_reactivos.emplace_back();
    r.m_nLinea = v.m_nLinea;
    r.m_r.m_strNombre = Desescapar(c[0], v.m_strDonde);
    r.m_r.m_nEstado = Palabra(c[1], "solido", "liquido", v.m_strDonde);
    r.m_r.m_bPorProporcion = Palabra(c[2], "litro", "proporcion", v.m_strDonde);
    if (c[3].isEmpty())
        return r;
    for (const QString& parte : c[3].split(QLatin1Char(';'))) {
        const QStringList mx = parte.split(QLatin1Char('x'));
        if (mx.size() != 2)
            Fallo(v.m_strDonde, QStringLiteral("composición no válida «%1» (moles x componente)")
                                    .arg(parte.trimmed()));
        Entrada e;
        e.m_strDonde = v.m_strDonde;
        e.m_ref = LeerRef(mx[1], v.m_strDonde);
        e.m_c.m_dMoles = Cantidad(mx[0], v.m_strDonde);
        r.m_entradas.push_back(e);
    }
    return r;
}

QString EscribirReactivo(const CReactivos& r, const Nombres& n) {
    QStringList partes;
    for (const CContenido& e : r.m_listaComposicion)
        partes << QStringLiteral("%1 x %2").arg(N(e.m_dMoles), n.Ref(e.m_nComponente));
    const QString estado = r.m_nEstado == 0   ? QStringLiteral("solido")
                           : r.m_nEstado == 1 ? QStringLiteral("liquido")
                                              : QString::number(r.m_nEstado);
    const QString medida = r.m_bPorProporcion == 0   ? QStringLiteral("litro")
                           : r.m_bPorProporcion == 1 ? QStringLiteral("proporcion")
                                                     : QString::number(r.m_bPorProporcion);
    return Unir({Escapar(r.m_strNombre), estado, medida,
                 Corta(r, n) ? partes.join(QLatin1String("; ")) : QString()});
}

const Clave<Reactivo, CReactivos> kClavesReactivo[] = {
    {"entrada",
     [](Reactivo& r, const Valor& v) {
         r.m_entradas.push_back(LeerEntrada(v.m_campos, 0, v.m_strDonde));
     },
     [](const CReactivos& r, const Nombres& n) {
         QStringList v;
         for (const CContenido& e : r.m_listaComposicion)
             v << n.EntradaCompleta(e);
         return v;
     },
     Cuando::SiNoUsual, Corta},
};

const Bloque<Reactivo, CReactivos> kReactivo = {"reactivo", LeerReactivo, EscribirReactivo,
                                                "un reactivo", kClavesReactivo};

// ---------------------------------------------------------------------------------------
// Reaction

// "coef x ref [phase]" slots joined by "+"; an empty field is no slot.
void LeerRanuras(const QString& s, Ref* pRef, int32_t* pnCoef, int32_t* pnFase,
                 const QString& strDonde) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(-?\d+)\s*x\s*(@?-?\d+)\s*\[\s*(-?\d+)\s*\]\s*$)"));
    if (s.trimmed().isEmpty())
        return;
    const QStringList partes = s.split(QLatin1Char('+'));
    if (partes.size() > 3)
        Fallo(strDonde, QStringLiteral("más de tres ranuras"));
    for (int k = 0; k < partes.size(); ++k) {
        const auto m = re.match(partes[k]);
        if (!m.hasMatch())
            Fallo(strDonde, QStringLiteral("ranura no válida «%1» (coeficiente x componente "
                                           "[fase])")
                                .arg(partes[k].trimmed()));
        pnCoef[k] = EnteroEntre(m.captured(1), strDonde, 0, Limites::kCoeficiente);
        pRef[k] = LeerRef(m.captured(2), strDonde);
        pnFase[k] = Entero(m.captured(3), strDonde);
    }
}

QString EscribirRanuras(const int32_t* pn, const int32_t* pnCoef, const int32_t* pnFase,
                        const Nombres& n) {
    QStringList v;
    for (int k = 0; k < 3; ++k)
        v << QStringLiteral("%1 x %2 [%3]").arg(pnCoef[k]).arg(n.Ref(pn[k])).arg(pnFase[k]);
    // Empty slots at the end are the usual ones.
    while (!v.isEmpty() && v.back() == QLatin1String("0 x 0 [0]"))
        v.removeLast();
    return v.join(QLatin1String(" + "));
}

Reaccion& LeerReaccion(Lectura& l, const Valor& v) {
    v.Campos(4, QStringLiteral("una reacción"));
    const QStringList& c = v.m_campos;
    Reaccion& R = l.m_d.m_reacciones.emplace_back();
    R.m_nLinea = v.m_nLinea;
    R.m_r.m_nId = Entero(c[0], v.m_strDonde);
    R.m_r.m_strTexto1 = Desescapar(c[1], v.m_strDonde);
    R.m_r.m_bSinLimite = 1;
    LeerRanuras(c[2], R.m_reactivos, R.m_r.m_nCoefReactivo, R.m_r.m_nFaseReactivo, v.m_strDonde);
    LeerRanuras(c[3], R.m_productos, R.m_r.m_nCoefProducto, R.m_r.m_nFaseProducto, v.m_strDonde);
    return R;
}

QString EscribirReaccion(const CReacciones& r, const Nombres& n) {
    return Unir({QString::number(r.m_nId), Escapar(r.m_strTexto1),
                 EscribirRanuras(r.m_nReactivo, r.m_nCoefReactivo, r.m_nFaseReactivo, n),
                 EscribirRanuras(r.m_nProducto, r.m_nCoefProducto, r.m_nFaseProducto, n)});
}

// "valor | flag": the flag is given only when it is not the usual one.
int32_t Bandera(const Valor& v, int32_t nUsual) {
    if (v.m_campos.size() > 2)
        Fallo(v.m_strDonde, QStringLiteral("«%1» tiene uno o dos campos").arg(v.m_strClave));
    return v.m_campos.size() == 2 ? Entero(v.m_campos[1], v.m_strDonde) : nUsual;
}

QStringList ConBandera(double d, int32_t nBandera, int32_t nUsual) {
    return {nBandera == nUsual ? N(d) : QStringLiteral("%1 | %2").arg(N(d)).arg(nBandera)};
}

// The slots a reversible reaction leaves out of its quotient, by name.
const char* const kRanuras[6] = {"r1", "r2", "r3", "p1", "p2", "p3"};

void LeerReversible(Reaccion& R, const Valor& v) {
    // K25 | ΔH | rapidez | fuera
    const QStringList& c = v.m_campos;
    if (c.size() < 2 || c.size() > 4)
        Fallo(v.m_strDonde,
              Traducir("«reversible» tiene de dos a cuatro campos y hay %1").arg(c.size()));
    CReversibleDatos r;
    r.m_dK25 = NumeroEntre(c[0], v.m_strDonde + QStringLiteral(": K"), CExtension::kKMinima,
                           CExtension::kKMaxima);
    r.m_dEntalpia = Catalogo(c[1], v.m_strDonde + QStringLiteral(": ΔH"));
    if (c.size() > 2) {
        const QString strDonde = v.m_strDonde + QStringLiteral(": rapidez");
        r.m_dRapidez = NumeroEntre(c[2], strDonde, 0.0, 1.0);
        if (!(r.m_dRapidez > 0.0))
            Fallo(strDonde, Traducir("debe ser mayor que 0"));
    }
    if (c.size() > 3) {
        static const QRegularExpression reBlancos(QStringLiteral("\\s+"));
        for (const QString& s : c[3].split(reBlancos, Qt::SkipEmptyParts)) {
            const auto* p = std::find_if(std::begin(kRanuras), std::end(kRanuras),
                                         [&s](const char* psz) { return s == QLatin1String(psz); });
            if (p == std::end(kRanuras))
                Fallo(v.m_strDonde + QStringLiteral(": fuera"),
                      Traducir("«%1» no es una ranura (r1, r2, r3, p1, p2 o p3)").arg(s));
            r.m_nFueraDeQ |= 1 << (p - std::begin(kRanuras));
        }
    }
    R.m_r.m_reversible = r;
}

QStringList EscribirReversible(const CReacciones& R, const Nombres&) {
    const CReversibleDatos& r = R.m_reversible;
    QStringList campos{N(r.m_dK25), N(r.m_dEntalpia)};
    if (r.m_nFueraDeQ != 0 || !Igual(r.m_dRapidez, 1.0))
        campos << N(r.m_dRapidez);
    QStringList fuera;
    for (int k = 0; k < 6; ++k)
        if (r.m_nFueraDeQ & (1 << k))
            fuera << QLatin1String(kRanuras[k]);
    if (!fuera.isEmpty())
        campos << fuera.join(QLatin1Char(' '));
    return {Unir(campos)};
}

void LeerCinetica(Reaccion& R, const Valor& v) {
    // k | Ea | órdenes | Tref | factor del catalizador
    const QStringList& c = v.m_campos;
    if (c.size() < 3 || c.size() > 5)
        Fallo(v.m_strDonde,
              Traducir("«cinetica» tiene de tres a cinco campos y hay %1").arg(c.size()));
    CCineticaDatos d;
    d.m_dK = NumeroEntre(c[0], v.m_strDonde + QStringLiteral(": k"), CExtension::kCineticaMinima,
                         CExtension::kCineticaMaxima);
    d.m_dEa = NumeroEntre(c[1], v.m_strDonde + QStringLiteral(": Ea"), 0.0, CExtension::kEaMaxima);
    const std::vector<double> o =
        Lista<double>(c[2], v.m_strDonde, "orden", 1, 3, [](const QString& s, const QString& w) {
            return NumeroEntre(s, w, 0.0, CExtension::kOrdenMaximo);
        });
    std::copy(o.begin(), o.end(), d.m_dOrden.begin());
    if (c.size() > 3)
        d.m_dTReferencia =
            NumeroEntre(c[3], v.m_strDonde + QStringLiteral(": temperatura de referencia"),
                        CExtension::kTReferenciaMinima, CExtension::kTReferenciaMaxima);
    if (c.size() > 4)
        d.m_dFactorCatalizador =
            NumeroEntre(c[4], v.m_strDonde + QStringLiteral(": factor del catalizador"),
                        CExtension::kCineticaMinima, CExtension::kCineticaMaxima);
    R.m_r.m_cinetica = d;
}

QStringList EscribirCinetica(const CReacciones& R, const Nombres&) {
    const CCineticaDatos& d = R.m_cinetica;
    int32_t nOrdenes = 3;
    while (nOrdenes > 1 && Cero(d.m_dOrden[static_cast<size_t>(nOrdenes - 1)]))
        --nOrdenes;
    QStringList campos{N(d.m_dK), N(d.m_dEa), UnirLista(d.m_dOrden, nOrdenes)};
    const bool bFactor = !Igual(d.m_dFactorCatalizador, 1.0);
    if (bFactor || !Igual(d.m_dTReferencia, 25.0))
        campos << N(d.m_dTReferencia);
    if (bFactor)
        campos << N(d.m_dFactorCatalizador);
    return {Unir(campos)};
}

const Clave<Reaccion, CReacciones> kClavesReaccion[] = {
    {"texto2", [](Reaccion& R, const Valor& v) { R.m_r.m_strTexto2 = v.Texto(); },
     [](const CReacciones& r, const Nombres&) { return QStringList{Escapar(r.m_strTexto2)}; },
     Cuando::SiNoUsual, [](const CReacciones& r, const Nombres&) { return r.m_strTexto2.empty(); }},
    {"calor", [](Reaccion& R, const Valor& v) { R.m_r.m_dCalor = Catalogo(v.m_str, v.m_strDonde); },
     [](const CReacciones& r, const Nombres&) { return QStringList{N(r.m_dCalor)}; },
     Cuando::SiNoUsual, [](const CReacciones& r, const Nombres&) { return Cero(r.m_dCalor); }},
    {"reservado",
     [](Reaccion& R, const Valor& v) { R.m_r.m_nReservado = Entero(v.m_str, v.m_strDonde); },
     [](const CReacciones& r, const Nombres&) {
         return QStringList{QString::number(r.m_nReservado)};
     },
     Cuando::SiNoUsual, [](const CReacciones& r, const Nombres&) { return r.m_nReservado == 0; }},
    {"tempminima",
     [](Reaccion& R, const Valor& v) {
         R.m_r.m_bTempMinima = Bandera(v, 1);
         R.m_r.m_dTempMinima = Catalogo(v.m_campos[0], v.m_strDonde);
     },
     [](const CReacciones& r, const Nombres&) {
         return ConBandera(r.m_dTempMinima, r.m_bTempMinima, 1);
     },
     Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) {
         return r.m_bTempMinima == 0 && Cero(r.m_dTempMinima);
     }},
    {"limitepaso",
     [](Reaccion& R, const Valor& v) {
         R.m_r.m_bSinLimite = Bandera(v, 0);
         R.m_r.m_dLimitePaso = Catalogo(v.m_campos[0], v.m_strDonde);
     },
     [](const CReacciones& r, const Nombres&) {
         return ConBandera(r.m_dLimitePaso, r.m_bSinLimite, 0);
     },
     Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) {
         return r.m_bSinLimite == 1 && Cero(r.m_dLimitePaso);
     }},
    {"equilibrio",
     [](Reaccion& R, const Valor& v) {
         R.m_r.m_bEquilibrio = Bandera(v, 1);
         R.m_r.m_dConstanteEquilibrio = Catalogo(v.m_campos[0], v.m_strDonde);
     },
     [](const CReacciones& r, const Nombres&) {
         return ConBandera(r.m_dConstanteEquilibrio, r.m_bEquilibrio, 1);
     },
     Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) {
         return r.m_bEquilibrio == 0 && Cero(r.m_dConstanteEquilibrio);
     }},
    {"catalizador",
     [](Reaccion& R, const Valor& v) { R.m_catalizador = LeerRef(v.m_str, v.m_strDonde); },
     [](const CReacciones& r, const Nombres& n) { return QStringList{n.Ref(r.m_nCatalizador)}; },
     Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres& n) {
         return n.Ref(r.m_nCatalizador) == QLatin1String("0");
     }},
    {"limitecatalizado",
     [](Reaccion& R, const Valor& v) {
         R.m_r.m_dLimiteCatalizado = Catalogo(v.m_str, v.m_strDonde);
     },
     [](const CReacciones& r, const Nombres&) { return QStringList{N(r.m_dLimiteCatalizado)}; },
     Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) { return Cero(r.m_dLimiteCatalizado); }},
    {"reversible", LeerReversible, EscribirReversible, Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) { return !r.m_reversible.Tiene(); }},
    {"cinetica", LeerCinetica, EscribirCinetica, Cuando::SiNoUsual,
     [](const CReacciones& r, const Nombres&) { return !r.m_cinetica.Tiene(); }},
};

const Bloque<Reaccion, CReacciones> kReaccion = {"reaccion", LeerReaccion, EscribirReaccion,
                                                 "una reacción", kClavesReaccion};

// ---------------------------------------------------------------------------------------
// Indicator: one line, no keys of its own.

Indicador& LeerIndicador(Lectura& l, const Valor& v) {
    v.Campos(8, QStringLiteral("un indicador"));
    const QStringList& c = v.m_campos;
    const QString& d = v.m_strDonde;
    Indicador& ind = l.m_d.m_indicadores.emplace_back();
    ind.m_nLinea = v.m_nLinea;
    ind.m_i.m_nId = Entero(c[0], d);
    ind.m_i.m_strNombre = Desescapar(c[1], d);
    ind.m_componente = LeerRef(c[2], d);
    ind.m_i.m_strTexto = Desescapar(c[3], d);
    ind.m_i.m_crColorBajo = Color(c[4], d);
    ind.m_i.m_dLimiteBajo = Catalogo(c[5], d);
    ind.m_i.m_crColorAlto = Color(c[6], d);
    ind.m_i.m_dLimiteAlto = Catalogo(c[7], d);
    return ind;
}

QString EscribirIndicador(const CIndicadores& i, const Nombres& n) {
    return Unir({QString::number(i.m_nId), Escapar(i.m_strNombre), n.RefIndicador(i.m_nComponente),
                 Escapar(i.m_strTexto), Hex(i.m_crColorBajo), N(i.m_dLimiteBajo),
                 Hex(i.m_crColorAlto), N(i.m_dLimiteAlto)});
}

COLORREF ColorForma(const QString& s, const QString& strDonde) {
    const COLORREF cr = Color(s, strDonde);
    if (cr > CExtension::kColorMaximo)
        Fallo(strDonde, Traducir("«%1» no es un color 0xBBGGRR").arg(s.trimmed()));
    return cr;
}

const Clave<Indicador, CIndicadores> kClavesIndicador[] = {
    {"formas",
     [](Indicador& ind, const Valor& v) {
         // pKa1; pKa2; pKa3 | color1; color2; color3; color4
         v.Campos(2, QStringLiteral("«formas»"));
         CIndicadorDatos f;
         const std::vector<double> pKa =
             Lista<double>(v.m_campos[0], v.m_strDonde, "pKa", 1, CExtension::kPasosMaximos, PKa);
         f.m_nTransiciones = static_cast<int32_t>(pKa.size());
         std::copy(pKa.begin(), pKa.end(), f.m_pKa.begin());
         const std::vector<COLORREF> colores = Lista<COLORREF>(
             v.m_campos[1], v.m_strDonde, "color", 2, CExtension::kPasosMaximos + 1, ColorForma);
         if (colores.size() != pKa.size() + 1)
             Fallo(v.m_strDonde + QStringLiteral(": color"),
                   Traducir("tiene %1 colores para %2 pKa: debe haber uno más que pKa")
                       .arg(colores.size())
                       .arg(pKa.size()));
         std::copy(colores.begin(), colores.end(), f.m_crFormas.begin());
         ind.m_i.m_acidoBase = f;
     },
     [](const CIndicadores& i, const Nombres&) {
         const CIndicadorDatos& f = i.m_acidoBase;
         QStringList colores;
         for (int32_t k = 0; k <= f.m_nTransiciones && k < 4; ++k)
             colores << Hex(f.m_crFormas[static_cast<size_t>(k)]);
         return QStringList{
             Unir({UnirLista(f.m_pKa, f.m_nTransiciones), colores.join(QLatin1String("; "))})};
     },
     Cuando::SiNoUsual,
     [](const CIndicadores& i, const Nombres&) { return !i.m_acidoBase.Tiene(); }},
};

const Bloque<Indicador, CIndicadores> kIndicador = {"indicador", LeerIndicador, EscribirIndicador,
                                                    "un indicador", kClavesIndicador};

} // namespace

std::span<const Clave<Lectura, Crudo>> ClavesCabecera() {
    return kCabecera;
}
std::span<const Clave<Lectura, Crudo>> ClavesCatalogo() {
    return kCatalogo;
}
const Bloque<Componente, CComponentes>& BloqueComponente() {
    return kComponente;
}
const Bloque<Reactivo, CReactivos>& BloqueReactivo() {
    return kReactivo;
}
const Bloque<Reaccion, CReacciones>& BloqueReaccion() {
    return kReaccion;
}
const Bloque<Indicador, CIndicadores>& BloqueIndicador() {
    return kIndicador;
}

CComponentes LeerComponente(const QStringList& c, const QString& strDonde) {
    if (c.size() != 22)
        Fallo(strDonde, QStringLiteral("se esperaban 22 campos y hay %1").arg(c.size()));
    CComponentes k;
    for (int i = 0; i < 22; ++i)
        kCamposComponente[i].m_leer(k, c[i],
                                    strDonde + QStringLiteral(": ") +
                                        QString::fromUtf8(kCamposComponente[i].m_pszNombre));
    k.m_strDescripcion = Plantillas::DescripcionRtf(k.m_strFormula);
    return k;
}

QHash<int32_t, CComponentes> LeerTabla(const QString& strTexto) {
    QHash<int32_t, CComponentes> tabla;
    for (const auto& [nLinea, strLinea] : Lineas(strTexto)) {
        const QString strDonde =
            QStringLiteral("%1:%2").arg(QLatin1String(kComponentes)).arg(nLinea);
        const CComponentes k = LeerComponente(Campos(strLinea), strDonde);
        if (!tabla.contains(k.m_nId))
            tabla.insert(k.m_nId, k);
    }
    return tabla;
}

} // namespace Fuente
