#include "NotasView.h"

#include "BotonImagen.h"
#include "Practica.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QRegularExpression>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Until the notes are shown with their formatting, the text of an RTF document: control
// words and groups that carry no text are left out.
QString TextoPlano(const std::string& strRtf) {
    QString s = QString::fromStdString(strRtf);
    if (!s.startsWith(QLatin1String("{\\rtf")))
        return s;
    QString r;
    int nProfundidadOmitida = -1, nProfundidad = 0;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('{')) {
            ++nProfundidad;
            if (nProfundidadOmitida < 0 &&
                (s.mid(i, 3) == QLatin1String("{\\*") || s.mid(i, 9) == QLatin1String("{\\fonttbl") ||
                 s.mid(i, 10) == QLatin1String("{\\colortbl") || s.mid(i, 6) == QLatin1String("{\\info")))
                nProfundidadOmitida = nProfundidad;
            continue;
        }
        if (c == QLatin1Char('}')) {
            if (nProfundidad == nProfundidadOmitida)
                nProfundidadOmitida = -1;
            --nProfundidad;
            continue;
        }
        if (nProfundidadOmitida >= 0)
            continue;
        if (c == QLatin1Char('\\')) {
            if (i + 1 < s.size() && QStringLiteral("\\{}").contains(s[i + 1])) {
                r += s[++i];
                continue;
            }
            if (i + 3 < s.size() && s[i + 1] == QLatin1Char('\'')) {
                const uchar b = static_cast<uchar>(s.mid(i + 2, 2).toUInt(nullptr, 16));
                r += QString::fromLatin1(reinterpret_cast<const char*>(&b), 1);
                i += 3;
                continue;
            }
            int j = i + 1;
            while (j < s.size() && s[j].isLetter())
                ++j;
            const QString palabra = s.mid(i + 1, j - i - 1);
            while (j < s.size() && (s[j].isDigit() || s[j] == QLatin1Char('-')))
                ++j;
            if (j < s.size() && s[j] == QLatin1Char(' '))
                ++j;
            if (palabra == QLatin1String("par") || palabra == QLatin1String("line"))
                r += QLatin1Char('\n');
            else if (palabra == QLatin1String("tab"))
                r += QLatin1Char(' ');
            else if (palabra == QLatin1String("bullet"))
                r += QChar(0x2022);
            i = j - 1;
            continue;
        }
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            r += c;
    }
    return r.trimmed();
}

CBotonSombreado* Boton(QWidget* pPadre, const char* pszImagen, const char* pszTip) {
    auto* b = new CBotonSombreado(QString(), pPadre);
    b->SetBitmaps(QStringLiteral(":/imagenes/%1.svg").arg(QLatin1String(pszImagen)));
    b->SetTooltipText(QString::fromUtf8(pszTip));
    b->setFixedSize(52, 30);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

CNotasView::CNotasView(CPractica& practica, QWidget* pPadre)
    : QWidget(pPadre), m_practica(practica), m_pEditor(new QTextEdit(this)) {
    auto* botones = new QHBoxLayout;
    botones->setContentsMargins(4, 4, 4, 4);
    botones->setSpacing(4);
    auto* marco = Boton(this, "marco", "Marco teórico");
    auto* proc = Boton(this, "procedimiento", "Procedimiento");
    auto* res = Boton(this, "resultados", "Resultados y conclusiones");
    auto* imp = Boton(this, "imprimir", "Imprimir");
    for (CBotonSombreado* b : {marco, proc, res, imp})
        botones->addWidget(b);
    botones->addStretch();
    connect(marco, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_MARCO); });
    connect(proc, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_PROCEDIMIENTO); });
    connect(res, &QPushButton::clicked, this, [this] { MostrarSeccion(SECCION_RESULTADOS); });
    connect(imp, &QPushButton::clicked, this, &CNotasView::Imprimir);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addLayout(botones);
    l->addWidget(m_pEditor, 1);
    m_pEditor->setAcceptRichText(true);
}

void CNotasView::MostrarSeccion(int nSeccion) {
    m_nSeccion = nSeccion;
    const std::string* textos[3] = {&m_practica.m_strMarcoTeorico, &m_practica.m_strProcedimiento,
                                    &m_practica.m_strResultados};
    if (nSeccion < 0 || nSeccion > 2) {
        m_pEditor->clear();
        return;
    }
    m_pEditor->setPlainText(TextoPlano(*textos[nSeccion]));
}
