// CPaginaReactivos: the reagents a student can add, each with its state and its composition
// (moles of each substance per litre or kilogram, or as proportions).
#pragma once

#include "app/PaginaEditor.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;

class CPaginaReactivos : public CPaginaEditor {
public:
    explicit CPaginaReactivos(CEditorPractica& editor);
    void Recargar() override;

private:
    // The selected reagent, -1 for none.
    int32_t Actual() const;
    void Mostrar();
    // Row i of the composition: its substance and its moles.
    void Fila(int i, int32_t nComponente, double dMoles);

    QListWidget* m_pLista;
    QWidget* m_pDerecha;
    QLineEdit* m_pNombre;
    QComboBox* m_pEstado;
    QComboBox* m_pModo;
    QTableWidget* m_pTabla;
};
