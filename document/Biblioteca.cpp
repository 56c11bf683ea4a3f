#include "document/Biblioteca.h"

#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Rutas.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <new>

namespace Biblioteca {

namespace {

const char* const kTitulos[][2] = {
    {"Conservación de la materia",
     "Demostración de las leyes de la conservación de la materia y energía"},
    {"Destilación simple", "Destilación de una mezcla de líquidos"},
    {"Reversibilidad de las reacciones",
     "Una demostración simple de la reversibilidad de las reacciones  químicas"},
    {"Titulación ácido-base",
     "Examina las valoraciones de acido y bases fuertes y el uso de indicadores"},
    {"Calor específico", "Determinación del Calor específico de varios metales"},
    {"Preparación de disoluciones",
     "Preparación de una disolución a partir de un sólido y por dilución"},
    {"Reactivo limitante", "Reactivo limitante y rendimiento de una precipitación"},
    {"Aumento ebulloscópico", "Temperatura de ebullición del agua y de disoluciones de sacarosa"},
    {"Curva de solubilidad", "Solubilidad del cloruro de potasio a distintas temperaturas"},
    {"Densidad", "Densidad de líquidos y de metales; identificación de un metal"},
    {"Valoración del ácido sulfúrico",
     "Estequiometría 2:1 en la valoración de ácido sulfúrico con hidróxido de sodio"},
    {"Escala de pH", "pH de diluciones sucesivas de un ácido fuerte y de una base fuerte"},
    {"Separación de una mezcla",
     "Separación de sal y arena por disolución, filtración y evaporación"},
    {"Equilibrio térmico",
     "Mezcla de agua caliente y agua fría en el calorímetro: el balance de calor"},
    {"Conservación de la masa en una precipitación",
     "Precipitación de carbonato de calcio: la masa total no cambia"},
    {"Valoración de un ácido débil",
     "Curva de pH del ácido acético y del vinagre con hidróxido de sodio; elección del indicador"},
    {"Disoluciones reguladoras",
     "Preparación de un regulador ácido acético / acetato y su respuesta a un ácido y a una base"},
    {"pH de las sales", "pH de disoluciones de sales neutras, ácidas y básicas: la hidrólisis"},
    {"Principio de Le Chatelier",
     "Desplazamiento de un equilibrio químico al cambiar las concentraciones y la temperatura"},
    {"Velocidad de reacción: mármol en trozos y en polvo con ácido clorhídrico",
     "Efecto de la superficie de contacto y de la concentración sobre la velocidad de una "
     "reacción"},
    {"Descomposición del peróxido de hidrógeno: el catalizador",
     "El óxido de manganeso(IV) acelera la descomposición del agua oxigenada sin consumirse"},
    {"Entalpías de neutralización y de disolución. Ley de Hess",
     "Calor de neutralización y de disolución en el calorímetro; comprobación de la ley de Hess"},
    {"Volumen molar del hidrógeno",
     "Volumen que ocupa un mol de gas: magnesio y ácido clorhídrico, hidrógeno recogido en una "
     "jeringa o sobre agua"},
};
static_assert(std::size(kTitulos) == Plantillas::kUltima - Plantillas::kPrimera + 1);

const QLatin1String kExtPlantilla(".akp");
const QLatin1String kExtPractica(".uak1");

QString TextoDanado(const QString& strArchivo) {
    return QStringLiteral("%1 está dañado o no es un archivo de práctica.").arg(strArchivo);
}

// How far the head of a file was read.
enum class Lectura {
    Nada,    // not even the name: the bytes end too soon (or are damaged)
    Parcial, // name and summary; the bytes end before the author
    Todo     // name, summary and author
};

// The head in the order CPractica reads a file: name, summary, signature, the version of a
// saved practice, the four catalogue tables, three texts of the notes and the author.
Lectura Cabecera(const std::vector<uint8_t>& datos, bool bPlantilla, Entrada& e, QString& strError,
                 const QString& strArchivo) {
    Lectura lectura = Lectura::Nada;
    try {
        CArchivo ar(datos);
        std::string strNombre, strResumen, strAutor, strTexto;
        ar >> strNombre >> strResumen;
        e.m_strNombre = QString::fromStdString(strNombre);
        e.m_strResumen = QString::fromStdString(strResumen);
        lectura = Lectura::Parcial;
        ar.LeerCadena(); // the signature is not compared
        CExtension ext;
        if (!bPlantilla)
            CPractica::LeerVersion(ar, ext);
        CCatalogo().Leer(ar, false); // read past, into a catalogue of its own
        ar >> strTexto >> strTexto >> strTexto >> strAutor;
        // An extended file spells its head whole in its block (a template's is at its end).
        if (bPlantilla)
            ext = CPractica::ExtensionDe(datos);
        ext.Completar(CExtension::kNombre, strNombre);
        ext.Completar(CExtension::kResumen, strResumen);
        ext.Completar(CExtension::kAutor, strAutor);
        e.m_strNombre = QString::fromStdString(strNombre);
        e.m_strResumen = QString::fromStdString(strResumen);
        e.m_strAutor = QString::fromStdString(strAutor);
        return Lectura::Todo;
    } catch (const CErrorArchivo& ex) {
        strError = ex.GetTipo() == CErrorArchivo::Tipo::FinDeArchivo
                       ? QStringLiteral("%1 está dañado: el archivo termina antes de tiempo.")
                             .arg(strArchivo)
                       : TextoDanado(strArchivo);
    } catch (const std::bad_alloc&) {
        strError = QStringLiteral("No hay memoria suficiente para abrir %1.").arg(strArchivo);
    }
    return lectura;
}

// Reads the first bytes of a regular file, a little more each time it is asked. A device
// or a pipe in a folder is never opened for reading, and nothing blocks.
class CLector {
public:
    ~CLector() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool Abrir(const QString& strRuta, const QString& strNombre, QString& strError) {
        const QByteArray ruta = Rutas::Codificar(strRuta);
        struct stat st {};
        if (::stat(ruta.constData(), &st) != 0) {
            strError = CPractica::TextoError(errno, strNombre);
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            strError = QStringLiteral("%1 no es un archivo de práctica.").arg(strNombre);
            return false;
        }
        m_fd = ::open(ruta.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0) {
            strError = CPractica::TextoError(errno ? errno : EACCES, strNombre);
            return false;
        }
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            strError = QStringLiteral("%1 no es un archivo de práctica.").arg(strNombre);
            return false;
        }
        // What the reader would refuse for its size alone is not offered.
        if (st.st_size > CPractica::kMaximoBytes) {
            strError = CPractica::TextoDemasiadoGrande(strNombre);
            return false;
        }
        return true;
    }
    // Reads on until nBytes are held or the file ends.
    bool LeerHasta(size_t nBytes, QString& strError, const QString& strNombre) {
        while (!m_bFin && m_datos.size() < nBytes) {
            const size_t nAntes = m_datos.size();
            m_datos.resize(nBytes);
            const ssize_t n = ::read(m_fd, m_datos.data() + nAntes, nBytes - nAntes);
            if (n < 0) {
                m_datos.resize(nAntes);
                if (errno == EINTR)
                    continue;
                strError = CPractica::TextoError(errno ? errno : EIO, strNombre);
                return false;
            }
            m_datos.resize(nAntes + static_cast<size_t>(n));
            m_bFin = n == 0;
        }
        return true;
    }

