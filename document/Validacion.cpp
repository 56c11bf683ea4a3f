#include "document/Validacion.h"
#include "equipment/Conversiones.h"

#include "document/Comprobacion.h"
#include "document/Extension.h"
#include "document/Practica.h"
#include "equipment/Recipiente.h"
#include "model/AcidoBase.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>

namespace Validacion {

namespace {

QString Donde(const char* pszQue, int n, const std::string& strNombre) {
    return QStringLiteral("%1 %2 «%3»").arg(QString::fromUtf8(pszQue)).arg(n + 1).arg(Q(strNombre));
}

class Lista {
public:
    std::vector<Problema> v;
    QString strDonde;
    Problema::Que que = Problema::Que::Practica;
    int nIndice = -1;
    void Donde(const QString& s, Problema::Que q, int n = -1) {
        strDonde = s;
        que = q;
        nIndice = n;
    }
    void Agregar(const QString& s) { v.push_back({strDonde, s, que, nIndice}); }
    void Agregar(const char* psz) { Agregar(QString::fromUtf8(psz)); }

    void Nombre(const std::string& s, const char* pszCampo, bool bObligatorio = true) {
        const QString strCampo = QString::fromUtf8(pszCampo);
        if (bObligatorio && QString::fromStdString(s).trimmed().isEmpty())
            Agregar(QStringLiteral("El campo «%1» no puede quedar vacío.").arg(strCampo));
        else if (LongitudEnArchivo(s) > kLongitudNombre)
            Agregar(QStringLiteral("El campo «%1» tiene %2 caracteres; el máximo es %3.")
                        .arg(strCampo)
                        .arg(LongitudEnArchivo(s))
                        .arg(kLongitudNombre));
    }
    // Each number check also holds the number to what a file keeps (Limites): a value the
    // writer would refuse is told here, by its field, before anyone tries to save.
    void Positivo(double d, const char* pszCampo, double dMaximo = Limites::kValorCatalogo) {
        if (!(std::isfinite(d) && d > 0.0))
            Agregar(QStringLiteral("El campo «%1» debe ser un número mayor que cero.")
                        .arg(QString::fromUtf8(pszCampo)));
        else
            Maximo(d, pszCampo, dMaximo);
    }
    void NoNegativo(double d, const char* pszCampo) {
        if (!(std::isfinite(d) && d >= 0.0))
            Agregar(QStringLiteral("El campo «%1» no puede ser negativo.")
                        .arg(QString::fromUtf8(pszCampo)));
        else
            Maximo(d, pszCampo, Limites::kValorCatalogo);
    }
    void Finito(double d, const char* pszCampo) {
        if (!std::isfinite(d))
            Agregar(QStringLiteral("El campo «%1» no es un número válido.")
                        .arg(QString::fromUtf8(pszCampo)));
        else if (std::fabs(d) > Limites::kValorCatalogo)
            Agregar(QCoreApplication::translate("Validacion",
                                                "El campo «%1» debe estar entre −10³⁰ y 10³⁰.")
                        .arg(QString::fromUtf8(pszCampo)));
    }
    void Maximo(double d, const char* pszCampo, double dMaximo) {
        if (d > dMaximo)
            Agregar(QCoreApplication::translate("Validacion", "El campo «%1» no puede pasar de %2.")
                        .arg(QString::fromUtf8(pszCampo), Cifra(dMaximo)));
    }
    void Entero(int32_t n, int32_t nMinimo, int32_t nMaximo, const char* pszCampo) {
        if (n < nMinimo || n > nMaximo)
            Agregar(QCoreApplication::translate("Validacion",
                                                "El campo «%1» debe ser un número entero entre %2 "
                                                "y %3.")
                        .arg(QString::fromUtf8(pszCampo))
                        .arg(nMinimo)
                        .arg(nMaximo));
    }
    // A number of the aqueous data between two bounds a teacher reads as they are ("−5",
    // "20", "0,5"); an empty field of the editor (NaN) is told as empty.
    void Entre(double d, double dMinimo, double dMaximo, const QString& strCampo,
               const QString& strUnidad = QString()) {
        if (std::isnan(d))
            Agregar(QCoreApplication::translate("Validacion",
                                                "El campo «%1» está vacío: los valores van "
                                                "seguidos, del primero al último.")
                        .arg(strCampo));
        else if (!(d >= dMinimo && d <= dMaximo))
            Agregar(QCoreApplication::translate("Validacion", "El campo «%1» debe estar entre %2 "
                                                              "y %3%4.")
                        .arg(strCampo, Decimal(dMinimo), Decimal(dMaximo),
                             strUnidad.isEmpty() ? QString() : QLatin1Char(' ') + strUnidad));
    }
    static QString Decimal(double d) {
        return QString::number(d, 'g', 6)
            .replace(QLatin1Char('-'), QChar(0x2212))
            .replace(QLatin1Char('.'), QLatin1Char(','));
    }
    // A bound as a teacher reads it: "10 000 000", "10³⁰".
    static QString Cifra(double d) {
        if (d == Limites::kValorCatalogo)
            return QStringLiteral("10³⁰");
        QString s = QString::number(static_cast<long long>(d));
        for (qsizetype i = s.size() - 3; i > 0; i -= 3)
            s.insert(i, QLatin1Char(' '));
        return s;
    }
};

// The bounds of the aqueous data, as agreed for every practice: wide enough for the acids,
// indicators and reactions of the handbooks' tables at 25 °C, narrow enough to catch a
// mistyped value (a pKa of 47, an enthalpy in J instead of kJ). They are narrower than what
// a file may hold (CExtension's bounds), so that what the editor lets through always saves.
constexpr double kPKaMinimo = -5.0, kPKaMaximo = 20.0;
constexpr double kPKaIndicadorMinimo = -2.0, kPKaIndicadorMaximo = 16.0;
constexpr double kEntalpiaAcidoBase = 200.0;  // kJ/mol
constexpr double kEntalpiaReversible = 500.0; // kJ/mol
constexpr double kKMinima = 1e-40, kKMaxima = 1e40;
constexpr int32_t kCargaAcida = 3;
// Mol/L: beyond any solution's molarity (pure water is 55.5 mol/L, a saturated salt some 6).
constexpr double kConcentracionColorMaxima = 20.0;

// Rate laws: a constant a double holds with room for Arrhenius and the concentrations, an
// activation energy no reaction of the tables comes near (in J instead of kJ it would be a
// thousand times larger), orders up to 3, a reference temperature a bench can reach.
constexpr double kKCineticaMinima = 1e-30, kKCineticaMaxima = 1e30;
constexpr double kEaMaxima = 500.0; // kJ/mol
constexpr double kTReferenciaMinima = -50.0, kTReferenciaMaxima = 300.0;
constexpr double kFactorMinimo = 1e-6, kFactorMaximo = 1e6;

// The form a solid is offered in: a solid's, and a surface factor within the bounds.
void Superficie(const CComponentes& c, Lista& l) {
    const CSuperficieDatos& f = c.m_superficie;
    if (!f.Tiene())
        return;
    if (f.m_nForma < FORMA_POLVO || f.m_nForma > FORMA_CINTA)
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Forma» debe ser polvo, trozos o cinta."));
    if (c.m_nEstado != ESTADO_SOLIDO)
        l.Agregar(
            QCoreApplication::translate("Validacion", "El campo «Forma» solo se da a un sólido."));
    if (!(f.m_dFactor >= kFactorMinimo && f.m_dFactor <= kFactorMaximo))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Factor de superficie» debe estar entre "
                                              "10⁻⁶ y 10⁶."));
}

