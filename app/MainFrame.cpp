#include "app/MainFrame.h"

#include "app/AcercaDe.h"
#include "app/Ayuda.h"
#include "app/DlgAbrirPractica.h"
#include "app/DlgPreferencias.h"
#include "app/NotasView.h"
#include "app/OrdenesMarco.h"
#include "app/Presentacion.h"
#include "bench/AccesibleMesa.h"
#include "bench/ChildView.h"
#include "bench/DlgPropiedades.h"
#include "bench/DlgTitulacion.h"
#include "bench/Mensajes.h"
#include "bench/MesaConBarras.h"
#include "bench/VentanaRegistro.h"
#include "document/Historial.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipiente.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

// In the status bar while the pour cursor is up.
constexpr const char* kTextoDestino = "Haga clic en el recipiente de destino";

// The commands other than inserting items (those come from the table of item types).
struct Orden {
    int nId;
    const char* pszTexto;  // menu text with its access key
    const char* pszCadena; // status-bar prompt "\n" tool tip
    int nTipo;             // always 0: kept so that the rows read as before
    const char* pszIcono;  // toolbar picture, none when the command has no button
};

const Orden kOrdenes[] = {
    {ID_INICIAR_PRACTICA, "&Iniciar práctica",
     "Crea una nueva práctica a partir de un archivo akp\nSeleccione la práctica a iniciar", 0,
     "iniciar"},
    {ID_ABRIR_PRACTICA, "&Abrir práctica",
     "Abre un archivo de práctica\nSeleccione la práctica a abrir", 0, "abrir"},
    {ID_GUARDAR_PRACTICA, "&Guardar práctica", "Guarda la practica\nGuardar", 0, "guardar"},
    {ID_LIMPIAR_MESA, "&Limpiar mesa de trabajo",
     "Elimina todo el equipo del área de trabajo\nLimpiar", 0, nullptr},
    {ID_MOSTRAR_TODO, "&Mostrar todo el equipo",
     "Desplaza la mesa para que todo el equipo quede a la vista\nMostrar todo el equipo", 0,
     nullptr},
    {ID_ACERCAR, "A&cercar", "Muestra la mesa más grande\nAcercar", 0, nullptr},
    {ID_ALEJAR, "A&lejar", "Muestra la mesa más pequeña\nAlejar", 0, nullptr},
    {ID_TAMANO_REAL, "&Tamaño real", "Muestra la mesa a su tamaño real (100 %)\nTamaño real", 0,
     nullptr},
    {ID_AJUSTAR_VENTANA, "Ajustar a la &ventana",
     "Elige el tamaño en que todo el equipo cabe en la ventana\nAjustar a la ventana", 0, nullptr},
    {ID_BORRAR_RECIENTES, "&Borrar lista", "Vacía la lista de prácticas recientes\nBorrar lista", 0,
     nullptr},
    {ID_QUITAR_FALTANTES, "&Quitar las que ya no existen",
     "Quita de la lista las prácticas cuyos archivos ya no existen\nQuitar las que ya no existen",
     0, nullptr},
    {ID_DESHACER, "&Deshacer", "Deshace la última acción sobre la mesa\nDeshacer", 0, "deshacer"},
    {ID_REHACER, "&Rehacer", "Vuelve a hacer la acción deshecha\nRehacer", 0, "rehacer"},
    {ID_PREFERENCIAS, "Pre&ferencias…",
     "Elige la carpeta compartida de prácticas y muestra la carpeta «Mis prácticas»\nPreferencias",
     0, nullptr},
    {ID_APP_EXIT, "&Salir", "Sale de la aplicación; le pide que guarde los documentos\nSalir", 0,
     nullptr},
    {ID_VIEW_TOOLBAR, "Barra de &herramientas",
     "Muestra u oculta la barra de herramientas\nAlternar Barra de herramientas", 0, nullptr},
    {ID_VIEW_STATUS_BAR, "Barra de &estado",
     "Muestra u oculta la barra de estado\nAlternar Barra de estado", 0, nullptr},
    {ID_VER_PROPIEDADES, "&Propiedades",
     "Despliega una ventana con las propiedades del material seleccionado\nPropiedades", 0,
     nullptr},
    {ID_AGUA, "&Agua", "Agrega agua al material seleccionado\nAgua", 0, "agua"},
    {ID_REACTIVO, "&Reactivo", "Agrega reactivo al material seleccionado\nReactivo", 0, "reactivo"},
    {ID_INDICADORES, "&Indicadores",
     "Agrega unas gotas del indicador especificado al material\nIndicadores", 0, "indicador"},
    {ID_DECANTAR, "&Decantar", "Transfiere el liquido de un recipiente a otro\nDecantar", 0,
     "decantar"},
    {ID_TRANSFERIR, "&Transferir",
     "Transfiere todo el contenido de un recipiente a otro\nTransferir", 0, "transferir"},
    {ID_APP_ABOUT, "&Acerca de Alkor...", "Muestra la información del programa\nAcerca de", 0,
     nullptr},
    {ID_HELP_FINDER, "&Contenido", "Despliega el archivo de Ayuda\nAyuda", 0, nullptr},
};

// The toolbar, button by button.
const int kBarra[] = {ID_INICIAR_PRACTICA,
                      ID_ABRIR_PRACTICA,
                      ID_GUARDAR_PRACTICA,
                      ID_DESHACER,
                      ID_REHACER,
                      ID_AGUA,
                      ID_REACTIVO,
                      ID_INDICADORES,
                      ID_EQUIPO_VASO250,
                      ID_EQUIPO_ERLENMEYER250,
                      ID_EQUIPO_MATRAZ_BOLA,
                      ID_EQUIPO_BURETA50,
                      ID_EQUIPO_REACTOR,
                      ID_EQUIPO_TUBO_ENSAYE,
                      ID_EQUIPO_PIPETA_VOLUMETRICA,
                      ID_EQUIPO_AGITADOR,
                      ID_EQUIPO_PARRILLA,
                      ID_EQUIPO_TERMOMETRO,
                      ID_EQUIPO_PHMETRO,
                      ID_EQUIPO_BALANZA,
                      ID_DECANTAR,
                      ID_TRANSFERIR};

// The user's settings of the program, wherever it is started from (the tests move them with
// QSettings::setPath).
std::unique_ptr<QSettings> Ajustes() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Korvex Soft"), QStringLiteral("Alkor"));
}
constexpr const char* kClaveRecientes = "recientes";
constexpr const char* kClaveGeometria = "ventana/geometria";
constexpr const char* kClaveNotas = "ventana/notas";
constexpr const char* kClaveVelocidad = "simulacion/velocidad";

// A template is started as a new practice; anything else is opened as a saved practice.
bool EsPlantilla(const QString& strRuta) {
    return strRuta.endsWith(QStringLiteral(".akp"), Qt::CaseInsensitive);
}

