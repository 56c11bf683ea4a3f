#include "document/Rtf.h"

#include "model/Archivo.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextList>

#include <array>
#include <map>
#include <vector>

namespace Rtf {

namespace {

// Character and paragraph state of a group.
struct Estado {
    bool bNegrita = false, bCursiva = false, bSubrayado = false, bTachado = false;
    int nTamano = 24; // half-points
    int nColor = 0;
    int nFuente = 0;
    int nVertical = 0; // >0 raised, <0 lowered
    Qt::Alignment alineacion = Qt::AlignLeft;
    int nIzquierda = 0, nDerecha = 0, nPrimera = 0; // twips
    int nUc = 1;
    bool bOmitir = false; // inside a destination whose text is not shown
    int nDestino = 0;     // 1 font table, 2 colour table, 3 paragraph numbering (\pn)
    int nNivel = 0;       // heading level, 0 for body text
};

constexpr int kProfundidadMaxima = 256;

class Lector {
public:
    Lector(const std::string& s, QTextDocument& doc) : m_s(s), m_cursor(&doc) {}

    void Leer() {
        // One edit for the whole note: the document lays its text out once at the end, not
        // after every run. The clearing belongs to the same edit, so that the document sees
        // all of its text as new: an editor then lays out what it shows first and the rest
        // a little at a time, instead of the whole note before the first paint (a 4 MB note
        // kept the notes pane blank for seconds).
        m_cursor.beginEditBlock();
        m_cursor.document()->clear();
        std::vector<Estado> pila;
        Estado e;
        e.nFuente = -1;
        bool bPrimerBloque = true;
        m_bloque = QTextBlockFormat();
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (c == '{') {
                ++m_i;
                if (pila.size() < kProfundidadMaxima)
                    pila.push_back(e);
                else
                    ++m_nExceso;
                continue;
            }
            if (c == '}') {
                ++m_i;
                TerminarDestino(e);
                if (m_nExceso > 0) {
                    --m_nExceso;
                } else if (!pila.empty()) {
                    e = pila.back();
                    pila.pop_back();
                }
                continue;
            }
            if (c == '\\') {
                Control(e, bPrimerBloque);
                continue;
            }
            if (c == '\r' || c == '\n') {
                ++m_i;
                continue;
            }
            ++m_i;
            Caracter(e, CodigoDeByte(static_cast<uint8_t>(c)), bPrimerBloque);
        }
        Vaciar();
        Enlistar();
        m_cursor.endEditBlock();
    }

private:
    static char32_t CodigoDeByte(uint8_t b) {
        // Bytes are Windows-1252; the archive's table turns them into Unicode, once.
        static const std::array<char32_t, 256> kTabla = [] {
            std::array<char32_t, 256> t{};
            for (int i = 0; i < 256; ++i) {
                const std::string u = CArchivo::Cp1252AUtf8(std::string(1, static_cast<char>(i)));
                const QString q = QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size()));
                t[static_cast<size_t>(i)] = q.isEmpty() ? U'?' : q.at(0).unicode();
            }
            return t;
        }();
        return kTabla[b];
    }

    // Text is inserted in runs of one format: a character at a time, the document's layout
    // bookkeeping made a 4 MB note take tens of seconds.
    void Vaciar() {
        if (m_strTramo.isEmpty())
            return;
        m_cursor.insertText(m_strTramo, m_formatoTramo);
        m_strTramo.clear();
    }

    void TerminarFuente() {
        // A font's name holds no control characters: one that came in through \'hh would be
        // written raw and then skipped on reading, so the name would not read back the same.
        QString nombre;
        for (const QChar ch : m_strFuente)
            if (ch.unicode() >= 0x20)
                nombre += ch;
        nombre = nombre.trimmed();
        if (!nombre.isEmpty() && m_fuentes.size() < 1000)
            m_fuentes[m_nFuenteTabla] = nombre;
        m_strFuente.clear();
        m_bFormatoValido = false;
    }

    void TerminarDestino(Estado& e) {
        if (e.nDestino == 1 && !m_strFuente.isEmpty())
            TerminarFuente();
    }

    void Caracter(Estado& e, char32_t c, bool& bPrimerBloque) {
        if (e.bOmitir)
            return;
        if (e.nDestino == 1) {
            if (c == U';')
                TerminarFuente();
            else if (m_strFuente.size() < 200)
                m_strFuente += QString::fromUcs4(&c, 1);
            return;
        }
        if (e.nDestino == 2) {
            if (c == U';' && m_colores.size() < 10000) {
                m_bFormatoValido = false;
                m_colores.push_back(m_bColorDado ? QColor(m_r, m_g, m_b) : QColor());
                m_r = m_g = m_b = 0;
                m_bColorDado = false;
            }
            return;
        }
        Insertar(e, c, bPrimerBloque);
    }

    void Insertar(const Estado& e, char32_t c, bool& bPrimerBloque) {
        if (bPrimerBloque) {
            Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
            bPrimerBloque = false;
        }
        // Formats are compared by the state they were built from, not property by property.
        const QTextCharFormat& f = FormatoEnCache(e);
        if (!m_strTramo.isEmpty() && m_nGeneracionTramo != m_nGeneracion)
            Vaciar();
        if (m_strTramo.isEmpty()) {
            m_formatoTramo = f;
            m_nGeneracionTramo = m_nGeneracion;
        }
        if (QChar::requiresSurrogates(c)) {
            m_strTramo += QChar(QChar::highSurrogate(c));
            m_strTramo += QChar(QChar::lowSurrogate(c));
        } else {
            m_strTramo += QChar(static_cast<char16_t>(c));
        }
    }

    // The format of the character state, built again only when that state (or a table it
    // looks into) changed.
    const QTextCharFormat& FormatoEnCache(const Estado& e) {
        const std::array<int, 8> clave = {e.bNegrita, e.bCursiva, e.bSubrayado, e.bTachado,
                                          e.nTamano,  e.nColor,   e.nFuente,    e.nVertical};
        if (!m_bFormatoValido || clave != m_claveFormato) {
            m_formatoCache = Formato(e);
            m_claveFormato = clave;
            m_bFormatoValido = true;
            ++m_nGeneracion;
        }
        return m_formatoCache;
    }

    QTextBlockFormat Bloque(const Estado& e) const {
        QTextBlockFormat b;
        b.setAlignment(e.alineacion);
        b.setLeftMargin(e.nIzquierda / 15.0);
        b.setRightMargin(e.nDerecha / 15.0);
        b.setTextIndent(e.nPrimera / 15.0);
        if (e.nNivel > 0)
            b.setHeadingLevel(e.nNivel);
        // A hanging indent has a tab stop where the text hangs, as word processors do, so
        // that "1.\tab step" lines up.
        if (e.nPrimera < 0 && e.nIzquierda > 0)
            b.setTabPositions({QTextOption::Tab(e.nIzquierda / 15.0, QTextOption::LeftTab)});
        return b;
    }

    QTextCharFormat Formato(const Estado& e) const {
        QTextCharFormat f;
        f.setFontWeight(e.bNegrita ? QFont::Bold : QFont::Normal);
        f.setFontItalic(e.bCursiva);
        f.setFontUnderline(e.bSubrayado);
        f.setFontStrikeOut(e.bTachado);
        f.setFontPointSize(std::clamp(e.nTamano, 2, 400) / 2.0);
        // Text without \f keeps the editor's own font.
        if (auto it = m_fuentes.find(e.nFuente); e.nFuente >= 0 && it != m_fuentes.end())
            f.setFontFamilies({it->second});
        if (e.nColor > 0 && e.nColor < static_cast<int>(m_colores.size()) &&
            m_colores[static_cast<size_t>(e.nColor)].isValid())
            f.setForeground(m_colores[static_cast<size_t>(e.nColor)]);
        f.setVerticalAlignment(e.nVertical > 0   ? QTextCharFormat::AlignSuperScript
                               : e.nVertical < 0 ? QTextCharFormat::AlignSubScript
                                                 : QTextCharFormat::AlignNormal);
        return f;
    }

    void Control(Estado& e, bool& bPrimerBloque) {
        ++m_i; // the backslash
        if (m_i >= m_s.size())
            return;
        const char c = m_s[m_i];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_i;
            switch (c) {
            case '\\':
            case '{':
            case '}':
                Caracter(e, static_cast<char32_t>(c), bPrimerBloque);
                break;
            case '\'': {
                if (m_i + 2 <= m_s.size()) {
                    bool bOk = false;
                    const int b = QByteArray(m_s.data() + m_i, 2).toInt(&bOk, 16);
                    m_i += 2;
                    if (bOk) {
                        if (m_nSaltar > 0)
                            --m_nSaltar;
                        else
                            Caracter(e, CodigoDeByte(static_cast<uint8_t>(b)), bPrimerBloque);
                    }
                } else {
                    m_i = m_s.size();
                }
                break;
            }
            case '*':
                e.bOmitir = true; // an optional destination this reader does not know
                break;
            case '~':
                Caracter(e, 0x00A0, bPrimerBloque);
                break;
            case '_':
                Caracter(e, 0x2011, bPrimerBloque);
                break;
            case '\n':
            case '\r':
                Parrafo(e, bPrimerBloque);
                break;
            default:
                break; // \- and the rest: nothing to show
            }
            return;
        }
        const size_t nInicio = m_i;
        while (m_i < m_s.size() && std::isalpha(static_cast<unsigned char>(m_s[m_i])) &&
               m_i - nInicio < 32)
            ++m_i;
        const std::string palabra = m_s.substr(nInicio, m_i - nInicio);
        bool bParametro = false;
        long nParametro = 0;
        const size_t nNumero = m_i;
        if (m_i < m_s.size() &&
            (m_s[m_i] == '-' || std::isdigit(static_cast<unsigned char>(m_s[m_i])))) {
            bool bNegativo = m_s[m_i] == '-';
            if (bNegativo)
                ++m_i;
            while (m_i < m_s.size() && std::isdigit(static_cast<unsigned char>(m_s[m_i])) &&
                   m_i - nNumero < 10) {
                nParametro = nParametro * 10 + (m_s[m_i] - '0');
                ++m_i;
            }
            bParametro = m_i > nNumero + (bNegativo ? 1 : 0);
            if (bNegativo)
                nParametro = -nParametro;
        }
        if (m_i < m_s.size() && m_s[m_i] == ' ')
            ++m_i; // the delimiting space belongs to the word
        Palabra(e, palabra, bParametro, static_cast<int>(nParametro), bPrimerBloque);
    }

    void Parrafo(Estado& e, bool& bPrimerBloque) {
        if (e.bOmitir || e.nDestino)
            return;
        if (bPrimerBloque) {
            Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
            bPrimerBloque = false;
        }
        Vaciar();
        Enlistar();
        m_cursor.insertBlock(Bloque(e), Formato(e));
    }

    // A paragraph numbered the old way (\pn) joins the list of the item before it, if it is
    // one of the same kind, or, when it starts past 1 (\pnstart), the last list of its kind
    // that other paragraphs interrupted; the list draws the marker and the indent, so the
    // paragraph's own \li and \fi, which only made room for them, are not kept.
    void Enlistar() {
        if (m_estiloLista == QTextListFormat::ListStyleUndefined) {
            m_bListaSeguida = false;
            return;
        }
        QTextBlockFormat bf = m_cursor.blockFormat();
        bf.setLeftMargin(0);
        bf.setTextIndent(0);
        bf.clearProperty(QTextFormat::TabPositions);
        m_cursor.setBlockFormat(bf);
        QTextList* pSigue = m_bListaSeguida ? m_pLista : nullptr;
        if (m_nInicioLista > 1 && (!pSigue || pSigue->format().style() != m_estiloLista))
            pSigue = m_ultimas[m_estiloLista];
        m_bListaSeguida = true;
        if (pSigue && pSigue->format().style() == m_estiloLista) {
            pSigue->add(m_cursor.block());
            m_pLista = pSigue;
            return;
        }
        QTextListFormat lf;
        lf.setStyle(m_estiloLista);
        lf.setIndent(1);
        m_pLista = m_cursor.createList(lf);
        m_ultimas[m_estiloLista] = m_pLista;
    }

    void Palabra(Estado& e, const std::string& w, bool bP, int n, bool& bPrimerBloque) {
        auto activo = [&] { return !bP || n != 0; };
        if (w == "par") {
            Parrafo(e, bPrimerBloque);
        } else if (w == "line") {
            Caracter(e, QChar::LineSeparator, bPrimerBloque);
        } else if (w == "tab") {
            Caracter(e, U'\t', bPrimerBloque);
        } else if (w == "pard") {
            e.alineacion = Qt::AlignLeft;
            e.nIzquierda = e.nDerecha = e.nPrimera = 0;
            e.nNivel = 0;
            if (!e.bOmitir && !e.nDestino)
                m_estiloLista = QTextListFormat::ListStyleUndefined;
            if (!bPrimerBloque && !e.bOmitir && !e.nDestino)
                Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
        } else if (w == "outlinelevel") {
            // Word's outline levels 0 to 8 are headings 1 to 9; Qt keeps six.
            e.nNivel = bP && n >= 0 && n <= 8 ? std::min(n + 1, 6) : 0;
            if (!bPrimerBloque && !e.bOmitir && !e.nDestino)
                Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
        } else if (w == "pn") {
            e.nDestino = 3;
            m_estiloLista = QTextListFormat::ListDecimal;
            m_nInicioLista = 1;
        } else if (e.nDestino == 3) {
            if (w == "pnstart")
                m_nInicioLista = bP ? n : 1;
            else if (w == "pnlvlblt")
                m_estiloLista = QTextListFormat::ListDisc;
            else if (w == "pndec")
                m_estiloLista = QTextListFormat::ListDecimal;
            else if (w == "pnlcltr")
                m_estiloLista = QTextListFormat::ListLowerAlpha;
            else if (w == "pnucltr")
                m_estiloLista = QTextListFormat::ListUpperAlpha;
            else if (w == "pnlcrm")
                m_estiloLista = QTextListFormat::ListLowerRoman;
            else if (w == "pnucrm")
                m_estiloLista = QTextListFormat::ListUpperRoman;
            else if (w == "pnlvlcont")
                m_estiloLista = QTextListFormat::ListStyleUndefined; // text under an item
        } else if (w == "plain") {
            e.bNegrita = e.bCursiva = e.bSubrayado = e.bTachado = false;
            e.nTamano = 24;
            e.nColor = 0;
            e.nVertical = 0;
        } else if (w == "b") {
            e.bNegrita = activo();
        } else if (w == "i") {
            e.bCursiva = activo();
        } else if (w == "ul") {
            e.bSubrayado = activo();
        } else if (w == "ulnone") {
            e.bSubrayado = false;
        } else if (w == "strike") {
            e.bTachado = activo();
        } else if (w == "fs") {
            if (bP && n > 0)
                e.nTamano = n;
        } else if (w == "cf") {
            e.nColor = n;
        } else if (w == "f") {
            if (e.nDestino == 1)
                m_nFuenteTabla = n; // a font table entry begins
            else
                e.nFuente = n;
        } else if (w == "qc" || w == "qr" || w == "qj" || w == "ql") {
            e.alineacion = w == "qc"   ? Qt::AlignHCenter
                           : w == "qr" ? Qt::AlignRight
                           : w == "qj" ? Qt::AlignJustify
                                       : Qt::AlignLeft;
            if (!bPrimerBloque && !e.bOmitir && !e.nDestino)
                Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
        } else if (w == "li" || w == "ri" || w == "fi") {
            (w == "li"   ? e.nIzquierda
             : w == "ri" ? e.nDerecha
                         : e.nPrimera) = std::clamp(n, -20000, 20000);
            if (!bPrimerBloque && !e.bOmitir && !e.nDestino)
                Vaciar();
            m_cursor.setBlockFormat(Bloque(e));
        } else if (w == "up" || w == "super") {
            e.nVertical = (w == "super" || n != 0) ? 1 : 0;
        } else if (w == "dn" || w == "sub") {
            e.nVertical = (w == "sub" || n != 0) ? -1 : 0;
        } else if (w == "nosupersub") {
            e.nVertical = 0;
        } else if (w == "u") {
            if (bP) {
                const char32_t c = static_cast<char32_t>(n < 0 ? n + 65536 : n);
                Caracter(e, c, bPrimerBloque);
                m_nSaltar = e.nUc;
                SaltarAlternativa();
            }
        } else if (w == "uc") {
            e.nUc = std::clamp(n, 0, 10);
        } else if (w == "bullet") {
            Caracter(e, 0x2022, bPrimerBloque);
        } else if (w == "emdash") {
            Caracter(e, 0x2014, bPrimerBloque);
        } else if (w == "endash") {
            Caracter(e, 0x2013, bPrimerBloque);
        } else if (w == "lquote") {
            Caracter(e, 0x2018, bPrimerBloque);
        } else if (w == "rquote") {
            Caracter(e, 0x2019, bPrimerBloque);
        } else if (w == "ldblquote") {
            Caracter(e, 0x201C, bPrimerBloque);
        } else if (w == "rdblquote") {
            Caracter(e, 0x201D, bPrimerBloque);
        } else if (w == "emspace" || w == "enspace") {
            Caracter(e, U' ', bPrimerBloque);
        } else if (w == "fonttbl") {
            e.nDestino = 1;
        } else if (w == "colortbl") {
            e.nDestino = 2;
            m_colores.clear();
            m_bFormatoValido = false;
        } else if (w == "red" || w == "green" || w == "blue") {
            if (e.nDestino == 2) {
                (w == "red" ? m_r : w == "green" ? m_g : m_b) = std::clamp(n, 0, 255);
                m_bColorDado = true;
            }
        } else if (w == "stylesheet" || w == "info" || w == "pict" || w == "object" ||
                   w == "header" || w == "footer" || w == "headerl" || w == "headerr" ||
                   w == "headerf" || w == "footerl" || w == "footerr" || w == "footerf" ||
                   w == "footnote" || w == "fldinst" || w == "themedata" ||
                   w == "colorschememapping" || w == "listtable" || w == "listoverridetable" ||
                   w == "rsidtbl" || w == "generator" || w == "latentstyles" || w == "datastore" ||
                   w == "filetbl" || w == "revtbl" || w == "xmlnstbl" || w == "pgdsctbl" ||
                   w == "bkmkstart" || w == "bkmkend" || w == "pntext") {
            e.bOmitir = true;
        }
        // Anything else is a control word this reader does not need.
    }

    // After \uN, the fallback characters that stand for it are skipped.
    void SaltarAlternativa() {
        while (m_nSaltar > 0 && m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (c == '{' || c == '}')
                break;
            if (c == '\\') {
                if (m_i + 1 < m_s.size() && m_s[m_i + 1] == '\'')
                    return; // \'hh counts as one, handled by Control
                break;
            }
            ++m_i;
            --m_nSaltar;
        }
        if (m_nSaltar > 0 && (m_i >= m_s.size() || m_s[m_i] != '\\'))
            m_nSaltar = 0;
    }

    const std::string& m_s;
    size_t m_i = 0;
    QTextCursor m_cursor;
    QTextBlockFormat m_bloque;
    std::map<int, QString> m_fuentes;
    int m_nFuenteTabla = 0;
    std::vector<QColor> m_colores;
    QString m_strFuente;
    int m_r = 0, m_g = 0, m_b = 0;
    bool m_bColorDado = false;
    int m_nSaltar = 0;
    int m_nExceso = 0;
    QTextListFormat::Style m_estiloLista = QTextListFormat::ListStyleUndefined;
    QTextList* m_pLista = nullptr;       // the list of the last item
    bool m_bListaSeguida = false;        // the paragraph before is an item
    std::map<int, QTextList*> m_ultimas; // the last list of each kind, for an item that resumes it
    int m_nInicioLista = 1;
    QString m_strTramo;
    QTextCharFormat m_formatoTramo;
    QTextCharFormat m_formatoCache;
    std::array<int, 8> m_claveFormato{};
    bool m_bFormatoValido = false;
    unsigned m_nGeneracion = 0, m_nGeneracionTramo = 0;
};

