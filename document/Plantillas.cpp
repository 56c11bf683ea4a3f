#include "Plantillas.h"

#include "Archivo.h"
#include "Catalogo.h"
#include "Practica.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace Plantillas {

namespace {

struct ErrorFuente {
    QString m_strTexto;
};

QString Leer(const QString& strRuta) {
    QFile f(strRuta);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorFuente{QStringLiteral("no se encuentra %1").arg(strRuta)};
    return QString::fromUtf8(f.readAll());
}

// Lines without comments and blank lines, each with its number.
QList<QPair<int, QString>> Lineas(const QString& strTexto) {
    QList<QPair<int, QString>> v;
    const QStringList lineas = strTexto.split(QLatin1Char('\n'));
    for (int i = 0; i < lineas.size(); ++i) {
        const QString s = lineas[i].trimmed();
        if (!s.isEmpty() && !s.startsWith(QLatin1Char('#')))
            v.append({i + 1, lineas[i]});
    }
    return v;
}

double Numero(const QString& s, const QString& strDonde) {
    bool bOk = false;
    const QString t = s.trimmed();
    double d =
        t.startsWith(QLatin1String("0x")) ? double(t.mid(2).toUInt(&bOk, 16)) : t.toDouble(&bOk);
    // "inf" and "nan" read as numbers, but no table may hold them.
    if (!bOk || !std::isfinite(d))
        throw ErrorFuente{QStringLiteral("%1: «%2» no es un número").arg(strDonde, t)};
    return d;
}

int32_t Entero(const QString& s, const QString& strDonde) {
    const double d = Numero(s, strDonde);
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throw ErrorFuente{QStringLiteral("%1: «%2» no es un entero").arg(strDonde, s.trimmed())};
    return static_cast<int32_t>(d);
}

COLORREF Color(const QString& s, const QString& strDonde) {
    const double d = Numero(s, strDonde);
    if (!(d >= 0.0 && d <= 4294967295.0))
        throw ErrorFuente{QStringLiteral("%1: «%2» no es un color").arg(strDonde, s.trimmed())};
    return static_cast<COLORREF>(d);
}

QHash<int32_t, CComponentes> LeerComponentes(const QString& strTexto) {
    QHash<int32_t, CComponentes> tabla;
    for (const auto& [nLinea, strLinea] : Lineas(strTexto)) {
        const QString strDonde = QStringLiteral("componentes.txt:%1").arg(nLinea);
        const QStringList c = strLinea.split(QLatin1Char('|'));
        if (c.size() != 22)
            throw ErrorFuente{strDonde + QStringLiteral(": se esperaban 22 campos")};
        CComponentes k;
        k.m_nId = Entero(c[0], strDonde);
        k.m_strNombre = c[1].trimmed().toStdString();
        k.m_strFormula = c[2].trimmed().toStdString();
        k.m_strDescripcion = DescripcionRtf(k.m_strFormula);
        k.m_dMasaMolar = Numero(c[3], strDonde);
        k.m_dDensidad = Numero(c[4], strDonde);
        k.m_dCalorEspecifico = Numero(c[5], strDonde);
        k.m_crColor = Color(c[6], strDonde);
        k.m_nEstado = Entero(c[7], strDonde);
        k.m_dConstante = Numero(c[8], strDonde);
        k.m_dPuntoFusion = Numero(c[9], strDonde);
        k.m_dPuntoEbullicion = Numero(c[10], strDonde);
        k.m_strCation = c[11].trimmed().toStdString();
        k.m_nCantidadCation = Entero(c[12], strDonde);
        k.m_nSignoCation = Entero(c[13], strDonde);
        k.m_strAnion = c[14].trimmed().toStdString();
        k.m_nCantidadAnion = Entero(c[15], strDonde);
        k.m_nSignoAnion = Entero(c[16], strDonde);
        k.m_dSolubilidad1 = Numero(c[17], strDonde);
        k.m_dTemperatura1 = Numero(c[18], strDonde);
        k.m_dSolubilidad2 = Numero(c[19], strDonde);
        k.m_dTemperatura2 = Numero(c[20], strDonde);
        k.m_nTextura = Entero(c[21], strDonde);
        // The slope and intercept are computed again when a template is read.
        tabla.insert(k.m_nId, k);
    }
    return tabla;
}

// "coef x id [phase]" slots joined by "+".
void Ranuras(const QString& s, int32_t* pnId, int32_t* pnCoef, int32_t* pnFase,
             const QString& strDonde) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\d+)\s*x\s*(\d+)\s*\[\s*(\d)\s*\]\s*$)"));
    const QStringList partes = s.split(QLatin1Char('+'));
    if (partes.size() > 3)
        throw ErrorFuente{strDonde + QStringLiteral(": más de tres ranuras")};
    for (int k = 0; k < partes.size(); ++k) {
        const auto m = re.match(partes[k]);
        if (!m.hasMatch())
            throw ErrorFuente{strDonde + QStringLiteral(": ranura no válida «%1»").arg(partes[k])};
        pnCoef[k] = m.captured(1).toInt();
        pnId[k] = m.captured(2).toInt();
        pnFase[k] = m.captured(3).toInt();
    }
}

