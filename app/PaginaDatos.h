// CPaginaDatos: the practice's name, summary, author, date and what the student may change.
#pragma once

#include "app/PaginaEditor.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;

class CPaginaDatos : public CPaginaEditor {
public:
    explicit CPaginaDatos(CEditorPractica& editor);
    void Recargar() override;

    QLineEdit* m_pNombre;
    QLineEdit* m_pResumen;
    QLineEdit* m_pAutor;

private:
    QDateEdit* m_pFecha;
    QCheckBox* m_pVelocidad;
    QCheckBox* m_pPropiedades;
};
