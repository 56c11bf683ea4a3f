// CTitulacion: a titration as the bench runs it, with no window: the burette, the vessel
// under its tip, the stopcock's opening and its drop schedule, and the points recorded.
// The titration window draws it and turns its stopcock; the tests drive it directly.
#pragma once

#include <cstdint>

class CEquipo;
class CListaEquipo;
class CRecipiente;

class CTitulacion {
public:
    // What a drop holds, in millilitres.
    static constexpr double kGota = 0.05;
    // The stopcock's range: closed up to kCerrada, a drop every tick at kAbierta.
    static constexpr int kCerrada = 2;
    static constexpr int kAbierta = 17;

    // The item whose mouth lies within 5 pixels of the burette's tip: the first such in
    // bench order, whatever it is (only a vessel can receive the drops).
    static CEquipo* BuscarReceptor(const CListaEquipo& lista, const CEquipo& bureta);

    // Starts on a burette and its receiver, the stopcock closed.
    void Iniciar(CRecipiente* pBureta, CRecipiente* pReceptor);
    CRecipiente* Bureta() const { return m_pBureta; }
    CRecipiente* Receptor() const { return m_pReceptor; }
    // An item is leaving the bench.
    void Olvidar(const CEquipo* pEquipo);

    int m_nApertura = 0; // 0 .. kAbierta
    int m_nGota = 0;     // the drop shown: 0 none, 1 or 2 its two pictures
    int m_nContador = 0;
    int m_nGotaAnterior = 0;
    int m_nGotasPedidas = 0; // single drops asked for ("Gota a gota"), one per tick

    // Ticks between two drops at that opening: (17 - opening) / 2 + 1; 0 when closed.
    static int TicksPorGota(int nApertura);
    // One drop at the next tick, whatever the opening (the stopcock turned and back).
    void PedirGota() { ++m_nGotasPedidas; }
    // The stopcock's share of one tick: the millilitres of a drop, or 0. A drop falls every
    // TicksPorGota ticks once it is open, the first that many ticks after it opened.
    double Gotear();
    // One 100 ms tick: a drop, poured for what the receiver takes, stepped in the receiver
    // and recorded with its pH. True when the stopcock let a drop go.
    bool Paso();
    // The volume delivered since the burette was full, as the window reads it.
    double Lectura() const;

    // Where the recorded curve is steepest: of two consecutive points, the pair whose pH
    // changes most per millilitre, and their mean volume and pH. It is the first-derivative
    // estimate of the equivalence point. False when no two points with a pH differ in volume.
    static bool MaximaPendiente(const CRecipiente& bureta, double& dVol, double& dPH);

private:
    CRecipiente* m_pBureta = nullptr;
    CRecipiente* m_pReceptor = nullptr;
};
