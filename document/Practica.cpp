#include "Practica.h"

#include "Catalogo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace {

void Mensaje(QString* pstrError, const QString& s) {
    if (pstrError)
        *pstrError = s;
}

QString TextoMemoria(const QString& strArchivo) {
    return QString::fromUtf8("No hay memoria suficiente para abrir %1.").arg(strArchivo);
}

CFecha Ahora() {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return CFecha::DesdeCivil(d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second());
}

} // namespace

// The texts and flags of a practice, read apart before they replace the open ones.
struct CPractica::Textos {
    std::string m_strPractica, m_strResumen, m_strMarco, m_strProcedimiento, m_strResultados,
        m_strAutor, m_strExtra;
    CFecha m_dtFecha;
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
};

CPractica::CPractica() : m_dtFecha(Ahora()) {}

CPractica::~CPractica() {
    ClearBench();
}

void CPractica::RemoveEquipment(CEquipo* pEquipo) {
    m_listaEquipo.Eliminar(pEquipo);
}

void CPractica::ClearBench() {
    m_listaEquipo.Limpiar();
}

QString CPractica::TextoError(int nErrno, const QString& strArchivo) {
    const char* psz = "Error desconocido al acceder a %1.";
    switch (nErrno) {
    case ENOENT:
        psz = "No se encontró %1.";
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
    case ELOOP:
        psz = "%1 contiene una ruta no válida.";
        break;
    case EMFILE:
    case ENFILE:
        psz = "Imposible abrir %1, hay demasiados archivos abiertos.";
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        psz = "Acceso denegado a %1.";
        break;
    case EBADF:
        psz = "Controlador no válido asociado a %1.";
        break;
    case EIO:
        psz = "Error de E/S de hardware al acceder a %1.";
        break;
    case ETXTBSY:
    case EBUSY:
        psz = "Violación de acceso compartido al acceder a %1.";
        break;
    case ENOLCK:
        psz = "Violación de bloqueo al acceder %1. ";
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        psz = "Disco lleno al acceder a %1.";
        break;
    default:
        break;
    }
    return QString::fromUtf8(psz).arg(strArchivo);
}

QString CPractica::TextoError(const CErrorArchivo& e, const QString& strArchivo) {
    const char* psz = e.GetTipo() == CErrorArchivo::Tipo::FinDeArchivo
                          ? "Se intentó acceder a %1 más allá del final."
                          : "%1 tiene un formato incorrecto.";
    return QString::fromUtf8(psz).arg(strArchivo);
}

CPractica::Resultado CPractica::LeerArchivo(const QString& strRuta, std::vector<uint8_t>& datos,
                                            QString* pstrError) {
    const QString& strNombre = strRuta;
    const QByteArray ruta = QFile::encodeName(strRuta);
    struct stat st {};
    if (::stat(ruta.constData(), &st) != 0) {
        if (errno == ENOENT)
            return Resultado::NoExiste;
        Mensaje(pstrError, TextoError(errno, strNombre));
        return Resultado::Error;
    }
    // A device is not even opened: opening some has effects of its own.
    auto noEsArchivo = [&]() {
        if (S_ISDIR(st.st_mode))
            Mensaje(pstrError, TextoError(EISDIR, strNombre));
        else
            Mensaje(pstrError,
                    QString::fromUtf8("%1 no es un archivo de práctica.").arg(strNombre));
        return Resultado::Error;
    };
    if (!S_ISREG(st.st_mode))
        return noEsArchivo();
    // Opened without blocking, so that a pipe put in the file's place cannot hang the
    // program; what was opened is checked again, since the path may have changed since.
    const int fd = ::open(ruta.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Mensaje(pstrError, TextoError(errno ? errno : EACCES, strNombre));
        return Resultado::Error;
    }
    struct Cerrar {
        int fd;
        ~Cerrar() { ::close(fd); }
    } cerrar{fd};
    if (::fstat(fd, &st) != 0) {
        Mensaje(pstrError, TextoError(errno, strNombre));
        return Resultado::Error;
    }
    if (!S_ISREG(st.st_mode))
        return noEsArchivo();
    // Practice files are small; a huge file is not one of ours. At most one byte more than
    // the limit is read, whatever the size claims.
    if (st.st_size > kMaximoBytes) {
        Mensaje(pstrError, QString::fromUtf8(kFormatoIncompatible));
        return Resultado::Error;
    }
    try {
        datos.clear();
        datos.resize(static_cast<size_t>(st.st_size) + 1);
        size_t nLeidos = 0;
        for (;;) {
            if (nLeidos == datos.size()) {
                if (datos.size() > static_cast<size_t>(kMaximoBytes))
                    break;
                datos.resize(std::min(datos.size() * 2, static_cast<size_t>(kMaximoBytes) + 1));
            }
            const ssize_t n = ::read(fd, datos.data() + nLeidos, datos.size() - nLeidos);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                Mensaje(pstrError, TextoError(errno ? errno : EIO, strNombre));
                return Resultado::Error;
            }
            if (n == 0)
                break;
            nLeidos += static_cast<size_t>(n);
        }
        if (nLeidos > static_cast<size_t>(kMaximoBytes)) {
            Mensaje(pstrError, QString::fromUtf8(kFormatoIncompatible));
            return Resultado::Error;
        }
        datos.resize(nLeidos);
    } catch (const std::bad_alloc&) {
        datos.clear();
        Mensaje(pstrError, TextoMemoria(strNombre));
        return Resultado::Error;
    }
    return Resultado::Correcto;
}

