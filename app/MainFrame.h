// CMainFrame: the main window — notes pane and bench side by side, the equipment toolbar
// and the speed slider, the menus, the status bar, and the practice commands.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <map>

class CChildView;
class CDlgGrafica;
class CDlgTitulacion;
class CHistorial;
class CMesaConBarras;
class CEquipo;
class CRecipiente;
class CNotasView;
class CPractica;
class QAction;
class QLabel;
class QMenu;
class QSlider;
class QSplitter;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CPractica& practica, QWidget* pPadre = nullptr);
    ~CMainFrame() override;

    CChildView* m_pVistaMesa = nullptr;
    CMesaConBarras* m_pMesa = nullptr; // the bench view with its scroll bars
    CNotasView* m_pNotas = nullptr;
    QSplitter* m_pSplitter = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QToolBar* m_pBarraVelocidad = nullptr;
    QSlider* m_pSliderVelocidad = nullptr;
    bool m_bTitulando = false;
    bool m_bGraficando = false;
    CDlgTitulacion* m_pDlgTitulacion = nullptr; // created on first use, kept
    CDlgGrafica* m_pDlgGrafica = nullptr;
    // The lab log's window ("Registro de datos"), made when first shown.
    class CVentanaRegistro* m_pVentanaRegistro = nullptr;
    void MostrarRegistro();

    // The frame's actions by command identifier (menus and toolbar share them).
    QAction* Accion(int nId) const;
    // Re-evaluates which material commands apply to the selection.
    void ActualizarEstados();
    void MostrarPresentacion();

    // The practice commands; each returns whether it went through. Starting, opening and
    // clearing ask first when the practice was changed (ConfirmarDescartar).
    bool IniciarPractica(int nPlantilla);
    // bPlantilla: the file is a template (".akp"), which starts a new practice.
    bool AbrirPractica(const QString& strRuta, bool bPlantilla = false);
    bool GuardarPractica(const QString& strRuta);
    void LimpiarMesa();
    // "Editar práctica…" / "Nueva práctica en blanco": the editor on a copy; what it accepts
    // replaces the open practice (MainFrameEditor.cpp).
    bool EditarPractica(bool bEnBlanco);
    std::function<void(class CDlgEditorPractica&)> m_fnAntesDelEditor;
    void InsertarEquipo(int nTipo);

    // Whether the practice differs from what was started, opened or saved: an action of the
    // history not undone since, or the results typed in the notes.
    bool Modificada() const;
    // The results were typed into.
    void MarcarModificada();
    // The student did something to the bench: one step of the undo history.
    void RegistrarAccion(const QString& strAccion);
    // Undo and redo of the bench actions ("Edición > Deshacer", "Rehacer").
    CHistorial* m_pHistorial = nullptr;
    // The path the practice was last opened from or saved to; empty for a new one.
    QString m_strRuta;
    // Before the practice is replaced, cleared or closed: when it was changed, asks
    // "¿Desea guardar sus cambios?" (Sí saves first). False when the student cancels.
    bool ConfirmarDescartar();

    // "Archivo > Prácticas recientes": the last practices (and templates) opened or saved,
    // newest first, kept in the user's settings.
    static constexpr int kRecientes = 8;
    QStringList Recientes() const;
    QMenu* m_pMenuRecientes = nullptr;
    // Rebuilds the submenu from the settings (done before it shows).
    void ActualizarMenuRecientes();
    // Opens an entry of the list; a file that has gone is taken off it, with a message.
    bool AbrirReciente(const QString& strRuta);

    // What is remembered between runs: the window's geometry, the width of the notes pane
    // and the simulation speed. RestaurarGeometria is false when nothing was stored yet.
    void GuardarAjustes() const;
    bool RestaurarGeometria();

    // The invitation of a first start, on an empty bench; it goes as soon as a practice is
    // started or opened or an item placed.
    void MostrarInvitacion();

    // Asked before closing: Sí, No or Cancelar. Replaceable by tests.
    std::function<int()> m_fnPreguntaCierre;
    // The path chosen in the save dialog, empty when cancelled. Replaceable by tests.
    std::function<QString()> m_fnDialogoGuardar;
    // Where "Guardar práctica" proposes to save: the practice's own file, or the same name in
    // "Mis prácticas" when the file is not the student's (the shared folder, read-only).
    QString RutaPropuesta() const;
    // The PDF file chosen for the notes, empty when cancelled. Replaceable by tests.
    std::function<QString()> m_fnDialogoPdf;
    // "Archivo > Exportar notas a PDF…": the section the notes show, as a PDF file.
    bool OnExportarPdf();
    // Tests look at (and close) the properties window through this.
    std::function<void(class CDlgPropiedades&)> m_fnAntesDePropiedades;
    // The properties window of the selected vessel, with the bench timer stopped.
    void Propiedades();
    // "Deshacer" (bDeshacer) or "Rehacer" the last bench action.
    void Deshacer(bool bDeshacer);
    // The titration window closes; bRegistrar: the titration becomes a step of the history.
    void TerminarTitulacion(bool bRegistrar);

public slots:
    void OnIniciarPractica();
    void OnAbrirPractica();
    // "Guardar práctica" (Ctrl+S): into the practice's own file when it has one, else as
    // "Guardar como…" (Ctrl+Mayús+S), which always asks where.
    bool OnGuardarPractica();
    bool OnGuardarComo();
    void OnUM_TITULAR();
    void OnUM_PROPIEDADES();
    void OnUM_TICK();
    void OnUM_FIN_TITULAR();
    void OnUM_GRAFICA(CRecipiente* pBureta);
    void OnUM_FIN_GRAFICA();
    void OnUM_REFRESCAR_GRAFICA();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CrearAcciones();
    void CrearMenus();
    void CrearBarras();
    void ActualizarTitulo();
    // Moves a window beside a bench item.
    void ColocarJunto(QWidget* pVentana, const CEquipo* pEquipo);
    // An item is leaving the bench: nothing here may keep it.
    void Olvidar(CEquipo* pEquipo);
    void ReiniciarVelocidad();
    void DespuesDeLeer();
    // A practice just read that fails the catalogue checks opens, with a warning.
    void AvisarProblemas(const QString& strArchivo);
    void AgregarReciente(const QString& strRuta);
    // Whether a save may go straight into that file: not read-only, not in the shared folder
    // (where it would replace the teacher's practice for every student).
    static bool ArchivoPropio(const QString& strRuta);
    void GuardarRecientes(const QStringList& lista) const;
    void RestaurarAjustes();
    void MostrarZoom(double dZoom);
    void Contenido();
    void AcercaDe();

    CPractica& m_practica;
    std::map<int, QAction*> m_acciones;
    QLabel* m_pMay = nullptr;
    QLabel* m_pNum = nullptr;
    QLabel* m_pDesp = nullptr;
    QLabel* m_pZoom = nullptr;
    bool m_bTitulado = false;          // a practice has been started, opened or saved
    bool m_bNotasModificadas = false;  // the results typed since the last save
    bool m_bGotasSinRegistrar = false; // drops of the open titration, not yet a history step
};
