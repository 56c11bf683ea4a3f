// The archive: byte layout of every primitive, string prefixes, code page, dates and what
// a damaged file does to a reader.
#include "model/Archivo.h"

#include <QtTest>

#include <cstring>
#include <limits>
#include <random>

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> l) {
    std::vector<uint8_t> v;
    for (int b : l)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

CErrorArchivo::Tipo TipoDeError(const std::vector<uint8_t>& datos) {
    CArchivo ar(datos);
    try {
        ar.LeerCadena();
    } catch (const CErrorArchivo& e) {
        return e.GetTipo();
    }
    throw std::logic_error("se esperaba un error");
}
} // namespace

class TestArchivo : public QObject {
    Q_OBJECT
private slots:
    void enterosYDoblesEnLittleEndian() {
        CArchivo ar;
        ar << int32_t(-101) << 1.0 << int32_t(0x12345678);
        QCOMPARE(ar.Datos(), Bytes({0x9B, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x78,
                                    0x56, 0x34, 0x12}));
        CArchivo lee(ar.Datos());
        QCOMPARE(lee.LeerInt32(), -101);
        QCOMPARE(lee.LeerDouble(), 1.0);
        QCOMPARE(lee.LeerInt32(), 0x12345678);
        QVERIFY(lee.AlFinal());
    }

