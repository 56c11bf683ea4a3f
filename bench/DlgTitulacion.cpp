#include "bench/DlgTitulacion.h"

#include "bench/Mensajes.h"
#include "document/Practica.h"
#include "equipment/Recipiente.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

QImage Imagen(const char* pszNombre, QSize tamano) {
    QImage img(tamano, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QSvgRenderer r(QStringLiteral(":/imagenes/%1.svg").arg(QLatin1String(pszNombre)));
    if (r.isValid()) {
        QPainter p(&img);
        r.render(&p, QRectF(QPointF(0, 0), tamano));
    }
    return img;
}

QFont FuenteGrafica() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(10);
    return f;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Stopcock

namespace {

// The stopcock as screen readers know it: a slider whose value is the opening, so that each
// turn is spoken as it is made (a changed description is not, with this generation of
// readers and Qt).
class CAccesibleLlave : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CAccesibleLlave(CLlaveBureta* pLlave)
        : QAccessibleWidget(pLlave, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Description)
            return QAccessibleWidget::text(t);
        const int a = Llave()->m_titulacion.m_nApertura;
        return QCoreApplication::translate("CLlaveBureta", "Apertura %1 de %2. %3")
            .arg(a)
            .arg(CTitulacion::kAbierta)
            .arg(CLlaveBureta::Descripcion(a));
    }
    QVariant currentValue() const override { return Llave()->m_titulacion.m_nApertura; }
    void setCurrentValue(const QVariant& v) override {
        // An opening between two positions takes the lower, as the lever shows it.
        const int a = std::clamp(v.toInt(), 0, int(CTitulacion::kAbierta));
        Llave()->SetPosition(a <= CTitulacion::kCerrada ? 0 : (a - 1) / 2);
    }
    QVariant maximumValue() const override { return CTitulacion::kAbierta; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    CLlaveBureta* Llave() const { return static_cast<CLlaveBureta*>(widget()); }
};

QAccessibleInterface* FabricaLlave(const QString& strClase, QObject* o) {
    if (strClase == QLatin1String("CLlaveBureta"))
        if (auto* l = qobject_cast<CLlaveBureta*>(o))
            return new CAccesibleLlave(l);
    return nullptr;
}

} // namespace

CLlaveBureta::CLlaveBureta(CTitulacion& titulacion, QWidget* pPadre)
    : QWidget(pPadre), m_titulacion(titulacion),
      m_fondo(Imagen("llave", QSize(qRound(72 * kEscala), qRound(100 * kEscala)))),
      m_gotas(Imagen("gotas", QSize(qRound(6 * kEscala), qRound(16 * kEscala)))) {
    InstalarAccesible();
    setFixedSize(m_fondo.size());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Arrastre la palanca, o haga clic encima o debajo de ella, para abrir o "
                  "cerrar la llave una posición; la barra espaciadora deja caer una gota."));
    setAccessibleDescription(Descripcion(0));
}

void CLlaveBureta::InstalarAccesible() {
    static const bool bFabrica = [] {
        QAccessible::installFactory(FabricaLlave);
        return true;
    }();
    Q_UNUSED(bFabrica);
}

int CLlaveBureta::Apertura(int nPosicion) {
    // The positions skip what drips no faster than the one before: 1 and 2 do not drip at
    // all, and each even opening drips as the odd one below it.
    nPosicion = std::clamp(nPosicion, 0, kPosiciones);
    return nPosicion == 0 ? 0 : 2 * nPosicion + 1;
}

int CLlaveBureta::Posicion() const {
    const int a = m_titulacion.m_nApertura;
    return a <= CTitulacion::kCerrada ? 0 : std::min((a - 1) / 2, int(kPosiciones));
}

void CLlaveBureta::SetPosition(int nPosicion) {
    const int a = Apertura(nPosicion);
    if (a == m_titulacion.m_nApertura)
        return;
    m_titulacion.m_nApertura = a;
    setAccessibleDescription(Descripcion(a));
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent ev(this, a);
        QAccessible::updateAccessibility(&ev);
    }
    update();
    emit AperturaCambiada();
}

QRect CLlaveBureta::RectPalanca(int nPosicion) const {
    const double y = 84.5 - 9.0 * std::clamp(nPosicion, 0, kPosiciones);
    const QRectF r(57, y - 4.5, 14, 9);
    return QRectF(r.topLeft() * kEscala, r.size() * kEscala).toAlignedRect();
}

