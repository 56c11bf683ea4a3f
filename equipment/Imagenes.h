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
#include <QString>

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
    IDB_TEXTURA = 500, // 500 + texture code, up to 506
};

// The strip of a resource; a null image when the resource is unknown or failed to load.
// Needs a QGuiApplication (the pictures carry text).
const QImage& Tira(int nRecurso);

// File of a resource inside the program's resources, for tools that list them.
QString Archivo(int nRecurso);

// Renders one named layer of an SVG (the other layers hidden) onto a transparent image of
// the given size; the whole drawing when the layer is empty.
QImage RenderizarCapa(const QByteArray& svg, const QString& strCapa, int cx, int cy);

} // namespace Imagenes
