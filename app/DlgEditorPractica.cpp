#include "app/DlgEditorPractica.h"
#include "equipment/Conversiones.h"

#include "document/Comprobacion.h"

#include "bench/Mensajes.h"
#include "document/EditorPractica.h"
#include "document/Plantillas.h"
#include "document/Rtf.h"
#include "equipment/Imagenes.h"
#include "equipment/Recipiente.h"
#include "equipment/TiposEquipo.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A name field: never longer than a file keeps a name.
QLineEdit* CampoTexto(QWidget* pPadre) {
    auto* e = new QLineEdit(pPadre);
    e->setMaxLength(static_cast<int>(Validacion::kLongitudNombre));
    return e;
}

// A number field: only digits, a sign, one decimal point (or comma) and an exponent can be
// typed; a field left empty or unfinished shows the value it had.
class CNumero : public QLineEdit {
public:
    explicit CNumero(QWidget* pPadre) : QLineEdit(pPadre) {
        setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[-+]?[0-9]*[.,]?[0-9]*([eE][-+]?[0-9]*)?")), this));
        setMaxLength(32);
        connect(this, &QLineEdit::editingFinished, this, [this] {
            // A field only passed through keeps its value to the last digit: it shows 15
            // significant digits, the practice may hold 17.
            if (!isModified())
                return;
            setModified(false);
            double d = 0.0;
            if (Leer(d))
                m_fnCambio(d);
            else
                Mostrar(m_dValor);
        });
    }
    void Mostrar(double d) {
        m_dValor = d;
        setText(QString::number(d, 'g', 15));
    }
    bool Leer(double& d) const {
        bool bOk = false;
        QString t = text().trimmed();
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        d = t.toDouble(&bOk);
        return bOk && std::isfinite(d) && std::fabs(d) <= Limites::kValorCatalogo;
    }
    std::function<void(double)> m_fnCambio = [](double) {};

private:
    double m_dValor = 0.0;
};

// A button showing a colour; a click chooses another.
class CBotonColor : public QPushButton {
public:
    CBotonColor(QWidget* pPadre, std::function<QColor(const QColor&)>* pfnElegir)
        : QPushButton(pPadre) {
        setMinimumWidth(90);
        connect(this, &QPushButton::clicked, this, [this, pfnElegir] {
            const QColor c = (*pfnElegir)(m_color);
            if (c.isValid() && c != m_color) {
                Mostrar(c);
                m_fnCambio(c);
            }
        });
    }
    void Mostrar(const QColor& c) {
        m_color = c;
        setText(c.name().toUpper());
        setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                          .arg(c.name(), 299 * c.red() + 587 * c.green() + 114 * c.blue() > 140000
                                             ? QStringLiteral("black")
                                             : QStringLiteral("white")));
    }
    std::function<void(const QColor&)> m_fnCambio = [](const QColor&) {};

private:
    QColor m_color;
};

// The list of a page with its "Agregar" and "Eliminar" buttons under it.
struct Lista {
    QListWidget* pLista;
    QPushButton* pAgregar;
    QPushButton* pEliminar;
    QWidget* pCaja;
};

Lista CrearLista(QWidget* pPadre, const QString& strAgregar) {
    auto* caja = new QWidget(pPadre);
    auto* v = new QVBoxLayout(caja);
    v->setContentsMargins(0, 0, 0, 0);
    auto* l = new QListWidget(caja);
    l->setMinimumWidth(220);
    v->addWidget(l);
    auto* h = new QHBoxLayout;
    auto* a = new QPushButton(strAgregar, caja);
    auto* e = new QPushButton(QStringLiteral("Eliminar"), caja);
    h->addWidget(a);
    h->addWidget(e);
    v->addLayout(h);
    return {l, a, e, caja};
}

QWidget* DosColumnas(QWidget* pIzquierda, QWidget* pDerecha) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->addWidget(pIzquierda, 0);
    h->addWidget(pDerecha, 1);
    return w;
}

// Fills a combo with "(ninguna)" (when asked) and the practice's substances.
void LlenarSustancias(QComboBox* c, const CCatalogo& cat, const QString& strPrimero = {}) {
    c->blockSignals(true);
    c->clear();
    if (!strPrimero.isEmpty())
        c->addItem(strPrimero, -1);
    for (int32_t i = 0; i < cat.NumComponentes(); ++i) {
        const CComponentes& k = cat.m_componentes[static_cast<size_t>(i)];
        c->addItem(k.m_strFormula.empty()
                       ? Q(k.m_strNombre)
                       : QStringLiteral("%1 (%2)").arg(Q(k.m_strNombre), Q(k.m_strFormula)),
                   i);
    }
    c->blockSignals(false);
}

void Elegir(QComboBox* c, int nDato) {
    c->blockSignals(true);
    const int i = c->findData(nDato);
    c->setCurrentIndex(i >= 0 ? i : 0);
    c->blockSignals(false);
}

void LlenarLista(QListWidget* l, const QStringList& textos) {
    const int n = l->currentRow();
    l->blockSignals(true);
    l->clear();
    l->addItems(textos);
    l->blockSignals(false);
    l->setCurrentRow(textos.isEmpty() ? -1 : std::clamp(n, 0, int(textos.size()) - 1));
}

} // namespace

CDlgEditorPractica::CDlgEditorPractica(std::unique_ptr<CEditorPractica> pEditor,
                                       const CPractica* pActual, QWidget* pPadre)
    : QDialog(pPadre), m_pEditor(std::move(pEditor)), m_pActual(pActual) {
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
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().constFirst()
                   : QString();
    };
    m_fnElegirColor = [this](const QColor& c) {
        return QColorDialog::getColor(c, this, QStringLiteral("Elegir color"));
    };
    auto* v = new QVBoxLayout(this);
    m_pPaginas = new QTabWidget(this);
    m_pPaginas->addTab(PaginaDatos(), QStringLiteral("Datos"));
    m_pPaginas->addTab(PaginaNotas(), QStringLiteral("Notas"));
    m_pPaginas->addTab(PaginaSustancias(), QStringLiteral("Sustancias"));
    m_pPaginas->addTab(PaginaReactivos(), QStringLiteral("Reactivos"));
    m_pPaginas->addTab(PaginaReacciones(), QStringLiteral("Reacciones"));
    m_pPaginas->addTab(PaginaIndicadores(), QStringLiteral("Indicadores"));
    m_pPaginas->addTab(PaginaMesa(), QStringLiteral("Mesa inicial"));
    connect(m_pPaginas, &QTabWidget::currentChanged, this, [this](int n) {
        if (n >= 0 && n < 7 && m_fnRecargar[n])
            m_fnRecargar[n]();
    });
    for (auto& fn : m_fnRecargar)
        if (fn)
            fn();
    v->addWidget(m_pPaginas);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* probar = botones->addButton(QStringLiteral("&Probar"), QDialogButtonBox::ActionRole);
    probar->setToolTip(
        QStringLiteral("Simula un minuto de la mesa inicial y dice si algo sale mal"));
    connect(probar, &QPushButton::clicked, this, &CDlgEditorPractica::Probar);
    connect(botones, &QDialogButtonBox::accepted, this, &CDlgEditorPractica::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &CDlgEditorPractica::reject);
    v->addWidget(botones);
    // Enter in a field finishes the field; it does not press "Agregar" either.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    resize(900, 620);
}

