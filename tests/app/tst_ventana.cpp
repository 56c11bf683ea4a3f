// The main window: start-up, the palette and its enabling rules, the practice commands,
// titles, the speed slider, the browser and the close prompt.
#include "Respuestas.h"
#include "app/Aplicacion.h"
#include "app/Ayuda.h"
#include "app/CamposEditor.h"
#include "app/DlgAbrirPractica.h"
#include "app/DlgEditorPractica.h"
#include "app/DlgPreferencias.h"
#include "app/MainFrame.h"
#include "app/NotasView.h"
#include "app/OrdenesMarco.h"
#include "app/Presentacion.h"
#include "bench/AccesibleMesa.h"
#include "bench/CampoNumero.h"
#include "bench/ChildView.h"
#include "bench/DlgMateriales.h"
#include "bench/DlgPropiedades.h"
#include "bench/DlgTitulacion.h"
#include "bench/MesaConBarras.h"
#include "document/EditorPractica.h"
#include "document/Historial.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Rtf.h"
#include "document/Rutas.h"
#include "equipment/Calentadores.h"
#include "equipment/Destilacion.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Instrumentos.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>

#include <unistd.h>

// Closes the dialog when the scope ends, whichever check ended it.
struct AlSalirCerrar {
    QDialog& d;
    ~AlSalirCerrar() {
        if (d.isVisible())
            d.done(QDialog::Rejected);
    }
};

class TestVentana : public QObject {
    Q_OBJECT
    CPractica* m_pPractica = nullptr;
    CMainFrame* m_pMarco = nullptr;
    QTemporaryDir m_dir;
    QTemporaryDir m_dirAjustes; // the settings of these tests, never the user's
    QStringList m_mensajes;     // what the message boxes would have said

