// CPaginaIndicadores: the indicators, each following the pH or a substance's concentration,
// with its colours below the low limit and above the high one, and (optionally) as the weak
// acid it is: up to three pKa between up to four coloured forms.
#pragma once

#include "app/PaginaEditor.h"

#include <QColor>

#include <cstdint>
#include <functional>

class CBotonColor;
class CNumero;
class QComboBox;
class QLineEdit;
class QListWidget;

class CPaginaIndicadores : public CPaginaEditor {
public:
    // pfnElegirColor: the dialog's colour chooser, which tests may replace.
    CPaginaIndicadores(CEditorPractica& editor,
                       std::function<QColor(const QColor&)>* pfnElegirColor);
    void Recargar() override;

private:
    // The selected indicator, -1 for none.
    int32_t Actual() const;
    void Mostrar();
    void Conectar();

    QListWidget* m_pLista;
    QWidget* m_pDerecha;
    QLineEdit* m_pNombre;
    QComboBox* m_pSigue;
    CNumero* m_pBajo;
    CBotonColor* m_pColorBajo;
    CNumero* m_pAlto;
    CBotonColor* m_pColorAlto;
    CNumero* m_pPKa[3];
    CBotonColor* m_pForma[4];
};
