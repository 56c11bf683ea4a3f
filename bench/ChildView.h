// CChildView: the lab bench. Paints every item on a white bench (into the window's backing
// store, off-screen), runs the
// 100 ms timer that steps the laboratory, selects, drags and pans with the mouse, completes
// "Decantar" and "Transferir", and shows each item's pop-up menu. It zooms from 50 % to
// 400 %: everything the items know stays in bench coordinates (what the files store), and
// only the view maps them to the screen.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSet>
#include <QTimer>
#include <QWidget>

class CEquipo;
struct CArgumento;
struct CPeticion;
class QFrame;
class CPractica;
class CRecipiente;

class CChildView : public QWidget {
    Q_OBJECT
public:
    explicit CChildView(CPractica& practica, QWidget* pPadre = nullptr);

    CEquipo* m_pSeleccion = nullptr; // the selected item, or none
    // The selected item if it is a vessel.
    CRecipiente* RecipienteSeleccionado() const;
    bool m_bArrastrando = false;
    bool m_bDecantar = false;
    bool m_bTransferir = false;
    bool m_bDesplazando = false;
    QPoint m_ptUltimo;
    int m_nTick = 0;
    int m_nTicksPorPaso = 3;
    QPoint m_ptOrigen;
    // Where new items appear: the bench point under the middle of the view.
    QPoint PuntoInsercion() const { return m_ptInsercion; }

    void StopTimer();
    void StartTimer();
    bool TimerActivo() const { return m_timer.isActive(); }
    void BeginDecant();
    // Ends a pour begun by "Decantar" or "Transferir" into the item (a vessel).
    void TerminarVertido(CEquipo* pDestino);
    void BeginTransfer();
    // Drops the selection (before the bench is cleared or replaced).
    void LimpiarSeleccion();
    void SelectAt(const QPoint& ptBanco);
    // Selects that item (none: nothing selected), as a click on it does.
    void Seleccionar(CEquipo* pEquipo);
    // One timer tick; public so that the frame's tests can drive the clock.
    void Tick();
    // Runs a command of an item's pop-up menu on the selected item.
    void Comando(int nComando);
    // The text of a menu entry with an access key that no earlier entry of the menu took
    // (a word's initial first); a text that brings its own "&" keeps it.
    static QString ConTeclaDeAcceso(const QString& strTexto, QSet<QChar>& usadas);
    // The text of a command in the item's menu, without its access key and dots.
    static QString TextoDeComando(CEquipo& e, int nComando);

    // m_ptOrigen is where the bench's (0, 0) lies in the view, in the view's pixels.
    QPoint ToBench(const QPoint& ptCliente) const;
    QPoint ACliente(const QPoint& ptBanco) const;
    QRect ACliente(const QRect& rcBanco) const;
    // The part of the bench the view shows, in bench coordinates.
    QRect AreaVisible() const;

    // Zoom: view pixels per bench pixel.
    static constexpr double kZoomMinimo = 0.5;
    static constexpr double kZoomMaximo = 4.0;
    double Zoom() const { return m_dZoom; }
    // Sets the zoom (limited to 50 %-400 %), keeping the bench point under ptAncla (view
    // coordinates) where it is.
    void SetZoom(double dZoom, const QPoint& ptAncla);
    void SetZoom(double dZoom) { SetZoom(dZoom, rect().center()); }
    // "Acercar" and "Alejar" go one step of the zoom scale; "Tamaño real" is 100 %.
    void Acercar();
    void Alejar();
    void TamanoReal() { SetZoom(1.0); }
    // "Ajustar a la ventana": the largest step at which every item is in view.
    void AjustarAVentana();

    // The short invitation on an empty bench at the first start, with a button that asks for
    // the practice browser (IniciarPracticaPedida).
    void MostrarInvitacion(bool bMostrar);
    bool InvitacionVisible() const;
    // Moves a new item from the insertion point to the nearest free spot in view, so that
    // it does not land hidden behind another item.
    void ColocarLibre(CEquipo* pEquipo) const;
    // Brings an item that lies wholly outside the view back to the view's nearest edge.
    void TraerALaVista(CEquipo* pEquipo) const;
    // Pans so that every item is in view ("Mostrar todo el equipo").
    void MostrarTodo();
    // Scrolling: positions in scaled pixels (view pixels at the present zoom, from the
    // bench's (0, 0)). The scroll bars show the view's top left corner, Desplazamiento(),
    // within Extension(): every item, 20 pixels around, and the view itself.
    QRect Extension() const;
    QPoint Desplazamiento() const { return -m_ptOrigen; }
    void SetDesplazamiento(const QPoint& pt);
    void Desplazar(int dx, int dy) { SetDesplazamiento(Desplazamiento() + QPoint(dx, dy)); }
    // Scrolls just enough for the item to be wholly in view, 10 pixels in where it fits.
    void MostrarEquipo(const CEquipo* pEquipo);
    // Leaves "Decantar" or "Transferir" without pouring.
    void CancelarVertido();
    bool Vertiendo() const { return m_bDecantar || m_bTransferir; }
    // Paints the bench into an image of the view's size (what a paint shows), at the screen's
    // pixel ratio, or at the one given: dRelacion device pixels per view pixel.
    QImage Pintar();
    QImage Pintar(double dRelacion);
    // Paints the bench with a painter on a device of the view's size (what a paint does).
    void Pintar(QPainter& p);
    CPractica& Practica() { return m_practica; }