QString Campo(const char* pszCampo, int k) {
    return QString::fromUtf8(pszCampo) + QString::number(k + 1);
}

// A component's acid–base system, when it has one: its steps, their pKa in increasing order,
// their enthalpies, the charge of the acid form and the protons given up; and a strong acid
// or base (all of it ionised) cannot also be a weak one.
void AcidoBase(const CComponentes& c, Lista& l) {
    const CAcidoBaseDatos& a = c.m_acidoBase;
    if (a.m_nPasos == 0)
        return;
    if (a.m_nPasos < 1 || a.m_nPasos > 3) {
        l.Entero(a.m_nPasos, 1, 3, "Número de pKa");
        return;
    }
    for (int k = 0; k < a.m_nPasos; ++k) {
        const double d = a.m_pKa[static_cast<size_t>(k)];
        l.Entre(d, kPKaMinimo, kPKaMaximo, Campo("pKa", k));
        if (k > 0 && std::isfinite(d) && std::isfinite(a.m_pKa[static_cast<size_t>(k) - 1]) &&
            !(d > a.m_pKa[static_cast<size_t>(k) - 1]))
            l.Agregar(
                QCoreApplication::translate("Validacion", "El «%1» debe ser mayor que el «%2».")
                    .arg(Campo("pKa", k), Campo("pKa", k - 1)));
    }
    // The enthalpies of every step are written, given or not.
    for (int k = 0; k < 3; ++k)
        l.Entre(a.m_dEntalpia[static_cast<size_t>(k)], -kEntalpiaAcidoBase, kEntalpiaAcidoBase,
                Campo("ΔH", k), QStringLiteral("kJ/mol"));
    l.Entero(a.m_nCargaAcida, -kCargaAcida, kCargaAcida, "Carga de la forma ácida");
    l.Entero(a.m_nCedidos, 0, a.m_nPasos, "Protones cedidos");
    if (c.m_dConstante == AcidoBase::kElectrolitoFuerte &&
        (c.m_strCation == AcidoBase::kIonHidrogeno || c.m_strAnion == AcidoBase::kIonHidroxido))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "Una sustancia no puede ser a la vez ácido o base "
                                              "fuerte y tener pKa: deje vacíos los pKa o cambie "
                                              "la «Constante de disociación»."));
}