QRect CLlaveBureta::RectGota() const {
    return QRectF(QPointF(26, 89) * kEscala, QSizeF(6, 8) * kEscala).toAlignedRect();
}

QString CLlaveBureta::Descripcion(int nApertura) {
    const int nTicks = CTitulacion::TicksPorGota(nApertura);
    if (nTicks == 0)
        return tr("Cerrada");
    // The titration steps on the bench's 100 ms tick.
    return tr("Una gota cada %1 s").arg(QLocale(QLocale::Spanish).toString(nTicks / 10.0, 'f', 1));
}

void CLlaveBureta::paintEvent(QPaintEvent*) {
    QImage img(size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.drawImage(0, 0, m_fondo);
    p.setRenderHint(QPainter::Antialiasing);
    // The plug turns with the opening, drawn in the picture's own pixels.
    p.save();
    p.scale(kEscala, kEscala);
    const int a = m_titulacion.m_nApertura;
    p.setPen(QPen(Qt::black, 1 / kEscala));
    p.setBrush(QColor(0, 255, 255));
    if (a <= 2) {
        p.drawEllipse(QRect(QPoint(22, 32 - a), QPoint(35, 44 - a)));
    } else if (a > 15) {
        p.drawEllipse(QRect(QPoint(22, 30), QPoint(35, 30)));
    } else {
        const QRect r(QPoint(22, 30), QPoint(35, 46 - a));
        p.drawEllipse(r);
        p.setPen(QPen(QColor(0x3c, 0x53, 0x66), 1));
        p.drawLine(22 + a / 2, 30 + r.height() / 2, 36 - a / 2, 30 + r.height() / 2);
    }
    p.restore();
    // The lever, dark with a light grip line; red once it is open.
    const QRect rcPalanca = RectPalanca(Posicion());
    p.setPen(QPen(QColor(0x1e, 0x26, 0x2d), 1));
    p.setBrush(a > CTitulacion::kCerrada ? QColor(0xb0, 0x30, 0x20) : QColor(0x2f, 0x3b, 0x47));
    p.drawRoundedRect(QRectF(rcPalanca).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor(0xd5, 0xdb, 0xe1), 1.5));
    p.drawLine(QPointF(rcPalanca.left() + 4, rcPalanca.center().y() + 0.5),
               QPointF(rcPalanca.right() - 3, rcPalanca.center().y() + 0.5));
    const int nGota = m_titulacion.m_nGota;
    if (nGota == 1 || nGota == 2) {
        const int h = m_gotas.height() / 2;
        p.drawImage(RectGota().topLeft(), m_gotas, QRect(0, (nGota - 1) * h, m_gotas.width(), h));
    }
    // Reached with Tab, the stopcock shows that the arrows now turn it.
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x3d, 0x6f, 0xb6), 1, Qt::DashLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    p.end();
    QPainter(this).drawImage(0, 0, img);
}

void CLlaveBureta::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pt = e->position().toPoint();
    const int n = Posicion();
    // The lever is grabbed a few pixels around it; anywhere else a click moves it one
    // position towards the click.
    if (RectPalanca(n).adjusted(-6, -4, 6, 4).contains(pt)) {
        m_bGirando = true;
        m_yInicio = pt.y();
        m_nPosicionInicio = n;
        grabMouse();
        return;
    }
    SetPosition(pt.y() < RectPalanca(n).top() ? n + 1 : n - 1);
}

void CLlaveBureta::mouseMoveEvent(QMouseEvent* e) {
    if (!m_bGirando)
        return;
    // One position for each notch's distance the mouse moved, up to open.
    const double dPaso = 9.0 * kEscala;
    const int d = static_cast<int>(std::lround((m_yInicio - e->position().y()) / dPaso));
    SetPosition(m_nPosicionInicio + d);
}

void CLlaveBureta::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && m_bGirando) {
        m_bGirando = false;
        releaseMouse();
    }
}

void CLlaveBureta::wheelEvent(QWheelEvent* e) {
    m_nRueda += e->angleDelta().y();
    while (std::abs(m_nRueda) >= QWheelEvent::DefaultDeltasPerStep) {
        const int nSentido = m_nRueda > 0 ? 1 : -1;
        m_nRueda -= nSentido * QWheelEvent::DefaultDeltasPerStep;
        SetPosition(Posicion() + nSentido);
    }
    e->accept();
}

