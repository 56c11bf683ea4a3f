#include "document/Plantillas.h"

#include "document/Fuente.h"
#include "model/Archivo.h"
#include "model/Componentes.h"
#include "model/Reacciones.h"
#include "model/Reactivos.h"

#include <QFile>

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

std::string Texto(int nNumero, const char* pszSeccion) {
    return Leer(QStringLiteral(":/practicas/%1/%2.rtf").arg(nNumero).arg(QLatin1String(pszSeccion)))
        .toStdString();
}

// The identifier of a template's first component, which must be water: the model takes the
// first component of the catalogue for it.
int32_t PrimerComponente(const QByteArray& bytes) {
    CArchivo ar(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ar.LeerCadena();
    ar.LeerCadena();
    ar.LeerCadena();
    for (int32_t n = ar.LeerCuenta(CReacciones::kBytesMinimos); n > 0; --n)
        CReacciones().Serialize(ar);
    for (int32_t n = ar.LeerCuenta(CReactivos::kBytesMinimos); n > 0; --n)
        CReactivos().Serialize(ar);
    if (ar.LeerCuenta(CComponentes::kBytesMinimos) == 0)
        return -1;
    CComponentes k;
    k.Serialize(ar);
    return k.m_nId;
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

// The template from its readable source: the template text under its own name, the shared
// table, and the notes, author and date of the practice (its "datos.txt" says the last two
// in the same "clave = valor" lines).
QByteArray Componer(const QString& strComponentes, const QString& strPlantilla,
                    const QString& strArchivo, const Fuente::Archivos& notas,
                    const QString& strDatos) {
    Fuente::Archivos archivos = notas;
    archivos.insert(QLatin1String(Fuente::kPractica),
                    (strPlantilla + QLatin1Char('\n') + strDatos).toUtf8());
    archivos.insert(QLatin1String(Fuente::kComponentes), strComponentes.toUtf8());
    QString strError;
    const QByteArray bytes =
        Fuente::Compilar(archivos, Fuente::Tipo::Plantilla, &strError, nullptr, strArchivo);
    if (bytes.isEmpty())
        throw ErrorFuente{strError};
    if (PrimerComponente(bytes) != 1)
        throw ErrorFuente{strArchivo + QStringLiteral(": el agua debe ser el primer componente")};
    return bytes;
}

} // namespace

bool Integrada(int nNumero) {
    return nNumero >= kPrimera &&
           (nNumero <= kUltima ||
            QFile::exists(QStringLiteral(":/plantillas/%1.txt").arg(nNumero)));
}

QByteArray DesdeFuentes(const QString& strComponentes, const QString& strPlantilla,
                        QString* pstrError) {
    try {
        return Componer(strComponentes, strPlantilla, QStringLiteral("plantilla.txt"), {}, {});
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
    if (!Integrada(nNumero))
        return {};
    try {
        // "datos.txt" holds "clave = valor" lines, as a practice source does.
        const QString strDatos = Leer(QStringLiteral(":/practicas/%1/datos.txt").arg(nNumero));
        for (const QString& strLinea : strDatos.split(QLatin1Char('\n'))) {
            const int nIgual = strLinea.indexOf(QLatin1Char('='));
            if (nIgual > 0 && strLinea.left(nIgual).trimmed() == QLatin1String("autor"))
                return strLinea.mid(nIgual + 1).trimmed();
        }
    } catch (const ErrorFuente&) {
    }
    return {};
}

QByteArray Bytes(int nNumero, QString* pstrError) {
    if (!Integrada(nNumero)) {
        if (pstrError)
            *pstrError = QStringLiteral("No existe la práctica %1.").arg(nNumero);
        return {};
    }
    try {
        Fuente::Archivos notas;
        notas.insert(QLatin1String(Fuente::kMarco),
                     QByteArray::fromStdString(Texto(nNumero, "marco")));
        notas.insert(QLatin1String(Fuente::kProcedimiento),
                     QByteArray::fromStdString(Texto(nNumero, "procedimiento")));
        notas.insert(QLatin1String(Fuente::kResultados),
                     QByteArray::fromStdString(Texto(nNumero, "resultados")));
        const QString strArchivo = QStringLiteral("%1.txt").arg(nNumero);
        return Componer(Leer(QStringLiteral(":/plantillas/componentes.txt")),
                        Leer(QStringLiteral(":/plantillas/") + strArchivo), strArchivo, notas,
                        Leer(QStringLiteral(":/practicas/%1/datos.txt").arg(nNumero)));
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