// A component's particles in solution, its solubility points and its vapour data, each
// within what a file keeps and what a teacher could mean.
void Disolucion(const CComponentes& c, Lista& l) {
    const CDisolucionDatos& d = c.m_disolucion;
    if (d.m_dVantHoff != 0.0)
        l.Entre(d.m_dVantHoff, 1.0, CExtension::kVantHoffMaximo,
                QStringLiteral("Partículas por unidad (i de van 't Hoff)"));
    const size_t n = d.m_solubilidad.size();
    if (n == 1 || n > static_cast<size_t>(CExtension::kPuntosMaximos))
        l.Entero(static_cast<int32_t>(n), 2, CExtension::kPuntosMaximos,
                 "Puntos de la curva de solubilidad");
    for (size_t k = 0; k < n; ++k) {
        const auto& q = d.m_solubilidad[k];
        const int i = static_cast<int>(k);
        l.Entre(q[0], CExtension::kTemperaturaMinima, CExtension::kTemperaturaMaxima,
                Campo("Temperatura de solubilidad ", i), QStringLiteral("°C"));
        l.Entre(q[1], 0.0, Limites::kValorCatalogo, Campo("Solubilidad ", i),
                QStringLiteral("g/100 g"));
        if (k > 0 && std::isfinite(q[0]) && !(q[0] > d.m_solubilidad[k - 1][0]))
            l.Agregar(
                QCoreApplication::translate("Validacion", "La «%1» debe ser mayor que la «%2».")
                    .arg(Campo("Temperatura de solubilidad ", i),
                         Campo("Temperatura de solubilidad ", i - 1)));
    }
    const bool bVapor = d.m_antoine[0] != 0.0 || d.m_antoine[1] != 0.0 || d.m_antoine[2] != 0.0 ||
                        d.m_dVolumenMolar != 0.0;
    if (bVapor) {
        l.Finito(d.m_antoine[0], "Antoine A");
        l.Positivo(d.m_antoine[1], "Antoine B", CExtension::kAntoineBMaxima);
        l.Entre(d.m_antoine[2], -CExtension::kAntoineCMaxima, CExtension::kAntoineCMaxima,
                QStringLiteral("Antoine C"), QStringLiteral("K"));
        l.Positivo(d.m_dVolumenMolar, "Volumen molar del líquido", CExtension::kVolumenMolarMaximo);
    }
}

void Componentes(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumComponentes(); ++i) {
        const CComponentes& c = cat.m_componentes[static_cast<size_t>(i)];
        l.Donde(Donde("Sustancia", i, c.m_strNombre), Problema::Que::Sustancia, i);
        l.Nombre(c.m_strNombre, "Nombre");
        l.Nombre(c.m_strFormula, "Fórmula", false);
        l.Nombre(c.m_strCation, "Catión", false);
        l.Nombre(c.m_strAnion, "Anión", false);
        l.Positivo(c.m_dMasaMolar, "Masa molar");
        l.Positivo(c.m_dDensidad, "Densidad");
        l.Finito(c.m_dCalorEspecifico, "Calor específico");
        // 0 does not dissociate, -1 dissociates completely, anything else is a constant.
        if (!(std::isfinite(c.m_dConstante) && (c.m_dConstante >= 0.0 || c.m_dConstante == -1.0)))
            l.Agregar("La «Constante de disociación» debe ser 0, −1 (electrolito fuerte) o un "
                      "número positivo.");
        l.Finito(c.m_dPuntoFusion, "Punto de fusión");
        l.Finito(c.m_dPuntoEbullicion, "Punto de ebullición");
        if (c.m_nEstado < ESTADO_SOLIDO || c.m_nEstado > ESTADO_NINGUNO)
            l.Agregar(QCoreApplication::translate(
                "Validacion", "El campo «Estado» debe ser sólido, líquido, gas o ninguno."));
        l.Entero(c.m_nCantidadCation, 0, Limites::kCuentaIones, "Cationes por fórmula");
        l.Entero(c.m_nCantidadAnion, 0, Limites::kCuentaIones, "Aniones por fórmula");
        l.Entero(c.m_nSignoCation, -Limites::kCuentaIones, Limites::kCuentaIones,
                 "Carga del catión");
        l.Entero(c.m_nSignoAnion, -Limites::kCuentaIones, Limites::kCuentaIones, "Carga del anión");
        l.Entero(c.m_nTextura, 0, Limites::kTextura, "Textura del sólido");
        if (std::isfinite(c.m_dPuntoFusion) && std::isfinite(c.m_dPuntoEbullicion) &&
            c.m_dPuntoFusion > c.m_dPuntoEbullicion)
            l.Agregar("El «Punto de fusión» es mayor que el «Punto de ebullición».");
        l.NoNegativo(c.m_dSolubilidad1, "Solubilidad a la temperatura 1");
        l.NoNegativo(c.m_dSolubilidad2, "Solubilidad a la temperatura 2");
        l.Finito(c.m_dTemperatura1, "Temperatura 1 de solubilidad");
        l.Finito(c.m_dTemperatura2, "Temperatura 2 de solubilidad");
        // The line through the two solubilities is stored with them: two temperatures too
        // close make it steeper than a file keeps.
        if (!(std::isfinite(c.m_dPendiente) && std::isfinite(c.m_dOrdenada) &&
              std::fabs(c.m_dPendiente) <= Limites::kValorCatalogo &&
              std::fabs(c.m_dOrdenada) <= Limites::kValorCatalogo))
            l.Agregar(QCoreApplication::translate(
                "Validacion", "Las temperaturas de solubilidad están tan cerca que la recta entre "
                              "las dos solubilidades no se puede guardar."));
        AcidoBase(c, l);
        // 0 is the described colour mixing; anything else is the molarity of the colour.
        if (c.m_dConcentracionColor != 0.0)
            l.Positivo(c.m_dConcentracionColor, "Concentración de su color",
                       kConcentracionColorMaxima);
        if (c.m_termica.Tiene()) {
            l.Entre(c.m_termica.m_dDisolucion, -Termica::kEntalpiaMaxima, Termica::kEntalpiaMaxima,
                    QCoreApplication::translate("Validacion", "Entalpía de disolución"),
                    QStringLiteral("kJ/mol"));
            l.Entre(c.m_termica.m_dFusion, 0.0, Termica::kEntalpiaMaxima,
                    QCoreApplication::translate("Validacion", "Entalpía de fusión"),
                    QStringLiteral("kJ/mol"));
        }
        Superficie(c, l);
        Disolucion(c, l);
    }
    // Each pair of Wilson's energies names two different substances of the catalogue, once.
    for (size_t k = 0; k < cat.m_paresVapor.size(); ++k) {
        const CParVapor& p = cat.m_paresVapor[k];
        const CComponentes* a = cat.Componente(p.m_nA);
        const CComponentes* b = cat.Componente(p.m_nB);
        l.Donde(Donde("Sustancia", p.m_nA, a ? a->m_strNombre : std::string()),
                Problema::Que::Sustancia, p.m_nA);
        if (!a || !b || !(p.m_nA < p.m_nB) ||
            (k > 0 && !(std::tie(cat.m_paresVapor[k - 1].m_nA, cat.m_paresVapor[k - 1].m_nB) <
                        std::tie(p.m_nA, p.m_nB))))
            l.Agregar(QCoreApplication::translate(
                "Validacion", "Un par de «Energías de Wilson» nombra una sustancia que no existe "
                              "o está repetido."));
        l.Entre(p.m_dAB, -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima,
                QStringLiteral("Energía de Wilson 1"), QStringLiteral("J/mol"));
        l.Entre(p.m_dBA, -CExtension::kEnergiaMaxima, CExtension::kEnergiaMaxima,
                QStringLiteral("Energía de Wilson 2"), QStringLiteral("J/mol"));
    }
}

