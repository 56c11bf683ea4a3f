// CRegistro: the lab log. While it records, every chosen instrument is read at a fixed
// interval of simulated time and its reading kept as one series with its unit; the rows
// share their instants. Simulated time is counted in bench steps (kSegundosPorPaso each),
// so the speed slider and a stopped clock change how fast the log fills, never what it
// holds. The log also draws its own numbers for the windows: the points of a series
// against time or against a burette's volume, a chord or tangent slope, the first
// derivative and where it peaks, and the table as text for a spreadsheet.
//
// Only the standard library is used here, so that the tool, the tests and the windows
// share every number; the bench is reached through the items' own readings.
#pragma once

#include "model/Reloj.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CEquipo;
class CListaEquipo;

struct CSerieRegistro {
    std::string m_strNombre; // the item's label, or its name when it has none
    std::string m_strUnidad;
    int32_t m_nTipo = 0;    // the item's type code
    int32_t m_nPrimera = 0; // the row of its first value
    std::vector<double> m_valores;
    // The item read while it records; none once it stopped or left the bench. In a file, its
    // place on the bench in drawing order (-1: none).
    CEquipo* m_pEquipo = nullptr;
    int32_t m_nLugar = -1;

    bool Tiene(size_t nFila) const {
        return nFila >= static_cast<size_t>(m_nPrimera) &&
               nFila - static_cast<size_t>(m_nPrimera) < m_valores.size();
    }
    double En(size_t nFila) const { return m_valores[nFila - static_cast<size_t>(m_nPrimera)]; }
    // Whether it is a burette's volume, which can stand as the X axis.
    bool EsVolumen() const;
};

// What a practice asks to record by itself: every instrument of these kinds that is put on
// the bench, at this interval, against time or against the burette's volume.
struct CRegistroAutomatico {
    std::vector<int32_t> m_tipos; // item type codes, increasing
    double m_dIntervalo = 1.0;
    bool m_bEjeVolumen = false;
    bool Vacio() const { return m_tipos.empty(); }
    bool operator==(const CRegistroAutomatico&) const = default;
};

class CRegistro {
public:
    // The simulated time one bench step stands for (model/Reloj.h).
    static constexpr double kSegundosPorPaso = Reloj::kSegundosPorPaso;
    static constexpr double kIntervaloDescrito = 1.0;
    // From one step to one hour between two readings.
    static constexpr double kIntervaloMinimo = kSegundosPorPaso;
    static constexpr double kIntervaloMaximo = 3600.0;
    // The size a log may reach, in the file and in memory: 16 series, and 400 000 values in
    // all with their instants (about 3.5 MB), which is ten instruments for eleven hours at
    // one reading a second. Recording stops, and says so, when the log is full.
    static constexpr int32_t kSeriesMaximas = 16;
    static constexpr int32_t kValoresMaximos = 400'000;
    static constexpr size_t kNombreMaximo = 256; // bytes of a series' name
    static constexpr size_t kUnidadMaxima = 32;

    double m_dIntervalo = kIntervaloDescrito;
    bool m_bGrabando = false;      // the clock of the log runs with the bench's steps
    bool m_bEjeVolumen = false;    // the window draws against the burette's volume
    double m_dTiempo = 0.0;        // simulated seconds since the log began
    double m_dSiguiente = 0.0;     // when the next row is taken
    std::vector<double> m_tiempos; // one instant per row
    std::vector<CSerieRegistro> m_series;
    CRegistroAutomatico m_automatico;

    bool Vacio() const { return m_series.empty() && m_tiempos.empty(); }
    bool Lleno() const;
    size_t Filas() const { return m_tiempos.size(); }
    size_t Valores() const;

    // Whether an item can be recorded, and the reading it gives (its display's, or the
    // volume a burette has delivered); none for an item that cannot.
    static bool Registrable(const CEquipo& e);
    static std::optional<std::pair<double, std::string>> LecturaDe(const CEquipo& e);
    // Whether items of the type code can be recorded (what a practice may ask to record).
    static bool TipoRegistrable(int32_t nTipo);

    // The series that records the item now, or -1.
    int Serie(const CEquipo* pEquipo) const;
    // Starts recording the item (the log starts with it when it was stopped; a first row
    // is taken at once) or stops its series. False when the item cannot be recorded or the
    // log is full.
    bool Registrar(CEquipo& e, const CListaEquipo& lista);
    void Detener(const CEquipo* pEquipo);
    // An item left the bench: its series keeps its values and stops.
    void Olvidar(const CEquipo* pEquipo);
    // Everything recorded goes; the series stay, ready to start again.
    void Borrar();

    // One bench step of dSegundos: the clock advances and a row is taken when its instant
    // has come. The practice's own choice starts recording what it asks for. Cheap when
    // nothing records.
    void Paso(const CListaEquipo& lista, double dSegundos = kSegundosPorPaso);
    // Takes a row now.
    void Muestrear(const CListaEquipo& lista);

    // Series and places: before writing, each series' place on the bench; after reading,
    // the items of those places (a place past the bench stops the series).
    void TomarLugares(const CListaEquipo& lista);
    void AplicarLugares(const CListaEquipo& lista);

    // The points of a series: against time, or against the values of series nX at the
    // same rows (the rows where both have a value).
    using Puntos = std::vector<std::pair<double, double>>;
    Puntos PuntosDe(size_t nSerie, int nX = -1) const;
    // The first series that is a burette's volume, or -1.
    int SerieVolumen() const;

    // The slope of the chord between two points, and of the tangent at a point: the
    // least-squares line through the points within nVecinos on each side. Zero when the
    // points do not differ in X.
    static double Cuerda(const Puntos& p, size_t i, size_t j);
    static double Tangente(const Puntos& p, size_t i, size_t nVecinos = 2);
    // The first derivative as the slope between each two consecutive points, at their
    // middle X; points that do not advance in X are skipped.
    static Puntos Derivada(const Puntos& p);
    // The point of a derivative where it is largest in absolute value (the titration's
    // equivalence point); none for an empty one.
    static std::optional<std::pair<double, double>> Maximo(const Puntos& d);

    // The table as text: a header row of names with units, then a row per instant, the
    // time first. The separators are the reader's locale's (a Spanish spreadsheet takes
    // ';' between fields and ',' for decimals); a value that is absent is an empty field.
    std::string Tabla(char cCampo, char cDecimal) const;

private:
    void Automatico(const CListaEquipo& lista);
    std::vector<const CEquipo*> m_descartados; // taken out of the automatic choice by hand
};
