// Drawing helpers shared by the items: fonts given by cell height, text at a top-left
// corner, and the settings the bench selects before the items draw.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

namespace Dibujo {

// "Arial" (or "Courier New") whose character cell is the given number of pixels high.
QFont Fuente(const char* pszCara, int nAlto);
inline QFont Arial(int nAlto) {
    return Fuente("Arial", nAlto);
}

// Text whose cell starts at (x, y); bDerecha puts the right edge of the text at x instead.
void Texto(QPainter& p, int x, int y, const QString& str, bool bDerecha = false);

// The bench's settings for labels: "Arial" 14, blue, transparent background.
void PrepararPintor(QPainter& p);

// A rectangle given by its left, top, right and bottom edges (right and bottom outside).
constexpr QRect RectLTRB(int l, int t, int r, int b) {
    return QRect(l, t, r - l, b - t);
}

} // namespace Dibujo