void Reactivos(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumReactivos(); ++i) {
        const CReactivos& r = cat.m_reactivos[static_cast<size_t>(i)];
        l.Donde(Donde("Reactivo", i, r.m_strNombre), Problema::Que::Reactivo, i);
        l.Nombre(r.m_strNombre, "Nombre");
        if (r.m_listaComposicion.empty())
            l.Agregar("La composición está vacía: un reactivo necesita al menos una sustancia.");
        int nFila = 0;
        for (const CContenido& e : r.m_listaComposicion) {
            ++nFila;
            if (!cat.Componente(e.m_nComponente))
                l.Agregar(
                    QStringLiteral("La fila %1 de la composición no tiene sustancia.").arg(nFila));
            if (!(std::isfinite(e.m_dMoles) && e.m_dMoles > 0.0))
                l.Agregar(
                    QStringLiteral("La cantidad de la fila %1 de la composición debe ser mayor "
                                   "que cero.")
                        .arg(nFila));
            else if (e.m_dMoles > Limites::kCantidad)
                l.Agregar(QCoreApplication::translate("Validacion",
                                                      "La cantidad de la fila %1 de la "
                                                      "composición no puede pasar de %2.")
                              .arg(nFila)
                              .arg(Lista::Cifra(Limites::kCantidad)));
            // What else an entry carries (a source can give it) is held to the same bound.
            for (double d : {e.m_dGramos, e.m_dMl, e.m_dMolesAnion, e.m_dMolesCation})
                if (!(std::isfinite(d) && std::fabs(d) <= Limites::kCantidad)) {
                    l.Agregar(QCoreApplication::translate("Validacion",
                                                          "La fila %1 de la composición lleva "
                                                          "gramos, mililitros o iones fuera de "
                                                          "lo que un archivo guarda (hasta %2).")
                                  .arg(nFila)
                                  .arg(Lista::Cifra(Limites::kCantidad)));
                    break;
                }
        }
    }
}

// A reaction that runs to its equilibrium: its constant, enthalpy and speed, and the slots
// left out of its quotient, which must hold a substance.
void Reversible(const CReacciones& r, const CCatalogo& cat, Lista& l) {
    const CReversibleDatos& v = r.m_reversible;
    if (!v.Tiene())
        return;
    if (!(v.m_dK25 >= kKMinima && v.m_dK25 <= kKMaxima))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «K a 25 °C» debe ser un número entre "
                                              "10⁻⁴⁰ y 10⁴⁰."));
    l.Entre(v.m_dEntalpia, -kEntalpiaReversible, kEntalpiaReversible, QStringLiteral("ΔH"),
            QStringLiteral("kJ/mol"));
    if (!(v.m_dRapidez > 0.0 && v.m_dRapidez <= 1.0))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Rapidez» debe ser mayor que 0 y no "
                                              "pasar de 1."));
    if (v.m_nFueraDeQ & ~0x3F)
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Fuera de Q» solo puede nombrar los "
                                              "tres reactivos y los tres productos."));
    for (int b = 0; b < 6; ++b)
        if ((v.m_nFueraDeQ >> b & 1) && !RanuraUsada(r, cat, b >= 3, b % 3))
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "El campo «Fuera de Q» nombra el %1 %2, que "
                                                  "está vacío.")
                          .arg(b >= 3 ? QStringLiteral("producto") : QStringLiteral("reactivo"))
                          .arg(b % 3 + 1));
}

