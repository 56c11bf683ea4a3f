// The keys of a practice's source, one table per block (head, component, reagent, reaction,
// indicator, item, phase of a vessel). Each row names the key, how its value is read into
// what the source says, how it is written from what a file stores, and whether it is
// written always, only when it is not the usual value, or never (a key kept for reading
// older sources). The reader and the writer both walk these tables, so a new key is one new
// row: nothing else has to learn of it.
#pragma once

#include "document/Extension.h"
#include "document/Fuente.h"
#include "document/FuenteValores.h"
#include "document/Practica.h"
#include "model/Catalogo.h"

#include <QHash>

#include <list>
#include <span>
#include <vector>

class CEquipo;
class CFase;

namespace Fuente {

// ---------------------------------------------------------------------------------------
// What a source says, its references not yet resolved; each entry keeps the line it was
// read from, for the messages about the file it compiles to.

struct Entrada {
    Ref m_ref;
    CContenido m_c;
    bool m_bTexto = false; // the text is given; otherwise the component's name
    QString m_strDonde;
};

struct Componente {
    CComponentes m_c;
    bool m_bDescripcion = false, m_bPendiente = false, m_bOrdenada = false;
    int m_nLinea = 0;
};

struct Reactivo {
    CReactivos m_r;
    std::vector<Entrada> m_entradas;
    int m_nLinea = 0;
};

struct Reaccion {
    CReacciones m_r;
    Ref m_reactivos[3], m_productos[3], m_catalizador;
    int m_nLinea = 0;
};

struct Indicador {
    CIndicadores m_i;
    Ref m_componente;
    int m_nLinea = 0;
};

struct FaseFuente {
    double m_dVolumen = 0.0, m_dMasa = 0.0;
    std::vector<Entrada> m_entradas;
    std::vector<int32_t> m_indicadores;
    QString m_strDondeIndicadores;
    COLORREF m_crColor = 0; // the colour the window last drew it in
};

struct Equipo {
    int32_t m_nTipo = 0, m_x = 0, m_y = 0;
    bool m_bRecipiente = false, m_bTubo = false, m_bParrilla = false;
    std::string m_strRotulo;
    int32_t m_nNivel = CExtension::kNivelDescrito; // a hot plate's
    double m_dTemperatura = 20.0, m_dReserva = 0.0;
    FaseFuente m_fases[3]; // liquid, solid, gas
    int32_t m_nSalida = 0;
    int m_nLinea = 0;
};

struct Datos {
    std::string m_strNombre, m_strResumen, m_strFirma = CPractica::kFirma, m_strAutor, m_strExtra;
    std::string m_strMarco, m_strProcedimiento, m_strResultados;
    CFecha m_fecha = CFecha::DesdeCivil(2003, 1, 1);
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
    std::vector<Componente> m_componentes;
    std::vector<Reactivo> m_reactivos;
    std::vector<Reaccion> m_reacciones;
    std::vector<Indicador> m_indicadores;
    std::vector<Equipo> m_equipo;
    int32_t m_nMotor = MOTOR_DESCRITO;
    std::vector<CParVapor> m_paresVapor; // by places, a < b
    CTermicaPractica m_ambiente;
    CRegistroAutomatico m_automatico;
    QHash<int32_t, CComponentes> m_tabla; // componentes.txt, when there is one
    QString m_strArchivo;                 // the name the messages give "practica.txt"
    int m_lineasCabecera[4] = {};         // of nombre, resumen, autor, fecha
};

// The reader's state while it walks the lines.
struct Lectura {
    Datos m_d;
    const Archivos* m_pArchivos = nullptr;
    bool m_bTabla = false; // componentes.txt has been read
};

// The head and the catalogue exactly as a file stores them (a template's identifiers
// unresolved, its solubility lines as stored).
struct Crudo {
    std::string m_strNombre, m_strResumen, m_strFirma, m_strMarco, m_strProcedimiento,
        m_strResultados, m_strAutor, m_strExtra;
    CCatalogo m_cat;
    CFecha m_fecha;
    int32_t m_bVelocidad = 1, m_bPropiedades = 1;
    CRegistroAutomatico m_automatico;
};

// One line's value as a key's reader gets it.
struct Valor {
    QString m_strClave;
    QString m_str; // the whole value, trimmed
    QStringList m_campos;
    QString m_strDonde; // "practica.txt:12"
    int m_nLinea = 0;

