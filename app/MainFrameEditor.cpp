// The frame's side of the practice editor and of the catalogue checks on opening: kept apart
// from MainFrame.cpp, which holds the other commands.
#include "app/MainFrame.h"

#include "app/DlgEditorPractica.h"
#include "app/NotasView.h"
#include "bench/ChildView.h"
#include "bench/Mensajes.h"
#include "document/EditorPractica.h"
#include "document/Practica.h"
#include "document/Validacion.h"

bool CMainFrame::EditarPractica(bool bEnBlanco) {
    // A blank practice will replace the open one: its changes are asked for first, before
    // any work goes into the new one.
    if (bEnBlanco && !ConfirmarDescartar())
        return false;
    // An exam's practice is edited only in the teacher's file.
    if (!bEnBlanco && m_practica.m_tarea.Bloqueada()) {
        Mensajes::Aviso(this, tr("Esta práctica está bloqueada para un examen: solo se puede "
                                 "editar la práctica del profesor."));
        return false;
    }
    // What the student typed in the results goes into the copy too.
    m_pNotas->GuardarResultados();
    QString strError;
    std::unique_ptr<CEditorPractica> pEditor =
        bEnBlanco ? CEditorPractica::EnBlanco() : CEditorPractica::Desde(m_practica, &strError);
    if (!pEditor) {
        Mensajes::Aviso(this, strError);
        return false;
    }
    m_pVistaMesa->StopTimer();
    CDlgEditorPractica dlg(std::move(pEditor), &m_practica, this);
    if (bEnBlanco)
        dlg.setWindowTitle(QStringLiteral("Nueva práctica en blanco"));
    if (m_fnAntesDelEditor)
        m_fnAntesDelEditor(dlg);
    bool bAplicada = false;
    // Unchanged, an edited practice stays as it is; a blank one replaces the open practice.
    if (dlg.exec() == QDialog::Accepted && (bEnBlanco || dlg.Editor().Modificada())) {
        m_pVistaMesa->LimpiarSeleccion();
        m_pVistaMesa->CancelarVertido();
        const QString strRuta = m_strRuta;
        bAplicada = dlg.Editor().Aplicar(m_practica, &strError);
        if (bAplicada) {
            DespuesDeLeer();
            // An edited practice is the same document, changed; a blank one is new.
            m_strRuta = bEnBlanco ? QString() : strRuta;
            if (!bEnBlanco)
                MarcarModificada();
        } else {
            Mensajes::Aviso(this, strError);
        }
    }
    m_pVistaMesa->StartTimer();
    return bAplicada;
}

void CMainFrame::AvisarProblemas(const QString& strArchivo) {
    const std::vector<Validacion::Problema> v = Validacion::Validar(m_practica);
    if (v.empty())
        return;
    Mensajes::Aviso(this, QStringLiteral("%1 se abrió, pero tiene datos que pueden hacer que la "
                                         "simulación dé resultados sin sentido:\n\n%2\n\n"
                                         "Corríjalos en «Archivo > Editar práctica…».")
                              .arg(strArchivo, Validacion::Texto(v)));
}