// A reaction's rate law: its constant, activation energy, orders, reference temperature and
// the catalyst's factor, which needs a catalyst.
void LeyDeVelocidad(const CReacciones& r, const CCatalogo& cat, Lista& l) {
    const CCineticaDatos& d = r.m_cinetica;
    if (!d.Tiene())
        return;
    if (!(d.m_dK >= kKCineticaMinima && d.m_dK <= kKCineticaMaxima))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Constante de velocidad» debe ser un "
                                              "número entre 10⁻³⁰ y 10³⁰."));
    l.Entre(d.m_dEa, 0.0, kEaMaxima, QStringLiteral("Energía de activación"),
            QStringLiteral("kJ/mol"));
    for (int k = 0; k < 3; ++k)
        l.Entre(d.m_dOrden[static_cast<size_t>(k)], 0.0, 3.0, Campo("Orden del reactivo ", k));
    l.Entre(d.m_dTReferencia, kTReferenciaMinima, kTReferenciaMaxima,
            QStringLiteral("Temperatura de referencia"), QStringLiteral("°C"));
    if (!(d.m_dFactorCatalizador >= kFactorMinimo && d.m_dFactorCatalizador <= kFactorMaximo))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Factor del catalizador» debe estar "
                                              "entre 10⁻⁶ y 10⁶."));
    else if (d.m_dFactorCatalizador != 1.0 && !cat.Componente(r.m_nCatalizador))
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "El campo «Factor del catalizador» necesita un "
                                              "catalizador."));
}

void Reacciones(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumReacciones(); ++i) {
        const CReacciones& r = cat.m_reacciones[static_cast<size_t>(i)];
        l.Donde(Donde("Reacción", i, r.m_strTexto1), Problema::Que::Reaccion, i);
        l.Nombre(r.m_strTexto1, "Nombre");
        std::vector<int32_t> usados[2];
        for (int lado = 0; lado < 2; ++lado) {
            const bool bProducto = lado == 1;
            const char* pszLado = bProducto ? "producto" : "reactivo";
            for (int k = 0; k < 3; ++k) {
                // Every slot's coefficient is written, used or not.
                if ((bProducto ? r.m_nCoefProducto[k] : r.m_nCoefReactivo[k]) >
                    Limites::kCoeficiente)
                    l.Agregar(QCoreApplication::translate(
                                  "Validacion", "El coeficiente del %1 %2 no puede pasar de %3.")
                                  .arg(QString::fromUtf8(pszLado))
                                  .arg(k + 1)
                                  .arg(Limites::kCoeficiente));
                if (!RanuraUsada(r, cat, bProducto, k))
                    continue;
                const int32_t n = bProducto ? r.m_nProducto[k] : r.m_nReactivo[k];
                const int32_t nCoef = bProducto ? r.m_nCoefProducto[k] : r.m_nCoefReactivo[k];
                const int32_t nFase = bProducto ? r.m_nFaseProducto[k] : r.m_nFaseReactivo[k];
                if (nCoef < 1)
                    l.Agregar(QStringLiteral("El coeficiente del %1 %2 debe ser 1 o mayor.")
                                  .arg(QString::fromUtf8(pszLado))
                                  .arg(k + 1));
                if (nFase < FASE_IONIZADA || nFase > FASE_GAS)
                    l.Agregar(QStringLiteral("La fase del %1 %2 no es válida.")
                                  .arg(QString::fromUtf8(pszLado))
                                  .arg(k + 1));
                const QString strNombre = Q(cat.m_componentes[static_cast<size_t>(n)].m_strNombre);
                for (int32_t m : usados[lado])
                    if (m == n)
                        l.Agregar(QStringLiteral("«%1» aparece dos veces entre los %2s.")
                                      .arg(strNombre, QString::fromUtf8(pszLado)));
                if (bProducto)
                    for (int32_t m : usados[0])
                        if (m == n)
                            l.Agregar(QStringLiteral("«%1» es a la vez reactivo y producto.")
                                          .arg(strNombre));
                usados[lado].push_back(n);
            }
        }
        if (usados[0].empty())
            l.Agregar("La reacción no tiene ningún reactivo.");
        else if (!RanuraUsada(r, cat, false, 0))
            l.Agregar("El primer reactivo no puede quedar vacío.");
        if (usados[1].empty())
            l.Agregar("La reacción no tiene ningún producto.");
        l.Finito(r.m_dCalor, "Calor de reacción");
        // A value whose switch is off is still written, so it is still held to the bound.
        l.Finito(r.m_dTempMinima, "Temperatura mínima");
        if (!r.m_bSinLimite)
            l.NoNegativo(r.m_dLimitePaso, "Límite por paso");
        else
            l.Finito(r.m_dLimitePaso, "Límite por paso");
        if (r.m_bEquilibrio)
            l.Positivo(r.m_dConstanteEquilibrio, "Constante de equilibrio");
        else
            l.Finito(r.m_dConstanteEquilibrio, "Constante de equilibrio");
        if (cat.Componente(r.m_nCatalizador))
            l.NoNegativo(r.m_dLimiteCatalizado, "Límite con catalizador");
        else
            l.Finito(r.m_dLimiteCatalizado, "Límite con catalizador");
        Reversible(r, cat, l);
        LeyDeVelocidad(r, cat, l);
    }
}