// A toolbar picture: in colour under the mouse, quieter otherwise.
QIcon Icono(const char* pszNombre) {
    QSvgRenderer r(QStringLiteral(":/iconos/%1.svg").arg(QLatin1String(pszNombre)));
    if (!r.isValid())
        return {};
    QIcon icono;
    // Drawn at 32 pixels and, for a screen of twice the density, at 64: never blown up.
    for (int nRelacion : {1, 2}) {
        const int n = 32 * nRelacion;
        QImage color(n, n, QImage::Format_ARGB32_Premultiplied);
        color.fill(Qt::transparent);
        {
            QPainter p(&color);
            r.render(&p, QRectF(0, 0, n, n));
        }
        QImage apagado = color.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < n; ++y) {
            auto* fila = reinterpret_cast<QRgb*>(apagado.scanLine(y));
            for (int x = 0; x < n; ++x) {
                const QRgb c = fila[x];
                const int g = qGray(c);
                // Keep a third of the colour.
                fila[x] = qRgba((qRed(c) + 2 * g) / 3, (qGreen(c) + 2 * g) / 3,
                                (qBlue(c) + 2 * g) / 3, qAlpha(c));
            }
        }
        color.setDevicePixelRatio(nRelacion);
        apagado.setDevicePixelRatio(nRelacion);
        icono.addPixmap(QPixmap::fromImage(apagado), QIcon::Normal);
        icono.addPixmap(QPixmap::fromImage(color), QIcon::Active);
        icono.addPixmap(QPixmap::fromImage(color), QIcon::Selected);
    }
    return icono;
}

} // namespace