struct Datos {
    QString m_strNombre, m_strResumen;
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
    std::vector<CComponentes> m_componentes;
    std::vector<CReactivos> m_reactivos;
    std::vector<CReacciones> m_reacciones;
    std::vector<CIndicadores> m_indicadores;
};

Datos LeerPlantilla(const QString& strTexto, const QString& strArchivo,
                    const QHash<int32_t, CComponentes>& componentes) {
    Datos d;
    for (const auto& [nLinea, strLinea] : Lineas(strTexto)) {
        const QString strDonde = QStringLiteral("%1:%2").arg(strArchivo).arg(nLinea);
        const int nIgual = strLinea.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            throw ErrorFuente{strDonde + QStringLiteral(": falta «=»")};
        const QString clave = strLinea.left(nIgual).trimmed();
        const QString valor = strLinea.mid(nIgual + 1).trimmed();
        const QStringList campos = valor.split(QLatin1Char('|'));
        auto campo = [&](int i) { return i < campos.size() ? campos[i].trimmed() : QString(); };
        if (clave == QLatin1String("nombre")) {
            d.m_strNombre = valor;
        } else if (clave == QLatin1String("resumen")) {
            // Kept as written, inner spaces included.
            d.m_strResumen = strLinea.mid(nIgual + 1).trimmed();
        } else if (clave == QLatin1String("velocidad")) {
            d.m_bVelocidad = Entero(valor, strDonde);
        } else if (clave == QLatin1String("propiedades")) {
            d.m_bPropiedades = Entero(valor, strDonde);
        } else if (clave == QLatin1String("componentes")) {
            for (const QString& id : valor.split(QLatin1Char(','))) {
                const int32_t n = Entero(id, strDonde);
                if (!componentes.contains(n))
                    throw ErrorFuente{strDonde +
                                      QStringLiteral(": componente %1 desconocido").arg(n)};
                d.m_componentes.push_back(componentes.value(n));
            }
        } else if (clave == QLatin1String("reactivo")) {
            if (campos.size() != 4)
                throw ErrorFuente{strDonde + QStringLiteral(": un reactivo tiene cuatro campos")};
            CReactivos& r = d.m_reactivos.emplace_back();
            r.m_strNombre = campo(0).toStdString();
            r.m_nEstado = campo(1) == QLatin1String("liquido") ? 1 : 0;
            r.m_bPorProporcion = campo(2) == QLatin1String("proporcion") ? 1 : 0;
            for (const QString& parte : campo(3).split(QLatin1Char(';'))) {
                const QStringList mx = parte.split(QLatin1Char('x'));
                if (mx.size() != 2)
                    throw ErrorFuente{strDonde + QStringLiteral(": composición no válida")};
                CContenido& e = r.m_listaComposicion.emplace_back(Entero(mx[1], strDonde));
                e.m_dMoles = Numero(mx[0], strDonde);
                e.m_strTexto = componentes.value(e.m_nComponente).m_strNombre;
            }
        } else if (clave == QLatin1String("reaccion")) {
            if (campos.size() != 4)
                throw ErrorFuente{strDonde + QStringLiteral(": una reacción tiene cuatro campos")};
            CReacciones& R = d.m_reacciones.emplace_back();
            R.m_nId = Entero(campo(0), strDonde);
            R.m_strTexto1 = campo(1).toStdString();
            R.m_bSinLimite = 1;
            Ranuras(campo(2), R.m_nReactivo, R.m_nCoefReactivo, R.m_nFaseReactivo, strDonde);
            Ranuras(campo(3), R.m_nProducto, R.m_nCoefProducto, R.m_nFaseProducto, strDonde);
        } else if (clave == QLatin1String("indicador")) {
            if (campos.size() != 8)
                throw ErrorFuente{strDonde + QStringLiteral(": un indicador tiene ocho campos")};
            CIndicadores& ind = d.m_indicadores.emplace_back();
            ind.m_nId = Entero(campo(0), strDonde);
            ind.m_strNombre = campo(1).toStdString();
            ind.m_nComponente = Entero(campo(2), strDonde);
            ind.m_strTexto = campo(3).toStdString();
            ind.m_crColorBajo = Color(campo(4), strDonde);
            ind.m_dLimiteBajo = Numero(campo(5), strDonde);
            ind.m_crColorAlto = Color(campo(6), strDonde);
            ind.m_dLimiteAlto = Numero(campo(7), strDonde);
        } else {
            // The other keys belong to the reaction just named.
            if (d.m_reacciones.empty())
                throw ErrorFuente{strDonde + QStringLiteral(": «%1» sin reacción").arg(clave)};
            CReacciones& R = d.m_reacciones.back();
            if (clave == QLatin1String("texto2")) {
                R.m_strTexto2 = valor.toStdString();
            } else if (clave == QLatin1String("calor")) {
                R.m_dCalor = Numero(valor, strDonde);
            } else if (clave == QLatin1String("reservado")) {
                R.m_nReservado = Entero(valor, strDonde);
            } else if (clave == QLatin1String("tempminima")) {
                R.m_bTempMinima = 1;
                R.m_dTempMinima = Numero(valor, strDonde);
            } else if (clave == QLatin1String("limitepaso")) {
                R.m_bSinLimite = 0;
                R.m_dLimitePaso = Numero(valor, strDonde);
            } else if (clave == QLatin1String("equilibrio")) {
                R.m_bEquilibrio = 1;
                R.m_dConstanteEquilibrio = Numero(valor, strDonde);
            } else if (clave == QLatin1String("catalizador")) {
                R.m_nCatalizador = Entero(valor, strDonde);
            } else if (clave == QLatin1String("limitecatalizado")) {
                R.m_dLimiteCatalizado = Numero(valor, strDonde);
            } else {
                throw ErrorFuente{strDonde + QStringLiteral(": clave desconocida «%1»").arg(clave)};
            }
        }
    }
    if (d.m_componentes.empty() || d.m_componentes.front().m_nId != 1)
        throw ErrorFuente{strArchivo + QStringLiteral(": el agua debe ser el primer componente")};
    return d;
}

