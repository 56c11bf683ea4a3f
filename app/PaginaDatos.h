// CPaginaDatos: the practice's name, summary, author, date, what the student may change and
// how the chemistry of its solutions is computed.
#pragma once

#include "app/PaginaEditor.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

class CPaginaDatos : public CPaginaEditor {
public:
    explicit CPaginaDatos(CEditorPractica& editor);
    void Recargar() override;

    QLineEdit* m_pNombre;
    QLineEdit* m_pResumen;
    QLineEdit* m_pAutor;
    QComboBox* m_pMotor;

private:
    QDateEdit* m_pFecha;
    QCheckBox* m_pVelocidad;
    QCheckBox* m_pPropiedades;
};
