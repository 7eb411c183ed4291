// Tests of the number text: format patterns against the program's worked examples and against
// texts composed independently from integers, lenient reading (also of what a Japanese input
// method gives in full-width mode), and the general number text.
#include "textconv.h"

#include <QRandomGenerator>
#include <QTest>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "datanumber.h"

namespace {

// The double nearest to a decimal text, read independently of the code under test.
double decimal(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    Q_ASSERT(ok);
    return value;
}

// Significant digits of a general number text (the mantissa's digits without leading zeros).
int significantDigits(const QString& text) {
    QString mantissa = text.section(u'E', 0, 0);
    mantissa.remove(u'-').remove(u'.');
    while (mantissa.startsWith(u'0')) mantissa.remove(0, 1);
    while (mantissa.endsWith(u'0')) mantissa.chop(1);
    return static_cast<int>(mantissa.size());
}

// "d.ddddd" style text of an integer mantissa with one digit before the point.
QString pointAfterFirst(const QString& digits) { return digits.left(1) + u'.' + digits.mid(1); }

QString exponentText(int e, int minDigits) {
    return QString(e < 0 ? u'-' : u'+') +
           QString::number(std::abs(e)).rightJustified(minDigits, u'0');
}

}  // namespace

class TextConvTest : public QObject {
    Q_OBJECT

private slots:
    void formatGivesTheProgramsTexts_data();
    void formatGivesTheProgramsTexts();
    void formatRoundsTheFifteenDigitFormHalfAwayFromZero_data();
    void formatRoundsTheFifteenDigitFormHalfAwayFromZero();
    void formatPlacesSignsAndPatternParts_data();
    void formatPlacesSignsAndPatternParts();
    void formatMatchesTextsComposedFromIntegers();
    void formatRoundsEveryTieAwayFromZero();
    void parseTakesTheLeadingNumber_data();
    void parseTakesTheLeadingNumber();
    void parseReadsBackEveryFormattedText();
    void fullWidthTextsReadAsTheAsciiTextsTheyStandFor();
    void decimalNumberIsTheWholeText();
    void generalTextGivesTheProgramsTexts_data();
    void generalTextGivesTheProgramsTexts();
    void generalTextIsShortestAndReadsBack();
    void generalTextOfAnyDoubleHasAtMostFifteenDigits();
};

