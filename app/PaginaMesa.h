// CPaginaMesa: the starting bench, the equipment (with what it holds) the student finds on
// opening the practice, taken from the open bench; and saving the practice as its file.
#pragma once

#include "app/PaginaEditor.h"

#include <functional>

class CPractica;
class QLabel;
class QListWidget;

class CPaginaMesa : public CPaginaEditor {
public:
    // pActual: the open practice, whose bench "Usar la mesa actual" takes (none: the button
    // is disabled).
    CPaginaMesa(CEditorPractica& editor, const CPractica* pActual);
    void Recargar() override;

    QLabel* m_pEstado;

private:
    const CPractica* m_pActual;
    QListWidget* m_pPiezas;
};
