// CPaginaReacciones: the reactions of the practice, each as up to three reactants and three
// products (coefficient, substance, phase) shown as its equation, with its heat, the lowest
// temperature it needs, how much of it may happen in a step, its equilibrium constant and
// its catalyst; and (optionally) as a reaction that runs to its equilibrium from either side.
#pragma once

#include "app/PaginaEditor.h"

#include <cstdint>

class CNumero;
class CReacciones;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

class CPaginaReacciones : public CPaginaEditor {
public:
    explicit CPaginaReacciones(CEditorPractica& editor);
    void Recargar() override;

    QListWidget* m_pLista;
    QLabel* m_pEcuacion;

private:
    // The selected reaction, -1 for none.
    int32_t Actual() const;
    void Mostrar();
    void MostrarRanura(int i);
    void Ecuacion();
    // The reactants' and the products' boxes; the heat, limits, equilibrium and catalyst.
    QGridLayout* Ranuras();
    QGridLayout* Otros();
    QWidget* Reversible();
    void MostrarReversible(const CReacciones& r);
    QWidget* LeyVelocidad();
    void MostrarCinetica(const CReacciones& r);
    // Slot i: reactants 0 to 2, products 3 to 5.
    void CambioRanura(int i);

    struct Ranura {
        QSpinBox* pCoef;
        QComboBox* pSustancia;
        QComboBox* pFase;
    };
    Ranura m_ranuras[6] = {};
    QWidget* m_pDerecha;
    QLineEdit* m_pNombre;
    QLineEdit* m_pTexto2;
    CNumero* m_pCalor = nullptr;
    CNumero* m_pTemp = nullptr;
    CNumero* m_pLimite = nullptr;
    CNumero* m_pConstante = nullptr;
    CNumero* m_pLimiteCat = nullptr;
    QCheckBox* m_pbTemp = nullptr;
    QCheckBox* m_pbSinLimite = nullptr;
    QCheckBox* m_pbEquilibrio = nullptr;
    QComboBox* m_pCatalizador = nullptr;
    CNumero* m_pK25 = nullptr;
    CNumero* m_pEntalpia = nullptr;
    CNumero* m_pRapidez = nullptr;
    // Slot i out of the quotient: reactants 0 to 2, products 3 to 5.
    QCheckBox* m_pFuera[6] = {};
    CNumero* m_pKVelocidad = nullptr;
    CNumero* m_pEa = nullptr;
    CNumero* m_pTReferencia = nullptr;
    CNumero* m_pOrden[3] = {};
    CNumero* m_pFactorCat = nullptr;
};