void TextConvTest::formatGivesTheProgramsTexts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const QString exchange = QStringLiteral("0.00000E+00");
    QTest::newRow("exchange 12.5") << 12.5 << exchange << QStringLiteral("1.25000E+01");
    QTest::newRow("exchange 0.003") << 0.003 << exchange << QStringLiteral("3.00000E-03");
    QTest::newRow("exchange 0") << 0.0 << exchange << QStringLiteral("0.00000E+00");
    QTest::newRow("exchange 5") << 5.0 << exchange << QStringLiteral("5.00000E+00");
    QTest::newRow("exchange 2.5") << 2.5 << exchange << QStringLiteral("2.50000E+00");
    QTest::newRow("exchange 1000") << 1000.0 << exchange << QStringLiteral("1.00000E+03");
    QTest::newRow("exchange ln 10") << std::log(10.0) << exchange << QStringLiteral("2.30259E+00");
    QTest::newRow("exchange ln 100")
        << std::log(100.0) << exchange << QStringLiteral("4.60517E+00");
    QTest::newRow("exchange -ln 0.5")
        << -std::log(0.5) << exchange << QStringLiteral("6.93147E-01");
    QTest::newRow("exchange 1.5") << 1.5 << exchange << QStringLiteral("1.50000E+00");
    QTest::newRow("exchange 0.25") << 0.25 << exchange << QStringLiteral("2.50000E-01");

    QTest::newRow("flag 0") << 0.0 << QStringLiteral("00") << QStringLiteral("00");
    QTest::newRow("flag 1") << 1.0 << QStringLiteral("00") << QStringLiteral("01");
    QTest::newRow("exponent -2") << -2.0 << QStringLiteral("00") << QStringLiteral("-02");
    QTest::newRow("exponent +3") << 3.0 << QStringLiteral("+00") << QStringLiteral("+03");

    const QString label = QStringLiteral("0.0E+0");
    QTest::newRow("label 15000") << 15000.0 << label << QStringLiteral("1.5E+4");
    QTest::newRow("label 0.01") << 0.01 << label << QStringLiteral("1.0E-2");
    QTest::newRow("label 100") << 100.0 << label << QStringLiteral("1.0E+2");
    QTest::newRow("label 1000") << 1000.0 << label << QStringLiteral("1.0E+3");
    QTest::newRow("label 5000") << 5000.0 << label << QStringLiteral("5.0E+3");
    QTest::newRow("label 500") << 500.0 << label << QStringLiteral("5.0E+2");
    QTest::newRow("label -500") << -500.0 << label << QStringLiteral("-5.0E+2");
    QTest::newRow("label 1.5E15") << 1.5e15 << label << QStringLiteral("1.5E+15");

    const QString axis = QStringLiteral("0.0E+00");
    QTest::newRow("axis 250") << 250.0 << axis << QStringLiteral("2.5E+02");
    QTest::newRow("axis 0.05") << 0.05 << axis << QStringLiteral("5.0E-02");
    QTest::newRow("axis 0.03") << 0.03 << axis << QStringLiteral("3.0E-02");
    QTest::newRow("axis 70") << 70.0 << axis << QStringLiteral("7.0E+01");
    QTest::newRow("axis 1") << 1.0 << axis << QStringLiteral("1.0E+00");
    QTest::newRow("axis 100") << 100.0 << axis << QStringLiteral("1.0E+02");
    QTest::newRow("axis 5000") << 5000.0 << axis << QStringLiteral("5.0E+03");
    QTest::newRow("axis 0") << 0.0 << axis << QStringLiteral("0.0E+00");

    const QString readout = QStringLiteral("##0.000");
    QTest::newRow("readout 1.5") << 1.5 << readout << QStringLiteral("1.500");
    QTest::newRow("readout -12.3456") << -12.3456 << readout << QStringLiteral("-12.346");
    QTest::newRow("readout 2") << 2.0 << readout << QStringLiteral("2.000");
    QTest::newRow("readout -999.9996") << -999.9996 << readout << QStringLiteral("-1000.000");
    QTest::newRow("readout 0.5") << 0.5 << readout << QStringLiteral("0.500");

    const QString scientific = QStringLiteral("0.000E+00");
    QTest::newRow("sci 12345") << 12345.0 << scientific << QStringLiteral("1.235E+04");
    QTest::newRow("sci 1234.5") << 1234.5 << scientific << QStringLiteral("1.235E+03");
    QTest::newRow("sci e^ln 20") << std::exp(std::log(20.0)) << scientific
                                 << QStringLiteral("2.000E+01");
    QTest::newRow("sci 12340") << 12340.0 << scientific << QStringLiteral("1.234E+04");
    QTest::newRow("sci 0.001234") << 0.001234 << scientific << QStringLiteral("1.234E-03");
    QTest::newRow("sci 0.05") << 0.05 << scientific << QStringLiteral("5.000E-02");
    QTest::newRow("sci 1500") << 1500.0 << scientific << QStringLiteral("1.500E+03");
    QTest::newRow("sci -1500") << -1500.0 << scientific << QStringLiteral("-1.500E+03");
    QTest::newRow("sci 1.5") << 1.5 << scientific << QStringLiteral("1.500E+00");
    QTest::newRow("sci -20") << -20.0 << scientific << QStringLiteral("-2.000E+01");

    const QString range = QStringLiteral("###0.0##");
    QTest::newRow("range 2.5") << 2.5 << range << QStringLiteral("2.5");
    QTest::newRow("range 1000") << 1000.0 << range << QStringLiteral("1000.0");
    QTest::newRow("range -1000") << -1000.0 << range << QStringLiteral("-1000.0");
    QTest::newRow("range -0.12345") << -0.12345 << range << QStringLiteral("-0.123");
    QTest::newRow("range 0") << 0.0 << range << QStringLiteral("0.0");
    QTest::newRow("range 0.1") << 0.1 << range << QStringLiteral("0.1");
    QTest::newRow("range 1.25") << 1.25 << range << QStringLiteral("1.25");
    QTest::newRow("range 3.14159") << 3.14159 << range << QStringLiteral("3.142");
    QTest::newRow("range 999.9996") << 999.9996 << range << QStringLiteral("1000.0");
    QTest::newRow("range 2.0004") << 2.0004 << range << QStringLiteral("2.0");

    QTest::newRow("list X 1.5") << 1.5 << QStringLiteral("  0.000E+00")
                                << QStringLiteral("  1.500E+00");
    QTest::newRow("list Y 20") << 20.0 << QStringLiteral("   0.000E+00")
                               << QStringLiteral("   2.000E+01");
}

