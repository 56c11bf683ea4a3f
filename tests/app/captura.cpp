// Screenshots of the program for the documentation: the window at start with its invitation,
// practice 901 running with its distillation set on a burner, at 100 % and at 200 %, and the
// bench as a screen of pixel ratio 2 gets it. Usage: captura CARPETA (run under a
// display, e.g. xvfb-run -a).
#include "AcercaDe.h"
#include "Aplicacion.h"
#include "Ayuda.h"
#include "Calentadores.h"
#include "CampoNumero.h"
#include "ChildView.h"
#include "Destilacion.h"
#include "DlgAbrirPractica.h"
#include "DlgMateriales.h"
#include "DlgPropiedades.h"
#include "Instrumentos.h"
#include "ListaEquipo.h"
#include "MainFrame.h"
#include "NotasView.h"
#include "Recipientes.h"
#include "Titulacion.h"
#include "Vasos.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <cstdio>

int main(int argc, char** argv) {
    CAplicacion app(argc, argv);
    // A first start, whatever the user's own settings remember.
    QTemporaryDir ajustes;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, ajustes.path());
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    CMainFrame* m = app.Iniciar(false);
    m->resize(1600, 900);
    m->MostrarInvitacion();
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
        CDlgReactivo dlg(m);
        dlg.show();
        dlg.m_pLista->setCurrentRow(0);
        dlg.m_pCantidad->Edit()->setText(QStringLiteral("50"));
        QTest::qWait(200);
        dlg.grab().save(QDir(carpeta).filePath(QStringLiteral("dialogo-reactivo.png")));
    }

    // Practice 902, part A of its procedure: hydrated copper sulphate heated in the
    // crucible on the burner loses its water and turns white.
    if (!m->IniciarPractica(902))
        return 1;
    auto* crisol = static_cast<CRecipiente*>(poner(new CCrisol, 300, 460));
    poner(new CMechero, 320, 460 + 50 - 2);
    crisol->AddReagent(2, 10.0);
    auto* termo = new CTermometro;
    termo->SetPosition(crisol->m_x + 40, crisol->m_y + 25 - 78);
    l.AgregarAlFinal(termo);
    auto* vidrio = static_cast<CRecipiente*>(poner(new CVidrioReloj, 520, 480));
    Q_UNUSED(vidrio);
    m->m_pNotas->MostrarSeccion(CNotasView::SECCION_PROCEDIMIENTO);
    m->m_pVistaMesa->m_nTicksPorPaso = 1;
    for (int i = 0; i < 170; ++i)
        m->m_pVistaMesa->Tick();
    m->m_pVistaMesa->SelectAt(QPoint(crisol->m_x + 10, crisol->m_y + 30));
    QTest::qWait(300);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-902.png")));

    // Practice 903: 10 ml of "Solución problema 1" with phenolphthalein titrated with the
    // 0.1 M sodium hydroxide of a 10 ml burette.
    if (!m->IniciarPractica(903))
        return 1;
    auto* matrazT = static_cast<CRecipiente*>(poner(new CErlenmeyer100, 400, 420));
    matrazT->AddReagent(3, 10.0);
    matrazT->m_seno.m_faseLiquida.AgregarIndicador(2);
    auto* bureta = static_cast<CRecipiente*>(poner(new CBureta10, 0, 0));
    bureta->SetPosition(matrazT->m_x + 30, matrazT->m_y - bureta->m_cy + 3);
    bureta->AddReagent(0, 10.0);
    auto* ph = new CPHmetro;
    ph->SetPosition(matrazT->m_x + 50, matrazT->m_y + 100 - 128);
    l.AgregarAlFinal(ph);
    m->m_pVistaMesa->SelectAt(QPoint(bureta->m_x + 15, bureta->m_y + 100));
    m->OnUM_TITULAR();
    m->m_pDlgTitulacion->move(m->x() + 900, m->y() + 120);
    m->m_pDlgTitulacion->m_pLlave->m_nApertura = 17;
    for (int i = 0; i < 44; ++i)
        m->m_pVistaMesa->Tick();
    m->OnUM_GRAFICA(bureta);
    m->m_pDlgGrafica->move(m->x() + 900, m->y() + 330);
    QTest::qWait(400);
    m->grab().save(QDir(carpeta).filePath(QStringLiteral("practica-903.png")));
    m->m_pDlgTitulacion->grab().save(QDir(carpeta).filePath(QStringLiteral("titulacion.png")));
    m->m_pDlgGrafica->grab().save(QDir(carpeta).filePath(QStringLiteral("grafica.png")));
    return 0;
}