    void prefijosDeCadena_data() {
        QTest::addColumn<int>("longitud");
        QTest::addColumn<QByteArray>("prefijo");
        QTest::newRow("vacia") << 0 << QByteArray("\x00", 1);
        QTest::newRow("254") << 254 << QByteArray("\xFE", 1);
        QTest::newRow("255") << 255 << QByteArray("\xFF\xFF\x00", 3);
        QTest::newRow("65533") << 65533 << QByteArray("\xFF\xFD\xFF", 3);
        QTest::newRow("65534") << 65534 << QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7);
        QTest::newRow("70000") << 70000 << QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7);
    }
    void prefijosDeCadena() {
        QFETCH(int, longitud);
        QFETCH(QByteArray, prefijo);
        const std::string s(static_cast<size_t>(longitud), 'a');
        CArchivo ar;
        ar << s;
        QCOMPARE(ar.Datos().size(), static_cast<size_t>(prefijo.size() + longitud));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(ar.Datos().data()), prefijo.size()),
                 prefijo);
        CArchivo lee(ar.Datos());
        QCOMPARE(lee.LeerCadena(), s);
        QVERIFY(lee.AlFinal());
    }

    void textoEnWindows1252() {
        CArchivo ar;
        ar << std::string("Titulación ácido base €");
        // 'ó' and 'á' are one byte each, the euro sign is 0x80.
        const auto& d = ar.Datos();
        QCOMPARE(d[0], uint8_t(23));
        QCOMPARE(d[9], uint8_t(0xF3));
        QCOMPARE(d.back(), uint8_t(0x80));
        CArchivo lee(d);
        QCOMPARE(lee.LeerCadena(), std::string("Titulación ácido base €"));
    }

    void caracteresSinLugarEnLaPaginaDeCodigos() {
        // Greek and a broken UTF-8 byte cannot be written; they become '?'.
        CArchivo ar;
        ar << std::string("pH \xCE\xB1 x\xC3");
        CArchivo lee(ar.Datos());
        QCOMPARE(lee.LeerCadena(), std::string("pH ? x?"));
    }

    void todosLosBytesSobrevivenUnaVuelta() {
        std::string s;
        for (int i = 1; i < 256; ++i)
            s += static_cast<char>(i);
        const std::string utf8 = CArchivo::Cp1252AUtf8(s);
        QCOMPARE(CArchivo::Utf8ACp1252(utf8), s);
    }

    void formaUtf16AlLeer() {
        // 0xFF 0xFFFE, then a one-byte count of UTF-16 units: "ñ€" and a character that
        // the code page lacks (U+03B1), which arrives as '?'.
        CArchivo lee(Bytes({0xFF, 0xFE, 0xFF, 3, 0xF1, 0x00, 0xAC, 0x20, 0xB1, 0x03, 7, 0, 0, 0}));
        QCOMPARE(lee.LeerCadena(), std::string("ñ€?"));
        QCOMPARE(lee.LeerInt32(), 7);
        // The count after the marker may itself be in the long forms.
        std::vector<uint8_t> largo = Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01});
        for (int i = 0; i < 300; ++i) {
            largo.push_back('z');
            largo.push_back(0);
        }
        CArchivo lee2(largo);
        QCOMPARE(lee2.LeerCadena(), std::string(300, 'z'));
        QVERIFY(lee2.AlFinal());
    }

    void fechas() {
        const CFecha f = CFecha::DesdeCivil(2003, 5, 14, 12, 0, 0);
        QCOMPARE(f.m_dFecha, 37755.5);
        int a, m, d;
        QVERIFY(f.ACivil(a, m, d));
        QCOMPARE(a, 2003);
        QCOMPARE(m, 5);
        QCOMPARE(d, 14);
        QCOMPARE(CFecha::DesdeCivil(1899, 12, 30).m_dFecha, 0.0);
        CArchivo ar;
        ar << f;
        QCOMPARE(ar.Datos().size(), size_t(12));
        CArchivo lee(ar.Datos());
        QCOMPARE(lee.LeerFecha(), f);
    }

    void lecturaTruncadaOMalFormada() {
        // Every prefix of a valid sequence fails as a read past the end.
        CArchivo ar;
        ar << int32_t(5) << 2.5 << std::string(300, 'x') << CFecha::DesdeCivil(2003, 1, 1);
        const auto& d = ar.Datos();
        for (size_t n = 0; n < d.size(); ++n) {
            CArchivo lee(std::vector<uint8_t>(d.begin(), d.begin() + static_cast<long>(n)));
            bool bError = false;
            try {
                lee.LeerInt32();
                lee.LeerDouble();
                lee.LeerCadena();
                lee.LeerFecha();
            } catch (const CErrorArchivo& e) {
                bError = e.GetTipo() == CErrorArchivo::Tipo::FinDeArchivo;
            }
            QVERIFY2(bError, qPrintable(QString("corte en %1").arg(n)));
        }
        // A length prefix that promises more than is left is refused before allocating.
        QCOMPARE(TipoDeError(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})),
                 CErrorArchivo::Tipo::FinDeArchivo);
        QCOMPARE(TipoDeError(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})),
                 CErrorArchivo::Tipo::FinDeArchivo);
        // Two UTF-16 markers in a row are no string at all.
        QCOMPARE(TipoDeError(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0})),
                 CErrorArchivo::Tipo::FormatoIncorrecto);
        // Not-a-number and infinity are malformed doubles, and are never written either:
        // a file holding one could not be opened again.
        for (double d :
             {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
            CArchivo escribe;
            QVERIFY_THROWS_EXCEPTION(CErrorArchivo, escribe << d);
            QVERIFY(escribe.Datos().empty());
            std::vector<uint8_t> bytes(8);
            std::memcpy(bytes.data(), &d, 8);
            CArchivo lee(bytes);
            QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerDouble());
        }
        // Values beyond what any practice holds, and bytes left over, are refused too.
        CArchivo limites;
        limites << int32_t(1'000'001) << 1e30 << int32_t(0);
        CArchivo lee(limites.Datos());
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerInt32Entre(-1'000'000, 1'000'000));
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerDoubleEntre(0.0, 1e7));
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.ComprobarFinal());
        lee.LeerInt32();
        lee.ComprobarFinal();
    }

    void cuentasImposibles() {
        CArchivo ar;
        ar << int32_t(-1) << int32_t(4) << int32_t(3) << int32_t(1000) << std::string(20, 'x');
        CArchivo lee(ar.Datos());
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerCuenta(1));
        // 4 records of at least 8 bytes do not fit in the 29 bytes that follow, though 4 is
        // far less than 29: the count is held to the bytes per record, not to the bytes.
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerCuenta(8));
        // 3 of them fit in the 25 bytes after that.
        QCOMPARE(lee.LeerCuenta(8), 3);
        // 1000 records of 1 byte do not fit in 21.
        QVERIFY_THROWS_EXCEPTION(CErrorArchivo, lee.LeerCuenta(1));
    }

    void bytesAlAzarNuncaRompenAlLector() {
        std::mt19937 rng(1234);
        for (int vuelta = 0; vuelta < 2000; ++vuelta) {
            std::vector<uint8_t> datos(rng() % 64);
            for (auto& b : datos)
                b = static_cast<uint8_t>(rng() % 4 == 0 ? 0xFF : rng());
            CArchivo lee(datos);
            try {
                while (!lee.AlFinal()) {
                    switch (rng() % 4) {
                    case 0:
                        lee.LeerInt32();
                        break;
                    case 1:
                        lee.LeerDouble();
                        break;
                    case 2:
                        lee.LeerCadena();
                        break;
                    default:
                        lee.LeerFecha();
                    }
                }
            } catch (const CErrorArchivo&) {
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestArchivo)
#include "tst_archivo.moc"