void TextConvTest::formatGivesTheProgramsTexts() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumber(value, pattern), expected);
}

void TextConvTest::formatRoundsTheFifteenDigitFormHalfAwayFromZero_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    // Binary values: 0.125 exact; 2.675 and 1.005 lie below the tie, 1.0005 above; all of them
    // are ties at 15 digits.
    QTest::newRow("0.125") << 0.125 << QStringLiteral("0.00") << QStringLiteral("0.13");
    QTest::newRow("-0.125") << -0.125 << QStringLiteral("0.00") << QStringLiteral("-0.13");
    QTest::newRow("2.675") << 2.675 << QStringLiteral("0.00") << QStringLiteral("2.68");
    QTest::newRow("-2.675") << -2.675 << QStringLiteral("0.00") << QStringLiteral("-2.68");
    QTest::newRow("1.005") << 1.005 << QStringLiteral("0.00") << QStringLiteral("1.01");
    QTest::newRow("1.0005") << 1.0005 << QStringLiteral("0.000") << QStringLiteral("1.001");
    QTest::newRow("0.1005 optional")
        << 0.1005 << QStringLiteral("###0.0##") << QStringLiteral("0.101");
    QTest::newRow("0.5 integer") << 0.5 << QStringLiteral("00") << QStringLiteral("01");
    QTest::newRow("1.5 integer") << 1.5 << QStringLiteral("00") << QStringLiteral("02");
    QTest::newRow("2.5 integer") << 2.5 << QStringLiteral("00") << QStringLiteral("03");
    QTest::newRow("-2.5 integer") << -2.5 << QStringLiteral("00") << QStringLiteral("-03");
    QTest::newRow("1.25 mantissa") << 1.25 << QStringLiteral("0.0E+0") << QStringLiteral("1.3E+0");
    QTest::newRow("1234.5 mantissa")
        << 1234.5 << QStringLiteral("0.000E+00") << QStringLiteral("1.235E+03");
    QTest::newRow("below the tie")
        << 2.67499999999999 << QStringLiteral("0.00") << QStringLiteral("2.67");
    QTest::newRow("0.3 sum") << 0.1 + 0.2 << QStringLiteral("0.0000000000000000")
                             << QStringLiteral("0.3000000000000000");
    QTest::newRow("15 digits") << 123456789.123456789 << QStringLiteral("0.000000000")
                               << QStringLiteral("123456789.123457000");
    QTest::newRow("9.99996 carry")
        << 9.99996 << QStringLiteral("0.0000E+00") << QStringLiteral("1.0000E+01");
    QTest::newRow("9.99995 carry")
        << 9.99995 << QStringLiteral("0.0000E+00") << QStringLiteral("1.0000E+01");
    QTest::newRow("9.99994 no carry")
        << 9.99994 << QStringLiteral("0.0000E+00") << QStringLiteral("9.9999E+00");
    QTest::newRow("0.09999996 carry")
        << 0.09999996 << QStringLiteral("0.00000E+00") << QStringLiteral("1.00000E-01");
    QTest::newRow("9.96 carry label")
        << 9.96 << QStringLiteral("0.0E+0") << QStringLiteral("1.0E+1");
    QTest::newRow("99.5 integer carry") << 99.5 << QStringLiteral("00") << QStringLiteral("100");
    QTest::newRow("999.9995 fixed carry")
        << 999.9995 << QStringLiteral("##0.000") << QStringLiteral("1000.000");
    QTest::newRow("0.0005 to first place")
        << 0.0005 << QStringLiteral("##0.000") << QStringLiteral("0.001");
    QTest::newRow("0.00049 to zero")
        << 0.00049 << QStringLiteral("##0.000") << QStringLiteral("0.000");
}