    CChildView* Mesa() { return m_pMarco->m_pVistaMesa; }
    bool Activa(int nId) { return m_pMarco->Accion(nId)->isEnabled(); }
    void Seleccionar(CEquipo* e) {
        Mesa()->LimpiarSeleccion();
        Mesa()->m_pSeleccion = e;
        if (e)
            e->m_bSeleccionado = 1;
        m_pMarco->ActualizarEstados();
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dirAjustes.path());
        // "Mis prácticas" lives in the data folder of these tests, never in the user's.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dirAjustes.filePath("datos")));
    }
    void init() {
        // Every test starts as a first run: nothing remembered.
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Korvex Soft", "Alkor").clear();
        prueba::AnotarMensajes(&m_mensajes);
        m_pPractica = new CPractica;
        m_pMarco = new CMainFrame(*m_pPractica);
        // Replacing a changed bench asks; the tests answer No unless they ask otherwise.
        m_pMarco->m_fnPreguntaCierre = [] { return int(QMessageBox::No); };
        m_pMarco->resize(1200, 800);
        m_pMarco->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pMarco));
    }
    void cleanup() {
        m_pMarco->m_fnPreguntaCierre = [] { return int(QMessageBox::No); };
        delete m_pMarco;
        delete m_pPractica;
        prueba::MostrarMensajes();
    }

    void alArrancar() {
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor Vol. 1"));
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QVERIFY(m_pMarco->m_pNotas->Editor()->toPlainText().isEmpty());
        QCOMPARE(m_pMarco->m_pSliderVelocidad->value(), 3);
        QVERIFY(m_pMarco->m_pSliderVelocidad->isEnabled());
        QCOMPARE(Mesa()->m_nTicksPorPaso, 3);
        QVERIFY(Mesa()->TimerActivo());
        QCOMPARE(m_pMarco->Accion(ID_GUARDAR_PRACTICA)->statusTip(), QString("Guarda la practica"));
        QCOMPARE(m_pMarco->Accion(ID_EQUIPO_VASO250)->toolTip(), QString("Vaso pp 250 ml"));
        // The twenty buttons of the toolbar, and undo and redo beside saving.
        QCOMPARE(m_pMarco->m_pToolBar->actions().size(), 22);
        // Every menu command, and every submenu, has one access key, unique in its menu.
        std::function<void(const QString&, const QList<QAction*>&)> teclas;
        teclas = [&](const QString& strMenu, const QList<QAction*>& acciones) {
            QSet<QChar> usadas;
            for (QAction* a : acciones) {
                if (a->isSeparator() || a->text() == "(ninguna)")
                    continue;
                const QString t = a->text();
                const qsizetype i = t.indexOf('&');
                QVERIFY2(i >= 0 && i + 1 < t.size() && t.count('&') == 1, qPrintable(t));
                const QChar c = t[i + 1].toLower();
                QVERIFY2(!usadas.contains(c), qPrintable(strMenu + " > " + t));
                usadas.insert(c);
                if (a->menu())
                    teclas(t, a->menu()->actions());
            }
        };
        teclas("", m_pMarco->menuBar()->actions());
        // The help lists the keys of the bench.
        CAyuda* ayuda = CAyuda::Mostrar(m_pMarco);
        ayuda->m_pNavegador->setSource(QUrl("qrc:/ayuda/mesa.html"));
        const QString strAyuda = ayuda->m_pNavegador->toPlainText();
        for (const char* pszTecla : {"Mayús+Tab", "Mayús+F10", "Supr", "Intro", "Esc", "Ctrl+0"})
            QVERIFY2(strAyuda.contains(QString::fromUtf8(pszTecla)), pszTecla);
        ayuda->close();
        // Qt's own buttons and dialogs speak Spanish too.
        QVERIFY(CAplicacion::CargarTraducciones());
        QDialogButtonBox botones(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(botones.button(QDialogButtonBox::Ok)->text(), QString("Aceptar"));
        QCOMPARE(botones.button(QDialogButtonBox::Cancel)->text(), QString("Cancelar"));
    }

    void insertarYHabilitar() {
        const QPoint ptInsercion = Mesa()->PuntoInsercion();
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(2));
        CEquipo* primero = m_pPractica->m_listaEquipo.front();
        CEquipo* segundo = m_pPractica->m_listaEquipo.back();
        // The new item is selected and the bench has the keyboard: the arrows move it at once.
        QCOMPARE(Mesa()->m_pSeleccion, primero);
        QVERIFY(Mesa()->hasFocus() || !m_pMarco->isActiveWindow());
        QVERIFY(Activa(ID_AGUA));
        QCOMPARE(QPoint(segundo->m_x + segundo->m_cx / 2, segundo->m_y + segundo->m_cy),
                 ptInsercion);
        // The second one does not hide behind the first: it takes the nearest free spot.
        QVERIFY(!primero->m_rcArea.intersects(segundo->m_rcArea));
        QVERIFY((primero->m_rcArea.center() - segundo->m_rcArea.center()).manhattanLength() <=
                primero->m_cx + 16);
        QVERIFY(Mesa()->AreaVisible().contains(primero->m_rcArea));
        // A click selects what is drawn under it; the empty corner of a beaker's rectangle
        // lets the click through to the bench.
        Mesa()->SelectAt(primero->m_rcArea.center() + QPoint(0, primero->m_cy / 4));
        QCOMPARE(Mesa()->m_pSeleccion, primero);
        m_pMarco->Accion(ID_EQUIPO_ERLENMEYER250)->trigger();
        CEquipo* matraz = m_pPractica->m_listaEquipo.front();
        Mesa()->SelectAt(matraz->m_rcArea.topLeft() + QPoint(2, 2));
        QVERIFY(!Mesa()->m_pSeleccion);
        Mesa()->SelectAt(matraz->m_rcArea.center() + QPoint(0, matraz->m_cy / 4));
        QCOMPARE(Mesa()->m_pSeleccion, matraz);

        const int materiales[] = {ID_AGUA,     ID_REACTIVO,  ID_INDICADORES, ID_VER_PROPIEDADES,
                                  ID_DECANTAR, ID_TRANSFERIR};
        Seleccionar(nullptr);
        for (int nId : materiales)
            QVERIFY(!Activa(nId));
        m_pMarco->Accion(ID_EQUIPO_MECHERO)->trigger();
        Seleccionar(m_pPractica->m_listaEquipo.front());
        for (int nId : materiales)
            QVERIFY(!Activa(nId));
        auto* v = static_cast<CRecipiente*>(segundo);
        Seleccionar(v);
        QVERIFY(Activa(ID_AGUA) && Activa(ID_REACTIVO) && Activa(ID_INDICADORES) &&
                Activa(ID_VER_PROPIEDADES));
        QVERIFY(!Activa(ID_DECANTAR) && !Activa(ID_TRANSFERIR));
        v->AddComponent(1, 1.0, UNIDAD_GRAMOS); // only a solid
        m_pMarco->ActualizarEstados();
        QVERIFY(Activa(ID_TRANSFERIR) && !Activa(ID_DECANTAR));
        QVERIFY(m_pMarco->Accion(ID_DECANTAR)->statusTip().contains("«Transferir»"));
        v->AddComponent(0, 10.0, UNIDAD_ML);
        m_pMarco->ActualizarEstados();
        QVERIFY(Activa(ID_DECANTAR));
        // The insert commands and the practice commands are always there.
        QVERIFY(Activa(ID_EQUIPO_CALORIMETRO) && Activa(ID_LIMPIAR_MESA));
        // Clearing keeps the practice and empties the bench and the selection.
        m_pMarco->Accion(ID_LIMPIAR_MESA)->trigger();
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QVERIFY(!Mesa()->m_pSeleccion);
        QVERIFY(Mesa()->TimerActivo());
    }

    void practicasYTitulos() {
        m_pMarco->m_pSliderVelocidad->setValue(5);
        Mesa()->m_nTicksPorPaso = 1;
        m_pMarco->Accion(ID_EQUIPO_VASO100)->trigger();
        QVERIFY2(m_pMarco->IniciarPractica(903), qPrintable(m_mensajes.join("; ")));
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Titulación ácido base"));
        QCOMPARE(m_pMarco->m_pSliderVelocidad->value(), 3);
        QCOMPARE(Mesa()->m_nTicksPorPaso, 3);
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QCOMPARE(m_pPractica->m_catalogo.NumIndicadores(), 3);
        QCOMPARE(m_pMarco->m_pNotas->Seccion(), int(CNotasView::SECCION_MARCO));
        QVERIFY(!m_pMarco->m_pNotas->Editor()->toPlainText().isEmpty());

        // Saving sets the title; a practice that forbids the speed control disables it.
        m_pPractica->m_strPractica = "Mi titulación";
        m_pPractica->m_bVelocidad = 0;
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        const QString ruta = m_dir.filePath("mia.uak1");
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Mi titulación *"));
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Mi titulación (mia.uak1)"));
        QCOMPARE(m_pMarco->statusBar()->currentMessage(), "Práctica guardada en " + ruta);
        QVERIFY(m_pMarco->AbrirPractica(ruta));
        QVERIFY(!m_pMarco->m_pSliderVelocidad->isEnabled());
        QCOMPARE(Mesa()->m_nTicksPorPaso, 3);
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));

        // A damaged file leaves everything as it was and says so.
        const QString mala = m_dir.filePath("mala.uak1");
        QFile f(mala);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x05Otra!\x00\x06korvex\x05Vol.1\x01\x00", 22);
        f.close();
        Mesa()->SelectAt(m_pPractica->m_listaEquipo.front()->m_rcArea.center() + QPoint(0, 20));
        CEquipo* pSeleccion = Mesa()->m_pSeleccion;
        QVERIFY(pSeleccion);
        QVERIFY(!m_pMarco->AbrirPractica(mala));
        QCOMPARE(m_mensajes.size(), 1);
        QCOMPARE(m_mensajes[0], mala + " no es un archivo de práctica o está dañado: el archivo "
                                       "termina antes de tiempo.");
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Mi titulación (mia.uak1)"));
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        QCOMPARE(Mesa()->m_pSeleccion, pSeleccion);
        QCOMPARE(m_pPractica->m_catalogo.NumIndicadores(), 3);
        QVERIFY(Mesa()->TimerActivo());
        QCOMPARE(m_pPractica->m_bOcupado, 0);

        // A template file (as the desktop hands it over) is not a saved practice: read as one
        // it is the wrong format and changes nothing; read as a template it starts its practice.
        const QString plantilla = m_dir.filePath("titulacion.akp");
        QFile fp(plantilla);
        QVERIFY(fp.open(QIODevice::WriteOnly) && fp.write(Plantillas::Bytes(903)) > 0);
        fp.close();
        m_mensajes.clear();
        QVERIFY(!m_pMarco->AbrirPractica(plantilla));
        QCOMPARE(m_mensajes, QStringList{"- Formato incompatible -"});
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        QVERIFY(m_pMarco->AbrirPractica(plantilla, true));
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Titulación ácido base"));
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QVERIFY(m_pMarco->m_pSliderVelocidad->isEnabled());
    }

    // Every bench action undoes to the bytes saved just before it and redoes to the bytes
    // saved just after it, and the menu says which action it is.
    void deshacerYRehacer() {
        QVERIFY(m_pMarco->IniciarPractica(903));
        Mesa()->StopTimer();
        CListaEquipo& l = m_pPractica->m_listaEquipo;
        auto poner = [&l](CEquipo* e, int x, int y) {
            e->SetPosition(x, y);
            l.AgregarAlFinal(e);
            return e;
        };
        auto* parrilla = poner(new CParrilla, 60, 450);
        auto* vaso = poner(new CVaso250, 0, 0);
        vaso->SetPosition(parrilla->m_x + parrilla->m_cx / 2 - vaso->m_cx / 2,
                          parrilla->m_y - vaso->m_cy);
        static_cast<CRecipiente*>(vaso)->AddComponent(0, 100.0, UNIDAD_ML);
        auto* balanza = poner(new CBalanza, 400, 500);
        auto* pesado = poner(new CVaso100, 0, 0);
        pesado->SetPosition(balanza->m_x + balanza->m_cx / 2 - pesado->m_cx / 2,
                            balanza->m_y - pesado->m_cy);
        static_cast<CRecipiente*>(pesado)->AddComponent(0, 30.0, UNIDAD_ML);
        auto* bureta = poner(new CBureta50, 800, 60);
        poner(new CVaso100, 790, 60 + bureta->m_cy + 9);
        static_cast<CRecipiente*>(bureta)->AddReagent(0, 20.0);
        poner(new CErlenmeyer250, 600, 300);
        l.PasoSimulacion(); // the balance reads what stands on it
        m_pMarco->m_pHistorial->Tomar();

        // The items come back as new objects: each action finds its own by its place in the
        // list (a placed item goes first: 0 new beaker, 1 hot plate, 2 its beaker, 3 balance,
        // 4 weighed beaker, 5 burette, 6 beaker under it, 7 flask).
        auto n = [&l](int nIndice) {
            auto it = l.begin();
            std::advance(it, nIndice);
            return *it;
        };
        auto comando = [this, &n](int nIndice, int nComando) {
            return [this, &n, nIndice, nComando] {
                Seleccionar(n(nIndice));
                Mesa()->Comando(nComando);
            };
        };
        const struct {
            const char* pszAccion;
            std::function<void()> fn;
        } acciones[] = {
            {"Colocar Vaso de presipitados 100 ml",
             [this] { m_pMarco->InsertarEquipo(int(TipoEquipo::Vaso100)); }},
            {"Agregar agua",
             [&] {
                 prueba::AlAbrirse<CDlgAgua>([](CDlgAgua& d) {
                     d.m_pAdicionar->Edit()->setText("50");
                     d.accept();
                 });
                 comando(7, ID_AGREGAR_AGUA)();
             }},
            {"Agregar reactivo",
             [&] {
                 prueba::AlAbrirse<CDlgReactivo>([](CDlgReactivo& d) {
                     d.m_pLista->setCurrentRow(1);
                     d.m_pCantidad->Edit()->setText("25");
                     d.accept();
                 });
                 comando(7, ID_AGREGAR_REACTIVO)();
             }},
            {"Agregar indicador",
             [&] {
                 prueba::AlAbrirse<CDlgIndicador>([](CDlgIndicador& d) {
                     d.m_pLista->setCurrentRow(1);
                     d.accept();
                 });
                 comando(7, ID_AGREGAR_INDICADOR)();
             }},
            {"Decantar",
             [&] {
                 Seleccionar(n(2));
                 Mesa()->BeginDecant();
                 Mesa()->TerminarVertido(n(7));
             }},
            {"Mover Vaso de presipitados 100 ml",
             [&] {
                 Seleccionar(n(0));
                 Mesa()->setFocus();
                 QTest::keyClick(Mesa(), Qt::Key_Right, Qt::ShiftModifier);
             }},
            {"Rotular",
             [&] {
                 Seleccionar(n(0));
                 // Typed and closed at once: the label stays all the same.
                 prueba::AlAbrirse<CDlgPropiedades>([](CDlgPropiedades& d) {
                     d.m_pRotulo->setText("A1");
                     d.close();
                 });
                 m_pMarco->Propiedades();
             }},
            {"Nivel 3", comando(1, ID_NIVEL3)},
            {"Tarar", comando(3, ID_TARAR)},
            {"Eliminar contenido", comando(7, ID_ELIMINAR_CONTENIDO)},
            {"Titulación",
             [&] {
                 Seleccionar(n(5));
                 m_pMarco->OnUM_TITULAR();
                 m_pMarco->m_pDlgTitulacion->m_titulacion.m_nApertura = 17;
                 for (int i = 0; i < 3; ++i)
                     m_pMarco->OnUM_TICK();
                 m_pMarco->OnUM_FIN_TITULAR();
             }},
            {"Eliminar Vaso de presipitados 250 ml", comando(2, ID_ELIMINAR)},
            {"Limpiar mesa de trabajo", [this] { m_pMarco->LimpiarMesa(); }},
        };
        // The saved practice and what its items show but no file keeps (a hot plate's
        // level, a balance's tare), with the bench painted as it is on screen.
        auto bytes = [this] {
            Mesa()->grab();
            return CHistorial::Instantanea(*m_pPractica);
        };
        int nSeleccionGuardada = 0;
        for (const auto& a : acciones) {
            const auto antes = bytes();
            a.fn();
            const auto despues = bytes();
            QVERIFY2(despues != antes, a.pszAccion);
            QCOMPARE(m_pMarco->Accion(ID_DESHACER)->text().remove('&'),
                     QStringLiteral("Deshacer %1").arg(QString::fromUtf8(a.pszAccion)));
            QVERIFY(Activa(ID_DESHACER) && !Activa(ID_REHACER));
            QVERIFY(m_pMarco->windowTitle().endsWith(" *"));
            // An item that stays on the bench stays selected through undo, its menus on.
            auto indice = [&l](const CEquipo* e) {
                return std::distance(l.begin(), std::find(l.begin(), l.end(), e));
            };
            const bool bSigue = Mesa()->m_pSeleccion != nullptr;
            const auto nSeleccion = indice(Mesa()->m_pSeleccion);
            const size_t nItems = l.size();
            m_pMarco->Accion(ID_DESHACER)->trigger();
            QVERIFY2(bytes() == antes, a.pszAccion);
            if (bSigue && l.size() == nItems) {
                QVERIFY2(Mesa()->m_pSeleccion && indice(Mesa()->m_pSeleccion) == nSeleccion,
                         a.pszAccion);
                ++nSeleccionGuardada;
            }
            QVERIFY(Activa(ID_REHACER));
            m_pMarco->Accion(ID_REHACER)->trigger();
            QVERIFY2(bytes() == despues, a.pszAccion);
        }
        QVERIFY(nSeleccionGuardada >= 5);
        // Undone back to the start, the practice is the one started: no star, nothing to ask.
        while (Activa(ID_DESHACER))
            m_pMarco->Accion(ID_DESHACER)->trigger();
        QVERIFY(!m_pMarco->Modificada());
        QVERIFY(!m_pMarco->windowTitle().endsWith(" *"));
        QVERIFY(m_mensajes.isEmpty());
    }

    // Clearing the distillation set and undoing it brings every piece back, assembled.
    void deshacerLimpiarConEnsambles() {
        QVERIFY(m_pMarco->IniciarPractica(901));
        Mesa()->StopTimer();
        CListaEquipo& l = m_pPractica->m_listaEquipo;
        auto* m = new CMatrazBalon;
        m->SetPosition(300, 200);
        l.AgregarAlFinal(m);
        m->AddReagent(0, 100.0);
        m->PonerCabeza(l);
        m->PonerCondensador(l);
        m->PonerCodo(l);
        m_pMarco->m_pHistorial->Tomar();
        const auto antes = m_pPractica->EscribirPractica();
        const size_t nAntes = l.size();
        // Supr on a piece does what its menu allows (nothing) and says where the set comes
        // apart; a set not yet complete comes off with its flask.
        Seleccionar(m->m_pCondensador);
        Mesa()->setFocus();
        QTest::keyClick(Mesa(), Qt::Key_Delete);
        QCOMPARE(l.size(), nAntes);
        QCOMPARE(m_pMarco->statusBar()->currentMessage(),
                 QString("Condensador forma parte del montaje de Matraz de balón 250 ml: se "
                         "retira con «Eliminar equipo de destilación», en el menú de este."));
        m_pMarco->LimpiarMesa();
        QVERIFY(l.empty());
        m_pMarco->Accion(ID_DESHACER)->trigger();
        QCOMPARE(l.size(), nAntes);
        QVERIFY(m_pPractica->EscribirPractica() == antes);
        for (CEquipo* e : l)
            if (auto* b = dynamic_cast<CMatrazBalon*>(e))
                QVERIFY(b->m_pCabeza && l.Contiene(b->m_pCabeza));
        auto* m2 = new CMatrazBalon;
        m2->SetPosition(700, 200);
        l.AgregarAlFinal(m2);
        m2->PonerCabeza(l);
        Seleccionar(m2->m_pCabeza);
        QTest::keyClick(Mesa(), Qt::Key_Delete);
        QVERIFY(l.Contiene(m2->m_pCabeza));
        QVERIFY(m_pMarco->statusBar()->currentMessage().contains("se retira con él"));
    }

    void titularSinReceptor() {
        auto* b = new CBureta50;
        b->SetPosition(100, 100);
        m_pPractica->m_listaEquipo.AgregarAlFinal(b);
        Seleccionar(b);
        m_pMarco->OnUM_TITULAR();
        QCOMPARE(m_mensajes, QStringList{"No esta definido el equipo para titulación"});
        // A vessel whose mouth is 9 pixels from the burette's tip receives it.
        auto* v = new CVaso100;
        v->SetPosition(90, 100 + b->m_cy + 9);
        m_pPractica->m_listaEquipo.AgregarAlFinal(v);
        m_pMarco->OnUM_TITULAR();
        QVERIFY(m_pMarco->m_bTitulando);
        CDlgTitulacion* t = m_pMarco->m_pDlgTitulacion;
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->Bureta(), b);
        QCOMPARE(t->Receptor(), v);
        // The window does not cover the burette it controls.
        const QRect rcBureta(Mesa()->mapToGlobal(b->m_rcArea.topLeft() + Mesa()->m_ptOrigen),
                             b->m_rcArea.size());
        QVERIFY(!t->frameGeometry().intersects(rcBureta));
        // Every tick, whatever the speed, drips through the open stopcock.
        b->AddComponent(0, 5.0, UNIDAD_ML);
        t->m_titulacion.m_nApertura = 17;
        Mesa()->m_nTicksPorPaso = 5;
        QVERIFY(!m_pMarco->windowTitle().endsWith(" *"));
        for (int i = 0; i < 4; ++i)
            m_pMarco->OnUM_TICK();
        QCOMPARE(b->m_lstTitulacion.size(), size_t(4));
        // The drops changed the practice: the title says so at once, not when the window
        // closes.
        QVERIFY(m_pMarco->Modificada());
        QVERIFY(m_pMarco->windowTitle().endsWith(" *"));
        QVERIFY(std::fabs(v->VolumenLiquido() - 0.2) < 1e-9);
        // Saved mid-titration, the drops so far are saved and undone as one step; the next
        // drop marks the practice again.
        QVERIFY(m_pMarco->GuardarPractica(m_dir.filePath("titulando.uak1")));
        QVERIFY(!m_pMarco->windowTitle().endsWith(" *"));
        QCOMPARE(m_pMarco->m_pHistorial->Pila().undoText(), QString("Titulación"));
        m_pMarco->OnUM_TICK();
        QVERIFY(m_pMarco->windowTitle().endsWith(" *"));
        m_pMarco->OnUM_GRAFICA(b);
        QVERIFY(m_pMarco->m_bGraficando && m_pMarco->m_pDlgGrafica->isVisible());
        // "Titular" again while the window is open changes nothing.
        m_pMarco->OnUM_TITULAR();
        QCOMPARE(t->Bureta(), b);
        // Deleting the vessel under it stops the drops, and the student is told.
        Seleccionar(v);
        Mesa()->Comando(ID_ELIMINAR);
        QVERIFY(!m_pMarco->m_bTitulando && !t->isVisible());
        QTRY_COMPARE(m_mensajes.size(), 2);
        QVERIFY(m_mensajes[1].startsWith("Se retiró el recipiente"));
        // Deleting the burette closes its windows and leaves none holding it.
        v = new CVaso100;
        v->SetPosition(90, 100 + b->m_cy + 9);
        m_pPractica->m_listaEquipo.AgregarAlFinal(v);
        Seleccionar(b);
        m_pMarco->OnUM_TITULAR();
        QVERIFY(t->isVisible());
        Mesa()->Comando(ID_ELIMINAR);
        QVERIFY(!t->Bureta() && !t->isVisible() && !m_pMarco->m_bTitulando);
        QVERIFY(!m_pMarco->m_pDlgGrafica->m_pBureta && !m_pMarco->m_pDlgGrafica->isVisible());
        m_pMarco->OnUM_TICK();
        m_pMarco->m_pDlgGrafica->m_pGrafica->repaint();
        QCOMPARE(m_mensajes.size(), 2);
    }

    // Undoing another action keeps the titration curve and the volume delivered: they last
    // until "Inicializar grafica". An open graph follows its burette onto the restored bench.
    void deshacerConservaLaCurva() {
        auto* b = new CBureta50;
        b->SetPosition(100, 100);
        m_pPractica->m_listaEquipo.AgregarAlFinal(b);
        auto* v = new CVaso100;
        v->SetPosition(90, 100 + b->m_cy + 9);
        m_pPractica->m_listaEquipo.AgregarAlFinal(v);
        auto* otro = new CVaso250;
        otro->SetPosition(400, 100);
        m_pPractica->m_listaEquipo.AgregarAlFinal(otro);
        b->AddComponent(0, 20.0, UNIDAD_ML);
        CListaEquipo& l = m_pPractica->m_listaEquipo;
        const auto nBureta = std::distance(l.begin(), std::find(l.begin(), l.end(), b));
        auto bureta = [&] { return static_cast<CRecipiente*>(*std::next(l.begin(), nBureta)); };
        m_pMarco->m_pHistorial->Tomar();
        Seleccionar(b);
        m_pMarco->OnUM_TITULAR();
        m_pMarco->m_pDlgTitulacion->m_titulacion.m_nApertura = 17;
        for (int i = 0; i < 6; ++i)
            m_pMarco->OnUM_TICK();
        m_pMarco->m_pDlgTitulacion->close();
        QVERIFY(!m_pMarco->m_bTitulando);
        QCOMPARE(b->m_lstTitulacion.size(), size_t(6));
        m_pMarco->OnUM_GRAFICA(b);
        prueba::AlAbrirse<CDlgAgua>([](CDlgAgua& d) {
            d.m_pAdicionar->Edit()->setText("5");
            d.accept();
        });
        Seleccionar(otro);
        Mesa()->Comando(ID_AGREGAR_AGUA);
        QCOMPARE(m_pMarco->m_pHistorial->Pila().undoText(), QString("Agregar agua"));
        m_pMarco->Deshacer(true);
        CRecipiente* nueva = bureta();
        QCOMPARE(nueva->m_nTipo, int32_t(TipoEquipo::Bureta50));
        QCOMPARE(nueva->m_lstTitulacion.size(), size_t(6));
        QVERIFY(std::fabs(nueva->m_dTitulado - 0.30) < 1e-9);
        QCOMPARE(m_pMarco->m_pDlgGrafica->m_pBureta, nueva);
        QVERIFY(m_pMarco->m_bGraficando && m_pMarco->m_pDlgGrafica->isVisible());
        // Undoing the titration itself takes its drops and its points away.
        m_pMarco->Deshacer(true);
        nueva = bureta();
        QVERIFY(nueva->m_lstTitulacion.empty());
        QCOMPARE(nueva->m_dTitulado, 0.0);
    }

    // An item dropped out of sight comes back to the edge; "Mostrar todo el equipo" pans
    // until every item is in view.
    void equipoSiempreAlAlcance() {
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        CEquipo* v = m_pPractica->m_listaEquipo.front();
        const QPoint desde = Mesa()->m_ptOrigen + v->m_rcArea.center() + QPoint(0, 20);
        QTest::mousePress(Mesa(), Qt::LeftButton, {}, desde);
        QTest::mouseMove(Mesa(), QPoint(-400, desde.y()));
        QTest::mouseRelease(Mesa(), Qt::LeftButton, {}, QPoint(-400, desde.y()));
        QCOMPARE(v->m_rcArea.left(), Mesa()->AreaVisible().left());
        v->MoveBy(-3000, 2000); // as a file or an old pan could leave it
        m_pMarco->Accion(ID_MOSTRAR_TODO)->trigger();
        QVERIFY(Mesa()->AreaVisible().contains(v->m_rcArea));
    }

    void navegadorDePracticas() {
        CDlgAbrirPractica plantillas(m_pMarco);
        QCOMPARE(plantillas.windowTitle(), QString("Seleccione la práctica a iniciar"));
        QVERIFY(plantillas.m_pArbol->isHidden());
        // Three groups; with no shared folder chosen, the third says where to choose one.
        QTreeWidget* l = plantillas.m_pLista;
        QCOMPARE(l->topLevelItemCount(), 3);
        QCOMPARE(l->topLevelItem(0)->text(0), QString("Prácticas incluidas"));
        QCOMPARE(l->topLevelItem(0)->childCount(), Plantillas::kNumIncluidas);
        QTreeWidgetItem* pTitulacion = l->topLevelItem(0)->child(3);
        QCOMPARE(pTitulacion->text(0), QString("Titulación ácido-base"));
        QCOMPARE(pTitulacion->text(2), Plantillas::Autor(903));
        QCOMPARE(l->topLevelItem(1)->text(0), QString("Mis prácticas"));
        QVERIFY(QFileInfo(Preferencias::CarpetaPropia()).isDir()); // made on demand
        QVERIFY(l->topLevelItem(1)->child(0)->text(0).startsWith("Todavía no hay prácticas"));
        QVERIFY(l->topLevelItem(2)->child(0)->text(0).contains("Preferencias"));
        QVERIFY(!plantillas.Elegir()); // nothing selected: nothing happens
        l->setCurrentItem(l->topLevelItem(0));
        QVERIFY(!plantillas.Elegir()); // a heading is no practice
        l->setCurrentItem(pTitulacion);
        QVERIFY(plantillas.Elegir());
        QCOMPARE(plantillas.m_nRecurso, 903);

        // A shared folder with a saved practice and a damaged file; a template imported
        // twice into "Mis prácticas" takes a free name the second time, and says so.
        QTemporaryDir red;
        CPractica guardada;
        guardada.m_strPractica = "De la red";
        guardada.m_strAutor = "Departamento de Química";
        QVERIFY(guardada.GuardarPractica(red.filePath("red.uak1")) ==
                CPractica::Resultado::Correcto);
        {
            QFile f(red.filePath("rota.akp"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(Plantillas::Bytes(902).left(500));
            QFile g(red.filePath("plantilla.akp"));
            QVERIFY(g.open(QIODevice::WriteOnly));
            g.write(Plantillas::Bytes(902));
        }
        CDlgPreferencias preferencias(m_pMarco);
        preferencias.m_pCompartida->setText(red.path());
        preferencias.accept();
        QCOMPARE(Preferencias::CarpetaCompartida(), red.path());
        CDlgAbrirPractica biblioteca(m_pMarco);
        l = biblioteca.m_pLista;
        // The shared folder is read in the background: first a word, then its files.
        QVERIFY(biblioteca.Leyendo());
        QCOMPARE(l->topLevelItem(2)->child(0)->text(0), QString("Leyendo la carpeta compartida…"));
        QTRY_VERIFY(!biblioteca.Leyendo());
        QCOMPARE(l->topLevelItem(2)->text(0), QString("Prácticas compartidas"));
        QCOMPARE(l->topLevelItem(2)->childCount(), 3);
        biblioteca.m_fnElegirImportacion = [&] { return red.filePath("plantilla.akp"); };
        biblioteca.m_pImportar->click();
        biblioteca.m_pImportar->click();
        QCOMPARE(m_mensajes.size(), 1);
        QVERIFY(m_mensajes.constLast().contains("se guardó como plantilla (2).akp"));
        QCOMPARE(l->topLevelItem(1)->childCount(), 2);
        QTreeWidgetItem* pImportada = l->currentItem();
        QVERIFY(pImportada && pImportada->parent() == l->topLevelItem(1));
        QCOMPARE(pImportada->toolTip(0).section('\n', 0, 0),
                 QDir::toNativeSeparators(Preferencias::CarpetaPropia() + "/plantilla (2).akp"));
        biblioteca.m_fnElegirImportacion = [&] { return red.filePath("rota.akp"); };
        biblioteca.m_pImportar->click();
        QVERIFY(m_mensajes.constLast().startsWith("rota.akp no es una práctica ni una plantilla"));
        QCOMPARE(l->topLevelItem(1)->childCount(), 2);
        QTRY_VERIFY(!biblioteca.Leyendo());
        QVERIFY(l->currentItem() && l->currentItem()->parent() == l->topLevelItem(1));
        // The damaged file is greyed with its reason; the saved practice shows its author.
        QTreeWidgetItem* pRed = nullptr;
        QTreeWidgetItem* pRota = nullptr;
        for (int i = 0; i < l->topLevelItem(2)->childCount(); ++i) {
            QTreeWidgetItem* it = l->topLevelItem(2)->child(i);
            if (it->text(0) == "De la red")
                pRed = it;
            if (it->text(0) == "rota.akp")
                pRota = it;
        }
        QVERIFY(pRed && pRota);
        QCOMPARE(pRed->text(2), QString("Departamento de Química"));
        QVERIFY(pRota->isDisabled());
        QCOMPARE(pRota->text(1),
                 QString("rota.akp está dañado: el archivo termina antes de tiempo."));
        l->setCurrentItem(pRota);
        QVERIFY(l->currentItem() != pRota); // it cannot even be selected
        // A file gone since the listing: said, and the list is read again.
        QVERIFY(QFile::remove(red.filePath("plantilla.akp")));
        QTreeWidgetItem* pPlantilla = nullptr;
        for (int i = 0; i < l->topLevelItem(2)->childCount(); ++i)
            if (l->topLevelItem(2)->child(i)->toolTip(0).startsWith(
                    QDir::toNativeSeparators(red.filePath("plantilla.akp"))))
                pPlantilla = l->topLevelItem(2)->child(i);
        QVERIFY(pPlantilla);
        l->setCurrentItem(pPlantilla);
        QVERIFY(!biblioteca.Elegir());
        QVERIFY(m_mensajes.constLast().contains("ya no está en"));
        QTRY_VERIFY(!biblioteca.Leyendo());
        QCOMPARE(l->topLevelItem(2)->childCount(), 2);
        // The imported template starts like a built-in one; the saved practice opens.
        QVERIFY(
            m_pMarco->AbrirPractica(Preferencias::CarpetaPropia() + "/plantilla (2).akp", true));
        QVERIFY(m_pMarco->m_strRuta.isEmpty());
        QVERIFY(m_pMarco->AbrirPractica(red.filePath("red.uak1")));
        QCOMPARE(m_pPractica->m_strPractica, std::string("De la red"));
        // The list was read again: its rows are new.
        pRed = nullptr;
        for (int i = 0; i < l->topLevelItem(2)->childCount(); ++i)
            if (l->topLevelItem(2)->child(i)->text(0) == "De la red")
                pRed = l->topLevelItem(2)->child(i);
        QVERIFY(pRed);
        l->setCurrentItem(pRed);
        QVERIFY(biblioteca.Elegir());
        QCOMPARE(biblioteca.m_nRecurso, 0);
        QVERIFY(!biblioteca.m_bPlantillaElegida);
        QCOMPARE(biblioteca.m_strArchivo, red.filePath("red.uak1"));
        // "Iniciar práctica" with a template of "Mis prácticas" starts it as a new practice.
        QTimer::singleShot(50, this, [] {
            auto* dlg = qobject_cast<CDlgAbrirPractica*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            QTreeWidgetItem* pPropias = dlg->m_pLista->topLevelItem(1);
            dlg->m_pLista->setCurrentItem(pPropias->child(0));
            if (!dlg->Elegir())
                dlg->reject();
        });
        m_pPractica->m_strPractica.clear();
        m_pMarco->Accion(ID_INICIAR_PRACTICA)->trigger();
        std::string strNombre, strResumen;
        CPractica::LeerCabecera(Preferencias::CarpetaPropia() + "/plantilla.akp", strNombre,
                                strResumen);
        QCOMPARE(m_pPractica->m_strPractica, strNombre);
        QVERIFY(m_pMarco->m_strRuta.isEmpty());
        Preferencias::SetCarpetaCompartida({});
        QVERIFY(QDir(Preferencias::CarpetaPropia()).removeRecursively());

        // File mode lists only the exact extension, read from each file's head.
        QTemporaryDir carpeta;
        CPractica p;
        p.m_strPractica = "Práctica A";
        p.m_strResumen = "Resumen A";
        QVERIFY(p.GuardarPractica(carpeta.filePath("a.uak1")) == CPractica::Resultado::Correcto);
        QVERIFY(p.GuardarPractica(carpeta.filePath("b.UAK1")) == CPractica::Resultado::Correcto);
        QVERIFY(p.GuardarPractica(carpeta.filePath("c.akp")) == CPractica::Resultado::Correcto);
        // A damaged file listed first hides nothing: it shows greyed with its reason.
        {
            QFile f(carpeta.filePath("0.uak1"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\x40");
        }
        const QString antes = QDir::currentPath();
        QDir::setCurrent(carpeta.path());
        CDlgAbrirPractica archivos(m_pMarco, false);
        QDir::setCurrent(antes);
        QCOMPARE(archivos.windowTitle(), QString("Seleccione la práctica a abrir"));
        QCOMPARE(archivos.m_pLista->topLevelItemCount(), 2);
        QCOMPARE(archivos.m_pLista->topLevelItem(0)->text(0), QString("Práctica A"));
        QCOMPARE(archivos.m_pLista->topLevelItem(0)->text(1), QString("a.uak1"));
        QVERIFY(!archivos.m_pLista->topLevelItem(0)->text(2).isEmpty()); // its date
        QCOMPARE(archivos.m_pLista->topLevelItem(0)->text(3), QString("Resumen A"));
        QTreeWidgetItem* pMala = archivos.m_pLista->topLevelItem(1);
        QCOMPARE(pMala->text(0), QString("0.uak1"));
        QCOMPARE(pMala->text(3),
                 QString("0.uak1 está dañado: el archivo termina antes de tiempo."));
        QVERIFY(pMala->isDisabled());
        QVERIFY(archivos.m_pArbol->currentItem());
        QCOMPARE(QDir(archivos.m_pArbol->RutaDe(archivos.m_pArbol->currentItem())).canonicalPath(),
                 QDir(carpeta.path()).canonicalPath());
        archivos.m_pLista->setCurrentItem(archivos.m_pLista->topLevelItem(0));
        QVERIFY(archivos.Elegir());
        QCOMPARE(QFileInfo(archivos.m_strArchivo).fileName(), QString("a.uak1"));

        // A file damaged past the part the list reads is greyed with its reason when asked
        // for, and says why under the list; a name that is not UTF-8 lists and is chosen by
        // its own bytes.
        {
            QFile a(carpeta.filePath("a.uak1"));
            QVERIFY(a.open(QIODevice::ReadOnly));
            QFile f(carpeta.filePath("larga.uak1"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(a.readAll() + QByteArray(100 * 1024, '\0'));
        }
        const QString cafe =
            Rutas::Decodificar(QFile::encodeName(carpeta.path()) + "/caf\xe9.uak1");
        QVERIFY(p.GuardarPractica(cafe) == CPractica::Resultado::Correcto);
        archivos.ListarCarpeta(carpeta.path());
        QCOMPARE(archivos.m_pLista->topLevelItemCount(), 4);
        QTreeWidgetItem* pLarga = nullptr;
        QTreeWidgetItem* pCafe = nullptr;
        for (int i = 0; i < 4; ++i) {
            QTreeWidgetItem* it = archivos.m_pLista->topLevelItem(i);
            if (it->text(1) == "larga.uak1")
                pLarga = it;
            if (it->text(1) == QString::fromUtf8("caf\uFFFD.uak1"))
                pCafe = it;
        }
        QVERIFY(pLarga && pCafe && !pLarga->isDisabled());
        archivos.m_pLista->setCurrentItem(pLarga);
        QVERIFY(!archivos.Elegir());
        QVERIFY(pLarga->isDisabled());
        const QString strMotivo("larga.uak1 está dañado o no es un archivo de práctica.");
        QCOMPARE(pLarga->toolTip(0), strMotivo);
        QVERIFY(!archivos.m_pEstado->isHidden());
        QCOMPARE(archivos.m_pEstado->text(), strMotivo);
        archivos.m_pLista->setCurrentItem(pCafe);
        QVERIFY(archivos.Elegir());
        QCOMPARE(archivos.m_strArchivo, cafe);
        // So does a folder of that kind in the tree.
        const QString aula = Rutas::Decodificar(QFile::encodeName(carpeta.path()) + "/aula\xe9");
        QVERIFY(::mkdir(Rutas::Codificar(aula).constData(), 0700) == 0);
        QTreeWidgetItem* pAqui = archivos.m_pArbol->currentItem();
        pAqui->setExpanded(false);
        pAqui->setExpanded(true);
        QCOMPARE(pAqui->childCount(), 1);
        QCOMPARE(pAqui->child(0)->text(0), QString::fromUtf8("aula\uFFFD"));
        QCOMPARE(archivos.m_pArbol->RutaDe(pAqui->child(0)),
                 archivos.m_pArbol->RutaDe(pAqui) + Rutas::Decodificar("aula\xe9") + "/");
        ::rmdir(Rutas::Codificar(aula).constData());
        ::unlink(Rutas::Codificar(cafe).constData()); // QTemporaryDir cannot remove it
    }

    // The aqueous data typed into the editor's fields reach the copy's catalogue, with a
    // decimal comma and left empty as the other number fields take them; a bad value keeps
    // "Aceptar" back, naming its field.
    void editorDatosAcuosos() {
        QVERIFY(m_pMarco->IniciarPractica(903));
        CDlgEditorPractica dlg(CEditorPractica::Desde(*m_pPractica), nullptr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        const AlSalirCerrar cerrar{dlg};
        const CCatalogo& cat = dlg.Editor().Catalogo();
        auto pagina = [&](int n) {
            dlg.Paginas()->setCurrentIndex(n);
            return dlg.Paginas()->widget(n);
        };
        auto escribir = [](QWidget* w, const QString& s) {
            auto* e = qobject_cast<QLineEdit*>(w);
            QVERIFY(e);
            e->setFocus();
            e->selectAll();
            QTest::keyClick(e, Qt::Key_Backspace);
            QTest::keyClicks(e, s);
            QTest::keyClick(e, Qt::Key_Return);
        };
        pagina(CDlgEditorPractica::DATOS)->findChild<QComboBox*>("motor")->setCurrentIndex(1);
        QCOMPARE(cat.m_nMotor, MOTOR_EQUILIBRIO);

        // Acetic acid, pKa 4.756 and ΔH −0.41 kJ/mol (CRC Handbook, 25 °C), on a new substance.
        QWidget* s = pagina(CDlgEditorPractica::SUSTANCIAS);
        dlg.m_pListaSustancias->setCurrentRow(0);
        for (QPushButton* b : s->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Agregar copia"))
                b->click();
        const int32_t k = cat.NumComponentes() - 1;
        QCOMPARE(dlg.m_pListaSustancias->currentRow(), k);
        const CAcidoBaseDatos& a = cat.m_componentes[k].m_acidoBase;
        escribir(s->findChild<QLineEdit*>("pKa1"), "4,756");
        escribir(s->findChild<QLineEdit*>("entalpia1"), "-0,41");
        escribir(s->findChild<QLineEdit*>("concentracionColor"), "0,5");
        QCOMPARE(a.m_nPasos, 1);
        QCOMPARE(a.m_pKa[0], 4.756);
        QCOMPARE(a.m_dEntalpia[0], -0.41);
        QCOMPARE(cat.m_componentes[k].m_dConcentracionColor, 0.5);
        escribir(s->findChild<QLineEdit*>("pKa2"), "4");
        m_mensajes.clear();
        dlg.accept();
        QVERIFY(dlg.isVisible());
        QCOMPARE(m_mensajes.size(), 1);
        QVERIFY2(m_mensajes[0].contains(
                     QStringLiteral("«Agua (copia)»: El «pKa2» debe ser mayor que el «pKa1».")),
                 qPrintable(m_mensajes[0]));
        escribir(s->findChild<QLineEdit*>("pKa2"), QString());
        QCOMPARE(a.m_nPasos, 1);
        QVERIFY(s->findChild<QLineEdit*>("pKa2")->text().isEmpty());

        // Bromothymol blue, pKa 7.1 (CRC Handbook): two forms, the third not shown.
        QWidget* i = pagina(CDlgEditorPractica::INDICADORES);
        i->findChild<QListWidget*>()->setCurrentRow(1);
        escribir(i->findChild<QLineEdit*>("pKa1"), "7,1");
        QCOMPARE(cat.m_indicadores[1].m_acidoBase.m_nTransiciones, 1);
        QCOMPARE(cat.m_indicadores[1].m_acidoBase.m_pKa[0], 7.1);
        QVERIFY(i->findChild<QPushButton*>("forma2")->isEnabled());
        QVERIFY(!i->findChild<QPushButton*>("forma3")->isEnabled());

        // The neutralisation with K = 1/Kw (CRC Handbook, 25 °C), its sodium chloride out of Q.
        QWidget* r = pagina(CDlgEditorPractica::REACCIONES);
        dlg.m_pListaReacciones->setCurrentRow(0);
        escribir(r->findChild<QLineEdit*>("k25"), "1e14");
        auto* nacl = r->findChild<QCheckBox*>("fuera4");
        QCOMPARE(nacl->text(), QStringLiteral("NaCl"));
        nacl->click();
        QCOMPARE(cat.m_reacciones[0].m_reversible.m_dK25, 1e14);
        QCOMPARE(cat.m_reacciones[0].m_reversible.m_nFueraDeQ, 1 << 3);
        QVERIFY(!r->findChild<QCheckBox*>("fuera6")->isEnabled()); // an empty slot
        // "Deshacer" takes the box back, then K; the page shows it; "Rehacer" brings both.
        QPushButton* botones[2] = {};
        for (QPushButton* b : dlg.findChildren<QPushButton*>())
            for (int j = 0; j < 2; ++j)
                if (b->text() == (j ? QStringLiteral("&Rehacer") : QStringLiteral("&Deshacer")))
                    botones[j] = b;
        QVERIFY(botones[0] && botones[1] && !botones[1]->isEnabled());
        botones[0]->click();
        botones[0]->click();
        QVERIFY(!cat.m_reacciones[0].m_reversible.Tiene());
        QVERIFY(r->findChild<QLineEdit*>("k25")->text().isEmpty());
        QVERIFY(!nacl->isChecked());
        botones[1]->click();
        botones[1]->click();
        QCOMPARE(r->findChild<QLineEdit*>("k25")->text(), QStringLiteral("100000000000000"));
        QVERIFY(nacl->isChecked());
        // A coefficient typed in an empty slot waits in its box, and the substance chosen
        // next takes it; the slot emptied again has none.
        auto* coef6 = r->findChild<QSpinBox*>("coef6");
        auto* sustancia6 = r->findChild<QComboBox*>("sustancia6");
        coef6->setValue(2);
        QCOMPARE(coef6->value(), 2);
        QCOMPARE(cat.m_reacciones[0].m_nCoefProducto[2], 0);
        sustancia6->setCurrentIndex(1);
        QCOMPARE(cat.m_reacciones[0].m_nProducto[2], sustancia6->currentData().toInt());
        QCOMPARE(cat.m_reacciones[0].m_nCoefProducto[2], 2);
        sustancia6->setCurrentIndex(0);
        QCOMPARE(cat.m_reacciones[0].m_nCoefProducto[2], 0);
        QCOMPARE(coef6->value(), 0);
        m_mensajes.clear();
        dlg.accept();
        QVERIFY2(m_mensajes.isEmpty(), qPrintable(m_mensajes.join('\n')));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

    void listasYTitulosDeLasNotas() {
        // The practice editor's notes behave as in a word processor: a heading for what is
        // typed next, lists that Return continues and ends, a second press that takes the
        // list away, and Ctrl+B while the editor has the focus.
        CDlgEditorPractica dlg(CEditorPractica::EnBlanco(), nullptr);
        dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::NOTAS);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTextEdit* e = dlg.m_pNotas[0];
        e->clear();
        e->setFocus();
        const QList<QAction*> a =
            dlg.Paginas()->widget(CDlgEditorPractica::NOTAS)->findChild<QToolBar*>()->actions();
        a[5]->trigger(); // heading, on the empty first line
        QTest::keyClicks(e, "Material");
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClicks(e, "Vaso");
        a[6]->trigger(); // bullets
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClicks(e, "Balanza");
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClick(e, Qt::Key_Return); // on the empty item: the list ends
        QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClicks(e, "Fin");
        QTextDocument* doc = e->document();
        QCOMPARE(doc->toPlainText(), QString("Material\nVaso\nBalanza\nFin"));
        auto bloque = [&](int n) { return doc->findBlockByNumber(n); };
        auto formato = [&](int n) {
            QTextCursor c(bloque(n));
            c.movePosition(QTextCursor::NextCharacter);
            return c.charFormat();
        };
        QCOMPARE(bloque(0).blockFormat().headingLevel(), 2);
        QVERIFY(formato(0).fontWeight() >= QFont::Bold && formato(0).fontPointSize() == 14.0);
        QCOMPARE(bloque(1).blockFormat().headingLevel(), 0);
        QVERIFY(formato(1).fontWeight() < QFont::Bold);
        QVERIFY(bloque(1).textList() && bloque(1).textList() == bloque(2).textList());
        QVERIFY(!bloque(3).textList());
        QVERIFY(formato(3).fontWeight() >= QFont::Bold);
        // Both items again: the bullets go; numbers twice are no "1. 1.", just none.
        QTextCursor c(bloque(1));
        c.setPosition(bloque(2).position() + 2, QTextCursor::KeepAnchor);
        e->setTextCursor(c);
        a[6]->trigger();
        QVERIFY(!bloque(1).textList() && !bloque(2).textList());
        a[7]->trigger();
        a[7]->trigger();
        QVERIFY(!bloque(1).textList());
        QCOMPARE(doc->toPlainText(), QString("Material\nVaso\nBalanza\nFin"));
        // Down to an empty last line: that line gets no number.
        QTextCursor fin(doc);
        fin.movePosition(QTextCursor::End);
        fin.insertBlock();
        c.setPosition(doc->characterCount() - 1, QTextCursor::KeepAnchor);
        e->setTextCursor(c);
        a[7]->trigger();
        QCOMPARE(bloque(1).textList()->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(bloque(1).textList()->count(), 3);
        QVERIFY(!bloque(4).textList());
        // And the page's notes keep them through the RTF.
        QTextDocument leido;
        Rtf::Leer(Rtf::Escribir(*doc), leido);
        QCOMPARE(leido.findBlockByNumber(3).textList()->itemText(leido.findBlockByNumber(3)),
                 QString("3."));
        QCOMPARE(leido.begin().blockFormat().headingLevel(), 2);
        dlg.reject();
    }

    void notasDeLaPractica() {
        QVERIFY(m_pMarco->IniciarPractica(902));
        CNotasView* n = m_pMarco->m_pNotas;
        QTextEdit* e = n->Editor();
        QVERIFY(e->isReadOnly());
        QVERIFY(e->toPlainText().contains("Reversibilidad"));
        QVERIFY(!e->toPlainText().contains("\\")); // RTF read, not shown raw
        n->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
        QVERIFY(e->isReadOnly());
        n->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QVERIFY(!e->isReadOnly());
        // Showing a section is no edit: Ctrl+Z has nothing to take away.
        QVERIFY(!e->document()->isUndoAvailable());
        e->moveCursor(QTextCursor::End);
        QTest::keyClicks(e, "El solido se volvio blanco a 35 C.");
        // Showing another section keeps what was typed, in the practice itself.
        n->MostrarSeccion(CNotasView::SECCION_MARCO);
        QVERIFY(QString::fromStdString(m_pPractica->m_strResultados).contains("blanco a 35"));
        n->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QVERIFY(e->toPlainText().contains("El solido se volvio blanco a 35 C."));
        // Typing goes into the saved practice.
        e->moveCursor(QTextCursor::End);
        QTest::keyClicks(e, " Fin.");
        const QString ruta = m_dir.filePath("notas.uak1");
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        CPractica leida;
        QVERIFY(leida.AbrirPractica(ruta) == CPractica::Resultado::Correcto);
        QTextDocument doc;
        Rtf::Leer(leida.m_strResultados, doc);
        QVERIFY(doc.toPlainText().contains("blanco a 35 C. Fin."));
        // The results, and only they, have a formatting bar; Ctrl+B, Ctrl+I and Ctrl+U format
        // what is typed next, a bullet hangs in front of its paragraph, and all of it comes
        // back from the saved file.
        QVERIFY(n->BarraFormato()->isVisible());
        m_pMarco->activateWindow();
        e->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_pMarco));
        e->moveCursor(QTextCursor::End);
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(n->m_pNegrita->isChecked());
        QTest::keyClicks(e, "negra");
        QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_I, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_U, Qt::ControlModifier);
        QTest::keyClicks(e, " ladeada");
        n->Vinetas(true);
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        QVERIFY(leida.AbrirPractica(ruta) == CPractica::Resultado::Correcto);
        Rtf::Leer(leida.m_strResultados, doc);
        const QTextBlock ultimo = doc.lastBlock();
        QCOMPARE(ultimo.text(), QString("negra ladeada"));
        QVERIFY(ultimo.textList());
        QCOMPARE(ultimo.textList()->format().style(), QTextListFormat::ListDisc);
        auto formato = [&](const QString& strPalabra) {
            const int i = ultimo.position() + ultimo.text().indexOf(strPalabra);
            QTextCursor c(&doc);
            c.setPosition(i + 1);
            return c.charFormat();
        };
        QVERIFY(formato("negra").fontWeight() >= QFont::Bold && !formato("negra").fontItalic());
        QVERIFY(formato("ladeada").fontWeight() < QFont::Bold && formato("ladeada").fontItalic() &&
                formato("ladeada").fontUnderline());
        n->Vinetas(false);
        QVERIFY(!e->document()->lastBlock().textList());
        n->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
        QVERIFY(!n->BarraFormato()->isVisible());
        // Nor do its keys reformat a read-only section.
        e->selectAll();
        QTest::keyClick(e, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!e->document()->isModified());
        n->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QVERIFY(n->BarraFormato()->isVisible());
        // A line typed where the text has no size of its own comes back in the size it
        // was shown in, not bigger.
        e->clear();
        e->setCurrentCharFormat(QTextCharFormat());
        QTest::keyClicks(e, "Linea nueva");
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        QVERIFY(leida.AbrirPractica(ruta) == CPractica::Resultado::Correcto);
        QTextEdit otro;
        Rtf::Leer(leida.m_strResultados, *otro.document());
        QTextCursor c(otro.document());
        c.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(QFontInfo(c.charFormat().font()).pointSizeF(), QFontInfo(e->font()).pointSizeF());
        // Every page is printed.
        for (int i = 0; i < 120; ++i)
            e->insertPlainText("Una linea mas de resultados para llenar varias paginas.\n");
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        const QString rutaPdf = m_dir.filePath("notas.pdf");
        pdf.setOutputFileName(rutaPdf);
        QVERIFY(n->ImprimirEn(pdf));
        QFile f(rutaPdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                    bytes.count("/Type/Page") >=
                3);
        // With no printer Qt would print nowhere, silently; a PDF that cannot be written is
        // no success either. Both are told. "Exportar notas a PDF…" always has a way out.
        m_mensajes.clear();
        QPrinter sinImpresora;
        sinImpresora.setOutputFormat(QPrinter::PdfFormat);
        QVERIFY(!n->ImprimirEn(sinImpresora));
        QVERIFY(!n->ExportarPdf(m_dir.filePath("no/existe/notas.pdf")));
        QCOMPARE(m_mensajes.size(), 2);
        QVERIFY(m_mensajes[0].startsWith("No hay ninguna impresora disponible"));
        QVERIFY(m_mensajes[1].startsWith("No se pudo escribir el archivo PDF"));
        m_pMarco->m_fnDialogoPdf = [&] { return m_dir.filePath("exportadas"); };
        QVERIFY(m_pMarco->OnExportarPdf());
        QVERIFY(QFileInfo(m_dir.filePath("exportadas.pdf")).size() > 1000);
        QVERIFY(n->RutaPdfPropuesta().endsWith("Resultados y conclusiones.pdf"));
        m_mensajes.clear();
        // A practice started afterwards does not inherit the typing.
        QVERIFY(m_pMarco->IniciarPractica(902));
        QVERIFY(!QString::fromStdString(m_pPractica->m_strResultados).contains("Fin."));
        // A long note shows at once: the pane lays out its top first and the rest later,
        // not the whole note before the first paint.
        std::string largo = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ";
        for (int i = 0; i < 3000; ++i)
            largo += "Un p\\'e1rrafo de una nota larga, {\\b con negrita} y m\\'e1s texto.\\par\n";
        m_pPractica->m_strMarcoTeorico = largo + "Fin}";
        n->MostrarSeccion(CNotasView::SECCION_MARCO);
        QCOMPARE(e->document()->blockCount(), 3001);
        QVERIFY(e->document()->firstBlock().layout()->lineCount() > 0);
        QCOMPARE(e->document()->lastBlock().layout()->lineCount(), 0);
        QCOMPARE(e->textCursor().position(), 0);
        QTRY_VERIFY(e->document()->lastBlock().layout()->lineCount() > 0);
    }

    // Ctrl+Z in the notes takes back typing and nothing else: never the text a section was
    // shown with, another section's text, or a bench action; Ctrl+Y (or Ctrl+Mayús+Z) gives
    // back what it took. With the focus on the bench the same keys are the bench's.
    void deshacerEnLasNotas() {
        QVERIFY(m_pMarco->IniciarPractica(903));
        m_pMarco->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pMarco));
        m_pMarco->Accion(ID_EQUIPO_VASO100)->trigger();
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        const auto deshacer = [](QWidget* w) {
            QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
        };
        const auto rehacer = [](QWidget* w, bool bMayus = false) {
            if (bMayus)
                QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            else
                QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);
        };
        CNotasView* n = m_pMarco->m_pNotas;
        QTextEdit* e = n->Editor();
        for (int s : {CNotasView::SECCION_MARCO, CNotasView::SECCION_PROCEDIMIENTO,
                      CNotasView::SECCION_RESULTADOS}) {
            n->MostrarSeccion(s);
            e->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e));
            const QString strTexto = e->toPlainText();
            QVERIFY(strTexto.size() > 1000);
            for (int i = 0; i < 2; ++i) {
                deshacer(e);
                QCOMPARE(e->toPlainText(), strTexto);
                QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
                rehacer(e, i == 1);
                QCOMPARE(e->toPlainText(), strTexto);
                QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
            }
        }
        // The results: what was typed goes, the rest stays; redo brings it back.
        const QString strResultados = e->toPlainText();
        e->moveCursor(QTextCursor::End);
        QTest::keyClicks(e, " Viraje a 24,5 ml.");
        const QString strEscrito = e->toPlainText();
        deshacer(e);
        QCOMPARE(e->toPlainText(), strResultados);
        deshacer(e);
        QCOMPARE(e->toPlainText(), strResultados);
        rehacer(e);
        QCOMPARE(e->toPlainText(), strEscrito);
        deshacer(e);
        rehacer(e, true);
        QCOMPARE(e->toPlainText(), strEscrito);
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        // Another section in between: undo does not reach back into it, nor into the typing
        // the practice now keeps.
        n->MostrarSeccion(CNotasView::SECCION_MARCO);
        const QString strMarco = e->toPlainText();
        deshacer(e);
        QCOMPARE(e->toPlainText(), strMarco);
        n->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        deshacer(e);
        QCOMPARE(e->toPlainText(), strEscrito);
        // On the bench, Ctrl+Z and Ctrl+Y take the beaker away and back; the notes stay.
        Mesa()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Mesa()));
        deshacer(Mesa());
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QCOMPARE(e->toPlainText(), strEscrito);
        rehacer(Mesa());
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        QCOMPARE(e->toPlainText(), strEscrito);

        // The practice editor's "Notas": each section keeps its own history.
        CDlgEditorPractica dlg(CEditorPractica::Desde(*m_pPractica), nullptr);
        dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::NOTAS);
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* pestanas = dlg.Paginas()->widget(CDlgEditorPractica::NOTAS)->findChild<QTabWidget*>();
        QString strAntes[3];
        for (int i = 0; i < 3; ++i) {
            pestanas->setCurrentIndex(i);
            QTextEdit* t = dlg.m_pNotas[i];
            t->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t));
            strAntes[i] = t->toPlainText();
            QVERIFY(strAntes[i].size() > 1000);
            deshacer(t);
            deshacer(t);
            QCOMPARE(t->toPlainText(), strAntes[i]);
            t->moveCursor(QTextCursor::End);
            QTest::keyClicks(t, " Nota.");
            deshacer(t);
            QCOMPARE(t->toPlainText(), strAntes[i]);
            rehacer(t);
            QCOMPARE(t->toPlainText(), strAntes[i] + " Nota.");
        }
        // Back on the first section, its own typing is what Ctrl+Z takes; the others keep theirs.
        pestanas->setCurrentIndex(0);
        dlg.m_pNotas[0]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.m_pNotas[0]));
        deshacer(dlg.m_pNotas[0]);
        QCOMPARE(dlg.m_pNotas[0]->toPlainText(), strAntes[0]);
        deshacer(dlg.m_pNotas[0]);
        QCOMPARE(dlg.m_pNotas[0]->toPlainText(), strAntes[0]);
        rehacer(dlg.m_pNotas[0], true);
        QCOMPARE(dlg.m_pNotas[0]->toPlainText(), strAntes[0] + " Nota.");
        for (int i = 1; i < 3; ++i)
            QCOMPARE(dlg.m_pNotas[i]->toPlainText(), strAntes[i] + " Nota.");
        dlg.reject();
    }

    // "Archivo > Editar práctica…" on 903: a name longer than a file keeps is refused on
    // "Aceptar" by its field, an empty one keeps the dialog open with the reason, letters do not go
    // into a number, closing with changes asks; the accepted notes show in the pane as edited. A
    // name field warns while it holds a text only the format's newer version keeps, or one longer
    // than a file keeps a name, which it keeps whole.
    void camposQueAvisan() {
        std::unique_ptr<QLineEdit> e(CamposEditor::CampoTexto(nullptr));
        QAction* aviso = e->actions().value(0);
        QVERIFY(aviso && !aviso->isVisible());
        e->setText(QStringLiteral("Mg + 2 HCl → MgCl₂ + H₂"));
        QVERIFY(aviso->isVisible());
        QVERIFY(e->accessibleDescription().contains("Vol.2"));
        e->setText(QStringLiteral("Ácido clorhídrico"));
        QVERIFY(!aviso->isVisible() && e->accessibleDescription().isEmpty());
        // 600 characters are kept, not cut to the 254 a file holds; the field says how many
        // it has and how many fit until it is short enough again.
        e->setText(QString(600, QLatin1Char('a')));
        QCOMPARE(e->text().size(), 600);
        QVERIFY(aviso->isVisible());
        QVERIFY(aviso->toolTip().contains("600") && aviso->toolTip().contains("254"));
        QVERIFY(e->accessibleDescription().contains("254"));
        e->setText(QString(254, QLatin1Char('a')));
        QVERIFY(!aviso->isVisible());
    }

    void editorDePracticas() {
        QVERIFY(m_pMarco->IniciarPractica(903));
        const std::vector<uint8_t> antes = m_pPractica->EscribirPractica();
        bool bVisto = false;
        m_pMarco->m_fnAntesDelEditor = [&](CDlgEditorPractica& dlg) {
            QTimer::singleShot(0, &dlg, [&] {
                bVisto = true;
                QCOMPARE(dlg.Paginas()->count(), 7);
                QCOMPARE(dlg.Paginas()->tabText(6), QStringLiteral("Mesa inicial"));
                QCOMPARE(dlg.m_pNombre->text(), QStringLiteral("Titulación ácido base"));
                // Leaving every number field untouched changes nothing, not even the 17th
                // digit of the water in a litre of solution.
                for (int n : {CDlgEditorPractica::SUSTANCIAS, CDlgEditorPractica::REACTIVOS,
                              CDlgEditorPractica::REACCIONES, CDlgEditorPractica::INDICADORES}) {
                    dlg.Paginas()->setCurrentIndex(n);
                    for (QLineEdit* e : dlg.Paginas()->widget(n)->findChildren<QLineEdit*>())
                        emit e->editingFinished();
                }
                QVERIFY(!dlg.Modificada());
                // "Probar" runs a copy for a minute of the bench and says it works; what is
                // edited does not move.
                m_mensajes.clear();
                QVERIFY(!dlg.Probar().isEmpty());
                QVERIFY(m_mensajes.value(0).startsWith("La práctica funciona."));
                QVERIFY(!dlg.Modificada());
                // Unchanged, "Aceptar" leaves the practice as it was.
                dlg.accept();
            });
        };
        QVERIFY(!m_pMarco->EditarPractica(false));
        QVERIFY(bVisto);
        QVERIFY(m_pPractica->EscribirPractica() == antes);
        QVERIFY(!m_pMarco->Modificada());

        m_pMarco->m_fnAntesDelEditor = [&](CDlgEditorPractica& dlg) {
            QTimer::singleShot(0, &dlg, [&] {
                // A check that fails returns early: the dialog closes all the same.
                const AlSalirCerrar cerrar{dlg};
                QLineEdit* nombre = dlg.m_pNombre;
                nombre->selectAll();
                nombre->insert(QString(600, QLatin1Char('x')));
                QCOMPARE(dlg.Editor().Practica().m_strPractica.size(), size_t(600));
                // "Aceptar" names the field that is too long and keeps the dialog open.
                m_mensajes.clear();
                dlg.accept();
                QVERIFY(dlg.isVisible());
                QVERIFY2(m_mensajes.value(0).contains(QStringLiteral(
                             "El campo «Nombre» tiene 600 caracteres; el máximo es 254.")),
                         qPrintable(m_mensajes.join('\n')));
                nombre->selectAll();
                QTest::keyClick(nombre, Qt::Key_Backspace);
                m_mensajes.clear();
                dlg.accept();
                QVERIFY(dlg.isVisible());
                QCOMPARE(m_mensajes.size(), 1);
                QVERIFY(m_mensajes[0].contains(
                    QStringLiteral("Práctica: El campo «Nombre» no puede quedar vacío.")));
                nombre->insert(QStringLiteral("Titulación con fenolftaleína"));
                // Letters do not go into a number field.
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::SUSTANCIAS);
                dlg.m_pListaSustancias->setCurrentRow(1);
                QLineEdit* masa = nullptr;
                for (QLineEdit* e : dlg.Paginas()
                                        ->widget(CDlgEditorPractica::SUSTANCIAS)
                                        ->findChildren<QLineEdit*>())
                    if (e->validator() && e->isVisible() && !masa)
                        masa = e;
                QVERIFY(masa);
                const QString strMasa = masa->text();
                masa->selectAll();
                QTest::keyClicks(masa, "abc");
                QCOMPARE(masa->text(), strMasa);
                masa->selectAll();
                QTest::keyClick(masa, Qt::Key_Backspace);
                QVERIFY(masa->text().isEmpty());
                QTest::keyClick(masa, Qt::Key_Return);
                QCOMPARE(masa->text(), strMasa); // left empty: the value it had comes back
                QVERIFY(dlg.isVisible());        // Enter finished the field, not the editor
                // The theory in bold, a formula with its subscript.
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::NOTAS);
                QTextEdit* marco = dlg.m_pNotas[0];
                marco->selectAll();
                marco->textCursor().removeSelectedText();
                QTest::keyClicks(marco, "Agua H");
                auto* barra =
                    dlg.Paginas()->widget(CDlgEditorPractica::NOTAS)->findChild<QToolBar*>();
                barra->actions()[3]->trigger(); // subscript
                QTest::keyClicks(marco, "2");
                barra->actions()[3]->trigger();
                QTest::keyClicks(marco, "O");
                QTextCursor c = marco->textCursor();
                c.setPosition(0);
                c.setPosition(4, QTextCursor::KeepAnchor);
                marco->setTextCursor(c);
                barra->actions()[0]->trigger(); // bold
                // Closing with changes asks, and Intro on the question is the safe "No":
                // the editor stays open with its changes.
                prueba::MostrarMensajes();
                QString strPregunta;
                prueba::AlAbrirse<QMessageBox>([&](QMessageBox& m) {
                    strPregunta = m.text();
                    QTest::keyClick(&m, Qt::Key_Return);
                });
                dlg.reject();
                QVERIFY(dlg.isVisible());
                QVERIFY(strPregunta.contains(QStringLiteral("descartar los cambios")));
                prueba::AnotarMensajes(&m_mensajes);
                dlg.accept();
                QVERIFY(!dlg.isVisible());
            });
        };
        QVERIFY(m_pMarco->EditarPractica(false));
        QVERIFY(m_pMarco->Modificada());
        QCOMPARE(m_pPractica->m_strPractica, std::string("Titulación con fenolftaleína"));
        // The pane shows the notes as they were edited: "Agua" bold, the 2 a subscript.
        QTextEdit* e = m_pMarco->m_pNotas->Editor();
        QCOMPARE(e->toPlainText(), QStringLiteral("Agua H2O"));
        QTextCursor c(e->document());
        c.setPosition(2);
        QVERIFY(c.charFormat().fontWeight() >= QFont::Bold);
        c.setPosition(7);
        QCOMPARE(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
        c.setPosition(6);
        QVERIFY(c.charFormat().fontWeight() < QFont::Bold);
        QCOMPARE(c.charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);

        // A blank practice: water only, no bench. A heading, a list and a colour in its
        // procedure; saved from the editor as a template, which starts as one.
        const QString rutaPlantilla = m_dir.filePath("propia.akp");
        m_pMarco->m_fnAntesDelEditor = [&](CDlgEditorPractica& dlg) {
            QTimer::singleShot(0, &dlg, [&] {
                const AlSalirCerrar cerrar{dlg};
                QCOMPARE(dlg.Editor().Catalogo().NumComponentes(), 1);
                QCOMPARE(dlg.m_pNombre->text(), QStringLiteral("Práctica nueva"));
                // Through the widgets: a copy of water, a reaction from one to the other shown
                // as its equation, and the copy then refused deletion.
                auto boton = [&](int nPagina, const char* pszTexto) {
                    for (QPushButton* b :
                         dlg.Paginas()->widget(nPagina)->findChildren<QPushButton*>())
                        if (b->text() == QString::fromUtf8(pszTexto))
                            return b;
                    return static_cast<QPushButton*>(nullptr);
                };
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::SUSTANCIAS);
                boton(CDlgEditorPractica::SUSTANCIAS, "Agregar copia")->click();
                QCOMPARE(dlg.m_pListaSustancias->count(), 2);
                QCOMPARE(dlg.m_pListaSustancias->currentItem()->text(),
                         QStringLiteral("Agua (copia)"));
                dlg.Editor().Catalogo().m_componentes[1].m_strFormula = "D2O";
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::REACCIONES);
                boton(CDlgEditorPractica::REACCIONES, "Agregar")->click();
                auto combos = dlg.Paginas()
                                  ->widget(CDlgEditorPractica::REACCIONES)
                                  ->findChildren<QComboBox*>();
                // Each slot has its substance and its phase, reactants first.
                combos[0]->setCurrentIndex(1); // water
                combos[1]->setCurrentIndex(FASE_LIQUIDA);
                combos[6]->setCurrentIndex(2); // its copy
                combos[7]->setCurrentIndex(FASE_LIQUIDA);
                QCOMPARE(dlg.m_pEcuacion->text(), QStringLiteral("H2O (l) → D2O (l)"));
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::SUSTANCIAS);
                dlg.m_pListaSustancias->setCurrentRow(1);
                m_mensajes.clear();
                boton(CDlgEditorPractica::SUSTANCIAS, "Eliminar")->click();
                QCOMPARE(m_mensajes, QStringList(QStringLiteral(
                                         "No se puede eliminar «Agua (copia)»: la usa la "
                                         "reacción «Reacción nueva».")));
                QCOMPARE(dlg.m_pListaSustancias->count(), 2);
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::NOTAS);
                dlg.Paginas()
                    ->widget(CDlgEditorPractica::NOTAS)
                    ->findChild<QTabWidget*>()
                    ->setCurrentIndex(1);
                QTextEdit* proc = dlg.m_pNotas[1];
                QTest::keyClicks(proc, "Material");
                QTest::keyClick(proc, Qt::Key_Return);
                QTest::keyClicks(proc, "Vaso");
                QTest::keyClick(proc, Qt::Key_Return);
                QTest::keyClicks(proc, "Balanza");
                auto* barra =
                    dlg.Paginas()->widget(CDlgEditorPractica::NOTAS)->findChild<QToolBar*>();
                QTextCursor c(proc->document());
                proc->setTextCursor(c);
                barra->actions()[5]->trigger(); // heading
                c.movePosition(QTextCursor::NextBlock);
                c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                proc->setTextCursor(c);
                barra->actions()[6]->trigger(); // bullets
                dlg.m_fnElegirColor = [](const QColor&) { return QColor(0, 0, 160); };
                barra->actions()[8]->trigger(); // colour
                dlg.Paginas()->setCurrentIndex(CDlgEditorPractica::MESA);
                QVERIFY(dlg.m_pEstadoMesa->text().contains(QStringLiteral("plantilla (.akp)")));
                dlg.m_fnDialogoGuardar = [&](const QString& strExtension) {
                    return strExtension == QLatin1String("akp") ? rutaPlantilla : QString();
                };
                QVERIFY(dlg.GuardarEnArchivo());
                // The file dialog proposes the practice's name, made a file name, in "Mis
                // prácticas"; the button is on every page (with Aceptar, Cancelar, Probar,
                // Deshacer and Rehacer).
                const QString strNombre = dlg.m_pNombre->text();
                dlg.m_pNombre->setText(QStringLiteral("Ácidos/bases: 1ª parte"));
                emit dlg.m_pNombre->textEdited(dlg.m_pNombre->text());
                QCOMPARE(dlg.RutaPropuesta("akp"),
                         QDir(Preferencias::CarpetaPropia()).filePath("Ácidos bases 1ª parte.akp"));
                QVERIFY(dlg.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>().size() ==
                        6);
                dlg.m_pNombre->setText(strNombre);
                emit dlg.m_pNombre->textEdited(strNombre);
                dlg.accept();
            });
        };
        QVERIFY(m_pMarco->EditarPractica(true));
        QVERIFY(m_pPractica->m_listaEquipo.empty());
        QVERIFY(m_pMarco->m_strRuta.isEmpty());
        QVERIFY(m_pMarco->AbrirPractica(rutaPlantilla, true));
        QCOMPARE(m_pPractica->m_strPractica, std::string("Práctica nueva"));
        m_pMarco->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
        QCOMPARE(e->toPlainText(), QStringLiteral("Material\nVaso\nBalanza"));
        QCOMPARE(e->document()->begin().blockFormat().headingLevel(), 2);
        QTextCursor t(e->document());
        t.setPosition(3);
        QVERIFY(t.charFormat().fontWeight() >= QFont::Bold);
        QCOMPARE(t.charFormat().fontPointSize(), 14.0);
        t.movePosition(QTextCursor::NextBlock);
        QVERIFY(t.currentList() && t.currentList()->count() == 2);
        t.setPosition(t.position() + 4);
        QCOMPARE(t.charFormat().foreground().color(), QColor(0, 0, 160));
        m_pMarco->m_fnAntesDelEditor = nullptr;

        // A file with a fault opens, with a warning that names it.
        CPractica mala;
        QVERIFY(
            mala.LeerPlantilla(std::vector<uint8_t>(antes.begin(), antes.end()), "x", nullptr) !=
            CPractica::Resultado::Correcto); // a saved practice is no template
        QVERIFY(mala.LeerPractica(antes, "x", nullptr) == CPractica::Resultado::Correcto);
        mala.m_catalogo.m_componentes[1].m_dMasaMolar = -1.0;
        const QString ruta = m_dir.filePath("mala.uak1");
        QVERIFY(mala.GuardarPractica(ruta) == CPractica::Resultado::Correcto);
        m_mensajes.clear();
        m_pMarco->m_fnPreguntaCierre = [] { return int(QMessageBox::No); };
        QVERIFY(m_pMarco->AbrirPractica(ruta));
        QCOMPARE(m_mensajes.size(), 1);
        QVERIFY(m_mensajes[0].contains(QStringLiteral("mala.uak1 se abrió")));
        QVERIFY(m_mensajes[0].contains(QStringLiteral("«Masa molar» debe ser un número mayor "
                                                      "que cero")));
    }

    void presentacionGuardaLaPrimeraTecla() {
        CVentanaPresentacion* p = CVentanaPresentacion::Mostrar(m_pMarco);
        QVERIFY(p->isVisible());
        QCOMPARE(CVentanaPresentacion::Mostrar(m_pMarco), p); // never two
        QPointer<CVentanaPresentacion> vigilada(p);
        const size_t antes = m_pPractica->m_listaEquipo.size();
        // Ctrl+... would reach the frame; the splash swallows the key and goes.
        QTest::keyClick(Mesa(), Qt::Key_A);
        QTest::qWait(50);
        QVERIFY(!vigilada || !vigilada->isVisible());
        QCOMPARE(m_pPractica->m_listaEquipo.size(), antes);
        QVERIFY(!CVentanaPresentacion::Actual() || !CVentanaPresentacion::Actual()->isVisible());
    }

    // The bench's "Propiedades" opens the window after a practice was opened and another
    // started; where the practice keeps it closed (904) the entry is greyed, not dead.
    void propiedadesDesdeLaMesa() {
        int nAbiertas = 0;
        m_pMarco->m_fnAntesDePropiedades = [&](CDlgPropiedades& dlg) {
            ++nAbiertas;
            QTimer::singleShot(0, &dlg, &QDialog::reject);
        };
        auto menuPropiedades = [&](bool bActiva) {
            m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
            CEquipo* v = m_pPractica->m_listaEquipo.front();
            const QPoint pt = Mesa()->m_ptOrigen + v->m_rcArea.center() + QPoint(0, 20);
            QTimer::singleShot(50, this, [bActiva] {
                auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(m);
                for (QAction* a : m->actions())
                    if (QString(a->text()).remove(QLatin1Char('&')) == "Propiedades") {
                        QCOMPARE(a->isEnabled(), bActiva);
                        m->setActiveAction(a);
                    }
                QTest::keyClick(m, bActiva ? Qt::Key_Return : Qt::Key_Escape);
            });
            QTest::mouseClick(Mesa(), Qt::RightButton, {}, pt);
        };
        QVERIFY(m_pMarco->IniciarPractica(904));
        const QString ruta = m_dir.filePath("prop.uak1");
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        QVERIFY(m_pMarco->AbrirPractica(ruta));
        menuPropiedades(false);
        QTest::keyClick(Mesa(), Qt::Key_Return); // Intro is that entry: nothing either
        QTest::qWait(20);
        QCOMPARE(nAbiertas, 0);
        QVERIFY(m_pMarco->IniciarPractica(903));
        menuPropiedades(true);
        QTRY_COMPARE(nAbiertas, 1);
        QTest::keyClick(Mesa(), Qt::Key_Return);
        QTRY_COMPARE(nAbiertas, 2);
    }

    // Opened and saved practices come first on the list, once each, eight at most; a file that
    // has gone is greyed until taken off; the window, the notes pane and the speed come back
    // at the next start.
    void recientesYAjustes() {
        auto textos = [&] {
            m_pMarco->ActualizarMenuRecientes();
            QStringList l;
            for (QAction* a : m_pMarco->m_pMenuRecientes->actions())
                if (!a->isSeparator())
                    l << a->text() + (a->isEnabled() ? "" : " -");
            return l;
        };
        QCOMPARE(textos(), (QStringList{"(ninguna) -", "&Quitar las que ya no existen -",
                                        "&Borrar lista -"}));
        QStringList rutas;
        for (int i = 1; i <= 9; ++i) {
            rutas.prepend(m_dir.filePath(QString("p%1.uak1").arg(i)));
            QVERIFY(m_pMarco->GuardarPractica(rutas.front()));
        }
        QCOMPARE(m_pMarco->Recientes(), rutas.mid(0, 8));
        QVERIFY(m_pMarco->AbrirPractica(rutas[5])); // p4 comes first, and only once
        QCOMPARE(m_pMarco->Recientes().mid(0, 2), (QStringList{rutas[5], rutas[0]}));
        QCOMPARE(m_pMarco->Recientes().count(rutas[5]), 1);
        QVERIFY(QFile::remove(rutas[0]));
        const QStringList l = textos();
        QCOMPARE(l.size(), 10);
        QCOMPARE(l[0], QString("&1 p4.uak1"));
        QCOMPARE(l[1], QString("&2 p9.uak1 (no se encuentra) -"));
        QCOMPARE(l[8], QString("&Quitar las que ya no existen"));
        m_pMarco->Accion(ID_QUITAR_FALTANTES)->trigger();
        QVERIFY(!m_pMarco->Recientes().contains(rutas[0]));
        QCOMPARE(m_pMarco->Recientes().size(), 7);
        // An entry opens its practice; one whose file went since the menu was built is taken
        // off with a word why.
        m_pMarco->m_pMenuRecientes->actions().at(1)->trigger();
        QCOMPARE(m_pMarco->m_strRuta, m_pMarco->Recientes().front());
        QVERIFY(QFile::remove(rutas[1]));
        QVERIFY(!m_pMarco->AbrirReciente(rutas[1]));
        QCOMPARE(m_mensajes.size(), 1);
        QVERIFY(m_mensajes[0].contains("p8.uak1"));
        QVERIFY(!m_pMarco->Recientes().contains(rutas[1]));
        m_pMarco->Accion(ID_BORRAR_RECIENTES)->trigger();
        QVERIFY(m_pMarco->Recientes().isEmpty());

        m_pMarco->m_pSplitter->setSizes({321, 800});
        m_pMarco->m_pSliderVelocidad->setValue(5);
        m_pMarco->resize(1100, 700);
        QVERIFY(m_pMarco->close());
        CMainFrame otro(*m_pPractica);
        QVERIFY(otro.RestaurarGeometria());
        otro.show();
        QVERIFY(QTest::qWaitForWindowExposed(&otro));
        QCOMPARE(otro.size(), QSize(1100, 700));
        QCOMPARE(otro.m_pSplitter->sizes().value(0), 321);
        QCOMPARE(otro.m_pSliderVelocidad->value(), 5);
        QCOMPARE(otro.m_pVistaMesa->m_nTicksPorPaso, 1);
    }

    // The first start's invitation opens the practice browser, and goes with the first item
    // or practice.
    void invitacion() {
        m_pMarco->MostrarInvitacion();
        QVERIFY(Mesa()->InvitacionVisible());
        auto* boton = Mesa()->findChild<QPushButton*>("botonIniciar");
        QVERIFY(boton && boton->isVisible());
        QString strTitulo;
        QTimer::singleShot(50, this, [&] {
            if (auto* dlg = qobject_cast<CDlgAbrirPractica*>(QApplication::activeModalWidget())) {
                strTitulo = dlg->windowTitle();
                dlg->reject();
            }
        });
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(strTitulo, QString("Seleccione la práctica a iniciar"));
        QVERIFY(Mesa()->InvitacionVisible()); // nothing was started yet
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        QVERIFY(!Mesa()->InvitacionVisible());
        m_pMarco->Accion(ID_LIMPIAR_MESA)->trigger();
        m_pMarco->MostrarInvitacion();
        QVERIFY(Mesa()->InvitacionVisible());
        QVERIFY(m_pMarco->IniciarPractica(903));
        QVERIFY(!Mesa()->InvitacionVisible());
        m_pMarco->MostrarInvitacion(); // a practice is on: no invitation
        QVERIFY(!Mesa()->InvitacionVisible());
    }

    // Zooming and panning change only the view: the practice saved afterwards is the same,
    // byte for byte, as without them, a drag and a colour change on the way included.
    void zoomNoCambiaElArchivo() {
        QVERIFY(m_pMarco->IniciarPractica(903));
        auto* v = new CErlenmeyer250;
        v->SetPosition(200, 150);
        m_pPractica->m_listaEquipo.AgregarAlFinal(v);
        QVERIFY(v->AddReagent(3, 20.0)); // "Solución problema 1"
        v->m_seno.m_faseLiquida.AgregarIndicador(2);
        Mesa()->repaint();
        const QString original = m_dir.filePath("original.uak1");
        QVERIFY(m_pMarco->GuardarPractica(original));
        auto guardar = [&](const QString& ruta, bool bZoom) {
            QVERIFY(m_pMarco->AbrirPractica(original));
            if (bZoom) {
                for (int i = 0; i < 5; ++i)
                    m_pMarco->Accion(ID_ACERCAR)->trigger(); // 100 % to 200 %
                QCOMPARE(Mesa()->Zoom(), 2.0);
                QTest::mousePress(Mesa(), Qt::LeftButton, Qt::ControlModifier, QPoint(430, 350));
                QTest::mouseMove(Mesa(), QPoint(500, 400));
                QTest::mouseRelease(Mesa(), Qt::LeftButton, Qt::ControlModifier, QPoint(500, 400));
            }
            CEquipo* e = m_pPractica->m_listaEquipo.front();
            // The student drags the flask 12 bench pixels right and 6 down, however large.
            const QPoint desde = Mesa()->ACliente(e->m_rcArea.center() + QPoint(0, 30));
            const QPoint d(qRound(12 * Mesa()->Zoom()), qRound(6 * Mesa()->Zoom()));
            QTest::mousePress(Mesa(), Qt::LeftButton, {}, desde);
            QTest::mouseMove(Mesa(), desde + d);
            QTest::mouseRelease(Mesa(), Qt::LeftButton, {}, desde + d);
            QCOMPARE(e->m_rcArea.topLeft(), QPoint(212, 156));
            // Base turns the phenolphthalein pink, which the next paint records.
            QVERIFY(static_cast<CRecipiente*>(e)->AddReagent(0, 25.0));
            Mesa()->repaint();
            QVERIFY(m_pMarco->GuardarPractica(ruta));
        };
        const QString sin = m_dir.filePath("sin.uak1"), con = m_dir.filePath("con.uak1");
        guardar(sin, false);
        guardar(con, true);
        QFile a(sin), b(con);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytesSin = a.readAll();
        QCOMPARE(b.readAll(), bytesSin);
        QFile o(original);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QVERIFY(o.readAll() != bytesSin); // the drag and the colour did change the file
    }

    // Above 100 % the bench scrolls: bars that follow the view, the wheel, a drag on the bare
    // bench, the arrows with nothing selected, Re Pág / Av Pág; Tab brings an item into view.
    void desplazarLaMesa() {
        QVERIFY(m_pMarco->IniciarPractica(901));
        Mesa()->StopTimer();
        auto* lejos = new CVaso100;
        lejos->SetPosition(2500, 1500);
        m_pPractica->m_listaEquipo.AgregarAlFinal(lejos);
        Mesa()->Seleccionar(nullptr);
        Mesa()->SetZoom(2.0);
        Mesa()->repaint();
        QScrollBar* h = m_pMarco->m_pMesa->BarraHorizontal();
        QScrollBar* v = m_pMarco->m_pMesa->BarraVertical();
        QVERIFY(!h->isHidden() && !v->isHidden());
        QVERIFY(v->maximum() >= 2 * (1500 + lejos->m_cy) - Mesa()->height());
        QPoint pt = Mesa()->Desplazamiento();
        QCOMPARE(v->value(), pt.y());
        // One notch of the wheel down: 60 pixels; with Mayús, sideways.
        QWheelEvent rueda(QPointF(50, 50), Mesa()->mapToGlobal(QPointF(50, 50)), {},
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Mesa(), &rueda);
        QCOMPARE(Mesa()->Desplazamiento(), pt + QPoint(0, 60));
        Mesa()->repaint();
        QCOMPARE(v->value(), pt.y() + 60);
        // The bar moves the view.
        v->setValue(v->value() + 100);
        QCOMPARE(Mesa()->Desplazamiento(), pt + QPoint(0, 160));
        // The keyboard, nothing selected.
        pt = Mesa()->Desplazamiento();
        QTest::keyClick(Mesa(), Qt::Key_Right);
        QTest::keyClick(Mesa(), Qt::Key_PageDown);
        QCOMPARE(Mesa()->Desplazamiento(), pt + QPoint(20, Mesa()->height() * 9 / 10));
        // A drag on the bare bench pans it and selects nothing.
        QPoint vacio(-1, -1);
        for (int y = 5; y < Mesa()->height() && vacio.x() < 0; y += 10)
            for (int x = 5; x < Mesa()->width() && vacio.x() < 0; x += 10)
                if (Mesa()->TextoAyudaEn(QPoint(x, y)).isEmpty())
                    vacio = QPoint(x, y);
        QVERIFY(vacio.x() >= 0);
        pt = Mesa()->Desplazamiento();
        QTest::mousePress(Mesa(), Qt::LeftButton, {}, vacio);
        QTest::mouseMove(Mesa(), vacio + QPoint(30, 40));
        QTest::mouseRelease(Mesa(), Qt::LeftButton, {}, vacio + QPoint(30, 40));
        QCOMPARE(Mesa()->Desplazamiento(), pt - QPoint(30, 40));
        QVERIFY(!Mesa()->m_pSeleccion);
        // Tab to the far beaker (the last item) scrolls it wholly into view.
        Mesa()->setFocus();
        Mesa()->Seleccionar(*std::prev(m_pPractica->m_listaEquipo.end(), 2));
        QTest::keyClick(Mesa(), Qt::Key_Tab);
        QCOMPARE(Mesa()->m_pSeleccion, lejos);
        QVERIFY(Mesa()->rect().contains(Mesa()->ACliente(lejos->m_rcArea)));
    }

    // Screen readers find every item of the bench, in bench order, with its name, its place on
    // the screen and its contents or reading; the notes and the dialogs' fields have names.
    void lectoresDePantalla() {
        QVERIFY(m_pMarco->IniciarPractica(901));
        // The distillation set: the flask with the mixture, its head, condenser and take-off,
        // a burner, a beaker and a thermometer.
        m_pMarco->Accion(ID_EQUIPO_MATRAZ_BOLA)->trigger();
        auto* matraz = dynamic_cast<CMatrazBalon*>(m_pPractica->m_listaEquipo.front());
        QVERIFY(matraz);
        QVERIFY(matraz->AddReagent(0, 50.0)); // "Mezcla de liquidos"
        Seleccionar(matraz);
        for (int nComando : {ID_CABEZA_DESTILACION, ID_CONDENSADOR, ID_CODO_DESTILACION})
            Mesa()->Comando(nComando);
        QVERIFY(matraz->m_pCabeza && matraz->m_pCodo);
        for (int nId : {ID_EQUIPO_MECHERO, ID_EQUIPO_VASO250, ID_EQUIPO_TERMOMETRO})
            m_pMarco->Accion(nId)->trigger();
        const CListaEquipo& lista = m_pPractica->m_listaEquipo;
        QCOMPARE(lista.size(), size_t(7));

        auto* mesa = dynamic_cast<CAccesibleMesa*>(QAccessible::queryAccessibleInterface(Mesa()));
        QVERIFY(mesa);
        QCOMPARE(mesa->role(), QAccessible::List);
        QCOMPARE(mesa->text(QAccessible::Name), QString("Mesa de trabajo"));
        // The items, then the notice that screen readers speak when it is shown.
        QCOMPARE(mesa->childCount(), int(lista.size()) + 1);
        const QRect rcMesa(Mesa()->mapToGlobal(QPoint(0, 0)), Mesa()->size());
        int i = 0;
        QString strMatraz;
        for (CEquipo* e : lista) {
            QAccessibleInterface* c = mesa->child(i);
            QVERIFY(c && c->isValid());
            QCOMPARE(mesa->child(i), c); // one interface per item
            QCOMPARE(mesa->indexOfChild(c), i);
            QCOMPARE(c->parent(), mesa);
            QCOMPARE(c->role(), QAccessible::ListItem);
            QVERIFY(!c->text(QAccessible::Name).isEmpty());
            QCOMPARE(c->text(QAccessible::Name), QString::fromStdString(e->m_strNombre));
            const QRect rc = c->rect();
            QCOMPARE(rc.size(), e->m_rcArea.size());
            QCOMPARE(rc.topLeft(), Mesa()->mapToGlobal(Mesa()->ACliente(e->m_rcArea.topLeft())));
            QVERIFY(rcMesa.intersects(rc));
            QCOMPARE(c->state().selected, e == Mesa()->m_pSeleccion);
            if (e == matraz)
                strMatraz = c->text(QAccessible::Description);
            ++i;
        }
        QCOMPARE(mesa->child(i)->role(), QAccessible::Notification);
        QVERIFY(mesa->child(i)->state().invisible);
        QCOMPARE(mesa->indexOfChild(mesa->child(i)), i);
        QCOMPARE(mesa->child(i + 1), nullptr);
        // What the properties window would show: volume, temperature and pH, and the colour.
        QVERIFY2(strMatraz.contains(QRegularExpression(
                     "^\\d+\\.\\d ml, 20 °C, pH \\d+\\.\\d\\d, incoloro(, .+)?$")),
                 qPrintable(strMatraz));
        QCOMPARE(mesa->indexOfChild(mesa->childAt(mesa->child(0)->rect().center().x(),
                                                  mesa->child(0)->rect().center().y())),
                 0);
        // Tab gives the focus to the first item; a reader that listens hears only of the
        // lines and places that changed since it last heard.
        m_pMarco->activateWindow();
        Mesa()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_pMarco));
        Seleccionar(nullptr);
        QTest::keyClick(Mesa(), Qt::Key_Tab);
        QVERIFY(mesa->child(0)->state().focused);
        QCOMPARE(mesa->focusChild(), mesa->child(0));
        // The first time: all, and the notice of the items placed since the bench was found.
        QCOMPARE(mesa->AvisarCambios().size(), 1 + 2 * lista.size() + 1);
        QVERIFY(mesa->Aviso().endsWith(" colocado en la mesa"));
        QVERIFY(mesa->AvisarCambios().empty());
        // The selected item's new line is spoken: readers take a notification that is shown.
        Seleccionar(matraz);
        QVERIFY(matraz->AddReagent(0, 10.0));
        const int iMatraz = mesa->indexOfChild(mesa->Hijo(matraz));
        using Aviso = std::pair<QAccessible::Event, int>;
        QCOMPARE(mesa->AvisarCambios(),
                 (std::vector<Aviso>{{QAccessible::DescriptionChanged, iMatraz},
                                     {QAccessible::ObjectHide, i},
                                     {QAccessible::ObjectShow, i}}));
        QCOMPARE(mesa->child(i)->text(QAccessible::Name),
                 QString("%1: %2").arg(mesa->child(iMatraz)->text(QAccessible::Name),
                                       mesa->child(iMatraz)->text(QAccessible::Description)));
        QVERIFY(!mesa->child(i)->state().invisible);

        // An item that leaves the bench leaves the list, and its interface goes invalid.
        QAccessibleInterface* ultimo = mesa->child(i - 1);
        Seleccionar(lista.back());
        const QString strUltimo = ultimo->text(QAccessible::Name);
        Mesa()->Comando(ID_ELIMINAR);
        QCOMPARE(mesa->childCount(), i);
        QVERIFY(!ultimo->isValid());
        // And is said to have gone, the notice hidden and shown again.
        QCOMPARE(mesa->AvisarCambios(), (std::vector<Aviso>{{QAccessible::ObjectReorder, -1},
                                                            {QAccessible::ObjectHide, i - 1},
                                                            {QAccessible::ObjectShow, i - 1}}));
        QCOMPARE(mesa->child(i - 1)->text(QAccessible::Name),
                 QString("%1 retirado de la mesa").arg(strUltimo));
        // Where an item is, in words: a beaker set on the burner stands on it, and the
        // burner is under it; the move is said with the new place only.
        CEquipo *vaso = nullptr, *mechero = nullptr;
        for (CEquipo* e : lista) {
            if (e->m_strNombre.find("Vaso") == 0)
                vaso = e;
            if (e->m_strNombre.find("Mechero") == 0)
                mechero = e;
        }
        QVERIFY(vaso && mechero);
        Seleccionar(vaso);
        vaso->MoveBy(mechero->m_rcArea.center().x() - vaso->m_rcArea.center().x(),
                     mechero->m_rcArea.top() - vaso->m_rcArea.bottom());
        const QString strVaso = mesa->Hijo(vaso)->text(QAccessible::Name);
        const QString strMechero = mesa->Hijo(mechero)->text(QAccessible::Name);
        QVERIFY2(mesa->Hijo(vaso)->text(QAccessible::Description).contains("sobre " + strMechero),
                 qPrintable(mesa->Hijo(vaso)->text(QAccessible::Description)));
        QVERIFY(mesa->Hijo(mechero)->text(QAccessible::Description).contains("bajo " + strVaso));
        mesa->AvisarCambios();
        QVERIFY2(mesa->Aviso().startsWith(strVaso + ": sobre " + strMechero),
                 qPrintable(mesa->Aviso()));

        QCOMPARE(m_pMarco->m_pNotas->Editor()->accessibleName(),
                 QString("Notas de la práctica: Marco teórico"));
        CDlgReactivo dlg(m_pPractica->m_catalogo, m_pMarco);
        dlg.show();
        QCOMPARE(dlg.m_pLista->accessibleName(), QString("Reactivos disponibles"));
        QCOMPARE(dlg.m_pCantidad->focusProxy()->accessibleName(), QString("Cantidad"));
        dlg.close();
    }

    void preguntaAlCerrar() {
        int nRespuesta = QMessageBox::Cancel;
        int nPreguntas = 0;
        QString ruta;
        int nDialogos = 0;
        m_pMarco->m_fnPreguntaCierre = [&] {
            ++nPreguntas;
            return nRespuesta;
        };
        m_pMarco->m_fnDialogoGuardar = [&] {
            ++nDialogos;
            return ruta;
        };
        // Nothing changed: nothing to ask.
        QVERIFY(m_pMarco->IniciarPractica(901));
        QCOMPARE(nPreguntas, 0);
        // A changed bench is not cleared, replaced or closed behind the student's back.
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        m_pMarco->Accion(ID_LIMPIAR_MESA)->trigger();
        QVERIFY(!m_pMarco->IniciarPractica(902));
        QVERIFY(!m_pMarco->AbrirPractica(m_dir.filePath("otra.uak1")));
        QCOMPARE(nPreguntas, 3);
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1)); // Cancelar kept it
        QVERIFY(!m_pMarco->close());                            // Cancelar stays
        nRespuesta = QMessageBox::Yes;
        QVERIFY(!m_pMarco->close()); // Sí, then the save dialog cancelled: stays
        QCOMPARE(nDialogos, 1);
        ruta = m_dir.filePath("al_cerrar.uak1");
        QVERIFY(m_pMarco->close()); // Sí and saved
        QVERIFY(QFile::exists(ruta));
        m_pMarco->show();
        // Just saved: closing does not ask again.
        const int nAntes = nPreguntas;
        QVERIFY(m_pMarco->close());
        QCOMPARE(nPreguntas, nAntes);
        m_pMarco->show();
        // A practice with its own file: Ctrl+S saves into it without a dialog; Ctrl+Mayús+S
        // ("Guardar como…") asks; the menu shows both keys.
        m_pMarco->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_pMarco));
        m_pMarco->Accion(ID_EQUIPO_VASO100)->trigger();
        QVERIFY(m_pMarco->windowTitle().endsWith(" *"));
        QTest::keySequence(m_pMarco, QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(nDialogos, 2);
        QVERIFY(!m_pMarco->Modificada());
        CPractica leida;
        QVERIFY(leida.AbrirPractica(ruta) == CPractica::Resultado::Correcto);
        QCOMPARE(leida.m_listaEquipo.size(), size_t(2));
        ruta = m_dir.filePath("copia.uak1");
        QTest::keySequence(m_pMarco, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QCOMPARE(nDialogos, 3);
        QVERIFY(QFile::exists(ruta));
        QVERIFY(m_pMarco->windowTitle().endsWith("(copia.uak1)"));
        QCOMPARE(m_pMarco->RutaPropuesta(), QFileInfo(ruta).absoluteFilePath());
        // A file of the shared folder is the teacher's: saving asks where (cancelled here),
        // proposing the same name in "Mis prácticas".
        Preferencias::SetCarpetaCompartida(m_dir.path());
        QCOMPARE(Preferencias::CarpetaCompartida(), m_dir.path());
        m_pMarco->Accion(ID_EQUIPO_VASO100)->trigger();
        ruta.clear();
        QVERIFY(!m_pMarco->OnGuardarPractica());
        QCOMPARE(nDialogos, 4);
        QCOMPARE(m_pMarco->RutaPropuesta(),
                 QDir(Preferencias::CarpetaPropia()).filePath(QStringLiteral("copia.uak1")));
        Preferencias::SetCarpetaCompartida(QString());
        QVERIFY(m_pMarco->OnGuardarPractica());
        QCOMPARE(nDialogos, 4);
        QMenu* archivo = m_pMarco->menuBar()->actions().constFirst()->menu();
        QVERIFY(archivo->actions().contains(m_pMarco->Accion(ID_GUARDAR_COMO)));
        const std::pair<int, const char*> teclas[] = {
            {ID_ABRIR_PRACTICA, "Ctrl+O"},     {ID_GUARDAR_PRACTICA, "Ctrl+S"},
            {ID_GUARDAR_COMO, "Ctrl+Shift+S"}, {ID_IMPRIMIR_NOTAS, "Ctrl+P"},
            {ID_APP_EXIT, "Ctrl+Q"},           {ID_HELP_FINDER, "F1"}};
        for (const auto& [nId, pszTecla] : teclas)
            QCOMPARE(m_pMarco->Accion(nId)->shortcut().toString(), QString(pszTecla));
        // Typing in the results is a change too.
        m_pMarco->m_pNotas->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QCOMPARE(nPreguntas, nAntes);
        QTest::keyClicks(m_pMarco->m_pNotas->Editor(), "x");
        nRespuesta = QMessageBox::No;
        QVERIFY(m_pMarco->close());
        QCOMPARE(nPreguntas, nAntes + 1);
        QCOMPARE(nDialogos, 4);
    }
};

QTEST_MAIN(TestVentana)
#include "tst_ventana.moc"
