// The readable source of a practice: a folder with "practica.txt" (header, catalogue and
// starting bench as "clave = valor" lines) and the notes as RTF files beside it. Compiling
// gives a template (".akp") or a saved practice (".uak1"); exporting turns either kind of
// file back into its source. A source exported from a file compiles to the same bytes, so
// practices can be kept and compared in version control. The form is described for teachers
// in docs/fuente-practicas.md.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <utility>
#include <vector>

class CPractica;

class CTarea;

namespace Fuente {

// The files of a source folder.
constexpr const char* kPractica = "practica.txt";
constexpr const char* kComponentes = "componentes.txt"; // optional shared table
constexpr const char* kMarco = "marco.rtf";
constexpr const char* kProcedimiento = "procedimiento.rtf";
constexpr const char* kResultados = "resultados.rtf";
constexpr const char* kPreguntas = "preguntas.txt"; // the questions, when there are any

// A source held in memory: file name -> contents. A notes file that is missing is an empty
// section; "componentes.txt" is needed only when "practica.txt" names components of it.
using Archivos = QMap<QString, QByteArray>;

enum class Tipo { Plantilla, Practica };

// Where what a source describes stands in "practica.txt" (0: nowhere), so that what is
// found in the file it compiles to is told at its line (Revisar).
struct Mapa {
    QString m_strArchivo;   // "practica.txt" as the messages name it
    int m_cabecera[4] = {}; // nombre, resumen, autor, fecha
    std::vector<int> m_componentes, m_reactivos, m_reacciones, m_indicadores, m_equipos;
    // Lines that name a component the catalogue does not have where the file gets "no
    // component" without a word: a reaction's slot that has a coefficient, an indicator's
    // component.
    std::vector<std::pair<int, QString>> m_referencias;
};

// The file the source describes: a template (its bench, if the source has one, is left out
// and said in pavisos) or a saved practice with its bench. Empty, with "practica.txt:12: …"
// in strError, when the source is not well formed or holds a value no file may hold.
// strNombre names "practica.txt" in the messages when it is another file (a built-in
// template's source).
// pmapa, when given, gets where each entry stands.
QByteArray Compilar(const Archivos& archivos, Tipo tipo, QString* pstrError,
                    QStringList* pavisos = nullptr, const QString& strNombre = {},
                    Mapa* pmapa = nullptr);

// The same on a folder: every file is read through the program's own reader, so that only
// regular files of sensible size are taken.
QByteArray CompilarCarpeta(const QString& strCarpeta, Tipo tipo, QString* pstrError,
                           QStringList* pavisos = nullptr, Mapa* pmapa = nullptr);

// What the practice editor's checks find in the practice or template a source compiled to
// (as the program opened it), and the references of the map, each at its line:
// "practica.txt:12: Sustancia 3 «Cinc»: El campo «Densidad» …". The program opens such a
// file; the editor would not accept it as it is.
QStringList Revisar(const CPractica& compilada, const Mapa& mapa);

// The source of a template or a saved practice. The file is read into a practice of its
// own first: a file the program does not open is refused with the program's message.
bool Exportar(const std::vector<uint8_t>& datos, const QString& strArchivo, Archivos& archivos,
              QString* pstrError);

// The questions and unknowns of a practice as "preguntas.txt", and back (ErrorFuente with
// "preguntas.txt:12: …" when a line does not read).
QString EscribirPreguntas(const CTarea& t);
CTarea LeerPreguntas(const QByteArray& texto);

// Writes the files into the folder as a whole. They are made in a new folder beside it,
// which takes the old one's place only once every file is on the disk (what else the old
// folder held is moved into the new one); any failure leaves the old folder exactly as it
// was and says why. A folder that is missing is made, with those above it. pavisos gets
// what could not be tidied afterwards (a copy of the old folder left beside it).
bool EscribirCarpeta(const Archivos& archivos, const QString& strCarpeta, QString* pstrError,
                     QStringList* pavisos = nullptr);

} // namespace Fuente
