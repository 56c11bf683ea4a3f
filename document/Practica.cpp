#include "document/Practica.h"

#include "model/Catalogo.h"

#include "document/Rutas.h"

#include <QCoreApplication>
#include <QDateTime>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
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
    CTarea m_tarea;
};

CPractica::CPractica() : m_dtFecha(Ahora()) {}

CPractica::~CPractica() {
    ClearBench();
}

void CPractica::RemoveEquipment(CEquipo* pEquipo) {
    m_registro.Olvidar(pEquipo);
    m_listaEquipo.Eliminar(pEquipo);
}

void CPractica::ClearBench() {
    for (const CEquipo* e : m_listaEquipo)
        m_registro.Olvidar(e);
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
    // Bytes that end before a practice does are a text file, a truncated copy or some other
    // file given the extension: that is what the reader is told, not where the reading
    // stopped.
    if (e.GetTipo() == CErrorArchivo::Tipo::FinDeArchivo)
        return QCoreApplication::translate("CPractica",
                                           "%1 no es un archivo de práctica o está dañado: el "
                                           "archivo termina antes de tiempo.")
            .arg(strArchivo);
    return QString::fromUtf8("%1 tiene un formato incorrecto.").arg(strArchivo);
}

QString CPractica::TextoDemasiadoGrande(const QString& strArchivo) {
    return QCoreApplication::translate("CPractica",
                                       "%1 no es un archivo de práctica: ocupa más de %2 MB.")
        .arg(strArchivo)
        .arg(kMaximoBytes / (1024 * 1024));
}

