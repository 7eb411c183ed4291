// The data number of data files and saved tables: which texts are one, the values read, the
// typed texts of the number boxes, the agreement with Qt's own reading on many generated texts,
// and the saved table's rows read with it (what a row may hold and what is refused).
#include "datanumber.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "savedtable.h"

namespace {
bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A saved Linear - Linear file whose table holds the one row given.
QByteArray fileWithRow(const QByteArray& row) {
    return " 1 \r\n0\r\n10\r\n1\r\n0\r\n10\r\n1\r\n 1 \r\n" + row +
           "\r\n 1 \r\n+1.00000E+00,  +2.00000E+00\r\n";
}
}  // namespace

class DataNumberTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheNumbersOfTheDataFormat() {
        const double inf = HUGE_VAL;
        struct Case {
            const char* text;
            bool number;
            double value;
            bool inRange;
        };
        const Case cases[] = {
            {"10", true, 10, true},
            {"-2.5", true, -2.5, true},
            {"+1.50000E+00", true, 1.5, true},
            {"1e-2", true, 0.01, true},
            {"5.", true, 5, true},
            {"-.25e1", true, -2.5, true},
            {"4.9E-324", true, 4.9406564584124654e-324, true},
            // Beyond the doubles: infinity above, 0 below, both out of range.
            {"-1E400", true, -inf, false},
            {"1E-400", true, 0, false},
            // Not one number.
            {"", false, 0, false},
            {".", false, 0, false},
            {"1E+", false, 0, false},
            {" 1", false, 0, false},
            {"1,5", false, 0, false},
            {"inf", false, 0, false},
            {"１", false, 0, false},
        };
        for (const Case& c : cases) {
            double value = -99;
            bool inRange = !c.inRange;
            const QString text = QString::fromUtf8(c.text);
            QCOMPARE(ReadDataNumber(text, value, &inRange), c.number);
            if (!c.number) continue;
            QVERIFY2(value == c.value && std::signbit(value) == std::signbit(c.value), c.text);
            QCOMPARE(inRange, c.inRange);
        }
        double zero = 1;
        QVERIFY(ReadDataNumber(u"-0", zero));
        QVERIFY(zero == 0 && std::signbit(zero));
    }

    // Every number box reads its text so: one number of the data files, blanks around it, the
    // full-width forms as their ASCII twins; anything else is refused.
    void typedTextsAreOneNumberOrRefused() {
        const char* const numbers[] = {
            "10", "  -2.5\t", "1e-2", "１．５", "ー２", "0e-400", "\u3000１Ｅ－３\u3000"};
        const double values[] = {10, -2.5, 0.01, 1.5, -2, 0, 0.001};
        for (int i = 0; i < 7; ++i) {
            double value = -99;
            QVERIFY2(ReadTypedNumber(QString::fromUtf8(numbers[i]), value) == TypedNumber::Number,
                     numbers[i]);
            QVERIFY2(value == values[i], numbers[i]);
        }
        const std::pair<TypedNumber, std::vector<const char*>> refused[] = {
            {TypedNumber::Empty, {"", " \u3000 "}},
            {TypedNumber::NotANumber,
             {"abc", "1,000", "１Ｅ", "12abc", "1 2", "1.5.", "inf", "0x10", "10\u00B2"}},
            {TypedNumber::OutOfRange, {"1e400", "-1E400", "1e-400"}},
        };
        for (const auto& [read, texts] : refused)
            for (const char* text : texts) {
                double value = -99;
                QVERIFY2(ReadTypedNumber(QString::fromUtf8(text), value) == read, text);
                QVERIFY2(value == -99, text);  // the value is set for a number only
            }
    }

    void agreesWithQtsReadingOnGeneratedTexts() {
        // Texts from the characters a number is made of, and a few others: each is a number
        // exactly when it matches the format's pattern, and then reads as Qt reads it.
        const QRegularExpression pattern(
            QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
        const QString alphabet = QStringLiteral("0123456789012345678999.+-eE ,x");
        QRandomGenerator random(17);
        int numbers = 0;
        for (int n = 0; n < 200000; ++n) {
            QString text;
            const int length = int(random.bounded(1, 26));
            for (int k = 0; k < length; ++k) text += alphabet[int(random.bounded(alphabet.size()))];
            if (n % 3 == 0)
                text = QStringLiteral("%1.%2E%3")
                           .arg(random.bounded(100000))
                           .arg(random.bounded(100000))
                           .arg(int(random.bounded(700)) - 350);
            double value = 0;
            bool inRange = false;
            const bool number = ReadDataNumber(text, value, &inRange);
            QVERIFY2(number == pattern.match(text).hasMatch(), qPrintable(text));
            if (!number) continue;
            ++numbers;
            bool ok = false;
            const double qt = text.toDouble(&ok);
            QVERIFY2(sameBits(value, qt), qPrintable(text));
            QVERIFY2(inRange == ok, qPrintable(text));
        }
        QVERIFY(numbers > 70000);
    }

    void savedRowsAreTwoFiniteNumbersAroundAComma() {
        struct Case {
            const char* row;
            double x, y;  // NaN: the row is refused
        };
        const double refused = std::nan("");
        const Case cases[] = {
            {"+1.50000E+00,  -2.50000E-01", 1.5, -0.25},
            {" \t1.\v,\f.5 \t", 1, 0.5},
            {"1E-400, 2", 0, 2},
            {",2", refused, 0},
            {"1 2", refused, 0},
            {"1,2,3", refused, 0},
            {"1E400, 2", refused, 0},
            {"nan, 2", refused, 0},
            {"１,2", refused, 0},
            {"\u00a01,2", refused, 0},
        };
        for (const Case& c : cases) {
            SavedTable t;
            const SavedTableStatus s = ParseSavedTable(fileWithRow(QByteArray(c.row)), t);
            if (std::isnan(c.x)) {
                QVERIFY2(s.fault == SavedTableFault::BadPair && s.line == 9, c.row);
                continue;
            }
            QVERIFY2(s.ok(), c.row);
            QCOMPARE(t.plainX[1], c.x);
            QCOMPARE(t.plainY[1], c.y);
        }
    }
};

QTEST_GUILESS_MAIN(DataNumberTest)
#include "datanumber_test.moc"
