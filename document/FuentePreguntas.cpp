// The questions of a practice in its source: "preguntas.txt", one line per key, fields
// split by "|" as in "practica.txt".
#include "document/Fuente.h"
#include "document/FuenteValores.h"
#include "document/Preguntas.h"

namespace Fuente {

namespace {

QString HexDe(const Sorteo::Huella& h) {
    return QString::fromStdString(Sorteo::Hex(h));
}

Sorteo::Huella LeerHuella(const QString& s, const QString& strDonde) {
    Sorteo::Huella h{};
    if (!Sorteo::DeHex(s.toStdString(), h))
        Fallo(strDonde, QStringLiteral("se esperaban 64 cifras hexadecimales en minúscula"));
    return h;
}

} // namespace

QString EscribirPreguntas(const CTarea& t) {
    QString s;
    auto linea = [&s](const char* pszClave, const QStringList& campos) {
        s += QLatin1String(pszClave) + QStringLiteral(" = ") + campos.join(QStringLiteral(" | ")) +
             QLatin1Char('\n');
    };
    linea(t.m_bProfesor ? "secreto" : "clave", {HexDe(t.m_clave)});
    if (t.m_bExamen)
        linea("examen", {QStringLiteral("1")});
    if (t.m_bEmpezada)
        linea("alumno", {Escapar(t.m_strAlumno), Escapar(t.m_strGrupo), HexDe(t.m_semilla),
                         HexDe(t.m_sello)});
    for (const CIncognita& x : t.m_incognitas)
        linea("incognita", {Escapar(x.m_strNombre), QString::number(x.m_nReactivo),
                            QString::number(x.m_nEntrada), N(x.m_dMinimo), N(x.m_dMaximo)});
    for (const CPregunta& q : t.m_preguntas) {
        if (q.m_nTipo == CPregunta::kNumerica) {
            linea("numerica", {Escapar(q.m_strTexto), Escapar(q.m_strUnidad),
                               Escapar(q.m_strEsperado), N(q.m_dTolerancia),
                               q.m_bPorcentaje ? QStringLiteral("%") : QStringLiteral("abs"),
                               QString::number(q.m_nCifras), N(q.m_dPuntos),
                               QString::number(q.m_bComprobable)});
        } else if (q.m_nTipo == CPregunta::kOpciones) {
            QStringList c{Escapar(q.m_strTexto), QString::number(q.m_nCorrecta + 1), N(q.m_dPuntos),
                          QString::number(q.m_bComprobable)};
            for (const std::string& o : q.m_opciones)
                c << Escapar(o);
            linea("opciones", c);
        } else {
            linea("libre", {Escapar(q.m_strTexto), N(q.m_dPuntos)});
        }
    }
    for (size_t i = 0; i < t.m_respuestas.size(); ++i)
        if (!t.m_respuestas[i].empty())
            linea("respuesta", {QString::number(i + 1), Escapar(t.m_respuestas[i])});
    return s;
}

CTarea LeerPreguntas(const QByteArray& texto) {
    CTarea t;
    bool bClave = false;
    std::vector<std::pair<int, std::string>> respuestas;
    for (const auto& [n, strLinea] : Lineas(QString::fromUtf8(texto))) {
        const QString strDonde = QStringLiteral("%1:%2").arg(QLatin1String(kPreguntas)).arg(n);
        const qsizetype nIgual = strLinea.indexOf(QLatin1Char('='));
        if (nIgual < 0)
            Fallo(strDonde, QStringLiteral("falta «=»"));
        const QString strClave = strLinea.left(nIgual).trimmed();
        const QStringList c = Campos(strLinea.mid(nIgual + 1));
        auto campos = [&](qsizetype nMinimo, qsizetype nMaximo) {
            if (c.size() < nMinimo || c.size() > nMaximo)
                Fallo(strDonde, QStringLiteral("«%1» lleva de %2 a %3 campos")
                                    .arg(strClave)
                                    .arg(nMinimo)
                                    .arg(nMaximo));
        };
        auto texto1 = [&](int i) { return Desescapar(c[i], strDonde); };
        if (strClave == QLatin1String("secreto") || strClave == QLatin1String("clave")) {
            campos(1, 1);
            t.m_bProfesor = strClave == QLatin1String("secreto");
            t.m_clave = LeerHuella(c[0], strDonde);
            bClave = true;
        } else if (strClave == QLatin1String("examen")) {
            campos(1, 1);
            t.m_bExamen = EnteroEntre(c[0], strDonde, 0, 1);
        } else if (strClave == QLatin1String("alumno")) {
            campos(4, 4);
            t.m_bEmpezada = true;
            t.m_strAlumno = texto1(0);
            t.m_strGrupo = texto1(1);
            t.m_semilla = LeerHuella(c[2], strDonde);
            t.m_sello = LeerHuella(c[3], strDonde);
        } else if (strClave == QLatin1String("incognita")) {
            campos(5, 5);
            t.m_incognitas.push_back({texto1(0), EnteroEntre(c[1], strDonde, 0, INT32_MAX),
                                      EnteroEntre(c[2], strDonde, 0, INT32_MAX),
                                      NumeroEntre(c[3], strDonde, 0.0, Limites::kValorCatalogo),
                                      NumeroEntre(c[4], strDonde, 0.0, Limites::kValorCatalogo)});
        } else if (strClave == QLatin1String("numerica")) {
            campos(8, 8);
            CPregunta q;
            q.m_strTexto = texto1(0);
            q.m_strUnidad = texto1(1);
            q.m_strEsperado = texto1(2);
            q.m_dTolerancia = NumeroEntre(c[3], strDonde, 0.0, Limites::kValorCatalogo);
            if (c[4] != QLatin1String("%") && c[4] != QLatin1String("abs"))
                Fallo(strDonde, QStringLiteral("la tolerancia es «%» o «abs»"));
            q.m_bPorcentaje = c[4] == QLatin1String("%");
            q.m_nCifras = EnteroEntre(c[5], strDonde, 0, 15);
            q.m_dPuntos = NumeroEntre(c[6], strDonde, 0.0, 1000.0);
            q.m_bComprobable = EnteroEntre(c[7], strDonde, 0, 1);
            t.m_preguntas.push_back(q);
        } else if (strClave == QLatin1String("opciones")) {
            campos(4, 24);
            CPregunta q;
            q.m_nTipo = CPregunta::kOpciones;
            q.m_strTexto = texto1(0);
            q.m_dPuntos = NumeroEntre(c[2], strDonde, 0.0, 1000.0);
            q.m_bComprobable = EnteroEntre(c[3], strDonde, 0, 1);
            for (int i = 4; i < c.size(); ++i)
                q.m_opciones.push_back(texto1(i));
            q.m_nCorrecta =
                EnteroEntre(c[1], strDonde, 0, static_cast<int32_t>(q.m_opciones.size())) - 1;
            t.m_preguntas.push_back(q);
        } else if (strClave == QLatin1String("libre")) {
            campos(2, 2);
            CPregunta q;
            q.m_nTipo = CPregunta::kLibre;
            q.m_strTexto = texto1(0);
            q.m_dPuntos = NumeroEntre(c[1], strDonde, 0.0, 1000.0);
            t.m_preguntas.push_back(q);
        } else if (strClave == QLatin1String("respuesta")) {
            campos(2, 2);
            respuestas.emplace_back(EnteroEntre(c[0], strDonde, 1, 200), texto1(1));
        } else {
            Fallo(strDonde, QStringLiteral("clave desconocida «%1»").arg(strClave));
        }
    }
    if (!bClave)
        Fallo(QLatin1String(kPreguntas), QStringLiteral("falta «secreto» o «clave»"));
    if (t.m_bEmpezada)
        t.m_respuestas.resize(t.m_preguntas.size());
    for (const auto& [n, s] : respuestas) {
        if (!t.m_bEmpezada || static_cast<size_t>(n) > t.m_preguntas.size())
            Fallo(QLatin1String(kPreguntas), QStringLiteral("respuesta %1 sin su pregunta").arg(n));
        t.m_respuestas[static_cast<size_t>(n - 1)] = s;
    }
    return t;
}

} // namespace Fuente