CPractica::Resultado CPractica::LeerArchivo(const QString& strRuta, std::vector<uint8_t>& datos,
                                            QString* pstrError) {
    const QString& strNombre = strRuta;
    QByteArray ruta = Rutas::Codificar(strRuta);
    struct stat st {};
    int nEstado = ::stat(ruta.constData(), &st);
    if (nEstado != 0 && errno == ENOENT) {
        // A name chosen in a file dialog may have lost its bytes that are not UTF-8.
        ruta = Rutas::Codificar(Rutas::Resolver(strRuta));
        nEstado = ::stat(ruta.constData(), &st);
    }
    if (nEstado != 0) {
        if (errno == ENOENT)
            return Resultado::NoExiste;
        Mensaje(pstrError, TextoError(errno, strNombre));
        return Resultado::Error;
    }
    // A device is not even opened: opening some has effects of its own.
    auto noEsArchivo = [&]() {
        if (S_ISDIR(st.st_mode))
            Mensaje(pstrError, QCoreApplication::translate(
                                   "CPractica", "%1 es una carpeta, no un archivo de práctica.")
                                   .arg(strNombre));
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
        Mensaje(pstrError, TextoDemasiadoGrande(strNombre));
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
            Mensaje(pstrError, TextoDemasiadoGrande(strNombre));
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

namespace {

QString Traducir(const char* psz) {
    return QCoreApplication::translate("CPractica", psz);
}

// The folder part of a path, as written.
QString CarpetaDe(const QString& strRuta) {
    const qsizetype i = strRuta.lastIndexOf(QLatin1Char('/'));
    return i < 0 ? QStringLiteral(".") : i == 0 ? QStringLiteral("/") : strRuta.left(i);
}

// Why a file could not be made in its folder: the folder is named when it is to blame.
QString TextoCarpeta(int nErrno, const QString& strRuta) {
    const QString strCarpeta = CarpetaDe(strRuta);
    switch (nErrno) {
    case EACCES:
    case EPERM:
        return Traducir("No se puede escribir %1: no tiene permiso para escribir en la "
                        "carpeta %2.")
            .arg(strRuta, strCarpeta);
    case EROFS:
        return Traducir("No se puede escribir %1: la carpeta %2 está en un disco de solo "
                        "lectura.")
            .arg(strRuta, strCarpeta);
    case ENOENT:
        return Traducir("No se puede escribir %1: no existe la carpeta %2.")
            .arg(strRuta, strCarpeta);
    default:
        return CPractica::TextoError(nErrno, strRuta);
    }
}

// How long a pipe or a device may take to accept the first byte, or the next ones, before
// the write is given up: a reader that has not opened the pipe yet gets a moment, one that
// never reads does not freeze the program.
constexpr int kEsperaLectorMs = 1000;
constexpr int kEsperaDatosMs = 10000;

// Writes into a pipe or a character device, never blocking: 0, or the errno (ENXIO: a pipe
// with no reader; ETIMEDOUT: nothing moved for kEsperaDatosMs).
int EscribirEnDispositivo(const QByteArray& ruta, const char* p, qint64 n) {
    int fd = -1;
    for (int nEspera = 0;; nEspera += 20) {
        fd = ::open(ruta.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0 || errno != ENXIO || nEspera >= kEsperaLectorMs)
            break;
        ::poll(nullptr, 0, 20);
    }
    if (fd < 0)
        return errno;
    // A reader that goes away must not end the program with SIGPIPE: the signal is held
    // while writing and, when this write raised it, taken away unseen.
    sigset_t tubo, anterior, pendientes;
    sigemptyset(&tubo);
    sigaddset(&tubo, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &tubo, &anterior);
    sigpending(&pendientes);
    const bool bYaPendiente = sigismember(&pendientes, SIGPIPE) == 1;
    int nErrno = 0;
    for (qint64 nHecho = 0; nHecho < n && nErrno == 0;) {
        const ssize_t k = ::write(fd, p + nHecho, static_cast<size_t>(n - nHecho));
        if (k > 0) {
            nHecho += k;
        } else if (k < 0 && errno == EINTR) {
            continue;
        } else if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd pfd{fd, POLLOUT, 0};
            const int r = ::poll(&pfd, 1, kEsperaDatosMs);
            if (r == 0)
                nErrno = ETIMEDOUT;
            else if (r < 0 && errno != EINTR)
                nErrno = errno;
        } else {
            nErrno = k < 0 ? errno : EIO;
        }
    }
    if (nErrno == EPIPE && !bYaPendiente) {
        const timespec nada{0, 0};
        sigtimedwait(&tubo, nullptr, &nada);
    }
    pthread_sigmask(SIG_SETMASK, &anterior, nullptr);
    ::close(fd);
    return nErrno;
}

} // namespace

CPractica::Resultado CPractica::EscribirArchivo(const QString& strRuta, const char* p, qint64 n,
                                                QString* pstrError) {
    auto fallo = [pstrError](const QString& s) {
        Mensaje(pstrError, s);
        return Resultado::Error;
    };
    if (strRuta.isEmpty())
        return fallo(Traducir("No se indicó el nombre del archivo que se debe escribir."));
    const QByteArray ruta = Rutas::Codificar(strRuta);
    struct stat st {};
    QString strDestino = strRuta;
    mode_t modo = 0666; // a new file: the umask decides, as for any program's file
    bool bExiste = false;
    if (::stat(ruta.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fallo(Traducir("%1 es una carpeta: indique el nombre del archivo que se "
                                  "escribirá en ella.")
                             .arg(strRuta));
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            // A device or a pipe is written in place: a temporary file renamed over it would
            // replace the device itself.
            const int nErrno = EscribirEnDispositivo(ruta, p, n);
            if (nErrno == ENXIO)
                return fallo(Traducir("%1 es una tubería que nadie está leyendo: no se ha "
                                      "escrito nada.")
                                 .arg(strRuta));
            if (nErrno == ETIMEDOUT)
                return fallo(Traducir("%1 no admite más datos: se dejó de escribir tras %2 "
                                      "segundos sin avance.")
                                 .arg(strRuta)
                                 .arg(kEsperaDatosMs / 1000));
            if (nErrno == EPIPE)
                return fallo(Traducir("%1 es una tubería que su lector cerró antes de recibirlo "
                                      "todo.")
                                 .arg(strRuta));
            if (nErrno != 0)
                return fallo(TextoError(nErrno, strRuta));
            return Resultado::Correcto;
        }
        if (!S_ISREG(st.st_mode))
            return fallo(Traducir("%1 no es un archivo: no se escribe en él.").arg(strRuta));
        // A read-only file stays so, even where its folder would let it be replaced.
        if (::access(ruta.constData(), W_OK) != 0)
            return fallo(TextoError(errno, strRuta));
        modo = st.st_mode & 07777;
        bExiste = true;
        // A link keeps pointing at the file: the file it leads to is the one replaced.
        if (char* psz = ::realpath(ruta.constData(), nullptr)) {
            strDestino = Rutas::Decodificar(QByteArray(psz));
            ::free(psz);
        }
    } else if (errno != ENOENT) {
        return fallo(errno == EACCES ? TextoCarpeta(EACCES, strRuta) : TextoError(errno, strRuta));
    }
    // The previous file is replaced only once everything has been written and has reached
    // the disk, so a full disk, a quota or a cut leaves it as it was.
    QString strTemporal;
    int nErrno = EEXIST;
    for (int i = 0; i < 100 && nErrno == EEXIST; ++i) {
        strTemporal = Rutas::NombreTemporal(strDestino, "alkor");
        nErrno = Rutas::EscribirNuevo(strTemporal, p, n, modo);
    }
    if (nErrno == 0 && bExiste)
        ::chmod(Rutas::Codificar(strTemporal).constData(), modo); // past the umask
    if (nErrno == 0 &&
        ::rename(Rutas::Codificar(strTemporal).constData(), Rutas::Codificar(strDestino)) != 0) {
        nErrno = errno;
        ::unlink(Rutas::Codificar(strTemporal).constData());
    }
    if (nErrno != 0)
        return fallo(TextoCarpeta(nErrno, strRuta));
    Rutas::SincronizarCarpeta(CarpetaDe(strDestino));
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
    CExtension ext = CExtension::Tomar(m_strPractica, m_strResumen, m_strAutor, m_strExtra,
                                       m_catalogo, &m_listaEquipo);
    ext.m_tarea = m_tarea;
    if (m_tarea.m_bEmpezada)
        ext.m_tarea.m_sello = m_tarea.Sello();
    if (!m_registro.Vacio()) {
        ext.m_registro = m_registro;
        ext.m_registro.TomarLugares(m_listaEquipo);
    }
    ext.m_automatico = m_registro.m_automatico;
    CArchivo ar;
    ar << m_strPractica << m_strResumen << std::string(kFirma)
       << std::string(ext.Vacia() ? kVersion : kVersionExtendida);
    if (!ext.Vacia())
        ext.Escribir(ar);
    if (m_tarea.m_bEmpezada && !m_tarea.m_incognitas.empty()) {
        // A student's drawn values are not written: the reagents keep the middle of their
        // ranges, and reading draws the values again from the seed.
        CCatalogo copia = m_catalogo;
        m_tarea.Aplicar(copia, false);
        copia.Escribir(ar);
    } else {
        m_catalogo.Escribir(ar);
    }
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
        // A practice's block comes before its catalogue: its chemistry goes in once the
        // tables are read (a template's below, once its block is).
        if (!bPlantilla) {
            ext.AplicarQuimica(catalogo);
            ext.AplicarTarea(catalogo);
            t.m_tarea = ext.m_tarea;
        }
        ar >> t.m_strMarco >> t.m_strProcedimiento >> t.m_strResultados >> t.m_strAutor >>
            t.m_strExtra;
        ar >> t.m_dtFecha >> t.m_bVelocidad >> t.m_bPropiedades;
        if (bPlantilla) {
            LeerExtensionPlantilla(ar, ext);
            if (!ext.m_tarea.Vacia()) // a template has no questions to give
                throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "tarea en plantilla");
            ext.AplicarQuimica(catalogo);
        } else {
            banco.Serialize(ar);
        }
        // The whole texts go in while the catalogue is still in the file's order.
        ext.AplicarTextos({&t.m_strPractica, &t.m_strResumen, &t.m_strAutor, &t.m_strExtra},
                          catalogo);
        if (bPlantilla)
            catalogo.ResolverPlantilla();
        // A template has no bench: a label or a level in its block is refused here; its
        // chemistry is catalogue data and stays.
        ext.AplicarMesa(banco);
        if (bPlantilla && !ext.m_registro.Vacio())
            throw CErrorArchivo(CErrorArchivo::Tipo::FormatoIncorrecto, "registro en plantilla");
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
    m_registro = std::move(ext.m_registro);
    m_registro.m_automatico = std::move(ext.m_automatico);
    m_registro.AplicarLugares(m_listaEquipo);
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
    m_tarea = std::move(t.m_tarea);
    m_bOcupado = 0;
    return Resultado::Correcto;
}

