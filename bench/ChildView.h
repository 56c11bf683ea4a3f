// CChildView: the lab bench. Paints every item double-buffered on a white bench, runs the
// 100 ms timer that steps the laboratory, selects, drags and pans with the mouse, completes
// "Decantar" and "Transferir", and shows each item's pop-up menu.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

class CEquipo;
class CPractica;
class CRecipiente;

class CChildView : public QWidget {
    Q_OBJECT
public:
    explicit CChildView(CPractica& practica, QWidget* pPadre = nullptr);

    CEquipo* m_pSeleccion = nullptr; // the selected item, or none
    bool m_bArrastrando = false;
    bool m_bDecantar = false;
    bool m_bTransferir = false;
    bool m_bDesplazando = false;
    QPoint m_ptUltimo;
    int m_nTick = 0;
    int m_nTicksPorPaso = 3;
    QPoint m_ptOrigen;

    void StopTimer();
    void StartTimer();
    bool TimerActivo() const { return m_timer.isActive(); }
    void BeginDecant();
    void BeginTransfer();
    // Drops the selection (before the bench is cleared or replaced).
    void LimpiarSeleccion();
    void SelectAt(const QPoint& ptBanco);
    // One timer tick; public so that the frame's tests can drive the clock.
    void Tick();
    // Runs a command of an item's pop-up menu on the selected item.
    void Comando(int nComando);

    QPoint ToBench(const QPoint& ptCliente) const { return ptCliente - m_ptOrigen; }
    // The part of the bench the view shows, in bench coordinates.
    QRect AreaVisible() const { return QRect(ToBench(QPoint(0, 0)), size()); }
    // Moves a new item from the insertion point to the nearest free spot in view, so that
    // it does not land hidden behind another item.
    void ColocarLibre(CEquipo* pEquipo) const;
    // Brings an item that lies wholly outside the view back to the view's nearest edge.
    void TraerALaVista(CEquipo* pEquipo) const;
    // Pans so that every item is in view ("Mostrar todo el equipo").
    void MostrarTodo();
    // Leaves "Decantar" or "Transferir" without pouring.
    void CancelarVertido();
    bool Vertiendo() const { return m_bDecantar || m_bTransferir; }
    // Paints the bench into an image of the view's size (what a paint shows).
    QImage Pintar();
    CPractica& Practica() { return m_practica; }

signals:
    void UM_TICK();
    void UM_TITULAR();
    void UM_PROPIEDADES();
    // A command this view leaves to the windows above it (dialogs of later work).
    void ComandoPendiente(int nComando);
    // After every paint, with how long it took.
    void Pintado(qint64 nsDuracion);
    // The student changed the bench or its contents (not the simulation by itself).
    void Modificado();
    // "Decantar" or "Transferir" ended, poured or cancelled.
    void VertidoTerminado();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ActualizarPuntoInsercion();
    void TerminarVertido(const QPoint& ptBanco);
    void MenuContextual(const QPoint& ptCliente);
    CRecipiente* RecipienteSeleccionado() const;

    CPractica& m_practica;
    QTimer m_timer;
    QPoint m_ptInicioArrastre; // where the item dragged stood when the drag began
};