void CLlaveBureta::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        SetPosition(Posicion() + 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        SetPosition(Posicion() - 1);
        break;
    case Qt::Key_PageUp:
        SetPosition(kPosiciones);
        break;
    case Qt::Key_PageDown:
    case Qt::Key_Home:
        SetPosition(0);
        break;
    case Qt::Key_Space:
        m_titulacion.PedirGota();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
}

// ---------------------------------------------------------------------------------------
// Titration window

CDlgTitulacion::CDlgTitulacion(QWidget* pPadre)
    : QDialog(pPadre, Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_pLlave(new CLlaveBureta(m_titulacion, this)), m_pLectura(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Titulación"));
    setModal(false);
    m_pLectura->setReadOnly(true);
    m_pLectura->setAlignment(Qt::AlignCenter);
    m_pLectura->setFixedWidth(60);
    m_pLectura->setAccessibleName(QStringLiteral("Lectura en ml"));
    m_pLlave->setAccessibleName(QStringLiteral("Llave de la bureta"));
    m_pGoteo = new QLabel(CLlaveBureta::Descripcion(0), this);
    m_pGoteo->setMinimumWidth(m_pGoteo->fontMetrics().horizontalAdvance(
        CLlaveBureta::Descripcion(CTitulacion::kAbierta - 2) + QStringLiteral("  ")));
    connect(m_pLlave, &CLlaveBureta::AperturaCambiada, this,
            [this] { m_pGoteo->setText(CLlaveBureta::Descripcion(m_titulacion.m_nApertura)); });
    // One drop per press, for the last millilitre before the end point.
    m_pUnaGota = new QPushButton(tr("Gota a gota"), this);
    m_pUnaGota->setToolTip(tr("Deja caer una sola gota (0,05 ml) cada vez que lo pulsa"));
    m_pUnaGota->setAutoDefault(false);
    m_pUnaGota->setAutoRepeat(false);
    connect(m_pUnaGota, &QPushButton::clicked, this, [this] { m_titulacion.PedirGota(); });
    auto* ver = new QPushButton(QStringLiteral("Ver grafica"), this);
    auto* ini = new QPushButton(QStringLiteral("Inicializar grafica"), this);
    for (QPushButton* b : {ver, ini})
        b->setAutoDefault(false);
    connect(ver, &QPushButton::clicked, this, [this] {
        if (Bureta())
            emit UM_GRAFICA(Bureta());
    });
    connect(ini, &QPushButton::clicked, this, &CDlgTitulacion::InicializarGrafica);
    auto* lectura = new QHBoxLayout;
    lectura->addWidget(new QLabel(QStringLiteral("Lectura:"), this));
    lectura->addWidget(m_pLectura);
    lectura->addWidget(new QLabel(QStringLiteral("ml."), this));
    auto* derecha = new QVBoxLayout;
    derecha->addLayout(lectura);
    derecha->addWidget(m_pGoteo);
    derecha->addWidget(m_pUnaGota);
    derecha->addStretch();
    derecha->addWidget(ini);
    derecha->addWidget(ver);
    auto* l = new QHBoxLayout(this);
    l->addWidget(m_pLlave);
    l->addLayout(derecha);
}

void CDlgTitulacion::SetEquipo(CRecipiente* pBureta, CRecipiente* pReceptor) {
    // Every opening starts with the stopcock closed.
    m_titulacion.Iniciar(pBureta, pReceptor);
    m_pLlave->setAccessibleDescription(CLlaveBureta::Descripcion(0));
    m_pGoteo->setText(CLlaveBureta::Descripcion(0));
    m_pLlave->update();
    // The burette's reading from the start: what a student notes before the first drop.
    m_pLectura->clear();
    ActualizarLectura();
}

void CDlgTitulacion::ActualizarLectura() {
    if (Bureta())
        // A full burette reads 0.00: a hair of solution above the mark (the solute's volume
        // rounded) is not a negative reading.
        m_pLectura->setText(QString::asprintf("%.2f", std::max(0.0, m_titulacion.Lectura())));
}

bool CDlgTitulacion::TitrationStep() {
    if (!m_titulacion.Paso())
        return false;
    m_pLlave->update(m_pLlave->RectGota());
    emit UM_REFRESCAR_GRAFICA();
    ActualizarLectura();
    return true;
}

void CDlgTitulacion::InicializarGrafica() {
    if (Bureta())
        Bureta()->ClearTitration();
    // A new graph, the same burette: its reading stays what the burette shows.
    ActualizarLectura();
    emit UM_REFRESCAR_GRAFICA();
}

void CDlgTitulacion::Olvidar(CEquipo* pEquipo) {
    m_titulacion.Olvidar(pEquipo);
}

void CDlgTitulacion::closeEvent(QCloseEvent* e) {
    e->ignore();
    emit UM_FIN_TITULAR();
}

void CDlgTitulacion::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        emit UM_FIN_TITULAR();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return; // the hidden default button does nothing
    QDialog::keyPressEvent(e);
}