    std::vector<uint8_t> m_datos;
    bool m_bFin = false;

private:
    int m_fd = -1;
};

QString NotaCarpeta(int nErrno, const QString& strCarpeta) {
    const QString strRuta = QDir::toNativeSeparators(strCarpeta);
    switch (nErrno) {
    case ENOENT:
        return QStringLiteral("No se encuentra la carpeta %1.").arg(strRuta);
    case EACCES:
    case EPERM:
        return QStringLiteral("No tiene permiso para leer la carpeta %1.").arg(strRuta);
    case ENOTDIR:
        return QStringLiteral("%1 no es una carpeta.").arg(strRuta);
    default:
        return QStringLiteral("No se puede leer la carpeta %1.").arg(strRuta);
    }
}

bool EsDeLaBiblioteca(const QString& strNombre) {
    // The extension must match exactly, letter case included, as in the file browser.
    return (strNombre.endsWith(kExtPlantilla, Qt::CaseSensitive) &&
            strNombre.size() > kExtPlantilla.size()) ||
           (strNombre.endsWith(kExtPractica, Qt::CaseSensitive) &&
            strNombre.size() > kExtPractica.size());
}

void Mensaje(QString* pstrError, const QString& s) {
    if (pstrError)
        *pstrError = s;
}

// Whether the bytes open as the kind of file they will be opened as, and if not, why.
bool Abre(const std::vector<uint8_t>& datos, bool bPlantilla, const QString& strNombre,
          QString& strError) {
    CPractica prueba;
    const CPractica::Resultado r = bPlantilla ? prueba.LeerPlantilla(datos, strNombre, &strError)
                                              : prueba.LeerPractica(datos, strNombre, &strError);
    if (r == CPractica::Resultado::Correcto)
        return true;
    // The reader's bare "- Formato incompatible -" names no file; a list row says which.
    if (strError == QLatin1String(CPractica::kFormatoIncompatible))
        strError = TextoDanado(strNombre);
    return false;
}

// The folder part of a path, as written.
QString CarpetaDe(const QString& strRuta) {
    const qsizetype i = strRuta.lastIndexOf(QLatin1Char('/'));
    return i < 0 ? QStringLiteral(".") : i == 0 ? QStringLiteral("/") : strRuta.left(i);
}

// The path with its links and dots resolved; itself when it cannot be.
QString Real(const QString& strRuta) {
    char* psz = ::realpath(Rutas::Codificar(strRuta).constData(), nullptr);
    if (!psz)
        return strRuta;
    const QString s = Rutas::Decodificar(QByteArray(psz));
    ::free(psz);
    return s;
}

bool Existe(const QString& strRuta) {
    struct stat st {};
    return ::lstat(Rutas::Codificar(strRuta).constData(), &st) == 0;
}

} // namespace