CPractica::Resultado CPractica::EscribirArchivo(const QString& strRuta, const char* p, qint64 n,
                                                QString* pstrError) {
    const QString& strNombre = strRuta;
    bool bOk = false;
    int nErrno = 0;
    // The errno of the first step that failed, before later calls overwrite it.
    auto paso = [&nErrno](bool b) {
        if (!b && nErrno == 0)
            nErrno = errno ? errno : EIO;
        return b;
    };
    errno = 0;
    const QFileInfo info(strRuta);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        // A device or a pipe is written in place: a temporary file renamed over it would
        // replace the device itself.
        QFile f(strRuta);
        bOk = paso(f.open(QIODevice::WriteOnly)) && paso(f.write(p, n) == n) && paso(f.flush());
    } else {
        // The previous file is replaced only once everything has been written. A small
        // file lies entirely in the write buffer until the flush, and a flush that fails
        // (a full disk) must stop the commit: committing anyway would rename a short
        // temporary file over the good one.
        QSaveFile f(strRuta);
        bOk = paso(f.open(QIODevice::WriteOnly)) && paso(f.write(p, n) == n) && paso(f.flush()) &&
              paso(f.error() == QFileDevice::NoError) && paso(f.commit());
        if (!bOk)
            f.cancelWriting();
    }
    if (info.isDir())
        nErrno = EISDIR;
    else if (!info.absoluteDir().exists())
        nErrno = ENOTDIR; // the folder itself is missing: the path is wrong
    if (!bOk) {
        Mensaje(pstrError, TextoError(nErrno ? nErrno : EIO, strNombre));
        return Resultado::Error;
    }
    return Resultado::Correcto;
}

bool CPractica::EsPractica(const std::vector<uint8_t>& datos) {
    // Only the head is looked at: name, summary, signature, version.
    try {
        CArchivo ar(std::vector<uint8_t>(
            datos.begin(),
            datos.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(datos.size(), 4096))));
        ar.LeerCadena();
        ar.LeerCadena();
        ar.LeerCadena();
        const std::string s = ar.LeerCadena();
        return s.size() > 4 && s.compare(0, 4, "Vol.") == 0 &&
               std::all_of(s.begin() + 4, s.end(), [](char c) { return c >= '0' && c <= '9'; });
    } catch (const CErrorArchivo&) {
        return false;
    }
}

void CPractica::EscribirExtensionPlantilla(CArchivo& ar, const CExtension& ext) {
    if (ext.Vacia())
        return;
    ar << std::string(kVersionExtendida);
    ext.Escribir(ar);
}

namespace {
// A template's bytes after its last described record: the marker and the block, or nothing.
void LeerExtensionPlantilla(CArchivo& ar, CExtension& ext) {
    if (ar.AlFinal())
        return;
    if (ar.LeerCadena() != CPractica::kVersionExtendida)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "bytes tras la plantilla");
    ext = CExtension::Leer(ar);
}
} // namespace

CExtension CPractica::ExtensionDe(const std::vector<uint8_t>& datos) {
    CExtension ext;
    try {
        CArchivo ar(datos);
        ar.LeerCadena();
        ar.LeerCadena();
        ar.LeerCadena();
        if (EsPractica(datos)) {
            LeerVersion(ar, ext);
            return ext;
        }
        CCatalogo().Leer(ar, false); // read past, into a catalogue of its own
        for (int i = 0; i < 5; ++i)
            ar.LeerCadena();
        ar.LeerFecha();
        ar.LeerInt32();
        ar.LeerInt32();
        LeerExtensionPlantilla(ar, ext);
    } catch (const CErrorArchivo&) {
        return {};
    } catch (const std::bad_alloc&) {
        return {};
    }
    return ext;
}

