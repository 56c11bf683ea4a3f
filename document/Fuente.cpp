#include "document/Fuente.h"

#include "document/Plantillas.h"
#include "document/Practica.h"
#include "equipment/Calentadores.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"
#include "model/Componentes.h"
#include "model/Indicadores.h"
#include "model/Reacciones.h"
#include "model/Reactivos.h"

#include "document/Rutas.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace Fuente {

namespace {

QString Traducir(const char* psz) {
    return QCoreApplication::translate("Fuente", psz);
}

struct ErrorFuente {
    QString m_strTexto;
};

[[noreturn]] void Fallo(const QString& strDonde, const QString& s) {
    throw ErrorFuente{strDonde + QStringLiteral(": ") + s};
}

// ---------------------------------------------------------------------------------------
// Values

double Numero(const QString& s, const QString& strDonde) {
    bool bOk = false;
    const QString t = s.trimmed();
    const double d =
        t.startsWith(QLatin1String("0x")) ? double(t.mid(2).toUInt(&bOk, 16)) : t.toDouble(&bOk);
    // "inf" and "nan" read as numbers, but no file may hold them.
    if (!bOk || !std::isfinite(d))
        Fallo(strDonde, QStringLiteral("«%1» no es un número").arg(t));
    return d;
}

double NumeroEntre(const QString& s, const QString& strDonde, double dMin, double dMax) {
    const double d = Numero(s, strDonde);
    if (d < dMin || d > dMax)
        Fallo(strDonde, QStringLiteral("%1 está fuera del intervalo de %2 a %3")
                            .arg(s.trimmed())
                            .arg(dMin)
                            .arg(dMax));
    return d;
}

int32_t Entero(const QString& s, const QString& strDonde) {
    const double d = Numero(s, strDonde);
    if (!(d >= -2147483648.0 && d <= 2147483647.0) || d != std::floor(d))
        Fallo(strDonde, QStringLiteral("«%1» no es un entero").arg(s.trimmed()));
    return static_cast<int32_t>(d);
}

int32_t EnteroEntre(const QString& s, const QString& strDonde, int32_t nMin, int32_t nMax) {
    const int32_t n = Entero(s, strDonde);
    if (n < nMin || n > nMax)
        Fallo(strDonde,
              QStringLiteral("%1 está fuera del intervalo de %2 a %3").arg(n).arg(nMin).arg(nMax));
    return n;
}

COLORREF Color(const QString& s, const QString& strDonde) {
    const double d = Numero(s, strDonde);
    if (!(d >= 0.0 && d <= 4294967295.0) || d != std::floor(d))
        Fallo(strDonde, QStringLiteral("«%1» no es un color").arg(s.trimmed()));
    return static_cast<COLORREF>(d);
}

double Catalogo(const QString& s, const QString& strDonde) {
    return NumeroEntre(s, strDonde, -Limites::kValorCatalogo, Limites::kValorCatalogo);
}

double Cantidad(const QString& s, const QString& strDonde) {
    return NumeroEntre(s, strDonde, 0.0, Limites::kCantidad);
}

// The shortest text that reads back as the same double; a negative zero keeps its sign.
QString N(double d) {
    if (d == 0.0 && std::signbit(d))
        return QStringLiteral("-0");
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

QString Hex(COLORREF cr) {
    return QStringLiteral("0x%1").arg(cr, 6, 16, QLatin1Char('0')).toUpper().replace("0X", "0x");
}

// Texts: a backslash starts an escape (\\ \| \n \r \t \xHH \uHHHH); everything else is
// itself.
QString Escapar(const std::string& str) {
    const QString s = QString::fromStdString(str);
    QString r;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('\\'))
            r += QLatin1String("\\\\");
        else if (c == QLatin1Char('|'))
            r += QLatin1String("\\|");
        else if (c == QLatin1Char('\n'))
            r += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            r += QLatin1String("\\r");
        else if (c == QLatin1Char('\t'))
            r += QLatin1String("\\t");
        // Control characters, and blanks at either end (which the reader trims), as codes.
        else if (c.unicode() <= 0xFF &&
                 (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) ||
                  (c.isSpace() && (i == 0 || i == s.size() - 1))))
            r += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        // A blank beyond Latin-1 at either end (a text kept whole by the extension).
        else if (c.isSpace() && (i == 0 || i == s.size() - 1))
            r += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            r += c;
    }
    return r;
}

std::string Desescapar(const QString& s, const QString& strDonde) {
    QString r;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('\\')) {
            r += s[i];
            continue;
        }
        if (++i >= s.size())
            Fallo(strDonde, QStringLiteral("«\\» al final del texto"));
        switch (s[i].unicode()) {
        case '\\':
            r += QLatin1Char('\\');
            break;
        case '|':
            r += QLatin1Char('|');
            break;
        case 'n':
            r += QLatin1Char('\n');
            break;
        case 'r':
            r += QLatin1Char('\r');
            break;
        case 't':
            r += QLatin1Char('\t');
            break;
        case 'x':
        case 'u': {
            // Two hex digits after "x", four after "u"; a surrogate is no character.
            const int nCifras = s[i] == QLatin1Char('x') ? 2 : 4;
            const QString cifras = s.mid(i + 1, nCifras);
            bool bOk = false;
            const int n = cifras.toInt(&bOk, 16);
            if (!bOk || cifras.size() != nCifras || n < 0 || (n >= 0xD800 && n <= 0xDFFF))
                Fallo(strDonde, nCifras == 2
                                    ? QStringLiteral("«\\x» necesita dos cifras hexadecimales")
                                    : QStringLiteral("«\\u» necesita cuatro cifras hexadecimales"));
            r += QChar(n);
            i += nCifras;
            break;
        }
        default:
            Fallo(strDonde, QStringLiteral("secuencia de escape desconocida «\\%1»").arg(s[i]));
        }
    }
    return r.toStdString();
}

// The fields of a value, split at each "|" that is not escaped, trimmed.
QStringList Campos(const QString& s) {
    QStringList v;
    QString actual;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('\\') && i + 1 < s.size()) {
            actual += s[i];
            actual += s[++i];
        } else if (s[i] == QLatin1Char('|')) {
            v << actual.trimmed();
            actual.clear();
        } else {
            actual += s[i];
        }
    }
    v << actual.trimmed();
    return v;
}

// Lines without comments and blank lines, each with its number.
QList<QPair<int, QString>> Lineas(const QString& strTexto) {
    QList<QPair<int, QString>> v;
    const QStringList lineas = strTexto.split(QLatin1Char('\n'));
    for (int i = 0; i < lineas.size(); ++i) {
        const QString s = lineas[i].trimmed();
        if (!s.isEmpty() && !s.startsWith(QLatin1Char('#')))
            v.append({i + 1, s});
    }
    return v;
}

// ---------------------------------------------------------------------------------------
// What a source says

// A component as the source names it: by identifier, or by its place in the list ("@N").
struct Ref {
    bool m_bPosicion = false;
    int32_t m_n = 0;
};

Ref LeerRef(const QString& s, const QString& strDonde) {
    const QString t = s.trimmed();
    if (t.startsWith(QLatin1Char('@')))
        return {true, Entero(t.mid(1), strDonde)};
    return {false, Entero(t, strDonde)};
}

struct Entrada {
    Ref m_ref;
    CContenido m_c;
    bool m_bTexto = false; // the text is given; otherwise the component's name
    QString m_strDonde;
};

struct Componente {
    CComponentes m_c;
    bool m_bDescripcion = false, m_bPendiente = false, m_bOrdenada = false;
};

struct Reactivo {
    CReactivos m_r;
    std::vector<Entrada> m_entradas;
};

struct Reaccion {
    CReacciones m_r;
    Ref m_reactivos[3], m_productos[3], m_catalizador;
};

struct Indicador {
    CIndicadores m_i;
    Ref m_componente;
};

struct FaseFuente {
    double m_dVolumen = 0.0, m_dMasa = 0.0;
    std::vector<Entrada> m_entradas;
    std::vector<int32_t> m_indicadores;
    QString m_strDondeIndicadores;
};