// ---------------------------------------------------------------------------------------
// Graph

CGrafica::CGrafica(QWidget* pPadre) : QWidget(pPadre) {
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    // Reachable by Tab: the arrows read the curve point by point.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

QImage CGrafica::Pintar() const {
    const int W = width(), H = height();
    QImage img(size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(FuenteGrafica());
    const QFontMetrics fm(p.font());
    auto texto = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + fm.ascent()), s); };
    p.setPen(Qt::black);
    p.drawLine(20, 10, 20, H);
    p.drawLine(0, H - 30, W - 10, H - 30);
    const int s = (H - 50) / 28;
    for (int i = 1; i <= 14; ++i) {
        p.setPen(Qt::black);
        p.drawLine(18, H - 30 - (2 * i - 1) * s, 22, H - 30 - (2 * i - 1) * s);
        p.drawLine(16, H - 30 - 2 * i * s, 24, H - 30 - 2 * i * s);
        p.setPen(QColor(0, 0, 255));
        texto(5, H - 30 - (2 * i + 1) * s, QString::number(i));
    }
    p.setPen(QColor(0, 0, 255));
    // The axis name sits beside the top of the axis, clear of the "14".
    texto(26, 0, QStringLiteral("pH"));
    const int px = static_cast<int>((W - 40) / m_dEscalaX);
    // Every millilitre has its tick; the numbers go on one line, as many as fit side by side.
    const int nAnchoNumero = fm.horizontalAdvance(QString::number(static_cast<int>(m_dEscalaX)));
    int nCada = 1;
    for (int n : {1, 2, 5, 10, 20, 50}) {
        nCada = n;
        if (n * px >= nAnchoNumero + 4)
            break;
    }
    for (int j = 1; j - 1 < m_dEscalaX; ++j) {
        const int x = 20 + j * px;
        p.setPen(Qt::black);
        p.drawLine(x, H - 34, x, H - 26);
        if (j % nCada)
            continue;
        p.setPen(QColor(0, 0, 255));
        const QString numero = QString::number(j);
        texto(x - fm.horizontalAdvance(numero) / 2, H - 26, numero);
    }
    texto(W - 35, H - 44, QStringLiteral("Vol.(ml)"));
    if (m_pBureta) {
        p.setPen(QPen(QColor(255, 0, 0), 1));
        // The curve starts at the first drop recorded, not at the origin.
        const auto& puntos = m_pBureta->m_lstTitulacion;
        QPolygon curva;
        for (auto it = puntos.rbegin(); it != puntos.rend(); ++it) {
            const QPoint v = it->ToPixels(px, 2 * s);
            curva << QPoint(20 + v.x(), H - 30 - v.y());
        }
        if (curva.size() == 1)
            p.drawPoint(curva.first());
        else
            p.drawPolyline(curva);
        if (m_nCursor >= 0 && m_nCursor < curva.size()) {
            p.setPen(QPen(QColor(0, 0, 255), 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(curva.at(m_nCursor), 3, 3);
        }
    }
    if (!m_strLectura.isEmpty()) {
        p.fillRect(QRect(W - 150, 0, 150, 20), Qt::white);
        p.setPen(QColor(0, 0, 255));
        texto(W - 150, 0, m_strLectura);
    }
    return img;
}

void CGrafica::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, Pintar());
}

double CGrafica::PixelesPorMl() const {
    return static_cast<int>((width() - 40) / m_dEscalaX);
}

