// The bench view as a student uses it: the clock, selecting, dragging, panning, pouring
// and the pop-up menus.
#include "Ayudas.h"
#include "Respuestas.h"
#include "bench/ChildView.h"
#include "document/Practica.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Instrumentos.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QMenu>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

using prueba::Nuevo;

// A reading instrument the bench has no words of its own for: a pressure gauge reading the
// standard atmosphere, 101.325 kPa (IUPAC).
class CManometro : public CInstrumentoLectura {
public:
    CManometro() : CInstrumentoLectura(101.325) {}
    QString Unidad() const override { return QStringLiteral("kPa"); }

protected:
    double Leer(CRecipiente&) const override { return 101.325; }
};

class TestMesa : public QObject {
    Q_OBJECT
    CCatalogo cat;
    CPractica* m_pPractica = nullptr;
    CChildView* m_pVista = nullptr;

    CListaEquipo& Lista() { return m_pPractica->m_listaEquipo; }
    QPoint Cliente(const QPoint& ptBanco) const { return ptBanco + m_pVista->m_ptOrigen; }

private slots:
    void init() {
        cat = CCatalogo::Inicial();
        m_pPractica = new CPractica;
        m_pVista = new CChildView(*m_pPractica);
        m_pVista->resize(800, 600);
        m_pVista->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pVista));
        m_pVista->StopTimer(); // the tests drive the clock
    }
    void cleanup() {
        delete m_pVista;
        delete m_pPractica;
        cat = CCatalogo();
    }

    // Screen readers hear each instrument's reading in its own unit (the calorimeter's lid
    // in degrees); one that has no description of its own says what it is and what it
    // reads, in no unit but its own.
    void descripcionParaLectores() {
        auto* c = new CCalorimetro;
        Lista().AgregarAlFinal(c);
        c->AddComponent(0, 100.0, UNIDAD_ML);
        c->m_seno.m_dTemperatura = 34.0;
        CTapaCalorimetro* pTapa = c->Tapar(Lista());
        QVERIFY(pTapa);
        QCOMPARE(pTapa->Descripcion(), QString("34 °C"));
        CBalanza balanza;
        QCOMPARE(balanza.Descripcion(), QString("0.0000 g"));
        CManometro manometro;
        QCOMPARE(manometro.Descripcion(), QString("Instrumento de medida: 101.3 kPa"));
    }

    void puntoDeInsercionAlCentro() {
        QCOMPARE(m_pVista->PuntoInsercion(), QPoint(400, 300));
        const QImage img = m_pVista->Pintar();
        QCOMPARE(img.pixel(10, 10), qRgb(255, 255, 255)); // an empty bench is white
    }

    void ritmoDelReloj() {
        auto* v = Nuevo<CVaso100>(Lista(), 100, 100);
        v->AddComponent(0, 50.0, UNIDAD_ML);
        v->m_seno.m_dTemperatura = 40.0;
        QSignalSpy avisos(m_pVista, &CChildView::UM_TICK);
        for (int nTicks : {1, 3, 5}) {
            m_pVista->m_nTicksPorPaso = nTicks;
            m_pVista->m_nTick = 0;
            int nPasos = 0;
            for (int i = 1; i <= 15; ++i) {
                const double t = v->m_seno.m_dTemperatura;
                m_pVista->Tick();
                if (v->m_seno.m_dTemperatura != t) {
                    ++nPasos;
                    QCOMPARE(i % nTicks, 0); // steps fall on ticks n, 2n, 3n...
                }
            }
            QCOMPARE(nPasos, 15 / nTicks);
        }
        QCOMPARE(avisos.count(), 45);
        // While the practice is busy the tick is ignored entirely.
        m_pPractica->m_bOcupado = 1;
        m_pVista->m_nTick = 0;
        m_pVista->Tick();
        QCOMPARE(m_pVista->m_nTick, 0);
        QCOMPARE(avisos.count(), 45);
        m_pPractica->m_bOcupado = 0;
        // A speed lowered below the count makes the next tick a step.
        m_pVista->m_nTicksPorPaso = 5;
        m_pVista->m_nTick = 4;
        m_pVista->m_nTicksPorPaso = 2;
        const double t = v->m_seno.m_dTemperatura;
        m_pVista->Tick();
        QVERIFY(v->m_seno.m_dTemperatura != t);
    }

    // A reaction that doubles its reactant is held by the model at the most a file keeps:
    // the student is told once, the clock stands still while the box shows and runs again
    // after it, and the practice (results and all) still saves.
    void reaccionQueCreceSeAvisaUnaVez() {
        QString strError;
        QCOMPARE(m_pPractica->AbrirPractica(QStringLiteral(ALKOR_DATOS "/reactivo_que_crece.uak1"),
                                            &strError),
                 CPractica::Resultado::Correcto);
        QStringList mensajes;
        bool bRelojParado = false;
        Mensajes::SetRespuesta([&](const QString& s) {
            mensajes << s;
            bRelojParado = !m_pVista->TimerActivo();
            return QMessageBox::Ok;
        });
        m_pVista->StartTimer();
        m_pVista->m_nTicksPorPaso = 1;
        for (int i = 0; i < 60; ++i)
            m_pVista->Tick();
        prueba::MostrarMensajes();
        QCOMPARE(mensajes.size(), 1);
        QVERIFY2(mensajes[0].contains(QStringLiteral("«Duplicación»")), qPrintable(mensajes[0]));
        QVERIFY(bRelojParado);
        QVERIFY(m_pVista->TimerActivo());
        m_pVista->StopTimer();
        const std::vector<uint8_t> datos = m_pPractica->EscribirPractica();
        QVERIFY(!datos.empty());
    }

    void seleccionYArrastre() {
        auto* abajo = Nuevo<CVaso250>(Lista(), 100, 100);
        auto* arriba = Nuevo<CVaso100>(Lista(), 120, 110); // drawn later: on top
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({130, 120}));
        QCOMPARE(m_pVista->m_pSeleccion, arriba);
        QCOMPARE(arriba->m_bSeleccionado, 1);
        QCOMPARE(abajo->m_bSeleccionado, 0);
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({700, 500}));
        QVERIFY(!m_pVista->m_pSeleccion);
        // Dragging moves the item by the mouse's way.
        QTest::mousePress(m_pVista, Qt::LeftButton, {}, Cliente({105, 105}));
        QCOMPARE(m_pVista->m_pSeleccion, abajo);
        QTest::mouseMove(m_pVista, Cliente({135, 125}));
        QTest::mouseRelease(m_pVista, Qt::LeftButton, {}, Cliente({135, 125}));
        QCOMPARE(QPoint(abajo->m_x, abajo->m_y), QPoint(130, 120));
        QCOMPARE(Lista().front(), abajo); // a vessel keeps its place
        // An instrument goes on top after a drag, the ice bath beneath everything.
        auto* t = new CTermometro;
        t->SetPosition(400, 100);
        Lista().AgregarAlFrente(t);
        auto* h = Nuevo<CBanoHielo>(Lista(), 500, 400);
        QTest::mousePress(m_pVista, Qt::LeftButton, {}, Cliente({410, 120}));
        QTest::mouseMove(m_pVista, Cliente({412, 120}));
        QTest::mouseRelease(m_pVista, Qt::LeftButton, {}, Cliente({412, 120}));
        QCOMPARE(Lista().back(), t);
        QTest::mousePress(m_pVista, Qt::LeftButton, {}, Cliente({510, 410}));
        QTest::mouseRelease(m_pVista, Qt::LeftButton, {}, Cliente({510, 410}));
        QCOMPARE(Lista().front(), h);
        QCOMPARE(m_pVista->m_pSeleccion, h);
    }

    void desplazarLaMesa() {
        auto* v = Nuevo<CVaso100>(Lista(), 100, 100);
        QTest::mousePress(m_pVista, Qt::LeftButton, Qt::ControlModifier, QPoint(300, 300));
        QVERIFY(m_pVista->m_bDesplazando);
        QTest::mouseMove(m_pVista, QPoint(350, 320));
        QTest::mouseRelease(m_pVista, Qt::LeftButton, Qt::ControlModifier, QPoint(350, 320));
        QCOMPARE(m_pVista->m_ptOrigen, QPoint(50, 20));
        QCOMPARE(QPoint(v->m_x, v->m_y), QPoint(100, 100)); // items keep bench coordinates
        QCOMPARE(m_pVista->PuntoInsercion(), QPoint(400 - 50, 300 - 20));
        // Clicks land where the items are drawn.
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, QPoint(155, 125));
        QCOMPARE(m_pVista->m_pSeleccion, v);
        const QImage img = m_pVista->Pintar();
        QVERIFY(img.pixel(100 + 50 + 39, 100 + 20 + 88 - 1) != qRgb(255, 255, 255));
    }

    // Zoomed, the view maps the bench to the screen and nothing else: clicks, drags and pours
    // land on the items drawn under the mouse, the zoom keeps the point under the mouse or
    // the centre, and the pictures are drawn anew at the scale, not blown up.
    void zoom() {
        auto* fuente = Nuevo<CVaso250>(Lista(), 100, 100);
        fuente->AddComponent(0, 80.0, UNIDAD_ML);
        auto* destino = Nuevo<CVaso100>(Lista(), 300, 100);
        m_pVista->SetZoom(3.0, QPoint(0, 0));
        QCOMPARE(m_pVista->m_ptOrigen, QPoint(0, 0));
        QCOMPARE(m_pVista->AreaVisible(), QRect(0, 0, 267, 200));
        QCOMPARE(m_pVista->PuntoInsercion(), QPoint(133, 100));
        // (450, 450) of the view is (150, 150) of the bench: inside the first beaker.
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, QPoint(3 * 150, 3 * 150));
        QCOMPARE(m_pVista->m_pSeleccion, fuente);
        QTest::mousePress(m_pVista, Qt::LeftButton, {}, QPoint(450, 450));
        QTest::mouseMove(m_pVista, QPoint(450 + 31, 450 - 15));
        QTest::mouseRelease(m_pVista, Qt::LeftButton, {}, QPoint(450 + 31, 450 - 15));
        QCOMPARE(QPoint(fuente->m_x, fuente->m_y), QPoint(110, 95));
        // Pouring at 50 %, about the view's centre.
        m_pVista->SetZoom(0.5);
        QCOMPARE(m_pVista->Zoom(), 0.5);
        m_pVista->BeginDecant();
        QTest::mouseClick(m_pVista, Qt::LeftButton, {},
                          m_pVista->ACliente(destino->m_rcArea.center() + QPoint(0, 20)));
        QCOMPARE(destino->VolumenLiquido(), 80.0);
        // Ctrl + wheel: one step per notch, the bench point under the mouse stays put.
        m_pVista->SetZoom(1.0);
        const QPoint ptRaton(250, 170);
        const QPoint ptBanco = m_pVista->ToBench(ptRaton);
        QWheelEvent rueda(ptRaton, m_pVista->mapToGlobal(ptRaton), {}, QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pVista, &rueda);
        QCOMPARE(m_pVista->Zoom(), 1.1);
        const QPoint dAncla = m_pVista->ToBench(ptRaton) - ptBanco; // the origin is whole pixels
        QVERIFY(std::abs(dAncla.x()) <= 1 && std::abs(dAncla.y()) <= 1);
        m_pVista->SetZoom(9.0);
        QCOMPARE(m_pVista->Zoom(), 4.0);
        m_pVista->Acercar();
        QCOMPARE(m_pVista->Zoom(), 4.0);
        // "Ajustar a la ventana": the largest step that shows everything.
        auto* lejos = Nuevo<CVaso100>(Lista(), 1500, 900);
        m_pVista->AjustarAVentana();
        QCOMPARE(m_pVista->Zoom(), 0.5);
        QVERIFY(m_pVista->AreaVisible().contains(lejos->m_rcArea));
        QVERIFY(m_pVista->AreaVisible().contains(fuente->m_rcArea));
        Lista().Eliminar(lejos);
        m_pVista->AjustarAVentana(); // 268 x 101 in 780 x 580: 291 %
        QCOMPARE(m_pVista->Zoom(), 2.5);

        // At 200 % a picture blown up from 100 % would be made of 2 x 2 blocks of one colour;
        // rendered at 200 % its outlines fall inside the blocks.
        m_pVista->SetZoom(2.0);
        const QImage img = m_pVista->Pintar(1.0);
        const QRect rc = m_pVista->ACliente(destino->m_rcArea);
        int nPartidos = 0;
        for (int y = rc.top(); y + 1 < rc.bottom(); y += 2)
            for (int x = rc.left(); x + 1 < rc.right(); x += 2) {
                const QRgb c = img.pixel(x, y);
                if (img.pixel(x + 1, y) != c || img.pixel(x, y + 1) != c ||
                    img.pixel(x + 1, y + 1) != c)
                    ++nPartidos;
            }
        QVERIFY2(nPartidos > 100, qPrintable(QString::number(nPartidos)));
        // At a ratio of 2 the image is twice as large and the beaker where it was.
        const QImage img2 = m_pVista->Pintar(2.0);
        QCOMPARE(img2.size(), m_pVista->size() * 2);
        QCOMPARE(img2.pixel(2 * (rc.center().x()), 2 * (rc.bottom() - 1)) == qRgb(255, 255, 255),
                 img.pixel(rc.center().x(), rc.bottom() - 1) == qRgb(255, 255, 255));
    }

    void decantarYTransferir() {
        auto* fuente = Nuevo<CVaso250>(Lista(), 100, 100);
        fuente->AddComponent(0, 80.0, UNIDAD_ML);
        fuente->AddComponent(2, 0.01, UNIDAD_MOLES);
        auto* destino = Nuevo<CVaso100>(Lista(), 400, 100);
        auto* mechero = Nuevo<CMechero>(Lista(), 600, 100);
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({110, 110}));
        m_pVista->BeginDecant();
        // Empty bench, the source itself and a burner leave the mode armed.
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({350, 500}));
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({110, 110}));
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({610, 110}));
        QVERIFY(m_pVista->m_bDecantar);
        QCOMPARE(destino->VolumenLiquido(), 0.0);
        Q_UNUSED(mechero);
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({410, 110}));
        QVERIFY(!m_pVista->m_bDecantar);
        QCOMPARE(destino->VolumenLiquido(), 80.0);
        QCOMPARE(m_pVista->m_pSeleccion, destino);
        QCOMPARE(fuente->m_seno.m_faseSolida.Moles(2), 0.01); // decanting leaves the solid
        // Transfer moves the liquid, then the solid into the space left.
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({110, 110}));
        m_pVista->BeginTransfer();
        QTest::mouseClick(m_pVista, Qt::LeftButton, {}, Cliente({410, 110}));
        QVERIFY(!m_pVista->m_bTransferir);
        QCOMPARE(destino->m_seno.m_faseSolida.Moles(2), 0.01);
    }

    // The bench from the keyboard: Tab walks the items, an arrow moves the selected one as a
    // drag would, the menu key opens its menu at it, a pour chooses its vessel with the arrows
    // and Intro, Esc gives a pour up and Supr deletes.
    void teclado() {
        auto* a = Nuevo<CVaso250>(Lista(), 100, 100);
        a->AddComponent(0, 80.0, UNIDAD_ML);
        auto* b = Nuevo<CVaso100>(Lista(), 400, 100);
        auto* m = Nuevo<CMechero>(Lista(), 600, 100);
        m_pVista->activateWindow();
        m_pVista->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_pVista));
        QSignalSpy cambios(m_pVista, &CChildView::Modificado);
        QTest::keyClick(m_pVista, Qt::Key_Tab);
        QCOMPARE(m_pVista->m_pSeleccion, a);
        QCOMPARE(a->m_bSeleccionado, 1);
        QTest::keyClick(m_pVista, Qt::Key_Right);
        QCOMPARE(QPoint(a->m_x, a->m_y), QPoint(101, 100));
        QCOMPARE(cambios.count(), 1);
        QTest::keyClick(m_pVista, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(QPoint(a->m_x, a->m_y), QPoint(101, 110));
        QCOMPARE(cambios.count(), 2);
        // The focus frame runs around the selected item.
        const QImage img = m_pVista->grab().toImage();
        const QRect rcFoco = m_pVista->ACliente(a->m_rcArea).adjusted(-5, -5, 4, 4);
        int nFoco = 0;
        for (int x = rcFoco.left(); x <= rcFoco.right(); ++x)
            nFoco += img.pixel(x, rcFoco.top()) == qRgb(26, 111, 208);
        QVERIFY2(nFoco > rcFoco.width() / 3, qPrintable(QString::number(nFoco)));
        QTest::keyClick(m_pVista, Qt::Key_Tab);
        QTest::keyClick(m_pVista, Qt::Key_Tab);
        QCOMPARE(m_pVista->m_pSeleccion, m);
        QTest::keyClick(m_pVista, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(m_pVista, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_pVista->m_pSeleccion, a);
        // The menu key opens the item's menu at the item.
        QPoint ptMenu;
        QTimer::singleShot(50, this, [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                ptMenu = menu->pos();
                menu->close();
            }
        });
        QTest::keyClick(m_pVista, Qt::Key_Menu);
        QCOMPARE(ptMenu, m_pVista->mapToGlobal(m_pVista->ACliente(a->m_rcArea).center()));
        QCOMPARE(m_pVista->m_pSeleccion, a);
        // Decanting: the arrows pass over the burner and the source; Intro pours.
        m_pVista->BeginDecant();
        QTest::keyClick(m_pVista, Qt::Key_Right);
        QCOMPARE(m_pVista->Candidato(), b);
        QTest::keyClick(m_pVista, Qt::Key_Left);
        QCOMPARE(m_pVista->Candidato(), b);
        QCOMPARE(QPoint(a->m_x, a->m_y), QPoint(101, 110)); // nothing moved meanwhile
        QTest::keyClick(m_pVista, Qt::Key_Return);
        QVERIFY(!m_pVista->Vertiendo());
        QCOMPARE(b->VolumenLiquido(), 80.0);
        QCOMPARE(m_pVista->m_pSeleccion, b);
        m_pVista->BeginTransfer();
        QTest::keyClick(m_pVista, Qt::Key_Tab);
        QTest::keyClick(m_pVista, Qt::Key_Escape);
        QVERIFY(!m_pVista->Vertiendo());
        QVERIFY(!m_pVista->Candidato());
        QCOMPARE(a->VolumenLiquido(), 0.0);
        // Supr deletes as the menu's "Eliminar" does.
        const int nCambios = cambios.count();
        QTest::keyClick(m_pVista, Qt::Key_Delete);
        QVERIFY(!Lista().Contiene(b));
        QVERIFY(!m_pVista->m_pSeleccion);
        QCOMPARE(cambios.count(), nCambios + 1);
    }

    void menuDeUnEquipo() {
        auto* p = Nuevo<CParrilla>(Lista(), 100, 100);
        // Choose "Nivel 5" in the pop-up menu as soon as it shows.
        QTimer::singleShot(50, this, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QStringList textos;
            for (QAction* a : menu->actions())
                textos << a->text();
            // Each entry has its own access key: "5" chooses "Nivel 5".
            QCOMPARE(textos, (QStringList{"&Eliminar", "", "&Apagar", "&Nivel 1", "Nivel &2",
                                          "Nivel &3", "Nivel &4", "Nivel &5"}));
            // A new plate is on, at level 2, and its menu says so.
            QStringList marcadas;
            for (QAction* a : menu->actions())
                if (a->isChecked())
                    marcadas << a->text();
            QCOMPARE(marcadas, QStringList{"Nivel &2"});
            QTest::keyClick(menu, Qt::Key_5);
        });
        QCOMPARE(m_pVista->TextoAyudaEn(Cliente({110, 110})),
                 QString("Parrilla: Encendida, nivel 2 de 5"));
        QTest::mouseClick(m_pVista, Qt::RightButton, {}, Cliente({110, 110}));
        QCOMPARE(p->m_dPotencia, 20.0);
        QCOMPARE(p->Nivel(), 5);
        p->SetNivel(0);
        QCOMPARE(m_pVista->TextoAyudaEn(Cliente({110, 110})), QString("Parrilla: Apagada"));
        QVERIFY(m_pVista->TextoAyudaEn(Cliente({600, 600})).isEmpty());
        // "Eliminar" takes it off the bench and out of the selection.
        m_pVista->Comando(ID_ELIMINAR);
        QVERIFY(Lista().empty());
        QVERIFY(!m_pVista->m_pSeleccion);
    }

    void comandosDeLaMesa() {
        CListaEquipo& l = Lista();
        auto* m = Nuevo<CMatrazBalon>(l, 100, 300);
        m_pVista->SelectAt(QPoint(110, 350));
        m_pVista->Comando(ID_CABEZA_DESTILACION);
        m_pVista->Comando(ID_CONDENSADOR);
        m_pVista->Comando(ID_CODO_DESTILACION);
        QCOMPARE(QPoint(m->m_pCabeza->m_x, m->m_pCabeza->m_y), QPoint(100, 100));
        QCOMPARE(QPoint(m->m_pCondensador->m_x, m->m_pCondensador->m_y), QPoint(167, 255));
        QCOMPARE(QPoint(m->m_pCodo->m_x, m->m_pCodo->m_y), QPoint(341, 320));
        QCOMPARE(l.back(), m->m_pCodo);
        m_pVista->Comando(ID_ELIMINAR_DESTILACION);
        QCOMPARE(l.size(), size_t(1));
        QVERIFY(m_pVista->TimerActivo()); // restarted after the removal
        m_pVista->StopTimer();
        m_pVista->Comando(ID_CONDENSADOR_REFLUJO);
        QCOMPARE(QPoint(m->m_pReflujo->m_x, m->m_pReflujo->m_y), QPoint(100, 142));
        m_pVista->Comando(ID_ELIMINAR_REFLUJO);
        QVERIFY(!m->m_pReflujo && !m->m_pConectado);

        auto* c = Nuevo<CCalorimetro>(l, 400, 300);
        m_pVista->SelectAt(QPoint(410, 350));
        m_pVista->Comando(ID_TAPAR_CALORIMETRO);
        QVERIFY(c->m_pTapa);
        m_pVista->Comando(ID_DESTAPAR_CALORIMETRO);
        QVERIFY(!c->m_pTapa);
        c->AddComponent(0, 50.0, UNIDAD_ML);
        m_pVista->Comando(ID_ELIMINAR_CONTENIDO);
        QCOMPARE(c->VolumenLiquido(), 0.0);

        auto* b = Nuevo<CBalanza>(l, 600, 300);
        b->m_dLectura = 65.0;
        m_pVista->SelectAt(QPoint(610, 310));
        m_pVista->Comando(ID_TARAR);
        QCOMPARE(b->Peso(), 0.0);
        auto* p = Nuevo<CParrilla>(l, 800, 300);
        m_pVista->SelectAt(QPoint(810, 310));
        m_pVista->Comando(ID_NIVEL3);
        QCOMPARE(p->m_dPotencia, 10.0);
        QCOMPARE(p->m_nLuces, 3);
        m_pVista->Comando(ID_APAGAR);
        QCOMPARE(p->m_dPotencia, 0.0);
        QCOMPARE(p->m_nLuces, 0);

        // A volumetric pipette over a beaker holding 5 ml receives those 5 ml.
        auto* v = Nuevo<CVaso100>(l, 1000, 300);
        v->AddComponent(0, 5.0, UNIDAD_ML);
        auto* pv = Nuevo<CPipetaVolumetrica>(l, 1030, 300 - 181);
        l.PasoSimulacion();
        QCOMPARE(pv->m_pConectado, v);
        m_pVista->SelectAt(QPoint(1035, 200));
        QCOMPARE(m_pVista->m_pSeleccion, pv);
        m_pVista->Comando(ID_LLENAR_DESDE);
        QCOMPARE(pv->VolumenLiquido(), 5.0);
        m_pVista->Comando(ID_VACIAR_EN);
        QCOMPARE(v->VolumenLiquido(), 5.0);
        // "Eliminar" on a parent takes its pieces along.
        m_pVista->SelectAt(QPoint(110, 350));
        m_pVista->Comando(ID_CABEZA_DESTILACION);
        m_pVista->Comando(ID_ELIMINAR);
        QVERIFY(!l.Contiene(m));
        QCOMPARE(l.size(), size_t(5));
        QVERIFY(!m_pVista->m_pSeleccion);
    }
};

QTEST_MAIN(TestMesa)
#include "tst_mesa.moc"
