// CEquipo: the common base of every piece of equipment on the bench.
#pragma once

#include "equipment/Comandos.h"
#include "equipment/TiposEquipo.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class CArchivo;
class CCatalogo;
class CListaEquipo;
class CRecipiente;
class QPainter;

// What an instrument's display shows: the value and its unit ("g", "°C", "pH", "mol/l").
struct CLectura {
    double m_dValor = 0.0;
    QString m_strUnidad;
};

// Categories of equipment.
enum : int32_t { CATEGORIA_RECIPIENTE = 0, CATEGORIA_CALENTADOR = 1, CATEGORIA_INSTRUMENTO = 2 };

class CEquipo {
public:
    virtual ~CEquipo();
    CEquipo(const CEquipo&) = delete;
    CEquipo& operator=(const CEquipo&) = delete;

    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_cx = 0;
    int32_t m_cy = 0;
    int32_t m_nTipo = 0;
    int32_t m_bSeleccionado = 0;
    QRect m_rcArea; // bounds on the bench
    std::string m_strEtiqueta;
    QRect m_rcEtiqueta; // relative to the top-left corner; empty: no label
    int32_t m_nCategoria = CATEGORIA_RECIPIENTE;
    std::string m_strNombre;
    int32_t m_bAnimar = 0;
    QPoint m_ptSonda; // probe offset from the top-left corner

    // Writes or reads the item's record (the base record is its corner).
    virtual void Serialize(CArchivo& ar);
    // Paints the item at its bench position; the painter is in bench coordinates and
    // carries the label font and colour (PrepararPintor).
    virtual void Draw(QPainter& p);
    virtual void BuildMenu(CMenu& menu);
    // The commands of that menu: what one needs asked first, and running it with the
    // answer. Deleting, the properties and the titration belong to the windows.
    virtual CPeticion Pide(int nComando) const;
    virtual ResultadoComando Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a);
    virtual void MoveBy(int32_t dx, int32_t dy);
    // What the item keeps that its file record does not (a hot plate's level, a balance's
    // tare): written after the practice in an undo snapshot and read back with it.
    virtual void EscribirEstado(CArchivo& ar) const { (void)ar; }
    virtual void LeerEstado(CArchivo& ar) { (void)ar; }
    // Binds what the item holds (a vessel's interior) to the catalogue of the practice
    // whose bench it is on; the bench list does it whenever an item joins it.
    virtual void Vincular(const CCatalogo* pCatalogo) { (void)pCatalogo; }
    // Assembly pieces find their parent again after a practice is read.
    virtual void Relink(CListaEquipo& lista);

    // Drawn beneath what stands in it (the ice bath) once it is dropped on the bench.
    virtual bool VaDebajo() const { return false; }
    // An instrument bound to its own vessel reads it wherever its probe is (the lid).
    virtual bool EnlazadoSinSonda() const { return false; }
    // A type the described file has no code for (the gas collectors, the digital thermometer,
    // the stopwatch): a bench with one is saved in the extended version, which names it.
    virtual bool FueraDelFormatoDescrito() const { return false; }
    // The menu command a key gives the item while it is selected (Qt::Key_…); 0: none.
    virtual int ComandoDeTecla(int nTecla) const {
        (void)nTecla;
        return 0;
    }

    // What the item shows on a display of its own; none for items without one.
    virtual std::optional<CLectura> Lectura() const { return std::nullopt; }
    // One line on what the item holds, shows or is doing, for screen readers ("50.0 ml,
    // 24 °C, pH 7.00", "pH: 7.00", "Apagada"); empty when its name says all there is.
    virtual QString Descripcion() const { return {}; }
    // The item as a vessel, which can be filled, poured and shown in the properties
    // window; null for the rest.
    virtual CRecipiente* Recipiente() { return nullptr; }
    virtual const CRecipiente* Recipiente() const { return nullptr; }
    // The vessel whose assembly this item is a piece of; null for an item on its own.
    virtual CRecipiente* Montaje() const { return nullptr; }
    // The setting a student turns up and down (a hot plate's level, 0 to 5), which the
    // file's extension keeps; none for items without one. Ajustar sets it, and says
    // whether the item has one.
    virtual std::optional<int32_t> Ajuste() const { return std::nullopt; }
    virtual bool Ajustar(int32_t nNivel) {
        (void)nNivel;
        return false;
    }

    // Pieces that belong to this item and go with it when it is deleted.
    virtual std::vector<CEquipo*> Piezas() const { return {}; }
    // Drops every reference this item holds to the given item, which is about to be
    // destroyed.
    virtual void Olvidar(CEquipo* pEquipo);

    void SetPosition(int32_t x, int32_t y);
    // Moves this item only (an assembly moves its pieces with this).
    void Desplazar(int32_t dx, int32_t dy);
    bool HitTest(const QPoint& pt) const;
    // Whether the point falls on the item as drawn: the empty corners of its rectangle
    // (around a round flask, beside a thermometer) let clicks through to what lies behind.
    // A couple of pixels of tolerance keep thin items easy to grab.
    bool HitTestForma(const QPoint& pt);
    int32_t GetCategoria() const { return m_nCategoria; }
    std::string GetNombre() const { return m_strNombre; }

    // Puts a new item with its bottom centre at the point (the bench view's insertion
    // point: where the window shows the middle of the bench). A new item starts with its
    // bottom centre at the bench's origin.
    void ColocarEn(const QPoint& ptInsercion);

protected:
    CEquipo() = default;
    // Gives the item its size, its bottom centre at the bench's origin.
    void Colocar(int32_t cx, int32_t cy);
    // The catalogue row of a concrete item: type code, name, picture and size.
    // Its name and picture come from the type's row (TiposEquipo).
    void Iniciar(TipoEquipo eTipo, int32_t cx, int32_t cy);
    void ActualizarArea();
    // Picture strip of this item (loaded on first use; null image when missing).
    const QImage& Tira();
    // Frame 0 at the item's place, as its mask by AND and then its picture by OR lay it
    // (in one pass: Imagenes::DibujarRecorte).
    void DibujarFigura(QPainter& p);
    void DibujarSeleccion(QPainter& p) const;

    int m_nRecurso = 0; // picture resource of the item
    QImage m_tira;
    bool m_bTiraCargada = false;
};