double CGrafica::PixelesPorPH() const {
    return 2 * ((height() - 50) / 28);
}

void CGrafica::AValores(const QPoint& pt, double& dVol, double& dPH) const {
    dVol = dPH = 0.0;
    const double dX = PixelesPorMl(), dY = PixelesPorPH();
    if (dX > 0.0 && dY > 0.0) {
        dVol = (pt.x() - 20) / dX;
        dPH = (height() - (pt.y() + 30)) / dY;
    }
}

void CGrafica::mouseMoveEvent(QMouseEvent* e) {
    double dVol = 0.0, dPH = 0.0;
    AValores(e->position().toPoint(), dVol, dPH);
    m_strLectura = QString::asprintf("Vol=%.2f, pH=%.2f", dVol, dPH);
    update();
}

void CGrafica::IrAPunto(int nPunto) {
    const int n = m_pBureta ? static_cast<int>(m_pBureta->m_lstTitulacion.size()) : 0;
    if (n == 0) {
        m_nCursor = -1;
        return;
    }
    m_nCursor = std::clamp(nPunto, 0, n - 1);
    // The list is newest first; the cursor counts from the oldest.
    const CPuntoTitulacion& punto = *std::next(m_pBureta->m_lstTitulacion.rbegin(), m_nCursor);
    m_strLectura = QString::asprintf("Vol=%.2f, pH=%.2f", punto.m_dVol, punto.m_dPH);
    setAccessibleDescription(
        tr("Punto %1 de %2: %3 ml, pH %4")
            .arg(m_nCursor + 1)
            .arg(n)
            .arg(QString::number(punto.m_dVol, 'f', 2), QString::number(punto.m_dPH, 'f', 2)));
    QAccessibleEvent ev(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&ev);
    update();
}

void CGrafica::keyPressEvent(QKeyEvent* e) {
    const int nUltimo = m_pBureta ? static_cast<int>(m_pBureta->m_lstTitulacion.size()) - 1 : -1;
    switch (e->key()) {
    case Qt::Key_Left:
        IrAPunto(m_nCursor < 0 ? nUltimo : m_nCursor - 1);
        break;
    case Qt::Key_Right:
        IrAPunto(m_nCursor < 0 ? 0 : m_nCursor + 1);
        break;
    case Qt::Key_Home:
        IrAPunto(0);
        break;
    case Qt::Key_End:
        IrAPunto(nUltimo);
        break;
    default:
        QWidget::keyPressEvent(e);
    }
}