void TextConvTest::formatRoundsTheFifteenDigitFormHalfAwayFromZero() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumber(value, pattern), expected);
}

void TextConvTest::formatPlacesSignsAndPatternParts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("negative zero exp")
        << -0.0 << QStringLiteral("0.00000E+00") << QStringLiteral("0.00000E+00");
    QTest::newRow("negative zero fixed")
        << -0.0 << QStringLiteral("##0.000") << QStringLiteral("0.000");
    QTest::newRow("rounds to zero")
        << -0.0004 << QStringLiteral("##0.000") << QStringLiteral("0.000");
    QTest::newRow("rounds to zero optional")
        << -0.0004 << QStringLiteral("###0.0##") << QStringLiteral("0.0");
    QTest::newRow("sign after blanks")
        << -1.5 << QStringLiteral("  0.000E+00") << QStringLiteral("  -1.500E+00");
    QTest::newRow("sign after three blanks")
        << -20.0 << QStringLiteral("   0.000E+00") << QStringLiteral("   -2.000E+01");
    QTest::newRow("literal suffix") << 2.5 << QStringLiteral("0.0 m") << QStringLiteral("2.5 m");
    QTest::newRow("exponent sign minus only")
        << 12.5 << QStringLiteral("0.0E-00") << QStringLiteral("1.3E01");
    QTest::newRow("exponent sign minus negative")
        << 0.05 << QStringLiteral("0.0E-00") << QStringLiteral("5.0E-02");
    QTest::newRow("lower-case e") << 12.5 << QStringLiteral("0.00e+00")
                                  << QStringLiteral("1.25e+01");
    QTest::newRow("three-digit exponent")
        << 1e-100 << QStringLiteral("0.00000E+00") << QStringLiteral("1.00000E-100");
    QTest::newRow("two integer places")
        << 12345.0 << QStringLiteral("00.0E+00") << QStringLiteral("12.3E+03");
    QTest::newRow("integer never cut")
        << 1234567.0 << QStringLiteral("0") << QStringLiteral("1234567");
    QTest::newRow("beyond 15 digits")
        << 1e20 << QStringLiteral("0") << QStringLiteral("100000000000000000000");
    QTest::newRow("hash integer") << 0.25 << QStringLiteral("#.00") << QStringLiteral(".25");
    QTest::newRow("point kept") << 5.0 << QStringLiteral("0.##") << QStringLiteral("5.");
    QTest::newRow("hash between") << 7.0 << QStringLiteral("0#0") << QStringLiteral("007");
    QTest::newRow("no number section") << 7.0 << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("empty pattern") << 2.5 << QString() << QStringLiteral("2.5");
    QTest::newRow("E without sign is literal")
        << 2.0 << QStringLiteral("0E0") << QStringLiteral("2E0");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("0.00")
                         << QStringLiteral("NaN");
    QTest::newRow("infinity") << inf << QStringLiteral("  0.000E+00")
                              << QStringLiteral("  Infinity");
    QTest::newRow("minus infinity")
        << -inf << QStringLiteral("0.000E+00") << QStringLiteral("-Infinity");
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << QStringLiteral("0.00000E+00")
        << QStringLiteral("1.79769E+308");
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << QStringLiteral("0.00000E+00")
        << QStringLiteral("4.94066E-324");
}

void TextConvTest::formatPlacesSignsAndPatternParts() {
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumber(value, pattern), expected);
}

