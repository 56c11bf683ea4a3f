// The "Registro de datos" window: the log's graph, live while it records (each series on
// its own Y axis, against time or against a burette's volume), with zoom and pan, a
// cursor that reads X and Y, the chord or tangent slope between chosen points, and the
// first derivative with its maximum marked; under it the table of the readings, which a
// screen reader walks by its headers. The table goes to a CSV file or to the clipboard,
// the graph to PNG or SVG.
#pragma once

#include <QDialog>
#include <QPointF>
#include <QString>

#include <functional>

class CPractica;
class CRegistro;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;
class CVistaGraficaRegistro;

QT_BEGIN_NAMESPACE
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
QT_END_NAMESPACE

class CVentanaRegistro : public QDialog {
    Q_OBJECT
public:
    explicit CVentanaRegistro(CPractica& practica, QWidget* pPadre = nullptr);

    // The log grew or changed: the graph and the table again (cheap when nothing did).
    void Actualizar(bool bForzar = false);
    // The graph as a picture, and the table as the CSV of the user's locale.
    QImage Imagen(const QSize& tam = QSize(800, 500));
    bool GuardarGrafica(const QString& strRuta, QString* pstrError = nullptr);
    QByteArray Csv() const;
    bool GuardarCsv(const QString& strRuta, QString* pstrError = nullptr);
    void CopiarTabla();
    // A click on the graph at a value point (the chord and tangent take them).
    void ElegirPunto(const QPointF& ptValor);
    // The series the cursor, the slopes and the derivative are of (-1 none).
    int SerieActiva() const;

    // The file chosen to save into, empty when cancelled. Replaceable by tests.
    std::function<QString(const QString& strFiltro)> m_fnDialogoGuardar;

    QChart* m_pChart = nullptr;
    CVistaGraficaRegistro* m_pVista = nullptr;
    QTableView* m_pTabla = nullptr;
    QStandardItemModel* m_pModelo = nullptr;
    QComboBox* m_pEje = nullptr;
    QComboBox* m_pSerie = nullptr;
    QDoubleSpinBox* m_pIntervalo = nullptr;
    QCheckBox* m_pDerivada = nullptr;
    QComboBox* m_pHerramienta = nullptr; // none, chord, tangent
    QPushButton* m_pGrabar = nullptr;
    QLabel* m_pCursor = nullptr;
    QLabel* m_pResultado = nullptr;

private:
    void Reconstruir();
    void LlenarTabla();
    void DibujarDerivada();
    void MostrarCursor(const QPointF& ptValor);
    int EjeX() const; // the series standing as X, or -1 for time

    CPractica& m_practica;
    CRegistro& m_registro;
    size_t m_nFilas = static_cast<size_t>(-1), m_nSeries = static_cast<size_t>(-1);
    int m_nEjeDibujado = -2;
    std::vector<QLineSeries*> m_lineas;
    QValueAxis* m_pEjeX = nullptr;
    QLineSeries* m_pLineaDerivada = nullptr;
    QScatterSeries* m_pMaximo = nullptr;
    QLineSeries* m_pPendiente = nullptr;
    std::vector<QPointF> m_elegidos;
};
