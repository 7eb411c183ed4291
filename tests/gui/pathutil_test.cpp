// Tests of the path joining rule and of today's date text.
#include "pathutil.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include "dates.h"

class PathUtilTest : public QObject {
    Q_OBJECT

private slots:
    void joinNeverDoublesTheSeparator_data();
    void joinNeverDoublesTheSeparator();
    void todayIsMonthDayYear();
};

void PathUtilTest::joinNeverDoublesTheSeparator_data() {
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");  // in "/" form; compared in the platform's form
    QTest::newRow("file-system root")
        << QStringLiteral("/") << QStringLiteral("run1") << QStringLiteral("/run1");
    QTest::newRow("directory") << QStringLiteral("/home/user/data") << QStringLiteral("run1-Sp.csv")
                               << QStringLiteral("/home/user/data/run1-Sp.csv");
    QTest::newRow("trailing separator") << QStringLiteral("/home/user/") << QStringLiteral("a.csv")
                                        << QStringLiteral("/home/user/a.csv");
    QTest::newRow("drive root") << QStringLiteral("C:/") << QStringLiteral("run1-Sp.csv")
                                << QStringLiteral("C:/run1-Sp.csv");
    QTest::newRow("drive directory") << QStringLiteral("C:/data") << QStringLiteral("run1.bmp")
                                     << QStringLiteral("C:/data/run1.bmp");
    QTest::newRow("native separator at the end")
        << QDir::toNativeSeparators(QStringLiteral("/home/")) << QStringLiteral("x")
        << QStringLiteral("/home/x");
    QTest::newRow("no directory") << QString() << QStringLiteral("B2F.dat")
                                  << QStringLiteral("B2F.dat");
    QTest::newRow("Japanese name") << QStringLiteral("/tmp") << QStringLiteral("データ.csv")
                                   << QStringLiteral("/tmp/データ.csv");
}

void PathUtilTest::joinNeverDoublesTheSeparator() {
    QFETCH(QString, directory);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(JoinPath(directory, name), QDir::toNativeSeparators(expected));
}

void PathUtilTest::todayIsMonthDayYear() {
    const QDate before = QDate::currentDate();
    const QString text = TodayText();
    const QDate after = QDate::currentDate();
    QVERIFY2(
        QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d\\d\\d\\d$")).match(text).hasMatch(),
        qPrintable(text));
    QVERIFY2(text == monthDayYear(before) || text == monthDayYear(after), qPrintable(text));
}

QTEST_APPLESS_MAIN(PathUtilTest)
#include "pathutil_test.moc"