// Values that are exactly a six-digit decimal (up to the binary rounding of the double) must
// show those digits; the expected texts are composed from the integers, not from the value.
void TextConvTest::formatMatchesTextsComposedFromIntegers() {
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 20000; ++trial) {
        const int mantissa = random->bounded(100000, 1000000);
        const int e = random->bounded(-99, 100);
        const bool negative = random->bounded(2) == 1;
        const QString digits = QString::number(mantissa);
        const double value = decimal(QStringLiteral("%1%2e%3")
                                         .arg(negative ? QStringLiteral("-") : QString())
                                         .arg(digits)
                                         .arg(e - 5));
        const QString expected = (negative ? QStringLiteral("-") : QString()) +
                                 pointAfterFirst(digits) + u'E' + exponentText(e, 2);
        QCOMPARE(FormatNumber(value, u"0.00000E+00"), expected);

        const int thousandths = random->bounded(-9999999, 10000000);
        const QString magnitude = QString::number(std::abs(thousandths)).rightJustified(4, u'0');
        const QString fixed = (thousandths < 0 ? QStringLiteral("-") : QString()) +
                              magnitude.left(magnitude.size() - 3) + u'.' + magnitude.right(3);
        QCOMPARE(FormatNumber(thousandths / 1000.0, u"##0.000"), fixed);
    }
}

// A tie written with at most 15 digits is a tie of the 15-digit form, whichever side of it the
// binary value lies: the shown digit always moves away from zero.
void TextConvTest::formatRoundsEveryTieAwayFromZero() {
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 20000; ++trial) {
        const qint64 kept = random->bounded(Q_INT64_C(-99999999), Q_INT64_C(100000000));
        const int decimals = random->bounded(0, 5);
        // kept + 0.5 units of the last shown place, as the decimal text "kept5e-(decimals+1)".
        const QString sign = kept < 0 ? QStringLiteral("-") : QString();
        const double value = decimal(sign + QString::number(std::abs(kept)) +
                                     QStringLiteral("5e-") + QString::number(decimals + 1));
        const qint64 away = std::abs(kept) + 1;
        QString magnitude = QString::number(away).rightJustified(decimals + 1, u'0');
        if (decimals > 0) magnitude.insert(magnitude.size() - decimals, u'.');
        const QString pattern =
            decimals > 0 ? QStringLiteral("0.") + QString(decimals, u'0') : QStringLiteral("0");
        const QString expected = sign + magnitude;
        QCOMPARE(FormatNumber(value, pattern), expected);
    }
}

