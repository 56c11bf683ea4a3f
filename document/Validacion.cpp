#include "Validacion.h"

#include "Archivo.h"
#include "Catalogo.h"
#include "Practica.h"

#include <cmath>

namespace Validacion {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Donde(const char* pszQue, int n, const std::string& strNombre) {
    return QStringLiteral("%1 %2 «%3»").arg(QString::fromUtf8(pszQue)).arg(n + 1).arg(Q(strNombre));
}

class Lista {
public:
    std::vector<Problema> v;
    QString strDonde;
    void Agregar(const QString& s) { v.push_back({strDonde, s}); }
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
    void Positivo(double d, const char* pszCampo) {
        if (!(std::isfinite(d) && d > 0.0))
            Agregar(QStringLiteral("El campo «%1» debe ser un número mayor que cero.")
                        .arg(QString::fromUtf8(pszCampo)));
    }
    void NoNegativo(double d, const char* pszCampo) {
        if (!(std::isfinite(d) && d >= 0.0))
            Agregar(QStringLiteral("El campo «%1» no puede ser negativo.")
                        .arg(QString::fromUtf8(pszCampo)));
    }
    void Finito(double d, const char* pszCampo) {
        if (!std::isfinite(d))
            Agregar(QStringLiteral("El campo «%1» no es un número válido.")
                        .arg(QString::fromUtf8(pszCampo)));
    }
};

void Componentes(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumComponentes(); ++i) {
        const CComponentes& c = cat.m_componentes[static_cast<size_t>(i)];
        l.strDonde = Donde("Sustancia", i, c.m_strNombre);
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
        if (std::isfinite(c.m_dPuntoFusion) && std::isfinite(c.m_dPuntoEbullicion) &&
            c.m_dPuntoFusion > c.m_dPuntoEbullicion)
            l.Agregar("El «Punto de fusión» es mayor que el «Punto de ebullición».");
        l.NoNegativo(c.m_dSolubilidad1, "Solubilidad a la temperatura 1");
        l.NoNegativo(c.m_dSolubilidad2, "Solubilidad a la temperatura 2");
        l.Finito(c.m_dTemperatura1, "Temperatura 1 de solubilidad");
        l.Finito(c.m_dTemperatura2, "Temperatura 2 de solubilidad");
    }
}

void Reactivos(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumReactivos(); ++i) {
        const CReactivos& r = cat.m_reactivos[static_cast<size_t>(i)];
        l.strDonde = Donde("Reactivo", i, r.m_strNombre);
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
        }
    }
}

void Reacciones(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumReacciones(); ++i) {
        const CReacciones& r = cat.m_reacciones[static_cast<size_t>(i)];
        l.strDonde = Donde("Reacción", i, r.m_strTexto1);
        l.Nombre(r.m_strTexto1, "Nombre");
        std::vector<int32_t> usados[2];
        for (int lado = 0; lado < 2; ++lado) {
            const bool bProducto = lado == 1;
            const char* pszLado = bProducto ? "producto" : "reactivo";
            for (int k = 0; k < 3; ++k) {
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
        if (r.m_bTempMinima)
            l.Finito(r.m_dTempMinima, "Temperatura mínima");
        if (!r.m_bSinLimite)
            l.NoNegativo(r.m_dLimitePaso, "Límite por paso");
        if (r.m_bEquilibrio)
            l.Positivo(r.m_dConstanteEquilibrio, "Constante de equilibrio");
        if (cat.Componente(r.m_nCatalizador))
            l.NoNegativo(r.m_dLimiteCatalizado, "Límite con catalizador");
    }
}

void Indicadores(const CCatalogo& cat, Lista& l) {
    for (int i = 0; i < cat.NumIndicadores(); ++i) {
        const CIndicadores& d = cat.m_indicadores[static_cast<size_t>(i)];
        l.strDonde = Donde("Indicador", i, d.m_strNombre);
        l.Nombre(d.m_strNombre, "Nombre");
        if (d.m_nComponente != -1 && !cat.Componente(d.m_nComponente))
            l.Agregar("El indicador sigue una sustancia que no está en la práctica.");
        l.Finito(d.m_dLimiteBajo, "Límite bajo");
        l.Finito(d.m_dLimiteAlto, "Límite alto");
        if (d.m_dLimiteBajo > d.m_dLimiteAlto)
            l.Agregar("El «Límite bajo» es mayor que el «Límite alto».");
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
    Componentes(cat, l);
    Reactivos(cat, l);
    Reacciones(cat, l);
    Indicadores(cat, l);
    return std::move(l.v);
}

std::vector<Problema> Validar(const CPractica& p) {
    Lista l;
    l.strDonde = QStringLiteral("Práctica");
    l.Nombre(p.m_strPractica, "Nombre");
    l.Nombre(p.m_strResumen, "Resumen", false);
    l.Nombre(p.m_strAutor, "Autor", false);
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
