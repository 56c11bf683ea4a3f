// CFormularioRespuestas: the questions of a practice under the teacher's "Resultados y
// conclusiones", for the student to answer. Before the practice is started it asks for the
// student's name and group, which draw the student's own unknowns; "Comprobar respuestas"
// tells right or wrong only for the questions the teacher lets students check.
#pragma once

#include <QWidget>

#include <vector>

class CPractica;
class QLabel;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;

class CFormularioRespuestas : public QWidget {
    Q_OBJECT
public:
    explicit CFormularioRespuestas(CPractica& practica, QWidget* pPadre = nullptr);
    // Builds the form again from the open practice (another one was opened).
    void Reconstruir();

signals:
    // An answer was typed or the practice was started: the practice has changed.
    void Editado();

private:
    void Empezar();
    void Comprobar();

    CPractica& m_practica;
    QVBoxLayout* m_pCapa;
    QScrollArea* m_pDesplazable;
    QWidget* m_pCuerpo = nullptr;
    QLineEdit* m_pAlumno = nullptr;
    QLineEdit* m_pGrupo = nullptr;
    std::vector<QLabel*> m_juicios;
};