    std::string Texto() const { return Desescapar(m_str, m_strDonde); }
    // Refuses a line without exactly n fields, saying what has them ("un reactivo").
    void Campos(int n, const QString& strQue) const;
};

// How the writer names what a file stores: a template's identifiers as they are; a
// practice's place by the identifier when that finds it again, else by the place.
class Nombres {
public:
    // pBanco is the catalogue of the opened practice, whose indicators the bench names.
    Nombres(const CCatalogo& cat, bool bPractica, const CCatalogo* pBanco = nullptr)
        : m_cat(cat), m_pBanco(pBanco), m_bPractica(bPractica) {}

    QString Ref(int32_t n) const;
    QString RefIndicador(int32_t n) const; // 0 follows the pH
    // The name a composition entry gets when the source gives none.
    std::string Nombre(int32_t n) const;
    int32_t Primero(int32_t nId) const;
    QString EntradaCompleta(const CContenido& e) const;
    QString Indicadores(const std::list<int32_t>& v) const;
    // An entry of the components by its place in either kind of file: the identifier when
    // it finds that place again, else "@N".
    QString Lugar(int32_t n) const;
    bool Practica() const { return m_bPractica; }

private:
    const CCatalogo& m_cat;
    const CCatalogo* m_pBanco;
    bool m_bPractica;
};

// ---------------------------------------------------------------------------------------
// The tables

enum class Cuando { Siempre, SiNoUsual, Nunca };

// A key within a block: Leido is what the reader fills, Guardado what the writer reads.
// The writer gives one line per value it returns; m_usual says, for a key written only
// when needed, that the value is the usual one. m_aplica, when given, limits the key to
// the entries it holds for (a hot plate's level).
template <class Leido, class Guardado> struct Clave {
    const char* m_pszClave; // nullptr marks where the phases of a vessel are written
    void (*m_leer)(Leido&, const Valor&);
    QStringList (*m_escribir)(const Guardado&, const Nombres&);
    Cuando m_cuando;
    bool (*m_usual)(const Guardado&, const Nombres&) = nullptr;
    bool (*m_aplica)(const Leido&) = nullptr;
};

// A block: the key that opens it (its fields on one line), what a key it does not know is
// said to be in ("un componente"; nullptr: the block takes no keys), and its keys.
template <class Leido, class Guardado> struct Bloque {
    const char* m_pszClave;
    Leido& (*m_leer)(Lectura&, const Valor&); // adds the entry
    QString (*m_escribir)(const Guardado&, const Nombres&);
    const char* m_pszEnUn;
    std::span<const Clave<Leido, Guardado>> m_claves;
};

// A key of one phase of a vessel. The key without a name is the phase's own ("liquida =
// volumen | masa"); the others name the phase in their first field, which the writer adds.
struct ClaveFase {
    const char* m_pszClave;
    void (*m_leer)(Equipo&, const Valor&, int nFase); // nFase: the own key's phase, else -1
    QStringList (*m_escribir)(const CFase&, const Nombres&);
    Cuando m_cuando;
    bool (*m_usual)(const CFase&) = nullptr;
};

std::span<const Clave<Lectura, Crudo>> ClavesCabecera();
// Keys that name a component, given anywhere once it is listed: the open block stays open
// (they may follow its "componente" line). The writer puts them after the components.
std::span<const Clave<Lectura, Crudo>> ClavesCatalogo();
const Bloque<Componente, CComponentes>& BloqueComponente();
const Bloque<Reactivo, CReactivos>& BloqueReactivo();
const Bloque<Reaccion, CReacciones>& BloqueReaccion();
const Bloque<Indicador, CIndicadores>& BloqueIndicador();
const Bloque<Equipo, CEquipo>& BloqueEquipo();
std::span<const ClaveFase> ClavesFase();

// One entry of a composition or of a phase: its fields from nPrimero on.
Entrada LeerEntrada(const QStringList& c, int nPrimero, const QString& strDonde);

// One component in the 22 fields of a "componente" line or of the shared table.
CComponentes LeerComponente(const QStringList& c, const QString& strDonde);
QHash<int32_t, CComponentes> LeerTabla(const QString& strTexto);

// The two directions.
Datos Leer(const Archivos& archivos, const QString& strNombre);
QString EscribirFuente(const Crudo& c, bool bPractica, const CPractica& practica);

} // namespace Fuente
