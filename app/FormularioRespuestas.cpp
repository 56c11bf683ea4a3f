#include "app/FormularioRespuestas.h"

#include "document/Practica.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

CFormularioRespuestas::CFormularioRespuestas(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica), m_pCapa(new QVBoxLayout(this)),
      m_pDesplazable(new QScrollArea(this)) {
    m_pCapa->setContentsMargins(0, 0, 0, 0);
    m_pDesplazable->setWidgetResizable(true);
    m_pCapa->addWidget(m_pDesplazable);
    setAccessibleName(tr("Preguntas"));
    Reconstruir();
}

void CFormularioRespuestas::Reconstruir() {
    // The scroll area deletes the previous body.
    m_pCuerpo = new QWidget;
    m_juicios.clear();
    m_pAlumno = m_pGrupo = nullptr;
    CTarea& t = m_practica.m_tarea;
    auto* f = new QFormLayout(m_pCuerpo);
    f->setContentsMargins(6, 6, 6, 6);
    m_pDesplazable->setWidget(m_pCuerpo);
    // The teacher's own practice is answered by nobody.
    const bool bMostrar = !t.m_preguntas.empty() && !t.m_bProfesor;
    setVisible(bMostrar);
    if (!bMostrar)
        return;
    auto* titulo = new QLabel(tr("<b>Preguntas</b>"), m_pCuerpo);
    f->addRow(titulo);
    if (!t.m_bEmpezada) {
        m_pAlumno = new QLineEdit(m_pCuerpo);
        m_pGrupo = new QLineEdit(m_pCuerpo);
        m_pAlumno->setAccessibleName(tr("Nombre y apellidos"));
        m_pGrupo->setAccessibleName(tr("Grupo"));
        f->addRow(tr("Nombre y apellidos:"), m_pAlumno);
        f->addRow(tr("Grupo:"), m_pGrupo);
        auto* b = new QPushButton(tr("Empezar la práctica"), m_pCuerpo);
        f->addRow(b);
        connect(b, &QPushButton::clicked, this, &CFormularioRespuestas::Empezar);
        auto* nota = new QLabel(tr("Escriba su nombre y su grupo para recibir sus propias "
                                   "muestras problema."),
                                m_pCuerpo);
        nota->setWordWrap(true);
        f->addRow(nota);
        return;
    }
    f->addRow(new QLabel(
        tr("Alumno: %1 (%2)")
            .arg(QString::fromStdString(t.m_strAlumno), QString::fromStdString(t.m_strGrupo)),
        m_pCuerpo));
    t.m_respuestas.resize(t.m_preguntas.size());
    for (size_t i = 0; i < t.m_preguntas.size(); ++i) {
        const CPregunta& q = t.m_preguntas[i];
        QString strTexto =
            QStringLiteral("%1. %2").arg(i + 1).arg(QString::fromStdString(q.m_strTexto));
        if (!q.m_strUnidad.empty())
            strTexto += QStringLiteral(" (%1)").arg(QString::fromStdString(q.m_strUnidad));
        auto* etiqueta = new QLabel(strTexto, m_pCuerpo);
        etiqueta->setWordWrap(true);
        f->addRow(etiqueta);
        QWidget* campo = nullptr;
        if (q.m_nTipo == CPregunta::kOpciones) {
            auto* c = new QComboBox(m_pCuerpo);
            c->addItem(tr("(sin responder)"));
            for (const std::string& o : q.m_opciones)
                c->addItem(QString::fromStdString(o));
            // What the file holds may be no option at all: then none is chosen.
            const int n = QString::fromStdString(t.m_respuestas[i]).toInt();
            c->setCurrentIndex(n > 0 && n < c->count() ? n : 0);
            connect(c, &QComboBox::currentIndexChanged, this, [this, i](int n) {
                m_practica.m_tarea.m_respuestas[i] = n > 0 ? std::to_string(n) : std::string();
                emit Editado();
            });
            campo = c;
        } else {
            auto* e = new QLineEdit(QString::fromStdString(t.m_respuestas[i]), m_pCuerpo);
            if (q.m_nTipo == CPregunta::kNumerica)
                e->setPlaceholderText(
                    q.m_nCifras > 0 ? tr("un número con %1 cifras significativas").arg(q.m_nCifras)
                                    : tr("un número"));
            connect(e, &QLineEdit::textEdited, this, [this, i](const QString& s) {
                m_practica.m_tarea.m_respuestas[i] = s.trimmed().toStdString();
                emit Editado();
            });
            campo = e;
        }
        campo->setAccessibleName(tr("Respuesta %1").arg(i + 1));
        auto* juicio = new QLabel(m_pCuerpo);
        m_juicios.push_back(juicio);
        f->addRow(campo, juicio);
    }
    bool bComprobable = false;
    for (const CPregunta& q : t.m_preguntas)
        bComprobable = bComprobable || q.m_bComprobable;
    if (bComprobable) {
        auto* b = new QPushButton(tr("Comprobar respuestas"), m_pCuerpo);
        f->addRow(b);
        connect(b, &QPushButton::clicked, this, &CFormularioRespuestas::Comprobar);
    }
}

void CFormularioRespuestas::Empezar() {
    const QString strAlumno = m_pAlumno->text().trimmed();
    const QString strGrupo = m_pGrupo->text().trimmed();
    if (strAlumno.isEmpty() || strGrupo.isEmpty()) {
        QMessageBox::warning(this, tr("Preguntas"),
                             tr("Escriba su nombre y su grupo en «Nombre y apellidos» y "
                                "«Grupo»."));
        return;
    }
    if (strAlumno.toUtf8().size() > 200 || strGrupo.toUtf8().size() > 200) {
        QMessageBox::warning(this, tr("Preguntas"),
                             tr("«Nombre y apellidos» y «Grupo» admiten hasta 200 caracteres."));
        return;
    }
    m_practica.m_tarea.Empezar(strAlumno.toStdString(), strGrupo.toStdString(),
                               m_practica.m_catalogo);
    Reconstruir();
    emit Editado();
}

void CFormularioRespuestas::Comprobar() {
    const CTarea& t = m_practica.m_tarea;
    const CTarea::Nota n = t.Calificar(t.m_respuestas, t.Valores());
    for (size_t i = 0; i < m_juicios.size() && i < n.m_juicios.size(); ++i) {
        if (!t.m_preguntas[i].m_bComprobable) {
            m_juicios[i]->clear();
            continue;
        }
        switch (n.m_juicios[i]) {
        case CTarea::Juicio::Bien:
            m_juicios[i]->setText(tr("Bien"));
            break;
        case CTarea::Juicio::Mal:
            m_juicios[i]->setText(tr("Mal"));
            break;
        case CTarea::Juicio::Cifras:
            m_juicios[i]->setText(tr("Revise las cifras significativas"));
            break;
        default:
            m_juicios[i]->setText(tr("Sin respuesta"));
            break;
        }
    }
}
