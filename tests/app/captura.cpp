// Screenshots of the program for the documentation: the window at start with its invitation,
// practice 901 running with its distillation set on a burner, at 100 % and at 200 %, and the
// bench as a screen of pixel ratio 2 gets it, the practice browser with practices of the
// user's and of a shared folder, and every page of the practice editor on practice 903. Usage:
// captura CARPETA (run under a display, e.g. xvfb-run -a).
#include "app/AcercaDe.h"
#include "app/Aplicacion.h"
#include "app/Ayuda.h"
#include "app/DlgAbrirPractica.h"
#include "app/DlgEditorPractica.h"
#include "app/DlgPreferencias.h"
#include "app/MainFrame.h"
#include "app/NotasView.h"
#include "bench/CampoNumero.h"
#include "bench/ChildView.h"
#include "bench/DlgMateriales.h"
#include "bench/DlgPropiedades.h"
#include "bench/DlgTitulacion.h"
#include "bench/VentanaRegistro.h"
#include "document/Plantillas.h"
#include "document/Practica.h"
#include "document/Registro.h"
#include "equipment/Calentadores.h"
#include "equipment/Calorimetro.h"
#include "equipment/Destilacion.h"
#include "equipment/Dibujo.h"
#include "equipment/Erlenmeyer250.h"
#include "equipment/Gases.h"
#include "equipment/Instrumentos.h"
#include "equipment/ListaEquipo.h"
#include "equipment/Recipientes.h"
#include "equipment/Vasos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>
#include <utility>

namespace {

// The window with a vessel's properties window laid over it, as the student sees both.
void ConPropiedades(CMainFrame* m, CRecipiente* r, const QString& strArchivo) {
    CDlgPropiedades dlg(r, m);
    dlg.show();
    dlg.move(m->x() + 900, m->y() + 150);
    QTest::qWait(300);
    QPixmap ventana = m->grab();
    QPainter pintor(&ventana);
    pintor.drawPixmap(dlg.pos() - m->pos(), dlg.grab());
    pintor.end();
    ventana.save(strArchivo);
}

// An instrument's probe a few pixels above the vessel's bottom, a little right of its middle.
void Sumergir(CEquipo& i, const CEquipo& r) {
    i.SetPosition(r.m_x + r.m_cx / 2 + 4 - i.m_ptSonda.x(), r.m_y + r.m_cy - 6 - i.m_ptSonda.y());
}

// A heat source centred under a vessel.
void PonerDebajo(CEquipo& fuente, const CEquipo& r) {
    fuente.SetPosition(r.m_x + r.m_cx / 2 - fuente.m_cx / 2, r.m_y + r.m_cy);
}

// An item centred on top of another (a vessel on a balance, a burette over a flask).
void PonerSobre(CEquipo& e, const CEquipo& base, int nHundido = 0) {
    e.SetPosition(base.m_x + base.m_cx / 2 - e.m_cx / 2, base.m_y - e.m_cy + nHundido);
}

} // namespace