void CPractica::LeerVersion(CArchivo& ar, CExtension& ext) {
    const std::string strVersion = ar.LeerCadena();
    if (strVersion == kVersionExtendida)
        ext = CExtension::Leer(ar);
    else if (strVersion != kVersion)
        throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "versión");
}

std::vector<uint8_t> CPractica::EscribirPractica() const {
    // Only a practice that holds what the described records cannot is written in the
    // extended version: every other file keeps the described bytes.
    const CExtension ext = CExtension::Tomar(m_strPractica, m_strResumen, m_strAutor, m_strExtra,
                                             m_catalogo, &m_listaEquipo);
    CArchivo ar;
    ar << m_strPractica << m_strResumen << std::string(kFirma)
       << std::string(ext.Vacia() ? kVersion : kVersionExtendida);
    if (!ext.Vacia())
        ext.Escribir(ar);
    m_catalogo.Escribir(ar);
    ar << m_strMarcoTeorico << m_strProcedimiento << m_strResultados << m_strAutor << m_strExtra;
    ar << m_dtFecha << m_bVelocidad << m_bPropiedades;
    m_listaEquipo.Escribir(ar);
    return ar.Datos();
}

CPractica::Resultado CPractica::GuardarPractica(const QString& strRuta, QString* pstrError) {
    m_bOcupado = 1;
    std::vector<uint8_t> datos;
    try {
        datos = EscribirPractica();
    } catch (const CErrorArchivo&) {
        // A number that went wrong in the simulation: nothing is written, so the file on
        // disk stays one that opens.
        m_bOcupado = 0;
        Mensaje(pstrError,
                QString::fromUtf8("No se puede guardar %1: la práctica contiene un valor "
                                  "numérico no válido.")
                    .arg(strRuta));
        return Resultado::Error;
    }
    const Resultado r = EscribirArchivo(strRuta, reinterpret_cast<const char*>(datos.data()),
                                        static_cast<qint64>(datos.size()), pstrError);
    m_bOcupado = 0;
    return r;
}

CPractica::Resultado CPractica::AbrirPractica(const QString& strRuta, QString* pstrError) {
    std::vector<uint8_t> datos;
    const Resultado r = LeerArchivo(strRuta, datos, pstrError);
    if (r != Resultado::Correcto)
        return r;
    return LeerPractica(datos, strRuta, pstrError);
}

CPractica::Resultado CPractica::CargarPlantilla(const QString& strRuta, QString* pstrError) {
    std::vector<uint8_t> datos;
    const Resultado r = LeerArchivo(strRuta, datos, pstrError);
    if (r != Resultado::Correcto)
        return r;
    return LeerPlantilla(datos, strRuta, pstrError);
}

CPractica::Resultado CPractica::LeerPractica(const std::vector<uint8_t>& datos,
                                             const QString& strArchivo, QString* pstrError) {
    return Leer(datos, false, strArchivo, pstrError);
}

CPractica::Resultado CPractica::LeerPlantilla(const std::vector<uint8_t>& datos,
                                              const QString& strArchivo, QString* pstrError) {
    return Leer(datos, true, strArchivo, pstrError);
}

