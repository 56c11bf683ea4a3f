#include "app/DlgEditorPractica.h"
#include "app/DlgPreferencias.h"
#include "equipment/Conversiones.h"

#include "app/PaginaDatos.h"
#include "app/PaginaIndicadores.h"
#include "app/PaginaMesa.h"
#include "app/PaginaNotas.h"
#include "app/PaginaReacciones.h"
#include "app/PaginaReactivos.h"
#include "app/PaginaSustancias.h"
#include "bench/Mensajes.h"
#include "document/Comprobacion.h"
#include "document/EditorPractica.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

CDlgEditorPractica::CDlgEditorPractica(std::unique_ptr<CEditorPractica> pEditor,
                                       const CPractica* pActual, QWidget* pPadre)
    : QDialog(pPadre), m_pEditor(std::move(pEditor)) {
    setWindowTitle(QStringLiteral("Editar práctica"));
    m_fnDialogoGuardar = [this](const QString& strExtension) {
        QFileDialog dlg(this, QStringLiteral("Guardar la práctica editada"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(strExtension == QLatin1String("akp")
                              ? QStringLiteral("Plantilla de práctica (*.akp)")
                              : QStringLiteral("Práctica de química (*.uak1)"));
        dlg.setDefaultSuffix(strExtension);
        dlg.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
        dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
        dlg.selectFile(RutaPropuesta(strExtension));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return QString();
        const QString strRuta = dlg.selectedFiles().constFirst();
        QSettings().setValue(QStringLiteral("editor/carpeta"), QFileInfo(strRuta).absolutePath());
        return strRuta;
    };
    m_fnElegirColor = [this](const QColor& c) {
        return QColorDialog::getColor(c, this, QStringLiteral("Elegir color"));
    };
    auto* v = new QVBoxLayout(this);
    m_pPaginas = new QTabWidget(this);
    CrearPaginas(pActual);
    v->addWidget(m_pPaginas);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* probar = botones->addButton(QStringLiteral("&Probar"), QDialogButtonBox::ActionRole);
    probar->setToolTip(
        QStringLiteral("Simula un minuto de la mesa inicial y dice si algo sale mal"));
    connect(probar, &QPushButton::clicked, this, &CDlgEditorPractica::Probar);
    // Undo and redo of the edits, on every page. In a text field, Ctrl+Z is the field's own.
    auto* deshacer = botones->addButton(tr("&Deshacer"), QDialogButtonBox::ActionRole);
    auto* rehacer = botones->addButton(tr("&Rehacer"), QDialogButtonBox::ActionRole);
    deshacer->setToolTip(tr("Deshace el último cambio de la práctica"));
    rehacer->setToolTip(tr("Rehace el último cambio deshecho"));
    const auto historial = [this](bool bDeshacer) {
        // A number being typed is finished first: it is the last change.
        if (QWidget* w = QApplication::focusWidget())
            w->clearFocus();
        if (bDeshacer ? m_pEditor->Deshacer() : m_pEditor->Rehacer()) {
            const int n = m_pPaginas->currentIndex();
            if (n >= 0 && n < 7 && n != NOTAS)
                m_pPagina[n]->Recargar();
        }
    };
    connect(deshacer, &QPushButton::clicked, this, [historial] { historial(true); });
    connect(rehacer, &QPushButton::clicked, this, [historial] { historial(false); });
    m_pEditor->m_fnHistorial = [this, deshacer, rehacer] {
        deshacer->setEnabled(m_pEditor->PuedeDeshacer());
        rehacer->setEnabled(m_pEditor->PuedeRehacer());
    };
    m_pEditor->m_fnHistorial();
    // On every page, beside "Probar": the practice as edited, into a file of its own.
    auto* guardar = botones->addButton(tr("&Guardar en archivo…"), QDialogButtonBox::ActionRole);
    connect(guardar, &QPushButton::clicked, this, [this] { GuardarEnArchivo(); });
    connect(botones, &QDialogButtonBox::accepted, this, &CDlgEditorPractica::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &CDlgEditorPractica::reject);
    v->addWidget(botones);
    // Enter in a field finishes the field; it does not press "Agregar" either.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    resize(900, 620);
}

CDlgEditorPractica::~CDlgEditorPractica() = default;

void CDlgEditorPractica::CrearPaginas(const CPractica* pActual) {
    CEditorPractica& ed = *m_pEditor;
    auto* datos = new CPaginaDatos(ed);
    m_pPagina[DATOS] = datos;
    m_pPagina[NOTAS] = m_pPaginaNotas = new CPaginaNotas(ed, &m_fnElegirColor);
    auto* sustancias = new CPaginaSustancias(ed, &m_fnElegirColor);
    m_pPagina[SUSTANCIAS] = sustancias;
    m_pPagina[REACTIVOS] = new CPaginaReactivos(ed);
    auto* reacciones = new CPaginaReacciones(ed);
    m_pPagina[REACCIONES] = reacciones;
    m_pPagina[INDICADORES] = new CPaginaIndicadores(ed, &m_fnElegirColor);
    auto* mesa = new CPaginaMesa(ed, pActual);
    m_pPagina[MESA] = mesa;
    const char* kTitulos[7] = {"Datos",      "Notas",       "Sustancias",  "Reactivos",
                               "Reacciones", "Indicadores", "Mesa inicial"};
    for (int i = 0; i < 7; ++i)
        m_pPaginas->addTab(m_pPagina[i], QString::fromUtf8(kTitulos[i]));
    m_pNombre = datos->m_pNombre;
    m_pResumen = datos->m_pResumen;
    m_pAutor = datos->m_pAutor;
    for (int i = 0; i < 3; ++i)
        m_pNotas[i] = m_pPaginaNotas->m_pNotas[i];
    m_pListaSustancias = sustancias->m_pLista;
    m_pListaReacciones = reacciones->m_pLista;
    m_pEcuacion = reacciones->m_pEcuacion;
    m_pEstadoMesa = mesa->m_pEstado;
    connect(m_pPaginas, &QTabWidget::currentChanged, this, [this](int n) {
        if (n >= 0 && n < 7)
            m_pPagina[n]->Recargar();
    });
    for (CPaginaEditor* p : m_pPagina)
        p->Recargar();
}

void CDlgEditorPractica::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CDlgEditorPractica::Recoger() {
    m_pPaginaNotas->Recoger();
}

bool CDlgEditorPractica::Modificada() {
    Recoger();
    return m_pEditor->Modificada();
}

void CDlgEditorPractica::accept() {
    Recoger();
    const auto v = m_pEditor->Problemas();
    if (!v.empty()) {
        Mensajes::Aviso(this, QStringLiteral("La práctica no se puede aceptar todavía:\n\n") +
                                  Validacion::Texto(v));
        return;
    }
    QDialog::accept();
}

QStringList CDlgEditorPractica::Probar() {
    Recoger();
    const auto v = m_pEditor->Problemas();
    if (!v.empty()) {
        Mensajes::Aviso(this, QStringLiteral("La práctica no se puede probar todavía:\n\n") +
                                  Validacion::Texto(v));
        return {};
    }
    // The check steps a copy: what is being edited does not move.
    QString strError;
    std::unique_ptr<CPractica> pPrueba = m_pEditor->Practica().Copia(&strError);
    if (!pPrueba) {
        Mensajes::Aviso(this, strError);
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Comprobacion::Resultado r = Comprobacion::Comprobar(*pPrueba);
    QApplication::restoreOverrideCursor();
    const QStringList lineas = Comprobacion::Informe(r);
    Mensajes::Aviso(this, (r.Correcta() ? QStringLiteral("La práctica funciona.\n\n")
                                        : QStringLiteral("La prueba encontró problemas.\n\n")) +
                              lineas.join(QLatin1Char('\n')));
    return lineas;
}

void CDlgEditorPractica::reject() {
    if (Modificada() &&
        Mensajes::Pregunta(this,
                           QStringLiteral("¿Desea descartar los cambios hechos en la práctica?"),
                           false, QMessageBox::No) != QMessageBox::Yes)
        return;
    QDialog::reject();
}

QString CDlgEditorPractica::RutaPropuesta(const QString& strExtension) const {
    // The practice's name, with what a file name cannot hold taken out, in the folder last
    // saved into from the editor, or else "Mis prácticas".
    QString strNombre = Q(m_pEditor->Practica().m_strPractica).trimmed();
    strNombre.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]+")),
                      QStringLiteral(" "));
    strNombre = strNombre.simplified();
    if (strNombre.isEmpty() || strNombre.startsWith(QLatin1Char('.')))
        strNombre = tr("práctica");
    QString strCarpeta = QSettings().value(QStringLiteral("editor/carpeta")).toString();
    if (strCarpeta.isEmpty() || !QFileInfo(strCarpeta).isDir())
        strCarpeta = Preferencias::CarpetaPropia(true);
    return QDir(strCarpeta).filePath(strNombre + QLatin1Char('.') + strExtension);
}

bool CDlgEditorPractica::GuardarEnArchivo() {
    Recoger();
    const auto v = m_pEditor->Problemas();
    if (!v.empty()) {
        Mensajes::Aviso(this, QStringLiteral("La práctica no se puede guardar todavía:\n\n") +
                                  Validacion::Texto(v));
        return false;
    }
    const QString strRuta = m_fnDialogoGuardar(m_pEditor->Extension());
    if (strRuta.isEmpty())
        return false;
    const std::vector<uint8_t> datos = m_pEditor->Bytes();
    QString strError = QStringLiteral("La práctica contiene un valor numérico no válido.");
    if (datos.empty() ||
        CPractica::EscribirArchivo(strRuta, reinterpret_cast<const char*>(datos.data()),
                                   static_cast<qint64>(datos.size()),
                                   &strError) != CPractica::Resultado::Correcto) {
        Mensajes::Aviso(this, strError);
        return false;
    }
    return true;
}