// An indicator as a weak acid: its transitions, their pKa in increasing order, and the
// colour of each form.
void Formas(const CIndicadorDatos& f, Lista& l) {
    if (f.m_nTransiciones == 0)
        return;
    if (f.m_nTransiciones < 1 || f.m_nTransiciones > 3) {
        l.Entero(f.m_nTransiciones, 1, 3, "Número de pKa");
        return;
    }
    for (int k = 0; k < f.m_nTransiciones; ++k) {
        const double d = f.m_pKa[static_cast<size_t>(k)];
        l.Entre(d, kPKaIndicadorMinimo, kPKaIndicadorMaximo, Campo("pKa", k));
        if (k > 0 && std::isfinite(d) && std::isfinite(f.m_pKa[static_cast<size_t>(k) - 1]) &&
            !(d > f.m_pKa[static_cast<size_t>(k) - 1]))
            l.Agregar(
                QCoreApplication::translate("Validacion", "El «%1» debe ser mayor que el «%2».")
                    .arg(Campo("pKa", k), Campo("pKa", k - 1)));
    }
    // Every form's colour is written, shown or not.
    for (int k = 0; k < 4; ++k)
        if (f.m_crFormas[static_cast<size_t>(k)] > 0xFFFFFFu)
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "El campo «Color de la forma %1» no es un "
                                                  "color.")
                          .arg(k + 1));
}

void Indicadores(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumIndicadores(); ++i) {
        const CIndicadores& d = cat.m_indicadores[static_cast<size_t>(i)];
        l.Donde(Donde("Indicador", i, d.m_strNombre), Problema::Que::Indicador, i);
        l.Nombre(d.m_strNombre, "Nombre");
        if (d.m_nComponente != -1 && !cat.Componente(d.m_nComponente))
            l.Agregar("El indicador sigue una sustancia que no está en la práctica.");
        l.Finito(d.m_dLimiteBajo, "Límite bajo");
        l.Finito(d.m_dLimiteAlto, "Límite alto");
        if (d.m_dLimiteBajo > d.m_dLimiteAlto)
            l.Agregar("El «Límite bajo» es mayor que el «Límite alto».");
        Formas(d.m_acidoBase, l);
    }
}

// The starting bench, held to what its records write: positions, the number of items, and
// every amount and temperature of a vessel's interior.
void Mesa(const CListaEquipo& lista, Lista& l) {
    if (lista.size() > static_cast<size_t>(Limites::kEquipos)) {
        l.Donde(QCoreApplication::translate("Validacion", "Mesa"), Problema::Que::Mesa);
        l.Agregar(QCoreApplication::translate("Validacion",
                                              "Tiene %1 equipos; una práctica guarda hasta %2.")
                      .arg(lista.size())
                      .arg(Limites::kEquipos));
    }
    int nLugar = 0;
    for (const CEquipo* e : lista) {
        l.Donde(Comprobacion::Nombre(e, nLugar + 1), Problema::Que::Equipo, nLugar);
        ++nLugar;
        if (std::abs(e->m_x) > Limites::kCoordenada || std::abs(e->m_y) > Limites::kCoordenada)
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "La posición debe estar entre −%1 y %1 en "
                                                  "cada eje.")
                          .arg(Lista::Cifra(Limites::kCoordenada)));
        const CRecipiente* r = e->Recipiente();
        if (!r)
            continue;
        const CSeno& s = r->m_seno;
        auto dentro = [](double d, double dMaximo) {
            return std::isfinite(d) && std::fabs(d) <= dMaximo;
        };
        bool bBien = dentro(s.Reserva(), Limites::kCantidad);
        for (const int32_t f : {ESTADO_LIQUIDO, ESTADO_SOLIDO, ESTADO_GAS}) {
            bBien = bBien && dentro(s.VolumenDe(f), Limites::kCantidad) &&
                    dentro(s.MasaDe(f), Limites::kCantidad);
            for (const CEntradaFase& c : s.Contenido(f, true))
                for (double d :
                     {c.m_dMoles, c.m_dGramos, c.m_dMl, c.m_dMolesAnion, c.m_dMolesCation})
                    bBien = bBien && dentro(d, Limites::kCantidad);
        }
        if (!bBien)
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "El contenido tiene una cantidad que no es un "
                                                  "número de 0 a %1 moles, gramos o mililitros.")
                          .arg(Lista::Cifra(Limites::kCantidad)));
        if (!dentro(s.Temperatura(), Limites::kTemperaturaLeida))
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "La temperatura del contenido no es válida."));
    }
}

