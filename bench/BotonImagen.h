// CBotonImagen: a flat push button with a picture that raises its border and lights up
// while the mouse is over it; CBotonSombreado: the same on a shaded, rounded face;
// CEnlace: a hyperlink text that opens the program's web page.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QWidget>

class CBotonImagen : public QPushButton {
    Q_OBJECT
public:
    explicit CBotonImagen(const QString& strTexto = {}, QWidget* pPadre = nullptr);

    bool m_bPlano = true;
    bool m_bBordePlano = true;
    bool m_bSobre = false;

    // Pictures from the program's resources (SVG); the second one shows while hovered.
    // Returns 0, or 1 when a picture cannot be loaded (then none is held).
    int SetBitmaps(const QString& strRecurso, const QString& strRecursoSobre = {});
    void SetTooltipText(const QString& strTexto, bool bActivar = true);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    // The face behind the picture and the text.
    virtual void PintarFondo(QPainter& p, const QRect& r, bool bCaliente);

    QImage m_imagen;
    QImage m_imagenSobre;
};

class CBotonSombreado : public CBotonImagen {
    Q_OBJECT
public:
    using CBotonImagen::CBotonImagen;

    // The two palettes of the faces, from the button-face colour: normal and hot.
    struct Paleta {
        QColor m_cr[4]; // from the darkest face shade to the lightest
        QColor m_crOscuro1, m_crOscuro2;
    };
    static Paleta PaletaNormal(QColor crCara);
    static Paleta PaletaCaliente(QColor crCara);

protected:
    void PintarFondo(QPainter& p, const QRect& r, bool bCaliente) override;
};

class CEnlace : public QWidget {
    Q_OBJECT
public:
    CEnlace(const QRect& r, QWidget* pPadre, const QString& strLeyenda, const QString& strUrl);

    QString m_strLeyenda;
    QString m_strUrl;
    bool m_bSobre = false;
    QColor m_crSobre{255, 255, 0};
    QColor m_crNormal{255, 255, 255};

signals:
    void Abierto(const QString& strUrl);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
};
