// CPaginaSustancias: the practice's substances, with their physical data, ions, solubility,
// colour and the texture the bench draws a solid with, and (optionally) the acid–base system
// each brings into water and the molarity its colour is shown at.
#pragma once

#include "app/PaginaEditor.h"

#include "model/Componentes.h"

#include <QColor>

#include <functional>
#include <string>
#include <vector>

class CBotonColor;
class QComboBox;
class QGridLayout;
class QListWidget;

class CPaginaSustancias : public CPaginaEditor {
public:
    // pfnElegirColor: the dialog's colour chooser, which tests may replace.
    CPaginaSustancias(CEditorPractica& editor,
                      std::function<QColor(const QColor&)>* pfnElegirColor);
    void Recargar() override;

    QListWidget* m_pLista;

private:
    // The selected substance, -1 for none.
    int32_t Actual() const;
    void Mostrar();
    void Eliminar();
    // A labelled field at row f, column c of the grid, for one field of the substance.
    void Texto(const QString& strEtiqueta, int f, int c, std::string CComponentes::*pCampo);
    void Numero(const QString& strEtiqueta, int f, int c, double CComponentes::*pCampo,
                const QString& strAyuda = QString());
    void Entero(const QString& strEtiqueta, int f, int c, int32_t CComponentes::*pCampo);
    // The state, colour and texture combos at row f; the next free row.
    int EstadoColorTextura(int f);
    // The group of the acid–base system at row f, across the grid.
    void AcidoBase(int f);
    // Particles in solution and vapour data, each optional (empty: the described rules).
    int Vapor(int f);

    QWidget* m_pDerecha;
    QGridLayout* m_pRejilla;
    // Each field shows its value of the selected substance.
    std::vector<std::function<void(const CComponentes&)>> m_campos;
    std::function<QColor(const QColor&)>* m_pfnElegirColor;
};
