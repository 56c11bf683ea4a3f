#include "model/NombreColor.h"

#include <algorithm>
#include <cmath>

namespace {

struct CHsl {
    double h; // degrees, 0 to 360
    double s; // 0 to 1
    double l; // 0 to 1
};

CHsl Hsl(COLORREF cr) {
    const double r = RojoDe(cr) / 255.0, g = VerdeDe(cr) / 255.0, b = AzulDe(cr) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2.0;
    const double d = mx - mn;
    if (d <= 0.0)
        return {0.0, 0.0, l};
    const double s = d / (1.0 - std::abs(2.0 * l - 1.0));
    double h;
    if (mx == r)
        h = std::fmod((g - b) / d, 6.0);
    else if (mx == g)
        h = (b - r) / d + 2.0;
    else
        h = (r - g) / d + 4.0;
    h *= 60.0;
    if (h < 0.0)
        h += 360.0;
    return {h, std::min(s, 1.0), l};
}

} // namespace

std::string NombreColor(COLORREF crColor) {
    const CHsl c = Hsl(crColor);
    // What the eye takes for clear: nearly white, or a trace of colour in a nearly white
    // liquid.
    if (c.l >= 0.94 || (c.l >= 0.85 && c.s < 0.25))
        return "incoloro";
    if (c.s < 0.12) {
        if (c.l < 0.15)
            return "negro";
        return c.l < 0.45 ? "gris oscuro" : (c.l < 0.7 ? "gris" : "gris claro");
    }
    const bool bPalido = c.l >= 0.78;
    const bool bOscuro = c.l < 0.28;
    const double h = c.h;
    // Reds and purples that are light are pinks, as phenolphthalein's end point is.
    if (h >= 290.0 || h < 12.0) {
        if (bPalido)
            return "rosa pálido";
        if (c.l >= 0.6)
            return "rosa";
        if (h >= 290.0 && h < 335.0)
            return bOscuro ? "morado" : "fucsia";
        return bOscuro ? "rojo oscuro" : "rojo";
    }
    if (h < 40.0) {
        if (c.l < 0.4)
            return "marrón";
        return bPalido ? "naranja pálido" : "naranja";
    }
    auto conMatiz = [&](const char* pszNombre) {
        std::string s = pszNombre;
        if (bPalido)
            s += " pálido";
        else if (bOscuro)
            s += " oscuro";
        return s;
    };
    if (h < 68.0)
        return bOscuro ? std::string("verde oliva") : conMatiz("amarillo");
    if (h < 165.0)
        return conMatiz("verde");
    if (h < 195.0)
        return conMatiz("turquesa");
    if (h < 255.0)
        return conMatiz("azul");
    return conMatiz("violeta");
}
