// The main window: start-up, the palette and its enabling rules, the practice commands,
// titles, the speed slider, the browser and the close prompt.
#include "Calentadores.h"
#include "Catalogo.h"
#include "ChildView.h"
#include "DlgAbrirPractica.h"
#include "MainFrame.h"
#include "NotasView.h"
#include "OrdenesMarco.h"
#include "Plantillas.h"
#include "Practica.h"
#include "Presentacion.h"
#include "Recipientes.h"
#include "Respuestas.h"
#include "Rtf.h"
#include "Titulacion.h"
#include "Vasos.h"

#include <QAction>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

class TestVentana : public QObject {
    Q_OBJECT
    CPractica* m_pPractica = nullptr;
    CMainFrame* m_pMarco = nullptr;
    QTemporaryDir m_dir;
    QStringList m_mensajes; // what the message boxes would have said

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
    void init() {
        prueba::AnotarMensajes(&m_mensajes);
        CrearCatalogoInicial();
        m_pPractica = new CPractica;
        m_pMarco = new CMainFrame(*m_pPractica);
        m_pMarco->resize(1200, 800);
        m_pMarco->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pMarco));
    }
    void cleanup() {
        m_pMarco->m_fnPreguntaCierre = [] { return int(QMessageBox::No); };
        delete m_pMarco;
        delete m_pPractica;
        prueba::MostrarMensajes();
        DestruirCatalogo();
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
        QCOMPARE(m_pMarco->m_pToolBar->actions().size(), 20);
    }

    void insertarYHabilitar() {
        const QPoint ptInsercion = CEquipo::GetInsertionPoint();
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(2));
        CEquipo* primero = m_pPractica->m_listaEquipo.front();
        CEquipo* segundo = m_pPractica->m_listaEquipo.back();
        QCOMPARE(primero->m_rcArea, segundo->m_rcArea);
        QCOMPARE(QPoint(primero->m_x + primero->m_cx / 2, primero->m_y + primero->m_cy),
                 ptInsercion);
        // A click there selects the first inserted (drawn on top).
        Mesa()->SelectAt(QPoint(primero->m_x + 5, primero->m_y + 5));
        QCOMPARE(Mesa()->m_pSeleccion, segundo);

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
        QCOMPARE(g_nIndicadores, 3);
        QCOMPARE(m_pMarco->m_pNotas->Seccion(), int(CNotasView::SECCION_MARCO));
        QVERIFY(!m_pMarco->m_pNotas->Editor()->toPlainText().isEmpty());
        QVERIFY(QFile::exists(QDir(QDir::tempPath()).filePath("ttt.akp")));

        // Saving sets the title; a practice that forbids the speed control disables it.
        m_pPractica->m_strPractica = "Mi titulación";
        m_pPractica->m_bVelocidad = 0;
        m_pMarco->Accion(ID_EQUIPO_VASO250)->trigger();
        const QString ruta = m_dir.filePath("mia.uak1");
        QVERIFY(m_pMarco->GuardarPractica(ruta));
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Mi titulación"));
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
        Mesa()->SelectAt(QPoint(m_pPractica->m_listaEquipo.front()->m_x + 3,
                                m_pPractica->m_listaEquipo.front()->m_y + 3));
        CEquipo* pSeleccion = Mesa()->m_pSeleccion;
        QVERIFY(pSeleccion);
        QVERIFY(!m_pMarco->AbrirPractica(mala));
        QCOMPARE(m_mensajes.size(), 1);
        QVERIFY(m_mensajes[0].startsWith("Se intentó acceder a"));
        QCOMPARE(m_pMarco->windowTitle(), QString("Alkor - Mi titulación"));
        QCOMPARE(m_pPractica->m_listaEquipo.size(), size_t(1));
        QCOMPARE(Mesa()->m_pSeleccion, pSeleccion);
        QCOMPARE(g_nIndicadores, 3);
        QVERIFY(Mesa()->TimerActivo());
        QCOMPARE(m_pPractica->m_bOcupado, 0);
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
        QCOMPARE(t->m_pBureta, b);
        QCOMPARE(t->m_pReceptor, v);
        // Every tick, whatever the speed, drips through the open stopcock.
        b->AddComponent(0, 5.0, UNIDAD_ML);
        t->m_pLlave->m_nApertura = 17;
        Mesa()->m_nTicksPorPaso = 5;
        for (int i = 0; i < 4; ++i)
            m_pMarco->OnUM_TICK();
        QCOMPARE(b->m_lstTitulacion.size(), size_t(4));
        QVERIFY(std::fabs(v->VolumenLiquido() - 0.2) < 1e-9);
        m_pMarco->OnUM_GRAFICA(b);
        QVERIFY(m_pMarco->m_bGraficando && m_pMarco->m_pDlgGrafica->isVisible());
        // "Titular" again while the window is open changes nothing.
        m_pMarco->OnUM_TITULAR();
        QCOMPARE(t->m_pBureta, b);
        // Deleting the burette leaves no window holding it.
        Mesa()->Comando(ID_ELIMINAR);
        QVERIFY(!t->m_pBureta);
        QVERIFY(!m_pMarco->m_pDlgGrafica->m_pBureta);
        m_pMarco->OnUM_TICK();
        m_pMarco->m_pDlgGrafica->m_pGrafica->repaint();
        // Closing it clears the flag; clearing the bench forgets the receiver too.
        t->close();
        QVERIFY(!m_pMarco->m_bTitulando && !t->isVisible());
        m_pMarco->LimpiarMesa();
        QVERIFY(!t->m_pReceptor);
    }

    void navegadorDePracticas() {
        CDlgAbrirPractica plantillas(m_pMarco);
        QCOMPARE(plantillas.windowTitle(), QString("Seleccione la práctica a iniciar"));
        QVERIFY(plantillas.m_pArbol->isHidden());
        QCOMPARE(plantillas.m_pLista->topLevelItemCount(),
                 Plantillas::kUltima - Plantillas::kPrimera + 1);
        QCOMPARE(plantillas.m_pLista->topLevelItem(3)->text(0), QString("Titulación ácido-base"));
        QVERIFY(!plantillas.Elegir()); // nothing selected: nothing happens
        plantillas.m_pLista->setCurrentItem(plantillas.m_pLista->topLevelItem(3));
        QVERIFY(plantillas.Elegir());
        QCOMPARE(plantillas.m_nRecurso, 903);

        // File mode lists only the exact extension, read from each file's head.
        QTemporaryDir carpeta;
        CPractica p;
        p.m_strPractica = "Práctica A";
        p.m_strResumen = "Resumen A";
        QVERIFY(p.GuardarPractica(carpeta.filePath("a.uak1")) == CPractica::Resultado::Correcto);
        QVERIFY(p.GuardarPractica(carpeta.filePath("b.UAK1")) == CPractica::Resultado::Correcto);
        QVERIFY(p.GuardarPractica(carpeta.filePath("c.akp")) == CPractica::Resultado::Correcto);
        const QString antes = QDir::currentPath();
        QDir::setCurrent(carpeta.path());
        CDlgAbrirPractica archivos(m_pMarco, false);
        QDir::setCurrent(antes);
        QCOMPARE(archivos.windowTitle(), QString("Seleccione la práctica a abrir"));
        QCOMPARE(archivos.m_pLista->topLevelItemCount(), 1);
        QCOMPARE(archivos.m_pLista->topLevelItem(0)->text(0), QString("Práctica A"));
        QCOMPARE(archivos.m_pLista->topLevelItem(0)->text(1), QString("Resumen A"));
        QVERIFY(archivos.m_pArbol->currentItem());
        QCOMPARE(QDir(archivos.m_pArbol->RutaDe(archivos.m_pArbol->currentItem())).canonicalPath(),
                 QDir(carpeta.path()).canonicalPath());
        archivos.m_pLista->setCurrentItem(archivos.m_pLista->topLevelItem(0));
        QVERIFY(archivos.Elegir());
        QCOMPARE(QFileInfo(archivos.m_strArchivo).fileName(), QString("a.uak1"));
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
        // A practice started afterwards does not inherit the typing.
        QVERIFY(m_pMarco->IniciarPractica(902));
        QVERIFY(!QString::fromStdString(m_pPractica->m_strResultados).contains("Fin."));
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

    void preguntaAlCerrar() {
        int nRespuesta = QMessageBox::Cancel;
        QString ruta;
        int nDialogos = 0;
        m_pMarco->m_fnPreguntaCierre = [&] { return nRespuesta; };
        m_pMarco->m_fnDialogoGuardar = [&] {
            ++nDialogos;
            return ruta;
        };
        QVERIFY(!m_pMarco->close()); // Cancelar stays
        nRespuesta = QMessageBox::Yes;
        QVERIFY(!m_pMarco->close()); // Sí, then the save dialog cancelled: stays
        QCOMPARE(nDialogos, 1);
        ruta = m_dir.filePath("al_cerrar.uak1");
        QVERIFY(m_pMarco->close()); // Sí and saved
        QVERIFY(QFile::exists(ruta));
        m_pMarco->show();
        nRespuesta = QMessageBox::No;
        QVERIFY(m_pMarco->close());
        QCOMPARE(nDialogos, 2);
    }
};

QTEST_MAIN(TestVentana)
#include "tst_ventana.moc"
