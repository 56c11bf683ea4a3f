// Picture strips of the equipment, rendered once from the SVG pictures of the resources.
//
// Layouts (row 0 pictures, black where transparent; row 1 masks, white where transparent):
//  - vessels: three frames in row 0 (picture, interior mask, overlay) and the picture's
//    mask in row 1, frame 0;
//  - heat sources and instruments: one frame, picture above mask;
//  - the flame (134): four frames side by side, pictures above masks;
//  - the gas sprite (136): six 3 x 4 frames, pictures in rows 0-3, masks in rows 4-7;
//  - textures (500-506): black marks on white.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace Imagenes {

enum : int {
    IDB_MECHERO = 133,
    IDB_LLAMA = 134,
    IDB_TERMOMETRO = 135,
    IDB_PARTICULA_GAS = 136,
    IDB_AGITADOR = 137,
    IDB_PHMETRO = 140,
    IDB_BURETA50 = 141,
    IDB_MATRAZ_BALON = 148,
    IDB_CABEZA = 149,
    IDB_CONDENSADOR = 150,
    IDB_CODO = 151,
    IDB_VASO100 = 152,
    IDB_VASO250 = 130,
    IDB_VASO600 = 153,
    IDB_ERLENMEYER100 = 154,
    IDB_ERLENMEYER250 = 155,
    IDB_PROBETA10 = 156,
    IDB_PROBETA100 = 157,
    IDB_BURETA10 = 158,
    IDB_FILTRO = 159,
    IDB_PIPETA_VOLUMETRICA = 160,
    IDB_PIPETA_GRADUADA = 161,
    IDB_TUBO_ENSAYE = 163,
    IDB_PARRILLA = 164,
    IDB_BALANZA = 176,
    IDB_CONDUCTIMETRO = 177,
    IDB_TUBO_DERECHA = 178,
    IDB_VIDRIO_RELOJ = 179,
    IDB_CRISOL = 180,
    IDB_CALORIMETRO = 181,
    IDB_TAPA = 182,
    IDB_BANO_HIELO = 183,
    IDB_MATRAZ_GASES = 184,
    IDB_TUBO_IZQUIERDA = 185,
    IDB_REFLUJO = 189,
    IDB_JERINGA_GASES = 190,
    IDB_EUDIOMETRO = 191,
    IDB_TERMOMETRO_DIGITAL = 192,
    IDB_CRONOMETRO = 193,
    IDB_TEXTURA = 500, // 500 + texture code, up to 506
};

// The strip of a resource; a null image when the resource is unknown or failed to load.
// Needs a QGuiApplication (the pictures carry text).
const QImage& Tira(int nRecurso);

// The strip of a resource rendered at a scale (device pixels per bench pixel): every cell of
// its layout (an item's frame, a flame frame, a gas frame, a texture tile) is the cell at 1
// scaled by CeldaEscalada. At scale 1 this is Tira(nRecurso). Strips of three scales at most
// are kept besides those at 1, so that zooming back and forth does not render them anew.
const QImage& Tira(int nRecurso, double dEscala);

// The size of one cell of a resource's layout at scale 1 (empty when unknown).
QSize Celda(int nRecurso);
// A cell of that size at a scale, in whole device pixels.
QSize CeldaEscalada(const QSize& celda, double dEscala);
// A rectangle of a layout of cells of size celda (at scale 1) in the same layout made of
// cells of size celdaEscalada: a cell's edges stay on its scaled cell's edges, so that a
// frame, or rows of it, come out whole.
QRect EscalarFuente(const QRect& rc, const QSize& celda, const QSize& celdaEscalada);

// Device pixels per bench pixel of a painter: its zoom times the screen's pixel ratio.
double Escala(const QPainter& p);

// Draws rcFuente of a resource's strip (in the layout at scale 1) with its top left corner
// at ptBanco (bench coordinates, through the painter's transform), taking the pixels from
// the strip rendered at the painter's scale, one to one onto the device's pixels: the
// pictures stay sharp when zoomed, and AND and OR see whole pixels. The caller sets the
// composition mode.
void Dibujar(QPainter& p, const QPoint& ptBanco, int nRecurso, const QRect& rcFuente);
// The same for any image made of cells of size celda at scale 1 rendered at the painter's
// scale (imagenEscalada, cells of CeldaEscalada(celda, Escala(p))).
void DibujarEscalada(QPainter& p, const QPoint& ptBanco, const QImage& imagenEscalada,
                     const QSize& celda, const QRect& rcFuente);

// The picture row of a resource's strip as one image with alpha: opaque where the mask row
// under it is black, clear elsewhere. Laid over the bench it gives exactly what the mask by
// AND and then the picture by OR give (the mask is black or white, the picture black where
// the mask is white), in one pass that the painter does fast: the bench's paint on a dense
// screen is mostly these passes. At the scale given, as Tira.
//
// bCubierto (vessels): the overlay (frame 2) already ANDed into the picture. Where nothing
// is drawn between a vessel's picture and its overlay (above its contents) this one pass is
// all the vessel needs: a vessel's overlay lies within its picture's mask, so outside the
// mask the AND changes nothing.
const QImage& Recorte(int nRecurso, double dEscala = 1.0, bool bCubierto = false);
// Draws rcFuente of the picture row (the layout at 1) as the mask and the picture would,
// from the cut-out at the painter's scale; the composition mode is its own.
void DibujarRecorte(QPainter& p, const QPoint& ptBanco, int nRecurso, const QRect& rcFuente,
                    bool bCubierto = false);

// What every vessel drawn from a resource shares, so that a bench of thousands of vessels
// holds each picture's interior once: the interior mask (frame 1 of the strip, white
// outside) at a scale, and at 1 the interior as a region, made of one-pixel-high runs of its
// non-white pixels (a run never begins at column 0, and one still open at the right edge
// is left out).
const QImage& Interior(int nRecurso, double dEscala = 1.0);
const QRegion& RegionInterior(int nRecurso);

// An image made from a resource's picture that the items of its type share while they show
// the same thing (a vessel's contents in one colour): the one kept under the key, or the one
// fnHacer makes when there is none. The key must name everything the image depends on
// besides the resource. An image no item holds any longer is let go from time to time.
QImage Compartida(int nRecurso, const std::vector<int64_t>& clave,
                  const std::function<QImage()>& fnHacer);

// File of a resource inside the program's resources, for tools that list them.
QString Archivo(int nRecurso);

// Renders one named layer of an SVG (the other layers hidden) onto a transparent image of
// the given size; the whole drawing when the layer is empty.
QImage RenderizarCapa(const QByteArray& svg, const QString& strCapa, int cx, int cy);

} // namespace Imagenes
