// CHistorial: undo and redo of what the student does on the bench, built on snapshots of the
// whole practice in memory (its file bytes, compressed). The bench view and the main window
// say when an action is done; the state just before it is the one taken after the last
// action or simulation step. Undoing puts the bench, its contents and temperatures back as
// they were just before the action; the simulated time since then is not replayed, and the
// notes (the student's results) are never touched.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QUndoStack>

#include <cstdint>
#include <vector>

class CPractica;

class CHistorial : public QObject {
    Q_OBJECT
public:
    explicit CHistorial(CPractica& practica, QObject* pPadre = nullptr);

    // The most steps kept; the oldest go first.
    static constexpr int kLimite = 100;

    QUndoStack& Pila() { return m_pila; }

    // The practice as it is now is what the next action starts from (after a simulation
    // step, or anything that is not an action of its own).
    void Tomar();
    // An action named strAccion ("Agregar reactivo") has just been done: one step of the
    // history, unless it changed nothing. False when nothing was recorded.
    bool Registrar(const QString& strAccion);
    // A practice started, opened or replaced: an empty history, with nothing to save.
    void Reiniciar();
    // Saved: this point of the history is the one on disk.
    void MarcarGuardada() { m_pila.setClean(); }
    // Whether the bench differs from the last save (or start) by an action of the history.
    bool Limpio() const { return m_pila.isClean(); }

    // A snapshot: the practice's file bytes, then what its items keep that no file does
    // (a hot plate's level, a balance's tare), then the length of the file part.
    static std::vector<uint8_t> Instantanea(const CPractica& practica);

    // The memory the snapshots of the history take, in bytes.
    qsizetype Bytes() const;

signals:
    // Undo or redo has replaced the bench: the windows show it again.
    void Restaurado();

private:
    class CPaso;
    // Puts a snapshot back: the bench and the catalogue; the notes stay as they are.
    void Restaurar(const QByteArray& comprimido);
    bool Instantanea(std::vector<uint8_t>& datos) const;

    CPractica& m_practica;
    QUndoStack m_pila;
    std::vector<uint8_t> m_antes; // the practice just before the next action
    bool m_bValido = false;       // false when the practice could not be written
};