// Author and date of a practice, "clave = valor" lines.
void LeerDatos(int nNumero, std::string& strAutor, CFecha& fecha) {
    const QString strArchivo = QStringLiteral(":/practicas/%1/datos.txt").arg(nNumero);
    fecha = CFecha::DesdeCivil(2003, 1, 1);
    for (const auto& [nLinea, strLinea] : Lineas(Leer(strArchivo))) {
        const int nIgual = strLinea.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            continue;
        const QString clave = strLinea.left(nIgual).trimmed();
        const QString valor = strLinea.mid(nIgual + 1).trimmed();
        if (clave == QLatin1String("autor")) {
            strAutor = valor.toStdString();
        } else if (clave == QLatin1String("fecha")) {
            const QStringList amd = valor.split(QLatin1Char('-'));
            if (amd.size() == 3)
                fecha = CFecha::DesdeCivil(amd[0].toInt(), amd[1].toInt(), amd[2].toInt());
        }
    }
}

std::string Texto(int nNumero, const char* pszSeccion) {
    return Leer(QStringLiteral(":/practicas/%1/%2.rtf").arg(nNumero).arg(QLatin1String(pszSeccion)))
        .toStdString();
}

template <class T> void EscribirTabla(CArchivo& ar, std::vector<T>& tabla) {
    ar << static_cast<int32_t>(tabla.size());
    for (T& r : tabla)
        r.Serialize(ar);
}

} // namespace