QString NombreGrupo(Grupo g) {
    switch (g) {
    case Grupo::Incluidas:
        return QStringLiteral("Prácticas incluidas");
    case Grupo::Propias:
        return QStringLiteral("Mis prácticas");
    case Grupo::Compartidas:
        return QStringLiteral("Prácticas compartidas");
    }
    return {};
}

bool LeerCabecera(const std::vector<uint8_t>& datos, bool bCompleto, bool bPlantilla,
                  const QString& strArchivo, Entrada& e) {
    QString strError;
    const Lectura l = Cabecera(datos, bPlantilla, e, strError, strArchivo);
    if (l == Lectura::Todo || (l == Lectura::Parcial && !bCompleto))
        return true;
    e.m_strError = strError;
    return false;
}

Entrada LeerArchivo(const QString& strRuta, Grupo grupo) {
    Entrada e;
    e.m_grupo = grupo;
    e.m_strRuta = strRuta;
    const QString strNombre = QFileInfo(strRuta).fileName();
    e.m_strNombre = strNombre;
    e.m_bPlantilla = strNombre.endsWith(kExtPlantilla, Qt::CaseInsensitive);
    CLector lector;
    if (!lector.Abrir(strRuta, strNombre, e.m_strError))
        return e;
    // Most files are read whole in the first step; a large catalogue asks for more, up to
    // the bound.
    size_t nBytes = 64 * 1024;
    for (;;) {
        if (!lector.LeerHasta(nBytes, e.m_strError, strNombre))
            return e;
        Entrada leida = e;
        QString strError;
        const Lectura l = Cabecera(lector.m_datos, e.m_bPlantilla, leida, strError, strNombre);
        const bool bUltima = lector.m_bFin || nBytes >= static_cast<size_t>(kBytesCabecera);
        if (l == Lectura::Todo && lector.m_bFin) {
            // The whole file is in hand: it is read as opening it would, so that a file
            // damaged past its head (its bench, bytes left over) is not offered to start.
            if (!Abre(lector.m_datos, e.m_bPlantilla, strNombre, e.m_strError))
                return e;
            return leida;
        }
        if (l == Lectura::Todo || (l == Lectura::Parcial && !lector.m_bFin && bUltima))
            return leida;
        if (bUltima) {
            // Damaged, or so long before its name that it cannot be one of ours.
            e.m_strError = lector.m_bFin ? strError : TextoDanado(strNombre);
            return e;
        }
        nBytes = std::min(nBytes * 4, static_cast<size_t>(kBytesCabecera));
    }
}