CMainFrame::CMainFrame(CPractica& practica, QWidget* pPadre)
    : QMainWindow(pPadre), m_practica(practica) {
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pNotas = new CNotasView(practica, m_pSplitter);
    m_pVistaMesa = new CChildView(practica);
    m_pMesa = new CMesaConBarras(m_pVistaMesa, m_pSplitter);
    m_pNotas->setMinimumWidth(100);
    m_pSplitter->addWidget(m_pNotas);
    m_pSplitter->addWidget(m_pMesa);
    m_pSplitter->setStretchFactor(1, 1);
    m_pSplitter->setSizes({238, 1000});
    m_pSplitter->setChildrenCollapsible(false);
    setCentralWidget(m_pSplitter);
    resize(1024, 720);

    m_pHistorial = new CHistorial(practica, this);
    CrearAcciones();
    CrearMenus();
    CrearBarras();
    ActualizarTitulo();
    ActualizarEstados();
    RestaurarAjustes();

    connect(m_pVistaMesa, &CChildView::UM_TICK, this, &CMainFrame::OnUM_TICK);
    connect(m_pVistaMesa, &CChildView::UM_TITULAR, this, &CMainFrame::OnUM_TITULAR);
    connect(m_pVistaMesa, &CChildView::UM_REGISTRO, this, &CMainFrame::MostrarRegistro);
    connect(m_pVistaMesa, &CChildView::UM_PROPIEDADES, this, &CMainFrame::OnUM_PROPIEDADES,
            Qt::QueuedConnection);
    connect(m_pVistaMesa, &CChildView::Modificado, this, &CMainFrame::RegistrarAccion);
    connect(&m_pHistorial->Pila(), &QUndoStack::cleanChanged, this, &CMainFrame::ActualizarTitulo);
    connect(m_pHistorial, &CHistorial::Restaurado, this, [this] {
        m_pVistaMesa->CancelarVertido();
        m_pVistaMesa->update();
        ActualizarEstados();
    });
    connect(m_pNotas, &CNotasView::ResultadosEditados, this, &CMainFrame::MarcarModificada);
    connect(m_pVistaMesa, &CChildView::ZoomCambiado, this, &CMainFrame::MostrarZoom);
    connect(m_pVistaMesa, &CChildView::Indicacion, this,
            [this](const QString& s) { statusBar()->showMessage(s, 10000); });
    connect(m_pVistaMesa, &CChildView::IniciarPracticaPedida, this, &CMainFrame::OnIniciarPractica);
    connect(m_pVistaMesa, &CChildView::VertidoTerminado, this, [this] {
        if (statusBar()->currentMessage() == QString::fromUtf8(kTextoDestino))
            statusBar()->clearMessage();
    });

    m_fnPreguntaCierre = [this] {
        return static_cast<int>(
            Mensajes::Pregunta(this, QStringLiteral("¿Desea guardar sus cambios?"), true));
    };
    m_fnDialogoGuardar = [this] {
        QFileDialog dlg(this, QStringLiteral("Guardar práctica"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(QStringLiteral("Practica de química (*.uak1)"));
        dlg.setDefaultSuffix(QStringLiteral("uak1"));
        dlg.setOption(QFileDialog::ReadOnly, false);
        dlg.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
        dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
        dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
        dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
        dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
        dlg.selectFile(RutaPropuesta());
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().constFirst()
                   : QString();
    };
    m_fnDialogoPdf = [this] {
        QFileDialog dlg(this, tr("Exportar notas a PDF"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(tr("Documento PDF (*.pdf)"));
        // The suffix is added before the dialog asks about replacing a file, not after.
        dlg.setDefaultSuffix(QStringLiteral("pdf"));
        dlg.selectFile(m_pNotas->RutaPdfPropuesta());
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().constFirst()
                   : QString();
    };
    qApp->installEventFilter(this);
    m_practica.m_listaEquipo.m_fnAlEliminar = [this](CEquipo* e) { Olvidar(e); };
}

CMainFrame::~CMainFrame() {
    // The practice outlives the window: it must not call back into it.
    m_practica.m_listaEquipo.m_fnAlEliminar = nullptr;
    qApp->removeEventFilter(this);
    // The history goes first, quietly: its stack announces its own clearing, and this
    // window is no longer one to hear it.
    m_pHistorial->Pila().disconnect(this);
    delete m_pHistorial;
    m_pHistorial = nullptr;
}

void CMainFrame::Olvidar(CEquipo* pEquipo) {
    if (m_pVistaMesa->m_pSeleccion == pEquipo)
        m_pVistaMesa->LimpiarSeleccion();
    if (m_pDlgTitulacion) {
        CRecipiente* pBureta = m_pDlgTitulacion->Bureta();
        const bool bBureta = pEquipo == pBureta;
        const bool bReceptor = pEquipo == m_pDlgTitulacion->Receptor();
        m_pDlgTitulacion->Olvidar(pEquipo);
        // The window goes with the burette it controls; without the vessel under it the
        // drops stop, and the student is told why (unless the burette went too, as when
        // the bench is cleared).
        if (m_bTitulando && (bBureta || bReceptor)) {
            // Mid-deletion nothing may be written: the drops so far join the deletion's step.
            TerminarTitulacion(false);
            if (bReceptor)
                QTimer::singleShot(0, this, [this, pBureta] {
                    if (m_practica.m_listaEquipo.Contiene(pBureta))
                        Mensajes::Aviso(this, QStringLiteral("Se retiró el recipiente que "
                                                             "recibía las gotas de la bureta: la "
                                                             "titulación se ha detenido."));
                });
        }
    }
    m_practica.m_registro.Olvidar(pEquipo);
    if (m_pDlgGrafica) {
        if (pEquipo == m_pDlgGrafica->m_pBureta && m_bGraficando)
            OnUM_FIN_GRAFICA();
        m_pDlgGrafica->Olvidar(pEquipo);
    }
}

QAction* CMainFrame::Accion(int nId) const {
    auto it = m_acciones.find(nId);
    return it == m_acciones.end() ? nullptr : it->second;
}

void CMainFrame::CrearAcciones() {
    auto crear = [this](int nId, const char* pszTexto, const char* pszCadena,
                        const char* pszIcono) {
        const QStringList partes = QString::fromUtf8(pszCadena).split(QLatin1Char('\n'));
        auto* a = new QAction(QString::fromUtf8(pszTexto), this);
        a->setStatusTip(partes.value(0));
        a->setToolTip(partes.value(1));
        if (pszIcono)
            a->setIcon(Icono(pszIcono));
        a->setData(nId);
        m_acciones[nId] = a;
        return a;
    };
    for (const Orden& o : kOrdenes)
        crear(o.nId, o.pszTexto, o.pszCadena, o.pszIcono);
    for (const CTipoEquipo& t : TiposEquipo()) {
        if (!t.nIdOrden)
            continue; // an assembly piece: mounted from its parent's menu
        QAction* a = crear(t.nIdOrden, t.pszMenu, t.pszIndicacion, t.pszIcono);
        connect(a, &QAction::triggered, this, [this, n = t.Codigo()] { InsertarEquipo(n); });
    }
    connect(Accion(ID_INICIAR_PRACTICA), &QAction::triggered, this, &CMainFrame::OnIniciarPractica);
    connect(Accion(ID_ABRIR_PRACTICA), &QAction::triggered, this, &CMainFrame::OnAbrirPractica);
    connect(Accion(ID_GUARDAR_PRACTICA), &QAction::triggered, this, &CMainFrame::OnGuardarPractica);
    // Commands this program adds to the described ones: their texts go through translation.
    auto nueva = [this, &crear](int nId, const QString& strTexto, const QString& strIndicacion) {
        QAction* a = crear(nId, "", "", nullptr);
        a->setText(strTexto);
        a->setStatusTip(strIndicacion);
        a->setToolTip(QString(strTexto).remove(QLatin1Char('&')).remove(QChar(0x2026)));
        return a;
    };
    connect(nueva(ID_GUARDAR_COMO, tr("Guardar &como…"),
                  tr("Guarda la práctica en un archivo nuevo, que usted elige")),
            &QAction::triggered, this, &CMainFrame::OnGuardarComo);
    connect(nueva(ID_IMPRIMIR_NOTAS, tr("Im&primir notas…"),
                  tr("Imprime la sección de las notas que se muestra")),
            &QAction::triggered, m_pNotas, &CNotasView::Imprimir);
    connect(nueva(ID_EXPORTAR_PDF, tr("E&xportar notas a PDF…"),
                  tr("Guarda la sección de las notas que se muestra como documento PDF")),
            &QAction::triggered, this, &CMainFrame::OnExportarPdf);
    // The usual keys of a desktop program, shown beside their menu entries. They act wherever
    // the focus is in the window, the notes pane included.
    const std::pair<int, QKeySequence> teclas[] = {
        {ID_ABRIR_PRACTICA, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_GUARDAR_PRACTICA, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ID_GUARDAR_COMO, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {ID_IMPRIMIR_NOTAS, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ID_APP_EXIT, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {ID_HELP_FINDER, QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [nId, tecla] : teclas) {
        Accion(nId)->setShortcut(tecla);
        Accion(nId)->setShortcutContext(Qt::WindowShortcut);
    }
    connect(Accion(ID_LIMPIAR_MESA), &QAction::triggered, this, &CMainFrame::LimpiarMesa);
    connect(Accion(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    // Undo and redo name the action they act on ("Deshacer Agregar reactivo").
    QUndoStack& pila = m_pHistorial->Pila();
    auto* pDeshacer = Accion(ID_DESHACER);
    auto* pRehacer = Accion(ID_REHACER);
    pDeshacer->setShortcut(QKeySequence::Undo);
    pRehacer->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* a : {pDeshacer, pRehacer})
        a->setShortcutContext(Qt::WindowShortcut);
    connect(pDeshacer, &QAction::triggered, this, [this] { Deshacer(true); });
    connect(pRehacer, &QAction::triggered, this, [this] { Deshacer(false); });
    auto textos = [this, pDeshacer, pRehacer] {
        QUndoStack& p = m_pHistorial->Pila();
        pDeshacer->setEnabled(p.canUndo());
        pRehacer->setEnabled(p.canRedo());
        pDeshacer->setText(p.canUndo() ? QStringLiteral("&Deshacer %1").arg(p.undoText())
                                       : QStringLiteral("&Deshacer"));
        pRehacer->setText(p.canRedo() ? QStringLiteral("&Rehacer %1").arg(p.redoText())
                                      : QStringLiteral("&Rehacer"));
    };
    connect(&pila, &QUndoStack::indexChanged, this, textos);
    connect(&pila, &QUndoStack::cleanChanged, this, textos);
    textos();
    connect(Accion(ID_PREFERENCIAS), &QAction::triggered, this, [this] {
        CDlgPreferencias dlg(this);
        dlg.exec();
    });
    connect(Accion(ID_DECANTAR), &QAction::triggered, this, [this] {
        m_pVistaMesa->BeginDecant();
        statusBar()->showMessage(QString::fromUtf8(kTextoDestino));
    });
    connect(Accion(ID_TRANSFERIR), &QAction::triggered, this, [this] {
        m_pVistaMesa->BeginTransfer();
        statusBar()->showMessage(QString::fromUtf8(kTextoDestino));
    });
    connect(Accion(ID_MOSTRAR_TODO), &QAction::triggered, m_pVistaMesa, &CChildView::MostrarTodo);
    connect(Accion(ID_ACERCAR), &QAction::triggered, m_pVistaMesa, &CChildView::Acercar);
    connect(Accion(ID_ALEJAR), &QAction::triggered, m_pVistaMesa, &CChildView::Alejar);
    connect(Accion(ID_TAMANO_REAL), &QAction::triggered, m_pVistaMesa, &CChildView::TamanoReal);
    connect(Accion(ID_AJUSTAR_VENTANA), &QAction::triggered, m_pVistaMesa,
            &CChildView::AjustarAVentana);
    // Ctrl + "+" wherever the plus sits on the keyboard: with or without Shift, on the keypad.
    Accion(ID_ACERCAR)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                        QKeySequence(Qt::CTRL | Qt::Key_Equal),
                        QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus)});
    Accion(ID_ALEJAR)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Minus),
         QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus)});
    Accion(ID_TAMANO_REAL)
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_0),
                        QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0)});
    // The shortcuts work wherever the focus is in the window, the notes pane included.
    for (int nId : {ID_ACERCAR, ID_ALEJAR, ID_TAMANO_REAL})
        Accion(nId)->setShortcutContext(Qt::WindowShortcut);
    connect(Accion(ID_BORRAR_RECIENTES), &QAction::triggered, this, [this] {
        GuardarRecientes({});
        ActualizarMenuRecientes();
    });
    connect(Accion(ID_QUITAR_FALTANTES), &QAction::triggered, this, [this] {
        QStringList lista = Recientes();
        lista.removeIf([](const QString& r) { return !QFileInfo::exists(r); });
        GuardarRecientes(lista);
        ActualizarMenuRecientes();
    });
    connect(Accion(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::AcercaDe);
    connect(Accion(ID_HELP_FINDER), &QAction::triggered, this, &CMainFrame::Contenido);
    connect(Accion(ID_VER_PROPIEDADES), &QAction::triggered, this, &CMainFrame::Propiedades);
    // The material commands do what the vessel's own menu entries do.
    connect(Accion(ID_AGUA), &QAction::triggered, this,
            [this] { m_pVistaMesa->Comando(::ID_AGREGAR_AGUA); });
    connect(Accion(ID_REACTIVO), &QAction::triggered, this,
            [this] { m_pVistaMesa->Comando(::ID_AGREGAR_REACTIVO); });
    connect(Accion(ID_INDICADORES), &QAction::triggered, this,
            [this] { m_pVistaMesa->Comando(::ID_AGREGAR_INDICADOR); });
    Accion(ID_INICIAR_PRACTICA)->setToolTip(QStringLiteral("Iniciar práctica"));
    Accion(ID_ABRIR_PRACTICA)->setToolTip(QStringLiteral("Abrir práctica"));
    Accion(ID_GUARDAR_PRACTICA)->setToolTip(QStringLiteral("Guardar práctica"));
    for (int nId : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        Accion(nId)->setCheckable(true);
        Accion(nId)->setChecked(true);
    }
}

