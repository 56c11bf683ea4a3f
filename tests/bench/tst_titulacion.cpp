// The titration: the stopcock's drops, what each drop does and records, the graph and the
// exported data.
#include "Ayudas.h"
#include "CatalogosPrueba.h"
#include "Respuestas.h"
#include "bench/DlgTitulacion.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

class TestTitulacion : public QObject {
    Q_OBJECT
    CCatalogo cat;
    QStringList m_mensajes;

private slots:
    void init() {
        prueba::AnotarMensajes(&m_mensajes);
        cat = prueba::Catalogo903();
    }
    void cleanup() {
        prueba::MostrarMensajes();
        cat = CCatalogo();
    }

    void gotasDeLaLlave() {
        CTitulacion llave;
        for (int nApertura : {1, 2}) {
            llave.m_nApertura = nApertura;
            for (int i = 0; i < 20; ++i)
                QCOMPARE(llave.Gotear(), 0.0);
        }
        llave.m_nApertura = 3;
        llave.m_nContador = 0;
        int nGotas = 0, nPrimera = 0;
        for (int i = 1; i <= 24; ++i)
            if (llave.Gotear() > 0.0 && ++nGotas == 1)
                nPrimera = i;
        QCOMPARE(nPrimera, 8);
        QCOMPARE(nGotas, 3);
        llave.m_nApertura = 17;
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(llave.Gotear(), 0.05);
            QVERIFY(llave.m_nGota == 1 || llave.m_nGota == 2);
        }
        // Closed, the count starts again: opening for less than a drop takes lets none go.
        llave.m_nApertura = 3;
        for (int nVez = 0; nVez < 3; ++nVez) {
            for (int i = 0; i < 7; ++i)
                QCOMPARE(llave.Gotear(), 0.0);
            llave.m_nApertura = 0;
            QCOMPARE(llave.Gotear(), 0.0);
            llave.m_nApertura = 3;
        }
        // "Gota a gota": one drop per request, closed or open, one per tick.
        llave.m_nApertura = 0;
        llave.PedirGota();
        llave.PedirGota();
        QCOMPARE(llave.Gotear(), 0.05);
        QCOMPARE(llave.Gotear(), 0.05);
        QCOMPARE(llave.Gotear(), 0.0);

