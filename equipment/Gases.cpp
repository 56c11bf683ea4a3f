#include "equipment/Gases.h"

#include "equipment/Dibujo.h"
#include "model/Archivo.h"
#include "model/Gases.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The syringe's scale: 0 ml at x 28, 100 ml at x 188 (1.6 px per ml); the plunger's rod is
// as long as the barrel, so that a full syringe shows it drawn out its whole length.
constexpr int kJeringaCero = 28;
constexpr double kJeringaPxPorMl = 1.6;
constexpr int kJeringaEje = 36; // the barrel's axis row
constexpr int kVarilla = 176;

// The graduated tube: read from its closed top down, 0 ml at row 20, 100 ml at row 220.
constexpr int kTuboCero = 20;
constexpr double kTuboPxPorMl = 2.0;
constexpr int kTuboIzquierda = 89, kTuboDerecha = 111; // the bore's columns
constexpr int kTuboBoca = 234;

// Held to the picture whatever the number: a reading far off the scale must not overflow.
int Pixel(double d) {
    return static_cast<int>(std::lround(std::clamp(std::isfinite(d) ? d : 0.0, -1.0e4, 1.0e4)));
}

QString Tr(const char* psz) {
    return QCoreApplication::translate("Accesible", psz);
}

} // namespace

// ---------------------------------------------------------------------------------------

double CColectorGas::VolumenGas() const {
    // The scale ends at the capacity: gas that has just come in past it is on its way out.
    return std::min(VolumenReal(), m_dCapacidad);
}

double CColectorGas::VolumenReal() const {
    return Gases::VolumenMl(m_seno.MolesDe(ESTADO_GAS), Temperatura(), PresionGas());
}

int32_t CColectorGas::Step() {
    int32_t n = m_seno.Simular();
    // What goes past the capacity leaves: the fraction of the gas that stands above it.
    const double v = VolumenReal();
    const bool bAntes = m_bRebosando;
    m_bRebosando = v > m_dCapacidad;
    if (m_bRebosando) {
        m_seno.PasarGas(nullptr, (v - m_dCapacidad) / v);
        n = 1;
    }
    return n | (bAntes != m_bRebosando ? 1 : 0);
}

std::optional<CLectura> CColectorGas::Lectura() const {
    return CLectura{VolumenGas(), QStringLiteral("ml")};
}

QString CColectorGas::Descripcion() const {
    QString s = Tr("Gas recogido: %1 ml a %2 °C y %3 kPa")
                    .arg(VolumenGas(), 0, 'f', 1)
                    .arg(Temperatura(), 0, 'f', 1)
                    .arg(PresionGas() / 1000.0, 0, 'f', 1);
    if (m_bRebosando)
        s += Tr("; lleno: el gas que sigue llegando escapa");
    return s;
}

// ---------------------------------------------------------------------------------------

CJeringaGases::CJeringaGases() {
    Iniciar(TipoEquipo::JeringaGases);
    m_seno.m_bCerrado = 1;
}

double CJeringaGases::PresionGas() const {
    return Gases::kAtmosfera;
}

int CJeringaGases::XEmbolo(double dMl) {
    return kJeringaCero + Pixel(kJeringaPxPorMl * std::clamp(dMl, 0.0, 100.0));
}

void CJeringaGases::Draw(QPainter& p) {
    CRecipiente::Draw(p);
    const int x = m_x + XEmbolo(VolumenGas());
    const int y = m_y + kJeringaEje;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    // The gas, a faint tint between the nozzle and the plunger's face.
    if (x > m_x + kJeringaCero) {
        p.setBrush(QColor(0xd8, 0xec, 0xf6));
        p.drawRect(QRect(m_x + kJeringaCero, y - 6, x - m_x - kJeringaCero, 13));
    }
    // Rubber face, rod and thumb plate.
    p.setBrush(QColor(0x2f, 0x3b, 0x47));
    p.drawRect(QRect(x, y - 7, 4, 15));
    p.setBrush(QColor(0x9a, 0xa5, 0xb1));
    p.drawRect(QRect(x + 4, y - 2, kVarilla, 5));
    p.setBrush(QColor(0x5f, 0x6b, 0x77));
    p.drawRect(QRect(x + 4 + kVarilla, y - 11, 4, 23));
    p.restore();
    DibujarSeleccion(p);
}

// ---------------------------------------------------------------------------------------

CEudiometro::CEudiometro() {
    Iniciar(TipoEquipo::Eudiometro);
    m_seno.m_bCerrado = 1;
}

double CEudiometro::PresionGas() const {
    // Dalton: the gas over water shares the tube with the water's vapour.
    return std::max(Gases::kAtmosfera - Gases::PresionVaporAgua(Temperatura()),
                    0.01 * Gases::kAtmosfera);
}

int CEudiometro::YAgua(double dMl) {
    return kTuboCero + Pixel(kTuboPxPorMl * std::clamp(dMl, 0.0, 100.0));
}