std::string DescripcionRtf(const std::string& strFormula) {
    std::string s = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\\pard\\f0\\fs17 ";
    bool bSub = false;
    for (size_t i = 0; i < strFormula.size(); ++i) {
        const char c = strFormula[i];
        const bool bDigito = c >= '0' && c <= '9';
        // Digits after a symbol, a closing bracket or another digit are subscripts.
        if (bDigito && !bSub && i > 0 && strFormula[i - 1] != ' ') {
            s += "\\dn6 ";
            bSub = true;
        } else if (!bDigito && bSub) {
            s += "\\up0 ";
            bSub = false;
        }
        s += c;
    }
    if (bSub)
        s += "\\up0 ";
    s += "\\par }";
    return s;
}

namespace {

struct Notas {
    std::string m_strMarco, m_strProcedimiento, m_strResultados, m_strAutor;
    CFecha m_fecha = CFecha::DesdeCivil(2003, 1, 1);
};

QByteArray Componer(const QString& strComponentes, const QString& strPlantilla,
                    const QString& strArchivo, const Notas& notas) {
    const Datos d = LeerPlantilla(strPlantilla, strArchivo, LeerComponentes(strComponentes));
    CArchivo ar;
    ar << d.m_strNombre.toStdString() << d.m_strResumen.toStdString()
       << std::string(CPractica::kFirma);
    auto reacciones = d.m_reacciones;
    auto reactivos = d.m_reactivos;
    auto componentes = d.m_componentes;
    auto indicadores = d.m_indicadores;
    EscribirTabla(ar, reacciones);
    EscribirTabla(ar, reactivos);
    EscribirTabla(ar, componentes);
    EscribirTabla(ar, indicadores);
    ar << notas.m_strMarco << notas.m_strProcedimiento << notas.m_strResultados << notas.m_strAutor
       << std::string() << notas.m_fecha;
    ar << d.m_bVelocidad << d.m_bPropiedades;
    return QByteArray(reinterpret_cast<const char*>(ar.Datos().data()),
                      static_cast<qsizetype>(ar.Datos().size()));
}

} // namespace

QByteArray DesdeFuentes(const QString& strComponentes, const QString& strPlantilla,
                        QString* pstrError) {
    try {
        return Componer(strComponentes, strPlantilla, QStringLiteral("plantilla.txt"), Notas{});
    } catch (const ErrorFuente& e) {
        if (pstrError)
            *pstrError = e.m_strTexto;
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = QString::fromStdString(e.what());
    }
    return {};
}

QString Autor(int nNumero) {
    if (nNumero < kPrimera || nNumero > kUltima)
        return {};
    try {
        std::string strAutor;
        CFecha fecha;
        LeerDatos(nNumero, strAutor, fecha);
        return QString::fromStdString(strAutor);
    } catch (const ErrorFuente&) {
        return {};
    }
}

QByteArray Bytes(int nNumero, QString* pstrError) {
    if (nNumero < kPrimera || nNumero > kUltima) {
        if (pstrError)
            *pstrError = QStringLiteral("No existe la práctica %1.").arg(nNumero);
        return {};
    }
    try {
        Notas notas;
        LeerDatos(nNumero, notas.m_strAutor, notas.m_fecha);
        notas.m_strMarco = Texto(nNumero, "marco");
        notas.m_strProcedimiento = Texto(nNumero, "procedimiento");
        notas.m_strResultados = Texto(nNumero, "resultados");
        const QString strArchivo = QStringLiteral("%1.txt").arg(nNumero);
        return Componer(Leer(QStringLiteral(":/plantillas/componentes.txt")),
                        Leer(QStringLiteral(":/plantillas/") + strArchivo), strArchivo, notas);
    } catch (const ErrorFuente& e) {
        if (pstrError)
            *pstrError = e.m_strTexto;
        return {};
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = QString::fromStdString(e.what());
        return {};
    }
}

} // namespace Plantillas