void TextConvTest::parseTakesTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks") << QStringLiteral("   ") << 0.0;
    QTest::newRow("word") << QStringLiteral("abc") << 0.0;
    QTest::newRow("integer") << QStringLiteral("12") << 12.0;
    QTest::newRow("leading blanks") << QStringLiteral("  1.5") << 1.5;
    QTest::newRow("leading tab") << QStringLiteral("\t7") << 7.0;
    QTest::newRow("minus") << QStringLiteral("-2.5") << -2.5;
    QTest::newRow("plus") << QStringLiteral("+3") << 3.0;
    QTest::newRow("exponent E") << QStringLiteral("1E-2") << 0.01;
    QTest::newRow("exponent e") << QStringLiteral("1e+03") << 1000.0;
    QTest::newRow("axis text") << QStringLiteral("1.0E+02") << 100.0;
    QTest::newRow("axis text 1.0E00") << QStringLiteral("1.0E00") << 1.0;
    QTest::newRow("axis text negative exponent") << QStringLiteral("1.0E-03") << 0.001;
    QTest::newRow("exponent piece +02") << QStringLiteral("+02") << 2.0;
    QTest::newRow("exponent piece -02") << QStringLiteral("-02") << -2.0;
    QTest::newRow("exponent piece E00") << QStringLiteral("E00") << 0.0;
    QTest::newRow("range read-out") << QStringLiteral("1.234E+04") << 12340.0;
    QTest::newRow("exchange record") << QStringLiteral("-2.50000E+00") << -2.5;
    QTest::newRow("trailing text") << QStringLiteral("2.5abc") << 2.5;
    QTest::newRow("second point") << QStringLiteral("1.5.3") << 1.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("minus point") << QStringLiteral("-.5") << -0.5;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("point exponent") << QStringLiteral(".e5") << 0.0;
    QTest::newRow("E without digits") << QStringLiteral("1e") << 1.0;
    QTest::newRow("E sign without digits") << QStringLiteral("1e+") << 1.0;
    QTest::newRow("E then word") << QStringLiteral("2E+x") << 2.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 5") << 0.0;
    QTest::newRow("inner blank ends") << QStringLiteral("1 2") << 1.0;
    QTest::newRow("comma ends") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("not a number word") << QStringLiteral("nan") << 0.0;
    QTest::newRow("infinity word") << QStringLiteral("inf") << 0.0;
    QTest::newRow("hexadecimal") << QStringLiteral("0x10") << 0.0;
    QTest::newRow("correctly rounded") << QStringLiteral("0.1") << 0.1;
    QTest::newRow("many digits") << QStringLiteral("123456789012345678901234567890")
                                 << 1.2345678901234568e29;
    QTest::newRow("overflow") << QStringLiteral("1e400") << inf;
    QTest::newRow("negative overflow") << QStringLiteral("-1e400") << -inf;
    QTest::newRow("overflow by digits") << QStringLiteral("1") + QString(400, u'0') << inf;
    QTest::newRow("huge exponent") << QStringLiteral("1e99999999999999999999") << inf;
    QTest::newRow("underflow") << QStringLiteral("1e-400") << 0.0;
    QTest::newRow("underflow by zeros")
        << QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e50") << 0.0;
    QTest::newRow("small fraction large exponent") << QStringLiteral("0.001e310") << 1e307;
    QTest::newRow("zero huge exponent") << QStringLiteral("0e999") << 0.0;
    QTest::newRow("subnormal") << QStringLiteral("5e-324") << 5e-324;
    // What a user types with the input method left in full-width mode, and the marks it gives
    // for a minus: read as the ASCII number it shows.
    QTest::newRow("point") << QStringLiteral("１．５") << 1.5;
    QTest::newRow("digits") << QStringLiteral("１５") << 15.0;
    QTest::newRow("full-width minus") << QStringLiteral("－２") << -2.0;
    QTest::newRow("long-vowel mark") << QStringLiteral("ー２") << -2.0;
    QTest::newRow("half-width long-vowel mark") << QStringLiteral("ｰ2") << -2.0;
    QTest::newRow("minus sign") << QStringLiteral("\u2212２．５") << -2.5;
    QTest::newRow("hyphen") << QStringLiteral("\u2010７") << -7.0;
    QTest::newRow("plus") << QStringLiteral("＋３") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("１Ｅ－３") << 0.001;
    QTest::newRow("small e, long-vowel mark") << QStringLiteral("２ｅー２") << 0.02;
    QTest::newRow("exponent after a point") << QStringLiteral("５．Ｅ\u2212１") << 0.5;
    QTest::newRow("exponent sign plus") << QStringLiteral("１．２５Ｅ＋０２") << 125.0;
    QTest::newRow("ideographic space before") << QStringLiteral("\u3000\u3000１．５") << 1.5;
    QTest::newRow("mark after the space") << QStringLiteral("\u3000ー０．２５") << -0.25;
    QTest::newRow("leading point") << QStringLiteral("－．５") << -0.5;
    QTest::newRow("mixed widths") << QStringLiteral("1５.２5") << 15.25;
    // An ASCII mantissa whose exponent is decided by what follows it.
    QTest::newRow("ASCII e, full-width sign") << QStringLiteral("1e－３") << 0.001;
    QTest::newRow("ASCII e and sign, full-width digit") << QStringLiteral("2e-３") << 0.002;
    QTest::newRow("ASCII e, long-vowel mark") << QStringLiteral("1.5eー1") << 0.15;
    QTest::newRow("trailing text") << QStringLiteral("１２ａｂｃ") << 12.0;
    QTest::newRow("comma ends, as in ASCII") << QStringLiteral("１，５") << 1.0;
    QTest::newRow("mark inside is no sign") << QStringLiteral("２ー３") << 2.0;
    QTest::newRow("second mark is no sign") << QStringLiteral("ーー２") << 0.0;
    QTest::newRow("mark in a word") << QStringLiteral("データー１") << 0.0;
    QTest::newRow("E with no mantissa") << QStringLiteral("Ｅー３") << 0.0;
    QTest::newRow("E without digits") << QStringLiteral("１Ｅー") << 1.0;
    QTest::newRow("full-width letters") << QStringLiteral("ａｂｃ") << 0.0;
    // Forms that are no plain digits are not made digits: 10² stays 10, not 102.
    QTest::newRow("superscript") << QStringLiteral("10\u00B2") << 10.0;
    QTest::newRow("circled digit") << QStringLiteral("\u2460") << 0.0;
    QTest::newRow("fraction") << QStringLiteral("1\u00BD") << 1.0;
}