void CMainFrame::CrearMenus() {
    QMenuBar* mb = menuBar();
    QMenu* archivo = mb->addMenu(QStringLiteral("&Archivo"));
    archivo->addAction(Accion(ID_INICIAR_PRACTICA));
    archivo->addAction(Accion(ID_ABRIR_PRACTICA));
    archivo->addAction(Accion(ID_GUARDAR_PRACTICA));
    archivo->addAction(Accion(ID_GUARDAR_COMO));
    archivo->addAction(QStringLiteral("&Editar práctica…"), this,
                       [this] { EditarPractica(false); });
    archivo->addAction(QStringLiteral("&Nueva práctica en blanco…"), this,
                       [this] { EditarPractica(true); });
    m_pMenuRecientes = archivo->addMenu(QStringLiteral("Prácticas &recientes"));
    connect(m_pMenuRecientes, &QMenu::aboutToShow, this, &CMainFrame::ActualizarMenuRecientes);
    ActualizarMenuRecientes();
    archivo->addSeparator();
    archivo->addAction(Accion(ID_LIMPIAR_MESA));
    archivo->addSeparator();
    archivo->addAction(Accion(ID_IMPRIMIR_NOTAS));
    archivo->addAction(Accion(ID_EXPORTAR_PDF));
    archivo->addSeparator();
    archivo->addAction(Accion(ID_PREFERENCIAS));
    archivo->addSeparator();
    archivo->addAction(Accion(ID_APP_EXIT));

    QMenu* edicion = mb->addMenu(QStringLiteral("E&dición"));
    edicion->addAction(Accion(ID_DESHACER));
    edicion->addAction(Accion(ID_REHACER));

    QMenu* ver = mb->addMenu(QStringLiteral("&Ver"));
    ver->addAction(Accion(ID_VIEW_TOOLBAR));
    ver->addAction(Accion(ID_VIEW_STATUS_BAR));
    ver->addAction(Accion(ID_VER_PROPIEDADES));
    ver->addAction(Accion(ID_MOSTRAR_TODO));
    ver->addSeparator();
    ver->addAction(Accion(ID_ACERCAR));
    ver->addAction(Accion(ID_ALEJAR));
    ver->addAction(Accion(ID_TAMANO_REAL));
    ver->addAction(Accion(ID_AJUSTAR_VENTANA));

    QMenu* equipo = mb->addMenu(QStringLiteral("&Equipo"));
    // In the table's order; consecutive rows of one submenu share it.
    QMenu* pSubmenu = nullptr;
    const char* pszSubmenu = nullptr;
    for (const CTipoEquipo& t : TiposEquipo()) {
        if (!t.nIdOrden)
            continue;
        const bool bMismoSubmenu =
            t.pszSubmenu && pszSubmenu && std::strcmp(t.pszSubmenu, pszSubmenu) == 0;
        if (t.bSeparadorAntes && !bMismoSubmenu)
            equipo->addSeparator();
        if (!t.pszSubmenu) {
            equipo->addAction(Accion(t.nIdOrden));
        } else {
            if (!bMismoSubmenu)
                pSubmenu = equipo->addMenu(QString::fromUtf8(t.pszSubmenu));
            pSubmenu->addAction(Accion(t.nIdOrden));
        }
        pszSubmenu = t.pszSubmenu;
    }

    QMenu* reactivos = mb->addMenu(QStringLiteral("&Reactivos"));
    reactivos->addAction(Accion(ID_AGUA));
    reactivos->addAction(Accion(ID_REACTIVO));
    reactivos->addAction(Accion(ID_INDICADORES));
    QMenu* procesos = mb->addMenu(QStringLiteral("&Procesos"));
    procesos->addAction(Accion(ID_DECANTAR));
    procesos->addAction(Accion(ID_TRANSFERIR));
    procesos->addSeparator();
    procesos->addAction(tr("Re&gistro de datos"), this, &CMainFrame::MostrarRegistro);
    QMenu* ayuda = mb->addMenu(QStringLiteral("Ay&uda"));
    ayuda->addAction(Accion(ID_APP_ABOUT));
    ayuda->addAction(Accion(ID_HELP_FINDER));
    for (QMenu* m : {archivo, edicion, ver, equipo, reactivos, procesos, ayuda})
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::ActualizarEstados);
}

void CMainFrame::CrearBarras() {
    m_pToolBar = addToolBar(QStringLiteral("Equipo"));
    m_pToolBar->setObjectName(QStringLiteral("barraEquipo"));
    m_pToolBar->setIconSize(QSize(32, 32));
    m_pToolBar->setMovable(false);
    for (int nId : kBarra)
        m_pToolBar->addAction(Accion(nId));
    addToolBarBreak();
    m_pBarraVelocidad = addToolBar(QStringLiteral("Velocidad"));
    m_pBarraVelocidad->setObjectName(QStringLiteral("barraVelocidad"));
    m_pBarraVelocidad->setMovable(false);
    m_pBarraVelocidad->addWidget(new QLabel(QStringLiteral(" Velocidad de simulación: ")));
    m_pSliderVelocidad = new QSlider(Qt::Horizontal);
    m_pSliderVelocidad->setRange(1, 5);
    m_pSliderVelocidad->setValue(3);
    m_pSliderVelocidad->setTickPosition(QSlider::TicksAbove);
    m_pSliderVelocidad->setTickInterval(1);
    m_pSliderVelocidad->setPageStep(1);
    m_pSliderVelocidad->setFixedWidth(200);
    m_pSliderVelocidad->setAccessibleName(QStringLiteral("Velocidad de simulación"));
    m_pBarraVelocidad->addWidget(m_pSliderVelocidad);
    // The speed takes effect when the mouse lets go of the slider.
    connect(m_pSliderVelocidad, &QSlider::sliderReleased, this,
            [this] { m_pVistaMesa->m_nTicksPorPaso = 6 - m_pSliderVelocidad->value(); });

    connect(Accion(ID_VIEW_TOOLBAR), &QAction::toggled, this, [this](bool b) {
        m_pToolBar->setVisible(b);
        m_pBarraVelocidad->setVisible(b);
    });
    QStatusBar* sb = statusBar();
    sb->showMessage(QStringLiteral("Preparado"));
    connect(sb, &QStatusBar::messageChanged, sb, [sb](const QString& s) {
        if (s.isEmpty())
            sb->showMessage(QStringLiteral("Preparado"));
    });
    m_pZoom = new QLabel;
    m_pZoom->setToolTip(QStringLiteral("Tamaño de la mesa"));
    sb->addPermanentWidget(m_pZoom);
    MostrarZoom(m_pVistaMesa->Zoom());
    m_pMay = new QLabel(QStringLiteral(" MAY "));
    m_pNum = new QLabel(QStringLiteral(" NUM "));
    m_pDesp = new QLabel(QStringLiteral(" DESP "));
    for (QLabel* l : {m_pMay, m_pNum, m_pDesp}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setEnabled(false);
        sb->addPermanentWidget(l);
    }
    connect(Accion(ID_VIEW_STATUS_BAR), &QAction::toggled, sb, &QWidget::setVisible);
}

