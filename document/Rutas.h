// File names as the file system holds them, and the few file operations that must take a
// name exactly as it is. A name is bytes: UTF-8 nearly always, but a file copied from an
// older machine may be called "caf\xe9.akp". Qt turns such a byte into U+FFFD, and the name
// no longer leads back to the file; here a byte that is not part of valid UTF-8 is kept in
// the string as the lone surrogate U+DC00 + byte, so that a name read from a folder or from
// the command line goes back to the file system as the same bytes. Everything that opens,
// lists or writes practice files goes through these.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/stat.h>
#include <sys/types.h>

namespace Rutas {

// The bytes of a name as a string, every byte kept (see above).
QString Decodificar(const QByteArray& bytes);
// The bytes of the name again: UTF-8, with every kept byte put back as it was.
QByteArray Codificar(const QString& strRuta);
// The name to show a person: a kept byte shows as U+FFFD.
QString Visible(const QString& strRuta);

// A path that came through Qt's own decoding (a file dialog, a list of recent files), with
// U+FFFD where the name had bytes that are not UTF-8, taken back to the file it names: each
// part that does not exist as written is matched against the names in its folder as Qt
// would show them. Unchanged when nothing, or more than one name, matches.
QString Resolver(const QString& strRuta);

// stat() on the exact name: 0, or the errno.
int Estado(const QString& strRuta, struct stat& st);

// The names in a folder ("." and ".." left out), as Decodificar gives them: 0 or the errno
// of opening or reading the folder (the names read until then are kept).
int Listar(const QString& strCarpeta, QStringList& nombres);

// Makes the folder and every missing folder above it: 0 or the errno.
int CrearCarpetas(const QString& strCarpeta);

// Writes a new file whole: created only if the name is free, every byte written and
// synchronised to the disk before it is closed. 0, or the errno of the first step that
// failed, in which case nothing is left at the name.
int EscribirNuevo(const QString& strRuta, const char* p, qint64 n, mode_t modo);

// Flushes a folder's entries (a rename into it) to the disk; failures are of no account.
void SincronizarCarpeta(const QString& strCarpeta);

// A free name beside strRuta for a file or folder being prepared: ".nombre.<prefijo>-XXXXXX"
// in the same folder (shortened when the name is long).
QString NombreTemporal(const QString& strRuta, const char* pszPrefijo);

} // namespace Rutas