void TextConvTest::parseTakesTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ParseNumber(text), expected);
}

// What the windows write they read back: exchange records, read-outs and list texts.
void TextConvTest::parseReadsBackEveryFormattedText() {
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 5000; ++trial) {
        const double value =
            (random->generateDouble() - 0.5) * std::pow(10.0, random->bounded(-30, 31));
        const double exchange = ParseNumber(FormatNumber(value, u"0.00000E+00"));
        QVERIFY2(std::fabs(exchange - value) <= 5.000001e-6 * std::fabs(value),
                 qPrintable(QString::number(value, 'g', 17)));
        const double listed = ParseNumber(FormatNumber(value, u"  0.000E+00"));
        QVERIFY2(std::fabs(listed - value) <= 5.000001e-4 * std::fabs(value),
                 qPrintable(QString::number(value, 'g', 17)));
    }
}

// Any text of number characters, written in full-width forms with its blanks as ideographic
// spaces and each "-" as any of the marks typed for a minus, reads as the ASCII text does: a
// mark that is no sign ends the number just as the "-" it replaces does.
void TextConvTest::fullWidthTextsReadAsTheAsciiTextsTheyStandFor() {
    const char16_t minusMarks[] = {u'\uFF0D', u'\u2212', u'\u30FC', u'\uFF70', u'\u2010'};
    const char alphabet[] = "0123456789..+--eE ";
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 20000; ++trial) {
        QString ascii, wide;
        const int length = random->bounded(1, 12);
        for (int k = 0; k < length; ++k) {
            const char c = alphabet[random->bounded(int(sizeof alphabet - 1))];
            ascii += QLatin1Char(c);
            // Each character may stay ASCII, so that both widths mix.
            if (c == '-')
                wide += QChar(minusMarks[random->bounded(int(std::size(minusMarks)))]);
            else if (random->bounded(4) == 0)
                wide += QLatin1Char(c);
            else
                wide += c == ' ' ? QChar(u'\u3000') : QChar(char16_t(c - 0x20 + 0xFF00));
        }
        QVERIFY2(ParseNumber(wide) == ParseNumber(ascii), qPrintable(ascii + u'|' + wide));
    }
}

void TextConvTest::decimalNumberIsTheWholeText() {
    const std::pair<const char*, bool> cases[] = {
        {"1.50", true}, {"-.5", true},   {"+1E+2", true}, {"5.", true},    {"1e3", true},
        {"0", true},    {"", false},     {" 1", false},   {"1 ", false},   {"1e", false},
        {"1e+", false}, {".", false},    {"-", false},    {"1.5x", false}, {"1,5", false},
        {"１", false},  {"1.5.", false}, {"abc", false},  {"e5", false}};
    for (auto [text, whole] : cases) {
        double value = 0;
        QVERIFY2(ReadDataNumber(QString::fromUtf8(text), value) == whole, text);
    }
}

