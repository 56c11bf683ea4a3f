#include "document/Rutas.h"

#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Rutas {

namespace {

constexpr char16_t kPrimeraGuardada = 0xDC80; // byte 0x80 kept; 0xFF is 0xDCFF

// The length of the valid UTF-8 sequence at p (at most n bytes), 0 when it is not one:
// no overlong forms, no surrogates, nothing above U+10FFFF.
int LargoUtf8(const unsigned char* p, qsizetype n) {
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    int nLargo = 0;
    unsigned char nMin = 0x80, nMax = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        nLargo = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        nLargo = 3;
        if (c == 0xE0)
            nMin = 0xA0;
        else if (c == 0xED)
            nMax = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        nLargo = 4;
        if (c == 0xF0)
            nMin = 0x90;
        else if (c == 0xF4)
            nMax = 0x8F;
    } else {
        return 0;
    }
    if (n < nLargo || p[1] < nMin || p[1] > nMax)
        return 0;
    for (int i = 2; i < nLargo; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return nLargo;
}

// A kept byte is a lone surrogate of its range: the second half of a pair is a character.
bool EsGuardado(const QString& s, qsizetype i) {
    const char16_t c = s[i].unicode();
    return c >= kPrimeraGuardada && c <= kPrimeraGuardada + 0x7F &&
           !(i > 0 && s[i - 1].isHighSurrogate());
}

QByteArray Carpeta(const QByteArray& ruta) {
    const qsizetype i = ruta.lastIndexOf('/');
    if (i < 0)
        return QByteArrayLiteral(".");
    return i == 0 ? QByteArrayLiteral("/") : ruta.left(i);
}

} // namespace

QString Decodificar(const QByteArray& bytes) {
    QString s;
    s.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int nLargo = LargoUtf8(p + i, n - i);
        if (nLargo == 0) {
            s.append(QChar(static_cast<char16_t>(0xDC00 + p[i])));
            ++i;
        } else {
            s.append(QString::fromUtf8(reinterpret_cast<const char*>(p + i), nLargo));
            i += nLargo;
        }
    }
    return s;
}

QByteArray Codificar(const QString& strRuta) {
    QByteArray b;
    b.reserve(strRuta.size());
    qsizetype nDesde = 0;
    for (qsizetype i = 0; i <= strRuta.size(); ++i) {
        if (i < strRuta.size() && !EsGuardado(strRuta, i))
            continue;
        b.append(QStringView(strRuta).mid(nDesde, i - nDesde).toUtf8());
        if (i < strRuta.size())
            b.append(static_cast<char>(strRuta[i].unicode() - 0xDC00));
        nDesde = i + 1;
    }
    return b;
}

QString Visible(const QString& strRuta) {
    QString s = strRuta;
    for (qsizetype i = 0; i < s.size(); ++i)
        if (EsGuardado(strRuta, i))
            s[i] = QChar::ReplacementCharacter;
    return s;
}

QString Resolver(const QString& strRuta) {
    struct stat st {};
    if (!strRuta.contains(QChar::ReplacementCharacter) || Estado(strRuta, st) == 0)
        return strRuta;
    const QStringList partes = strRuta.split(QLatin1Char('/'));
    // The resolved part so far ("" before the first part of a relative path; an absolute
    // path's first part is empty, so it starts as "/" once joined).
    QString strHecho;
    for (qsizetype i = 0; i < partes.size(); ++i) {
        const QString& parte = partes[i];
        const QString strUnion = i == 0 ? parte : strHecho + QLatin1Char('/') + parte;
        if (!parte.contains(QChar::ReplacementCharacter) || Estado(strUnion, st) == 0) {
            strHecho = strUnion;
            continue;
        }
        QStringList nombres;
        Listar(i == 0               ? QStringLiteral(".")
               : strHecho.isEmpty() ? QStringLiteral("/")
                                    : strHecho,
               nombres);
        QString strUnico;
        int nIguales = 0;
        for (const QString& n : nombres)
            if (QString::fromUtf8(Codificar(n)) == parte) {
                strUnico = n;
                ++nIguales;
            }
        if (nIguales != 1)
            return strRuta;
        strHecho = i == 0 ? strUnico : strHecho + QLatin1Char('/') + strUnico;
    }
    return strHecho;
}

int Estado(const QString& strRuta, struct stat& st) {
    return ::stat(Codificar(strRuta).constData(), &st) == 0 ? 0 : errno;
}

int Listar(const QString& strCarpeta, QStringList& nombres) {
    DIR* d = ::opendir(Codificar(strCarpeta).constData());
    if (!d)
        return errno;
    int nErrno = 0;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(d);
        if (!e) {
            nErrno = errno;
            break;
        }
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            nombres << Decodificar(QByteArray(e->d_name));
    }
    ::closedir(d);
    return nErrno;
}

int CrearCarpetas(const QString& strCarpeta) {
    const QByteArray ruta = Codificar(strCarpeta);
    for (qsizetype i = 1; i <= ruta.size(); ++i) {
        if (i < ruta.size() && ruta[i] != '/')
            continue;
        const QByteArray parte = ruta.left(i);
        if (::mkdir(parte.constData(), 0777) != 0 && errno != EEXIST)
            return errno;
    }
    struct stat st {};
    if (::stat(ruta.constData(), &st) != 0)
        return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

int EscribirNuevo(const QString& strRuta, const char* p, qint64 n, mode_t modo) {
    const QByteArray ruta = Codificar(strRuta);
    const int fd = ::open(ruta.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modo);
    if (fd < 0)
        return errno;
    int nErrno = 0;
    for (qint64 nHecho = 0; nHecho < n && nErrno == 0;) {
        const ssize_t k = ::write(fd, p + nHecho, static_cast<size_t>(n - nHecho));
        if (k < 0 && errno == EINTR)
            continue;
        if (k <= 0)
            nErrno = k < 0 ? errno : EIO;
        else
            nHecho += k;
    }
    // Space is often only found missing when the data reaches the disk: the file counts as
    // written once the synchronisation and the close have said so too.
    if (nErrno == 0 && ::fsync(fd) != 0)
        nErrno = errno;
    if (::close(fd) != 0 && nErrno == 0 && errno != EINTR)
        nErrno = errno;
    if (nErrno != 0)
        ::unlink(ruta.constData());
    return nErrno;
}

void SincronizarCarpeta(const QString& strCarpeta) {
    const int fd = ::open(Codificar(strCarpeta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString NombreTemporal(const QString& strRuta, const char* pszPrefijo) {
    const QByteArray ruta = Codificar(strRuta);
    const qsizetype i = ruta.lastIndexOf('/');
    QByteArray base = ruta.mid(i + 1);
    // Within the 255 bytes a name may have, with room for the dot, the prefix and the tail.
    const qsizetype nSitio = 255 - 1 - static_cast<qsizetype>(std::strlen(pszPrefijo)) - 8;
    if (base.size() > nSitio)
        base.truncate(std::max<qsizetype>(0, nSitio));
    const QByteArray cola = QByteArray::number(QRandomGenerator::global()->bounded(0x1000000), 16)
                                .rightJustified(6, '0');
    QByteArray nombre = "." + base + "." + pszPrefijo + "-" + cola;
    return Decodificar(i < 0 ? nombre : Carpeta(ruta) + (i == 0 ? "" : "/") + nombre);
}

} // namespace Rutas
