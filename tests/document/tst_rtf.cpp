// The notes' RTF: what the reader makes of each control word, round trips through the
// writer, the practices' own notes, and bytes that are not RTF at all.
#include "document/Plantillas.h"
#include "document/Rtf.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QtTest>

#include <random>

namespace {

QTextCharFormat FormatoEn(QTextDocument& doc, const QString& strTexto) {
    const int n = doc.toPlainText().indexOf(strTexto);
    QTextCursor c(&doc);
    c.setPosition(n + 1);
    return c.charFormat();
}

// Every character's text and format, to compare two documents.
QStringList Huella(const QTextDocument& doc) {
    QStringList v;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        const QTextList* l = b.textList();
        v << QStringLiteral("P%1/%2/%3/%4/h%5/l%6.%7")
                 .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                 .arg(bf.leftMargin())
                 .arg(bf.rightMargin())
                 .arg(bf.textIndent())
                 .arg(bf.headingLevel())
                 .arg(l ? int(l->format().style()) : 0)
                 .arg(l ? l->itemNumber(b) : -1);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            const QTextCharFormat f = fr.charFormat();
            v << QStringLiteral("%1|%2%3%4%5|%6|%7|%8|%9")
                     .arg(fr.text())
                     .arg(f.fontWeight() >= QFont::Bold)
                     .arg(f.fontItalic())
                     .arg(f.fontUnderline())
                     .arg(f.fontStrikeOut())
                     .arg(f.fontPointSize())
                     .arg(f.foreground().style() == Qt::NoBrush ? QString()
                                                                : f.foreground().color().name())
                     .arg(int(f.verticalAlignment()))
                     .arg(f.fontFamilies().toStringList().join(QLatin1Char(',')));
        }
    }
    return v;
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT
private slots:
    void palabrasDeControl() {
        const std::string rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman{\\*\\panose "
            "0203}Times New Roman;}}"
            "{\\colortbl;\\red0\\green0\\blue128;\\red200\\green0\\blue0;}"
            "{\\*\\generator Escritor 1.0;}{\\info{\\title Nada}}"
            "\\pard\\qc\\b\\fs28\\cf1 T\\'edtulo\\b0\\par"
            "\\pard\\li360\\fi-180\\f1\\fs20 H\\sub 2\\nosupersub O y Cu\\super 2+\\nosupersub , "
            "\\i cursiva\\i0 , \\ul sub\\ulnone , \\strike tache\\strike0 , \\cf2 rojo\\cf0 "
            ".\\line "
            "x\\tab y \\bullet  \\emdash  \\u8364? \\u-3937?{\\pict 0123456789abcdef}fin "
            "\\{\\}\\\\\\par"
            "\\pard\\qr der\\dn6 3\\up0 }";
        QTextDocument doc;
        Rtf::Leer(rtf, doc);
        QCOMPARE(doc.blockCount(), 3);
        const QStringList lineas = doc.toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lineas[0], QString("Título"));
        QVERIFY(lineas[1].startsWith("H2O y Cu2+, cursiva, sub, tache, rojo."));
        // \line breaks the line inside the paragraph.
        QVERIFY(doc.toRawText().contains(QString(".") + QChar(QChar::LineSeparator) +
                                         "x\ty • — € " + QChar(0xF09F) + "fin {}\\"));
        QCOMPARE(lineas.last(), QString("der3"));
        QVERIFY(!doc.toPlainText().contains("Escritor") && !doc.toPlainText().contains("Nada") &&
                !doc.toPlainText().contains("0123"));
        QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(doc.begin().next().blockFormat().leftMargin(), 24.0);
        QCOMPARE(doc.begin().next().blockFormat().textIndent(), -12.0);
        QCOMPARE(doc.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        const QTextCharFormat titulo = FormatoEn(doc, "Título");
        QVERIFY(titulo.fontWeight() >= QFont::Bold);
        QCOMPARE(titulo.fontPointSize(), 14.0);
        QCOMPARE(titulo.foreground().color(), QColor(0, 0, 128));
        QVERIFY(titulo.fontFamilies().toStringList().isEmpty()); // no \\f: the editor's font
        QCOMPARE(FormatoEn(doc, "2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(FormatoEn(doc, "2+").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(FormatoEn(doc, "O y").fontFamilies().toStringList().value(0),
                 QString("Times New Roman"));
        QVERIFY(FormatoEn(doc, "cursiva").fontItalic());
        QVERIFY(FormatoEn(doc, "sub,").fontUnderline());
        QVERIFY(FormatoEn(doc, "tache").fontStrikeOut());
        QCOMPARE(FormatoEn(doc, "rojo").foreground().color(), QColor(200, 0, 0));
        QCOMPARE(FormatoEn(doc, "3").verticalAlignment(), QTextCharFormat::AlignSubScript);
    }

    void idaYVuelta() {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextBlockFormat centrado;
        centrado.setAlignment(Qt::AlignHCenter);
        c.setBlockFormat(centrado);
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        f.setFontPointSize(13);
        f.setForeground(QColor(10, 20, 30));
        f.setFontFamilies({QStringLiteral("Courier New")});
        c.insertText("Reacción {1} \\ ñ € α", f);
        QTextBlockFormat sangria;
        sangria.setLeftMargin(12);
        sangria.setTextIndent(-6);
        QTextCharFormat g;
        g.setFontPointSize(10);
        c.insertBlock(sangria, g);
        c.insertText("H", g);
        g.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        c.insertText("2", g);
        g.setVerticalAlignment(QTextCharFormat::AlignNormal);
        g.setFontItalic(true);
        c.insertText(QString("O\tfin") + QChar(QChar::LineSeparator) + "x", g);
        // What the notes editor offers beyond that: underline, strike-through, a paragraph
        // set to the right with a right margin.
        QTextBlockFormat derecha;
        derecha.setAlignment(Qt::AlignRight);
        derecha.setRightMargin(18);
        QTextCharFormat h;
        h.setFontPointSize(10);
        h.setFontUnderline(true);
        c.insertBlock(derecha, h);
        c.insertText("subrayado", h);
        h.setFontUnderline(false);
        h.setFontStrikeOut(true);
        c.insertText(" tachado", h);
        // A heading, two bullets, three numbered steps and text after them.
        QTextBlockFormat titulo;
        titulo.setHeadingLevel(2);
        c.insertBlock(titulo);
        c.insertText("Material", f);
        QTextListFormat lf;
        lf.setStyle(QTextListFormat::ListDisc);
        c.insertBlock(QTextBlockFormat(), g);
        c.createList(lf);
        c.insertText("Vaso");
        c.insertBlock();
        c.insertText("Balanza");
        lf.setStyle(QTextListFormat::ListDecimal);
        c.insertBlock(QTextBlockFormat());
        c.createList(lf);
        c.insertText("Pesar");
        for (const char* s : {"Disolver", "Valorar"}) {
            c.insertBlock();
            c.insertText(s);
        }
        c.insertBlock(QTextBlockFormat());
        c.insertText("Fin");
        c.insertBlock();
        const std::string rtf = Rtf::Escribir(doc);
        QVERIFY(rtf.rfind("{\\rtf1\\ansi", 0) == 0);
        // The numbering word processors read, marker text included for those that draw none.
        QVERIFY(rtf.find("\\pard\\li720\\fi-360{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\bullet}}"
                         "{\\pntext\\bullet\\tab}{\\plain") != std::string::npos);
        QVERIFY(
            rtf.find("\\pnlvlbody\\pndec\\pnstart1\\pnindent360{\\pntxta .}}{\\pntext 3.\\tab}") !=
            std::string::npos);
        QVERIFY(rtf.find("\\outlinelevel1 ") != std::string::npos);
        QTextDocument otro;
        Rtf::Leer(rtf, otro);
        QCOMPARE(Huella(otro), Huella(doc));
        QCOMPARE(Rtf::Escribir(otro), rtf);
        // Each run of items is one list; the markers are the list's, not text.
        const QTextBlock vaso = otro.findBlockByNumber(4);
        QCOMPARE(vaso.text(), QString("Vaso"));
        QCOMPARE(vaso.textList(), vaso.next().textList());
        QCOMPARE(otro.findBlockByNumber(8).textList()->count(), 3);
        QCOMPARE(otro.findBlockByNumber(8).textList()->itemText(otro.findBlockByNumber(8)),
                 QString("3."));
        QVERIFY(!otro.findBlockByNumber(9).textList());
        // A numbered list that a paragraph interrupts goes on with 2 after it, in the file
        // and when read back (a fuzzer's find: it restarted at 1).
        QTextDocument cortada;
        QTextCursor cc(&cortada);
        lf.setStyle(QTextListFormat::ListDecimal);
        QTextList* pasos = cc.createList(lf);
        cc.insertText("Pesar");
        cc.insertBlock(QTextBlockFormat());
        cc.insertText("Nota");
        cc.insertBlock();
        cc.insertText("Disolver");
        pasos->add(cc.block());
        const std::string strCortada = Rtf::Escribir(cortada);
        QVERIFY(strCortada.find("\\pnstart2\\pnindent360{\\pntxta .}}{\\pntext 2.\\tab}") !=
                std::string::npos);
        QTextDocument cortadaLeida;
        Rtf::Leer(strCortada, cortadaLeida);
        const QTextBlock disolver = cortadaLeida.lastBlock();
        QCOMPARE(disolver.textList(), cortadaLeida.firstBlock().textList());
        QCOMPARE(disolver.textList()->itemText(disolver), QString("2."));
        QCOMPARE(Rtf::Escribir(cortadaLeida), strCortada);
        // A control character brought into a font's name by \'hh does not survive to make
        // the next write differ (a fuzzer's find).
        QTextDocument raro;
        Rtf::Leer("{\\rtf1{\\fonttbl{\\f0 Ari\\'0aal;}}\\f0 x}", raro);
        const std::string strRaro = Rtf::Escribir(raro);
        QTextDocument releido;
        Rtf::Leer(strRaro, releido);
        QCOMPARE(Rtf::Escribir(releido), strRaro);
    }

    void notasDeLasPracticas() {
        for (int n = Plantillas::kPrimera; n <= Plantillas::kUltima; ++n) {
            for (const char* s : {"marco", "procedimiento", "resultados"}) {
                QFile f(QStringLiteral(":/practicas/%1/%2.rtf").arg(n).arg(QLatin1String(s)));
                QVERIFY(f.open(QIODevice::ReadOnly));
                QTextDocument doc;
                Rtf::Leer(f.readAll().toStdString(), doc);
                QVERIFY2(doc.toPlainText().size() > 100, qPrintable(f.fileName()));
                QVERIFY(!doc.toPlainText().contains("\\"));
                QVERIFY(!doc.toPlainText().contains("fonttbl"));
                QTextDocument otro;
                Rtf::Leer(Rtf::Escribir(doc), otro);
                QCOMPARE(Huella(otro), Huella(doc));
            }
        }
    }

    void bytesQueNoSonRtf() {
        QTextDocument doc;
        Rtf::Leer("Solo texto, sin formato", doc);
        QCOMPARE(doc.toPlainText(), QString("Solo texto, sin formato"));
        // Truncations, unbalanced groups, absurd parameters and deep nesting end quietly.
        const std::string base =
            "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red1;}\\b\\fs99999999999 x\\'4"
            "\\u999999999 \\uc-5 \\li-999999999 y}}}}";
        for (size_t n = 0; n <= base.size(); ++n)
            Rtf::Leer(base.substr(0, n), doc);
        Rtf::Leer("{\\rtf1 " + std::string(100000, '{') + "hondo" + std::string(100000, '}'), doc);
        QVERIFY(doc.toPlainText().contains("hondo"));
        std::mt19937 rng(11);
        const char alfabeto[] = "{}\\'abcdefu0123456789 -*;\r\n\x80\xff";
        for (int vuelta = 0; vuelta < 2000; ++vuelta) {
            std::string s = "{\\rtf1 ";
            const size_t n = rng() % 300;
            for (size_t i = 0; i < n; ++i)
                s += alfabeto[rng() % (sizeof alfabeto - 1)];
            Rtf::Leer(s, doc);
        }
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
