// The practices a student can start: the built-in ones, then those in the user's own folder
// ("Mis prácticas"), then those of a shared folder (a school's network share). Listing reads
// only the head of each file, and never more than kBytesCabecera of it; importing copies a
// file that reads as a whole into the user's folder under a name that is free. No window
// needed: the browser shows what this returns.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace Biblioteca {

enum class Grupo { Incluidas, Propias, Compartidas };

// The heading a group has in the browser.
QString NombreGrupo(Grupo g);

struct Entrada {
    Grupo m_grupo = Grupo::Incluidas;
    // A built-in practice has a number (Plantillas::kPrimera…) and no path.
    int m_nPlantilla = 0;
    QString m_strRuta;
    // A template (".akp") starts a new practice; a saved practice (".uak1") opens as saved.
    bool m_bPlantilla = true;
    QString m_strNombre, m_strResumen, m_strAutor;
    // Not empty when the file cannot be started: why, in Spanish. Such an entry is listed
    // under its file name.
    QString m_strError;
    // The entry is a note about the folder itself (missing, not readable, empty, too many
    // files), not a practice: m_strError holds the note.
    bool m_bNota = false;

    bool Elegible() const { return !m_bNota && m_strError.isEmpty(); }
};

// The most of a file read to list it, and the most files listed from one folder.
constexpr qint64 kBytesCabecera = 1024 * 1024;
constexpr int kMaximoArchivos = 500;

// The files of one folder with the exact extensions ".akp" and ".uak1", sorted by name.
// A damaged file is listed with its error; a folder that is missing or cannot be read gives
// one note, and so does an empty one.
std::vector<Entrada> ListarCarpeta(const QString& strCarpeta, Grupo grupo);

// Every group in order: the built-in practices, then strPropia, then strCompartida (none
// when empty).
std::vector<Entrada> Listar(const QString& strPropia, const QString& strCompartida);

// Name, summary and author at the head of a file's bytes. The author comes after the
// catalogue: when the bytes stop before it (bCompleto false: only the first part of the
// file), the author stays empty and that is no error.
bool LeerCabecera(const std::vector<uint8_t>& datos, bool bCompleto, bool bPlantilla,
                  const QString& strArchivo, Entrada& e);

// The same from a file, reading no more than kBytesCabecera of it. A file read whole on the
// way (nearly every practice) is also read as opening it would read it, so that one damaged
// past its head, or with bytes left over, is listed with its error; so is one larger than
// the reader takes.
Entrada LeerArchivo(const QString& strRuta, Grupo grupo);

// Whether the bytes read as a whole practice file; bPlantilla says which kind it is. The
// open practice and its catalogue are left as they were.
bool Comprobar(const std::vector<uint8_t>& datos, const QString& strArchivo, bool& bPlantilla,
               QString* pstrError);

// Whether the file opens, read whole, as the kind of file it will be opened as (a template
// when bPlantilla); if not, why, naming the file. For an entry the list could only read the
// head of, before it is started.
bool SeAbre(const QString& strRuta, bool bPlantilla, QString& strError);

// Copies the file into the folder (created when missing) once it reads as a practice or a
// template, under its own name with the extension of its kind, or "nombre (2)" and on when
// that is taken: nothing is ever overwritten. pstrDestino receives the new path.
bool Importar(const QString& strOrigen, const QString& strCarpeta, QString* pstrDestino,
              QString* pstrError);

} // namespace Biblioteca
