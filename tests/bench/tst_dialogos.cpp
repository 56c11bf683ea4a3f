// The material dialogs, the properties window and the bench commands that use them, driven
// with keys and clicks as a student would.
#include "Ayudas.h"
#include "CatalogosPrueba.h"
#include "Respuestas.h"
#include "bench/CampoNumero.h"
#include "bench/ChildView.h"
#include "bench/DlgMateriales.h"
#include "bench/DlgPropiedades.h"
#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Recipientes.h"
#include "equipment/TablaContenido.h"
#include "equipment/Vasos.h"
#include "model/Catalogo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using prueba::AlAbrirse;
using prueba::Nuevo;

namespace {

void Escribir(CCampoNumero* c, const QString& s) {
    c->Edit()->selectAll();
    QTest::keyClicks(c->Edit(), s);
}

} // namespace

class TestDialogos : public QObject {
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

    void agua() {
        CDlgAgua d;
        d.m_dCapacidadVaso = 250;
        d.m_dVolumenVaso = 100;
        d.show();
        QCOMPARE(d.m_pAdicionar->Minimo(), 1);
        QCOMPARE(d.m_pAdicionar->Maximo(), 150);
        QCOMPARE(d.m_pAforar->Minimo(), 101);
        QCOMPARE(d.m_pAforar->Maximo(), 250);
        QCOMPARE(d.m_pAdicionar->Texto(), QString("0"));
        QVERIFY(d.m_pAdicionar->isEnabled() && !d.m_pAforar->isEnabled());
        // At the top of the range the arrow wraps round to the bottom.
        d.m_pAforar->Edit()->setText("250");
        d.m_pAforar->Paso(+1);
        QCOMPARE(d.m_pAforar->Texto(), QString("101"));
        QTest::mouseClick(d.m_pModoAforar, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!d.m_pAdicionar->isEnabled() && d.m_pAforar->isEnabled());
        Escribir(d.m_pAforar, "200");
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.m_dAgua, 100.0);
        // A screen position at the top right.
        const QRect pantalla = d.screen()->geometry();
        QCOMPARE(d.frameGeometry().right(), pantalla.right() - 10);
        QCOMPARE(d.frameGeometry().top(), pantalla.top() + 10);

