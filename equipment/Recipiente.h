// CRecipiente: a vessel. It owns a vessel interior, knows its capacity and where the
// contents stand in its picture, adds water and reagents, pours, passes gas along its
// connection every tick and paints itself with its contents.
#pragma once

#include "equipment/Equipo.h"
#include "model/Seno.h"

#include <optional>

#include <QRegion>

#include <algorithm>
#include <list>
#include <vector>

struct CGeometria;

// One point of a titration: millilitres delivered and the receiver's pH then.
class CPuntoTitulacion {
public:
    CPuntoTitulacion(double dVol = 0.0, double dPH = 0.0) : m_dVol(dVol), m_dPH(dPH) {}
    virtual ~CPuntoTitulacion() = default;
    double m_dVol;
    double m_dPH;

    // Where the point stands on a graph of the given pixels per millilitre and per pH unit,
    // from the graph's origin (y upwards).
    QPoint ToPixels(double dPorMl, double dPorPH) const {
        // Clamped before the conversion: a point far off the graph must not overflow it.
        auto pixel = [](double d) {
            return d > -1.0e6 ? static_cast<int>(std::min(d, 1.0e6)) : -1'000'000;
        };
        return QPoint(pixel(dPorMl * m_dVol), pixel(dPorPH * m_dPH));
    }
};

// A boiling bubble, relative to the vessel's left edge and its bottom line.
struct CBurbuja {
    int m_x = 0;
    int m_y = 0;
    int m_nVelocidad = 1;
    int m_nLado = 1;
    void Crear(int cx);
    QRect Rect() const { return QRect(m_x - 2, m_y - 2, 4, 4); }
    void Mover();
};

// A rising gas particle, relative to the vessel's left edge and the liquid's surface.
struct CParticulaGas {
    int m_x = 0;
    int m_y = 0;
    int m_nVelocidad = 1;
    int m_nFrame = 0;
    void Crear(int cx);
    QRect Rect() const { return QRect(m_x, m_y + 1, 3, 1); }
    void Mover();
};

// Random numbers 0..32767 for the particles, seeded from the clock on first use.
int Aleatorio();
void SembrarAleatorio(unsigned nSemilla);

class CRecipiente : public CEquipo {
public:
    ~CRecipiente() override;
    void Vincular(const CCatalogo* pCatalogo) override { m_seno.Vincular(pCatalogo); }
    // The titration curve and the volume delivered: no file keeps them, but undoing another
    // action must not erase them (they last until "Inicializar grafica").
    void EscribirEstado(CArchivo& ar) const override;
    void LeerEstado(CArchivo& ar) override;
    CRecipiente* Recipiente() override { return this; }
    const CRecipiente* Recipiente() const override { return this; }
    // What the properties window shows, in one line: volume, temperature, pH and solid.
    QString Descripcion() const override;

    double m_dCapacidad = 0.0;
    double m_dTitulado = 0.0;
    double m_dMasaVacio = 0.0;
    int32_t m_nFondo = 0;
    CSeno m_seno;
    std::list<CPuntoTitulacion> m_lstTitulacion; // newest first
    CRecipiente* m_pConectado = nullptr;

    // y in the picture of the surface of contents of that volume, from the type's level
    // profile.
    int32_t GetLevelY(double dVolumen) const;
    // One timer tick; nonzero when the vessel needs repainting.
    virtual int32_t Step();
    // Which vessel the bench step connects this one to before its tick: none, the vessel
    // whose mouth lies below it (pipettes, the elbow) or the one its probe point is in (the
    // delivery tube).
    enum class Enlace { Ninguno, Debajo, Sonda };
    virtual Enlace EnlaceAlPaso() const { return Enlace::Ninguno; }
    // After something was poured in (the calorimeter takes the mixture's temperature as
    // its surroundings').
    virtual void AlRecibir() {}
    // Whether water, reagents and indicators are added to it from its menu (not to a
    // burette, a pipette or an assembly piece, which are filled by pouring).
    virtual bool AdmiteMateriales() const { return true; }

