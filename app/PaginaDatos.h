// CPaginaDatos: the practice's name, summary, author, date, what the student may change and
// how the chemistry of its solutions is computed.
#pragma once

#include "app/PaginaEditor.h"

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class CNumero;

class CPaginaDatos : public CPaginaEditor {
public:
    explicit CPaginaDatos(CEditorPractica& editor);
    void Recargar() override;

    QLineEdit* m_pNombre;
    QLineEdit* m_pResumen;
    QLineEdit* m_pAutor;
    QComboBox* m_pMotor;
    // The room (model/Termica.h): on or off, its temperature, cooling, the calorimeter's
    // water equivalent.
    QCheckBox* m_pAmbiente;
    CNumero* m_pTemperaturaAmbiente;
    QCheckBox* m_pEnfriamiento;
    CNumero* m_pEquivalente;
    // What the practice records by itself: a box per kind of item with a reading, the
    // interval and the X axis.
    std::vector<std::pair<int32_t, QCheckBox*>> m_registrar;
    class QDoubleSpinBox* m_pIntervaloRegistro;
    QComboBox* m_pEjeRegistro;

private:
    QDateEdit* m_pFecha;
    QCheckBox* m_pVelocidad;
    QCheckBox* m_pPropiedades;
};