CDlgGrafica::CDlgGrafica(CRecipiente* pBureta, QWidget* pPadre)
    : QDialog(pPadre, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      m_pGrafica(new CGrafica(this)), m_pEscala(new QSlider(Qt::Horizontal, this)),
      m_pPendiente(new QLabel(this)), m_pBureta(pBureta) {
    setWindowTitle(QStringLiteral("Grafica de titulación"));
    setModal(false);
    resize(520, 390); // the graph keeps its room above the readout line
    m_pGrafica->m_pBureta = pBureta;
    m_pGrafica->m_dEscalaX = pBureta ? pBureta->m_dCapacidad : 50.0;
    const int nMax = std::max(1, static_cast<int>(m_pGrafica->m_dEscalaX));
    m_pEscala->setRange(1, nMax);
    m_pEscala->setValue(nMax);
    m_pEscala->setTickPosition(QSlider::TicksAbove);
    m_pEscala->setFixedWidth(180);
    m_pEscala->setAccessibleName(QStringLiteral("Escala eje X"));
    m_pGrafica->setAccessibleName(QStringLiteral("Gráfica de pH"));
    // A drag rescales when it is let go; the arrows and Re Pág / Av Pág at once.
    auto escalar = [this] {
        m_pGrafica->m_dEscalaX = m_pEscala->value();
        m_pGrafica->update();
    };
    connect(m_pEscala, &QSlider::sliderReleased, this, escalar);
    connect(m_pEscala, &QSlider::valueChanged, this, [this, escalar] {
        if (!m_pEscala->isSliderDown())
            escalar();
    });
    m_pPendiente->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pPendiente->setFocusPolicy(Qt::TabFocus);
    auto* guardar = new QPushButton(QStringLiteral("Guardar datos"), this);
    auto* copiar = new QPushButton(QStringLiteral("Copiar gráfica"), this);
    for (QPushButton* b : {guardar, copiar})
        b->setAutoDefault(false);
    connect(guardar, &QPushButton::clicked, this, &CDlgGrafica::OnGuardarDatos);
    connect(copiar, &QPushButton::clicked, this, &CDlgGrafica::OnCopiar);
    auto* marco = new QFrame(this);
    marco->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* dentro = new QVBoxLayout(marco);
    dentro->setContentsMargins(2, 2, 2, 2);
    dentro->addWidget(m_pGrafica);
    auto* barra = new QHBoxLayout;
    barra->addWidget(new QLabel(QStringLiteral("Escala eje X:"), this));
    barra->addWidget(m_pEscala);
    barra->addStretch();
    barra->addWidget(guardar);
    barra->addWidget(copiar);
    auto* l = new QVBoxLayout(this);
    l->addWidget(marco, 1);
    l->addWidget(m_pPendiente);
    l->addLayout(barra);
    Actualizar();
    m_fnDialogoGuardar = [this] {
        QFileDialog dlg(this, QStringLiteral("Guardar datos"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(QStringLiteral("Texto separado por tabulaciones (*.txt)"));
        dlg.setDefaultSuffix(QStringLiteral("txt"));
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()
                   ? dlg.selectedFiles().constFirst()
                   : QString();
    };
}

QByteArray CDlgGrafica::Datos() const {
    if (!m_pBureta || m_pBureta->m_lstTitulacion.empty())
        return {};
    QByteArray b = "-Alkor- DATOS DE TITULACION\r\n\r\nVolumen (ml)\tpH\r\n";
    const auto& puntos = m_pBureta->m_lstTitulacion;
    for (auto it = puntos.rbegin(); it != puntos.rend(); ++it)
        b += QByteArray(QString::asprintf("%.2f\t%.2f\r\n", it->m_dVol, it->m_dPH).toLatin1());
    return b;
}

bool CDlgGrafica::GuardarDatos(const QString& strRuta) {
    // The practice's own writer: a full disk keeps the previous file and says so.
    const QByteArray b = Datos();
    QString strError;
    if (CPractica::EscribirArchivo(strRuta, b.constData(), b.size(), &strError) !=
        CPractica::Resultado::Correcto) {
        Mensajes::Aviso(this, strError);
        return false;
    }
    return true;
}

void CDlgGrafica::OnGuardarDatos() {
    if (Datos().isEmpty()) {
        Mensajes::Aviso(this, QStringLiteral("No hay datos que guardar"));
        return;
    }
    const QString ruta = m_fnDialogoGuardar();
    if (ruta.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GuardarDatos(ruta);
    QApplication::restoreOverrideCursor();
}

void CDlgGrafica::OnCopiar() {
    QApplication::clipboard()->setImage(m_pGrafica->Pintar());
    Mensajes::Aviso(this, QStringLiteral("Copiado al portapapeles"));
}

void CDlgGrafica::Olvidar(CEquipo* pEquipo) {
    if (pEquipo == m_pBureta)
        SetBureta(nullptr);
}

void CDlgGrafica::SetBureta(CRecipiente* pBureta) {
    m_pBureta = pBureta;
    m_pGrafica->m_pBureta = pBureta;
    m_pGrafica->m_nCursor = -1;
    m_pGrafica->m_strLectura.clear();
    Actualizar();
}

void CDlgGrafica::Actualizar() {
    double dVol = 0.0, dPH = 0.0;
    if (m_pBureta && CTitulacion::MaximaPendiente(*m_pBureta, dVol, dPH))
        m_pPendiente->setText(
            tr("Máxima pendiente de la curva (punto de equivalencia "
               "estimado): %1 ml, pH %2")
                .arg(QString::number(dVol, 'f', 2), QString::number(dPH, 'f', 2)));
    else
        m_pPendiente->setText(tr("Máxima pendiente de la curva: faltan puntos."));
    m_pPendiente->setAccessibleName(m_pPendiente->text());
    m_pGrafica->update();
}

void CDlgGrafica::closeEvent(QCloseEvent* e) {
    e->ignore();
    emit UM_FIN_GRAFICA();
}

void CDlgGrafica::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        emit UM_FIN_GRAFICA();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}