int main(int argc, char** argv) {
    CAplicacion app(argc, argv);
    // A first start, whatever the user's own settings remember.
    QTemporaryDir ajustes;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ajustes.path());
    // "Mis prácticas" too: the pictures show the folders made here, not the user's.
    qputenv("XDG_DATA_HOME", QFile::encodeName(ajustes.filePath(QStringLiteral("datos"))));
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    CMainFrame* m = app.Iniciar(false);
    m->resize(1600, 900);
    m->MostrarInvitacion();
    // Each practice replaces the bench of the one before: nothing there is worth keeping,
    // and a modal close prompt would wait for a click no one gives.
    m->m_fnPreguntaCierre = [] { return int(QMessageBox::No); };
    // "captura CARPETA preguntas REPARTIDA ALUMNO": only the answer form, first on the copy
    // handed out (the student gives a name and group), then on a student's answered file.
    if (argc > 4 && QByteArray(argv[2]) == "preguntas") {
        if (!m->AbrirPractica(QString::fromLocal8Bit(argv[3])))
            return 1;
        m->m_pNotas->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QTest::qWait(300);
        m->grab().save(QDir(carpeta).filePath(QStringLiteral("preguntas-empezar.png")));
        if (!m->AbrirPractica(QString::fromLocal8Bit(argv[4])))
            return 1;
        m->m_pNotas->MostrarSeccion(CNotasView::SECCION_RESULTADOS);
        QTest::qWait(300);
        m->grab().save(QDir(carpeta).filePath(QStringLiteral("preguntas-alumno.png")));
        return 0;
    }
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("ventana-inicio.png")));
    m->m_pVistaMesa->grab().save(QDir(carpeta).filePath(QStringLiteral("invitacion.png")));
    {
        CDlgAcercaDe acerca(m);
        acerca.show();
        QTest::qWait(200);
        acerca.grab().save(QDir(carpeta).filePath(QStringLiteral("acercade.png")));
    }
    {
        CAyuda* ayuda = CAyuda::Mostrar(m);
        ayuda->m_pNavegador->setSource(QUrl(QStringLiteral("qrc:/ayuda/equipo.html")));
        QTest::qWait(300);
        ayuda->grab().save(QDir(carpeta).filePath(QStringLiteral("ayuda.png")));
        ayuda->close();
    }
    {
        CDlgAbrirPractica navegador(m);
        navegador.show();
        QTest::qWait(200);
        navegador.grab().save(QDir(carpeta).filePath(QStringLiteral("navegador.png")));
    }
    {
        // A teacher's own practices and the department's share, one file there damaged.
        const QString propia = Preferencias::CarpetaPropia(true);
        const QString compartida = ajustes.filePath(QStringLiteral("red/Química"));
        QDir().mkpath(compartida);
        auto escribir = [](const QString& strRuta, const QByteArray& b) {
            QFile f(strRuta);
            if (f.open(QIODevice::WriteOnly))
                f.write(b);
        };
        auto guardar = [](const QString& strRuta, int nPlantilla, const char* pszNombre,
                          const char* pszResumen, const char* pszAutor) {
            const QByteArray b = Plantillas::Bytes(nPlantilla);
            CPractica p;
            p.LeerPlantilla(std::vector<uint8_t>(b.begin(), b.end()), QStringLiteral("p.akp"),
                            nullptr);
            p.m_strPractica = pszNombre;
            p.m_strResumen = pszResumen;
            p.m_strAutor = pszAutor;
            p.GuardarPractica(strRuta);
        };
        guardar(propia + QStringLiteral("/vinagre.uak1"), 903, "Acidez de un vinagre comercial",
                "Valoración del ácido acético con hidróxido de sodio 0,1 M",
                "Prof. Ana Beltrán Soto");
        guardar(propia + QStringLiteral("/cobre.uak1"), 906, "Disolución de sulfato de cobre",
                "Preparación de 250 ml de disolución 0,1 M y su dilución",
                "Prof. Ana Beltrán Soto");
        guardar(compartida + QStringLiteral("/calor.uak1"), 904, "Calor específico del aluminio",
                "Práctica común de 3.º de ESO", "Seminario de Química, IES Río Claro");
        guardar(compartida + QStringLiteral("/destilacion.uak1"), 901, "Destilación del vino",
                "Separación del etanol por destilación simple",
                "Seminario de Química, IES Río Claro");
        escribir(compartida + QStringLiteral("/examen-2024.akp"), Plantillas::Bytes(907).left(400));
        Preferencias::SetCarpetaCompartida(compartida);
        CDlgAbrirPractica navegador(m);
        navegador.resize(1040, 560);
        navegador.m_pLista->header()->resizeSection(0, 300);
        navegador.m_pLista->header()->resizeSection(1, 420);
        navegador.show();
        QTest::qWait(200);
        for (int i = 0; i < 100 && navegador.Leyendo(); ++i)
            QTest::qWait(20);
        navegador.m_pLista->scrollToBottom();
        QTest::qWait(100);
        navegador.grab().save(QDir(carpeta).filePath(QStringLiteral("biblioteca-practicas.png")));
        CDlgPreferencias preferencias(m);
        preferencias.show();
        QTest::qWait(200);
        preferencias.grab().save(QDir(carpeta).filePath(QStringLiteral("preferencias.png")));
        Preferencias::SetCarpetaCompartida({});
    }

    if (!m->IniciarPractica(901)) {
        std::fprintf(stderr, "no se pudo iniciar la práctica 901\n");
        return 1;
    }
    CPractica& p = app.m_practica;
    CListaEquipo& l = p.m_listaEquipo;
    auto poner = [&](CEquipo* e, int x, int y) {
        e->SetPosition(x, y);
        l.AgregarAlFrente(e);
        return e;
    };
    auto* matraz = static_cast<CMatrazBalon*>(poner(new CMatrazBalon, 260, 420));
    poner(new CMechero, 276, 420 + 110 - 2);
    matraz->AddReagent(0, 120.0);
    matraz->m_seno.m_dTemperatura = 70.0;
    matraz->PonerCabeza(l);
    matraz->PonerCondensador(l);
    auto* codo = matraz->PonerCodo(l);
    auto* vaso = poner(new CVaso100, codo->m_x - 6, codo->m_y + codo->m_cy + 12);
    auto* t = new CTermometro;
    t->SetPosition(vaso->m_x + 50, vaso->m_y + vaso->m_cy - 84);
    l.AgregarAlFinal(t);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 260; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(matraz->m_x + 40, matraz->m_y + 80));
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("ventana-destilacion.png")));
    // The same at 200 % about the flask, and the bench at 100 % on a screen of ratio 2.
    CChildView* vista = m->m_pVistaMesa;
    vista->SetZoom(2.0, vista->ACliente(QPoint(matraz->m_x + 60, matraz->m_y - 60)));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("zoom-200.png")));
    vista->TamanoReal();
    vista->MostrarTodo();
    vista->Pintar(2.0).save(QDir(carpeta).filePath(QStringLiteral("mesa-relacion-2.png")));

    // The properties window of the flask, with the ions shown, and the reagent dialog.
    {
        CDlgPropiedades dlg(matraz, m);
        dlg.m_pIones->setChecked(true);
        dlg.show();
        QTest::qWait(200);
        dlg.grab().save(QDir(carpeta).filePath(QStringLiteral("propiedades.png")));
    }
    {
        CDlgReactivo dlg(p.m_catalogo, m);
        dlg.show();
        dlg.m_pLista->setCurrentRow(0);
        dlg.m_pCantidad->Edit()->setText(QStringLiteral("50"));
        QTest::qWait(200);
        dlg.grab().save(QDir(carpeta).filePath(QStringLiteral("dialogo-reactivo.png")));
    }

    // Practice 902, part A of its procedure: hydrated copper sulphate heated in the
    // crucible on the burner loses its water and turns white, the thermometer held at
    // about 63 degrees while it does.
    if (!m->IniciarPractica(902))
        return 1;
    auto* crisol = static_cast<CRecipiente*>(poner(new CCrisol, 300, 460));
    poner(new CMechero, 320, 460 + 50 - 2);
    crisol->AddReagent(2, 10.0);
    auto* termo = new CTermometro;
    termo->SetPosition(crisol->m_x + 40, crisol->m_y + 25 - 78);
    l.AgregarAlFinal(termo);
    poner(new CVaso100, 520, 440);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 1000; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(crisol->m_x + 10, crisol->m_y + 30));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-902.png")));

    // Practice 903: 100 ml of "Solución problema 1" with phenolphthalein titrated with the
    // 0.1 M sodium hydroxide of the 50 ml burette, just past the equivalence point.
    if (!m->IniciarPractica(903))
        return 1;
    auto* matrazT = static_cast<CRecipiente*>(poner(new CErlenmeyer250, 400, 400));
    matrazT->AddReagent(3, 100.0);
    matrazT->m_seno.m_faseLiquida.AgregarIndicador(2);
    auto* bureta = static_cast<CRecipiente*>(poner(new CBureta50, 0, 0));
    PonerSobre(*bureta, *matrazT, 2);
    bureta->AddReagent(0, 50.0);
    auto* ph = new CPHmetro;
    ph->SetPosition(matrazT->m_x + matrazT->m_cx / 2 + 8, matrazT->m_y + matrazT->m_cy - 6 - 128);
    l.AgregarAlFinal(ph);
    m->m_pVistaMesa->SelectAt(QPoint(bureta->m_x + 15, bureta->m_y + 100));
    m->OnUM_TITULAR();
    m->m_pDlgTitulacion->move(m->x() + 900, m->y() + 120);
    m->m_pDlgTitulacion->m_titulacion.m_nApertura = 17;
    // The lab log records the pH meter and the burette at every step.
    p.m_registro.m_dIntervalo = CRegistro::kIntervaloMinimo;
    p.m_registro.Registrar(*ph, l);
    p.m_registro.Registrar(*bureta, l);
    for (int i = 0; i < 340; ++i)
        m->m_pVistaMesa->Tick();
    m->OnUM_GRAFICA(bureta);
    m->m_pDlgGrafica->move(m->x() + 900, m->y() + 330);
    QTest::qWait(400);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-903.png")));
    m->m_pDlgTitulacion->grab().save(QDir(carpeta).filePath(QStringLiteral("titulacion.png")));
    m->m_pDlgGrafica->grab().save(QDir(carpeta).filePath(QStringLiteral("grafica.png")));
    m->m_pDlgGrafica->close();
    // The log of that titration against the burette's volume, with the first derivative
    // and its maximum, the equivalence point.
    m->MostrarRegistro();
    m->m_pVentanaRegistro->resize(900, 640);
    m->m_pVentanaRegistro->m_pEje->setCurrentIndex(1);
    m->m_pVentanaRegistro->m_pDerivada->setChecked(true);
    QTest::qWait(400);
    m->m_pVentanaRegistro->grab().save(
        QDir(carpeta).filePath(QStringLiteral("registro-titulacion.png")));
    m->m_pVentanaRegistro->hide();
    // A heating curve: 100 ml of water on the hot plate at level 5, the thermometer in it
    // recorded once a second of simulated time, up to the boil and along it.
    if (!m->IniciarPractica(907))
        return 1;
    {
        auto* parrillaR = static_cast<CParrilla*>(poner(new CParrilla, 300, 520));
        auto* vasoR = static_cast<CRecipiente*>(poner(new CVaso250, 300, 300));
        PonerSobre(*vasoR, *parrillaR);
        vasoR->AddComponent(0, 100.0, UNIDAD_ML);
        auto* termoR = new CTermometro;
        Sumergir(*termoR, *vasoR);
        l.AgregarAlFinal(termoR);
        parrillaR->Comando(ID_NIVEL5);
        p.m_registro.Registrar(*termoR, l);
        m->m_pVistaMesa->m_nTicksPorPaso = 1;
        for (int i = 0; i < 1100; ++i)
            m->m_pVistaMesa->Tick();
        m->MostrarRegistro();
        m->m_pVentanaRegistro->m_pEje->setCurrentIndex(0);
        m->m_pVentanaRegistro->m_pDerivada->setChecked(false);
        QTest::qWait(400);
        m->m_pVentanaRegistro->grab().save(
            QDir(carpeta).filePath(QStringLiteral("registro-calentamiento.png")));
        m->m_pVentanaRegistro->hide();
    }
    // The practice editor on 903, page by page.
    m->m_fnAntesDelEditor = [&carpeta](CDlgEditorPractica& dlg) {
        QTimer::singleShot(300, &dlg, [&dlg, &carpeta] {
            const char* kPaginas[] = {"datos",      "notas",       "sustancias", "reactivos",
                                      "reacciones", "indicadores", "mesa"};
            for (int i = 0; i < 7; ++i) {
                dlg.Paginas()->setCurrentIndex(i);
                QTest::qWait(200);
                dlg.grab().save(QDir(carpeta).filePath(
                    QStringLiteral("editor-%1.png").arg(QString::fromUtf8(kPaginas[i]))));
            }
            dlg.reject();
        });
    };
    m->EditarPractica(false);
    m->m_fnAntesDelEditor = nullptr;
    m->m_pDlgTitulacion->close();

    // Practice 905: the 0.100 M copper sulphate made up to 100 ml beside its tenfold
    // dilution, the conductimeter in the concentrated one and its properties open.
    if (!m->IniciarPractica(905))
        return 1;
    auto* vasoA = static_cast<CRecipiente*>(poner(new CVaso250, 300, 420));
    auto* vasoB = static_cast<CRecipiente*>(poner(new CVaso250, 520, 420));
    poner(new CBalanza, 60, 540);
    vasoA->AddReagent(0, 2.497);
    vasoA->AddComponent(0, 50.0, UNIDAD_ML);
    for (int i = 0; i < 20; ++i)
        m->m_pVistaMesa->Tick();
    vasoA->AddComponent(0, 100.0 - vasoA->VolumenOcupado(), UNIDAD_ML);
    vasoA->PourLiquid(*vasoB, 10.0);
    vasoB->AddComponent(0, 100.0 - vasoB->VolumenOcupado(), UNIDAD_ML);
    auto* conductimetro = new CConductimetro;
    Sumergir(*conductimetro, *vasoA);
    l.AgregarAlFinal(conductimetro);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    for (int i = 0; i < 6; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasoA->m_x + 20, vasoA->m_y + 60));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-905.png")));

    // Practice 906: copper sulphate with too little hydroxide (blue liquid over the blue
    // precipitate) beside the mixture with hydroxide in excess (pink with phenolphthalein).
    if (!m->IniciarPractica(906))
        return 1;
    auto* poco = static_cast<CRecipiente*>(poner(new CVaso100, 320, 440));
    auto* mucho = static_cast<CRecipiente*>(poner(new CVaso100, 520, 440));
    poner(new CBalanza, 60, 540);
    for (auto [v, ml] : {std::pair{poco, 4.0}, std::pair{mucho, 16.0}}) {
        v->AddReagent(0, 10.0);
        v->m_seno.m_faseLiquida.AgregarIndicador(0);
        v->AddReagent(1, ml);
    }
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    for (int i = 0; i < 10; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(poco->m_x + 20, poco->m_y + 60));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-906.png")));

    // Practice 907: a 1 mol/kg sucrose solution boiling on the hot plate, its properties
    // window giving the boiling temperature to two decimals.
    if (!m->IniciarPractica(907))
        return 1;
    auto* vasoE = static_cast<CRecipiente*>(poner(new CVaso250, 300, 380));
    auto* placa = poner(new CParrilla, 0, 0);
    PonerDebajo(*placa, *vasoE);
    static_cast<CParrilla*>(placa)->Comando(ID_NIVEL5);
    vasoE->AddComponent(0, 100.0, UNIDAD_ML);
    vasoE->AddReagent(0, 34.23);
    auto* termoE = new CTermometro;
    Sumergir(*termoE, *vasoE);
    l.AgregarAlFinal(termoE);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 700; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasoE->m_x + 20, vasoE->m_y + 60));
    ConPropiedades(m, vasoE, QDir(carpeta).filePath(QStringLiteral("practica-907.png")));

    // Practice 908: 10 g of potassium chloride in 20 ml of water, dissolved hot and left
    // to cool off the plate: at 60 degrees part of it has crystallised (its properties).
    if (!m->IniciarPractica(908))
        return 1;
    auto* vasoS = static_cast<CRecipiente*>(poner(new CVaso100, 300, 420));
    auto* placaS = static_cast<CParrilla*>(poner(new CParrilla, 0, 0));
    PonerDebajo(*placaS, *vasoS);
    placaS->Comando(ID_NIVEL3);
    vasoS->AddComponent(0, 20.0, UNIDAD_ML);
    vasoS->AddReagent(0, 10.0);
    auto* termoS = new CTermometro;
    Sumergir(*termoS, *vasoS);
    l.AgregarAlFinal(termoS);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 600 && vasoS->m_seno.m_faseSolida.MolesTotales() > 0.0; ++i)
        m->m_pVistaMesa->Tick();
    placaS->SetPosition(560, 520); // off the plate, to cool
    for (int i = 0; i < 600 && vasoS->m_seno.m_faseSolida.MolesTotales() == 0.0; ++i)
        m->m_pVistaMesa->Tick();
    for (int i = 0; i < 2000 && vasoS->m_seno.m_dTemperatura > 60.0; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasoS->m_x + 20, vasoS->m_y + 50));
    ConPropiedades(m, vasoS, QDir(carpeta).filePath(QStringLiteral("practica-908.png")));

    // Practice 909: 50 g of "Metal 2" in 50 ml of water in the cylinder on the tared balance,
    // and the cylinder's properties with the volume it raised.
    if (!m->IniciarPractica(909))
        return 1;
    auto* balanzaD = static_cast<CBalanza*>(poner(new CBalanza, 300, 560));
    auto* probetaD = static_cast<CRecipiente*>(poner(new CProbeta100, 0, 0));
    PonerSobre(*probetaD, *balanzaD);
    probetaD->AddComponent(0, 50.0, UNIDAD_ML);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 3; ++i)
        m->m_pVistaMesa->Tick();
    balanzaD->Tarar();
    probetaD->AddReagent(5, 50.0);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    for (int i = 0; i < 3; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(probetaD->m_x + probetaD->m_cx / 2, probetaD->m_y + 150));
    ConPropiedades(m, probetaD, QDir(carpeta).filePath(QStringLiteral("practica-909.png")));
    // Practice 910: 20 ml of the sulphuric acid problem with phenolphthalein titrated with
    // the 0.1 M hydroxide just past its equivalence point (14.60 ml), the curve beside it.
    if (!m->IniciarPractica(910))
        return 1;
    auto* matrazS = static_cast<CRecipiente*>(poner(new CErlenmeyer250, 400, 400));
    matrazS->AddReagent(1, 20.0);
    matrazS->m_seno.m_faseLiquida.AgregarIndicador(0);
    auto* buretaS = static_cast<CRecipiente*>(poner(new CBureta50, 0, 0));
    PonerSobre(*buretaS, *matrazS, 2);
    buretaS->AddReagent(0, 50.0);
    auto* phS = new CPHmetro;
    phS->SetPosition(matrazS->m_x + matrazS->m_cx / 2 + 8, matrazS->m_y + matrazS->m_cy - 6 - 128);
    l.AgregarAlFinal(phS);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(buretaS->m_x + 15, buretaS->m_y + 100));
    m->OnUM_TITULAR();
    m->m_pDlgTitulacion->move(m->x() + 1000, m->y() + 100);
    m->m_pDlgTitulacion->m_titulacion.m_nApertura = 17;
    for (int i = 0; i < 2000 && 50.0 - buretaS->VolumenLiquido() < 15.2; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pDlgTitulacion->m_titulacion.m_nApertura = 0;
    m->OnUM_GRAFICA(buretaS);
    m->m_pDlgGrafica->move(m->x() + 1000, m->y() + 400);
    QTest::qWait(400);
    {
        // The titration and graph windows are windows of their own: laid over the frame.
        QPixmap ventana = m->grab();
        QPainter pintor(&ventana);
        for (QWidget* w :
             {static_cast<QWidget*>(m->m_pDlgTitulacion), static_cast<QWidget*>(m->m_pDlgGrafica)})
            pintor.drawPixmap(w->pos() - m->pos(), w->grab());
        pintor.end();
        ventana.save(QDir(carpeta).filePath(QStringLiteral("practica-910.png")));
    }
    m->m_pDlgGrafica->close();
    m->m_pDlgTitulacion->close();

    // Practice 911: 0.1 M hydrochloric acid and its three tenfold dilutions with methyl
    // orange (red, red, red, orange), the pH meter in the most dilute one reading 4.
    if (!m->IniciarPractica(911))
        return 1;
    CRecipiente* vasosH[4];
    for (int i = 0; i < 4; ++i)
        vasosH[i] = static_cast<CRecipiente*>(poner(new CVaso250, 220 + 150 * i, 440));
    vasosH[0]->AddReagent(0, 50.0);
    for (int i = 1; i < 4; ++i) {
        vasosH[i - 1]->PourLiquid(*vasosH[i], 10.0);
        vasosH[i]->AddComponent(0, 100.0 - vasosH[i]->VolumenOcupado(), UNIDAD_ML);
    }
    for (CRecipiente* v : vasosH)
        v->m_seno.m_faseLiquida.AgregarIndicador(0);
    poner(new CPipetaVolumetrica, 160, 250);
    auto* phH = new CPHmetro;
    Sumergir(*phH, *vasosH[3]);
    l.AgregarAlFinal(phH);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    for (int i = 0; i < 6; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasosH[3]->m_x + 20, vasosH[3]->m_y + 60));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-911.png")));
    // Practice 912: the sand taken off the Buchner filter into beaker B, and the filtrate
    // boiling down on the hot plate just after its first salt crystals, its properties open.
    if (!m->IniciarPractica(912))
        return 1;
    auto* vasoM = static_cast<CRecipiente*>(poner(new CVaso250, 240, 440));
    auto* matrazM = static_cast<CErlenmeyer250*>(poner(new CErlenmeyer250, 380, 420));
    auto* vasoArena = static_cast<CRecipiente*>(poner(new CVaso100, 500, 450));
    auto* vasoC = static_cast<CRecipiente*>(poner(new CVaso100, 640, 430));
    auto* placaM = static_cast<CParrilla*>(poner(new CParrilla, 0, 0));
    PonerDebajo(*placaM, *vasoC);
    auto* termoM = new CTermometro;
    Sumergir(*termoM, *vasoC);
    l.AgregarAlFinal(termoM);
    poner(new CBalanza, 60, 560);
    vasoM->AddReagent(0, 10.0);
    vasoM->AddComponent(0, 50.0, UNIDAD_ML);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 40; ++i)
        m->m_pVistaMesa->Tick();
    auto* filtroM = matrazM->PonerEmbudo(l);
    vasoM->PourLiquid(*filtroM, 0.0);
    vasoM->PourSolid(*filtroM);
    for (int i = 0; i < 30; ++i)
        m->m_pVistaMesa->Tick();
    filtroM->PourSolid(*vasoArena);
    matrazM->PourLiquid(*vasoC, 0.0);
    placaM->Comando(ID_NIVEL5);
    for (int i = 0; i < 6000 && vasoC->VolumenLiquido() > 5.0; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    m->m_pVistaMesa->SelectAt(QPoint(vasoC->m_x + 20, vasoC->m_y + 60));
    ConPropiedades(m, vasoC, QDir(carpeta).filePath(QStringLiteral("practica-912.png")));
    // Practice 913: 50 ml of water at 60 degrees just poured into the 50 ml at 20 degrees in
    // the closed calorimeter, whose lid reads the 40 degrees of the heat balance.
    if (!m->IniciarPractica(913))
        return 1;
    auto* vasoQ = static_cast<CRecipiente*>(poner(new CVaso250, 300, 380));
    auto* placaQ = static_cast<CParrilla*>(poner(new CParrilla, 0, 0));
    PonerDebajo(*placaQ, *vasoQ);
    auto* termoQ = new CTermometro;
    Sumergir(*termoQ, *vasoQ);
    l.AgregarAlFinal(termoQ);
    auto* calorimetroQ = static_cast<CCalorimetro*>(poner(new CCalorimetro, 560, 380));
    calorimetroQ->AddComponent(0, 50.0, UNIDAD_ML);
    calorimetroQ->Tapar(l);
    vasoQ->AddComponent(0, 50.0, UNIDAD_ML);
    placaQ->Comando(ID_NIVEL5);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 1000 && std::lround(termoQ->m_dLectura) < 60; ++i)
        m->m_pVistaMesa->Tick();
    placaQ->Comando(ID_APAGAR);
    vasoQ->PourLiquid(*calorimetroQ, 0.0);
    for (int i = 0; i < 5; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(calorimetroQ->m_x + 25, calorimetroQ->m_y + 60));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-913.png")));
    // Practice 914: the carbonate poured into the calcium chloride, the white precipitate
    // in beaker A on the balance and its properties: calcium carbonate solid, sodium
    // chloride dissolved.
    if (!m->IniciarPractica(914))
        return 1;
    auto* balanzaP = static_cast<CBalanza*>(poner(new CBalanza, 300, 560));
    auto* vasoP = static_cast<CRecipiente*>(poner(new CVaso100, 0, 0));
    PonerSobre(*vasoP, *balanzaP);
    auto* vasoPB = static_cast<CRecipiente*>(poner(new CVaso100, 500, 500));
    vasoP->AddReagent(0, 20.0);
    vasoPB->AddReagent(1, 20.0);
    vasoPB->PourLiquid(*vasoP, 0.0);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 40; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(vasoP->m_x + 20, vasoP->m_y + 60));
    ConPropiedades(m, vasoP, QDir(carpeta).filePath(QStringLiteral("practica-914.png")));
    // Practice 915: 25 ml of 0.1 M acetic acid with phenolphthalein titrated with the 0.1 M
    // hydroxide just past its equivalence point (25.0 ml), the curve with its flat buffer
    // region and its basic equivalence point beside it.
    if (!m->IniciarPractica(915))
        return 1;
    auto* matrazA = static_cast<CRecipiente*>(poner(new CErlenmeyer250, 400, 400));
    matrazA->AddReagent(1, 25.0);
    matrazA->m_seno.m_faseLiquida.AgregarIndicador(0);
    auto* buretaA = static_cast<CRecipiente*>(poner(new CBureta50, 0, 0));
    PonerSobre(*buretaA, *matrazA, 2);
    buretaA->AddReagent(0, 50.0);
    auto* phA = new CPHmetro;
    phA->SetPosition(matrazA->m_x + matrazA->m_cx / 2 + 8, matrazA->m_y + matrazA->m_cy - 6 - 128);
    l.AgregarAlFinal(phA);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    m->m_pVistaMesa->SelectAt(QPoint(buretaA->m_x + 15, buretaA->m_y + 100));
    m->OnUM_TITULAR();
    m->m_pDlgTitulacion->move(m->x() + 1000, m->y() + 100);
    m->m_pDlgTitulacion->m_titulacion.m_nApertura = 17;
    for (int i = 0; i < 3000 && 50.0 - buretaA->VolumenLiquido() < 27.0; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pDlgTitulacion->m_titulacion.m_nApertura = 0;
    m->OnUM_GRAFICA(buretaA);
    m->m_pDlgGrafica->move(m->x() + 1000, m->y() + 400);
    QTest::qWait(400);
    {
        QPixmap ventana = m->grab();
        QPainter pintor(&ventana);
        for (QWidget* w :
             {static_cast<QWidget*>(m->m_pDlgTitulacion), static_cast<QWidget*>(m->m_pDlgGrafica)})
            pintor.drawPixmap(w->pos() - m->pos(), w->grab());
        pintor.end();
        ventana.save(QDir(carpeta).filePath(QStringLiteral("practica-915.png")));
    }
    m->m_pDlgGrafica->close();
    m->m_pDlgTitulacion->close();
    // Practice 916: the buffer and water with the universal indicator, each after 1 ml of
    // 0.1 M hydrochloric acid or sodium hydroxide; the pH meter in the water that took the
    // acid. The buffers keep their colour, the water turns red and violet.
    if (!m->IniciarPractica(916))
        return 1;
    CRecipiente* vasosR[4];
    for (int i = 0; i < 4; ++i)
        vasosR[i] = static_cast<CRecipiente*>(poner(new CVaso100, 120 + 170 * i, 460));
    for (int i = 0; i < 2; ++i) {
        vasosR[i]->AddReagent(0, 25.0);
        vasosR[i]->AddReagent(1, 25.0);
        vasosR[i + 2]->AddComponent(0, 50.0, UNIDAD_ML);
    }
    for (CRecipiente* v : vasosR)
        v->m_seno.m_faseLiquida.AgregarIndicador(0);
    vasosR[0]->AddReagent(2, 1.0);
    vasosR[2]->AddReagent(2, 1.0);
    vasosR[1]->AddReagent(3, 1.0);
    vasosR[3]->AddReagent(3, 1.0);
    auto* phR = new CPHmetro;
    Sumergir(*phR, *vasosR[2]);
    l.AgregarAlFinal(phR);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    for (int i = 0; i < 6; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasosR[2]->m_x + 20, vasosR[2]->m_y + 60));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-916.png")));
    // Practice 917: the four salts and water with the universal indicator (green, green,
    // yellow, teal, violet from water to carbonate), the pH meter in the carbonate.
    if (!m->IniciarPractica(917))
        return 1;
    CRecipiente* vasosS[5];
    for (int i = 0; i < 5; ++i)
        vasosS[i] = static_cast<CRecipiente*>(poner(new CVaso100, 80 + 150 * i, 460));
    vasosS[0]->AddComponent(0, 50.0, UNIDAD_ML);
    for (int i = 0; i < 4; ++i)
        vasosS[i + 1]->AddReagent(i, 50.0);
    for (CRecipiente* v : vasosS)
        v->m_seno.m_faseLiquida.AgregarIndicador(0);
    auto* phS7 = new CPHmetro;
    Sumergir(*phS7, *vasosS[4]);
    l.AgregarAlFinal(phS7);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_MARCO);
    for (int i = 0; i < 6; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(vasosS[4]->m_x + 20, vasosS[4]->m_y + 60));
    ConPropiedades(m, vasosS[4], QDir(carpeta).filePath(QStringLiteral("practica-917.png")));
    // Practice 918: the four iron(III) thiocyanate tubes (reference, more iron, more
    // thiocyanate, the hydroxide's brown precipitate) and the three cobalt chloride tubes:
    // violet at the bench's temperature, blue at 85 °C on the hot plate, pink in the ice bath
    // with the thermometer in it.
    if (!m->IniciarPractica(918))
        return 1;
    CRecipiente* tubosL[7];
    const int xTubos[7] = {60, 140, 220, 300, 460, 620, 800};
    for (int i = 0; i < 7; ++i)
        tubosL[i] = static_cast<CRecipiente*>(poner(new CTuboEnsaye, xTubos[i], 380));
    for (int i = 0; i < 4; ++i) {
        tubosL[i]->AddComponent(0, 10.0, UNIDAD_ML);
        tubosL[i]->AddReagent(0, 0.2);
        tubosL[i]->AddReagent(1, 0.2);
    }
    tubosL[1]->AddReagent(0, 1.0);
    tubosL[2]->AddReagent(1, 1.0);
    tubosL[3]->AddReagent(2, 1.0);
    for (int i = 4; i < 7; ++i)
        tubosL[i]->AddReagent(3, 5.0);
    auto* placaL = static_cast<CParrilla*>(poner(new CParrilla, 0, 0));
    PonerDebajo(*placaL, *tubosL[5]);
    placaL->Comando(ID_NIVEL2);
    auto* hieloL = static_cast<CBanoHielo*>(poner(new CBanoHielo, 0, 0));
    hieloL->SetPosition(tubosL[6]->m_x + tubosL[6]->m_cx / 2 - 60,
                        tubosL[6]->m_y + tubosL[6]->m_cy - 40);
    l.MoverAlFinal(tubosL[6]);
    tubosL[5]->m_seno.m_dTemperatura = 85.0;
    tubosL[6]->m_seno.m_dTemperatura = 2.0;
    auto* termoL = new CTermometro;
    Sumergir(*termoL, *tubosL[6]);
    l.AgregarAlFinal(termoL);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 20; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(tubosL[5]->m_x + 12, tubosL[5]->m_y + 80));
    ConPropiedades(m, tubosL[5], QDir(carpeta).filePath(QStringLiteral("practica-918.png")));
    // Practice 919: 2 g of marble chips and 2 g of marble powder, each in 50 ml of 2 M acid
    // on a balance, forty seconds after they went in: the powder's balance has lost much more.
    if (!m->IniciarPractica(919))
        return 1;
    CRecipiente* vasosV[2];
    for (int i = 0; i < 2; ++i) {
        auto* b = poner(new CBalanza, 120 + 320 * i, 520);
        vasosV[i] = static_cast<CRecipiente*>(poner(new CVaso250, 0, 0));
        PonerSobre(*vasosV[i], *b);
        vasosV[i]->AddReagent(0, 50.0);
        vasosV[i]->AddReagent(2 + i, 2.0);
    }
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 400; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(vasosV[1]->m_x + 20, vasosV[1]->m_y + 60));
    ConPropiedades(m, vasosV[1], QDir(carpeta).filePath(QStringLiteral("practica-919.png")));
    // Practice 920: 50 ml of 3 % hydrogen peroxide alone and with 0.5 g of manganese(IV)
    // oxide, each on a balance, a minute after the oxide went in.
    if (!m->IniciarPractica(920))
        return 1;
    CRecipiente* vasosP[2];
    for (int i = 0; i < 2; ++i) {
        auto* b = poner(new CBalanza, 120 + 320 * i, 520);
        vasosP[i] = static_cast<CRecipiente*>(poner(new CVaso250, 0, 0));
        PonerSobre(*vasosP[i], *b);
        vasosP[i]->AddReagent(0, 50.0);
    }
    vasosP[1]->AddReagent(1, 0.5);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 600; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(vasosP[1]->m_x + 20, vasosP[1]->m_y + 60));
    ConPropiedades(m, vasosP[1], QDir(carpeta).filePath(QStringLiteral("practica-920.png")));
    // Practice 921: the neutralisation in the lidded calorimeter, its lid reading tenths of a
    // degree at the peak, beside the same mixture cooling in an open beaker.
    if (!m->IniciarPractica(Plantillas::kTermoquimica))
        return 1;
    auto* calorimetroH = static_cast<CCalorimetro*>(poner(new CCalorimetro, 300, 380));
    calorimetroH->Tapar(l);
    auto* vasoH = static_cast<CRecipiente*>(poner(new CVaso250, 100, 380));
    auto* abiertoH = static_cast<CRecipiente*>(poner(new CVaso250, 560, 380));
    calorimetroH->AddReagent(1, 50.0);
    vasoH->AddReagent(0, 50.0);
    vasoH->PourLiquid(*calorimetroH, 0.0);
    abiertoH->AddReagent(0, 50.0);
    abiertoH->AddReagent(1, 50.0);
    auto* termoH = new CTermometro;
    Sumergir(*termoH, *abiertoH);
    l.AgregarAlFinal(termoH);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 300; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(calorimetroH->m_x + 20, calorimetroH->m_y + 40));
    ConPropiedades(m, calorimetroH, QDir(carpeta).filePath(QStringLiteral("practica-921.png")));
    // The bench cleared by mistake, and "Edición" offering to undo it.
    m->LimpiarMesa();
    QTest::qWait(200);
    for (QAction* a : m->menuBar()->actions())
        if (a->menu() && a->text() == QStringLiteral("E&dición")) {
            QMenu* pMenu = a->menu();
            const QPoint pt = m->menuBar()->actionGeometry(a).bottomLeft();
            pMenu->popup(m->menuBar()->mapToGlobal(pt));
            QTest::qWait(300);
            QPixmap ventana = m->grab();
            {
                QPainter pintor(&ventana);
                pintor.drawPixmap(m->mapFromGlobal(pMenu->pos()), pMenu->grab());
            }
            ventana.save(QDir(carpeta).filePath(QStringLiteral("deshacer.png")));
            pMenu->hide();
        }
    m->Deshacer(true);

    // Practice 922: the hydrogen of 0.050 g of magnesium in 1 M acid, collected in the syringe
    // and, from a second flask, over water; the digital thermometer in the first flask and the
    // stopwatch started with the reaction.
    if (!m->IniciarPractica(922))
        return 1;
    const int nBase = 520; // the row everything stands on
    CErlenmeyer250* matraces[2];
    const int xMatraz[2] = {140, 700};
    for (int i = 0; i < 2; ++i) {
        matraces[i] =
            static_cast<CErlenmeyer250*>(poner(new CErlenmeyer250, xMatraz[i], nBase - 125));
        matraces[i]->AddReagent(0, 25.0);
        matraces[i]->PonerTubo(l, 0);
    }
    auto* jeringa =
        static_cast<CJeringaGases*>(poner(new CJeringaGases, xMatraz[0] + 140, nBase - 60));
    poner(new CEudiometro, xMatraz[1] + 130, nBase - 250);
    auto* digital = new CTermometroDigital;
    digital->SetPosition(matraces[0]->m_x + 20, matraces[0]->m_y + 125 - 8 - 128);
    l.AgregarAlFinal(digital);
    auto* crono = static_cast<CCronometro*>(poner(new CCronometro, 20, nBase - 92));
    for (CErlenmeyer250* matraz : matraces)
        matraz->AddReagent(1, 0.050);
    crono->m_bEnMarcha = 1;
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 90; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->SelectAt(QPoint(jeringa->m_x + 100, jeringa->m_y + 36));
    ConPropiedades(m, jeringa, QDir(carpeta).filePath(QStringLiteral("practica-922.png")));
    // The new items, drawn at 125 % as the bench draws them.
    {
        QImage imagen(1260, 400, QImage::Format_RGB32);
        imagen.fill(Qt::white);
        QPainter pintor(&imagen);
        pintor.scale(1.25, 1.25);
        pintor.translate(-10, -(nBase - 300));
        Dibujo::PrepararPintor(pintor);
        for (CEquipo* e : l) {
            e->m_bSeleccionado = 0; // the picture shows the items, not the selection
            e->Draw(pintor);
        }
        pintor.end();
        imagen.save(QDir(carpeta).filePath(QStringLiteral("gases.png")));
    }
    return 0;
}
