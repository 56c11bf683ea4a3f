// CExtension: what a saved practice keeps that the described file has no place for — the
// whole text of names Windows-1252 cannot spell, the labels students put on items, the
// level of a hot plate, the data of the aqueous equilibrium engine (DatosAcuosos.h) and those
// of solutions and vapours (Vapor.h).
// A practice with none of it is written exactly as the described format says, version
// "Vol.1"; one with any is written as version "Vol.2", this block right after the version
// and the described records after it, unchanged. An older program refuses such a file by
// its version. A template, which has no version, carries the block (texts and chemistry, no
// bench) after its last record behind a "Vol.2" marker, bytes an older program refuses as it
// refuses any trailing byte. The layout is told in docs/formato-extension.md.
#pragma once

#include "document/Preguntas.h"
#include "document/Registro.h"
#include "model/Archivo.h"
#include "model/Cinetica.h"
#include "model/DatosAcuosos.h"
#include "model/Termica.h"
#include "model/Vapor.h"

#include <string>
#include <utility>
#include <vector>

class CCatalogo;
class CListaEquipo;

class CExtension {
public:
    // Record tags. Below kObligatoria a tag this program does not know is stepped over (its
    // record is lost when the practice is saved again); from kObligatoria on it refuses the
    // file. A newer program gives the second kind to whatever must not be lost or ignored.
    // The chemistry records are mandatory: a program that would step over them would run
    // another chemistry than the practice's author chose.
    enum Etiqueta : int32_t {
        kTexto = 1,
        kRotulo = 2,
        kNivel = 3,
        // The lab log and the practice's choice to record by itself: optional, since a
        // practice without them runs the same chemistry.
        kRegistro = 4,
        kRegistroAutomatico = 5,
        kMotor = 0x8001,
        kAcidoBase = 0x8002,
        kColorConcentracion = 0x8003,
        kFormas = 0x8004,
        kReversible = 0x8005,
        kCinetica = 0x8006,
        kSuperficie = 0x8007,
        kTermica = 0x8008,
        kAmbiente = 0x8009,
        kDisolucion = 0x800A,
        kParVapor = 0x800B,
        kEquipoNuevo = 0x800C,
        // Questions, unknowns and answers are mandatory: an older program that stepped
        // over them would save the practice without a student's answers.
        kTarea = 0x8010,
        kIncognita = 0x8011,
        kPregunta = 0x8012,
        kRespuesta = 0x8013
    };
    static constexpr int32_t kObligatoria = 0x8000;

    // The bounds of the chemistry records, which the reader of the file and that of the
    // source both hold to (the editor's checks are narrower): what lies beyond was written
    // by no program. Other numbers are bounded as any number of a catalogue record.
    static constexpr int32_t kPasosMaximos = 3;  // acid–base steps, indicator transitions
    static constexpr double kKMinima = 1.0e-100; // a reversible reaction's K at 25 °C
    static constexpr double kKMaxima = 1.0e100;
    static constexpr int32_t kFueraDeQ = 0x3F; // bits of the six slots
    static constexpr COLORREF kColorMaximo = 0xFFFFFF;
    // A component's particles, its solubility points and vapour data; a pair's energies.
    static constexpr double kVantHoffMaximo = 10.0;
    static constexpr int32_t kPuntosMaximos = 32;
    static constexpr double kTemperaturaMinima = -273.15; // °C
    static constexpr double kTemperaturaMaxima = 5000.0;  // °C
    static constexpr double kAntoineBMaxima = 1.0e5;      // K
    static constexpr double kAntoineCMaxima = 1.0e3;      // K, either sign
    static constexpr double kVolumenMolarMaximo = 1.0e4;  // cm3/mol
    static constexpr double kEnergiaMaxima = 1.0e6;       // J/mol, either sign
    // The bounds of the questions' records.
    static constexpr int32_t kPreguntasMaximas = 200;
    static constexpr int32_t kIncognitasMaximas = 50;
    static constexpr int32_t kOpcionesMaximas = 20;
    static constexpr size_t kTextoPregunta = 4000; // bytes of a question, an option, an answer
    static constexpr size_t kNombreAlumno = 200;
    static constexpr size_t kNombreIncognita = 32;
    static constexpr double kPuntuacionMaxima = 1000.0;
    // A rate law's constant and its catalyst's factor; the activation energy (kJ/mol), the
    // reference temperature (°C), the orders; a surface factor.
    static constexpr double kCineticaMinima = 1.0e-100;
    static constexpr double kCineticaMaxima = 1.0e100;
    static constexpr double kEaMaxima = 1000.0;
    static constexpr double kTReferenciaMinima = -273.15;
    static constexpr double kTReferenciaMaxima = 1500.0;
    static constexpr double kOrdenMaximo = 3.0;
    static constexpr double kSuperficieMaxima = 1.0e6;

    // The texts a record may complete, by field; the index is the entry's place in its
    // catalogue table (0 for the head's texts).
    enum Campo : int32_t {
        kNombre = 1,
        kResumen = 2,
        kAutor = 3,
        kExtra = 4,
        kComponente = 10,
        kFormula = 11,
        kReactivo = 20,
        kReaccion = 30,
        kReaccionLarga = 31,
        kIndicador = 40,
        kIndicadorTexto = 41
    };

