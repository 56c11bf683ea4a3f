// Calificacion: a class's files graded against the teacher's practice. Every file of the
// folder is read; one that is damaged, belongs to another practice, was never started or was
// changed by hand is listed with the reason and the run goes on. The unknowns and the
// expected answers are computed again from each student's seed and the teacher's key.
#pragma once

#include "document/Preguntas.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace Calificacion {

struct Fila {
    QString m_strArchivo;
    std::string m_strAlumno, m_strGrupo;
    std::vector<std::string> m_respuestas;
    std::vector<double> m_valores; // the student's unknowns
    CTarea::Nota m_nota;
};

struct Rechazo {
    QString m_strArchivo;
    QString m_strMotivo; // Spanish
};

struct Clase {
    std::vector<Fila> m_filas;                       // by file name
    std::vector<Rechazo> m_rechazos;                 // by file name
    std::vector<std::pair<size_t, size_t>> m_copias; // rows with the same answers, other unknowns
};

// The files of the folder (not its subfolders), by name. The teacher's practice must hold
// the secret; a missing folder gives one refusal naming it.
Clase Carpeta(const CTarea& profesor, const QString& strCarpeta);
// One file, by its bytes, added to the class.
void Agregar(const CTarea& profesor, const QString& strArchivo, const std::vector<uint8_t>& datos,
             Clase& clase);
// Marks the rows whose answers are the same though their unknowns differ.
void BuscarCopias(Clase& clase);

// A comma-separated table, UTF-8, a header row, a point as decimal mark, every text in
// double quotes: what a gradebook's CSV import and a spreadsheet read. One row per student:
// name, group, then for each question the answer and 1 or 0 (empty where it is not judged),
// then the mark out of 10.
QByteArray Csv(const CTarea& profesor, const Clase& clase);

// The word of a judgement, for the tables.
QString Palabra(CTarea::Juicio j);

} // namespace Calificacion