std::vector<Entrada> ListarCarpeta(const QString& strCarpeta, Grupo grupo) {
    std::vector<Entrada> v;
    auto nota = [&](const QString& s) {
        Entrada e;
        e.m_grupo = grupo;
        e.m_strRuta = strCarpeta;
        e.m_bNota = true;
        e.m_strError = s;
        v.push_back(e);
    };
    // Names are kept as bytes: one that is not UTF-8 is listed, and opens.
    QStringList todos;
    const int nErrno = Rutas::Listar(strCarpeta, todos);
    QStringList nombres;
    for (const QString& s : todos)
        if (EsDeLaBiblioteca(s))
            nombres << s;
    if (nErrno != 0 && nombres.isEmpty()) {
        nota(NotaCarpeta(nErrno, strCarpeta));
        return v;
    }
    nombres.sort(Qt::CaseInsensitive);
    const QString strBase =
        strCarpeta.endsWith(QLatin1Char('/')) ? strCarpeta : strCarpeta + QLatin1Char('/');
    bool bDeMas = false;
    for (const QString& s : nombres) {
        const QString strRuta = strBase + s;
        // A folder named like a practice is no practice.
        struct stat st {};
        if (Rutas::Estado(strRuta, st) == 0 && S_ISDIR(st.st_mode))
            continue;
        if (static_cast<int>(v.size()) == kMaximoArchivos) {
            bDeMas = true;
            break;
        }
        Entrada e = LeerArchivo(strRuta, grupo);
        // A file that went between the listing and the reading is not listed.
        if (!e.m_strError.isEmpty() && !Existe(strRuta))
            continue;
        v.push_back(std::move(e));
    }
    std::stable_sort(v.begin(), v.end(), [](const Entrada& a, const Entrada& b) {
        return a.m_strNombre.localeAwareCompare(b.m_strNombre) < 0;
    });
    if (bDeMas)
        nota(QStringLiteral("La carpeta %1 tiene más de %2 prácticas: solo se muestran las "
                            "primeras %2.")
                 .arg(QDir::toNativeSeparators(strCarpeta))
                 .arg(kMaximoArchivos));
    if (v.empty())
        nota(QStringLiteral("No hay prácticas en la carpeta %1.")
                 .arg(QDir::toNativeSeparators(strCarpeta)));
    return v;
}

std::vector<Entrada> Listar(const QString& strPropia, const QString& strCompartida) {
    std::vector<Entrada> v;
    for (int i = 0; i < int(std::size(kTitulos)); ++i) {
        Entrada e;
        e.m_grupo = Grupo::Incluidas;
        e.m_nPlantilla = Plantillas::kPrimera + i;
        e.m_strNombre = QString::fromUtf8(kTitulos[i][0]);
        e.m_strResumen = QString::fromUtf8(kTitulos[i][1]);
        e.m_strAutor = Plantillas::Autor(e.m_nPlantilla);
        v.push_back(std::move(e));
    }
    for (const auto& [strCarpeta, grupo] :
         {std::pair{strPropia, Grupo::Propias}, std::pair{strCompartida, Grupo::Compartidas}}) {
        if (strCarpeta.isEmpty())
            continue;
        std::vector<Entrada> carpeta = ListarCarpeta(strCarpeta, grupo);
        std::move(carpeta.begin(), carpeta.end(), std::back_inserter(v));
    }
    return v;
}

bool Comprobar(const std::vector<uint8_t>& datos, const QString& strArchivo, bool& bPlantilla,
               QString* pstrError) {
    bPlantilla = !CPractica::EsPractica(datos);
    // The file is read whole into a practice of its own, catalogue and all: the open
    // practice is not touched.
    CPractica prueba;
    const CPractica::Resultado r = bPlantilla ? prueba.LeerPlantilla(datos, strArchivo, pstrError)
                                              : prueba.LeerPractica(datos, strArchivo, pstrError);
    return r == CPractica::Resultado::Correcto;
}

