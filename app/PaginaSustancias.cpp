#include "app/PaginaSustancias.h"
#include "equipment/Conversiones.h"

#include "app/CamposEditor.h"
#include "bench/Mensajes.h"
#include "document/EditorPractica.h"
#include "equipment/Imagenes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>

#include <cmath>
#include <functional>
#include <optional>

using namespace CamposEditor;

namespace {

QString T(const char* psz) {
    return QCoreApplication::translate("CPaginaSustancias", psz);
}

// The textures of a solid, each as a tile over a light grey solid, as the bench lays it.
void LlenarTexturas(QComboBox* textura) {
    textura->setIconSize(QSize(32, 32));
    for (int i = 0; i <= CEditorPractica::kUltimaTextura; ++i) {
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
}

} // namespace

CPaginaSustancias::CPaginaSustancias(CEditorPractica& editor,
                                     std::function<QColor(const QColor&)>* pfnElegirColor)
    : CPaginaEditor(editor), m_pfnElegirColor(pfnElegirColor) {
    const Lista lista = CrearLista(nullptr, QStringLiteral("Agregar copia"));
    m_pLista = lista.pLista;
    m_pDerecha = new QWidget;
    m_pRejilla = new QGridLayout(m_pDerecha);
    int f = 0;
    Texto(QStringLiteral("Nombre:"), f, 0, &CComponentes::m_strNombre);
    Texto(QStringLiteral("Fórmula:"), f++, 2, &CComponentes::m_strFormula);
    Numero(QStringLiteral("Masa molar (g/mol):"), f, 0, &CComponentes::m_dMasaMolar);
    Numero(QStringLiteral("Densidad (g/cm³):"), f++, 2, &CComponentes::m_dDensidad);
    Numero(QStringLiteral("Calor específico (cal/(g·°C)):"), f, 0,
           &CComponentes::m_dCalorEspecifico);
    Numero(QStringLiteral("Constante de disociación:"), f++, 2, &CComponentes::m_dConstante,
           QStringLiteral("0: no se disocia; −1: se disocia por completo "
                          "(electrolito fuerte); un valor positivo: su "
                          "constante de disociación."));
    Numero(QStringLiteral("Punto de fusión (°C):"), f, 0, &CComponentes::m_dPuntoFusion);
    Numero(QStringLiteral("Punto de ebullición (°C):"), f++, 2, &CComponentes::m_dPuntoEbullicion);
    f = EstadoColorTextura(f);
    Texto(QStringLiteral("Catión:"), f, 0, &CComponentes::m_strCation);
    Texto(QStringLiteral("Anión:"), f++, 2, &CComponentes::m_strAnion);
    Entero(QStringLiteral("Cationes por fórmula:"), f, 0, &CComponentes::m_nCantidadCation);
    Entero(QStringLiteral("Aniones por fórmula:"), f++, 2, &CComponentes::m_nCantidadAnion);
    Entero(QStringLiteral("Carga del catión:"), f, 0, &CComponentes::m_nSignoCation);
    Entero(QStringLiteral("Carga del anión:"), f++, 2, &CComponentes::m_nSignoAnion);
    Numero(QStringLiteral("Solubilidad 1 (g/100 ml):"), f, 0, &CComponentes::m_dSolubilidad1);
    Numero(QStringLiteral("a la temperatura (°C):"), f++, 2, &CComponentes::m_dTemperatura1);
    Numero(QStringLiteral("Solubilidad 2 (g/100 ml):"), f, 0, &CComponentes::m_dSolubilidad2);
    Numero(QStringLiteral("a la temperatura (°C):"), f++, 2, &CComponentes::m_dTemperatura2);
    // The texture of the solid, as the bench draws it.
    auto* textura = new QComboBox(m_pDerecha);
    LlenarTexturas(textura);
    m_pRejilla->addWidget(new QLabel(QStringLiteral("Textura del sólido:"), m_pDerecha), f, 0);
    m_pRejilla->addWidget(textura, f, 1);
    connect(textura, &QComboBox::currentIndexChanged, this,
            [this](int n) { m_editor.PonerComponente(Actual(), &CComponentes::m_nTextura, n); });
    m_campos.push_back([textura](const CComponentes& k) {
        textura->blockSignals(true);
        textura->setCurrentIndex(std::clamp(k.m_nTextura, 0, CEditorPractica::kUltimaTextura));
        textura->blockSignals(false);
    });
    // The colour's molarity: optional, empty is 0 (the colours mix as they always have).
    auto* color = new CNumero(m_pDerecha);
    color->setObjectName(QStringLiteral("concentracionColor"));
    color->setToolTip(T("Molaridad a la que una disolución de la sustancia muestra su color; "
                        "más diluida se ve más clara y más concentrada más intensa (ley de "
                        "Beer–Lambert). Vacío: los colores se mezclan como siempre."));
    m_pRejilla->addWidget(new QLabel(T("Concentración de su color (mol/L):"), m_pDerecha), f, 2);
    m_pRejilla->addWidget(color, f++, 3);
    color->m_fnCambio = [this, color](double d) {
        m_editor.PonerComponente(Actual(), &CComponentes::m_dConcentracionColor, d);
        if (d == 0.0)
            color->MostrarVacio();
    };
    color->PermitirVacio(
        [this] { m_editor.PonerComponente(Actual(), &CComponentes::m_dConcentracionColor, 0.0); });
    m_campos.push_back([color](const CComponentes& k) {
        if (k.m_dConcentracionColor == 0.0)
            color->MostrarVacio();
        else
            color->Mostrar(k.m_dConcentracionColor);
    });
    f = Vapor(f);
    // The form a solid is offered in, for the rate laws: its surface factor against chips.
    auto* forma = new QComboBox(m_pDerecha);
    forma->setObjectName(QStringLiteral("forma"));
    forma->addItems({T("Sin forma"), T("Polvo"), T("Trozos o granulado"), T("Cinta")});
    forma->setToolTip(T("La forma en que se ofrece el sólido: en una reacción con ley de "
                        "velocidad, su velocidad se multiplica por el factor de superficie."));
    auto* factor = new CNumero(m_pDerecha);
    factor->setObjectName(QStringLiteral("factorSuperficie"));
    factor->setToolTip(T("Superficie por gramo frente a unos trozos de la misma masa: 10 para "
                         "un polvo, 1 para los trozos, 8 para una cinta."));
    m_pRejilla->addWidget(new QLabel(T("Forma del sólido:"), m_pDerecha), f, 0);
    m_pRejilla->addWidget(forma, f, 1);
    m_pRejilla->addWidget(new QLabel(T("Factor de superficie:"), m_pDerecha), f, 2);
    m_pRejilla->addWidget(factor, f++, 3);
    connect(forma, &QComboBox::currentIndexChanged, this, [this](int n) {
        m_editor.PonerForma(Actual(), n);
        Mostrar();
    });
    factor->m_fnCambio = [this](double d) { m_editor.PonerFactorSuperficie(Actual(), d); };
    m_campos.push_back([forma, factor](const CComponentes& k) {
        forma->blockSignals(true);
        forma->setCurrentIndex(std::clamp(k.m_superficie.m_nForma, 0, int(FORMA_CINTA)));
        forma->blockSignals(false);
        factor->setEnabled(k.m_superficie.Tiene());
        factor->Mostrar(k.m_superficie.m_dFactor);
    });
    // The latent heats: optional, empty is 0 (the described rule: no heat).
    const struct {
        const char* pszNombre;
        const char* pszTexto;
        const char* pszAyuda;
        double CTermicaDatos::*pCampo;
    } kCalores[] = {
        {"entalpiaDisolucion", QT_TRANSLATE_NOOP("CPaginaSustancias", "ΔH de disolución (kJ/mol):"),
         QT_TRANSLATE_NOOP("CPaginaSustancias",
                           "Calor que absorbe un mol al disolverse (negativo si lo desprende, como "
                           "el hidróxido de sodio, −44,51); lo devuelve si cristaliza. Vacío: "
                           "disolverse no da ni toma calor."),
         &CTermicaDatos::m_dDisolucion},
        {"entalpiaFusion", QT_TRANSLATE_NOOP("CPaginaSustancias", "ΔH de fusión (kJ/mol):"),
         QT_TRANSLATE_NOOP("CPaginaSustancias",
                           "Calor que absorbe un mol al fundirse en su punto de fusión; al "
                           "solidificarse lo devuelve y la temperatura se mantiene mientras "
                           "tanto. Vacío: funde y solidifica sin calor."),
         &CTermicaDatos::m_dFusion},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& c = kCalores[i];
        auto* campo = new CNumero(m_pDerecha);
        campo->setObjectName(QLatin1String(c.pszNombre));
        campo->setToolTip(QCoreApplication::translate("CPaginaSustancias", c.pszAyuda));
        m_pRejilla->addWidget(
            new QLabel(QCoreApplication::translate("CPaginaSustancias", c.pszTexto), m_pDerecha), f,
            2 * i);
        m_pRejilla->addWidget(campo, f, 2 * i + 1);
        campo->m_fnCambio = [this, campo, pCampo = c.pCampo](double d) {
            m_editor.PonerTermica(Actual(), pCampo, d);
            if (d == 0.0)
                campo->MostrarVacio();
        };
        campo->PermitirVacio(
            [this, pCampo = c.pCampo] { m_editor.PonerTermica(Actual(), pCampo, 0.0); });
        m_campos.push_back([campo, pCampo = c.pCampo](const CComponentes& k) {
            if (k.m_termica.*pCampo == 0.0)
                campo->MostrarVacio();
            else
                campo->Mostrar(k.m_termica.*pCampo);
        });
    }
    ++f;
    AcidoBase(f++);
    m_pRejilla->setRowStretch(f, 1);
    connect(m_pLista, &QListWidget::currentRowChanged, this, [this] { Mostrar(); });
    connect(lista.pAgregar, &QPushButton::clicked, this, [this] {
        const int n = m_editor.AgregarComponente(m_pLista->currentRow());
        Recargar();
        m_pLista->setCurrentRow(n);
    });
    connect(lista.pEliminar, &QPushButton::clicked, this, [this] { Eliminar(); });
    DosColumnas(this, lista.pCaja, m_pDerecha);
}

int CPaginaSustancias::Vapor(int f) {
    // Each field is optional: empty stores 0, which is the described rule.
    auto campo = [this](const QString& strEtiqueta, const char* pszNombre, const QString& strAyuda,
                        int nFila, int nColumna, std::function<void(double)> fnPoner,
                        std::function<double(const CComponentes&)> fnValor) {
        auto* n = new CNumero(m_pDerecha);
        n->setObjectName(QString::fromLatin1(pszNombre));
        n->setToolTip(strAyuda);
        m_pRejilla->addWidget(new QLabel(strEtiqueta, m_pDerecha), nFila, nColumna);
        m_pRejilla->addWidget(n, nFila, nColumna + 1);
        n->m_fnCambio = [n, fnPoner](double d) {
            fnPoner(d);
            if (d == 0.0)
                n->MostrarVacio();
        };
        n->PermitirVacio([fnPoner] { fnPoner(0.0); });
        m_campos.push_back([n, fnValor](const CComponentes& k) {
            const double d = fnValor(k);
            if (d == 0.0)
                n->MostrarVacio();
            else
                n->Mostrar(d);
        });
    };
    campo(
        T("Partículas por unidad (i):"), "vantHoff",
        T("Partículas que da en disolución cada unidad de fórmula (factor de van 't Hoff; "
          "1,9 para el NaCl). Vacío: cuenta como una."),
        f, 0,
        [this](double d) { m_editor.PonerDisolucion(Actual(), &CDisolucionDatos::m_dVantHoff, d); },
        [](const CComponentes& k) { return k.m_disolucion.m_dVantHoff; });
    campo(
        T("Volumen molar del líquido (cm³/mol):"), "volumenMolar",
        T("Volumen de un mol del líquido, con el que la ecuación de Wilson pondera sus "
          "energías. Necesario si la sustancia tiene constantes de Antoine."),
        f++, 2,
        [this](double d) {
            m_editor.PonerDisolucion(Actual(), &CDisolucionDatos::m_dVolumenMolar, d);
        },
        [](const CComponentes& k) { return k.m_disolucion.m_dVolumenMolar; });
    static const char* const kNombres[] = {"antoineA", "antoineB", "antoineC"};
    for (int k = 0; k < 3; ++k)
        campo(
            T("Antoine %1:").arg(QChar(u'A' + k)), kNombres[k],
            T("Constantes de la presión de vapor, log₁₀(p/bar) = A − B/(T/K + C), como las da "
              "el NIST WebBook. Vacías: el líquido hierve a su punto de ebullición."),
            f + k / 2, (k % 2) * 2, [this, k](double d) { m_editor.PonerAntoine(Actual(), k, d); },
            [k](const CComponentes& c) {
                return c.m_disolucion.m_antoine[static_cast<size_t>(k)];
            });
    return f + 2;
}

void CPaginaSustancias::AcidoBase(int f) {
    auto* caja = new QGroupBox(T("Ácido–base (opcional)"), m_pDerecha);
    caja->setToolTip(T("El sistema ácido–base que la sustancia aporta al agua, descrito desde "
                       "su forma más protonada: hasta tres pasos de disociación. Solo lo usa "
                       "la química de las disoluciones por equilibrio exacto (página "
                       "«Datos»)."));
    auto* g = new QGridLayout(caja);
    for (int k = 0; k < 3; ++k) {
        auto* pKa = new CNumero(caja);
        pKa->setObjectName(QStringLiteral("pKa%1").arg(k + 1));
        pKa->setToolTip(T("pKa del paso %1 a 25 °C. Vacío: la sustancia no tiene ese paso. "
                          "Los pKa se llenan por orden y de menor a mayor.")
                            .arg(k + 1));
        g->addWidget(new QLabel(T("pKa%1 a 25 °C:").arg(k + 1), caja), 0, 2 * k);
        g->addWidget(pKa, 0, 2 * k + 1);
        pKa->m_fnCambio = [this, k](double d) {
            m_editor.PonerPKa(Actual(), k, d);
            Mostrar();
        };
        pKa->PermitirVacio([this, k] {
            m_editor.PonerPKa(Actual(), k, std::nullopt);
            Mostrar();
        });
        auto* dH = new CNumero(caja);
        dH->setObjectName(QStringLiteral("entalpia%1").arg(k + 1));
        dH->setToolTip(T("Entalpía de disociación del paso %1, en kJ/mol: positiva si el paso "
                         "absorbe calor. Vacío: 0.")
                           .arg(k + 1));
        g->addWidget(new QLabel(T("ΔH%1 (kJ/mol):").arg(k + 1), caja), 1, 2 * k);
        g->addWidget(dH, 1, 2 * k + 1);
        dH->m_fnCambio = [this, k, dH](double d) {
            m_editor.PonerEntalpiaPaso(Actual(), k, d);
            if (d == 0.0)
                dH->MostrarVacio();
        };
        dH->PermitirVacio([this, k] { m_editor.PonerEntalpiaPaso(Actual(), k, 0.0); });
        m_campos.push_back([pKa, dH, k](const CComponentes& c) {
            const CAcidoBaseDatos& a = c.m_acidoBase;
            const double d = a.m_pKa[static_cast<size_t>(k)];
            if (k < a.m_nPasos && !std::isnan(d))
                pKa->Mostrar(d);
            else
                pKa->MostrarVacio();
            const double h = a.m_dEntalpia[static_cast<size_t>(k)];
            if (h == 0.0)
                dH->MostrarVacio();
            else
                dH->Mostrar(h);
        });
    }
    const struct {
        const char* pszEtiqueta;
        const char* pszAyuda;
        int32_t CAcidoBaseDatos::*pCampo;
        int nMinimo, nMaximo;
    } kEnteros[] = {
        {QT_TRANSLATE_NOOP("CPaginaSustancias", "Carga de la forma ácida:"),
         QT_TRANSLATE_NOOP("CPaginaSustancias",
                           "Carga de la forma más protonada: 0 en el ácido acético o el "
                           "carbónico, +1 en el ion amonio."),
         &CAcidoBaseDatos::m_nCargaAcida, -3, 3},
        {QT_TRANSLATE_NOOP("CPaginaSustancias", "Protones cedidos:"),
         QT_TRANSLATE_NOOP("CPaginaSustancias",
                           "Protones que la sustancia, tal como se añade, ya ha cedido de la "
                           "forma ácida: 0 el ácido acético, 1 el acetato de sodio o el "
                           "amoníaco, 2 el carbonato de sodio."),
         &CAcidoBaseDatos::m_nCedidos, 0, 3},
    };
    int c = 0;
    for (const auto& e : kEnteros) {
        auto* n = new QSpinBox(caja);
        n->setRange(e.nMinimo, e.nMaximo);
        n->setToolTip(T(e.pszAyuda));
        g->addWidget(new QLabel(T(e.pszEtiqueta), caja), 2, c);
        g->addWidget(n, 2, c + 1);
        c += 2;
        connect(n, &QSpinBox::valueChanged, this,
                [this, pCampo = e.pCampo](int v) { m_editor.PonerAcidoBase(Actual(), pCampo, v); });
        m_campos.push_back([n, pCampo = e.pCampo](const CComponentes& k) {
            n->blockSignals(true);
            n->setValue(k.m_acidoBase.*pCampo);
            n->blockSignals(false);
        });
    }
    for (int k = 0; k < 3; ++k)
        g->setColumnStretch(2 * k + 1, 1);
    m_pRejilla->addWidget(caja, f, 0, 1, 4);
}

int CPaginaSustancias::EstadoColorTextura(int f) {
    auto* estado = new QComboBox(m_pDerecha);
    estado->addItems({QStringLiteral("Sólido"), QStringLiteral("Líquido"), QStringLiteral("Gas"),
                      QStringLiteral("Ninguno")});
    m_pRejilla->addWidget(new QLabel(QStringLiteral("Estado a 25 °C:"), m_pDerecha), f, 0);
    m_pRejilla->addWidget(estado, f, 1);
    connect(estado, &QComboBox::currentIndexChanged, this,
            [this](int n) { m_editor.PonerComponente(Actual(), &CComponentes::m_nEstado, n); });
    auto* color = new CBotonColor(m_pDerecha, m_pfnElegirColor);
    m_pRejilla->addWidget(new QLabel(QStringLiteral("Color:"), m_pDerecha), f, 2);
    m_pRejilla->addWidget(color, f++, 3);
    color->m_fnCambio = [this](const QColor& c) {
        m_editor.PonerComponente(Actual(), &CComponentes::m_crColor, ColorrefDe(c));
    };
    m_campos.push_back([estado, color](const CComponentes& k) {
        estado->blockSignals(true);
        estado->setCurrentIndex(k.m_nEstado);
        estado->blockSignals(false);
        color->Mostrar(ColorDe(k.m_crColor));
    });
    return f;
}

void CPaginaSustancias::Texto(const QString& strEtiqueta, int f, int c,
                              std::string CComponentes::*pCampo) {
    auto* e = CampoTexto(m_pDerecha);
    m_pRejilla->addWidget(new QLabel(strEtiqueta, m_pDerecha), f, c);
    m_pRejilla->addWidget(e, f, c + 1);
    connect(e, &QLineEdit::textEdited, this, [this, pCampo](const QString& s) {
        const int32_t n = Actual();
        if (!m_editor.PonerComponente(n, pCampo, S(s)))
            return;
        if (QListWidgetItem* it = m_pLista->currentItem())
            it->setText(Q(Catalogo().Componente(n)->m_strNombre));
    });
    m_campos.push_back([e, pCampo](const CComponentes& k) { e->setText(Q(k.*pCampo)); });
}

void CPaginaSustancias::Numero(const QString& strEtiqueta, int f, int c,
                               double CComponentes::*pCampo, const QString& strAyuda) {
    auto* e = new CNumero(m_pDerecha);
    e->setToolTip(strAyuda);
    m_pRejilla->addWidget(new QLabel(strEtiqueta, m_pDerecha), f, c);
    m_pRejilla->addWidget(e, f, c + 1);
    e->m_fnCambio = [this, pCampo](double d) { m_editor.PonerComponente(Actual(), pCampo, d); };
    m_campos.push_back([e, pCampo](const CComponentes& k) { e->Mostrar(k.*pCampo); });
}

void CPaginaSustancias::Entero(const QString& strEtiqueta, int f, int c,
                               int32_t CComponentes::*pCampo) {
    auto* e = new QSpinBox(m_pDerecha);
    const CEditorPractica::Rango r = CEditorPractica::RangoComponente(pCampo);
    e->setRange(r.nMinimo, r.nMaximo);
    m_pRejilla->addWidget(new QLabel(strEtiqueta, m_pDerecha), f, c);
    m_pRejilla->addWidget(e, f, c + 1);
    connect(e, &QSpinBox::valueChanged, this,
            [this, pCampo](int n) { m_editor.PonerComponente(Actual(), pCampo, n); });
    m_campos.push_back([e, pCampo](const CComponentes& k) {
        e->blockSignals(true);
        e->setValue(k.*pCampo);
        e->blockSignals(false);
    });
}

int32_t CPaginaSustancias::Actual() const {
    const int n = m_pLista->currentRow();
    return Catalogo().Componente(n) ? n : -1;
}

void CPaginaSustancias::Mostrar() {
    const CComponentes* k = Catalogo().Componente(Actual());
    m_pDerecha->setEnabled(k != nullptr);
    if (!k)
        return;
    for (const auto& fn : m_campos)
        fn(*k);
}

void CPaginaSustancias::Recargar() {
    QStringList v;
    for (const CComponentes& k : Catalogo().m_componentes)
        v << Q(k.m_strNombre);
    LlenarLista(m_pLista, v);
    Mostrar();
}

void CPaginaSustancias::Eliminar() {
    QString strError;
    if (!m_editor.EliminarComponente(m_pLista->currentRow(), &strError)) {
        if (!strError.isEmpty())
            Mensajes::Aviso(window(), strError);
        return;
    }
    Recargar();
}