    // The level a hot plate has in a file that stores none: the one the described program
    // gives every plate it reads.
    static constexpr int32_t kNivelDescrito = 2;

    struct Texto {
        int32_t m_nCampo = 0, m_nIndice = 0;
        std::string m_str;
    };
    std::vector<Texto> m_textos;                            // by field, then index
    std::vector<std::pair<int32_t, std::string>> m_rotulos; // item place, label
    std::vector<std::pair<int32_t, int32_t>> m_niveles;     // item place, level
    // The chemistry, by the entry's place in its catalogue table; only entries that have
    // data, in increasing order, and the mode only when it is not the described one.
    int32_t m_nMotor = MOTOR_DESCRITO;
    std::vector<std::pair<int32_t, CAcidoBaseDatos>> m_acidoBase;     // component
    std::vector<std::pair<int32_t, double>> m_concentracionColor;     // component, mol/L
    std::vector<std::pair<int32_t, CIndicadorDatos>> m_formas;        // indicator
    std::vector<std::pair<int32_t, CReversibleDatos>> m_reversibles;  // reaction
    std::vector<std::pair<int32_t, CDisolucionDatos>> m_disoluciones; // component
    std::vector<CParVapor> m_paresVapor;                              // by (a, b), a < b
    std::vector<std::pair<int32_t, CCineticaDatos>> m_cineticas;      // reaction
    std::vector<std::pair<int32_t, CSuperficieDatos>> m_superficies;  // component
    std::vector<std::pair<int32_t, CTermicaDatos>> m_termicas;        // component
    CTermicaPractica m_ambiente;
    // The questions, the unknowns and the answers (empty: none of their records).
    CTarea m_tarea;
    // The log, its series by their items' places (Tomar leaves it empty: the practice puts
    // its own in), and what the practice records by itself.
    CRegistro m_registro;
    CRegistroAutomatico m_automatico;
    // The items of types the described file has no code for (CEquipo::FueraDelFormatoDescrito),
    // by place, with their type code: mandatory, so that a program that knows the extension
    // but not these types refuses the file by its record instead of by its bench.
    std::vector<std::pair<int32_t, int32_t>> m_equiposNuevos; // item place, type code

    // The head's four texts, which the extension completes like the catalogue's.
    struct Cabecera {
        std::string* m_pNombre;
        std::string* m_pResumen;
        std::string* m_pAutor;
        std::string* m_pExtra;
    };

    // What of these parts the described records cannot hold (no bench: a template's
    // parts). Items are counted in the bench's drawing order, the first one 0.
    static CExtension Tomar(const std::string& strNombre, const std::string& strResumen,
                            const std::string& strAutor, const std::string& strExtra,
                            const CCatalogo& cat, const CListaEquipo* pBanco);
    bool Vacia() const {
        return SinTextosNiMesa() && SinQuimica() && m_tarea.Vacia() && m_registro.Vacio() &&
               m_automatico.Vacio();
    }
    bool SinTextosNiMesa() const {
        return m_textos.empty() && m_rotulos.empty() && m_niveles.empty() &&
               m_equiposNuevos.empty();
    }
    bool SinQuimica() const {
        return m_nMotor == MOTOR_DESCRITO && m_acidoBase.empty() && m_concentracionColor.empty() &&
               m_formas.empty() && m_reversibles.empty() && m_disoluciones.empty() &&
               m_paresVapor.empty() && m_cineticas.empty() && m_superficies.empty() &&
               m_termicas.empty() && !m_ambiente.Tiene();
    }

    // The block: an int32 count of records, then each record (tag, byte length, payload).
    // Reading checks every bound it can before the records are applied: counts against the
    // bytes left, tags in order, each tag's records in increasing order of their key, no
    // unknown mandatory tag, every chemistry value within the bounds above (the unused
    // places of a record zero). A violation throws CErrorArchivo; so does writing what the
    // reader would refuse.
    void Escribir(CArchivo& ar) const;
    static CExtension Leer(CArchivo& ar);

    // Puts the chemistry into the catalogue just read (which has none), each entry by its
    // place; a place past its table throws CErrorArchivo.
    void AplicarQuimica(CCatalogo& cat) const;
    // Puts the whole texts in place of their Windows-1252 forms, once the described records
    // are read. Each must be the text those forms came from, and one they could not hold
    // (only such texts are ever written): anything else is refused with CErrorArchivo.
    void AplicarTextos(const Cabecera& cabecera, CCatalogo& cat) const;
    // Checks that every unknown names a reagent and an entry of its composition in the
    // catalogue just read (CErrorArchivo when not) and, in a student's started practice,
    // puts the drawn values in.
    void AplicarTarea(CCatalogo& cat) const;
    // Labels and levels onto the bench that was read; a plate without a level record gets
    // kNivelDescrito. A place past the bench, or a level on an item that is no hot plate,
    // throws CErrorArchivo; so does an item of a new type that its record does not name at its
    // place (a described file holds none), or a record naming another type there.
    void AplicarMesa(CListaEquipo& banco) const;
    // The whole text of a field, when the block has it.
    const std::string* TextoDe(int32_t nCampo, int32_t nIndice = 0) const;
    // Puts the whole text of a head's field in place of its Windows-1252 form when the
    // block has one that matches it; for readers of the head alone (the practice browser).
    void Completar(int32_t nCampo, std::string& s) const;
};
