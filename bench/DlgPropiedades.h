// CDlgPropiedades: what a vessel holds — name, label, volume, temperature, pH and the table
// of its contents by phase, with the free ions on request. The label typed here is stored on
// the vessel as soon as the edit loses the focus.
#pragma once

#include "equipment/TablaContenido.h"

#include <QDialog>

class CRecipiente;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class CDlgPropiedades : public QDialog {
    Q_OBJECT
public:
    explicit CDlgPropiedades(CRecipiente* pEquipo, QWidget* pPadre = nullptr);

    CRecipiente* m_pEquipo;
    QString m_strTitulo, m_strPH, m_strRotulo, m_strTemperatura, m_strVolumen;
    bool m_bMostrarIones = false;
    std::vector<CRenglon> m_renglones;

    QLineEdit* m_pRotulo;
    QTableWidget* m_pTabla;
    QCheckBox* m_pIones;
    QLabel* m_pVolumen;
    QLabel* m_pTemperatura;
    QLabel* m_pPH;

    // However the window closes, the label typed is kept (the edit need not lose the focus).
    void done(int r) override;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Rellenar();
    void GuardarRotulo();
};
