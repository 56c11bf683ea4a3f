// CDlgPreferencias: "Archivo > Preferencias…" — where the practices of the browser come from:
// the user's own folder "Mis prácticas" (shown, opened on request) and an optional shared
// folder, such as a school's network share, kept in the user's settings.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace Preferencias {

// The user's own folder, in the program's data location; created when bCrear asks it.
QString CarpetaPropia(bool bCrear = false);
// The shared folder chosen in the dialog; empty when none.
QString CarpetaCompartida();
void SetCarpetaCompartida(const QString& strRuta);

} // namespace Preferencias

class CDlgPreferencias : public QDialog {
    Q_OBJECT
public:
    explicit CDlgPreferencias(QWidget* pPadre = nullptr);

    QLineEdit* m_pCompartida = nullptr;
    QLabel* m_pAviso = nullptr;

    // "Aceptar": keeps the shared folder as typed (trimmed; empty for none).
    void accept() override;

private:
    void Comprobar();
};
