#include "app/PaginaDatos.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "document/EditorPractica.h"

#include "document/Registro.h"
#include "equipment/ListaEquipo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <memory>

using CamposEditor::CampoTexto;

CPaginaDatos::CPaginaDatos(CEditorPractica& editor) : CPaginaEditor(editor) {
    auto* f = new QFormLayout(this);
    m_pNombre = CampoTexto(this);
    m_pResumen = CampoTexto(this);
    m_pAutor = CampoTexto(this);
    m_pFecha = new QDateEdit(this);
    m_pFecha->setCalendarPopup(true);
    m_pFecha->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_pVelocidad = new QCheckBox(QStringLiteral("Velocidad ajustable por el alumno"), this);
    m_pPropiedades = new QCheckBox(QStringLiteral("Propiedades de las sustancias visibles"), this);
    f->addRow(QStringLiteral("&Nombre:"), m_pNombre);
    f->addRow(QStringLiteral("&Resumen (una línea):"), m_pResumen);
    f->addRow(QStringLiteral("&Autor:"), m_pAutor);
    f->addRow(QStringLiteral("&Fecha:"), m_pFecha);
    f->addRow(QString(), m_pVelocidad);
    f->addRow(QString(), m_pPropiedades);
    // The modes in MOTOR_* order.
    m_pMotor = new QComboBox(this);
    m_pMotor->setObjectName(QStringLiteral("motor"));
    const struct {
        const char* pszTexto;
        const char* pszAyuda;
    } kMotores[] = {
        {QT_TRANSLATE_NOOP("CPaginaDatos", "Modelo descrito (pH del ion dominante, Kw fijo)"),
         QT_TRANSLATE_NOOP("CPaginaDatos",
                           "El pH sale del ion H+ u OH- que domina, con Kw = 10⁻¹⁴ a cualquier "
                           "temperatura; las reacciones ocurren como están escritas. Es lo que "
                           "hacen las prácticas de siempre.")},
        {QT_TRANSLATE_NOOP("CPaginaDatos", "Equilibrio exacto (Kw según la temperatura)"),
         QT_TRANSLATE_NOOP("CPaginaDatos",
                           "El pH y los iones salen del equilibrio de todos los ácidos y bases "
                           "disueltos (con sus pKa), con Kw según la temperatura; las "
                           "reacciones ocurren como están escritas.")},
        {QT_TRANSLATE_NOOP("CPaginaDatos", "Equilibrio exacto, con neutralización y su calor"),
         QT_TRANSLATE_NOOP("CPaginaDatos",
                           "Como el anterior, y además los ácidos y las bases se neutralizan "
                           "por sus equilibrios, desprendiendo el calor de neutralización.")},
    };
    for (const auto& m : kMotores) {
        m_pMotor->addItem(QCoreApplication::translate("CPaginaDatos", m.pszTexto));
        m_pMotor->setItemData(m_pMotor->count() - 1,
                              QCoreApplication::translate("CPaginaDatos", m.pszAyuda),
                              Qt::ToolTipRole);
    }
    m_pMotor->setToolTip(QCoreApplication::translate(
        "CPaginaDatos", "Cómo se calculan el pH, los iones y las neutralizaciones de los "
                        "líquidos de la práctica."));
    f->addRow(QCoreApplication::translate("CPaginaDatos", "&Química de las disoluciones:"),
              m_pMotor);
    auto tr = [](const char* psz) { return QCoreApplication::translate("CPaginaDatos", psz); };
    m_pAmbiente = new QCheckBox(tr("Calor con el ambiente del laboratorio"), this);
    m_pAmbiente->setObjectName(QStringLiteral("ambiente"));
    m_pAmbiente->setToolTip(
        tr("Los recipientes se enfrían o se calientan hacia la temperatura del laboratorio "
           "en proporción a la diferencia, como los reales; el calorímetro tapado guarda el "
           "calor de lo que ocurre dentro. Sin marcar: el calor de siempre."));
    m_pTemperaturaAmbiente = new CNumero(this);
    m_pTemperaturaAmbiente->setObjectName(QStringLiteral("temperaturaAmbiente"));
    m_pEnfriamiento = new QCheckBox(tr("Los recipientes intercambian calor con el aire"), this);
    m_pEnfriamiento->setObjectName(QStringLiteral("enfriamiento"));
    m_pEquivalente = new CNumero(this);
    m_pEquivalente->setObjectName(QStringLiteral("equivalenteCalorimetro"));
    m_pEquivalente->setToolTip(tr("Masa de agua que absorbería el mismo calor que el vaso, la "
                                  "tapa y el termómetro del calorímetro; 0, un calorímetro "
                                  "ideal."));
    f->addRow(QString(), m_pAmbiente);
    f->addRow(tr("&Temperatura del laboratorio (°C):"), m_pTemperaturaAmbiente);
    f->addRow(QString(), m_pEnfriamiento);
    f->addRow(tr("&Equivalente en agua del calorímetro (g):"), m_pEquivalente);
    auto cambiar = [this](auto fn) {
        CTermicaPractica a = Practica().m_catalogo.m_termica;
        fn(a);
        a.m_bActiva = true;
        m_editor.PonerAmbiente(a);
        Recargar();
    };
    connect(m_pAmbiente, &QCheckBox::toggled, this, [this](bool b) {
        CTermicaPractica a = b ? Practica().m_catalogo.m_termica : CTermicaPractica{};
        a.m_bActiva = b;
        m_editor.PonerAmbiente(a);
        Recargar();
    });
    m_pTemperaturaAmbiente->m_fnCambio = [cambiar](double d) {
        cambiar([d](CTermicaPractica& a) { a.m_dTemperaturaAmbiente = d; });
    };
    connect(m_pEnfriamiento, &QCheckBox::toggled, this,
            [cambiar](bool b) { cambiar([b](CTermicaPractica& a) { a.m_bEnfriamiento = b; }); });
    m_pEquivalente->m_fnCambio = [cambiar](double d) {
        cambiar([d](CTermicaPractica& a) { a.m_dEquivalenteCalorimetro = d; });
    };
    {
        auto* fila = new QHBoxLayout;
        for (int32_t t = 1; t < 100; ++t) {
            if (!CRegistro::TipoRegistrable(t))
                continue;
            const std::unique_ptr<CEquipo> e(CListaEquipo::CrearEquipo(t));
            auto* c = new QCheckBox(Q(e->GetNombre()), this);
            m_registrar.emplace_back(t, c);
            fila->addWidget(c);
        }
        m_pIntervaloRegistro = new QDoubleSpinBox(this);
        m_pIntervaloRegistro->setRange(CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
        m_pIntervaloRegistro->setDecimals(1);
        m_pIntervaloRegistro->setSuffix(QStringLiteral(" s"));
        m_pIntervaloRegistro->setAccessibleName(
            QCoreApplication::translate("CPaginaDatos", "Intervalo del registro"));
        m_pEjeRegistro = new QComboBox(this);
        m_pEjeRegistro->addItems(
            {QCoreApplication::translate("CPaginaDatos", "frente al tiempo"),
             QCoreApplication::translate("CPaginaDatos", "frente al volumen de la bureta")});
        m_pEjeRegistro->setAccessibleName(
            QCoreApplication::translate("CPaginaDatos", "Eje X del registro"));
        fila->addWidget(new QLabel(QCoreApplication::translate("CPaginaDatos", "cada"), this));
        fila->addWidget(m_pIntervaloRegistro);
        fila->addWidget(m_pEjeRegistro);
        fila->addStretch(1);
        f->addRow(QCoreApplication::translate("CPaginaDatos", "Re&gistrar por sí sola:"), fila);
        auto poner = [this] {
            std::vector<int32_t> tipos;
            for (const auto& [t, c] : m_registrar)
                if (c->isChecked())
                    tipos.push_back(t);
            m_editor.PonerRegistroAutomatico(tipos, m_pIntervaloRegistro->value(),
                                             m_pEjeRegistro->currentIndex() == 1);
        };
        for (const auto& [t, c] : m_registrar)
            connect(c, &QCheckBox::toggled, this, poner);
        connect(m_pIntervaloRegistro, &QDoubleSpinBox::valueChanged, this, poner);
        connect(m_pEjeRegistro, &QComboBox::currentIndexChanged, this, poner);
    }
    const struct {
        QLineEdit* e;
        std::string CPractica::*pCampo;
    } kTextos[] = {{m_pNombre, &CPractica::m_strPractica},
                   {m_pResumen, &CPractica::m_strResumen},
                   {m_pAutor, &CPractica::m_strAutor}};
    for (const auto& t : kTextos)
        connect(t.e, &QLineEdit::textEdited, this,
                [this, pCampo = t.pCampo](const QString& s) { m_editor.PonerDato(pCampo, S(s)); });
    connect(m_pFecha, &QDateEdit::userDateChanged, this,
            [this](const QDate& d) { m_editor.PonerFecha(d.year(), d.month(), d.day()); });
    connect(m_pVelocidad, &QCheckBox::toggled, this,
            [this](bool b) { m_editor.PonerOpcion(&CPractica::m_bVelocidad, b); });
    connect(m_pPropiedades, &QCheckBox::toggled, this,
            [this](bool b) { m_editor.PonerOpcion(&CPractica::m_bPropiedades, b); });
    connect(m_pMotor, &QComboBox::currentIndexChanged, this,
            [this](int n) { m_editor.PonerMotor(n); });
}

void CPaginaDatos::Recargar() {
    const CPractica& p = Practica();
    m_pNombre->setText(Q(p.m_strPractica));
    m_pResumen->setText(Q(p.m_strResumen));
    m_pAutor->setText(Q(p.m_strAutor));
    int a = 0, m = 0, d = 0;
    m_pFecha->blockSignals(true);
    m_pFecha->setDate(p.m_dtFecha.ACivil(a, m, d) ? QDate(a, m, d) : QDate::currentDate());
    m_pFecha->blockSignals(false);
    m_pVelocidad->blockSignals(true);
    m_pVelocidad->setChecked(p.m_bVelocidad != 0);
    m_pVelocidad->blockSignals(false);
    m_pPropiedades->blockSignals(true);
    m_pPropiedades->setChecked(p.m_bPropiedades != 0);
    m_pPropiedades->blockSignals(false);
    m_pMotor->blockSignals(true);
    m_pMotor->setCurrentIndex(p.m_catalogo.m_nMotor);
    m_pMotor->blockSignals(false);
    const CTermicaPractica& amb = p.m_catalogo.m_termica;
    for (QCheckBox* c : {m_pAmbiente, m_pEnfriamiento})
        c->blockSignals(true);
    m_pAmbiente->setChecked(amb.Tiene());
    m_pEnfriamiento->setChecked(amb.m_bEnfriamiento);
    for (QCheckBox* c : {m_pAmbiente, m_pEnfriamiento})
        c->blockSignals(false);
    m_pTemperaturaAmbiente->Mostrar(amb.m_dTemperaturaAmbiente);
    m_pEquivalente->Mostrar(amb.m_dEquivalenteCalorimetro);
    for (QWidget* w :
         {static_cast<QWidget*>(m_pTemperaturaAmbiente), static_cast<QWidget*>(m_pEnfriamiento),
          static_cast<QWidget*>(m_pEquivalente)})
        w->setEnabled(amb.Tiene());
    const CRegistroAutomatico& automatico = p.m_registro.m_automatico;
    for (const auto& [t, c] : m_registrar) {
        c->blockSignals(true);
        c->setChecked(std::binary_search(automatico.m_tipos.begin(), automatico.m_tipos.end(), t));
        c->blockSignals(false);
    }
    m_pIntervaloRegistro->blockSignals(true);
    m_pIntervaloRegistro->setValue(automatico.m_dIntervalo);
    m_pIntervaloRegistro->blockSignals(false);
    m_pEjeRegistro->blockSignals(true);
    m_pEjeRegistro->setCurrentIndex(automatico.m_bEjeVolumen ? 1 : 0);
    m_pEjeRegistro->blockSignals(false);
}