void TextConvTest::generalTextGivesTheProgramsTexts_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("2.5") << 2.5 << QStringLiteral("2.5");
    QTest::newRow("-40") << -40.0 << QStringLiteral("-40");
    QTest::newRow("10") << 10.0 << QStringLiteral("10");
    QTest::newRow("100") << 100.0 << QStringLiteral("100");
    QTest::newRow("0.1") << 0.1 << QStringLiteral("0.1");
    QTest::newRow("-0.25") << -0.25 << QStringLiteral("-0.25");
    QTest::newRow("123456.789") << 123456.789 << QStringLiteral("123456.789");
    QTest::newRow("0.0001 ordinary") << 0.0001 << QStringLiteral("0.0001");
    QTest::newRow("0.00012 ordinary") << 0.00012 << QStringLiteral("0.00012");
    QTest::newRow("1E-05") << 0.00001 << QStringLiteral("1E-05");
    QTest::newRow("9.9999E-05") << 0.000099999 << QStringLiteral("9.9999E-05");
    QTest::newRow("-1.25E-07") << -1.25e-7 << QStringLiteral("-1.25E-07");
    QTest::newRow("largest ordinary") << 999999999999999.0 << QStringLiteral("999999999999999");
    QTest::newRow("1E+15") << 1e15 << QStringLiteral("1E+15");
    QTest::newRow("1.5E+15") << 1.5e15 << QStringLiteral("1.5E+15");
    QTest::newRow("rounds up to E") << 999999999999999.9 << QStringLiteral("1E+15");
    QTest::newRow("rounds up to ordinary") << 0.00009999999999999999 << QStringLiteral("0.0001");
    QTest::newRow("1E+100") << 1e100 << QStringLiteral("1E+100");
    QTest::newRow("1E-100") << 1e-100 << QStringLiteral("1E-100");
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("1/3") << 1.0 / 3.0 << QStringLiteral("0.333333333333333");
    QTest::newRow("2/3") << 2.0 / 3.0 << QStringLiteral("0.666666666666667");
    QTest::newRow("single 1.1") << static_cast<double>(1.1f) << QStringLiteral("1.10000002384186");
    QTest::newRow("ln 10") << std::log(10.0) << QStringLiteral("2.30258509299405");
    QTest::newRow("large integer")
        << 123456789012345678.0 << QStringLiteral("1.23456789012346E+17");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("NaN");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                              << QStringLiteral("Infinity");
}

void TextConvTest::generalTextGivesTheProgramsTexts() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(GeneralNumberText(value), expected);
}

// Any double written with at most 15 significant digits comes back as a text that reads back to
// it, with no more digits than it was written with, in E notation exactly outside [1E-4, 1E15).
void TextConvTest::generalTextIsShortestAndReadsBack() {
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 20000; ++trial) {
        const int length = random->bounded(1, 16);
        QString digits;
        for (int k = 0; k < length; ++k)
            digits += QChar(u'0' + random->bounded(k == 0 ? 1 : 0, 10));
        const int e = random->bounded(-40, 41);
        const bool negative = random->bounded(2) == 1;
        const QString written = (negative ? QStringLiteral("-") : QString()) +
                                pointAfterFirst(digits) + QStringLiteral("e") + QString::number(e);
        const double value = decimal(written);
        const QString text = GeneralNumberText(value);
        QVERIFY2(text.toDouble() == value, qPrintable(written + QStringLiteral(" -> ") + text));
        QVERIFY2(ParseNumber(text) == value, qPrintable(written + QStringLiteral(" -> ") + text));
        QVERIFY2(significantDigits(text) <= significantDigits(pointAfterFirst(digits)),
                 qPrintable(written + QStringLiteral(" -> ") + text));
        const bool exponentForm = std::fabs(value) < 1e-4 || std::fabs(value) >= 1e15;
        QVERIFY2(text.contains(u'E') == exponentForm,
                 qPrintable(written + QStringLiteral(" -> ") + text));
    }
}

// Doubles from random bits: at most 15 digits, exact when a shortest text of at most 15 digits
// exists, otherwise within half a unit of the 15th digit.
void TextConvTest::generalTextOfAnyDoubleHasAtMostFifteenDigits() {
    auto* random = QRandomGenerator::global();
    for (int trial = 0; trial < 20000; ++trial) {
        const quint64 bits = random->generate64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        const QString text = GeneralNumberText(value);
        QVERIFY2(significantDigits(text) <= 15, qPrintable(text));
        char shortest[40];
        const auto end = std::to_chars(shortest, shortest + sizeof shortest, value,
                                       std::chars_format::scientific);
        const QString reference = QString::fromLatin1(shortest, end.ptr - shortest);
        const double back = text.toDouble();
        if (significantDigits(reference.section(u'e', 0, 0)) <= 15) {
            QVERIFY2(back == value, qPrintable(reference + QStringLiteral(" -> ") + text));
        } else {
            // Half a unit of the 15th digit, and the rounding of reading the text back.
            const double ulp = std::fabs(std::nextafter(value, 0.0) - value);
            QVERIFY2(std::fabs(back - value) <= 5e-15 * std::fabs(value) + 2 * ulp,
                     qPrintable(reference + QStringLiteral(" -> ") + text));
        }
    }
}

QTEST_APPLESS_MAIN(TextConvTest)
#include "textconv_test.moc"