QString Escapar(const QString& s) {
    QString r;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
            r += QLatin1Char('\\');
            r += c;
        } else if (c == QLatin1Char('\t')) {
            r += QStringLiteral("\\tab ");
        } else if (u == QChar::LineSeparator) {
            r += QStringLiteral("\\line ");
        } else if (u < 0x80) {
            r += c;
        } else {
            const std::string b = CArchivo::Utf8ACp1252(QString(c).toStdString());
            if (b.size() == 1 && b[0] != '?')
                r += QStringLiteral("\\'%1").arg(static_cast<uint8_t>(b[0]), 2, 16,
                                                 QLatin1Char('0'));
            else
                r += QStringLiteral("\\u%1?").arg(static_cast<int16_t>(u));
        }
    }
    return r;
}

// Old-style paragraph numbering, which every word processor reads: the numbering group,
// and the marker as plain text for readers that draw none of their own.
QString ParrafoDeLista(const QTextList& lista, const QTextBlock& b) {
    const QTextListFormat lf = lista.format();
    QString tipo;
    switch (lf.style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return QStringLiteral("{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\bullet}}"
                              "{\\pntext\\bullet\\tab}");
    case QTextListFormat::ListLowerAlpha:
        tipo = QStringLiteral("\\pnlcltr");
        break;
    case QTextListFormat::ListUpperAlpha:
        tipo = QStringLiteral("\\pnucltr");
        break;
    case QTextListFormat::ListLowerRoman:
        tipo = QStringLiteral("\\pnlcrm");
        break;
    case QTextListFormat::ListUpperRoman:
        tipo = QStringLiteral("\\pnucrm");
        break;
    default:
        tipo = QStringLiteral("\\pndec");
        break;
    }
    // An item that resumes its list after other paragraphs starts at its own number, so that
    // a reader continues the list instead of beginning a new one.
    const QTextBlock antes = b.previous();
    const bool bReanuda = lista.itemNumber(b) > 0 && antes.isValid() && antes.textList() != &lista;
    return QStringLiteral("{\\*\\pn\\pnlvlbody%1\\pnstart%2\\pnindent360{\\pntxta .}}"
                          "{\\pntext %3\\tab}")
        .arg(tipo)
        .arg(bReanuda ? lista.itemNumber(b) + 1 : 1)
        .arg(Escapar(lista.itemText(b)));
}

} // namespace

