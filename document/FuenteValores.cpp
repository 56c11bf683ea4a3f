#include "document/FuenteValores.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstring>

namespace Fuente {

void Fallo(const QString& strDonde, const QString& s) {
    throw ErrorFuente{strDonde + QStringLiteral(": ") + s};
}

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

QString N(double d) {
    if (d == 0.0 && std::signbit(d))
        return QStringLiteral("-0");
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

QString Hex(COLORREF cr) {
    return QStringLiteral("0x%1").arg(cr, 6, 16, QLatin1Char('0')).toUpper().replace("0X", "0x");
}

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

QString TextoFecha(const CFecha& f) {
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

Ref LeerRef(const QString& s, const QString& strDonde) {
    const QString t = s.trimmed();
    if (t.startsWith(QLatin1Char('@')))
        return {true, Entero(t.mid(1), strDonde)};
    return {false, Entero(t, strDonde)};
}

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

} // namespace Fuente