CDlgEditorPractica::~CDlgEditorPractica() = default;

void CDlgEditorPractica::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CDlgEditorPractica::Recoger() {
    CPractica& p = m_pEditor->Practica();
    std::string* textos[3] = {&p.m_strMarcoTeorico, &p.m_strProcedimiento, &p.m_strResultados};
    // A note that was not touched keeps its bytes.
    for (int i = 0; i < 3; ++i)
        if (m_pNotas[i]->document()->isModified()) {
            *textos[i] = Rtf::Escribir(*m_pNotas[i]->document());
            m_pNotas[i]->document()->setModified(false);
        }
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

QWidget* CDlgEditorPractica::PaginaDatos() {
    auto* w = new QWidget;
    auto* f = new QFormLayout(w);
    m_pNombre = CampoTexto(w);
    m_pResumen = CampoTexto(w);
    m_pAutor = CampoTexto(w);
    auto* fecha = new QDateEdit(w);
    fecha->setCalendarPopup(true);
    fecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    auto* velocidad = new QCheckBox(QStringLiteral("Velocidad ajustable por el alumno"), w);
    auto* propiedades = new QCheckBox(QStringLiteral("Propiedades de las sustancias visibles"), w);
    f->addRow(QStringLiteral("&Nombre:"), m_pNombre);
    f->addRow(QStringLiteral("&Resumen (una línea):"), m_pResumen);
    f->addRow(QStringLiteral("&Autor:"), m_pAutor);
    f->addRow(QStringLiteral("&Fecha:"), fecha);
    f->addRow(QString(), velocidad);
    f->addRow(QString(), propiedades);
    CPractica& p = m_pEditor->Practica();
    connect(m_pNombre, &QLineEdit::textEdited, this,
            [&p](const QString& s) { p.m_strPractica = S(s); });
    connect(m_pResumen, &QLineEdit::textEdited, this,
            [&p](const QString& s) { p.m_strResumen = S(s); });
    connect(m_pAutor, &QLineEdit::textEdited, this,
            [&p](const QString& s) { p.m_strAutor = S(s); });
    connect(fecha, &QDateEdit::userDateChanged, this, [&p](const QDate& d) {
        p.m_dtFecha = CFecha::DesdeCivil(d.year(), d.month(), d.day());
    });
    connect(velocidad, &QCheckBox::toggled, this, [&p](bool b) { p.m_bVelocidad = b ? 1 : 0; });
    connect(propiedades, &QCheckBox::toggled, this, [&p](bool b) { p.m_bPropiedades = b ? 1 : 0; });
    m_fnRecargar[DATOS] = [=, this, &p] {
        m_pNombre->setText(Q(p.m_strPractica));
        m_pResumen->setText(Q(p.m_strResumen));
        m_pAutor->setText(Q(p.m_strAutor));
        int a = 0, m = 0, d = 0;
        fecha->blockSignals(true);
        fecha->setDate(p.m_dtFecha.ACivil(a, m, d) ? QDate(a, m, d) : QDate::currentDate());
        fecha->blockSignals(false);
        velocidad->blockSignals(true);
        velocidad->setChecked(p.m_bVelocidad != 0);
        velocidad->blockSignals(false);
        propiedades->blockSignals(true);
        propiedades->setChecked(p.m_bPropiedades != 0);
        propiedades->blockSignals(false);
    };
    return w;
}

enum {
    FORMATO_NEGRITA,
    FORMATO_CURSIVA,
    FORMATO_SUBRAYADO,
    FORMATO_SUBINDICE,
    FORMATO_SUPERINDICE,
    FORMATO_TITULO,
    FORMATO_VINETAS,
    FORMATO_NUMERADA,
    FORMATO_COLOR
};

QWidget* CDlgEditorPractica::PaginaNotas() {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    auto* barra = new QToolBar(w);
    const struct {
        int n;
        const char* texto;
        const char* ayuda;
    } kOrdenes[] = {
        {FORMATO_NEGRITA, "N", "Negrita"},
        {FORMATO_CURSIVA, "K", "Cursiva"},
        {FORMATO_SUBRAYADO, "S", "Subrayado"},
        {FORMATO_SUBINDICE, "x₂", "Subíndice (fórmulas: H₂O)"},
        {FORMATO_SUPERINDICE, "x²", "Superíndice (cargas: Cu²⁺)"},
        {FORMATO_TITULO, "Título", "Título: el párrafo en letra grande y negrita"},
        {FORMATO_VINETAS, "• Lista", "Lista con viñetas"},
        {FORMATO_NUMERADA, "1. Lista", "Lista numerada"},
        {FORMATO_COLOR, "Color…", "Color del texto"},
    };
    for (const auto& o : kOrdenes) {
        QAction* a = barra->addAction(QString::fromUtf8(o.texto));
        a->setToolTip(QString::fromUtf8(o.ayuda));
        QFont f = a->font();
        f.setBold(o.n == FORMATO_NEGRITA);
        f.setItalic(o.n == FORMATO_CURSIVA);
        f.setUnderline(o.n == FORMATO_SUBRAYADO);
        a->setFont(f);
        connect(a, &QAction::triggered, this, [this, n = o.n] { Formato(n); });
    }
    v->addWidget(barra);
    m_pSecciones = new QTabWidget(w);
    const char* kNombres[3] = {"Marco teórico", "Procedimiento", "Resultados y conclusiones"};
    CPractica& p = m_pEditor->Practica();
    const std::string* textos[3] = {&p.m_strMarcoTeorico, &p.m_strProcedimiento,
                                    &p.m_strResultados};
    for (int i = 0; i < 3; ++i) {
        m_pNotas[i] = new QTextEdit(m_pSecciones);
        m_pNotas[i]->setAcceptRichText(false);
        Rtf::Leer(*textos[i], *m_pNotas[i]->document());
        m_pNotas[i]->document()->setModified(false);
        m_pSecciones->addTab(m_pNotas[i], QString::fromUtf8(kNombres[i]));
    }
    v->addWidget(m_pSecciones);
    return w;
}

void CDlgEditorPractica::Formato(int nOrden) {
    QTextEdit* e = m_pNotas[m_pSecciones->currentIndex()];
    QTextCursor c = e->textCursor();
    QTextCharFormat f;
    const QTextCharFormat actual = e->currentCharFormat();
    switch (nOrden) {
    case FORMATO_NEGRITA:
        f.setFontWeight(actual.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
        break;
    case FORMATO_CURSIVA:
        f.setFontItalic(!actual.fontItalic());
        break;
    case FORMATO_SUBRAYADO:
        f.setFontUnderline(!actual.fontUnderline());
        break;
    case FORMATO_SUBINDICE:
    case FORMATO_SUPERINDICE: {
        const auto va = nOrden == FORMATO_SUBINDICE ? QTextCharFormat::AlignSubScript
                                                    : QTextCharFormat::AlignSuperScript;
        f.setVerticalAlignment(actual.verticalAlignment() == va ? QTextCharFormat::AlignNormal
                                                                : va);
        break;
    }
    case FORMATO_COLOR: {
        const QColor col = m_fnElegirColor(actual.foreground().color());
        if (!col.isValid())
            return;
        f.setForeground(col);
        break;
    }
    case FORMATO_TITULO: {
        // The whole paragraph, in the sizes and weight the notes write.
        c.movePosition(QTextCursor::StartOfBlock);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        f.setFontWeight(QFont::Bold);
        f.setFontPointSize(14);
        c.mergeCharFormat(f);
        e->document()->setModified(true);
        return;
    }
    case FORMATO_VINETAS:
    case FORMATO_NUMERADA: {
        // Lists are written as the notes keep them: a marker and a tab at the start of each
        // paragraph, indented with a hanging first line.
        const int nInicio = e->document()->findBlock(c.selectionStart()).blockNumber();
        const int nFin = e->document()->findBlock(c.selectionEnd()).blockNumber();
        c.beginEditBlock();
        for (int n = nInicio, k = 1; n <= nFin; ++n, ++k) {
            QTextCursor b(e->document()->findBlockByNumber(n));
            QTextBlockFormat bf = b.blockFormat();
            bf.setLeftMargin(24);
            bf.setTextIndent(-16);
            b.setBlockFormat(bf);
            b.insertText(nOrden == FORMATO_VINETAS ? QStringLiteral("•\t")
                                                   : QStringLiteral("%1.\t").arg(k));
        }
        c.endEditBlock();
        e->document()->setModified(true);
        return;
    }
    default:
        return;
    }
    // On a selection, to the selection; without one, to what is typed next.
    e->mergeCurrentCharFormat(f);
    e->document()->setModified(true);
}

QWidget* CDlgEditorPractica::PaginaSustancias() {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar copia"));
    m_pListaSustancias = lista.pLista;
    auto* derecha = new QWidget;
    auto* g = new QGridLayout(derecha);
    CCatalogo& cat = m_pEditor->Catalogo();
    auto actual = [this, &cat]() -> CComponentes* {
        const int n = m_pListaSustancias->currentRow();
        return n >= 0 && n < cat.NumComponentes() ? &cat.m_componentes[static_cast<size_t>(n)]
                                                  : nullptr;
    };
    auto texto = [&](const QString& strEtiqueta, int f, int c,
                     std::function<std::string&(CComponentes&)> campo) {
        auto* e = CampoTexto(derecha);
        g->addWidget(new QLabel(strEtiqueta, derecha), f, c);
        g->addWidget(e, f, c + 1);
        connect(e, &QLineEdit::textEdited, this, [=, this](const QString& s) {
            if (CComponentes* k = actual()) {
                campo(*k) = S(s);
                if (&campo(*k) == &k->m_strFormula)
                    k->m_strDescripcion = Plantillas::DescripcionRtf(k->m_strFormula);
                if (QListWidgetItem* it = m_pListaSustancias->currentItem())
                    it->setText(Q(k->m_strNombre));
            }
        });
        return std::function<void(CComponentes&)>(
            [=](CComponentes& k) { e->setText(Q(campo(k))); });
    };
    auto numero = [&](const QString& strEtiqueta, int f, int c,
                      std::function<double&(CComponentes&)> campo,
                      const QString& strAyuda = QString()) {
        auto* e = new CNumero(derecha);
        e->setToolTip(strAyuda);
        g->addWidget(new QLabel(strEtiqueta, derecha), f, c);
        g->addWidget(e, f, c + 1);
        e->m_fnCambio = [=](double d) {
            if (CComponentes* k = actual()) {
                campo(*k) = d;
                k->AjustarSolubilidad();
            }
        };
        return std::function<void(CComponentes&)>([=](CComponentes& k) { e->Mostrar(campo(k)); });
    };
    auto entero = [&](const QString& strEtiqueta, int f, int c, int nMin, int nMax,
                      std::function<int32_t&(CComponentes&)> campo) {
        auto* e = new QSpinBox(derecha);
        e->setRange(nMin, nMax);
        g->addWidget(new QLabel(strEtiqueta, derecha), f, c);
        g->addWidget(e, f, c + 1);
        connect(e, &QSpinBox::valueChanged, this, [=](int n) {
            if (CComponentes* k = actual())
                campo(*k) = n;
        });
        return std::function<void(CComponentes&)>([=](CComponentes& k) {
            e->blockSignals(true);
            e->setValue(campo(k));
            e->blockSignals(false);
        });
    };
    std::vector<std::function<void(CComponentes&)>> campos;
    int f = 0;
    campos.push_back(texto(QStringLiteral("Nombre:"), f, 0,
                           [](CComponentes& k) -> std::string& { return k.m_strNombre; }));
    campos.push_back(texto(QStringLiteral("Fórmula:"), f++, 2,
                           [](CComponentes& k) -> std::string& { return k.m_strFormula; }));
    campos.push_back(numero(QStringLiteral("Masa molar (g/mol):"), f, 0,
                            [](CComponentes& k) -> double& { return k.m_dMasaMolar; }));
    campos.push_back(numero(QStringLiteral("Densidad (g/cm³):"), f++, 2,
                            [](CComponentes& k) -> double& { return k.m_dDensidad; }));
    campos.push_back(numero(QStringLiteral("Calor específico (cal/(g·°C)):"), f, 0,
                            [](CComponentes& k) -> double& { return k.m_dCalorEspecifico; }));
    campos.push_back(numero(
        QStringLiteral("Constante de disociación:"), f++, 2,
        [](CComponentes& k) -> double& { return k.m_dConstante; },
        QStringLiteral("0: no se disocia; −1: se disocia por completo "
                       "(electrolito fuerte); un valor positivo: su "
                       "constante de disociación.")));
    campos.push_back(numero(QStringLiteral("Punto de fusión (°C):"), f, 0,
                            [](CComponentes& k) -> double& { return k.m_dPuntoFusion; }));
    campos.push_back(numero(QStringLiteral("Punto de ebullición (°C):"), f++, 2,
                            [](CComponentes& k) -> double& { return k.m_dPuntoEbullicion; }));
    // State and colour.
    auto* estado = new QComboBox(derecha);
    estado->addItems({QStringLiteral("Sólido"), QStringLiteral("Líquido"), QStringLiteral("Gas"),
                      QStringLiteral("Ninguno")});
    g->addWidget(new QLabel(QStringLiteral("Estado a 25 °C:"), derecha), f, 0);
    g->addWidget(estado, f, 1);
    connect(estado, &QComboBox::currentIndexChanged, this, [=](int n) {
        if (CComponentes* k = actual())
            k->m_nEstado = n;
    });
    auto* color = new CBotonColor(derecha, &m_fnElegirColor);
    g->addWidget(new QLabel(QStringLiteral("Color:"), derecha), f, 2);
    g->addWidget(color, f++, 3);
    color->m_fnCambio = [=](const QColor& c) {
        if (CComponentes* k = actual())
            k->m_crColor = ColorrefDe(c);
    };
    campos.push_back(texto(QStringLiteral("Catión:"), f, 0,
                           [](CComponentes& k) -> std::string& { return k.m_strCation; }));
    campos.push_back(texto(QStringLiteral("Anión:"), f++, 2,
                           [](CComponentes& k) -> std::string& { return k.m_strAnion; }));
    campos.push_back(entero(QStringLiteral("Cationes por fórmula:"), f, 0, 0, Limites::kCuentaIones,
                            [](CComponentes& k) -> int32_t& { return k.m_nCantidadCation; }));
    campos.push_back(entero(QStringLiteral("Aniones por fórmula:"), f++, 2, 0,
                            Limites::kCuentaIones,
                            [](CComponentes& k) -> int32_t& { return k.m_nCantidadAnion; }));
    campos.push_back(entero(QStringLiteral("Carga del catión:"), f, 0, -Limites::kCuentaIones,
                            Limites::kCuentaIones,
                            [](CComponentes& k) -> int32_t& { return k.m_nSignoCation; }));
    campos.push_back(entero(QStringLiteral("Carga del anión:"), f++, 2, -Limites::kCuentaIones,
                            Limites::kCuentaIones,
                            [](CComponentes& k) -> int32_t& { return k.m_nSignoAnion; }));
    campos.push_back(numero(QStringLiteral("Solubilidad 1 (g/100 ml):"), f, 0,
                            [](CComponentes& k) -> double& { return k.m_dSolubilidad1; }));
    campos.push_back(numero(QStringLiteral("a la temperatura (°C):"), f++, 2,
                            [](CComponentes& k) -> double& { return k.m_dTemperatura1; }));
    campos.push_back(numero(QStringLiteral("Solubilidad 2 (g/100 ml):"), f, 0,
                            [](CComponentes& k) -> double& { return k.m_dSolubilidad2; }));
    campos.push_back(numero(QStringLiteral("a la temperatura (°C):"), f++, 2,
                            [](CComponentes& k) -> double& { return k.m_dTemperatura2; }));
    // The texture of the solid, as the bench draws it.
    auto* textura = new QComboBox(derecha);
    textura->setIconSize(QSize(32, 32));
    for (int i = 0; i <= 6; ++i) {
        // A tile of the texture over a light grey solid, as the bench lays it on a solid.
        const QImage& img = Imagenes::Tira(Imagenes::IDB_TEXTURA + i);
        QPixmap pm(32, 32);
        pm.fill(QColor(200, 200, 200));
        if (!img.isNull()) {
            QPainter p(&pm);
            p.drawImage(QRect(0, 0, 32, 32), img,
                        QRect(QPoint(0, 0),
                              Imagenes::Celda(Imagenes::IDB_TEXTURA + i).boundedTo(img.size())));
        }
        textura->addItem(QIcon(pm), QStringLiteral("Textura %1").arg(i));
    }
    g->addWidget(new QLabel(QStringLiteral("Textura del sólido:"), derecha), f, 0);
    g->addWidget(textura, f++, 1);
    connect(textura, &QComboBox::currentIndexChanged, this, [=](int n) {
        if (CComponentes* k = actual())
            k->m_nTextura = n;
    });
    g->setRowStretch(f, 1);
    const auto mostrar = [=, this] {
        CComponentes* k = actual();
        derecha->setEnabled(k != nullptr);
        if (!k)
            return;
        for (const auto& fn : campos)
            fn(*k);
        estado->blockSignals(true);
        estado->setCurrentIndex(k->m_nEstado);
        estado->blockSignals(false);
        color->Mostrar(ColorDe(k->m_crColor));
        textura->blockSignals(true);
        textura->setCurrentIndex(std::clamp(k->m_nTextura, 0, 6));
        textura->blockSignals(false);
    };
    connect(m_pListaSustancias, &QListWidget::currentRowChanged, this, mostrar);
    m_fnRecargar[SUSTANCIAS] = [=, this, &cat] {
        QStringList v;
        for (const CComponentes& k : cat.m_componentes)
            v << Q(k.m_strNombre);
        LlenarLista(m_pListaSustancias, v);
        mostrar();
    };
    connect(lista.pAgregar, &QPushButton::clicked, this, [=, this] {
        const int n = m_pEditor->AgregarComponente(std::max(0, m_pListaSustancias->currentRow()));
        m_fnRecargar[SUSTANCIAS]();
        m_pListaSustancias->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [=, this] {
        QString strError;
        if (!m_pEditor->EliminarComponente(m_pListaSustancias->currentRow(), &strError)) {
            if (!strError.isEmpty())
                Mensajes::Aviso(this, strError);
            return;
        }
        m_fnRecargar[SUSTANCIAS]();
    });
    return DosColumnas(lista.pCaja, derecha);
}

QWidget* CDlgEditorPractica::PaginaReactivos() {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    auto* derecha = new QWidget;
    auto* f = new QFormLayout(derecha);
    CCatalogo& cat = m_pEditor->Catalogo();
    QListWidget* l = lista.pLista;
    auto actual = [l, &cat]() -> CReactivos* {
        const int n = l->currentRow();
        return n >= 0 && n < cat.NumReactivos() ? &cat.m_reactivos[static_cast<size_t>(n)]
                                                : nullptr;
    };
    auto* nombre = CampoTexto(derecha);
    auto* estado = new QComboBox(derecha);
    estado->addItems({QStringLiteral("Sólido: se mide en gramos"),
                      QStringLiteral("Líquido: se mide en mililitros")});
    auto* modo = new QComboBox(derecha);
    modo->addItems({QStringLiteral("Moles por litro (o por kilogramo)"),
                    QStringLiteral("Proporción en moles")});
    auto* tabla = new QTableWidget(0, 2, derecha);
    tabla->setHorizontalHeaderLabels({QStringLiteral("Sustancia"), QStringLiteral("Moles")});
    tabla->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tabla->setColumnWidth(1, 180);
    auto* botones = new QHBoxLayout;
    auto* agregarFila = new QPushButton(QStringLiteral("Agregar sustancia"), derecha);
    auto* quitarFila = new QPushButton(QStringLiteral("Quitar sustancia"), derecha);
    botones->addWidget(agregarFila);
    botones->addWidget(quitarFila);
    botones->addStretch();
    f->addRow(QStringLiteral("Nombre:"), nombre);
    f->addRow(QStringLiteral("Estado:"), estado);
    f->addRow(QStringLiteral("Cantidades:"), modo);
    f->addRow(QStringLiteral("Composición:"), tabla);
    f->addRow(QString(), botones);
    connect(nombre, &QLineEdit::textEdited, this, [=](const QString& s) {
        if (CReactivos* r = actual()) {
            r->m_strNombre = S(s);
            l->currentItem()->setText(s);
        }
    });
    connect(estado, &QComboBox::currentIndexChanged, this, [=](int n) {
        if (CReactivos* r = actual())
            r->m_nEstado = n;
    });
    connect(modo, &QComboBox::currentIndexChanged, this, [=](int n) {
        if (CReactivos* r = actual())
            r->m_bPorProporcion = n;
    });
    auto* mostrar = new std::function<void()>;
    connect(this, &QObject::destroyed, [mostrar] { delete mostrar; });
    auto fila = [=, this, &cat](int i, const CContenido& e) {
        auto* c = new QComboBox(tabla);
        LlenarSustancias(c, cat);
        Elegir(c, e.m_nComponente);
        tabla->setCellWidget(i, 0, c);
        auto* n = new CNumero(tabla);
        n->Mostrar(e.m_dMoles);
        tabla->setCellWidget(i, 1, n);
        connect(c, &QComboBox::currentIndexChanged, this, [=, &cat] {
            CReactivos* r = actual();
            if (!r || i >= int(r->m_listaComposicion.size()))
                return;
            CContenido& e = *std::next(r->m_listaComposicion.begin(), i);
            e.m_nComponente = c->currentData().toInt();
            if (const CComponentes* k = cat.Componente(e.m_nComponente))
                e.m_strTexto = k->m_strNombre;
        });
        n->m_fnCambio = [=](double d) {
            CReactivos* r = actual();
            if (r && i < int(r->m_listaComposicion.size()))
                std::next(r->m_listaComposicion.begin(), i)->m_dMoles = d;
        };
    };
    *mostrar = [=] {
        CReactivos* r = actual();
        derecha->setEnabled(r != nullptr);
        tabla->setRowCount(0);
        if (!r)
            return;
        nombre->setText(Q(r->m_strNombre));
        estado->blockSignals(true);
        estado->setCurrentIndex(r->m_nEstado == 1 ? 1 : 0);
        estado->blockSignals(false);
        modo->blockSignals(true);
        modo->setCurrentIndex(r->m_bPorProporcion ? 1 : 0);
        modo->blockSignals(false);
        tabla->setRowCount(int(r->m_listaComposicion.size()));
        int i = 0;
        for (const CContenido& e : r->m_listaComposicion)
            fila(i++, e);
    };
    connect(l, &QListWidget::currentRowChanged, this, [mostrar] { (*mostrar)(); });
    connect(agregarFila, &QPushButton::clicked, this, [=, &cat] {
        if (CReactivos* r = actual()) {
            CContenido e(0);
            e.m_strTexto = cat.m_componentes.front().m_strNombre;
            e.m_dMoles = 1.0;
            r->m_listaComposicion.push_back(e);
            (*mostrar)();
        }
    });
    connect(quitarFila, &QPushButton::clicked, this, [=] {
        CReactivos* r = actual();
        const int i = tabla->currentRow() >= 0 ? tabla->currentRow() : tabla->rowCount() - 1;
        if (r && i >= 0 && i < int(r->m_listaComposicion.size())) {
            r->m_listaComposicion.erase(std::next(r->m_listaComposicion.begin(), i));
            (*mostrar)();
        }
    });
    m_fnRecargar[REACTIVOS] = [=, &cat] {
        QStringList v;
        for (const CReactivos& r : cat.m_reactivos)
            v << Q(r.m_strNombre);
        LlenarLista(l, v);
        (*mostrar)();
    };
    connect(lista.pAgregar, &QPushButton::clicked, this, [=, this] {
        const int n = m_pEditor->AgregarReactivo();
        m_fnRecargar[REACTIVOS]();
        l->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [=, this] {
        if (m_pEditor->EliminarReactivo(l->currentRow()))
            m_fnRecargar[REACTIVOS]();
    });
    return DosColumnas(lista.pCaja, derecha);
}

QWidget* CDlgEditorPractica::PaginaReacciones() {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    m_pListaReacciones = lista.pLista;
    QListWidget* l = lista.pLista;
    auto* derecha = new QWidget;
    auto* v = new QVBoxLayout(derecha);
    CCatalogo& cat = m_pEditor->Catalogo();
    auto nActual = [l, &cat] {
        const int n = l->currentRow();
        return n >= 0 && n < cat.NumReacciones() ? n : -1;
    };
    auto* datos = new QFormLayout;
    auto* nombre = CampoTexto(derecha);
    auto* texto2 = CampoTexto(derecha);
    datos->addRow(QStringLiteral("Nombre:"), nombre);
    datos->addRow(QStringLiteral("Descripción:"), texto2);
    v->addLayout(datos);
    m_pEcuacion = new QLabel(derecha);
    QFont fe = m_pEcuacion->font();
    fe.setPointSizeF(fe.pointSizeF() * 1.3);
    fe.setBold(true);
    m_pEcuacion->setFont(fe);
    m_pEcuacion->setAlignment(Qt::AlignCenter);
    v->addWidget(m_pEcuacion);
    auto ecuacion = [=, this, &cat] {
        const int n = nActual();
        m_pEcuacion->setText(n < 0 ? QString()
                                   : CEditorPractica::Ecuacion(cat, cat.m_reacciones[size_t(n)]));
        if (n >= 0 && l->item(n))
            l->item(n)->setToolTip(m_pEcuacion->text());
    };
    // Three slots a side: coefficient, substance, phase.
    struct Ranura {
        QSpinBox* coef;
        QComboBox* sustancia;
        QComboBox* fase;
    };
    auto* ranuras = new std::vector<Ranura>;
    connect(this, &QObject::destroyed, [ranuras] { delete ranuras; });
    auto* rejilla = new QGridLayout;
    for (int lado = 0; lado < 2; ++lado) {
        auto* caja = new QGroupBox(lado ? QStringLiteral("Productos") : QStringLiteral("Reactivos"),
                                   derecha);
        auto* g = new QGridLayout(caja);
        g->addWidget(new QLabel(QStringLiteral("Coeficiente"), caja), 0, 0);
        g->addWidget(new QLabel(QStringLiteral("Sustancia"), caja), 0, 1);
        g->addWidget(new QLabel(QStringLiteral("Fase"), caja), 0, 2);
        for (int k = 0; k < 3; ++k) {
            Ranura r{new QSpinBox(caja), new QComboBox(caja), new QComboBox(caja)};
            r.coef->setRange(0, Limites::kCoeficiente);
            r.fase->addItems({QStringLiteral("disuelta (ac)"), QStringLiteral("sólida (s)"),
                              QStringLiteral("líquida (l)"), QStringLiteral("gas (g)")});
            g->addWidget(r.coef, k + 1, 0);
            g->addWidget(r.sustancia, k + 1, 1);
            g->addWidget(r.fase, k + 1, 2);
            g->setColumnStretch(1, 1);
            ranuras->push_back(r);
            auto cambio = [=, this] {
                const int n = nActual();
                if (n < 0)
                    return;
                int nCoef = r.coef->value();
                const int nSustancia = r.sustancia->currentData().toInt();
                // A substance chosen for an empty slot starts with coefficient 1.
                if (nSustancia >= 0 && nCoef == 0) {
                    nCoef = 1;
                    r.coef->blockSignals(true);
                    r.coef->setValue(1);
                    r.coef->blockSignals(false);
                }
                // An emptied slot shows the coefficient it now has.
                if (nSustancia < 0 && nCoef != 0) {
                    nCoef = 0;
                    r.coef->blockSignals(true);
                    r.coef->setValue(0);
                    r.coef->blockSignals(false);
                }
                m_pEditor->PonerRanura(n, lado == 1, k, nSustancia, nCoef, r.fase->currentIndex());
                ecuacion();
            };
            connect(r.coef, &QSpinBox::valueChanged, this, cambio);
            connect(r.sustancia, &QComboBox::currentIndexChanged, this, cambio);
            connect(r.fase, &QComboBox::currentIndexChanged, this, cambio);
        }
        rejilla->addWidget(caja, 0, lado);
    }
    v->addLayout(rejilla);
    auto* otros = new QGridLayout;
    auto* calor = new CNumero(derecha);
    auto* bTemp = new QCheckBox(QStringLiteral("Sólo por encima de (°C):"), derecha);
    auto* temp = new CNumero(derecha);
    auto* bSinLimite = new QCheckBox(QStringLiteral("Sin límite por paso"), derecha);
    auto* limite = new CNumero(derecha);
    auto* bEquilibrio = new QCheckBox(QStringLiteral("Equilibrio, constante:"), derecha);
    auto* constante = new CNumero(derecha);
    auto* catalizador = new QComboBox(derecha);
    auto* limiteCat = new CNumero(derecha);
    otros->addWidget(new QLabel(QStringLiteral("Calor desprendido (kcal/mol):"), derecha), 0, 0);
    otros->addWidget(calor, 0, 1);
    otros->addWidget(bTemp, 0, 2);
    otros->addWidget(temp, 0, 3);
    otros->addWidget(new QLabel(QStringLiteral("Límite por paso (mol):"), derecha), 1, 0);
    otros->addWidget(limite, 1, 1);
    otros->addWidget(bSinLimite, 1, 2);
    otros->addWidget(bEquilibrio, 2, 2);
    otros->addWidget(constante, 2, 3);
    otros->addWidget(new QLabel(QStringLiteral("Catalizador:"), derecha), 3, 0);
    otros->addWidget(catalizador, 3, 1);
    otros->addWidget(new QLabel(QStringLiteral("Límite con catalizador (mol):"), derecha), 3, 2);
    otros->addWidget(limiteCat, 3, 3);
    v->addLayout(otros);
    v->addStretch();
    auto actual = [=, &cat]() -> CReacciones* {
        const int n = nActual();
        return n < 0 ? nullptr : &cat.m_reacciones[size_t(n)];
    };
    connect(nombre, &QLineEdit::textEdited, this, [=](const QString& s) {
        if (CReacciones* r = actual()) {
            r->m_strTexto1 = S(s);
            l->currentItem()->setText(s);
        }
    });
    connect(texto2, &QLineEdit::textEdited, this, [=](const QString& s) {
        if (CReacciones* r = actual())
            r->m_strTexto2 = S(s);
    });
    calor->m_fnCambio = [=](double d) {
        if (CReacciones* r = actual())
            r->m_dCalor = d;
    };
    temp->m_fnCambio = [=](double d) {
        if (CReacciones* r = actual())
            r->m_dTempMinima = d;
    };
    limite->m_fnCambio = [=](double d) {
        if (CReacciones* r = actual())
            r->m_dLimitePaso = d;
    };
    constante->m_fnCambio = [=](double d) {
        if (CReacciones* r = actual())
            r->m_dConstanteEquilibrio = d;
    };
    limiteCat->m_fnCambio = [=](double d) {
        if (CReacciones* r = actual())
            r->m_dLimiteCatalizado = d;
    };
    connect(bTemp, &QCheckBox::toggled, this, [=](bool b) {
        if (CReacciones* r = actual())
            r->m_bTempMinima = b;
    });
    connect(bSinLimite, &QCheckBox::toggled, this, [=](bool b) {
        if (CReacciones* r = actual())
            r->m_bSinLimite = b;
    });
    connect(bEquilibrio, &QCheckBox::toggled, this, [=](bool b) {
        if (CReacciones* r = actual())
            r->m_bEquilibrio = b;
    });
    connect(catalizador, &QComboBox::currentIndexChanged, this, [=, this] {
        if (CReacciones* r = actual()) {
            const int n = catalizador->currentData().toInt();
            r->m_nCatalizador = n < 0 ? m_pEditor->Ninguno() : n;
        }
    });
    auto mostrar = [=, this, &cat] {
        CReacciones* r = actual();
        derecha->setEnabled(r != nullptr);
        for (size_t i = 0; i < ranuras->size(); ++i) {
            const Ranura& s = (*ranuras)[i];
            LlenarSustancias(s.sustancia, cat, QStringLiteral("(ninguna)"));
            if (!r)
                continue;
            const bool bProducto = i >= 3;
            const int k = int(i % 3);
            const bool bUsada = Validacion::RanuraUsada(*r, cat, bProducto, k);
            for (QWidget* w : {static_cast<QWidget*>(s.coef), static_cast<QWidget*>(s.sustancia),
                               static_cast<QWidget*>(s.fase)})
                w->blockSignals(true);
            s.coef->setValue(bProducto ? r->m_nCoefProducto[k] : r->m_nCoefReactivo[k]);
            Elegir(s.sustancia, bUsada ? (bProducto ? r->m_nProducto[k] : r->m_nReactivo[k]) : -1);
            s.fase->setCurrentIndex(bProducto ? r->m_nFaseProducto[k] : r->m_nFaseReactivo[k]);
            for (QWidget* w : {static_cast<QWidget*>(s.coef), static_cast<QWidget*>(s.sustancia),
                               static_cast<QWidget*>(s.fase)})
                w->blockSignals(false);
        }
        LlenarSustancias(catalizador, cat, QStringLiteral("(ninguno)"));
        if (!r) {
            ecuacion();
            return;
        }
        nombre->setText(Q(r->m_strTexto1));
        texto2->setText(Q(r->m_strTexto2));
        calor->Mostrar(r->m_dCalor);
        temp->Mostrar(r->m_dTempMinima);
        limite->Mostrar(r->m_dLimitePaso);
        constante->Mostrar(r->m_dConstanteEquilibrio);
        limiteCat->Mostrar(r->m_dLimiteCatalizado);
        for (auto [c, b] :
             {std::pair{bTemp, r->m_bTempMinima}, std::pair{bSinLimite, r->m_bSinLimite},
              std::pair{bEquilibrio, r->m_bEquilibrio}}) {
            c->blockSignals(true);
            c->setChecked(b != 0);
            c->blockSignals(false);
        }
        Elegir(catalizador, cat.Componente(r->m_nCatalizador) ? r->m_nCatalizador : -1);
        ecuacion();
    };
    connect(l, &QListWidget::currentRowChanged, this, mostrar);
    m_fnRecargar[REACCIONES] = [=, &cat] {
        QStringList v;
        for (const CReacciones& r : cat.m_reacciones)
            v << Q(r.m_strTexto1);
        LlenarLista(l, v);
        mostrar();
    };
    connect(lista.pAgregar, &QPushButton::clicked, this, [=, this] {
        const int n = m_pEditor->AgregarReaccion();
        m_fnRecargar[REACCIONES]();
        l->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [=, this] {
        if (m_pEditor->EliminarReaccion(l->currentRow()))
            m_fnRecargar[REACCIONES]();
    });
    return DosColumnas(lista.pCaja, derecha);
}

QWidget* CDlgEditorPractica::PaginaIndicadores() {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar"));
    QListWidget* l = lista.pLista;
    auto* derecha = new QWidget;
    auto* f = new QFormLayout(derecha);
    CCatalogo& cat = m_pEditor->Catalogo();
    auto actual = [l, &cat]() -> CIndicadores* {
        const int n = l->currentRow();
        return n >= 0 && n < cat.NumIndicadores() ? &cat.m_indicadores[size_t(n)] : nullptr;
    };
    auto* nombre = CampoTexto(derecha);
    auto* sigue = new QComboBox(derecha);
    auto* bajo = new CNumero(derecha);
    auto* colorBajo = new CBotonColor(derecha, &m_fnElegirColor);
    auto* alto = new CNumero(derecha);
    auto* colorAlto = new CBotonColor(derecha, &m_fnElegirColor);
    f->addRow(QStringLiteral("Nombre:"), nombre);
    f->addRow(QStringLiteral("Sigue:"), sigue);
    f->addRow(QStringLiteral("Límite bajo:"), bajo);
    f->addRow(QStringLiteral("Color por debajo:"), colorBajo);
    f->addRow(QStringLiteral("Límite alto:"), alto);
    f->addRow(QStringLiteral("Color por encima:"), colorAlto);
    f->addRow(QString(), new QLabel(QStringLiteral("Entre los dos límites el color pasa de uno a "
                                                   "otro. Con una sustancia, los límites son "
                                                   "concentraciones en mol/l."),
                                    derecha));
    connect(nombre, &QLineEdit::textEdited, this, [=](const QString& s) {
        if (CIndicadores* d = actual()) {
            d->m_strNombre = S(s);
            l->currentItem()->setText(s);
        }
    });
    connect(sigue, &QComboBox::currentIndexChanged, this, [=, &cat] {
        if (CIndicadores* d = actual()) {
            d->m_nComponente = sigue->currentData().toInt();
            const CComponentes* k = cat.Componente(d->m_nComponente);
            d->m_strTexto = k ? k->m_strNombre : std::string("pH");
        }
    });
    bajo->m_fnCambio = [=](double v) {
        if (CIndicadores* d = actual())
            d->m_dLimiteBajo = v;
    };
    alto->m_fnCambio = [=](double v) {
        if (CIndicadores* d = actual())
            d->m_dLimiteAlto = v;
    };
    colorBajo->m_fnCambio = [=](const QColor& c) {
        if (CIndicadores* d = actual())
            d->m_crColorBajo = ColorrefDe(c);
    };
    colorAlto->m_fnCambio = [=](const QColor& c) {
        if (CIndicadores* d = actual())
            d->m_crColorAlto = ColorrefDe(c);
    };
    auto mostrar = [=, &cat] {
        CIndicadores* d = actual();
        derecha->setEnabled(d != nullptr);
        LlenarSustancias(sigue, cat, QStringLiteral("pH"));
        if (!d)
            return;
        nombre->setText(Q(d->m_strNombre));
        Elegir(sigue, d->m_nComponente);
        bajo->Mostrar(d->m_dLimiteBajo);
        alto->Mostrar(d->m_dLimiteAlto);
        colorBajo->Mostrar(ColorDe(d->m_crColorBajo));
        colorAlto->Mostrar(ColorDe(d->m_crColorAlto));
    };
    connect(l, &QListWidget::currentRowChanged, this, mostrar);
    m_fnRecargar[INDICADORES] = [=, &cat] {
        QStringList v;
        for (const CIndicadores& d : cat.m_indicadores)
            v << Q(d.m_strNombre);
        LlenarLista(l, v);
        mostrar();
    };
    connect(lista.pAgregar, &QPushButton::clicked, this, [=, this] {
        const int n = m_pEditor->AgregarIndicador();
        m_fnRecargar[INDICADORES]();
        l->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [=, this] {
        QString strError;
        if (m_pEditor->EliminarIndicador(l->currentRow(), &strError))
            m_fnRecargar[INDICADORES]();
        else if (!strError.isEmpty())
            Mensajes::Aviso(this, strError);
    });
    return DosColumnas(lista.pCaja, derecha);
}

QWidget* CDlgEditorPractica::PaginaMesa() {
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    m_pEstadoMesa = new QLabel(w);
    m_pEstadoMesa->setWordWrap(true);
    auto* usar = new QPushButton(QStringLiteral("Usar la mesa actual"), w);
    auto* quitar = new QPushButton(QStringLiteral("Sin mesa inicial"), w);
    auto* guardar = new QPushButton(QStringLiteral("Guardar en archivo…"), w);
    connect(guardar, &QPushButton::clicked, this, &CDlgEditorPractica::GuardarEnArchivo);
    usar->setEnabled(m_pActual != nullptr);
    auto* h = new QHBoxLayout;
    h->addWidget(usar);
    h->addWidget(quitar);
    h->addStretch();
    h->addWidget(guardar);
    v->addWidget(new QLabel(QStringLiteral("La mesa inicial es el equipo, con su contenido, que el "
                                           "alumno encuentra al abrir la práctica."),
                            w));
    v->addWidget(m_pEstadoMesa);
    auto* piezas = new QListWidget(w);
    v->addWidget(piezas, 1);
    v->addLayout(h);
    m_fnRecargar[MESA] = [this, piezas] {
        // Each item by the name its menu entry gives it, a vessel with what it holds.
        piezas->clear();
        for (const CEquipo* e : m_pEditor->Practica().m_listaEquipo) {
            const CTipoEquipo* t = BuscarTipo(e->m_nTipo);
            QString strTexto =
                t && t->pszIndicacion
                    ? QString::fromUtf8(t->pszIndicacion).section(QLatin1Char('\n'), 1)
                    : QString();
            if (strTexto.isEmpty() && t && t->pszMenu)
                strTexto = QString::fromUtf8(t->pszMenu).remove(QLatin1Char('&'));
            if (strTexto.isEmpty())
                strTexto = QStringLiteral("Pieza de equipo");
            if (const auto* r = dynamic_cast<const CRecipiente*>(e)) {
                QStringList contenido;
                if (r->VolumenLiquido() > 0.0)
                    contenido << QStringLiteral("%1 ml de líquido")
                                     .arg(QLocale().toString(r->VolumenLiquido(), 'f', 1));
                if (r->m_seno.m_faseSolida.m_dMasa > 0.0)
                    contenido << QStringLiteral("%1 g de sólido")
                                     .arg(QLocale().toString(r->m_seno.m_faseSolida.m_dMasa, 'f',
                                                             2));
                if (!contenido.isEmpty())
                    strTexto += QStringLiteral(": ") + contenido.join(QStringLiteral(", "));
            }
            piezas->addItem(strTexto);
        }
        const size_t n = m_pEditor->Practica().m_listaEquipo.size();
        m_pEstadoMesa->setText(
            n == 0 ? QStringLiteral("Sin mesa inicial: la práctica se guarda como plantilla "
                                    "(.akp) y el alumno empieza con la mesa vacía.")
                   : QStringLiteral("La mesa inicial tiene %1 %2: la práctica se guarda como "
                                    "práctica guardada (.uak1).")
                         .arg(n)
                         .arg(n == 1 ? QStringLiteral("pieza de equipo")
                                     : QStringLiteral("piezas de equipo")));
    };
    connect(usar, &QPushButton::clicked, this, [this] {
        QString strError;
        if (!m_pEditor->UsarMesa(*m_pActual, &strError))
            Mensajes::Aviso(this, strError);
        m_fnRecargar[MESA]();
    });
    connect(quitar, &QPushButton::clicked, this, [this] {
        m_pEditor->QuitarMesa();
        m_fnRecargar[MESA]();
    });
    return w;
}