void Leer(const std::string& strRtf, QTextDocument& doc) {
    // Showing a note is no edit to undo: Ctrl+Z right after it must not empty the pane, and
    // the history would hold a second copy of the whole note.
    const bool bDeshacer = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    if (strRtf.rfind("{\\rtf", 0) != 0)
        doc.setPlainText(QString::fromStdString(strRtf));
    else
        Lector(strRtf, doc).Leer();
    doc.setUndoRedoEnabled(bDeshacer);
}

std::string Escribir(const QTextDocument& doc) {
    std::vector<QString> fuentes;
    std::vector<QColor> colores;
    auto fuente = [&](const QString& f) {
        for (size_t i = 0; i < fuentes.size(); ++i)
            if (fuentes[i] == f)
                return static_cast<int>(i);
        fuentes.push_back(f);
        return static_cast<int>(fuentes.size() - 1);
    };
    auto color = [&](const QColor& c) {
        for (size_t i = 0; i < colores.size(); ++i)
            if (colores[i] == c)
                return static_cast<int>(i + 1);
        colores.push_back(c);
        return static_cast<int>(colores.size());
    };
    QString cuerpo;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        const QTextList* lista = b.textList();
        cuerpo += QStringLiteral("\\pard");
        const Qt::Alignment a = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            cuerpo += QStringLiteral("\\qc");
        else if (a & Qt::AlignRight)
            cuerpo += QStringLiteral("\\qr");
        else if (a & Qt::AlignJustify)
            cuerpo += QStringLiteral("\\qj");
        // A list item has the list's indent: its marker hangs a quarter inch before the text.
        if (lista)
            cuerpo += QStringLiteral("\\li720");
        else if (bf.leftMargin() != 0.0)
            cuerpo += QStringLiteral("\\li%1").arg(qRound(bf.leftMargin() * 15));
        if (bf.rightMargin() != 0.0)
            cuerpo += QStringLiteral("\\ri%1").arg(qRound(bf.rightMargin() * 15));
        if (lista)
            cuerpo += QStringLiteral("\\fi-360");
        else if (bf.textIndent() != 0.0)
            cuerpo += QStringLiteral("\\fi%1").arg(qRound(bf.textIndent() * 15));
        if (bf.headingLevel() > 0)
            cuerpo += QStringLiteral("\\outlinelevel%1").arg(bf.headingLevel() - 1);
        // After the list's groups a space would be text.
        if (lista)
            cuerpo += ParrafoDeLista(*lista, b);
        else
            cuerpo += QLatin1Char(' ');
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (!fr.isValid())
                continue;
            const QTextCharFormat f = fr.charFormat();
            QString s = QStringLiteral("{\\plain");
            const QStringList familias = f.fontFamilies().toStringList();
            if (!familias.isEmpty())
                s += QStringLiteral("\\f%1").arg(fuente(familias.first()));
            // Text typed with no size of its own is shown in the editor's size; that size is
            // written, or it would read back in the reader's default 12 points.
            const double dPuntos =
                f.fontPointSize() > 0 ? f.fontPointSize() : doc.defaultFont().pointSizeF();
            if (dPuntos > 0)
                s += QStringLiteral("\\fs%1").arg(qRound(dPuntos * 2));
            if (f.foreground().style() != Qt::NoBrush)
                s += QStringLiteral("\\cf%1").arg(color(f.foreground().color()));
            if (f.fontWeight() >= QFont::Bold)
                s += QStringLiteral("\\b");
            if (f.fontItalic())
                s += QStringLiteral("\\i");
            if (f.fontUnderline())
                s += QStringLiteral("\\ul");
            if (f.fontStrikeOut())
                s += QStringLiteral("\\strike");
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                s += QStringLiteral("\\super");
            else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                s += QStringLiteral("\\sub");
            s += QLatin1Char(' ') + Escapar(fr.text()) + QLatin1Char('}');
            cuerpo += s;
        }
        if (b.next().isValid())
            cuerpo += QStringLiteral("\\par\n");
    }
    QString r = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl");
    if (fuentes.empty())
        fuentes.push_back(QStringLiteral("Arial"));
    for (size_t i = 0; i < fuentes.size(); ++i)
        r += QStringLiteral("{\\f%1 %2;}").arg(i).arg(Escapar(fuentes[i]));
    r += QStringLiteral("}{\\colortbl;");
    for (const QColor& c : colores)
        r += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
    r += QStringLiteral("}\n") + cuerpo + QStringLiteral("}");
    return r.toStdString();
}

} // namespace Rtf
