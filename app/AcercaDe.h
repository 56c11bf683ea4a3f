// CDlgAcercaDe: the about box — its picture, an "Aceptar" image button, the link to the
// program's page and the notice lines.
#pragma once

#include <QDialog>
#include <QImage>

class CDlgAcercaDe : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAcercaDe(QWidget* pPadre = nullptr);
    static const char* const kLineas[8];

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_imagen;
};
