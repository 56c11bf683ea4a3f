// The help window: the program's help pages, opened at their contents.
#pragma once

#include <QWidget>

class QTextBrowser;

class CAyuda : public QWidget {
    Q_OBJECT
public:
    static CAyuda* Mostrar(QWidget* pDueno);
    QTextBrowser* Navegador() const { return m_pNavegador; }
    QTextBrowser* m_pNavegador;

private:
    explicit CAyuda(QWidget* pDueno);
};