void CEudiometro::Draw(QPainter& p) {
    CRecipiente::Draw(p);
    const int y = YAgua(VolumenGas());
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    // The water the gas has not pushed down yet, in the trough's colour; the marks show
    // through it.
    p.setBrush(QColor(0x9c, 0xcf, 0xee, 150));
    p.drawRect(QRect(m_x + kTuboIzquierda, m_y + y, kTuboDerecha - kTuboIzquierda, kTuboBoca - y));
    p.setPen(QPen(QColor(0x3c, 0x53, 0x66), 1));
    p.drawLine(m_x + kTuboIzquierda, m_y + y, m_x + kTuboDerecha - 1, m_y + y);
    // Bubbles rising from the outlet while gas comes in or leaves the mouth.
    if (m_seno.Tiene(ESTADO_GAS) && (m_bAnimar || m_bRebosando)) {
        p.setPen(QPen(QColor(0x3c, 0x53, 0x66), 1));
        p.setBrush(QColor(255, 255, 255));
        const int fase = Aleatorio() % 12;
        for (int i = 0; i < 3; ++i) {
            const int yb = kTuboBoca - 4 - ((fase + 5 * i) % 14);
            if (yb > y + 2)
                p.drawEllipse(QPoint(m_x + 100 + (i - 1) * 4, m_y + yb), 2, 2);
        }
    }
    p.restore();
    DibujarSeleccion(p);
}

// ---------------------------------------------------------------------------------------

CTermometroDigital::CTermometroDigital() : CInstrumentoLectura(kTemperaturaInicial) {
    Iniciar(TipoEquipo::TermometroDigital, 60, 130, QPoint(30, 128));
}

double CTermometroDigital::Leer(CRecipiente& r) const {
    return r.Temperatura();
}

QString CTermometroDigital::Texto() const {
    return QStringLiteral("%1 °C").arg(m_dLectura, 0, 'f', 1);
}

QString CTermometroDigital::Descripcion() const {
    return Texto();
}

void CTermometroDigital::DibujarLectura(QPainter& p) {
    p.setFont(Dibujo::Fuente("Courier New", 13));
    p.setPen(QColor(0, 255, 0));
    Dibujo::Texto(p, m_x + 53, m_y + 12, Texto(), true);
}

// ---------------------------------------------------------------------------------------

CCronometro::CCronometro() {
    Iniciar(TipoEquipo::Cronometro, 76, 92, QPoint(38, 91));
}

int32_t CCronometro::Tick() {
    if (!m_bEnMarcha)
        return 0;
    const QString antes = Texto();
    m_dSegundos = std::min(m_dSegundos + kSegundosPorPaso, kMaximo);
    if (m_dSegundos >= kMaximo)
        m_bEnMarcha = 0;
    return Texto() != antes ? 1 : 0;
}

QString CCronometro::Texto() const {
    // Tenths counted whole, so that 59.96 s does not show as "00:60.0" (and 75 s summed
    // from steps of 0.3 s, a hair short of it, still shows as 75.0).
    const auto n =
        static_cast<int64_t>(std::floor(std::clamp(m_dSegundos, 0.0, kMaximo) * 10.0 + 1.0e-6));
    return QString::asprintf("%02d:%02d.%d", static_cast<int>(n / 600),
                             static_cast<int>(n / 10 % 60), static_cast<int>(n % 10));
}

void CCronometro::BuildMenu(CMenu& menu) {
    CEquipo::BuildMenu(menu);
    menu.push_back({ID_CRONOMETRO_MARCHA, m_bEnMarcha ? "Detener" : "Iniciar"});
    menu.push_back({ID_CRONOMETRO_REINICIAR, "Poner a cero"});
}

int CCronometro::ComandoDeTecla(int nTecla) const {
    if (nTecla == Qt::Key_Space)
        return ID_CRONOMETRO_MARCHA;
    if (nTecla == Qt::Key_0)
        return ID_CRONOMETRO_REINICIAR;
    return 0;
}

ResultadoComando CCronometro::Ejecutar(int nComando, CListaEquipo& lista, const CArgumento& a) {
    switch (nComando) {
    case ID_CRONOMETRO_MARCHA:
        m_bEnMarcha = m_bEnMarcha ? 0 : 1;
        return ResultadoComando::Hecho;
    case ID_CRONOMETRO_REINICIAR:
        if (m_dSegundos == 0.0 && !m_bEnMarcha)
            return ResultadoComando::SinEfecto;
        m_dSegundos = 0.0;
        m_bEnMarcha = 0;
        return ResultadoComando::Hecho;
    default:
        return CInstrumento::Ejecutar(nComando, lista, a);
    }
}

void CCronometro::Serialize(CArchivo& ar) {
    CEquipo::Serialize(ar);
    ar.Valor(m_dSegundos, 0.0, kMaximo);
    ar.Entero(m_bEnMarcha, 0, 1);
}

std::optional<CLectura> CCronometro::Lectura() const {
    return CLectura{m_dSegundos, QStringLiteral("s")};
}

QString CCronometro::Descripcion() const {
    return (m_bEnMarcha ? Tr("En marcha: %1") : Tr("Detenido: %1")).arg(Texto());
}

void CCronometro::DibujarLectura(QPainter& p) {
    p.setFont(Dibujo::Fuente("Courier New", 13));
    p.setPen(QColor(0, 255, 0));
    Dibujo::Texto(p, m_x + 66, m_y + 44, Texto(), true);
}