        CDlgAgua e;
        e.m_dCapacidadVaso = 250;
        e.show();
        Escribir(e.m_pAdicionar, "30");
        e.accept();
        QCOMPARE(e.m_dAgua, 30.0);
        CDlgAgua f;
        f.m_dCapacidadVaso = 250;
        f.show();
        Escribir(f.m_pAdicionar, "treinta");
        f.accept();
        Escribir(f.m_pAdicionar, "-5");
        f.accept();
        // Filling to a mark below what the vessel holds would take water out.
        f.m_dVolumenVaso = 100;
        f.m_pModoAforar->click();
        Escribir(f.m_pAforar, "80");
        f.accept();
        QCOMPARE(m_mensajes,
                 (QStringList{"Introduzca un número.", "Introduzca una cantidad mayor que cero.",
                              "El recipiente ya contiene 100.00 ml: indique una "
                              "marca mayor."}));
        QVERIFY(f.isVisible()); // it stays open
        QCOMPARE(f.result(), int(QDialog::Rejected));
    }

    void reactivo() {
        CDlgReactivo d(cat);
        d.show();
        QStringList nombres;
        for (int i = 0; i < d.m_pLista->count(); ++i)
            nombres << d.m_pLista->item(i)->text();
        QCOMPARE(nombres, (QStringList{"Hidróxido de sodio 0.1 Molar", "Solución problema 1",
                                       "Solución problema 2", "Solución problema 3"}));
        // The first reagent starts chosen; with none chosen "Aceptar" says what to do.
        QCOMPARE(d.m_pLista->currentRow(), 0);
        d.m_pLista->clearSelection();
        d.accept();
        QVERIFY(d.isVisible());
        d.m_pLista->setCurrentRow(1);
        QCOMPARE(d.m_pUnidad->text(), QString("mililitros"));
        // Zero, negative, non-finite and absurd amounts are refused and the dialog stays.
        for (const char* psz : {"0", "-5", "inf", "nan", "1e300"}) {
            Escribir(d.m_pCantidad, psz);
            d.accept();
            QVERIFY(d.isVisible());
        }
        QCOMPARE(m_mensajes, (QStringList{"Elija un reactivo de la lista.",
                                          "Introduzca una cantidad mayor que cero.",
                                          "Introduzca una cantidad mayor que cero.",
                                          "Introduzca un número.", "Introduzca un número.",
                                          "Introduzca una cantidad no mayor que 5000."}));
        Escribir(d.m_pCantidad, "2.5");
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.m_nIndiceReactivo, int(prueba::R_PROBLEMA1));
        QCOMPARE(d.m_dCantidad, 2.5);
        cat = prueba::Catalogo904();
        CDlgReactivo s(cat);
        s.show();
        s.m_pLista->setCurrentRow(0);
        QCOMPARE(s.m_pUnidad->text(), QString("gramos"));
        QCOMPARE(s.m_pCantidad->Maximo(), 1000);
    }

    void indicador() {
        CDlgIndicador d(cat);
        d.show();
        QCOMPARE(d.windowTitle(), QString("Adicionar indicador"));
        QCOMPARE(d.m_pUnidad->text(), QString("Gotas"));
        QCOMPARE(d.m_pCantidad->Texto(), QString("1"));
        d.m_pLista->setCurrentRow(0); // sorted: "Azul de Bromotimol"
        Escribir(d.m_pCantidad, "11");
        d.accept();
        Escribir(d.m_pCantidad, "2.5");
        d.accept();
        QCOMPARE(m_mensajes, (QStringList{"Introduzca un número entero entre 1 y 10.",
                                          "Introduzca un número entero."}));
        Escribir(d.m_pCantidad, "5");
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.m_nIndiceIndicador, 1);
    }

    // The small dialogs and the message boxes are as wide as their whole title, the
    // program's name after it included: none shows as "Alko… l. 1".
    void titulosEnteros() {
        const QString strAntes = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Alkor Vol. 1"));
        QFont negrita = QApplication::font();
        negrita.setBold(true);
        const QFontMetrics fm(negrita);
        auto cabe = [&](QWidget& w, const QString& strEntero) {
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY2(w.width() > fm.horizontalAdvance(strEntero),
                     qPrintable(QStringLiteral("%1: %2").arg(strEntero).arg(w.width())));
            w.hide();
        };
        CDlgMililitros m(7.5);
        cabe(m, QStringLiteral("Mililitros — Alkor Vol. 1"));
        CDlgSalida s;
        cabe(s, QStringLiteral("Tubo de desprendimiento — Alkor Vol. 1"));
        CDlgAgua a;
        cabe(a, QStringLiteral("Adicionar Agua — Alkor Vol. 1"));
        CDlgReactivo r(cat, nullptr, true);
        cabe(r, QStringLiteral("Adicionar indicador — Alkor Vol. 1"));
        QMessageBox caja(QMessageBox::NoIcon, QString::fromUtf8(Mensajes::kTitulo),
                         QStringLiteral("Listo."), QMessageBox::Ok);
        Mensajes::AnchoParaElTitulo(caja);
        cabe(caja, QString::fromUtf8(Mensajes::kTitulo));
        QGuiApplication::setApplicationDisplayName(strAntes);
    }

    void mililitrosYSalida() {
        CDlgMililitros m(7.5);
        QCOMPARE(m.m_pValor->Maximo(), 7);
        QCOMPARE(m.m_pValor->Texto(), QString("1"));
        Escribir(m.m_pValor, "-1");
        m.accept();
        QVERIFY(m.result() == QDialog::Rejected && m.m_dMililitros == 1.0);
        Escribir(m.m_pValor, "9"); // not limited by the range: the pour caps it
        m.accept();
        QCOMPARE(m.m_dMililitros, 9.0);
        CDlgSalida s;
        QCOMPARE(s.Salida(), 0);
        s.m_pIzquierda->setChecked(true);
        s.reject(); // however it closes, the choice shown counts
        QCOMPARE(s.Salida(), 1);
    }

    void propiedades() {
        CVaso250 vacio;
        vacio.Vincular(&cat);
        CDlgPropiedades d(&vacio);
        QCOMPARE(d.windowTitle(), QString("Propiedades"));
        QCOMPARE(d.m_pVolumen->text(), QString("Volumen:0.00 ml"));
        QCOMPARE(d.m_pTemperatura->text(), QString("Temperatura: 20.00"));
        QCOMPARE(d.m_pPH->text(), QString("pH:--"));
        QCOMPARE(d.m_pTabla->rowCount(), 0);

        CVaso250 v;
        v.Vincular(&cat);
        v.AddComponent(0, 100.0, UNIDAD_ML);
        v.m_seno.m_faseLiquida.Agregar(prueba::NACL, 0.5, UNIDAD_MOLES);
        v.m_seno.m_faseLiquida.Agregar(prueba::NAOH, 0.005, UNIDAD_MOLES);
        v.m_seno.m_faseLiquida.IonizarTodo();
        CDlgPropiedades p(&v);
        QCOMPARE(p.m_pPH->text(),
                 QString::asprintf("pH: %.2f", v.m_seno.m_faseLiquida.CalcularPH()));
        QCOMPARE(p.m_pTabla->rowCount(), 3);
        QCOMPARE(p.m_pTabla->horizontalHeaderItem(3)->text(), QString("Volumen"));
        // Newest first: NaOH, then NaCl, then water.
        QCOMPARE(p.m_pTabla->item(0, 0)->text(), QString("NaOH"));
        QCOMPARE(p.m_pTabla->item(0, 1)->text(), QString("0.00500"));
        QCOMPARE(p.m_pTabla->item(0, 4)->text(), QString("Disolución"));
        QCOMPARE(p.m_pTabla->item(0, 3)->text(), QString());
        QCOMPARE(p.m_pTabla->item(1, 1)->text(), QString("0.500"));
        QCOMPARE(p.m_pTabla->item(2, 4)->text(), QString("Liquido"));
        QCOMPARE(p.m_pTabla->item(2, 3)->text(), QString("100"));
        QCOMPARE(p.m_pTabla->item(2, 5)->text(), QString("Liquido"));
        p.m_pIones->setChecked(true);
        QCOMPARE(p.m_pTabla->rowCount(), 3 + 2 + 2 + 2);
        QCOMPARE(p.m_pTabla->item(1, 0)->text(), QString("Na+"));
        QCOMPARE(p.m_pTabla->item(1, 4)->text(), QString("En solución"));
        QCOMPARE(p.m_pTabla->item(1, 2)->text(), QString("-"));
        // The ions' moles in the entries' own format: 5.00e-03 mol of NaOH gives as much Na+.
        QCOMPARE(p.m_pTabla->item(1, 1)->text(), QString("0.00500"));
        QCOMPARE(p.m_pTabla->item(2, 0)->text(), QString("OH-"));
        p.m_pIones->setChecked(false);
        QCOMPARE(p.m_pTabla->rowCount(), 3);
        QVERIFY(TablaContenido::NombreEstado(7).isEmpty()); // no state, no word
        // Liquid, then solid, then gas rows, each in its own words: a molten salt (0.25 mol
        // NaCl, 58.44 g/mol, 2.163 g/ml: 6.75 ml), the same salt settled and oxygen above.
        CVaso250 w;
        w.Vincular(&cat);
        w.m_seno.m_faseLiquida.Agregar(prueba::NACL, 0.25, UNIDAD_MOLES);
        w.m_seno.m_faseLiquida.Buscar(prueba::NACL)->m_bFundido = 1;
        w.m_seno.m_faseSolida.Agregar(prueba::NACL, 0.5, UNIDAD_MOLES);
        w.m_seno.m_faseGas.Agregar(prueba::OXIGENO, 0.001, UNIDAD_MOLES);
        CDlgPropiedades q(&w);
        QCOMPARE(q.m_pTabla->rowCount(), 3);
        const QStringList filas[3] = {{"NaCl", "0.250", "14.6", "6.75", "Liquido", "Liquido"},
                                      {"NaCl", "0.500", "29.2", "", "Solido", "Solido"},
                                      {"O2", "0.00100", "0.0320", "", "Gaseoso", "Gaseoso"}};
        for (int i = 0; i < 3; ++i)
            for (int c = 0; c < 6; ++c)
                QCOMPARE(q.m_pTabla->item(i, c)->text(), filas[i][c]);

        // The label: at most two characters, stored by Enter and by OK.
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        p.m_pRotulo->setFocus();
        p.m_pRotulo->clear();
        QTest::keyClicks(p.m_pRotulo, "ABC");
        QCOMPARE(p.m_pRotulo->text(), QString("AB"));
        QTest::keyClick(p.m_pRotulo, Qt::Key_Return);
        QCOMPARE(v.m_strEtiqueta, std::string("AB"));
        QVERIFY(p.isVisible());
        p.m_pRotulo->setFocus();
        p.m_pRotulo->clear();
        QTest::keyClicks(p.m_pRotulo, "X1");
        auto* ok = p.findChild<QPushButton*>();
        QVERIFY(ok && ok->text() == "Aceptar");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(v.m_strEtiqueta, std::string("X1"));
        QVERIFY(!p.isVisible());
    }

    void comandosConDialogos() {
        CPractica practica;
        practica.m_catalogo = cat;
        CChildView vista(practica);
        vista.StopTimer();
        CListaEquipo& l = practica.m_listaEquipo;
        auto* v = Nuevo<CVaso250>(l, 100, 300);
        v->AddComponent(0, 100.0, UNIDAD_ML);
        vista.SelectAt(QPoint(110, 310));
        // "Agregar agua" up to the 200 ml mark adds 100 ml to the 100 ml already there.
        AlAbrirse<CDlgAgua>([](CDlgAgua& d) {
            QCOMPARE(d.m_pAforar->Minimo(), 101);
            d.m_pModoAforar->click();
            Escribir(d.m_pAforar, "200");
            d.accept();
        });
        vista.Comando(ID_AGREGAR_AGUA);
        QCOMPARE(v->VolumenLiquido(), 200.0);
        // Water that does not fit in the free space is refused, and the student is told.
        AlAbrirse<CDlgAgua>([](CDlgAgua& d) {
            Escribir(d.m_pAdicionar, "60");
            d.accept();
        });
        vista.Comando(ID_AGREGAR_AGUA);
        QCOMPARE(v->VolumenLiquido(), 200.0);
        QCOMPARE(m_mensajes, QStringList{"La cantidad requerida no cabe en el equipo"});
        // A reagent in millilitres, an indicator.
        AlAbrirse<CDlgReactivo>([](CDlgReactivo& d) {
            d.m_pLista->setCurrentRow(1); // "Solución problema 1"
            Escribir(d.m_pCantidad, "25");
            d.accept();
        });
        vista.Comando(ID_AGREGAR_REACTIVO);
        QCOMPARE(v->VolumenLiquido(), 225.0);
        AlAbrirse<CDlgIndicador>([](CDlgIndicador& d) {
            d.m_pLista->setCurrentRow(1); // "Fenolftaleina"
            d.accept();
        });
        vista.Comando(ID_AGREGAR_INDICADOR);
        QCOMPARE(cat.m_indicadores[v->m_seno.m_faseLiquida.m_listaIndicadores.front()].m_strNombre,
                 std::string("Fenolftaleina"));
        // Cancelling changes nothing.
        AlAbrirse<CDlgAgua>([](CDlgAgua& d) { d.reject(); });
        vista.Comando(ID_AGREGAR_AGUA);
        QCOMPARE(v->VolumenLiquido(), 225.0);

        // The graduated pipette asks how much; a vessel deleted since the last step is
        // left alone.
        auto* pg = Nuevo<CPipetaGraduada>(l, 150, 100);
        l.PasoSimulacion();
        QCOMPARE(pg->m_pConectado, v);
        vista.SelectAt(QPoint(155, 150));
        AlAbrirse<CDlgMililitros>([](CDlgMililitros& d) {
            QCOMPARE(d.m_pValor->Maximo(), 10);
            Escribir(d.m_pValor, "4");
            d.accept();
        });
        vista.Comando(ID_LLENAR_DESDE);
        QCOMPARE(pg->VolumenLiquido(), 4.0);
        l.Eliminar(v);
        QVERIFY(!pg->m_pConectado);
        vista.Comando(ID_VACIAR_EN);
        QCOMPARE(pg->VolumenLiquido(), 4.0);

        // The delivery tube takes the side the outlet dialog shows.
        auto* e = Nuevo<CErlenmeyer250>(l, 400, 300);
        vista.SelectAt(e->m_rcArea.center() + QPoint(0, e->m_cy / 4));
        AlAbrirse<CDlgSalida>([](CDlgSalida& d) {
            d.m_pIzquierda->setChecked(true);
            d.accept();
        });
        vista.Comando(ID_TUBO_DESPRENDIMIENTO);
        QVERIFY(e->m_pTubo);
        QCOMPARE(e->m_pTubo->m_nSalida, 1);
        QCOMPARE(e->m_pTubo->m_x, 400 - 71);
        // A precipitate in the filter is only thrown away on Sí.
        vista.Comando(ID_ELIMINAR_TUBO);
        vista.Comando(ID_EMBUDO_BUCHNER);
        e->m_pEmbudo->m_seno.m_faseSolida.Agregar(prueba::NACL, 0.1, UNIDAD_MOLES);
        prueba::AnotarMensajes(&m_mensajes, QMessageBox::No);
        vista.Comando(ID_ELIMINAR_EMBUDO);
        QVERIFY(e->m_pEmbudo);
        QCOMPARE(m_mensajes.last(), QString::fromUtf8(kTextoPrecipitado));
    }
};

QTEST_MAIN(TestDialogos)
#include "tst_dialogos.moc"