    // The keyboard (ChildViewTeclado.cpp): Tab and Shift+Tab walk the items in bench order,
    // the arrows move the selected one (Shift: 10 pixels at a time), Supr deletes it, Intro
    // opens its properties and the menu key or Shift+F10 its pop-up menu. While a pour waits
    // for its target, the arrows and Tab choose the vessel that would receive it (the
    // candidate), Intro pours into it and Esc gives the pour up.
    CEquipo* Candidato() const { return m_pCandidato; }

    // The tool tip of the item drawn at that point of the view (its name and what screen
    // readers are told of it); empty over the bare bench.
    QString TextoAyudaEn(const QPoint& ptCliente) const;

signals:
    void UM_TICK();
    void UM_TITULAR();
    void UM_PROPIEDADES();
    // "Registrar" started or stopped recording the item: the log's window shows it.
    void UM_REGISTRO();
    // A command this view leaves to the windows above it (dialogs of later work).
    void ComandoPendiente(int nComando);
    // After every paint, with how long it took.
    void Pintado(qint64 nsDuracion);
    // The student changed the bench or its contents (not the simulation by itself).
    // The student did something to the bench; the text names it ("Agregar reactivo").
    void Modificado(const QString& strAccion);
    // A short explanation for the status bar (why a key did nothing).
    void Indicacion(const QString& strTexto);
    // "Decantar" or "Transferir" ended, poured or cancelled.
    void VertidoTerminado();
    void ZoomCambiado(double dZoom);
    // The invitation's button: the practice browser is wanted.
    void IniciarPracticaPedida();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool focusNextPrevChild(bool bSiguiente) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void ActualizarPuntoInsercion();
    QPoint m_ptInsercion;
    void ColocarInvitacion();
    // The next step of the zoom scale up (nSentido > 0) or down; the zoom itself at an end.
    double PasoZoom(int nSentido) const;
    void TerminarVertido(const QPoint& ptBanco);
    void MenuContextual(const QPoint& ptCliente);
    // The selected item's pop-up menu, shown at that point of the view.
    void MostrarMenu(const QPoint& ptCliente);
    // The end of a move of the selected item, by the mouse or the arrow keys: back into
    // view, "modified" when it did move, and instruments on top.
    void SoltarEquipo(const QPoint& ptInicio);
    // Shows the dialog a command asks for; false when the student cancels.
    bool Preguntar(const CPeticion& p, CArgumento& a);

    CPractica& m_practica;
    QTimer m_timer;
    QPoint m_ptInicioArrastre; // where the item dragged stood when the drag began
    double m_dZoom = 1.0;
    int m_nRueda = 0;                // wheel movement not yet a whole notch
    QFrame* m_pInvitacion = nullptr; // made when first shown

    // Keyboard and screen readers (ChildViewTeclado.cpp, AccesibleMesa.cpp).
    bool Tecla(QKeyEvent* e);
    bool MenuTiene(int nComando) const;
    void MoverCandidato(int nSentido);
    // Supr on an item whose menu has no "Eliminar": says why, and how it comes off.
    void ExplicarQueNoSeElimina();
    void PintarFoco(QPainter& p);
    // Screen readers: the selection changed; contents, readings or places changed.
    void AvisarSeleccion();
    void AvisarLectores();
    // Has screen readers say the text now, whatever has the focus.
    void AnunciarLectores(const QString& strTexto);
    // After a step: a vessel whose reaction the model held at the most a file can keep is
    // told to the student once, with the clock stopped while the message shows.
    void AvisarLimite();
    bool m_bLimiteAvisado = false;
    CEquipo* m_pCandidato = nullptr; // the vessel a pour by keyboard would go into
    int m_nTicksLectores = 0;        // ticks since screen readers were last told of changes
};