struct Equipo {
    int32_t m_nTipo = 0, m_x = 0, m_y = 0;
    bool m_bRecipiente = false, m_bTubo = false, m_bParrilla = false;
    std::string m_strRotulo;
    int32_t m_nNivel = CExtension::kNivelDescrito; // a hot plate's
    double m_dTemperatura = 20.0, m_dReserva = 0.0;
    FaseFuente m_fases[3]; // liquid, solid, gas
    int32_t m_nSalida = 0;
};

struct Datos {
    std::string m_strNombre, m_strResumen, m_strFirma = CPractica::kFirma, m_strAutor, m_strExtra;
    std::string m_strMarco, m_strProcedimiento, m_strResultados;
    CFecha m_fecha = CFecha::DesdeCivil(2003, 1, 1);
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
    std::vector<Componente> m_componentes;
    std::vector<Reactivo> m_reactivos;
    std::vector<Reaccion> m_reacciones;
    std::vector<Indicador> m_indicadores;
    std::vector<Equipo> m_equipo;
    QHash<int32_t, CComponentes> m_tabla; // componentes.txt, when there is one
};

const char* const kFases[3] = {"liquida", "solida", "gaseosa"};

int LeerFase(const QString& s, const QString& strDonde) {
    const QString t = s.trimmed();
    for (int i = 0; i < 3; ++i)
        if (t == QLatin1String(kFases[i]))
            return i;
    if (t == QStringLiteral("líquida"))
        return 0;
    if (t == QStringLiteral("sólida"))
        return 1;
    Fallo(strDonde, QStringLiteral("fase desconocida «%1» (liquida, solida o gaseosa)").arg(t));
}