CPractica::Resultado CPractica::RestaurarMesa(const std::vector<uint8_t>& datos,
                                              QString* pstrError) {
    CPractica p;
    const Resultado r = p.LeerPractica(datos, QString::fromStdString(m_strPractica), pstrError);
    if (r != Resultado::Correcto)
        return r;
    // The log is not undone (what was read stays read): the series that were recording go
    // on with the items the snapshot puts back in their places.
    std::vector<bool> grabando;
    for (const CSerieRegistro& s : m_registro.m_series)
        grabando.push_back(s.m_pEquipo != nullptr);
    m_registro.TomarLugares(m_listaEquipo);
    std::vector<int32_t> lugares;
    for (const CSerieRegistro& s : m_registro.m_series)
        lugares.push_back(s.m_nLugar);
    // The old items leave through the open list, so that whoever watches it hears of them.
    ClearBench();
    m_catalogo = std::move(p.m_catalogo);
    m_listaEquipo.Intercambiar(p.m_listaEquipo);
    // The snapshot's own log knows its items; a series begun since then goes on with the
    // item of the same type in the same place.
    const std::vector<CSerieRegistro>& antes = p.m_registro.m_series;
    const std::vector<CEquipo*> banco(m_listaEquipo.begin(), m_listaEquipo.end());
    for (size_t i = 0; i < m_registro.m_series.size(); ++i) {
        CSerieRegistro& s = m_registro.m_series[i];
        s.m_nLugar = -1;
        if (!grabando[i])
            continue;
        if (i < antes.size() && antes[i].m_pEquipo && antes[i].m_nTipo == s.m_nTipo &&
            antes[i].m_strNombre == s.m_strNombre)
            s.m_pEquipo = antes[i].m_pEquipo;
        else if (lugares[i] >= 0 && static_cast<size_t>(lugares[i]) < banco.size() &&
                 banco[static_cast<size_t>(lugares[i])]->m_nTipo == s.m_nTipo &&
                 m_registro.Serie(banco[static_cast<size_t>(lugares[i])]) < 0)
            s.m_pEquipo = banco[static_cast<size_t>(lugares[i])];
    }
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