bool SeAbre(const QString& strRuta, bool bPlantilla, QString& strError) {
    const QString strNombre = QFileInfo(strRuta).fileName();
    std::vector<uint8_t> datos;
    switch (CPractica::LeerArchivo(strRuta, datos, &strError)) {
    case CPractica::Resultado::NoExiste:
        strError = CPractica::TextoError(ENOENT, strNombre);
        return false;
    case CPractica::Resultado::Error:
        return false;
    case CPractica::Resultado::Correcto:
        break;
    }
    return Abre(datos, bPlantilla, strNombre, strError);
}

bool Importar(const QString& strElegido, const QString& strCarpeta, QString* pstrDestino,
              QString* pstrError) {
    // The copy is named with the file's own bytes, even when the file dialog lost them.
    const QString strOrigen = Rutas::Resolver(strElegido);
    const QFileInfo origen(strOrigen);
    const QString strNombre = origen.fileName();
    std::vector<uint8_t> datos;
    QString strError;
    switch (CPractica::LeerArchivo(strOrigen, datos, &strError)) {
    case CPractica::Resultado::NoExiste:
        Mensaje(pstrError, CPractica::TextoError(ENOENT, strNombre));
        return false;
    case CPractica::Resultado::Error:
        Mensaje(pstrError, strError);
        return false;
    case CPractica::Resultado::Correcto:
        break;
    }
    bool bPlantilla = true;
    if (!Comprobar(datos, strNombre, bPlantilla, &strError)) {
        Mensaje(pstrError, QStringLiteral("%1 no es una práctica ni una plantilla que se pueda "
                                          "abrir, y no se ha importado.\n%2")
                               .arg(strNombre, strError));
        return false;
    }
    if (Rutas::CrearCarpetas(strCarpeta) != 0) {
        Mensaje(pstrError, QStringLiteral("No se puede crear la carpeta %1.")
                               .arg(QDir::toNativeSeparators(strCarpeta)));
        return false;
    }
    if (Real(CarpetaDe(strOrigen)) == Real(strCarpeta)) {
        Mensaje(pstrError, QStringLiteral("%1 ya está en la carpeta %2.")
                               .arg(strNombre, QDir::toNativeSeparators(strCarpeta)));
        return false;
    }
    QString strBase = origen.completeBaseName();
    if (strBase.isEmpty())
        strBase = QStringLiteral("práctica");
    const QString strExt = bPlantilla ? QString(kExtPlantilla) : QString(kExtPractica);
    const QString strEn =
        strCarpeta.endsWith(QLatin1Char('/')) ? strCarpeta : strCarpeta + QLatin1Char('/');
    for (int i = 1; i <= 1000; ++i) {
        const QString strDestino =
            strEn + (i == 1 ? strBase + strExt
                            : QStringLiteral("%1 (%2)%3").arg(strBase).arg(i).arg(strExt));
        // Created only when the name is free (a file or a link that appears meanwhile is
        // never overwritten), and counted as imported only once it is whole on the disk.
        const int nErrno =
            Rutas::EscribirNuevo(strDestino, reinterpret_cast<const char*>(datos.data()),
                                 static_cast<qint64>(datos.size()), 0666);
        if (nErrno == EEXIST)
            continue;
        if (nErrno == EACCES || nErrno == EPERM || nErrno == EROFS) {
            Mensaje(pstrError, QStringLiteral("No se puede escribir en la carpeta %1.")
                                   .arg(QDir::toNativeSeparators(strCarpeta)));
            return false;
        }
        if (nErrno != 0) {
            Mensaje(pstrError, QStringLiteral("No se pudo escribir %1 por completo; la práctica "
                                              "no se ha importado.")
                                   .arg(QDir::toNativeSeparators(strDestino)));
            return false;
        }
        if (pstrDestino)
            *pstrDestino = strDestino;
        return true;
    }
    Mensaje(pstrError, QStringLiteral("No queda un nombre libre para %1 en la carpeta %2.")
                           .arg(strNombre, QDir::toNativeSeparators(strCarpeta)));
    return false;
}

} // namespace Biblioteca