    void Serialize(CArchivo& ar) override;
    void Draw(QPainter& p) override;
    void BuildMenu(CMenu& menu) override;
    CPeticion Pide(int nComando) const override;
    ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) override;
    void Olvidar(CEquipo* pEquipo) override;

    // Adds a component (water, from "Agregar agua"); 0 when it does not fit in the free
    // space or the amount is negative or not finite, and then nothing is added.
    int32_t AddComponent(int32_t nComponente, double dCantidad, int32_t nUnidad);
    // Adds a reagent (millilitres for a liquid one, grams otherwise); 0 when it does not
    // fit ("La cantidad requerida no cabe en el equipo") or the amount is negative or not
    // finite.
    int32_t AddReagent(int32_t nReactivo, double dCantidad);
    void EmptyContents();
    // Pours liquid into the destination: the requested millilitres, or as much as fits
    // when 0. Returns the millilitres actually poured.
    double PourLiquid(CRecipiente& destino, double dSolicitado);
    double PourSolid(CRecipiente& destino);
    void ClearTitration();

    double VolumenLiquido() const { return m_seno.VolumenDe(ESTADO_LIQUIDO); }
    double VolumenSolido() const { return m_seno.VolumenDe(ESTADO_SOLIDO); }
    double VolumenOcupado() const { return VolumenLiquido() + 0.5 * VolumenSolido(); }
    double EspacioLibre() const { return m_dCapacidad - VolumenOcupado(); }
    // What the instruments read of it: its weight with the glass, its temperature, its pH
    // (negative: none) and its free ions per litre.
    double Masa() const { return m_seno.Masa() + m_dMasaVacio; }
    double Temperatura() const { return m_seno.Temperatura(); }
    double PH() const { return m_seno.PH(); }
    double ConcentracionIones() const { return m_seno.ConcentracionIones(); }

protected:
    CRecipiente();
    // Size, capacity, empty mass and level profile of a new vessel, from its type's row of
    // the geometry table.
    void Iniciar(TipoEquipo eTipo);
    // The common step: simulate, then let the gas go to the connected vessel or the air.
    int32_t StepComun();
    // An empty volume stands for the interior's reserve in every level profile.
    double ConReserva(double v) const { return v == 0.0 ? m_seno.Reserva() : v; }

private:
    const CGeometria* m_pGeometria = nullptr; // the type's row of the geometry table
    void CrearImagenes();
    // The phases drawn are the liquid and the solid (ESTADO_LIQUIDO, ESTADO_SOLIDO).
    void ActualizarImagen(int32_t nFase, QImage& imagen);
    // Colorear's image, shared with every vessel of the type that shows the same at that
    // scale.
    QImage Coloreada(int32_t nFase, const CColorFase& color, double dEscala) const;
    // Colours the interior mask marco (made at the scale dEscala) with a phase's colour and,
    // for a solid, the textures of its components. Its image is shared: whatever else it
    // comes to read must go into Coloreada's key.
    void Colorear(int32_t nFase, const CColorFase& color, const QImage& marco, double dEscala,
                  QImage& imagen) const;
    // The textures a textured solid phase lays over its colour: those of the components it
    // holds, in its order (repeats included); none for any other phase.
    std::vector<int32_t> Texturas(int32_t nFase, const CColorFase& color) const;
    // The phase's image at the painter's scale when that is not 1.
    const QImage& ImagenEscalada(int32_t nFase, double dEscala);
    void PintarFilas(QPainter& p, int32_t nFase, int xDesde, int y1, int y2, int cx);
    // The liquid's surface, whose top row is y1 (item coordinates).
    void DibujarMenisco(QPainter& p, int y1);
    void DibujarBurbujas(QPainter& p);
    void DibujarGas(QPainter& p);
    void DibujarEtiqueta(QPainter& p) const;
    // The first row of the picture the contents, their bubbles or their gas may touch
    // (m_cy when there are none).
    int PrimeraFilaDelContenido();

    bool m_bImagenes = false;
    // The colour each phase's picture was last coloured in; none: not coloured yet.
    std::optional<CColorFase> m_colorImagenLiquido, m_colorImagenSolido;
    // The liquid and solid phases in colour inside, clear outside, and the interior as a
    // region: shared with the vessels of the type that show the same.
    QImage m_imgLiquido;
    QImage m_imgSolido;
    QRegion m_rgnInterior;
    // The interior images at another scale (zoom, a dense screen), made from the strip
    // rendered at that scale and coloured as those at 1 were. Those at 1 are still kept up:
    // the colour last drawn is part of what a practice file stores.
    struct CCapasEscaladas {
        double dEscala = 0.0;
        int nRecurso = 0;
        QImage liquido, solido;
        CColorFase colorLiquido, colorSolido;
        bool bLiquido = false, bSolido = false; // coloured yet
    };
    CCapasEscaladas m_escaladas;
    // Made at the first drawing: a bench that is never drawn (the command-line tool) does
    // not carry them.
    static constexpr int kParticulas = 30;
    std::vector<CBurbuja> m_burbujas;
    std::vector<CParticulaGas> m_particulas;
};

// A vessel of class Base made to the geometry of the type T: the types that differ from
// their kind only in their row of the geometry table.
template <class Base, TipoEquipo T> class CDeTipo : public Base {
public:
    CDeTipo() { this->Iniciar(T); }
};
