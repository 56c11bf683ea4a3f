#include "bench/BotonImagen.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QUrl>

namespace {

QImage Cargar(const QString& strRecurso) {
    QSvgRenderer r(strRecurso);
    if (!r.isValid())
        return {};
    QImage img(r.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    r.render(&p);
    return img;
}

QColor Aclarar(QColor c, int n) {
    return QColor(std::min(255, c.red() + n), std::min(255, c.green() + n),
                  std::min(255, c.blue() + n));
}

// A channel smaller than n is left as it is.
QColor Oscurecer(QColor c, int n) {
    auto f = [n](int v) { return v < n ? v : v - n; };
    return QColor(f(c.red()), f(c.green()), f(c.blue()));
}

} // namespace

CBotonImagen::CBotonImagen(const QString& strTexto, QWidget* pPadre)
    : QPushButton(strTexto, pPadre) {
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
}

int CBotonImagen::SetBitmaps(const QString& strRecurso, const QString& strRecursoSobre) {
    m_imagen = Cargar(strRecurso);
    m_imagenSobre = strRecursoSobre.isEmpty() ? QImage() : Cargar(strRecursoSobre);
    update();
    if (m_imagen.isNull()) {
        m_imagenSobre = QImage();
        return 1;
    }
    return 0;
}

void CBotonImagen::SetTooltipText(const QString& strTexto, bool bActivar) {
    setToolTip(bActivar ? strTexto : QString());
}

QSize CBotonImagen::sizeHint() const {
    const QSize t = fontMetrics().size(Qt::TextShowMnemonic, text());
    const QSize i = m_imagen.size();
    return QSize(t.width() + i.width() + (text().isEmpty() ? 12 : 20),
                 std::max(t.height(), i.height()) + 10);
}

void CBotonImagen::enterEvent(QEnterEvent* e) {
    if (!m_bSobre && window()->isActiveWindow()) {
        m_bSobre = true;
        update();
    }
    QPushButton::enterEvent(e);
}

void CBotonImagen::leaveEvent(QEvent* e) {
    m_bSobre = false;
    update();
    QPushButton::leaveEvent(e);
}

void CBotonImagen::focusOutEvent(QFocusEvent* e) {
    m_bSobre = false;
    update();
    QPushButton::focusOutEvent(e);
}

void CBotonImagen::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled() && hasFocus())
        focusNextChild();
    if (e->type() == QEvent::ActivationChange && !window()->isActiveWindow()) {
        m_bSobre = false;
        update();
    }
    QPushButton::changeEvent(e);
}

void CBotonImagen::PintarFondo(QPainter& p, const QRect& r, bool) {
    p.fillRect(r, palette().button());
}

void CBotonImagen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const bool bPresionado = isDown();
    const bool bCaliente = m_bSobre || bPresionado || hasFocus();
    PintarFondo(p, r, bCaliente);
    if (m_bPlano && m_bBordePlano && (bPresionado || m_bSobre)) {
        const QColor luz = palette().light().color(), sombra = palette().dark().color();
        p.setPen(bPresionado ? sombra : luz);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bPresionado ? luz : sombra);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const QPoint desp = bPresionado ? QPoint(1, 1) : QPoint(0, 0);
    const QImage& img =
        (bPresionado || m_bSobre) && !m_imagenSobre.isNull() ? m_imagenSobre : m_imagen;
    QRect rTexto = r.adjusted(4, 2, -4, -2);
    if (!img.isNull()) {
        const int y = (r.height() - img.height()) / 2;
        int x = (r.width() - img.width()) / 2;
        if (!text().isEmpty()) {
            const int w = img.width() + 4 + fontMetrics().horizontalAdvance(text());
            x = std::max(4, (r.width() - w) / 2);
            rTexto.setLeft(x + img.width() + 4);
        }
        QImage dibujo = img;
        if (!isEnabled()) {
            dibujo = img.convertToFormat(QImage::Format_Grayscale8)
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            dibujo.setAlphaChannel(img.convertToFormat(QImage::Format_Alpha8));
        }
        p.drawImage(QPoint(x, y) + desp, dibujo);
    }
    if (!text().isEmpty()) {
        rTexto.translate(desp);
        const int nBandera = (img.isNull() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter) |
                             Qt::TextShowMnemonic | Qt::TextWordWrap;
        if (!isEnabled()) {
            p.setPen(palette().light().color());
            p.drawText(rTexto.translated(1, 1), nBandera, text());
            p.setPen(palette().dark().color());
        } else {
            p.setPen(palette().buttonText().color());
        }
        p.drawText(rTexto, nBandera, text());
    }
}