        // The lever: closed, then eight positions, the first already dripping and each
        // faster than the one below, up to a drop every tick.
        CTitulacion t2;
        CLlaveBureta l2(t2);
        l2.show();
        int nTicks = 1000;
        for (int n = 1; n <= CLlaveBureta::kPosiciones; ++n) {
            const int k = CTitulacion::TicksPorGota(CLlaveBureta::Apertura(n));
            QVERIFY(k > 0 && k < nTicks);
            nTicks = k;
        }
        QCOMPARE(nTicks, 1);
        QCOMPARE(CLlaveBureta::Apertura(CLlaveBureta::kPosiciones), int(CTitulacion::kAbierta));
        // A click above the lever opens it one position, below closes it one.
        const int x = l2.RectPalanca(0).center().x();
        QTest::mouseClick(&l2, Qt::LeftButton, {}, QPoint(x, 10));
        QCOMPARE(t2.m_nApertura, 3);
        QCOMPARE(l2.accessibleDescription(), QString("Una gota cada 0,8 s"));
        // Screen readers find a slider whose value is the opening, and speak each turn.
        QAccessibleInterface* pLlave = QAccessible::queryAccessibleInterface(&l2);
        QCOMPARE(pLlave->role(), QAccessible::Slider);
        QCOMPARE(pLlave->valueInterface()->currentValue().toInt(), 3);
        QCOMPARE(pLlave->valueInterface()->maximumValue().toInt(), int(CTitulacion::kAbierta));
        QCOMPARE(pLlave->text(QAccessible::Description),
                 QString("Apertura 3 de 17. Una gota cada 0,8 s"));
        pLlave->valueInterface()->setCurrentValue(8); // between two positions: the lower
        QCOMPARE(t2.m_nApertura, 7);
        pLlave->valueInterface()->setCurrentValue(3);
        QTest::mouseClick(&l2, Qt::LeftButton, {}, QPoint(x, 10));
        QCOMPARE(l2.Posicion(), 2);
        QTest::mouseClick(&l2, Qt::LeftButton, {}, QPoint(x, l2.height() - 3));
        QCOMPARE(l2.Posicion(), 1);
        // Dragging moves it a position per notch (13.5 pixels), never past either end.
        const QPoint asa = l2.RectPalanca(1).center();
        QTest::mousePress(&l2, Qt::LeftButton, {}, asa);
        QVERIFY(l2.m_bGirando);
        QTest::mouseMove(&l2, asa - QPoint(0, 6));
        QCOMPARE(l2.Posicion(), 1);
        QTest::mouseMove(&l2, asa - QPoint(0, 27));
        QCOMPARE(l2.Posicion(), 3);
        QTest::mouseMove(&l2, asa - QPoint(0, 400));
        QCOMPARE(t2.m_nApertura, 17);
        QTest::mouseMove(&l2, asa + QPoint(0, 400));
        QCOMPARE(t2.m_nApertura, 0);
        QTest::mouseMove(&l2, asa - QPoint(0, 400));
        QTest::mouseRelease(&l2, Qt::LeftButton, {}, asa - QPoint(0, 400));
        QVERIFY(!l2.m_bGirando);
        // From the keyboard: a position each arrow; Inicio closes, Re Pág opens fully; the
        // space bar lets one drop go.
        QTest::keyClick(&l2, Qt::Key_Up);
        QCOMPARE(t2.m_nApertura, 17);
        QTest::keyClick(&l2, Qt::Key_Down);
        QCOMPARE(t2.m_nApertura, 15);
        QTest::keyClick(&l2, Qt::Key_Home);
        QCOMPARE(t2.m_nApertura, 0);
        QCOMPARE(l2.accessibleDescription(), QString("Cerrada"));
        QTest::keyClick(&l2, Qt::Key_Left);
        QCOMPARE(t2.m_nApertura, 0);
        QTest::keyClick(&l2, Qt::Key_Space);
        QCOMPARE(t2.m_nGotasPedidas, 1);
        QTest::keyClick(&l2, Qt::Key_PageUp);
        QCOMPARE(t2.m_nApertura, 17);
        QCOMPARE(l2.accessibleDescription(), QString("Una gota cada 0,1 s"));
    }

    void cadaGotaCuentaYSeAnota() {
        CBureta10 bureta;
        bureta.Vincular(&cat);
        bureta.AddReagent(prueba::R_NAOH, 10.0);
        CVaso100 vaso;
        vaso.Vincular(&cat);
        vaso.AddReagent(prueba::R_PROBLEMA1, 10.0);
        vaso.m_seno.m_faseLiquida.AgregarIndicador(2); // Fenolftaleina
        CDlgTitulacion t;
        t.SetEquipo(&bureta, &vaso);
        QCOMPARE(t.m_pLectura->text(), QString("0.00")); // read before the first drop
        QVERIFY(!t.TitrationStep());                     // closed stopcock
        t.m_titulacion.m_nApertura = 17;
        QSignalSpy refresco(&t, &CDlgTitulacion::UM_REFRESCAR_GRAFICA);
        for (int i = 0; i < 60; ++i)
            QVERIFY(t.TitrationStep());
        QCOMPARE(refresco.count(), 60);
        QCOMPARE(bureta.m_lstTitulacion.size(), size_t(60));
        QVERIFY(std::fabs(bureta.m_dTitulado - 3.0) < 1e-9);
        QCOMPARE(t.m_pLectura->text(), QString("3.00"));
        QVERIFY(std::fabs(bureta.m_lstTitulacion.back().m_dVol - 0.05) < 1e-12);
        // Acid at first, base at the end; the jump lies near 1.654 ml.
        QVERIFY(bureta.m_lstTitulacion.back().m_dPH < 3.0);
        QVERIFY(bureta.m_lstTitulacion.front().m_dPH > 10.0);
        double dSalto = 0.0;
        for (auto it = bureta.m_lstTitulacion.rbegin(); it != bureta.m_lstTitulacion.rend(); ++it)
            if (it->m_dPH > 7.0) {
                dSalto = it->m_dVol;
                break;
            }
        QVERIFY2(dSalto >= 1.6 && dSalto <= 1.8, qPrintable(QString::number(dSalto)));
        // The steepest point of the curve (the window shows it) lies on the jump: within two
        // drops of it (the midpoint of a pair of points a drop apart), between the pH of the
        // acid and of the base on either side.
        double dVolEq = 0.0, dPHEq = 0.0;
        QVERIFY(CTitulacion::MaximaPendiente(bureta, dVolEq, dPHEq));
        QVERIFY2(std::fabs(dVolEq - 1.654) <= 2 * CTitulacion::kGota,
                 qPrintable(QString::number(dVolEq)));
        QVERIFY2(dPHEq > 4.0 && dPHEq < 10.0, qPrintable(QString::number(dPHEq)));

        // A receiver that is full takes nothing: no volume is counted and no point recorded.
        CProbeta10 llena;
        llena.Vincular(&cat);
        llena.AddComponent(0, 10.0, UNIDAD_ML);
        t.SetEquipo(&bureta, &llena);
        t.m_titulacion.m_nApertura = 17;
        const size_t nPuntos = bureta.m_lstTitulacion.size();
        t.TitrationStep();
        QCOMPARE(bureta.m_lstTitulacion.size(), nPuntos);
        QVERIFY(std::fabs(bureta.m_dTitulado - 3.0) < 1e-9);
        // One that is nearly full takes less than a drop: what it took is what counts.
        CProbeta10 casi;
        casi.Vincular(&cat);
        casi.AddComponent(0, 9.98, UNIDAD_ML);
        t.SetEquipo(&bureta, &casi);
        t.m_titulacion.m_nApertura = 17;
        t.TitrationStep();
        QCOMPARE(bureta.m_lstTitulacion.size(), nPuntos + 1);
        QVERIFY2(std::fabs(bureta.m_dTitulado - 3.02) < 1e-9,
                 qPrintable(QString::number(bureta.m_dTitulado, 'g', 12)));
        QVERIFY(std::fabs(bureta.m_lstTitulacion.front().m_dVol - 3.02) < 1e-9);
        // A dry burette stops dripping; "Inicializar grafica" starts the record afresh.
        t.SetEquipo(&bureta, &vaso);
        t.m_titulacion.m_nApertura = 17;
        while (bureta.VolumenLiquido() > 0.0)
            t.TitrationStep();
        QVERIFY(!t.TitrationStep());
        t.InicializarGrafica();
        QVERIFY(bureta.m_lstTitulacion.empty());
        QCOMPARE(bureta.m_dTitulado, 0.0);
        QCOMPARE(t.m_pLectura->text(), QString("10.00")); // the burette still reads empty
        // A receiver that is not a vessel, or one that left the bench, receives nothing.
        t.Olvidar(&vaso);
        QVERIFY(!t.TitrationStep());
        // "Gota a gota" lets exactly one drop go per press, the stopcock closed.
        bureta.AddReagent(prueba::R_NAOH, 5.0);
        t.SetEquipo(&bureta, &vaso);
        QTest::mouseClick(t.m_pUnaGota, Qt::LeftButton);
        QVERIFY(t.TitrationStep());
        QVERIFY(!t.TitrationStep());
        QCOMPARE(bureta.m_lstTitulacion.size(), size_t(1));
        QVERIFY(std::fabs(bureta.m_dTitulado - 0.05) < 1e-12);
        // Asked for with nothing under the tip, a drop is not kept to fall later.
        t.Olvidar(&vaso);
        QTest::mouseClick(t.m_pUnaGota, Qt::LeftButton);
        QVERIFY(!t.TitrationStep());
        QCOMPARE(t.m_titulacion.m_nGotasPedidas, 0);
    }

    void graficaYDatos() {
        CBureta50 bureta;
        bureta.Vincular(&cat);
        CDlgGrafica g(&bureta);
        double v = 1, ph = 1;
        QCOMPARE(g.m_pEscala->maximum(), 50);
        QCOMPARE(g.m_pGrafica->m_dEscalaX, 50.0);
        QVERIFY(g.Datos().isEmpty());
        QTest::mouseClick(g.findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly),
                          Qt::LeftButton);
        QCOMPARE(m_mensajes, QStringList{"No hay datos que guardar"});
        bureta.m_lstTitulacion.emplace_front(0.05, 1.23);
        bureta.m_lstTitulacion.emplace_front(0.10, 1.25);
        bureta.m_lstTitulacion.emplace_front(0.15, -1.0); // no pH: below the axis
        QCOMPARE(g.Datos(), QByteArray("-Alkor- DATOS DE TITULACION\r\n\r\nVolumen (ml)\tpH\r\n"
                                       "0.05\t1.23\r\n0.10\t1.25\r\n0.15\t-1.00\r\n"));
        QTemporaryDir dir;
        QVERIFY(g.GuardarDatos(dir.filePath("t.txt")));
        QFile f(dir.filePath("t.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), g.Datos());
        QVERIFY(!g.GuardarDatos(dir.filePath("no/t.txt")));

        // A graph 330 pixels high has s = 10: pH 7's long tick 140 pixels above the axis.
        g.m_pGrafica->resize(600, 330);
        const QImage img = g.m_pGrafica->Pintar();
        QCOMPARE(img.pixel(16, 330 - 30 - 140), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(17, 330 - 30 - 130), qRgb(255, 255, 255)); // only a short tick there
        QCOMPARE(g.m_pGrafica->PixelesPorPH(), 20.0);
        QCOMPARE(g.m_pGrafica->PixelesPorMl(), double((600 - 40) / 50));
        g.m_pGrafica->AValores(QPoint(20 + 33, 330 - 30 - 140), v, ph);
        QCOMPARE(v, 3.0);
        QCOMPARE(ph, 7.0);
        // The curve starts at the first drop and dips below the axis for the missing pH.
        bool bRojoDebajo = false;
        for (int y = 300; y < 330 && !bRojoDebajo; ++y)
            for (int x = 20; x < 60; ++x)
                bRojoDebajo |= img.pixel(x, y) == qRgb(255, 0, 0);
        QVERIFY(bRojoDebajo);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.m_pGrafica->resize(600, 330);
        QTest::mouseMove(g.m_pGrafica, QPoint(20, 300));
        QCOMPARE(g.m_pGrafica->m_strLectura, QString("Vol=0.00, pH=0.00"));
        // A drag of the slider rescales when it is let go; the keyboard at once.
        g.m_pEscala->setSliderDown(true);
        g.m_pEscala->setValue(10);
        QCOMPARE(g.m_pGrafica->m_dEscalaX, 50.0);
        g.m_pEscala->setSliderDown(false);
        QCOMPARE(g.m_pGrafica->m_dEscalaX, 10.0);
        g.m_pEscala->setFocus();
        QTest::keyClick(g.m_pEscala, Qt::Key_Right);
        QCOMPARE(g.m_pGrafica->m_dEscalaX, 11.0);
        // The arrows walk the curve from the keyboard, and say where they stand.
        QTest::keyClick(g.m_pGrafica, Qt::Key_Home);
        QCOMPARE(g.m_pGrafica->m_strLectura, QString("Vol=0.05, pH=1.23"));
        QTest::keyClick(g.m_pGrafica, Qt::Key_Right);
        QCOMPARE(g.m_pGrafica->accessibleDescription(), QString("Punto 2 de 3: 0.10 ml, pH 1.25"));
        QTest::keyClick(g.m_pGrafica, Qt::Key_End);
        QTest::keyClick(g.m_pGrafica, Qt::Key_Right); // stays on the last
        QCOMPARE(g.m_pGrafica->m_strLectura, QString("Vol=0.15, pH=-1.00"));
        g.Olvidar(&bureta);
        QVERIFY(g.Datos().isEmpty());
    }
};

QTEST_MAIN(TestTitulacion)
#include "tst_titulacion.moc"