bool CMainFrame::eventFilter(QObject* o, QEvent* e) {
    // Every dialog's fields carry the names of their labels for screen readers.
    if (e->type() == QEvent::Show)
        if (auto* d = qobject_cast<QDialog*>(o))
            Accesible::NombrarControles(d);
    // The lock indicators follow the lock keys the program sees.
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_CapsLock)
            m_pMay->setEnabled(!m_pMay->isEnabled());
        else if (k == Qt::Key_NumLock)
            m_pNum->setEnabled(!m_pNum->isEnabled());
        else if (k == Qt::Key_ScrollLock)
            m_pDesp->setEnabled(!m_pDesp->isEnabled());
    }
    return QMainWindow::eventFilter(o, e);
}

void CMainFrame::ActualizarTitulo() {
    QString strTitulo =
        m_bTitulado
            ? QStringLiteral("Alkor - %1").arg(QString::fromStdString(m_practica.m_strPractica))
            : QStringLiteral("Alkor Vol. 1");
    // Two saves of one practice are told apart by their files; a change not yet saved
    // shows as a star.
    if (!m_strRuta.isEmpty())
        strTitulo += QStringLiteral(" (%1)").arg(QFileInfo(m_strRuta).fileName());
    if (Modificada())
        strTitulo += QStringLiteral(" *");
    setWindowTitle(strTitulo);
}

bool CMainFrame::Modificada() const {
    return m_bNotasModificadas || m_bGotasSinRegistrar || !m_pHistorial->Limpio();
}

void CMainFrame::MarcarModificada() {
    if (m_bNotasModificadas)
        return;
    m_bNotasModificadas = true;
    ActualizarTitulo();
}

void CMainFrame::RegistrarAccion(const QString& strAccion) {
    m_pHistorial->Registrar(strAccion);
    ActualizarTitulo();
}