// Lists and dialogs show entries by name and find them by name: a second entry with the
// name of an earlier one could never be chosen (choosing it acts on the first).
template <class T>
void NombresRepetidos(const std::vector<T>& tabla, const char* pszQue, Problema::Que que,
                      const char* pszDelQue, Lista& l, const std::string& (*fnNombre)(const T&)) {
    std::vector<QString> vistos;
    for (size_t i = 0; i < tabla.size(); ++i) {
        const std::string& strNombre = fnNombre(tabla[i]);
        const QString s = Q(strNombre).trimmed();
        if (s.isEmpty()) {
            vistos.push_back(s);
            continue;
        }
        const auto it = std::find(vistos.begin(), vistos.end(), s);
        if (it != vistos.end()) {
            l.Donde(Donde(pszQue, static_cast<int>(i), strNombre), que, static_cast<int>(i));
            l.Agregar(QCoreApplication::translate("Validacion",
                                                  "El campo «Nombre» repite el %1 %2: con dos "
                                                  "nombres iguales solo se podría elegir el "
                                                  "primero.")
                          .arg(QCoreApplication::translate("Validacion", pszDelQue))
                          .arg(it - vistos.begin() + 1));
        }
        vistos.push_back(s);
    }
}

} // namespace

size_t LongitudEnArchivo(const std::string& strUtf8) {
    return CArchivo::Utf8ACp1252(strUtf8).size();
}

bool RanuraUsada(const CReacciones& r, const CCatalogo& cat, bool bProducto, int k) {
    return cat.Componente(bProducto ? r.m_nProducto[k] : r.m_nReactivo[k]) != nullptr;
}

std::vector<Problema> Validar(const CCatalogo& cat) {
    Lista l;
    if (cat.m_nMotor < MOTOR_DESCRITO || cat.m_nMotor > MOTOR_NEUTRALIZACION) {
        l.Donde(QStringLiteral("Práctica"), Problema::Que::Practica, 4);
        l.Entero(cat.m_nMotor, MOTOR_DESCRITO, MOTOR_NEUTRALIZACION, "Química de las disoluciones");
    }
    if (const CTermicaPractica& a = cat.m_termica; a.Tiene()) {
        l.Donde(QStringLiteral("Práctica"), Problema::Que::Practica, 4);
        l.Entre(a.m_dTemperaturaAmbiente, Termica::kAmbienteMinimo, Termica::kAmbienteMaximo,
                QCoreApplication::translate("Validacion", "Temperatura ambiente"),
                QStringLiteral("°C"));
        l.Entre(a.m_dEquivalenteCalorimetro, 0.0, Termica::kEquivalenteMaximo,
                QCoreApplication::translate("Validacion", "Equivalente en agua del calorímetro"),
                QStringLiteral("g"));
    }
    Componentes(cat, l);
    NombresRepetidos<CComponentes>(
        cat.m_componentes, "Sustancia", Problema::Que::Sustancia,
        QT_TRANSLATE_NOOP("Validacion", "de la sustancia"), l,
        [](const CComponentes& c) -> const std::string& { return c.m_strNombre; });
    Reactivos(cat, l);
    NombresRepetidos<CReactivos>(
        cat.m_reactivos, "Reactivo", Problema::Que::Reactivo,
        QT_TRANSLATE_NOOP("Validacion", "del reactivo"), l,
        [](const CReactivos& r) -> const std::string& { return r.m_strNombre; });
    Reacciones(cat, l);
    Indicadores(cat, l);
    NombresRepetidos<CIndicadores>(
        cat.m_indicadores, "Indicador", Problema::Que::Indicador,
        QT_TRANSLATE_NOOP("Validacion", "del indicador"), l,
        [](const CIndicadores& d) -> const std::string& { return d.m_strNombre; });
    return std::move(l.v);
}

