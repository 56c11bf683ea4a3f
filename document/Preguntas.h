// CTarea: the questions of a practice, each student's own unknowns and the student's
// answers. The teacher's practice holds the secret and the answer key; the copy handed to
// students holds the questions, the ranges of the unknowns and the key derived from the
// secret (Sorteo.h), and an answer key only for the questions the teacher lets students
// check. A student who starts the practice gives a name and a group: the seed follows from
// them, the unknowns from the seed. What a student saves is sealed with a keyed hash, so
// that the teacher's grading sees any byte changed by hand.
#pragma once

#include "document/Formula.h"
#include "document/Sorteo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCatalogo;

struct CIncognita {
    std::string m_strNombre; // the name formulas use ("c1")
    int32_t m_nReactivo = 0; // the reagent, by its place in the catalogue
    int32_t m_nEntrada = 0;  // which entry of its composition takes the drawn amount
    double m_dMinimo = 0.0, m_dMaximo = 0.0; // in the entry's unit (mol/L, mol/kg, ratio)
};

struct CPregunta {
    enum Tipo : int32_t { kNumerica = 0, kOpciones = 1, kLibre = 2 };
    int32_t m_nTipo = kNumerica;
    std::string m_strTexto;
    std::string m_strUnidad;
    std::string m_strEsperado; // a formula; in a student's copy only when m_bComprobable
    double m_dTolerancia = 0.0;
    int32_t m_bPorcentaje = 0; // the tolerance is a percentage of the expected value
    int32_t m_nCifras = 0;     // significant figures asked for; 0 when any will do
    std::vector<std::string> m_opciones;
    int32_t m_nCorrecta = -1; // the right option, from 0; -1 in a student's copy
    double m_dPuntos = 1.0;
    int32_t m_bComprobable = 0; // "Comprobar respuestas" may tell right or wrong
};

class CTarea {
public:
    std::vector<CPregunta> m_preguntas;
    std::vector<CIncognita> m_incognitas;
    // The teacher's file holds the secret, a student's the key derived from it.
    bool m_bProfesor = false;
    Sorteo::Huella m_clave{};
    int32_t m_bExamen = 0;
    // Filled when a student starts the practice.
    bool m_bEmpezada = false;
    std::string m_strAlumno, m_strGrupo;
    Sorteo::Huella m_semilla{};
    std::vector<std::string> m_respuestas; // by question; "" when not answered
    Sorteo::Huella m_sello{};              // as read from a file

    bool Vacia() const { return m_preguntas.empty() && m_incognitas.empty(); }
    // Locked for an exam: no editor, no contents window, the speed fixed. The teacher's own
    // file is never locked for the teacher.
    bool Bloqueada() const { return m_bExamen != 0 && !m_bProfesor; }
    Sorteo::Huella ClaveAlumnos() const {
        return m_bProfesor ? Sorteo::ClaveAlumnos(m_clave) : m_clave;
    }

    // The copy for students: no secret, no answer key but where it may be checked.
    CTarea ParaAlumnos() const;
    // Starts the practice for a student: the seed, the answers emptied. The unknowns of the
    // catalogue take their drawn values.
    void Empezar(const std::string& strAlumno, const std::string& strGrupo, CCatalogo& cat);
    // The drawn value of each unknown (the midpoint of its range before a student starts).
    std::vector<double> Valores() const;
    // The values by the names formulas use.
    Formula::Valores Nombrados(const std::vector<double>& valores) const;
    // Puts into the catalogue the drawn values, or the midpoints (what a file stores).
    void Aplicar(CCatalogo& cat, bool bSorteados) const;
    // The seal over what a student hands in: name, group, seed, the lock and the answers.
    Sorteo::Huella Sello() const;

    // One answer judged.
    enum class Juicio { Bien, Mal, Cifras, SinCalificar, SinRespuesta };
    struct Nota {
        std::vector<Juicio> m_juicios;
        std::vector<std::optional<double>> m_esperados; // numeric questions only
        double m_dPuntos = 0.0, m_dMaximo = 0.0;
        double Sobre10() const { return m_dMaximo > 0.0 ? 10.0 * m_dPuntos / m_dMaximo : 0.0; }
    };
    // Judges the answers against this (the teacher's, or a student's for the questions it
    // may check) with the given unknowns' values. Free text is never judged.
    Nota Calificar(const std::vector<std::string>& respuestas,
                   const std::vector<double>& valores) const;
    static Juicio Juzgar(const CPregunta& q, const std::string& strRespuesta,
                         std::optional<double> esperado);

    // The reasons a student's file is not this practice's or was changed by hand; empty
    // when it is sound. The first says the file belongs to another practice.
    enum class Estado { Correcto, Ajeno, NoEmpezado, Manipulado };
    Estado Examinar(const CTarea& alumno) const;

    // A number as a student writes it: a point or a comma, an optional exponent, nothing
    // else; and how many significant figures it shows.
    static std::optional<double> LeerNumero(const std::string& s);
    static int Cifras(const std::string& s);
};