CPractica::Resultado CPractica::Leer(const std::vector<uint8_t>& datos, bool bPlantilla,
                                     const QString& strArchivo, QString* pstrError) {
    m_bOcupado = 1;
    // The file is read into a new catalogue and a new bench, which replace the open ones
    // only when everything has been read; a failure leaves nothing to put back.
    Textos t;
    CCatalogo catalogo;
    CListaEquipo banco(&catalogo);
    CExtension ext;
    QString strError;
    try {
        CArchivo ar(datos);
        ar >> t.m_strPractica >> t.m_strResumen;
        ar.LeerCadena(); // the signature is not compared
        if (!bPlantilla)
            LeerVersion(ar, ext);
        catalogo.Leer(ar, bPlantilla);
        ar >> t.m_strMarco >> t.m_strProcedimiento >> t.m_strResultados >> t.m_strAutor >>
            t.m_strExtra;
        ar >> t.m_dtFecha >> t.m_bVelocidad >> t.m_bPropiedades;
        if (bPlantilla)
            LeerExtensionPlantilla(ar, ext);
        else
            banco.Serialize(ar);
        // The whole texts go in while the catalogue is still in the file's order.
        ext.AplicarTextos({&t.m_strPractica, &t.m_strResumen, &t.m_strAutor, &t.m_strExtra},
                          catalogo);
        if (bPlantilla)
            catalogo.ResolverPlantilla();
        // A template has no bench: a label or a level in its block is refused here.
        ext.AplicarMesa(banco);
        ar.ComprobarFinal();
    } catch (const std::bad_alloc&) {
        strError = TextoMemoria(strArchivo);
    } catch (const CErrorArchivo& e) {
        // A wrong version or damaged contents are the wrong format; a file that ends
        // too soon says so.
        strError = e.GetTipo() == CErrorArchivo::Tipo::FinDeArchivo
                       ? TextoError(e, strArchivo)
                       : QString::fromUtf8(kFormatoIncompatible);
    } catch (const std::exception&) {
        // Anything else the reading ran into: the file cannot be trusted either.
        strError = QString::fromUtf8(kFormatoIncompatible);
    }
    if (!strError.isEmpty()) {
        banco.Limpiar();
        m_bOcupado = 0;
        Mensaje(pstrError, strError);
        return Resultado::Error;
    }
    // Success: the old bench goes first (the old items leave through the open list, so that
    // whoever watches it hears of them), then the new catalogue and the new bench, bound to
    // it, take their places.
    m_listaEquipo.Limpiar();
    m_catalogo = std::move(catalogo);
    m_listaEquipo.Intercambiar(banco);
    m_strPractica = std::move(t.m_strPractica);
    m_strResumen = std::move(t.m_strResumen);
    m_strMarcoTeorico = std::move(t.m_strMarco);
    m_strProcedimiento = std::move(t.m_strProcedimiento);
    m_strResultados = std::move(t.m_strResultados);
    m_strAutor = std::move(t.m_strAutor);
    m_strExtra = std::move(t.m_strExtra);
    m_dtFecha = t.m_dtFecha;
    m_bVelocidad = t.m_bVelocidad;
    m_bPropiedades = t.m_bPropiedades;
    m_bOcupado = 0;
    return Resultado::Correcto;
}

CPractica::Resultado CPractica::RestaurarMesa(const std::vector<uint8_t>& datos,
                                              QString* pstrError) {
    CPractica p;
    const Resultado r = p.LeerPractica(datos, QString::fromStdString(m_strPractica), pstrError);
    if (r != Resultado::Correcto)
        return r;
    // The old items leave through the open list, so that whoever watches it hears of them.
    m_listaEquipo.Limpiar();
    m_catalogo = std::move(p.m_catalogo);
    m_listaEquipo.Intercambiar(p.m_listaEquipo);
    return Resultado::Correcto;
}

std::unique_ptr<CPractica> CPractica::Copia(QString* pstrError) const {
    std::vector<uint8_t> datos;
    try {
        datos = EscribirPractica();
    } catch (const CErrorArchivo&) {
        Mensaje(pstrError, QString::fromUtf8("La práctica contiene un valor numérico no válido."));
        return nullptr;
    }
    auto pCopia = std::make_unique<CPractica>();
    if (pCopia->LeerPractica(datos, QString::fromStdString(m_strPractica), pstrError) !=
        Resultado::Correcto)
        return nullptr;
    return pCopia;
}

CPractica::Resultado CPractica::LeerCabecera(const QString& strRuta, std::string& strNombre,
                                             std::string& strResumen, QString* pstrError) {
    std::vector<uint8_t> datos;
    const Resultado r = LeerArchivo(strRuta, datos, pstrError);
    if (r != Resultado::Correcto)
        return r;
    return LeerCabecera(datos, strRuta, strNombre, strResumen, pstrError);
}

CPractica::Resultado CPractica::LeerCabecera(const std::vector<uint8_t>& datos,
                                             const QString& strArchivo, std::string& strNombre,
                                             std::string& strResumen, QString* pstrError) {
    try {
        CArchivo ar(datos);
        ar >> strNombre >> strResumen;
    } catch (const CErrorArchivo& e) {
        Mensaje(pstrError, TextoError(e, strArchivo));
        return Resultado::Error;
    } catch (const std::bad_alloc&) {
        Mensaje(pstrError, TextoMemoria(strArchivo));
        return Resultado::Error;
    }
    // An extended file has the whole name and summary in its block. Only shown: a block that
    // does not read leaves the head's own texts.
    const CExtension ext = ExtensionDe(datos);
    ext.Completar(CExtension::kNombre, strNombre);
    ext.Completar(CExtension::kResumen, strResumen);
    return Resultado::Correcto;
}