CBotonSombreado::Paleta CBotonSombreado::PaletaNormal(QColor F) {
    Paleta pal;
    const QColor n0(std::max(0, F.red() - 20), std::max(0, F.green() - 20),
                    std::max(0, F.blue() - 20));
    pal.m_cr[0] = n0;
    for (int i = 1; i < 4; ++i)
        pal.m_cr[i] = Aclarar(pal.m_cr[i - 1], 8);
    pal.m_crOscuro1 = Oscurecer(n0, 51);
    pal.m_crOscuro2 = Oscurecer(pal.m_crOscuro1, 51);
    return pal;
}

CBotonSombreado::Paleta CBotonSombreado::PaletaCaliente(QColor F) {
    Paleta pal = PaletaNormal(F);
    pal.m_cr[0] = Aclarar(F, 6);
    for (int i = 1; i < 4; ++i)
        pal.m_cr[i] = Aclarar(pal.m_cr[i - 1], 8);
    return pal;
}

void CBotonSombreado::PintarFondo(QPainter& p, const QRect& r, bool bCaliente) {
    const QColor F = palette().button().color();
    const Paleta pal = bCaliente ? PaletaCaliente(F) : PaletaNormal(F);
    const QColor sombra = palette().dark().color(), negro = palette().shadow().color();
    const QColor medio((sombra.red() + negro.red()) / 2, (sombra.green() + negro.green()) / 2,
                       (sombra.blue() + negro.blue()) / 2);
    // The lightest shade fills the face; lighter lines inside, darker ones and the shadow
    // along the outer edges, and the left corners rounded.
    p.fillRect(r, pal.m_cr[3]);
    p.setPen(pal.m_cr[2]);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.setPen(pal.m_cr[1]);
    p.drawLine(r.left() + 1, r.bottom() - 2, r.right() - 1, r.bottom() - 2);
    p.drawLine(r.right() - 2, r.top() + 1, r.right() - 2, r.bottom() - 2);
    p.setPen(pal.m_cr[0]);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.setPen(pal.m_crOscuro1);
    p.drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
    p.drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
    p.setPen(medio);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    p.setPen(negro);
    p.drawLine(r.left() + 1, r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top() + 1, r.right(), r.bottom());
    p.setPen(pal.m_crOscuro2);
    p.drawPoint(r.left() + 1, r.top() + 1);
    p.drawPoint(r.left() + 1, r.bottom() - 1);
}

CEnlace::CEnlace(const QRect& r, QWidget* pPadre, const QString& strLeyenda, const QString& strUrl)
    : QWidget(pPadre), m_strLeyenda(strLeyenda), m_strUrl(strUrl) {
    setGeometry(r);
    setAccessibleName(strLeyenda);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    show();
}

void CEnlace::paintEvent(QPaintEvent*) {
    if (m_strLeyenda.isEmpty())
        return;
    QPainter p(this);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(m_bSobre ? m_crSobre : m_crNormal);
    p.drawText(QRect(0, 3, width(), height() - 3), Qt::AlignHCenter | Qt::AlignTop, m_strLeyenda);
}

void CEnlace::enterEvent(QEnterEvent*) {
    m_bSobre = true;
    update();
}

void CEnlace::leaveEvent(QEvent*) {
    m_bSobre = false;
    update();
}

void CEnlace::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        emit Abierto(m_strUrl);
        QDesktopServices::openUrl(QUrl(m_strUrl));
    }
}