bool CMainFrame::ConfirmarDescartar() {
    if (!Modificada())
        return true;
    switch (m_fnPreguntaCierre()) {
    case QMessageBox::Yes:
        return OnGuardarPractica();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::ActualizarEstados() {
    CRecipiente* r = m_pVistaMesa->RecipienteSeleccionado();
    Accion(ID_AGUA)->setEnabled(r && r->m_seno.Reserva() < r->m_dCapacidad);
    Accion(ID_REACTIVO)->setEnabled(r && r->m_seno.Reserva() < r->m_dCapacidad);
    Accion(ID_INDICADORES)->setEnabled(r != nullptr);
    Accion(ID_VER_PROPIEDADES)->setEnabled(r != nullptr);
    Accion(ID_DECANTAR)->setEnabled(r && r->VolumenLiquido() != 0.0);
    Accion(ID_TRANSFERIR)->setEnabled(r && r->m_seno.MolesLiquidoSolido() != 0.0);
    // Only a solid in the vessel: "Decantar" (liquids) is off, and says what moves a solid.
    static const QString strDecantar = Accion(ID_DECANTAR)->statusTip();
    const bool bSoloSolido =
        r && Accion(ID_TRANSFERIR)->isEnabled() && !Accion(ID_DECANTAR)->isEnabled();
    const QString strTip = bSoloSolido ? tr("En el recipiente solo hay sólidos: para pasarlos a "
                                            "otro use «Transferir» (menú Procesos).")
                                       : strDecantar;
    Accion(ID_DECANTAR)->setStatusTip(strTip);
    Accion(ID_DECANTAR)->setToolTip(bSoloSolido ? strTip : QString());
    Accion(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar->isVisible() || !isVisible());
}

void CMainFrame::InsertarEquipo(int nTipo) {
    if (CEquipo* e = CListaEquipo::CrearEquipo(nTipo)) {
        e->ColocarEn(m_pVistaMesa->PuntoInsercion());
        m_pVistaMesa->MostrarInvitacion(false);
        m_practica.m_listaEquipo.AgregarAlFrente(e);
        m_pVistaMesa->ColocarLibre(e);
        // The new item is the one the student works on next: selected, and the bench has the
        // keyboard, so that the arrows move it and the menu key opens its menu.
        m_pVistaMesa->Seleccionar(e);
        m_pVistaMesa->MostrarEquipo(e);
        m_pVistaMesa->setFocus();
        ActualizarEstados();
        m_pVistaMesa->update();
        RegistrarAccion(QStringLiteral("Colocar %1").arg(QString::fromStdString(e->GetNombre())));
    }
}

void CMainFrame::ReiniciarVelocidad() {
    m_pSliderVelocidad->setValue(3);
    m_pVistaMesa->m_nTicksPorPaso = 3;
    m_pSliderVelocidad->setEnabled(m_practica.m_bVelocidad != 0 && !m_practica.m_tarea.Bloqueada());
}

void CMainFrame::DespuesDeLeer() {
    // The editor still shows the old practice: nothing of it may go into the new one.
    m_pNotas->Reiniciar();
    m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    ReiniciarVelocidad();
    m_pVistaMesa->LimpiarSeleccion();
    m_pVistaMesa->CancelarVertido();
    m_pVistaMesa->MostrarInvitacion(false);
    m_pVistaMesa->update();
    m_bTitulado = true;
    m_bNotasModificadas = false;
    m_pHistorial->Reiniciar();
    ActualizarTitulo();
}

bool CMainFrame::IniciarPractica(int nPlantilla) {
    QString strError;
    const QByteArray bytes = Plantillas::Bytes(nPlantilla, &strError);
    if (!bytes.isEmpty() && !ConfirmarDescartar())
        return false;
    if (bytes.isEmpty()) {
        Mensajes::Aviso(this, strError);
        return false;
    }
    // Read from memory: nothing goes through a file in the shared temporary folder, where
    // another user could have planted or linked the name.
    const std::vector<uint8_t> datos(bytes.begin(), bytes.end());
    const QString strNombre = QStringLiteral("%1.akp").arg(nPlantilla);
    m_pNotas->GuardarResultados();
    m_pVistaMesa->StopTimer();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The bench goes: nothing may keep pointing at its items.
    m_pVistaMesa->LimpiarSeleccion();
    const CPractica::Resultado r = m_practica.LeerPlantilla(datos, strNombre, &strError);
    QApplication::restoreOverrideCursor();
    bool bOk = r == CPractica::Resultado::Correcto;
    if (r == CPractica::Resultado::Error)
        Mensajes::Aviso(this, strError);
    if (bOk) {
        m_strRuta.clear(); // a new practice: the first save asks where
        DespuesDeLeer();
        AvisarProblemas(strNombre);
    }
    m_pVistaMesa->StartTimer();
    return bOk;
}

bool CMainFrame::AbrirPractica(const QString& strRuta, bool bPlantilla) {
    if (!ConfirmarDescartar())
        return false;
    m_pNotas->GuardarResultados();
    m_pVistaMesa->StopTimer();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString strError;
    CEquipo* pSeleccion = m_pVistaMesa->m_pSeleccion;
    m_pVistaMesa->LimpiarSeleccion();
    const CPractica::Resultado r = bPlantilla ? m_practica.CargarPlantilla(strRuta, &strError)
                                              : m_practica.AbrirPractica(strRuta, &strError);
    QApplication::restoreOverrideCursor();
    const bool bOk = r == CPractica::Resultado::Correcto;
    if (bOk) {
        // A template starts a new practice: its first save asks where.
        m_strRuta = bPlantilla ? QString() : QFileInfo(strRuta).absoluteFilePath();
        DespuesDeLeer();
        AgregarReciente(strRuta);
        AvisarProblemas(QDir::toNativeSeparators(strRuta));
    } else if (pSeleccion && m_practica.m_listaEquipo.Contiene(pSeleccion)) {
        // A failed open leaves everything as it was, the selection included.
        m_pVistaMesa->m_pSeleccion = pSeleccion;
        pSeleccion->m_bSeleccionado = 1;
    }
    if (r == CPractica::Resultado::Error)
        Mensajes::Aviso(this, strError);
    m_pVistaMesa->StartTimer();
    return bOk;
}

bool CMainFrame::GuardarPractica(const QString& strRuta) {
    // What the student typed in the results is part of what is saved.
    m_pNotas->GuardarResultados();
    // Saved mid-titration, the drops so far are a step of their own: the saved point of the
    // history is then this one, and the drops after it make the next step.
    if (m_bGotasSinRegistrar) {
        m_pHistorial->Registrar(QStringLiteral("Titulación"));
        m_bGotasSinRegistrar = false;
    }
    QString strError;
    if (m_practica.GuardarPractica(strRuta, &strError) != CPractica::Resultado::Correcto) {
        Mensajes::Aviso(this, strError);
        return false;
    }
    m_bTitulado = true;
    m_bNotasModificadas = false;
    m_pHistorial->MarcarGuardada();
    m_strRuta = QFileInfo(strRuta).absoluteFilePath();
    AgregarReciente(m_strRuta);
    ActualizarTitulo();
    statusBar()->showMessage(QStringLiteral("Práctica guardada en %1").arg(m_strRuta), 10000);
    return true;
}

void CMainFrame::OnIniciarPractica() {
    CDlgAbrirPractica dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (dlg.m_nRecurso) {
        IniciarPractica(dlg.m_nRecurso);
        return;
    }
    // A file of "Mis prácticas" or of the shared folder: a template starts a new practice as
    // a built-in one does, a saved practice opens as saved.
    if (!AbrirPractica(dlg.m_strArchivo, dlg.m_bPlantillaElegida) &&
        !QFileInfo::exists(dlg.m_strArchivo))
        Mensajes::Aviso(this, QStringLiteral("No se encuentra el archivo %1: puede que se haya "
                                             "movido o borrado.")
                                  .arg(QDir::toNativeSeparators(dlg.m_strArchivo)));
}

void CMainFrame::OnAbrirPractica() {
    CDlgAbrirPractica dlg(this, false);
    if (dlg.exec() == QDialog::Accepted)
        AbrirPractica(dlg.m_strArchivo);
}

bool CMainFrame::OnGuardarPractica() {
    // A practice that has its own file is saved there; only a new one, or one whose file is
    // not the student's to write (the shared folder, a read-only file), asks where.
    if (m_strRuta.isEmpty() || !ArchivoPropio(m_strRuta))
        return OnGuardarComo();
    m_pVistaMesa->StopTimer();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bGuardado = GuardarPractica(m_strRuta);
    QApplication::restoreOverrideCursor();
    m_pVistaMesa->StartTimer();
    return bGuardado;
}

bool CMainFrame::ArchivoPropio(const QString& strRuta) {
    const QFileInfo info(strRuta);
    if (info.exists() && !info.isWritable())
        return false;
    const QString strCompartida = Preferencias::CarpetaCompartida();
    if (strCompartida.isEmpty())
        return true;
    const QString strCarpeta = QFileInfo(strCompartida).absoluteFilePath() + QLatin1Char('/');
    return !info.absoluteFilePath().startsWith(strCarpeta);
}

QString CMainFrame::RutaPropuesta() const {
    // A practice saved before is offered again under its own name, in its own folder when it
    // is the student's to write; one opened from the shared folder (or read-only) goes into
    // "Mis prácticas" under the same name, so that the teacher's file is never proposed.
    if (!m_strRuta.isEmpty() && ArchivoPropio(m_strRuta))
        return m_strRuta;
    const QString strCarpeta = Preferencias::CarpetaPropia(true);
    if (!m_strRuta.isEmpty())
        return QDir(strCarpeta).filePath(QFileInfo(m_strRuta).fileName());
    return strCarpeta + QLatin1Char('/');
}

bool CMainFrame::OnGuardarComo() {
    m_pVistaMesa->StopTimer();
    const QString ruta = m_fnDialogoGuardar();
    bool bGuardado = false;
    if (!ruta.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bGuardado = GuardarPractica(ruta);
        QApplication::restoreOverrideCursor();
    }
    m_pVistaMesa->StartTimer();
    return bGuardado;
}

bool CMainFrame::OnExportarPdf() {
    QString strRuta = m_fnDialogoPdf();
    if (strRuta.isEmpty())
        return false;
    if (QFileInfo(strRuta).suffix().isEmpty())
        strRuta += QStringLiteral(".pdf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bOk = m_pNotas->ExportarPdf(strRuta);
    QApplication::restoreOverrideCursor();
    if (bOk)
        statusBar()->showMessage(tr("Notas guardadas en %1").arg(QDir::toNativeSeparators(strRuta)),
                                 10000);
    return bOk;
}

void CMainFrame::LimpiarMesa() {
    if (!ConfirmarDescartar())
        return;
    const bool bHabiaEquipo = !m_practica.m_listaEquipo.empty();
    m_pVistaMesa->StopTimer();
    m_pVistaMesa->LimpiarSeleccion();
    m_practica.ClearBench();
    m_pVistaMesa->update();
    m_pVistaMesa->StartTimer();
    if (bHabiaEquipo)
        RegistrarAccion(QStringLiteral("Limpiar mesa de trabajo"));
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    // Asked only when something changed: Sí saves first; No closes; Cancelar, or a save
    // that did not happen, stays open.
    if (!ConfirmarDescartar()) {
        e->ignore();
        return;
    }
    GuardarAjustes();
    e->accept();
}

QStringList CMainFrame::Recientes() const {
    return Ajustes()->value(QLatin1String(kClaveRecientes)).toStringList().mid(0, kRecientes);
}

void CMainFrame::GuardarRecientes(const QStringList& lista) const {
    Ajustes()->setValue(QLatin1String(kClaveRecientes), lista.mid(0, kRecientes));
}

void CMainFrame::AgregarReciente(const QString& strRuta) {
    const QString strAbsoluta = QFileInfo(strRuta).absoluteFilePath();
    QStringList lista = Recientes();
    lista.removeAll(strAbsoluta);
    lista.prepend(strAbsoluta);
    GuardarRecientes(lista);
    ActualizarMenuRecientes();
}

void CMainFrame::ActualizarMenuRecientes() {
    m_pMenuRecientes->clear();
    const QStringList lista = Recientes();
    bool bFaltan = false;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString& strRuta = lista[i];
        const QFileInfo info(strRuta);
        // A file that is gone stays on the list, greyed, until it is taken off.
        const bool bExiste = info.exists();
        QString strTexto = QStringLiteral("&%1 %2").arg(i + 1).arg(info.fileName());
        if (!bExiste)
            strTexto += QStringLiteral(" (no se encuentra)");
        QAction* a = m_pMenuRecientes->addAction(strTexto);
        a->setStatusTip(QDir::toNativeSeparators(strRuta));
        a->setToolTip(QDir::toNativeSeparators(strRuta));
        a->setData(strRuta);
        a->setEnabled(bExiste);
        bFaltan = bFaltan || !bExiste;
        connect(a, &QAction::triggered, this, [this, strRuta] { AbrirReciente(strRuta); });
    }
    if (lista.isEmpty())
        m_pMenuRecientes->addAction(QStringLiteral("(ninguna)"))->setEnabled(false);
    m_pMenuRecientes->addSeparator();
    m_pMenuRecientes->addAction(Accion(ID_QUITAR_FALTANTES));
    m_pMenuRecientes->addAction(Accion(ID_BORRAR_RECIENTES));
    Accion(ID_QUITAR_FALTANTES)->setEnabled(bFaltan);
    Accion(ID_BORRAR_RECIENTES)->setEnabled(!lista.isEmpty());
}

bool CMainFrame::AbrirReciente(const QString& strRuta) {
    if (!QFileInfo::exists(strRuta)) {
        QStringList lista = Recientes();
        lista.removeAll(strRuta);
        GuardarRecientes(lista);
        ActualizarMenuRecientes();
        Mensajes::Aviso(this, QStringLiteral("No se encuentra el archivo %1; se quitó de la lista "
                                             "de prácticas recientes.")
                                  .arg(QDir::toNativeSeparators(strRuta)));
        return false;
    }
    return AbrirPractica(strRuta, EsPlantilla(strRuta));
}

void CMainFrame::GuardarAjustes() const {
    auto a = Ajustes();
    a->setValue(QLatin1String(kClaveGeometria), saveGeometry());
    a->setValue(QLatin1String(kClaveNotas), m_pSplitter->sizes().value(0));
    a->setValue(QLatin1String(kClaveVelocidad), m_pSliderVelocidad->value());
}

bool CMainFrame::RestaurarGeometria() {
    const QByteArray geometria = Ajustes()->value(QLatin1String(kClaveGeometria)).toByteArray();
    return !geometria.isEmpty() && restoreGeometry(geometria);
}

void CMainFrame::RestaurarAjustes() {
    auto a = Ajustes();
    const int nNotas = a->value(QLatin1String(kClaveNotas)).toInt();
    if (nNotas >= m_pNotas->minimumWidth())
        m_pSplitter->setSizes({nNotas, std::max(width() - nNotas, 100)});
    bool bOk = false;
    const int nVelocidad = a->value(QLatin1String(kClaveVelocidad)).toInt(&bOk);
    if (bOk && nVelocidad >= m_pSliderVelocidad->minimum() &&
        nVelocidad <= m_pSliderVelocidad->maximum()) {
        m_pSliderVelocidad->setValue(nVelocidad);
        m_pVistaMesa->m_nTicksPorPaso = 6 - nVelocidad;
    }
}

void CMainFrame::MostrarInvitacion() {
    if (!m_bTitulado && m_practica.m_listaEquipo.empty())
        m_pVistaMesa->MostrarInvitacion(true);
}

void CMainFrame::MostrarZoom(double dZoom) {
    m_pZoom->setText(QStringLiteral(" %1 % ").arg(qRound(dZoom * 100)));
    Accion(ID_ACERCAR)->setEnabled(dZoom < CChildView::kZoomMaximo);
    Accion(ID_ALEJAR)->setEnabled(dZoom > CChildView::kZoomMinimo);
}

void CMainFrame::OnUM_TITULAR() {
    CEquipo* s = m_pVistaMesa->m_pSeleccion;
    if (!s)
        return;
    CEquipo* pReceptor = CTitulacion::BuscarReceptor(m_practica.m_listaEquipo, *s);
    // Only a vessel can receive the drops.
    CRecipiente* pRecibe = pReceptor ? pReceptor->Recipiente() : nullptr;
    CRecipiente* pBureta = s->Recipiente();
    if (!pRecibe || !pBureta) {
        Mensajes::Aviso(this, QStringLiteral("No esta definido el equipo para titulación"));
        return;
    }
    if (!m_pDlgTitulacion) {
        m_pDlgTitulacion = new CDlgTitulacion(this);
        connect(m_pDlgTitulacion, &CDlgTitulacion::UM_FIN_TITULAR, this,
                &CMainFrame::OnUM_FIN_TITULAR);
        connect(m_pDlgTitulacion, &CDlgTitulacion::UM_GRAFICA, this, &CMainFrame::OnUM_GRAFICA);
        connect(m_pDlgTitulacion, &CDlgTitulacion::UM_REFRESCAR_GRAFICA, this,
                &CMainFrame::OnUM_REFRESCAR_GRAFICA);
    }
    if (!m_pDlgTitulacion->isVisible()) {
        m_pDlgTitulacion->SetEquipo(pBureta, pRecibe);
        ColocarJunto(m_pDlgTitulacion, s);
        m_pDlgTitulacion->show();
        m_bTitulando = true;
    }
}

void CMainFrame::ColocarJunto(QWidget* pVentana, const CEquipo* pEquipo) {
    // Beside the item, on the right when the screen has room there, else on its left, so
    // that the window never covers what it controls.
    pVentana->adjustSize();
    const QRect rcVista = m_pVistaMesa->ACliente(pEquipo->m_rcArea);
    const QRect rcItem(m_pVistaMesa->mapToGlobal(rcVista.topLeft()), rcVista.size());
    const QSize tam = pVentana->frameGeometry().size().expandedTo(pVentana->sizeHint());
    QScreen* pPantalla = m_pVistaMesa->screen();
    const QRect rcPantalla = pPantalla ? pPantalla->availableGeometry() : QRect();
    QPoint pt(rcItem.right() + 12, rcItem.top());
    if (rcPantalla.isValid()) {
        if (pt.x() + tam.width() > rcPantalla.right())
            pt.setX(rcItem.left() - 12 - tam.width());
        pt.setX(std::clamp(pt.x(), rcPantalla.left(),
                           std::max(rcPantalla.left(), rcPantalla.right() - tam.width())));
        pt.setY(std::clamp(pt.y(), rcPantalla.top(),
                           std::max(rcPantalla.top(), rcPantalla.bottom() - tam.height())));
    }
    pVentana->move(pt);
}

void CMainFrame::OnUM_FIN_TITULAR() {
    TerminarTitulacion(true);
}

void CMainFrame::TerminarTitulacion(bool bRegistrar) {
    if (m_pDlgTitulacion) {
        m_pDlgTitulacion->hide();
        m_pDlgTitulacion->SetEquipo(nullptr, nullptr);
    }
    // From its start to its end a titration is one step of the history.
    if (m_bTitulando && bRegistrar)
        RegistrarAccion(QStringLiteral("Titulación"));
    m_bTitulando = false;
    m_bGotasSinRegistrar = false;
    ActualizarTitulo();
}

void CMainFrame::Deshacer(bool bDeshacer) {
    if (m_pVistaMesa->m_bArrastrando)
        return;
    // A titration in progress ends first: it is the last action.
    if (m_bTitulando)
        TerminarTitulacion(true);
    m_pVistaMesa->CancelarVertido();
    // Undo puts back a new bench, every item a new object. The selection and the graph's
    // burette follow their item onto it: the one at the same place in the list, of the same
    // type, and standing where it stood unless no item came or went (then it is the same
    // item, moved back).
    CListaEquipo& lista = m_practica.m_listaEquipo;
    struct Rastro {
        int n = -1;
        int32_t nTipo = 0;
        QPoint pt;
    };
    auto rastro = [&lista](const CEquipo* e) {
        Rastro r;
        const auto it = std::find(lista.begin(), lista.end(), e);
        if (e && it != lista.end())
            r = {static_cast<int>(std::distance(lista.begin(), it)), e->m_nTipo,
                 QPoint(e->m_x, e->m_y)};
        return r;
    };
    const size_t nAntes = lista.size();
    auto hallar = [&lista, nAntes](const Rastro& r) -> CEquipo* {
        if (r.n < 0 || r.n >= static_cast<int>(lista.size()))
            return nullptr;
        CEquipo* e = *std::next(lista.begin(), r.n);
        const bool bQuieto = QPoint(e->m_x, e->m_y) == r.pt || lista.size() == nAntes;
        return e->m_nTipo == r.nTipo && bQuieto ? e : nullptr;
    };
    const Rastro seleccion = rastro(m_pVistaMesa->m_pSeleccion);
    const Rastro grafica = rastro(m_pDlgGrafica ? m_pDlgGrafica->m_pBureta : nullptr);
    const bool bGraficando = m_bGraficando;
    QUndoStack& pila = m_pHistorial->Pila();
    if (bDeshacer)
        pila.undo();
    else
        pila.redo();
    if (CEquipo* e = hallar(seleccion))
        m_pVistaMesa->Seleccionar(e);
    if (auto* pBureta = dynamic_cast<CRecipiente*>(hallar(grafica))) {
        m_pDlgGrafica->SetBureta(pBureta);
        if (bGraficando) {
            m_pDlgGrafica->m_bVisible = true;
            m_pDlgGrafica->show();
            m_bGraficando = true;
        }
    }
    ActualizarEstados();
    ActualizarTitulo();
}

void CMainFrame::OnUM_GRAFICA(CRecipiente* pBureta) {
    if (m_pDlgGrafica && m_pDlgGrafica->isVisible())
        return;
    delete m_pDlgGrafica;
    m_pDlgGrafica = new CDlgGrafica(pBureta, this);
    connect(m_pDlgGrafica, &CDlgGrafica::UM_FIN_GRAFICA, this, &CMainFrame::OnUM_FIN_GRAFICA);
    m_pDlgGrafica->show();
    m_bGraficando = true;
}

void CMainFrame::OnUM_FIN_GRAFICA() {
    if (m_pDlgGrafica) {
        m_pDlgGrafica->m_bVisible = false;
        m_pDlgGrafica->hide();
    }
    m_bGraficando = false;
}

void CMainFrame::OnUM_REFRESCAR_GRAFICA() {
    if (m_pDlgGrafica && m_bGraficando && m_pDlgGrafica->m_bVisible)
        m_pDlgGrafica->Actualizar();
}

void CMainFrame::OnUM_PROPIEDADES() {
    // The bench's "Propiedades" goes through only when the practice allows it.
    if (m_practica.m_bPropiedades && !m_practica.m_tarea.Bloqueada())
        Propiedades();
}

void CMainFrame::Propiedades() {
    CRecipiente* r = m_pVistaMesa->RecipienteSeleccionado();
    if (!r || !m_practica.m_listaEquipo.Contiene(r))
        return;
    m_pVistaMesa->StopTimer();
    const std::string strEtiqueta = r->m_strEtiqueta;
    CDlgPropiedades dlg(r, this);
    if (m_fnAntesDePropiedades)
        m_fnAntesDePropiedades(dlg);
    dlg.exec();
    if (m_practica.m_listaEquipo.Contiene(r) && r->m_strEtiqueta != strEtiqueta) {
        m_pVistaMesa->update();
        RegistrarAccion(QStringLiteral("Rotular"));
    }
    m_pVistaMesa->StartTimer();
}

void CMainFrame::MostrarRegistro() {
    if (!m_pVentanaRegistro)
        m_pVentanaRegistro = new CVentanaRegistro(m_practica, this);
    m_pVentanaRegistro->Actualizar(true);
    m_pVentanaRegistro->show();
    m_pVentanaRegistro->raise();
}

void CMainFrame::OnUM_TICK() {
    ActualizarEstados();
    if (m_pVentanaRegistro && m_pVentanaRegistro->isVisible())
        m_pVentanaRegistro->Actualizar();
    // The titration advances on every 100 ms tick, whatever the simulation speed.
    CRecipiente* pBureta = m_pDlgTitulacion && m_bTitulando ? m_pDlgTitulacion->Bureta() : nullptr;
    const double dTitulado = pBureta ? pBureta->m_dTitulado : 0.0;
    if (pBureta && m_pDlgTitulacion->TitrationStep()) {
        m_pVistaMesa->update();
        // The drops change the practice now, not when the window closes: the title says so
        // (a drop the full receiver did not take changed nothing).
        if (!m_bGotasSinRegistrar && pBureta->m_dTitulado != dTitulado) {
            m_bGotasSinRegistrar = true;
            ActualizarTitulo();
        }
    }
    // What the clock did is where the next action starts from; a drag in progress and a
    // titration (one action from its start to its end) are not cut in two.
    if (!m_pVistaMesa->m_bArrastrando && !m_bTitulando)
        m_pHistorial->Tomar();
    // A menu's prompt may have replaced the pour's hint: it comes back.
    const QString strMensaje = statusBar()->currentMessage();
    if (m_pVistaMesa->Vertiendo() &&
        (strMensaje.isEmpty() || strMensaje == QLatin1String("Preparado")))
        statusBar()->showMessage(QString::fromUtf8(kTextoDestino));
}

void CMainFrame::MostrarPresentacion() {
    CVentanaPresentacion::Mostrar(this);
}

void CMainFrame::Contenido() {
    CAyuda::Mostrar(this);
}

void CMainFrame::AcercaDe() {
    CDlgAcercaDe dlg(this);
    dlg.exec();
}