// The questions and the unknowns: what a student's copy needs to be drawn and judged.
void Tarea(const CTarea& t, const CCatalogo& cat, Lista& l) {
    auto tr = [](const char* psz) { return QCoreApplication::translate("Validacion", psz); };
    Formula::Valores nombres;
    for (size_t i = 0; i < t.m_incognitas.size(); ++i) {
        const CIncognita& x = t.m_incognitas[i];
        l.Donde(tr("Incógnita %1 «%2»").arg(i + 1).arg(QString::fromStdString(x.m_strNombre)),
                Problema::Que::Practica);
        bool bNombre = !x.m_strNombre.empty() &&
                       x.m_strNombre.size() <= CExtension::kNombreIncognita &&
                       !std::isdigit(static_cast<unsigned char>(x.m_strNombre[0]));
        for (char c : x.m_strNombre)
            bNombre = bNombre && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        if (!bNombre)
            l.Agregar(tr("El campo «Nombre» debe ser una palabra de letras sin acentos, cifras o "
                         "«_», que no empiece por una cifra."));
        else if (nombres.count(x.m_strNombre))
            l.Agregar(tr("El campo «Nombre» repite el de otra incógnita."));
        nombres[x.m_strNombre] = 1.0;
        const CReactivos* r = cat.Reactivo(x.m_nReactivo);
        if (!r)
            l.Agregar(tr("El campo «Reactivo» no es un reactivo de la práctica."));
        else if (x.m_nEntrada < 0 ||
                 static_cast<size_t>(x.m_nEntrada) >= r->m_listaComposicion.size())
            l.Agregar(tr("El campo «Entrada» no es una entrada de la composición del reactivo."));
        if (!(std::isfinite(x.m_dMinimo) && std::isfinite(x.m_dMaximo) && x.m_dMinimo > 0.0 &&
              x.m_dMinimo <= x.m_dMaximo && x.m_dMaximo <= Limites::kValorCatalogo))
            l.Agregar(tr("Los campos «Mínimo» y «Máximo» deben ser números positivos, el mínimo "
                         "no mayor que el máximo."));
    }
    for (size_t i = 0; i < t.m_preguntas.size(); ++i) {
        const CPregunta& q = t.m_preguntas[i];
        l.Donde(tr("Pregunta %1").arg(i + 1), Problema::Que::Practica);
        if (QString::fromStdString(q.m_strTexto).trimmed().isEmpty())
            l.Agregar(tr("El campo «Texto» no puede quedar vacío."));
        if (q.m_strTexto.size() > CExtension::kTextoPregunta)
            l.Agregar(tr("El campo «Texto» es demasiado largo."));
        if (q.m_strUnidad.size() > CExtension::kNombreIncognita)
            l.Agregar(tr("El campo «Unidad» es demasiado largo."));
        if (!(q.m_dPuntos >= 0.0 && q.m_dPuntos <= CExtension::kPuntuacionMaxima))
            l.Agregar(tr("El campo «Puntos» debe ir de 0 a 1000."));
        if (q.m_nTipo == CPregunta::kNumerica) {
            const std::string e = Formula::Comprobar(q.m_strEsperado, nombres);
            if (!e.empty())
                l.Agregar(tr("El campo «Valor esperado» no es válido: %1.")
                              .arg(QString::fromStdString(e)));
            if (!(std::isfinite(q.m_dTolerancia) && q.m_dTolerancia >= 0.0))
                l.Agregar(tr("El campo «Tolerancia» no puede ser negativo."));
            if (q.m_nCifras < 0 || q.m_nCifras > 15)
                l.Agregar(tr("El campo «Cifras significativas» debe ir de 0 a 15."));
        } else if (q.m_nTipo == CPregunta::kOpciones) {
            if (q.m_opciones.size() < 2 ||
                q.m_opciones.size() > static_cast<size_t>(CExtension::kOpcionesMaximas))
                l.Agregar(tr("El campo «Opciones» debe tener de 2 a 20 opciones."));
            if (q.m_nCorrecta < 0 || static_cast<size_t>(q.m_nCorrecta) >= q.m_opciones.size())
                l.Agregar(tr("El campo «Opción correcta» no es una de las opciones."));
        }
    }
    if (t.m_preguntas.size() > static_cast<size_t>(CExtension::kPreguntasMaximas) ||
        t.m_incognitas.size() > static_cast<size_t>(CExtension::kIncognitasMaximas)) {
        l.Donde(tr("Preguntas"), Problema::Que::Practica);
        l.Agregar(tr("Una práctica tiene como mucho 200 preguntas y 50 incógnitas."));
    }
}

std::vector<Problema> Validar(const CPractica& p) {
    Lista l;
    // The practice's own fields, counted in the order a file holds them.
    const QString strPractica = QStringLiteral("Práctica");
    l.Donde(strPractica, Problema::Que::Practica, 0);
    l.Nombre(p.m_strPractica, "Nombre");
    l.Donde(strPractica, Problema::Que::Practica, 1);
    l.Nombre(p.m_strResumen, "Resumen", false);
    l.Donde(strPractica, Problema::Que::Practica, 2);
    l.Nombre(p.m_strAutor, "Autor", false);
    l.Donde(strPractica, Problema::Que::Practica, 3);
    if (!std::isfinite(p.m_dtFecha.m_dFecha))
        l.Agregar(QCoreApplication::translate("Validacion", "El campo «Fecha» no es válido."));
    Mesa(p.m_listaEquipo, l);
    if (p.m_tarea.m_bProfesor)
        Tarea(p.m_tarea, p.m_catalogo, l);
    std::vector<Problema> v = std::move(l.v);
    for (Problema& q : Validar(p.m_catalogo))
        v.push_back(std::move(q));
    return v;
}

QString Texto(const std::vector<Problema>& v, int nMaximo) {
    QStringList lineas;
    for (const Problema& q : v) {
        if (lineas.size() == nMaximo)
            break;
        lineas << QStringLiteral("%1: %2").arg(q.m_strDonde, q.m_strMensaje);
    }
    const int nResto = static_cast<int>(v.size()) - static_cast<int>(lineas.size());
    if (nResto == 1)
        lineas << QStringLiteral("… y un problema más.");
    else if (nResto > 1)
        lineas << QStringLiteral("… y %1 problemas más.").arg(nResto);
    return lineas.join(QLatin1Char('\n'));
}

} // namespace Validacion
