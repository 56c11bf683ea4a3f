#include "bench/VentanaRegistro.h"

#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "document/Registro.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QSvgGenerator>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

// The graph's view: the wheel zooms, a drag with the middle button or with Mayús pans, the
// arrow keys pan and "+"/"-" zoom, a rectangle drawn with the left button zooms into it
// (unless a slope tool takes the clicks) and a right click goes back.
class CVistaGraficaRegistro : public QChartView {
public:
    CVistaGraficaRegistro(QChart* pChart, CVentanaRegistro& v) : QChartView(pChart), m_v(v) {
        setRenderHint(QPainter::Antialiasing);
        setRubberBand(QChartView::RectangleRubberBand);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }
    bool m_bHerramienta = false;

protected:
    void wheelEvent(QWheelEvent* e) override {
        chart()->zoom(e->angleDelta().y() > 0 ? 1.25 : 0.8);
        e->accept();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::MiddleButton ||
            (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ShiftModifier))) {
            m_bMoviendo = true;
            m_ptUltimo = e->position();
            return;
        }
        if (m_bHerramienta && e->button() == Qt::LeftButton) {
            m_v.ElegirPunto(ValorEn(e->position()));
            return;
        }
        QChartView::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (m_bMoviendo) {
            const QPointF d = e->position() - m_ptUltimo;
            chart()->scroll(-d.x(), d.y());
            m_ptUltimo = e->position();
            return;
        }
        m_fnCursor(ValorEn(e->position()));
        QChartView::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (m_bMoviendo) {
            m_bMoviendo = false;
            return;
        }
        QChartView::mouseReleaseEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        switch (e->key()) {
        case Qt::Key_Left:
            chart()->scroll(-20, 0);
            break;
        case Qt::Key_Right:
            chart()->scroll(20, 0);
            break;
        case Qt::Key_Up:
            chart()->scroll(0, 20);
            break;
        case Qt::Key_Down:
            chart()->scroll(0, -20);
            break;
        case Qt::Key_Plus:
            chart()->zoom(1.25);
            break;
        case Qt::Key_Minus:
            chart()->zoom(0.8);
            break;
        case Qt::Key_Home:
            chart()->zoomReset();
            break;
        default:
            QChartView::keyPressEvent(e);
            return;
        }
    }

public:
    std::function<void(const QPointF&)> m_fnCursor = [](const QPointF&) {};
    // The value under a point of the view, on the axes of the active series.
    QPointF ValorEn(const QPointF& pt) const {
        const int n = m_v.SerieActiva();
        const QList<QAbstractSeries*> series = chart()->series();
        QAbstractSeries* s = n >= 0 && n < series.size() ? series[n] : nullptr;
        return chart()->mapToValue(chart()->mapFromScene(mapToScene(pt.toPoint())), s);
    }

private:
    CVentanaRegistro& m_v;
    bool m_bMoviendo = false;
    QPointF m_ptUltimo;
};

namespace {

QString Numero(double d, int nDecimales = 4) {
    return QLocale().toString(d, 'g', nDecimales + 2);
}

QString Titulo(const CSerieRegistro& s) {
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(s.m_strNombre),
                                         QString::fromStdString(s.m_strUnidad));
}

// The locale's separators: a decimal comma takes the semicolon between fields.
std::pair<char, char> Separadores() {
    const QString d = QLocale().decimalPoint();
    const char cDecimal = d == QLatin1String(",") ? ',' : '.';
    return {cDecimal == ',' ? ';' : ',', cDecimal};
}

const QColor kColores[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                           QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                           QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
                           QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};

} // namespace