// One component in the 22 fields of the shared table.
CComponentes LeerComponente(const QStringList& c, const QString& strDonde) {
    using namespace Limites;
    if (c.size() != 22)
        Fallo(strDonde, QStringLiteral("se esperaban 22 campos y hay %1").arg(c.size()));
    // Each field says its name in a message, so that a wrong one is found in the long line.
    static const char* const kCampos[22] = {"id",
                                            "nombre",
                                            "fórmula",
                                            "masa molar",
                                            "densidad",
                                            "calor específico",
                                            "color",
                                            "estado",
                                            "constante",
                                            "fusión",
                                            "ebullición",
                                            "catión",
                                            "cationes",
                                            "carga del catión",
                                            "anión",
                                            "aniones",
                                            "carga del anión",
                                            "solubilidad 1",
                                            "temperatura 1",
                                            "solubilidad 2",
                                            "temperatura 2",
                                            "textura"};
    auto C = [&](int i) { return strDonde + QStringLiteral(": ") + QString::fromUtf8(kCampos[i]); };
    CComponentes k;
    k.m_nId = Entero(c[0], C(0));
    k.m_strNombre = Desescapar(c[1], C(1));
    k.m_strFormula = Desescapar(c[2], C(2));
    k.m_strDescripcion = Plantillas::DescripcionRtf(k.m_strFormula);
    k.m_dMasaMolar = Catalogo(c[3], C(3));
    k.m_dDensidad = Catalogo(c[4], C(4));
    k.m_dCalorEspecifico = Catalogo(c[5], C(5));
    k.m_crColor = Color(c[6], C(6));
    k.m_nEstado = EnteroEntre(c[7], C(7), ESTADO_SOLIDO, ESTADO_NINGUNO);
    k.m_dConstante = Catalogo(c[8], C(8));
    k.m_dPuntoFusion = Catalogo(c[9], C(9));
    k.m_dPuntoEbullicion = Catalogo(c[10], C(10));
    k.m_strCation = Desescapar(c[11], C(11));
    k.m_nCantidadCation = EnteroEntre(c[12], C(12), 0, kCuentaIones);
    k.m_nSignoCation = EnteroEntre(c[13], C(13), -kCuentaIones, kCuentaIones);
    k.m_strAnion = Desescapar(c[14], C(14));
    k.m_nCantidadAnion = EnteroEntre(c[15], C(15), 0, kCuentaIones);
    k.m_nSignoAnion = EnteroEntre(c[16], C(16), -kCuentaIones, kCuentaIones);
    k.m_dSolubilidad1 = Catalogo(c[17], C(17));
    k.m_dTemperatura1 = Catalogo(c[18], C(18));
    k.m_dSolubilidad2 = Catalogo(c[19], C(19));
    k.m_dTemperatura2 = Catalogo(c[20], C(20));
    k.m_nTextura = EnteroEntre(c[21], C(21), 0, kTextura);
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

// "coef x ref [phase]" slots joined by "+"; an empty field is no slot.
void Ranuras(const QString& s, Ref* pRef, int32_t* pnCoef, int32_t* pnFase,
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

int32_t Palabra(const QString& s, const char* pszCero, const char* pszUno,
                const QString& strDonde) {
    const QString t = s.trimmed();
    if (t == QLatin1String(pszCero))
        return 0;
    if (t == QLatin1String(pszUno))
        return 1;
    bool bOk = false;
    t.toInt(&bOk);
    if (!bOk)
        Fallo(strDonde, QStringLiteral("«%1» no es «%2» ni «%3»")
                            .arg(t, QLatin1String(pszCero), QLatin1String(pszUno)));
    return Entero(t, strDonde);
}

CFecha LeerFecha(const QString& s, const QString& strDonde) {
    const QStringList c = Campos(s);
    if (c.size() == 2) {
        CFecha f;
        f.m_nEstado = Entero(c[0], strDonde);
        f.m_dFecha = Numero(c[1], strDonde);
        return f;
    }
    static const QRegularExpression re(QStringLiteral(
        R"(^(\d{1,4})-(\d{1,2})-(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)"));
    const auto m = re.match(s.trimmed());
    if (!m.hasMatch())
        Fallo(strDonde, QStringLiteral("fecha no válida «%1» (AAAA-MM-DD o AAAA-MM-DD HH:MM:SS)")
                            .arg(s.trimmed()));
    auto parte = [&](int i, int nMin, int nMax) {
        return m.captured(i).isEmpty() ? 0 : EnteroEntre(m.captured(i), strDonde, nMin, nMax);
    };
    return CFecha::DesdeCivil(parte(1, 1, 9999), parte(2, 1, 12), parte(3, 1, 31), parte(4, 0, 23),
                              parte(5, 0, 59), parte(6, 0, 59));
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

enum class Bloque { Ninguno, Componente, Reactivo, Reaccion, Equipo };

Datos Leer(const Archivos& archivos, const QString& strNombre) {
    Datos d;
    if (!archivos.contains(QLatin1String(kPractica)))
        throw ErrorFuente{QStringLiteral("falta %1").arg(QLatin1String(kPractica))};
    const QString strArchivo = strNombre.isEmpty() ? QLatin1String(kPractica) : strNombre;
    bool bTabla = false;
    Bloque bloque = Bloque::Ninguno;
    for (const auto& [nLinea, strLinea] :
         Lineas(QString::fromUtf8(archivos.value(QLatin1String(kPractica))))) {
        const QString strDonde = QStringLiteral("%1:%2").arg(strArchivo).arg(nLinea);
        const int nIgual = strLinea.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            Fallo(strDonde, QStringLiteral("falta «=» (las líneas son «clave = valor»)"));
        const QString clave = strLinea.left(nIgual).trimmed();
        const QString valor = strLinea.mid(nIgual + 1).trimmed();
        const QStringList c = Campos(valor);
        auto campos = [&](int n, const QString& strQue) {
            if (c.size() != n)
                Fallo(
                    strDonde,
                    QStringLiteral("%1 tiene %2 campos y hay %3").arg(strQue).arg(n).arg(c.size()));
        };
        auto texto = [&] { return Desescapar(valor, strDonde); };
        // Header.
        if (clave == QLatin1String("nombre")) {
            d.m_strNombre = texto();
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("resumen")) {
            d.m_strResumen = texto();
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("autor")) {
            d.m_strAutor = texto();
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("extra")) {
            d.m_strExtra = texto();
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("firma")) {
            d.m_strFirma = texto();
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("fecha")) {
            d.m_fecha = LeerFecha(valor, strDonde);
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("velocidad")) {
            d.m_bVelocidad = Entero(valor, strDonde);
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("propiedades")) {
            d.m_bPropiedades = Entero(valor, strDonde);
            bloque = Bloque::Ninguno;
            // Catalogue.
        } else if (clave == QLatin1String("componentes")) {
            if (!bTabla) {
                if (!archivos.contains(QLatin1String(kComponentes)))
                    Fallo(strDonde, QStringLiteral("«componentes» necesita %1 junto a la fuente")
                                        .arg(QLatin1String(kComponentes)));
                d.m_tabla =
                    LeerTabla(QString::fromUtf8(archivos.value(QLatin1String(kComponentes))));
                bTabla = true;
            }
            for (const QString& id : valor.split(QLatin1Char(','))) {
                const int32_t n = Entero(id, strDonde);
                if (!d.m_tabla.contains(n))
                    Fallo(strDonde, QStringLiteral("componente %1 desconocido").arg(n));
                d.m_componentes.push_back({d.m_tabla.value(n)});
            }
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("componente")) {
            d.m_componentes.push_back({LeerComponente(c, strDonde)});
            bloque = Bloque::Componente;
        } else if (clave == QLatin1String("reactivo")) {
            campos(4, QStringLiteral("un reactivo"));
            Reactivo& r = d.m_reactivos.emplace_back();
            r.m_r.m_strNombre = Desescapar(c[0], strDonde);
            r.m_r.m_nEstado = Palabra(c[1], "solido", "liquido", strDonde);
            r.m_r.m_bPorProporcion = Palabra(c[2], "litro", "proporcion", strDonde);
            if (!c[3].isEmpty()) {
                for (const QString& parte : c[3].split(QLatin1Char(';'))) {
                    const QStringList mx = parte.split(QLatin1Char('x'));
                    if (mx.size() != 2)
                        Fallo(strDonde,
                              QStringLiteral("composición no válida «%1» (moles x componente)")
                                  .arg(parte.trimmed()));
                    Entrada e;
                    e.m_strDonde = strDonde;
                    e.m_ref = LeerRef(mx[1], strDonde);
                    e.m_c.m_dMoles = Cantidad(mx[0], strDonde);
                    r.m_entradas.push_back(e);
                }
            }
            bloque = Bloque::Reactivo;
        } else if (clave == QLatin1String("reaccion")) {
            campos(4, QStringLiteral("una reacción"));
            Reaccion& R = d.m_reacciones.emplace_back();
            R.m_r.m_nId = Entero(c[0], strDonde);
            R.m_r.m_strTexto1 = Desescapar(c[1], strDonde);
            R.m_r.m_bSinLimite = 1;
            Ranuras(c[2], R.m_reactivos, R.m_r.m_nCoefReactivo, R.m_r.m_nFaseReactivo, strDonde);
            Ranuras(c[3], R.m_productos, R.m_r.m_nCoefProducto, R.m_r.m_nFaseProducto, strDonde);
            bloque = Bloque::Reaccion;
        } else if (clave == QLatin1String("indicador")) {
            campos(8, QStringLiteral("un indicador"));
            Indicador& ind = d.m_indicadores.emplace_back();
            ind.m_i.m_nId = Entero(c[0], strDonde);
            ind.m_i.m_strNombre = Desescapar(c[1], strDonde);
            ind.m_componente = LeerRef(c[2], strDonde);
            ind.m_i.m_strTexto = Desescapar(c[3], strDonde);
            ind.m_i.m_crColorBajo = Color(c[4], strDonde);
            ind.m_i.m_dLimiteBajo = Catalogo(c[5], strDonde);
            ind.m_i.m_crColorAlto = Color(c[6], strDonde);
            ind.m_i.m_dLimiteAlto = Catalogo(c[7], strDonde);
            bloque = Bloque::Ninguno;
        } else if (clave == QLatin1String("equipo")) {
            // Bench.
            campos(3, QStringLiteral("un equipo"));
            if (d.m_equipo.size() >= static_cast<size_t>(Limites::kEquipos))
                Fallo(strDonde, QStringLiteral("demasiados equipos"));
            Equipo& e = d.m_equipo.emplace_back();
            e.m_nTipo = Entero(c[0], strDonde);
            const std::unique_ptr<CEquipo> p(CListaEquipo::CrearEquipo(e.m_nTipo));
            if (!p)
                Fallo(strDonde, QStringLiteral("tipo de equipo desconocido: %1").arg(e.m_nTipo));
            e.m_bRecipiente = dynamic_cast<CRecipiente*>(p.get()) != nullptr;
            e.m_bTubo = dynamic_cast<CTuboVidrio*>(p.get()) != nullptr;
            e.m_bParrilla = dynamic_cast<CParrilla*>(p.get()) != nullptr;
            e.m_x = EnteroEntre(c[1], strDonde + QStringLiteral(": x"), -Limites::kCoordenada,
                                Limites::kCoordenada);
            e.m_y = EnteroEntre(c[2], strDonde + QStringLiteral(": y"), -Limites::kCoordenada,
                                Limites::kCoordenada);
            bloque = Bloque::Equipo;
        } else if (bloque == Bloque::Componente) {
            CComponentes& k = d.m_componentes.back().m_c;
            if (clave == QLatin1String("descripcion")) {
                k.m_strDescripcion = texto();
                d.m_componentes.back().m_bDescripcion = true;
            } else if (clave == QLatin1String("pendiente")) {
                k.m_dPendiente = Catalogo(valor, strDonde);
                d.m_componentes.back().m_bPendiente = true;
            } else if (clave == QLatin1String("ordenada")) {
                k.m_dOrdenada = Catalogo(valor, strDonde);
                d.m_componentes.back().m_bOrdenada = true;
            } else {
                Fallo(strDonde,
                      QStringLiteral("clave desconocida «%1» en un componente").arg(clave));
            }
        } else if (bloque == Bloque::Reactivo) {
            if (clave != QLatin1String("entrada"))
                Fallo(strDonde, QStringLiteral("clave desconocida «%1» en un reactivo").arg(clave));
            d.m_reactivos.back().m_entradas.push_back(LeerEntrada(c, 0, strDonde));
        } else if (bloque == Bloque::Reaccion) {
            CReacciones& R = d.m_reacciones.back().m_r;
            // "valor | flag": the flag is given only when it is not the usual one.
            auto bandera = [&](int32_t nUsual) {
                if (c.size() > 2)
                    Fallo(strDonde, QStringLiteral("«%1» tiene uno o dos campos").arg(clave));
                return c.size() == 2 ? Entero(c[1], strDonde) : nUsual;
            };
            if (clave == QLatin1String("texto2")) {
                R.m_strTexto2 = texto();
            } else if (clave == QLatin1String("calor")) {
                R.m_dCalor = Catalogo(valor, strDonde);
            } else if (clave == QLatin1String("reservado")) {
                R.m_nReservado = Entero(valor, strDonde);
            } else if (clave == QLatin1String("tempminima")) {
                R.m_bTempMinima = bandera(1);
                R.m_dTempMinima = Catalogo(c[0], strDonde);
            } else if (clave == QLatin1String("limitepaso")) {
                R.m_bSinLimite = bandera(0);
                R.m_dLimitePaso = Catalogo(c[0], strDonde);
            } else if (clave == QLatin1String("equilibrio")) {
                R.m_bEquilibrio = bandera(1);
                R.m_dConstanteEquilibrio = Catalogo(c[0], strDonde);
            } else if (clave == QLatin1String("catalizador")) {
                d.m_reacciones.back().m_catalizador = LeerRef(valor, strDonde);
            } else if (clave == QLatin1String("limitecatalizado")) {
                R.m_dLimiteCatalizado = Catalogo(valor, strDonde);
            } else {
                Fallo(strDonde,
                      QStringLiteral("clave desconocida «%1» en una reacción").arg(clave));
            }
        } else if (bloque == Bloque::Equipo && clave == QLatin1String("rotulo")) {
            // Any item may carry a label; the window lets a student type one on a vessel.
            d.m_equipo.back().m_strRotulo = texto();
            if (d.m_equipo.back().m_strRotulo.size() > static_cast<size_t>(Limites::kRotulo))
                Fallo(strDonde,
                      QStringLiteral("el rótulo tiene más de %1 bytes").arg(Limites::kRotulo));
        } else if (bloque == Bloque::Equipo && clave == QLatin1String("nivel")) {
            Equipo& e = d.m_equipo.back();
            if (!e.m_bParrilla)
                Fallo(strDonde,
                      QStringLiteral("«nivel» no se aplica a un equipo de tipo %1").arg(e.m_nTipo));
            e.m_nNivel = EnteroEntre(valor, strDonde, 0, 5);
        } else if (bloque == Bloque::Equipo) {
            Equipo& e = d.m_equipo.back();
            const bool bSalida = clave == QLatin1String("salida");
            if (bSalida ? !e.m_bTubo : !e.m_bRecipiente)
                Fallo(strDonde, QStringLiteral("«%1» no se aplica a un equipo de tipo %2")
                                    .arg(clave)
                                    .arg(e.m_nTipo));
            if (bSalida) {
                e.m_nSalida = EnteroEntre(valor, strDonde, 0, 1);
            } else if (clave == QLatin1String("temperatura")) {
                e.m_dTemperatura =
                    NumeroEntre(valor, strDonde, Limites::kTemperaturaMinima, kTemperaturaMaxima);
            } else if (clave == QLatin1String("reserva")) {
                e.m_dReserva = Cantidad(valor, strDonde);
            } else if (clave == QLatin1String("contenido")) {
                const Entrada en = LeerEntrada(c, 1, strDonde);
                e.m_fases[LeerFase(c[0], strDonde)].m_entradas.push_back(en);
            } else if (clave == QLatin1String("indicadores")) {
                campos(2, QStringLiteral("«indicadores»"));
                FaseFuente& f = e.m_fases[LeerFase(c[0], strDonde)];
                f.m_strDondeIndicadores = strDonde;
                for (const QString& id : c[1].split(QLatin1Char(','), Qt::SkipEmptyParts))
                    f.m_indicadores.push_back(Entero(id, strDonde));
            } else {
                bool bFase = false;
                for (int i = 0; i < 3; ++i) {
                    if (clave == QLatin1String(kFases[i])) {
                        campos(2, QStringLiteral("una fase"));
                        e.m_fases[i].m_dVolumen = Cantidad(c[0], strDonde);
                        e.m_fases[i].m_dMasa = Cantidad(c[1], strDonde);
                        bFase = true;
                    }
                }
                if (!bFase)
                    Fallo(strDonde,
                          QStringLiteral("clave desconocida «%1» en un equipo").arg(clave));
            }
        } else {
            Fallo(strDonde, QStringLiteral("clave desconocida «%1»").arg(clave));
        }
    }
    d.m_strMarco = archivos.value(QLatin1String(kMarco)).toStdString();
    d.m_strProcedimiento = archivos.value(QLatin1String(kProcedimiento)).toStdString();
    d.m_strResultados = archivos.value(QLatin1String(kResultados)).toStdString();
    return d;
}

// ---------------------------------------------------------------------------------------
// Writing the file

// How the references of a source become what each kind of file stores: a template keeps
// identifiers (resolved when it is opened), a saved practice keeps places in the list.
class Resolutor {
public:
    Resolutor(const Datos& d, Tipo tipo) : m_d(d), m_tipo(tipo) {}

    int32_t Componente(const Ref& r) const {
        const int32_t n = Cuenta();
        if (m_tipo == Tipo::Plantilla) {
            if (!r.m_bPosicion)
                return r.m_n;
            return r.m_n >= 0 && r.m_n < n ? m_d.m_componentes[r.m_n].m_c.m_nId : NingunId();
        }
        return r.m_bPosicion ? r.m_n : Primero(r.m_n);
    }

    // The indicator's component: identifier 0 follows the pH.
    int32_t ComponenteIndicador(const Ref& r) const {
        if (!r.m_bPosicion && r.m_n == 0)
            return m_tipo == Tipo::Plantilla ? 0 : -1;
        return Componente(r);
    }

    // The component's name, as a composition entry carries it when the source gives none.
    std::string Nombre(const Ref& r) const {
        const int32_t i = r.m_bPosicion ? r.m_n : Primero(r.m_n);
        if (i >= 0 && i < Cuenta())
            return m_d.m_componentes[i].m_c.m_strNombre;
        if (!r.m_bPosicion && m_d.m_tabla.contains(r.m_n))
            return m_d.m_tabla.value(r.m_n).m_strNombre;
        return {};
    }

    // The place of the first component with the identifier, or past the end when none.
    int32_t Primero(int32_t nId) const {
        for (int32_t i = 0; i < Cuenta(); ++i)
            if (m_d.m_componentes[i].m_c.m_nId == nId)
                return i;
        return Cuenta();
    }

    int32_t Cuenta() const { return static_cast<int32_t>(m_d.m_componentes.size()); }

private:
    // An identifier that no component has.
    int32_t NingunId() const {
        int32_t n = 0;
        for (const auto& k : m_d.m_componentes)
            if (k.m_c.m_nId >= n && k.m_c.m_nId < INT32_MAX)
                n = k.m_c.m_nId + 1;
        return n;
    }

    const Datos& m_d;
    Tipo m_tipo;
};

CContenido Contenido(const Entrada& e, const Resolutor& res, int32_t nComponente) {
    CContenido c = e.m_c;
    c.m_nComponente = nComponente;
    if (!e.m_bTexto)
        c.m_strTexto = res.Nombre(e.m_ref);
    return c;
}

QByteArray Escribir(const Datos& d, Tipo tipo, QStringList* pavisos) {
    const bool bPractica = tipo == Tipo::Practica;
    const Resolutor res(d, tipo);
    // The catalogue as this kind of file stores it.
    CCatalogo cat;
    std::vector<CReacciones>& reacciones = cat.m_reacciones;
    for (const Reaccion& R : d.m_reacciones) {
        CReacciones r = R.m_r;
        for (int k = 0; k < 3; ++k) {
            r.m_nReactivo[k] = res.Componente(R.m_reactivos[k]);
            r.m_nProducto[k] = res.Componente(R.m_productos[k]);
        }
        r.m_nCatalizador = res.Componente(R.m_catalizador);
        reacciones.push_back(r);
    }
    std::vector<CReactivos>& reactivos = cat.m_reactivos;
    for (const Reactivo& R : d.m_reactivos) {
        CReactivos r = R.m_r;
        for (const Entrada& e : R.m_entradas)
            r.m_listaComposicion.push_back(Contenido(e, res, res.Componente(e.m_ref)));
        reactivos.push_back(r);
    }
    std::vector<CComponentes>& componentes = cat.m_componentes;
    for (const Componente& k : d.m_componentes) {
        CComponentes c = k.m_c;
        // A template stores no solubility line (it is drawn again when the template is
        // opened); a saved practice stores the one the program draws.
        double dPendiente = 0.0, dOrdenada = 0.0;
        if (bPractica) {
            c.AjustarSolubilidad();
            dPendiente = c.m_dPendiente;
            dOrdenada = c.m_dOrdenada;
        }
        c.m_dPendiente = k.m_bPendiente ? k.m_c.m_dPendiente : dPendiente;
        c.m_dOrdenada = k.m_bOrdenada ? k.m_c.m_dOrdenada : dOrdenada;
        componentes.push_back(c);
    }
    std::vector<CIndicadores>& indicadores = cat.m_indicadores;
    for (const Indicador& I : d.m_indicadores) {
        CIndicadores i = I.m_i;
        i.m_nComponente = res.ComponenteIndicador(I.m_componente);
        indicadores.push_back(i);
    }

    // The bench is built first: what it holds beyond the described records goes into the
    // extension block, right after the version.
    CListaEquipo lista(&cat);
    if (bPractica) {
        for (const Equipo& e : d.m_equipo) {
            CEquipo* p = CListaEquipo::CrearEquipo(e.m_nTipo);
            lista.AgregarAlFinal(p);
            p->m_x = e.m_x;
            p->m_y = e.m_y;
            p->m_strEtiqueta = e.m_strRotulo;
            if (auto* pa = dynamic_cast<CParrilla*>(p))
                pa->SetNivel(e.m_nNivel);
            auto* r = dynamic_cast<CRecipiente*>(p);
            if (!r)
                continue;
            r->m_seno.m_dTemperatura = e.m_dTemperatura;
            r->m_seno.m_dReserva = e.m_dReserva;
            CFase* fases[3] = {&r->m_seno.m_faseLiquida, &r->m_seno.m_faseSolida,
                               &r->m_seno.m_faseGas};
            for (int i = 0; i < 3; ++i) {
                const FaseFuente& f = e.m_fases[i];
                CFase& fase = *fases[i];
                fase.m_listaContenido.clear();
                fase.m_listaIndicadores.clear();
                fase.m_pAgua = nullptr;
                fase.m_crColorDibujado = 0;
                fase.m_dVolumen = f.m_dVolumen;
                fase.m_dMasa = f.m_dMasa;
                for (const Entrada& en : f.m_entradas) {
                    const int32_t n = res.Componente(en.m_ref);
                    // Every entry on the bench must name a component of the catalogue.
                    if (n < 0 || n >= res.Cuenta())
                        Fallo(en.m_strDonde,
                              QStringLiteral("el componente no está en el catálogo"));
                    fase.m_listaContenido.push_back(Contenido(en, res, n));
                }
                for (int32_t nId : f.m_indicadores) {
                    const int32_t k = cat.IndicadorPorId(nId);
                    if (k < 0)
                        Fallo(f.m_strDondeIndicadores,
                              QStringLiteral("no hay ningún indicador %1").arg(nId));
                    fase.m_listaIndicadores.push_back(k);
                }
            }
            if (auto* t = dynamic_cast<CTuboVidrio*>(p))
                t->SetSalida(e.m_nSalida);
        }
    } else if (!d.m_equipo.empty() && pavisos) {
        *pavisos << QStringLiteral(
                        "%1: una plantilla no guarda la mesa; se deja fuera (equipos: %2)")
                        .arg(QLatin1String(kPractica))
                        .arg(d.m_equipo.size());
    }
    // A template's block can only hold texts: it has no bench.
    const CExtension ext = CExtension::Tomar(d.m_strNombre, d.m_strResumen, d.m_strAutor,
                                             d.m_strExtra, cat, bPractica ? &lista : nullptr);

    CArchivo ar;
    ar << d.m_strNombre << d.m_strResumen << d.m_strFirma;
    if (bPractica)
        ar << std::string(ext.Vacia() ? CPractica::kVersion : CPractica::kVersionExtendida);
    if (bPractica && !ext.Vacia())
        ext.Escribir(ar);
    cat.Escribir(ar);
    ar << d.m_strMarco << d.m_strProcedimiento << d.m_strResultados << d.m_strAutor << d.m_strExtra
       << d.m_fecha << d.m_bVelocidad << d.m_bPropiedades;
    if (bPractica)
        lista.Escribir(ar);
    else
        CPractica::EscribirExtensionPlantilla(ar, ext);
    return QByteArray(reinterpret_cast<const char*>(ar.Datos().data()),
                      static_cast<qsizetype>(ar.Datos().size()));
}

// ---------------------------------------------------------------------------------------
// Exporting

// The head and the catalogue exactly as the file stores them (a template's identifiers
// unresolved, its solubility lines as stored).
struct Crudo {
    std::string m_strNombre, m_strResumen, m_strFirma, m_strMarco, m_strProcedimiento,
        m_strResultados, m_strAutor, m_strExtra;
    CCatalogo m_cat;
    CFecha m_fecha;
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
};

Crudo LeerCrudo(const std::vector<uint8_t>& datos, bool bPractica) {
    Crudo c;
    CArchivo ar(datos);
    ar >> c.m_strNombre >> c.m_strResumen >> c.m_strFirma;
    CExtension ext;
    if (bPractica)
        CPractica::LeerVersion(ar, ext);
    c.m_cat.Leer(ar, false);
    ar >> c.m_strMarco >> c.m_strProcedimiento >> c.m_strResultados >> c.m_strAutor >>
        c.m_strExtra >> c.m_fecha >> c.m_bVelocidad >> c.m_bPropiedades;
    if (!bPractica)
        ext = CPractica::ExtensionDe(datos);
    // The source holds the whole texts; compiling gives their Windows-1252 forms again.
    ext.AplicarTextos({&c.m_strNombre, &c.m_strResumen, &c.m_strAutor, &c.m_strExtra}, c.m_cat);
    return c;
}

// The catalogue the bench of an opened practice refers to.
const CCatalogo& CatalogoDe(const CPractica& practica) {
    return practica.m_catalogo;
}

class Escritor {
public:
    Escritor(const Crudo& c, bool bPractica) : m_c(c), m_bPractica(bPractica) {}

    void Linea(const QString& s = {}) {
        QString t = s;
        while (t.endsWith(QLatin1Char(' ')))
            t.chop(1);
        m_str += t + QLatin1Char('\n');
    }
    void Clave(const char* pszClave, const QString& s, int nSangria = 0) {
        Linea(QString(nSangria, QLatin1Char(' ')) + QLatin1String(pszClave) + QLatin1String(" = ") +
              s);
    }

    // How the source names what the file stores: a template's identifiers as they are; a
    // practice's place by the identifier when that finds it again, else by the place.
    QString Ref(int32_t n) const {
        if (!m_bPractica)
            return QString::number(n);
        const int32_t nCuenta = static_cast<int32_t>(m_c.m_cat.m_componentes.size());
        if (n >= 0 && n < nCuenta && Primero(m_c.m_cat.m_componentes[n].m_nId) == n)
            return QString::number(m_c.m_cat.m_componentes[n].m_nId);
        // No component: the identifier 0, when no component has it, finds none again.
        if (n == nCuenta && Primero(0) == nCuenta)
            return QStringLiteral("0");
        return QStringLiteral("@%1").arg(n);
    }

    QString RefIndicador(int32_t n) const {
        if (m_bPractica ? n == -1 : n == 0)
            return QStringLiteral("0");
        const QString s = Ref(n);
        return s == QLatin1String("0") ? QStringLiteral("@%1").arg(n) : s;
    }

    // The name a composition entry gets when the source gives none.
    std::string Nombre(int32_t n) const {
        const int32_t nCuenta = static_cast<int32_t>(m_c.m_cat.m_componentes.size());
        const int32_t i = m_bPractica ? n : Primero(n);
        return i >= 0 && i < nCuenta ? m_c.m_cat.m_componentes[i].m_strNombre : std::string();
    }

    int32_t Primero(int32_t nId) const {
        for (size_t i = 0; i < m_c.m_cat.m_componentes.size(); ++i)
            if (m_c.m_cat.m_componentes[i].m_nId == nId)
                return static_cast<int32_t>(i);
        return static_cast<int32_t>(m_c.m_cat.m_componentes.size());
    }

    QString EntradaCompleta(const CContenido& e) const {
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

    QString Fecha() const {
        const CFecha& f = m_c.m_fecha;
        int a = 0, m = 0, d = 0;
        if (f.ACivil(a, m, d) && a >= 1 && a <= 9999) {
            const long nSegundos = std::lround((f.m_dFecha - std::floor(f.m_dFecha)) * 86400.0);
            if (nSegundos >= 0 && nSegundos < 86400) {
                const int h = int(nSegundos / 3600), mi = int(nSegundos / 60 % 60),
                          s = int(nSegundos % 60);
                const CFecha g = CFecha::DesdeCivil(a, m, d, h, mi, s);
                if (std::memcmp(&g.m_dFecha, &f.m_dFecha, sizeof(double)) == 0) {
                    QString t = QStringLiteral("%1-%2-%3")
                                    .arg(a, 4, 10, QLatin1Char('0'))
                                    .arg(m, 2, 10, QLatin1Char('0'))
                                    .arg(d, 2, 10, QLatin1Char('0'));
                    if (nSegundos != 0)
                        t += QStringLiteral(" %1:%2:%3")
                                 .arg(h, 2, 10, QLatin1Char('0'))
                                 .arg(mi, 2, 10, QLatin1Char('0'))
                                 .arg(s, 2, 10, QLatin1Char('0'));
                    return t;
                }
            }
        }
        return QStringLiteral("%1 | %2").arg(f.m_nEstado).arg(N(f.m_dFecha));
    }

    void Cabecera() {
        Linea(QStringLiteral("# Fuente de una práctica de Alkor: «alkor-cli compilar CARPETA "
                             "SALIDA» la convierte"));
        Linea(QStringLiteral("# en plantilla (.akp) o en práctica guardada (.uak1). Las notas "
                             "son marco.rtf,"));
        Linea(QStringLiteral("# procedimiento.rtf y resultados.rtf. Véase "
                             "docs/fuente-practicas.md."));
        Clave("nombre", Escapar(m_c.m_strNombre));
        Clave("resumen", Escapar(m_c.m_strResumen));
        Clave("autor", Escapar(m_c.m_strAutor));
        Clave("fecha", Fecha());
        if (!m_c.m_strExtra.empty())
            Clave("extra", Escapar(m_c.m_strExtra));
        if (m_c.m_strFirma != CPractica::kFirma)
            Clave("firma", Escapar(m_c.m_strFirma));
        Clave("velocidad", QString::number(m_c.m_bVelocidad));
        Clave("propiedades", QString::number(m_c.m_bPropiedades));
    }

    void Componentes() {
        Linea();
        Linea(QStringLiteral("# id | nombre | fórmula | masa molar | densidad | calor específico "
                             "| color 0xBBGGRR |"));
        Linea(QStringLiteral("# estado | constante | fusión | ebullición | catión | cationes | "
                             "carga | anión |"));
        Linea(QStringLiteral("# aniones | carga | solubilidad 1 | a T1 | solubilidad 2 | a T2 | "
                             "textura"));
        for (const CComponentes& k : m_c.m_cat.m_componentes) {
            Clave("componente", QStringList{QString::number(k.m_nId),
                                            Escapar(k.m_strNombre),
                                            Escapar(k.m_strFormula),
                                            N(k.m_dMasaMolar),
                                            N(k.m_dDensidad),
                                            N(k.m_dCalorEspecifico),
                                            Hex(k.m_crColor),
                                            QString::number(k.m_nEstado),
                                            N(k.m_dConstante),
                                            N(k.m_dPuntoFusion),
                                            N(k.m_dPuntoEbullicion),
                                            Escapar(k.m_strCation),
                                            QString::number(k.m_nCantidadCation),
                                            QString::number(k.m_nSignoCation),
                                            Escapar(k.m_strAnion),
                                            QString::number(k.m_nCantidadAnion),
                                            QString::number(k.m_nSignoAnion),
                                            N(k.m_dSolubilidad1),
                                            N(k.m_dTemperatura1),
                                            N(k.m_dSolubilidad2),
                                            N(k.m_dTemperatura2),
                                            QString::number(k.m_nTextura)}
                                    .join(QLatin1String(" | ")));
            if (k.m_strDescripcion != Plantillas::DescripcionRtf(k.m_strFormula))
                Clave("descripcion", Escapar(k.m_strDescripcion), 2);
            CComponentes a = k;
            a.m_dPendiente = a.m_dOrdenada = 0.0;
            if (m_bPractica)
                a.AjustarSolubilidad();
            auto igual = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
            if (!igual(a.m_dPendiente, k.m_dPendiente) || !igual(a.m_dOrdenada, k.m_dOrdenada)) {
                Clave("pendiente", N(k.m_dPendiente), 2);
                Clave("ordenada", N(k.m_dOrdenada), 2);
            }
        }
    }

    void Reactivos() {
        if (!m_c.m_cat.m_reactivos.empty()) {
            Linea();
            Linea(QStringLiteral("# nombre | solido o liquido | litro (moles por litro o por "
                                 "kilogramo) o proporcion | moles x componente; …"));
        }
        for (const CReactivos& r : m_c.m_cat.m_reactivos) {
            bool bCorta = true;
            QStringList partes;
            for (const CContenido& e : r.m_listaComposicion) {
                bCorta = bCorta && e.m_bDisuelto == 0 && e.m_dGramos == 0.0 && e.m_dMl == 0.0 &&
                         e.m_dMolesAnion == 0.0 && e.m_dMolesCation == 0.0 &&
                         e.m_strTexto == Nombre(e.m_nComponente) && !std::signbit(e.m_dMoles);
                partes << QStringLiteral("%1 x %2").arg(N(e.m_dMoles), Ref(e.m_nComponente));
            }
            const QString estado = r.m_nEstado == 0   ? QStringLiteral("solido")
                                   : r.m_nEstado == 1 ? QStringLiteral("liquido")
                                                      : QString::number(r.m_nEstado);
            const QString medida = r.m_bPorProporcion == 0   ? QStringLiteral("litro")
                                   : r.m_bPorProporcion == 1 ? QStringLiteral("proporcion")
                                                             : QString::number(r.m_bPorProporcion);
            Clave("reactivo", QStringList{Escapar(r.m_strNombre), estado, medida,
                                          bCorta ? partes.join(QLatin1String("; ")) : QString()}
                                  .join(QLatin1String(" | ")));
            if (!bCorta)
                for (const CContenido& e : r.m_listaComposicion)
                    Clave("entrada", EntradaCompleta(e), 2);
        }
    }

    QString Ranuras(const int32_t* pn, const int32_t* pnCoef, const int32_t* pnFase) const {
        QStringList v;
        for (int k = 0; k < 3; ++k)
            v << QStringLiteral("%1 x %2 [%3]").arg(pnCoef[k]).arg(Ref(pn[k])).arg(pnFase[k]);
        // Empty slots at the end are the usual ones.
        while (!v.isEmpty() && v.back() == QLatin1String("0 x 0 [0]"))
            v.removeLast();
        return v.join(QLatin1String(" + "));
    }

    void Reacciones() {
        if (!m_c.m_cat.m_reacciones.empty()) {
            Linea();
            Linea(QStringLiteral("# id | texto | reactivos | productos; cada uno «coeficiente x "
                                 "componente [fase]»"));
        }
        for (const CReacciones& r : m_c.m_cat.m_reacciones) {
            Clave("reaccion",
                  QStringList{QString::number(r.m_nId), Escapar(r.m_strTexto1),
                              Ranuras(r.m_nReactivo, r.m_nCoefReactivo, r.m_nFaseReactivo),
                              Ranuras(r.m_nProducto, r.m_nCoefProducto, r.m_nFaseProducto)}
                      .join(QLatin1String(" | ")));
            if (!r.m_strTexto2.empty())
                Clave("texto2", Escapar(r.m_strTexto2), 2);
            if (r.m_dCalor != 0.0 || std::signbit(r.m_dCalor))
                Clave("calor", N(r.m_dCalor), 2);
            if (r.m_nReservado != 0)
                Clave("reservado", QString::number(r.m_nReservado), 2);
            auto opcion = [&](const char* psz, double d, int32_t nBandera, int32_t nUsual,
                              int32_t nSinNada) {
                if (nBandera == nSinNada && d == 0.0 && !std::signbit(d))
                    return;
                Clave(psz,
                      nBandera == nUsual ? N(d) : QStringLiteral("%1 | %2").arg(N(d)).arg(nBandera),
                      2);
            };
            opcion("tempminima", r.m_dTempMinima, r.m_bTempMinima, 1, 0);
            opcion("limitepaso", r.m_dLimitePaso, r.m_bSinLimite, 0, 1);
            opcion("equilibrio", r.m_dConstanteEquilibrio, r.m_bEquilibrio, 1, 0);
            if (Ref(r.m_nCatalizador) != QLatin1String("0"))
                Clave("catalizador", Ref(r.m_nCatalizador), 2);
            if (r.m_dLimiteCatalizado != 0.0 || std::signbit(r.m_dLimiteCatalizado))
                Clave("limitecatalizado", N(r.m_dLimiteCatalizado), 2);
        }
    }

    void Indicadores() {
        if (!m_c.m_cat.m_indicadores.empty()) {
            Linea();
            Linea(QStringLiteral("# id | nombre | componente (0: el pH) | texto | color bajo | "
                                 "límite bajo | color alto | límite alto"));
        }
        for (const CIndicadores& i : m_c.m_cat.m_indicadores)
            Clave("indicador", QStringList{QString::number(i.m_nId), Escapar(i.m_strNombre),
                                           RefIndicador(i.m_nComponente), Escapar(i.m_strTexto),
                                           Hex(i.m_crColorBajo), N(i.m_dLimiteBajo),
                                           Hex(i.m_crColorAlto), N(i.m_dLimiteAlto)}
                                   .join(QLatin1String(" | ")));
    }

    void Mesa(const CPractica& practica) {
        const CListaEquipo& lista = practica.m_listaEquipo;
        if (lista.empty())
            return;
        Linea();
        Linea(QStringLiteral("# La mesa, del equipo de más abajo al de más arriba: tipo | x | y"));
        for (const CEquipo* e : lista) {
            const CTipoEquipo* t = BuscarTipo(e->m_nTipo);
            Linea(QStringLiteral("# %1").arg(t ? QString::fromUtf8(t->pszNombre) : QString()));
            Clave("equipo", QStringLiteral("%1 | %2 | %3").arg(e->m_nTipo).arg(e->m_x).arg(e->m_y));
            if (!e->m_strEtiqueta.empty())
                Clave("rotulo", Escapar(e->m_strEtiqueta), 2);
            if (const auto* p = dynamic_cast<const CParrilla*>(e);
                p && p->Nivel() != CExtension::kNivelDescrito)
                Clave("nivel", QString::number(p->Nivel()), 2);
            const auto* r = dynamic_cast<const CRecipiente*>(e);
            if (!r)
                continue;
            Clave("temperatura", N(r->m_seno.m_dTemperatura), 2);
            if (r->m_seno.m_dReserva != 0.0)
                Clave("reserva", N(r->m_seno.m_dReserva), 2);
            const CFase* fases[3] = {&r->m_seno.m_faseLiquida, &r->m_seno.m_faseSolida,
                                     &r->m_seno.m_faseGas};
            for (int i = 0; i < 3; ++i) {
                const CFase& f = *fases[i];
                if (f.m_dVolumen != 0.0 || f.m_dMasa != 0.0)
                    Clave(kFases[i], QStringLiteral("%1 | %2").arg(N(f.m_dVolumen), N(f.m_dMasa)),
                          2);
                for (const CContenido& c : f.m_listaContenido)
                    Clave("contenido",
                          QLatin1String(kFases[i]) + QLatin1String(" | ") + EntradaCompleta(c), 2);
                if (!f.m_listaIndicadores.empty()) {
                    QStringList ids;
                    for (int32_t k : f.m_listaIndicadores)
                        if (const CIndicadores* p = CatalogoDe(practica).Indicador(k))
                            ids << QString::number(p->m_nId);
                    Clave("indicadores",
                          QLatin1String(kFases[i]) + QLatin1String(" | ") +
                              ids.join(QLatin1String(", ")),
                          2);
                }
            }
            if (const auto* t = dynamic_cast<const CTuboVidrio*>(e))
                Clave("salida", QString::number(t->m_nSalida), 2);
        }
    }

    QString m_str;

private:
    const Crudo& m_c;
    bool m_bPractica;
};

QString Mensaje(const ErrorFuente& e) {
    return e.m_strTexto;
}

} // namespace

QByteArray Compilar(const Archivos& archivos, Tipo tipo, QString* pstrError, QStringList* pavisos,
                    const QString& strNombre) {
    try {
        return Escribir(Leer(archivos, strNombre), tipo, pavisos);
    } catch (const ErrorFuente& e) {
        if (pstrError)
            *pstrError = Mensaje(e);
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = QStringLiteral("%1: %2").arg(QLatin1String(kPractica),
                                                      QString::fromStdString(e.what()));
    }
    return {};
}

QByteArray CompilarCarpeta(const QString& strCarpeta, Tipo tipo, QString* pstrError,
                           QStringList* pavisos) {
    // Joined as strings: QDir would take the name through Qt's own encoding.
    const QString strBase =
        strCarpeta.endsWith(QLatin1Char('/')) ? strCarpeta : strCarpeta + QLatin1Char('/');
    struct stat st {};
    const int nEstado = strCarpeta.isEmpty() ? ENOENT : Rutas::Estado(strCarpeta, st);
    if (nEstado != 0 || !S_ISDIR(st.st_mode)) {
        if (pstrError)
            *pstrError = strCarpeta.isEmpty() ? Traducir("No se indicó la carpeta de la fuente.")
                         : nEstado == 0 ? QStringLiteral("%1 no es una carpeta.").arg(strCarpeta)
                         : nEstado == ENOENT
                             ? QStringLiteral("No se encontró la carpeta %1.").arg(strCarpeta)
                             : CPractica::TextoError(nEstado, strCarpeta);
        return {};
    }
    Archivos archivos;
    for (const char* psz : {kPractica, kComponentes, kMarco, kProcedimiento, kResultados}) {
        const QString strRuta = strBase + QLatin1String(psz);
        std::vector<uint8_t> datos;
        QString strError;
        const CPractica::Resultado r = CPractica::LeerArchivo(strRuta, datos, &strError);
        if (r == CPractica::Resultado::Error) {
            if (pstrError)
                *pstrError = strError;
            return {};
        }
        if (r == CPractica::Resultado::NoExiste) {
            if (std::strcmp(psz, kPractica) == 0) {
                if (pstrError)
                    *pstrError = QStringLiteral("No se encontró %1.").arg(strRuta);
                return {};
            }
            continue;
        }
        archivos.insert(QLatin1String(psz), QByteArray(reinterpret_cast<const char*>(datos.data()),
                                                       static_cast<qsizetype>(datos.size())));
    }
    QString strError;
    const QByteArray bytes = Compilar(archivos, tipo, &strError, pavisos);
    if (bytes.isEmpty() && pstrError)
        *pstrError = strBase + strError;
    return bytes;
}

bool Exportar(const std::vector<uint8_t>& datos, const QString& strArchivo, Archivos& archivos,
              QString* pstrError) {
    const bool bPractica = CPractica::EsPractica(datos);
    QString strError;
    CPractica practica;
    const CPractica::Resultado r = bPractica ? practica.LeerPractica(datos, strArchivo, &strError)
                                             : practica.LeerPlantilla(datos, strArchivo, &strError);
    if (r != CPractica::Resultado::Correcto) {
        if (pstrError)
            *pstrError = strError;
        return false;
    }
    Crudo c;
    try {
        c = LeerCrudo(datos, bPractica);
    } catch (const CErrorArchivo& e) {
        if (pstrError)
            *pstrError = CPractica::TextoError(e, strArchivo);
        return false;
    }
    Escritor w(c, bPractica);
    w.Cabecera();
    w.Componentes();
    w.Reactivos();
    w.Reacciones();
    w.Indicadores();
    w.Mesa(practica);
    archivos.clear();
    archivos.insert(QLatin1String(kPractica), w.m_str.toUtf8());
    archivos.insert(QLatin1String(kMarco), QByteArray::fromStdString(c.m_strMarco));
    archivos.insert(QLatin1String(kProcedimiento), QByteArray::fromStdString(c.m_strProcedimiento));
    archivos.insert(QLatin1String(kResultados), QByteArray::fromStdString(c.m_strResultados));
    return true;
}

namespace {

// Removes what a failed or finished export leaves in a folder it made: the files it wrote,
// then the folder. False when something else is still in it.
bool Retirar(const QString& strCarpeta, const Archivos& archivos) {
    for (auto it = archivos.cbegin(); it != archivos.cend(); ++it)
        ::unlink(Rutas::Codificar(strCarpeta + QLatin1Char('/') + it.key()).constData());
    return ::rmdir(Rutas::Codificar(strCarpeta).constData()) == 0;
}

} // namespace

bool EscribirCarpeta(const Archivos& archivos, const QString& strCarpeta, QString* pstrError,
                     QStringList* pavisos) {
    auto fallo = [pstrError](const QString& s) {
        if (pstrError)
            *pstrError = s;
        return false;
    };
    QString strDestino = strCarpeta;
    while (strDestino.size() > 1 && strDestino.endsWith(QLatin1Char('/')))
        strDestino.chop(1);
    if (strDestino.isEmpty())
        return fallo(Traducir("No se indicó la carpeta donde se debe escribir la fuente."));
    struct stat st {};
    const int nEstado = Rutas::Estado(strDestino, st);
    const bool bExiste = nEstado == 0;
    if (bExiste && !S_ISDIR(st.st_mode))
        return fallo(QStringLiteral("%1 existe y no es una carpeta.").arg(strCarpeta));
    if (!bExiste && nEstado != ENOENT)
        return fallo(CPractica::TextoError(nEstado, strCarpeta));
    if (bExiste) {
        // A link to a folder stays a link: the folder it leads to is the one replaced.
        if (char* psz = ::realpath(Rutas::Codificar(strDestino).constData(), nullptr)) {
            strDestino = Rutas::Decodificar(QByteArray(psz));
            ::free(psz);
        }
        if (strDestino == QLatin1String("/"))
            return fallo(Traducir("No se puede sustituir la carpeta raíz por una fuente."));
    }
    const qsizetype nBarra = strDestino.lastIndexOf(QLatin1Char('/'));
    const QString strPadre = nBarra < 0    ? QStringLiteral(".")
                             : nBarra == 0 ? QStringLiteral("/")
                                           : strDestino.left(nBarra);
    if (!bExiste) {
        if (const int nErrno = Rutas::CrearCarpetas(strPadre))
            return fallo(Traducir("No se pudo crear la carpeta %1: %2")
                             .arg(strPadre, CPractica::TextoError(nErrno, strPadre)));
    }

    // The files are made in a new folder beside the old one, so that the old one is not
    // touched until all of the new one is on the disk: a full disk, a quota or a cut
    // half-way leave the old source whole, never half old and half new.
    auto crear = [](const QString& strJunto, QString& strNueva) {
        int nErrno = EEXIST;
        for (int i = 0; i < 100 && nErrno == EEXIST; ++i) {
            strNueva = Rutas::NombreTemporal(strJunto, "exportando");
            nErrno = ::mkdir(Rutas::Codificar(strNueva).constData(), 0777) == 0 ? 0 : errno;
        }
        return nErrno;
    };
    // The folder this program runs in is not swapped away from under it (a shell in it
    // would find itself in a removed folder); nor can one be made beside a folder whose
    // parent is not writable. There the files are prepared inside the folder and each is
    // then renamed over its old copy: still nothing is touched until all are on the disk.
    struct stat aqui {};
    bool bDentro =
        bExiste && ::stat(".", &aqui) == 0 && aqui.st_dev == st.st_dev && aqui.st_ino == st.st_ino;
    QString strNueva;
    int nErrno = crear(bDentro ? strDestino + QStringLiteral("/fuente") : strDestino, strNueva);
    if (bExiste && !bDentro && (nErrno == EACCES || nErrno == EPERM || nErrno == EROFS)) {
        bDentro = true;
        nErrno = crear(strDestino + QStringLiteral("/fuente"), strNueva);
    }
    const QString& strDonde = bDentro ? strDestino : strPadre;
    if (nErrno != 0)
        return fallo(nErrno == EACCES || nErrno == EPERM
                         ? Traducir("No se puede escribir la fuente en %1: no tiene permiso "
                                    "para escribir en la carpeta %2.")
                               .arg(strCarpeta, strDonde)
                     : nErrno == EROFS
                         ? Traducir("No se puede escribir la fuente en %1: la carpeta %2 está "
                                    "en un disco de solo lectura.")
                               .arg(strCarpeta, strDonde)
                         : CPractica::TextoError(nErrno, strCarpeta));
    if (bExiste)
        ::chmod(Rutas::Codificar(strNueva).constData(), st.st_mode & 07777);
    for (auto it = archivos.cbegin(); it != archivos.cend(); ++it) {
        nErrno = Rutas::EscribirNuevo(strNueva + QLatin1Char('/') + it.key(),
                                      it.value().constData(), it.value().size(), 0666);
        if (nErrno != 0) {
            Retirar(strNueva, archivos);
            const QString strArchivo = strCarpeta + QLatin1Char('/') + it.key();
            return fallo(bExiste ? Traducir("%1 La carpeta %2 queda como estaba.")
                                       .arg(CPractica::TextoError(nErrno, strArchivo), strCarpeta)
                                 : CPractica::TextoError(nErrno, strArchivo));
        }
    }
    Rutas::SincronizarCarpeta(strNueva);

    const QByteArray nueva = Rutas::Codificar(strNueva), destino = Rutas::Codificar(strDestino);
    if (bDentro) {
        for (auto it = archivos.cbegin(); it != archivos.cend(); ++it)
            if (::rename(Rutas::Codificar(strNueva + QLatin1Char('/') + it.key()).constData(),
                         Rutas::Codificar(strDestino + QLatin1Char('/') + it.key()).constData()) !=
                0) {
                nErrno = errno;
                Retirar(strNueva, archivos);
                return fallo(
                    CPractica::TextoError(nErrno, strCarpeta + QLatin1Char('/') + it.key()));
            }
        ::rmdir(nueva.constData());
        Rutas::SincronizarCarpeta(strDestino);
        return true;
    }
    if (!bExiste) {
        if (::rename(nueva.constData(), destino.constData()) != 0) {
            nErrno = errno;
            Retirar(strNueva, archivos);
            return fallo(CPractica::TextoError(nErrno, strCarpeta));
        }
        Rutas::SincronizarCarpeta(strPadre);
        return true;
    }
    // The two folders trade places in one step; where the file system cannot, the old one
    // steps aside first and comes back if the new one cannot take its place.
    QString strVieja = strNueva;
    if (::renameat2(AT_FDCWD, nueva.constData(), AT_FDCWD, destino.constData(), RENAME_EXCHANGE) !=
        0) {
        nErrno = errno;
        bool bHecho = false;
        if (nErrno == EINVAL || nErrno == ENOSYS) {
            strVieja = Rutas::NombreTemporal(strDestino, "anterior");
            const QByteArray vieja = Rutas::Codificar(strVieja);
            if (::rename(destino.constData(), vieja.constData()) != 0) {
                nErrno = errno;
            } else if (::rename(nueva.constData(), destino.constData()) == 0) {
                bHecho = true;
            } else {
                nErrno = errno;
                ::rename(vieja.constData(), destino.constData());
            }
        }
        if (!bHecho) {
            Retirar(strNueva, archivos);
            return fallo(Traducir("No se pudo sustituir la carpeta %1, que queda como estaba: %2")
                             .arg(strCarpeta, CPractica::TextoError(nErrno, strCarpeta)));
        }
    }
    Rutas::SincronizarCarpeta(strPadre);
    // What else the old folder held (a shared table of components, notes of the teacher's
    // own, a repository) goes on living in the folder; the old copies of the files written
    // go with the old folder.
    QStringList otros;
    Rutas::Listar(strVieja, otros);
    bool bQuedan = false;
    for (const QString& s : otros) {
        if (archivos.contains(s))
            continue;
        if (::rename(Rutas::Codificar(strVieja + QLatin1Char('/') + s).constData(),
                     Rutas::Codificar(strDestino + QLatin1Char('/') + s).constData()) != 0)
            bQuedan = true;
    }
    if ((bQuedan || !Retirar(strVieja, archivos)) && pavisos)
        *pavisos << Traducir("la carpeta anterior se ha conservado en %1, con lo que no se pudo "
                             "pasar a la nueva.")
                        .arg(strVieja);
    return true;
}

} // namespace Fuente
