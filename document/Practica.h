// CPractica: the open practice — the bench, the names, notes and flags — and the reading
// and writing of practice files. No window needed: the program, the command-line tool and
// the tests share it.
#pragma once

#include "document/Extension.h"
#include "equipment/ListaEquipo.h"
#include "model/Archivo.h"
#include "model/Catalogo.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CPractica {
public:
    CPractica();
    ~CPractica();
    CPractica(const CPractica&) = delete;
    CPractica& operator=(const CPractica&) = delete;

    // The practice's own catalogue (start-up: water, sodium hydroxide, copper sulphate),
    // and the bench, whose vessels are bound to it. Declared in this order so that the
    // catalogue outlives the bench.
    CCatalogo m_catalogo = CCatalogo::Inicial();
    CListaEquipo m_listaEquipo{&m_catalogo};
    int32_t m_bOcupado = 0;
    std::string m_strPractica = "Nueva";
    std::string m_strMarcoTeorico;
    std::string m_strProcedimiento;
    std::string m_strResultados;
    std::string m_strAutor;
    std::string m_strResumen;
    std::string m_strExtra;
    CFecha m_dtFecha;
    int32_t m_bVelocidad = 1;
    int32_t m_bPropiedades = 1;
    // Questions, unknowns and a student's answers (Preguntas.h); empty in most practices.
    CTarea m_tarea;
    // The lab log, kept with the practice (its file's extension), and what the practice
    // records by itself (m_registro.m_automatico).
    CRegistro m_registro;

    // How a read or a write ended.
    enum class Resultado {
        Correcto,
        NoExiste, // nothing at the path: nothing changes, nothing to report
        Error     // the message says why; the open practice is as it was
    };

    void RemoveEquipment(CEquipo* pEquipo);
    void ClearBench();

    // A saved practice (".uak1"). The file is written through a temporary file that
    // replaces the target only when everything was written.
    Resultado GuardarPractica(const QString& strRuta, QString* pstrError = nullptr);
    // Reads a saved practice into a new practice and takes it only when all of it read;
    // a damaged file, a wrong version or a read error leaves this practice untouched.
    Resultado AbrirPractica(const QString& strRuta, QString* pstrError = nullptr);
    // A practice template (".akp"): the catalogue by identifiers, the notes, no bench.
    Resultado CargarPlantilla(const QString& strRuta, QString* pstrError = nullptr);
    // The name and summary at the head of either kind of file.
    static Resultado LeerCabecera(const QString& strRuta, std::string& strNombre,
                                  std::string& strResumen, QString* pstrError = nullptr);
    static Resultado LeerCabecera(const std::vector<uint8_t>& datos, const QString& strArchivo,
                                  std::string& strNombre, std::string& strResumen,
                                  QString* pstrError = nullptr);

    // The same, on bytes in memory (the file name goes into the messages). Writing throws
    // CErrorArchivo when the practice holds a number that is not finite.
    std::vector<uint8_t> EscribirPractica() const;
    Resultado LeerPractica(const std::vector<uint8_t>& datos, const QString& strArchivo,
                           QString* pstrError);
    Resultado LeerPlantilla(const std::vector<uint8_t>& datos, const QString& strArchivo,
                            QString* pstrError);

    // Puts back the bench and the catalogue of a saved practice's bytes (a snapshot of the
    // history), keeping the names, notes and flags of this one. Nothing changes when the
    // bytes do not read.
    Resultado RestaurarMesa(const std::vector<uint8_t>& datos, QString* pstrError = nullptr);

    // An independent copy: the same file bytes, read into a new practice (catalogue, bench,
    // notes). None, with the reason, when the practice cannot be written (a number that
    // is not finite) — the copy is exactly what saving and opening would give.
    std::unique_ptr<CPractica> Copia(QString* pstrError = nullptr) const;

    // Spanish text of a file error for the named file.
    static QString TextoError(int nErrno, const QString& strArchivo);
    static QString TextoError(const CErrorArchivo& e, const QString& strArchivo);
    // A file larger than any practice (kMaximoBytes).
    static QString TextoDemasiadoGrande(const QString& strArchivo);

    // The bytes of a file, read only from a regular file and never more than kMaximoBytes:
    // a device, a pipe or a link to one is refused without blocking or filling memory.
    static Resultado LeerArchivo(const QString& strRuta, std::vector<uint8_t>& datos,
                                 QString* pstrError);
    // Writes the bytes at the path. A regular file (or a new one) is replaced only when
    // every byte reached the disk, the flush included: a full disk keeps the old file and
    // says so. A character device or a pipe is written in place, never replaced by a file,
    // and never blocks: a pipe nobody reads, or one that stops taking data, is given up with
    // a message. Paths are taken as Rutas keeps them (names that are not UTF-8 included).
    static Resultado EscribirArchivo(const QString& strRuta, const char* p, qint64 n,
                                     QString* pstrError);

    static constexpr qint64 kMaximoBytes = 64 * 1024 * 1024;
    static constexpr const char* kFormatoIncompatible = "- Formato incompatible -";
    // The texts at the head of every file: the signature after the name and summary, and,
    // in a saved practice only, the version after it.
    static constexpr const char* kFirma = "korvex";
    static constexpr const char* kVersion = "Vol.1";
    // The version of a practice that carries the extension block (Extension.h) after it.
    static constexpr const char* kVersionExtendida = "Vol.2";
    // Whether the bytes begin as a saved practice does (a template has no version): the
    // fourth text of the head is a version, "Vol." and a number, known to this program or
    // newer (the practice reader then refuses it with the usual message).
    static bool EsPractica(const std::vector<uint8_t>& datos);
    // Reads the version of a saved practice and, when it is the extended one, the block
    // after it into ext. Any other version throws CErrorArchivo (the wrong format).
    static void LeerVersion(CArchivo& ar, CExtension& ext);
    // A template has no version: when its texts or its chemistry need the extension, the
    // block goes after its last described record, behind the extended version as a marker. An older
    // reader refuses those bytes as it refuses any byte after the last record.
    static void EscribirExtensionPlantilla(CArchivo& ar, const CExtension& ext);
    // The extension block of a practice or a template, for readers of the head alone (the
    // practice browser, the open dialog); empty when the bytes have none or do not read.
    static CExtension ExtensionDe(const std::vector<uint8_t>& datos);

private:
    struct Textos;
    Resultado Leer(const std::vector<uint8_t>& datos, bool bPlantilla, const QString& strArchivo,
                   QString* pstrError);
};
