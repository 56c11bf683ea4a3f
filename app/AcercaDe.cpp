#include "app/AcercaDe.h"

#include "bench/BotonImagen.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

const char* const CDlgAcercaDe::kLineas[8] = {
    "Alkor Vol. 1 - Laboratorio virtual de química",
    "Versión 1.0",
    "Prácticas de laboratorio para la enseñanza secundaria.",
    "Copyright © 2003-2026 Korvex Soft.",
    "Todos los derechos reservados.",
    "",
    "Este programa está protegido por las leyes de derechos de autor.",
    "Su copia o distribución no autorizada está prohibida.",
};

CDlgAcercaDe::CDlgAcercaDe(QWidget* pPadre) : QDialog(pPadre) {
    setWindowTitle(QStringLiteral("Acerca de Alkor"));
    QSvgRenderer r(QStringLiteral(":/imagenes/acercade.svg"));
    const QSize s = r.isValid() ? r.defaultSize() : QSize(460, 480);
    m_imagen = QImage(s, QImage::Format_RGB32);
    m_imagen.fill(QColor(0x1f, 0x2b, 0x38));
    if (r.isValid()) {
        QPainter p(&m_imagen);
        r.render(&p);
    }
    setFixedSize(s);
    auto* aceptar = new CBotonImagen(QStringLiteral("Aceptar"), this);
    aceptar->SetBitmaps(QStringLiteral(":/imagenes/aceptar.svg"));
    aceptar->resize(aceptar->sizeHint());
    aceptar->move(width() - aceptar->width() - 10, 10);
    aceptar->setDefault(true);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);
    new CEnlace(QRect(QPoint(140, 16), QPoint(290, 60)), this, QStringLiteral("www.korvexsoft.com"),
                QStringLiteral("http://www.korvexsoft.com"));
    // The lines are painted over the picture; screen readers read them here.
    QStringList lineas;
    for (const char* psz : kLineas)
        if (*psz)
            lineas << QString::fromUtf8(psz);
    setAccessibleDescription(lineas.join(QLatin1Char('\n')));
    if (QScreen* pantalla = screen())
        move(pantalla->geometry().center() - rect().center());
}

void CDlgAcercaDe::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_imagen);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::white);
    const QFontMetrics fm(f);
    const int nLinea = fm.height() + fm.leading();
    for (int i = 0; i < 8; ++i) {
        const int y = 320 + (i < 6 ? i : i + 2) * nLinea;
        p.drawText(QPoint(10, y + fm.ascent()), QString::fromUtf8(kLineas[i]));
    }
}