CVentanaRegistro::CVentanaRegistro(CPractica& practica, QWidget* pPadre)
    : QDialog(pPadre), m_practica(practica), m_registro(practica.m_registro) {
    setWindowTitle(tr("Registro de datos"));
    resize(820, 620);
    m_pChart = new QChart;
    m_pChart->legend()->setAlignment(Qt::AlignBottom);
    m_pVista = new CVistaGraficaRegistro(m_pChart, *this);
    m_pVista->setAccessibleName(tr("Gráfica del registro"));
    m_pVista->m_fnCursor = [this](const QPointF& p) { MostrarCursor(p); };

    m_pEje = new QComboBox;
    m_pEje->addItems({tr("Tiempo (s)"), tr("Volumen de la bureta (ml)")});
    m_pEje->setAccessibleName(tr("Eje X"));
    m_pSerie = new QComboBox;
    m_pSerie->setAccessibleName(tr("Serie"));
    m_pIntervalo = new QDoubleSpinBox;
    m_pIntervalo->setRange(CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
    m_pIntervalo->setDecimals(1);
    m_pIntervalo->setSuffix(tr(" s"));
    m_pIntervalo->setValue(m_registro.m_dIntervalo);
    m_pIntervalo->setAccessibleName(tr("Intervalo"));
    m_pHerramienta = new QComboBox;
    m_pHerramienta->addItems(
        {tr("Zoom"), tr("Cuerda entre dos puntos"), tr("Tangente en un punto")});
    m_pHerramienta->setAccessibleName(tr("Herramienta"));
    m_pDerivada = new QCheckBox(tr("Primera &derivada"));
    m_pGrabar = new QPushButton;
    auto* pBorrar = new QPushButton(tr("&Borrar"));
    auto* pCsv = new QPushButton(tr("E&xportar CSV…"));
    auto* pCopiar = new QPushButton(tr("&Copiar tabla"));
    auto* pImagen = new QPushButton(tr("Guardar &gráfica…"));
    auto* pVer = new QPushButton(tr("&Ver todo"));
    m_pCursor = new QLabel;
    m_pResultado = new QLabel;
    m_pResultado->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_pModelo = new QStandardItemModel(this);
    m_pTabla = new QTableView;
    m_pTabla->setModel(m_pModelo);
    m_pTabla->setAccessibleName(tr("Tabla de lecturas"));
    m_pTabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTabla->verticalHeader()->setVisible(false);

    auto* fila1 = new QHBoxLayout;
    auto etiqueta = [](const QString& s, QWidget* w) {
        auto* l = new QLabel(s);
        l->setBuddy(w);
        return l;
    };
    fila1->addWidget(etiqueta(tr("&Eje X:"), m_pEje));
    fila1->addWidget(m_pEje);
    fila1->addWidget(etiqueta(tr("&Serie:"), m_pSerie));
    fila1->addWidget(m_pSerie, 1);
    fila1->addWidget(etiqueta(tr("&Intervalo:"), m_pIntervalo));
    fila1->addWidget(m_pIntervalo);
    fila1->addWidget(m_pGrabar);
    fila1->addWidget(pBorrar);
    auto* fila2 = new QHBoxLayout;
    fila2->addWidget(etiqueta(tr("&Herramienta:"), m_pHerramienta));
    fila2->addWidget(m_pHerramienta);
    fila2->addWidget(m_pDerivada);
    fila2->addWidget(pVer);
    fila2->addStretch(1);
    fila2->addWidget(pCsv);
    fila2->addWidget(pCopiar);
    fila2->addWidget(pImagen);
    auto* partes = new QSplitter(Qt::Vertical);
    partes->addWidget(m_pVista);
    partes->addWidget(m_pTabla);
    partes->setStretchFactor(0, 3);
    partes->setStretchFactor(1, 1);
    m_pVista->setMinimumHeight(320);
    partes->setSizes({440, 160});
    auto* v = new QVBoxLayout(this);
    v->addLayout(fila1);
    v->addLayout(fila2);
    v->addWidget(partes, 1);
    v->addWidget(m_pCursor);
    v->addWidget(m_pResultado);

    auto grabar = [this] {
        m_pGrabar->setText(m_registro.m_bGrabando ? tr("&Detener") : tr("&Reanudar"));
    };
    grabar();
    connect(m_pGrabar, &QPushButton::clicked, this, [this, grabar] {
        if (m_registro.m_bGrabando) {
            m_registro.m_bGrabando = false;
        } else {
            // Again from now, with the items whose series are still linked.
            m_registro.m_bGrabando = true;
            m_registro.Muestrear(m_practica.m_listaEquipo);
        }
        grabar();
        Actualizar();
    });
    connect(pBorrar, &QPushButton::clicked, this, [this, grabar] {
        if (Mensajes::Pregunta(this, tr("¿Desea borrar todas las lecturas del registro?")) !=
            QMessageBox::Yes)
            return;
        m_registro.Borrar();
        grabar();
        Actualizar(true);
    });
    connect(m_pIntervalo, &QDoubleSpinBox::valueChanged, this, [this](double d) {
        m_registro.m_dIntervalo =
            std::clamp(d, CRegistro::kIntervaloMinimo, CRegistro::kIntervaloMaximo);
        m_registro.m_dSiguiente = m_registro.m_dTiempo + m_registro.m_dIntervalo;
    });
    m_pEje->setCurrentIndex(m_registro.m_bEjeVolumen ? 1 : 0);
    connect(m_pEje, &QComboBox::currentIndexChanged, this, [this](int n) {
        m_registro.m_bEjeVolumen = n == 1;
        Actualizar(true);
    });
    connect(m_pSerie, &QComboBox::currentIndexChanged, this, [this] {
        m_elegidos.clear();
        DibujarDerivada();
    });
    connect(m_pDerivada, &QCheckBox::toggled, this, [this] { DibujarDerivada(); });
    connect(m_pHerramienta, &QComboBox::currentIndexChanged, this, [this](int n) {
        m_pVista->m_bHerramienta = n != 0;
        m_pVista->setRubberBand(n == 0 ? QChartView::RectangleRubberBand
                                       : QChartView::NoRubberBand);
        m_elegidos.clear();
    });
    connect(pVer, &QPushButton::clicked, this, [this] { m_pChart->zoomReset(); });
    connect(pCsv, &QPushButton::clicked, this, [this] {
        const QString s = m_fnDialogoGuardar
                              ? m_fnDialogoGuardar(QStringLiteral("csv"))
                              : QFileDialog::getSaveFileName(this, tr("Exportar CSV"), {},
                                                             tr("Tabla CSV (*.csv)"));
        QString strError;
        if (!s.isEmpty() && !GuardarCsv(s, &strError))
            Mensajes::Aviso(this, strError);
    });
    connect(pCopiar, &QPushButton::clicked, this, [this] { CopiarTabla(); });
    connect(pImagen, &QPushButton::clicked, this, [this] {
        const QString s =
            m_fnDialogoGuardar
                ? m_fnDialogoGuardar(QStringLiteral("png"))
                : QFileDialog::getSaveFileName(this, tr("Guardar gráfica"), {},
                                               tr("Imagen PNG (*.png);;Dibujo SVG (*.svg)"));
        QString strError;
        if (!s.isEmpty() && !GuardarGrafica(s, &strError))
            Mensajes::Aviso(this, strError);
    });
    Actualizar(true);
}

int CVentanaRegistro::EjeX() const {
    return m_registro.m_bEjeVolumen ? m_registro.SerieVolumen() : -1;
}

int CVentanaRegistro::SerieActiva() const {
    const int n = m_pSerie ? m_pSerie->currentIndex() : -1;
    return n >= 0 && static_cast<size_t>(n) < m_lineas.size() ? n : -1;
}

void CVentanaRegistro::Actualizar(bool bForzar) {
    const int nEje = EjeX();
    if (bForzar || m_registro.m_series.size() != m_nSeries || nEje != m_nEjeDibujado)
        Reconstruir();
    else if (m_registro.Filas() == m_nFilas)
        return;
    m_nFilas = m_registro.Filas();
    for (size_t i = 0; i < m_lineas.size(); ++i) {
        QList<QPointF> puntos;
        for (const auto& [x, y] : m_registro.PuntosDe(i, nEje))
            puntos.append(QPointF(x, y));
        m_lineas[i]->replace(puntos);
        // Each axis spans its own series, a little beyond.
        double yMin = 0, yMax = 1, xMin = 0, xMax = 1;
        if (!puntos.isEmpty()) {
            auto [a, b] = std::minmax_element(puntos.begin(), puntos.end(),
                                              [](auto& p, auto& q) { return p.y() < q.y(); });
            yMin = a->y(), yMax = b->y();
            const double m =
                std::max(std::fabs(yMax - yMin) * 0.05, 1e-3 * std::max(1.0, std::fabs(yMax)));
            yMin -= m, yMax += m;
        }
        const QList<QAbstractAxis*> ejes = m_lineas[i]->attachedAxes();
        for (QAbstractAxis* e : ejes)
            if (e->orientation() == Qt::Vertical)
                e->setRange(yMin, yMax);
        (void)xMin, (void)xMax;
    }
    double xMax = 1.0, xMin = 0.0;
    bool bHay = false;
    for (QLineSeries* l : m_lineas)
        for (const QPointF& p : l->points()) {
            xMin = bHay ? std::min(xMin, p.x()) : p.x();
            xMax = bHay ? std::max(xMax, p.x()) : p.x();
            bHay = true;
        }
    if (!bHay || xMax <= xMin)
        xMax = xMin + 1.0;
    m_pEjeX->setRange(xMin, xMax);
    LlenarTabla();
    DibujarDerivada();
    m_pGrabar->setText(m_registro.m_bGrabando ? tr("&Detener") : tr("&Reanudar"));
    if (m_registro.Lleno())
        m_pResultado->setText(tr("El registro está lleno: ya no se toman más lecturas."));
}

void CVentanaRegistro::Reconstruir() {
    m_pChart->removeAllSeries();
    for (QAbstractAxis* a : m_pChart->axes())
        m_pChart->removeAxis(a), delete a;
    m_lineas.clear();
    m_pLineaDerivada = nullptr;
    m_pMaximo = nullptr;
    m_pPendiente = nullptr;
    m_nSeries = m_registro.m_series.size();
    m_nEjeDibujado = EjeX();
    m_pResultado->clear();
    m_pIntervalo->blockSignals(true);
    m_pIntervalo->setValue(m_registro.m_dIntervalo);
    m_pIntervalo->blockSignals(false);
    m_pEjeX = new QValueAxis;
    m_pEjeX->setTitleText(m_nEjeDibujado >= 0 ? tr("Volumen de la bureta (ml)") : tr("Tiempo (s)"));
    m_pChart->addAxis(m_pEjeX, Qt::AlignBottom);
    const int nActiva = m_pSerie->currentIndex();
    m_pSerie->blockSignals(true);
    m_pSerie->clear();
    for (size_t i = 0; i < m_registro.m_series.size(); ++i) {
        const CSerieRegistro& s = m_registro.m_series[i];
        auto* l = new QLineSeries;
        l->setName(Titulo(s));
        const QColor c = kColores[i % std::size(kColores)];
        l->setPen(QPen(c, 2));
        m_pChart->addSeries(l);
        auto* y = new QValueAxis;
        y->setTitleText(Titulo(s));
        y->setLinePenColor(c);
        y->setLabelsColor(c);
        y->setTitleBrush(c);
        m_pChart->addAxis(y, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        l->attachAxis(m_pEjeX);
        l->attachAxis(y);
        m_lineas.push_back(l);
        m_pSerie->addItem(Titulo(s));
    }
    // The series the student looks at first: the first that is not the X axis.
    int nSerie = nActiva;
    if (nSerie < 0 || nSerie >= m_pSerie->count())
        nSerie = m_nEjeDibujado == 0 && m_pSerie->count() > 1 ? 1 : 0;
    m_pSerie->setCurrentIndex(nSerie);
    m_pSerie->blockSignals(false);
    m_pChart->setTitle(m_lineas.empty() ? tr("Sin series: elija «Registrar» en el menú de un "
                                             "instrumento")
                                        : QString());
    m_elegidos.clear();
}

void CVentanaRegistro::LlenarTabla() {
    const int nFilas = static_cast<int>(m_registro.Filas());
    const int nColumnas = static_cast<int>(m_registro.m_series.size()) + 1;
    m_pModelo->setColumnCount(nColumnas);
    m_pModelo->setHorizontalHeaderItem(0, new QStandardItem(tr("Tiempo (s)")));
    for (int c = 1; c < nColumnas; ++c)
        m_pModelo->setHorizontalHeaderItem(
            c, new QStandardItem(Titulo(m_registro.m_series[static_cast<size_t>(c - 1)])));
    // Only the rows added since the last time are built.
    const int nDesde = std::min(m_pModelo->rowCount(), nFilas);
    m_pModelo->setRowCount(nFilas);
    const QLocale loc;
    for (int r = nDesde; r < nFilas; ++r) {
        m_pModelo->setItem(
            r, 0, new QStandardItem(loc.toString(m_registro.m_tiempos[size_t(r)], 'f', 1)));
        for (int c = 1; c < nColumnas; ++c) {
            const CSerieRegistro& s = m_registro.m_series[static_cast<size_t>(c - 1)];
            m_pModelo->setItem(
                r, c, new QStandardItem(s.Tiene(size_t(r)) ? Numero(s.En(size_t(r))) : QString()));
        }
    }
    if (nFilas > nDesde)
        m_pTabla->scrollToBottom();
}

void CVentanaRegistro::DibujarDerivada() {
    const int n = SerieActiva();
    if (m_pLineaDerivada) {
        m_pChart->removeSeries(m_pLineaDerivada);
        delete m_pLineaDerivada;
        m_pLineaDerivada = nullptr;
    }
    if (m_pMaximo) {
        m_pChart->removeSeries(m_pMaximo);
        delete m_pMaximo;
        m_pMaximo = nullptr;
    }
    for (QAbstractAxis* a : m_pChart->axes())
        if (a->property("derivada").toBool())
            m_pChart->removeAxis(a), delete a;
    if (!m_pDerivada->isChecked() || n < 0) {
        if (m_pResultado->property("derivada").toBool())
            m_pResultado->clear();
        return;
    }
    const CRegistro::Puntos d = CRegistro::Derivada(m_registro.PuntosDe(size_t(n), EjeX()));
    m_pLineaDerivada = new QLineSeries;
    const CSerieRegistro& s = m_registro.m_series[size_t(n)];
    const QString strPor = EjeX() >= 0 ? QStringLiteral("ml") : QStringLiteral("s");
    m_pLineaDerivada->setName(tr("Derivada de %1 (%2/%3)")
                                  .arg(QString::fromStdString(s.m_strNombre),
                                       QString::fromStdString(s.m_strUnidad), strPor));
    m_pLineaDerivada->setPen(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    QList<QPointF> puntos;
    for (const auto& [x, y] : d)
        puntos.append(QPointF(x, y));
    m_pLineaDerivada->replace(puntos);
    m_pChart->addSeries(m_pLineaDerivada);
    auto* y = new QValueAxis;
    y->setProperty("derivada", true);
    y->setTitleText(m_pLineaDerivada->name());
    m_pChart->addAxis(y, Qt::AlignRight);
    m_pLineaDerivada->attachAxis(m_pEjeX);
    m_pLineaDerivada->attachAxis(y);
    if (const auto m = CRegistro::Maximo(d)) {
        double yMin = 0, yMax = 0;
        for (const QPointF& p : puntos)
            yMin = std::min(yMin, p.y()), yMax = std::max(yMax, p.y());
        y->setRange(yMin, yMax > yMin ? yMax * 1.05 : yMin + 1);
        m_pMaximo = new QScatterSeries;
        m_pMaximo->setMarkerSize(11);
        m_pMaximo->setColor(Qt::red);
        m_pMaximo->append(m->first, m->second);
        m_pMaximo->setName(EjeX() >= 0 ? tr("Punto de equivalencia: %1 ml").arg(Numero(m->first))
                                       : tr("Máximo de la derivada: %1 s").arg(Numero(m->first)));
        m_pChart->addSeries(m_pMaximo);
        m_pMaximo->attachAxis(m_pEjeX);
        m_pMaximo->attachAxis(y);
        m_pResultado->setText(m_pMaximo->name());
        m_pResultado->setProperty("derivada", true);
    }
}

void CVentanaRegistro::MostrarCursor(const QPointF& p) {
    const int n = SerieActiva();
    if (n < 0) {
        m_pCursor->clear();
        return;
    }
    const CSerieRegistro& s = m_registro.m_series[size_t(n)];
    m_pCursor->setText(tr("Cursor: X = %1 %2, Y = %3 %4")
                           .arg(Numero(p.x()),
                                EjeX() >= 0 ? QStringLiteral("ml") : QStringLiteral("s"),
                                Numero(p.y()), QString::fromStdString(s.m_strUnidad)));
}

void CVentanaRegistro::ElegirPunto(const QPointF& ptValor) {
    const int n = SerieActiva();
    if (n < 0)
        return;
    const CRegistro::Puntos p = m_registro.PuntosDe(size_t(n), EjeX());
    if (p.empty())
        return;
    // The recorded point nearest in X.
    size_t i = 0;
    for (size_t k = 1; k < p.size(); ++k)
        if (std::fabs(p[k].first - ptValor.x()) < std::fabs(p[i].first - ptValor.x()))
            i = k;
    const bool bTangente = m_pHerramienta->currentIndex() == 2;
    m_elegidos.push_back(QPointF(double(i), 0));
    if (!bTangente && m_elegidos.size() < 2)
        return;
    double dPendiente = 0.0;
    QList<QPointF> linea;
    if (bTangente) {
        dPendiente = CRegistro::Tangente(p, i);
        const double dx = (p.back().first - p.front().first) * 0.1;
        linea = {QPointF(p[i].first - dx, p[i].second - dPendiente * dx),
                 QPointF(p[i].first + dx, p[i].second + dPendiente * dx)};
    } else {
        const size_t a = size_t(m_elegidos[0].x()), b = i;
        dPendiente = CRegistro::Cuerda(p, a, b);
        linea = {QPointF(p[a].first, p[a].second), QPointF(p[b].first, p[b].second)};
    }
    m_elegidos.clear();
    if (m_pPendiente) {
        m_pChart->removeSeries(m_pPendiente);
        delete m_pPendiente;
    }
    m_pPendiente = new QLineSeries;
    m_pPendiente->setPen(QPen(Qt::black, 1.5));
    m_pPendiente->replace(linea);
    const CSerieRegistro& s = m_registro.m_series[size_t(n)];
    const QString strUnidad =
        QStringLiteral("%1/%2").arg(QString::fromStdString(s.m_strUnidad),
                                    EjeX() >= 0 ? QStringLiteral("ml") : QStringLiteral("s"));
    m_pPendiente->setName((bTangente ? tr("Tangente: %1 %2") : tr("Cuerda: %1 %2"))
                              .arg(Numero(dPendiente), strUnidad));
    m_pChart->addSeries(m_pPendiente);
    m_pPendiente->attachAxis(m_pEjeX);
    for (QAbstractAxis* a : m_lineas[size_t(n)]->attachedAxes())
        if (a->orientation() == Qt::Vertical)
            m_pPendiente->attachAxis(a);
    m_pResultado->setText(tr("Pendiente (rapidez): %1 %2").arg(Numero(dPendiente), strUnidad));
    m_pResultado->setProperty("derivada", false);
}

QImage CVentanaRegistro::Imagen(const QSize& tam) {
    QImage img(tam, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    m_pVista->render(&p);
    return img;
}

bool CVentanaRegistro::GuardarGrafica(const QString& strRuta, QString* pstrError) {
    bool bBien = false;
    if (strRuta.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(strRuta);
        svg.setSize(m_pVista->size());
        svg.setViewBox(QRect(QPoint(0, 0), m_pVista->size()));
        svg.setTitle(tr("Registro de datos"));
        QPainter p;
        bBien = p.begin(&svg);
        if (bBien) {
            m_pVista->render(&p);
            bBien = p.end();
        }
        bBien = bBien && QFile::exists(strRuta);
    } else {
        bBien = m_pVista->grab().save(strRuta, "PNG");
    }
    if (!bBien && pstrError)
        *pstrError = tr("No se pudo guardar la gráfica en %1.").arg(strRuta);
    return bBien;
}

QByteArray CVentanaRegistro::Csv() const {
    const auto [cCampo, cDecimal] = Separadores();
    return QByteArray::fromStdString(m_registro.Tabla(cCampo, cDecimal));
}

bool CVentanaRegistro::GuardarCsv(const QString& strRuta, QString* pstrError) {
    const QByteArray datos = Csv();
    return CPractica::EscribirArchivo(strRuta, datos.constData(), datos.size(), pstrError) ==
           CPractica::Resultado::Correcto;
}

void CVentanaRegistro::CopiarTabla() {
    // Tabs between fields, as a spreadsheet pastes them, and the same table as HTML.
    const QByteArray texto =
        QByteArray::fromStdString(m_registro.Tabla('\t', Separadores().second));
    QString html = QStringLiteral("<table><tr>");
    for (int c = 0; c < m_pModelo->columnCount(); ++c)
        html += QStringLiteral("<th>%1</th>")
                    .arg(m_pModelo->horizontalHeaderItem(c)->text().toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int r = 0; r < m_pModelo->rowCount(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < m_pModelo->columnCount(); ++c)
            html += QStringLiteral("<td>%1</td>")
                        .arg(m_pModelo->item(r, c) ? m_pModelo->item(r, c)->text() : QString());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    auto* m = new QMimeData;
    m->setText(QString::fromUtf8(texto));
    m->setHtml(html);
    QApplication::clipboard()->setMimeData(m);
}
