// A monkey over every window: thousands of random but reproducible events from the title window
// on (clicks on enabled buttons, options and list items, hostile texts with Enter, mouse moves
// over the graphs, keys in the engine console), with the invariants of the windows' values checked after
// every one. NODARA_MONKEY_SEED and NODARA_MONKEY_EVENTS override the seed and the length;
// NODARA_MONKEY_LOG prints every event.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QUrl>
#include <functional>
#include <random>

#include "engineconsole.h"
#include "filelists.h"
#include "form11.h"
#include "form6.h"
#include "form8.h"
#include "graphsettings.h"
#include "guitest.h"
#include "picturebox.h"
#include "readout.h"
#include "savedtable.h"
#include "savefile.h"
#include "scalemode.h"
#include "state.h"
#include "tabtext.h"

namespace {

// Texts a user might type, and some no user should.
const QStringList kTexts = {
    QString(),
    QStringLiteral("0"),
    QStringLiteral("1"),
    QStringLiteral("-1"),
    QStringLiteral("10"),
    QStringLiteral("0.05"),
    QStringLiteral("1e+03"),
    QStringLiteral("1e400"),
    QStringLiteral("-1e400"),
    QStringLiteral("1e-320"),
    QStringLiteral("3.4e38"),
    QStringLiteral("NaN"),
    QStringLiteral("abc"),
    QStringLiteral("１２３"),
    QStringLiteral("テスト"),
    QStringLiteral("1,2"),
    QStringLiteral("1,000"),
    QStringLiteral("１Ｅ"),
    QStringLiteral("1e-400"),
    QStringLiteral("2 3"),
    QStringLiteral("   5"),
    QStringLiteral("run1"),
    QStringLiteral("a/b"),
    QStringLiteral("\t\x01\x1b[2J"),
    QString(5000, QLatin1Char('9')),
};

// Tables the stand-in engine may leave behind: good ones, and the ways a run can fail.
const QByteArray kTables[] = {
    "     3\r\n  .100000E+01  .200000E+01\r\n  .200000E+01  .300000E+01\r\n"
    "  .300000E+01  .250000E+01\r\n",
    "     2\r\n -.500000E+00  .100000E+01\r\n  .400000E+01  .900000E+02\r\n",
    "",
    "     5\r\n  .100000E+01  .200000E+01\r\n",
    "     2\r\n  abc def\r\n  .1E+01\r\n",
};

// The main window's table and its data points, as fingerprints that any change of a row alters.
QByteArray fingerprint(int count, const double x[], const double y[]) {
    QByteArray b = QByteArray::number(count);
    b.append(reinterpret_cast<const char*>(x), qsizetype(sizeof(double)) * (count + 1));
    b.append(reinterpret_cast<const char*>(y), qsizetype(sizeof(double)) * (count + 1));
    return b;
}
TableView mainRowsInUse() {
    const std::optional<ComputedTable>& t = form1()->computedTable();
    return t ? t->rows.view() : TableView{};
}
QByteArray mainTable() {
    const TableView t = mainRowsInUse();
    return t.count > 0 ? fingerprint(t.count, t.x, t.y) : QByteArray("0");
}
QByteArray dataPoints() {
    const DataPoints& p = form1()->dataPoints();
    return fingerprint(p.DataCount, p.DataX, p.DataY);
}

bool ascending(int count, const double x[]) {
    for (int i = 2; i <= count; ++i)
        if (x[i] < x[i - 1]) return false;
    return true;
}

}  // namespace

class MonkeyTest : public ProgramSuite {
    Q_OBJECT
    std::mt19937 rng;
    QStringList log;
    bool realEngine = false;
    // When each button (window.button) was last enabled, and which were enabled before the
    // last event: a button that has just been enabled is the likely next step, and is pressed
    // more often, so that runs reach the later windows.
    QHash<QString, int> enabledAt;
    QSet<QString> enabledBefore;

    void populate(const WorkDir& work) override {
        for (const QString& name :
             QDir(QStringLiteral(NODARA_EXAMPLES_DIR)).entryList({QStringLiteral("ex_*")}))
            QFile::copy(QStringLiteral(NODARA_EXAMPLES_DIR "/") + name, work.file(name));
        work.write(QStringLiteral("pts.csv"), "3,30\r\n1,10\r\n2,-5\r\n2,7\r\n");
        work.write(QStringLiteral("bad.dat"), "1 2 3\r\n");
        work.write(QStringLiteral("neg.dat"), "-1 -2\r\n0 0\r\n");
        QVERIFY(mkfifo(work.file(QStringLiteral("pipe.csv")).toLocal8Bit().constData(), 0600) == 0);
    }

    // Files a user may drop on the main window: data files, files it cannot take (a bad line,
    // a pipe, an exchange file, a name that is not there).
    static const QStringList& dropNames() {
        static const QStringList names = {
            QStringLiteral("ex_linear.csv"), QStringLiteral("ex_growth.dat"),
            QStringLiteral("pts.csv"),       QStringLiteral("bad.dat"),
            QStringLiteral("neg.dat"),       QStringLiteral("pipe.csv"),
            QStringLiteral("B2F.dat"),       QStringLiteral("gone.csv")};
        return names;
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    template <typename T>
    QList<T*> usable(QWidget* window) {
        QList<T*> found;
        for (T* w : window->findChildren<T*>())
            if (w->isVisible() && w->isEnabled()) found.append(w);
        return found;
    }

    // One random event on a random visible window; returns what it did.
    QString act() {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) windows.append(w);
        if (windows.isEmpty()) {  // the program was ended: start it again
            ShutdownNodara();
            StartNodara();
            return QStringLiteral("restart");
        }
        std::sort(windows.begin(), windows.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        QWidget* window = windows[pick(int(windows.size()))];
        const QString where = window->objectName() + QLatin1Char('.');

        if (auto* console = qobject_cast<EngineConsole*>(window)) {
            QTest::keyClick(console, pick(3) == 0 ? Qt::Key_A : Qt::Key_Return);
            return where + QStringLiteral("key");
        }

        // Every action the window offers now, buttons several times over so that a pass
        // through the windows gets somewhere between the typing and the mouse moves.
        QList<std::function<QString()>> actions;
        for (QAbstractButton* b : usable<QAbstractButton>(window)) {
            const auto click = [this, b, where] {
                if (!realEngine) dir->write(QStringLiteral("table.txt"), kTables[pick(5)]);
                const QString name = b->objectName();
                b->click();
                return where + name + QStringLiteral(" click");
            };
            const bool fresh = log.size() - enabledAt.value(where + b->objectName(), -99) < 10;
            for (int w = fresh ? 40 : 3; w > 0; --w) actions << click;
        }
        for (QLineEdit* field : usable<QLineEdit>(window))
            actions << [this, field, where] {
                const QString text = kTexts[pick(int(kTexts.size()))];
                const QString name = field->objectName();
                field->setText(text);
                if (pick(2) == 0) QTest::keyClick(field, Qt::Key_Return);
                return where + name + QStringLiteral(" \"%1\"").arg(text.left(12));
            };
        // File lists; directory lists are left alone, so that nothing is ever saved outside
        // the working directory.
        for (QListWidget* list : usable<QListWidget>(window))
            if (list->count() > 0 && !qobject_cast<DirListBox*>(list)) {
                const auto click = [this, list, where] {
                    QListWidgetItem* item = list->item(pick(list->count()));
                    list->scrollToItem(item);
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(item).center());
                    return where + list->objectName() + QStringLiteral(" item ") + item->text();
                };
                actions << click << click << click;
            }
        for (PictureBox* p : usable<PictureBox>(window)) {
            const auto move = [this, p, where] {
                const QPoint pixel(pick(p->image().width()), pick(p->image().height()));
                moveMouse(p, pixel);
                return where + p->objectName() +
                       QStringLiteral(" move %1,%2").arg(pixel.x()).arg(pixel.y());
            };
            actions << move << move;
        }
        if (window == form1() && form1()->inputMethodOkButton->isEnabled())
            actions << [this, where] {
                const QString name = dropNames()[pick(int(dropNames().size()))];
                QMimeData mime;
                mime.setUrls({QUrl::fromLocalFile(dir->file(name))});
                QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                                Qt::NoModifier);
                QApplication::sendEvent(form1(), &drop);
                return where + QStringLiteral("drop ") + name;
            };
        if (auto* copy = window->findChild<QAction*>(QStringLiteral("CopyData"));
            copy && window->isVisible())
            actions << [copy, where] {
                QGuiApplication::clipboard()->clear();  // a disabled copy leaves it empty
                copy->trigger();
                return where + QStringLiteral("CopyData");
            };
        if (QWidget* focus = window->focusWidget())
            actions << [focus, where] {
                const QString name = focus->objectName();
                QTest::keyClick(focus, Qt::Key_Return);
                return where + name + QStringLiteral(" Enter");
            };
        if (actions.isEmpty()) return where + QStringLiteral("nothing");
        return actions[pick(int(actions.size()))]();
    }

    void noteEnabledButtons() {
        QSet<QString> now;
        for (QWidget* w : QApplication::topLevelWidgets())
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (!b->isEnabled()) continue;
                const QString key = w->objectName() + QLatin1Char('.') + b->objectName();
                now.insert(key);
                if (!enabledBefore.contains(key)) enabledAt[key] = int(log.size());
            }
        // Buttons enabled from the start are no step of a pass.
        if (log.isEmpty()) enabledAt.clear();
        enabledBefore = now;
    }

    // What must hold after every event; an empty text when it does.
    static QString broken() {
        const int count = form1()->dataPoints().DataCount;
        if (count < 0 || count > kDataLimit) return QStringLiteral("the count of points");
        const TableView t = mainRowsInUse();
        if (t.count < 0 || t.count > kTableCapacity) return QStringLiteral("the count of rows");
        if (!ascending(t.count, t.x)) return QStringLiteral("a table out of order in use");
        if (form1()->computedTable() && !form1()->drawnGraph())
            return QStringLiteral("a table without its graph");
        return {};
    }

    // Each graph window owns its table: an event in one window's part of the program leaves the
    // other's table as it was.
    static QString tablesMixed(const QString& event, const QByteArray& mainBefore,
                               const std::shared_ptr<const ViewedTable>& viewerBefore) {
        const QString window = event.section(QLatin1Char('.'), 0, 0);
        const bool viewerSide = window == u"Form6" || window == u"Form8";
        const bool mainSide = window == u"Form1" || window == u"Form4" || window == u"Form7" ||
                              window == u"Form10" || window == u"Form11";
        if (viewerSide && mainTable() != mainBefore)
            return QStringLiteral("the viewer changed the main window's table");
        if (mainSide && form6()->shown() != viewerBefore)
            return QStringLiteral("the main window changed the viewer's table");
        return {};
    }

    // Every saved table written since the last look reads back through the viewer's reader.
    QHash<QString, QDateTime> savedSeen;
    QString savedTableUnreadable() {
        const QFileInfoList files =
            QDir(dir->path()).entryInfoList({QStringLiteral("*Sp.csv")}, QDir::Files);
        for (const QFileInfo& file : files) {
            if (savedSeen.value(file.fileName()) == file.lastModified()) continue;
            savedSeen[file.fileName()] = file.lastModified();
            const FileBytes bytes = ReadFileBytes(file.filePath());
            SavedTable table;
            const SavedTableStatus status =
                bytes.ok() ? ParseSavedTable(bytes.bytes, table) : SavedTableStatus{};
            if (!bytes.ok() || !status.ok())
                return QStringLiteral("the saved table %1 does not read back: %2")
                    .arg(file.fileName(), bytes.ok() ? SavedTableFaultText(status) : bytes.problem);
        }
        return {};
    }

    // The rows of a table as its read-out shows them, "X|Y", made once per table and graph.
    struct RowTexts {
        QByteArray of;
        QSet<QString> pairs;
    } mainRows, viewerRows;

    // Empty when a graph window's read-out (the texts of its two labels) is a row of the table
    // the window uses, or shows nothing; else what is wrong, naming the window.
    static QString offTheTable(QLatin1StringView window, QLabel* xText, QLabel* yText,
                               RowTexts& rows, const GraphSettings* graph, const TableView& table) {
        const QString pair = xText->text() + QLatin1Char('|') + yText->text();
        if (pair == u"|") return {};
        if (!graph) return QStringLiteral("%1 reads out without a table in use").arg(window);
        const QByteArray of =
            fingerprint(table.count, table.x, table.y) + QByteArray::number(graph->mode);
        if (of != rows.of) {
            rows.of = of;
            rows.pairs.clear();
            const GraphMapping mapping = MappingFor(*graph);
            for (int i = 1; i <= table.count; ++i) {
                const ReadOut r = PointReadOut(mapping, table.x[i], table.y[i]);
                rows.pairs.insert(r.xText + QLatin1Char('|') + r.yText);
            }
        }
        if (rows.pairs.contains(pair)) return {};
        return QStringLiteral("%1 reads out %2, no row of its table").arg(window, pair);
    }

    QString readOutOffTheCurve() {
        const std::optional<ComputedTable>& table = form1()->computedTable();
        QString fault = offTheTable(QLatin1StringView("the main window"), control<QLabel>(form1(), "Label27"),
                                    control<QLabel>(form1(), "Label28"), mainRows, table ? &table->graph : nullptr,
                                    mainRowsInUse());
        if (!fault.isEmpty()) return fault;
        const auto shown = form6()->shown();
        return offTheTable(QLatin1StringView("the viewer"), control<QLabel>(form6(), "Label7"),
                           control<QLabel>(form6(), "Label8"), viewerRows,
                           shown ? &shown->graph : nullptr,
                           shown ? shown->rows.view() : TableView{});
    }

    // What the main window's データをコピー put on the clipboard is the table データ保存 writes,
    // as that file reads back.
    static QString copiedTableDiffers() {
        const QString copied = QGuiApplication::clipboard()->text();
        if (copied.isEmpty()) return {};  // nothing to copy
        const std::optional<ComputedTable>& table = form1()->computedTable();
        if (!table) return QStringLiteral("a table copied without a table");
        SavedTable file;
        if (!ParseSavedTable(SavedTableText(ResultToSave(*table)), file).ok())
            return QStringLiteral("the table to save does not read back");
        if (copied != TableTabText(file.tableCount, file.plainX.data(), file.plainY.data()))
            return QStringLiteral("the copied table is not the table データ保存 writes");
        return {};
    }

    // A file reported saved holds what its window shows: a picture the picture of a graph
    // window, an equal-interval table the rows of the equal-interval list.
    static QString savedFileDiffers(const QString& report) {
        const QStringList lines = report.split(QLatin1Char('\n'));
        if (lines.size() != 2 || !QFileInfo(lines[1]).isFile()) return {};
        const QString path = lines[1];
        if (path.endsWith(u".bmp") || path.endsWith(u".png")) {
            const QImage saved = QImage(path).convertToFormat(QImage::Format_RGB32);
            for (PictureBox* p : {form1()->graphPicture, form6()->graphPicture})
                if (p->image().convertToFormat(QImage::Format_RGB32) == saved) return {};
            return QStringLiteral("the picture saved as %1 is no graph on screen").arg(path);
        }
        if (report.startsWith(QStringLiteral(" 等間隔データを保存しました"))) {
            QStringList listed, written;
            for (int i = 0; i < form8()->valuesList->count(); ++i)
                listed << form8()->valuesList->item(i)->text().simplified();
            const FileBytes bytes = ReadFileBytes(path);
            for (const QByteArray& line : bytes.bytes.split('\n'))
                if (!line.trimmed().isEmpty())
                    written << QString::fromUtf8(line).remove(QLatin1Char(',')).simplified();
            if (listed != written)
                return QStringLiteral("the equal-interval file %1 is not the list").arg(path);
        }
        return {};
    }

    // The data points while they are the main window's input, typed by hand, in no saved table.
    // (Points given up in hand entry are kept there for its next opening.)
    static QByteArray typedPoints() {
        if (!form1()->holdsTypedPoints() || form1()->dataList->count() == 0) return {};
        return dataPoints();
    }

    // The graph drawn has sound axis settings.
    static QString axesBroken() {
        const std::optional<GraphSettings>& g = form1()->drawnGraph();
        if (!g) return {};
        if (!(g->xStart < g->xEnd && g->yStart < g->yEnd && g->xStep > 0 && g->yStep > 0))
            return QStringLiteral("axis ranges");
        if ((IsLogX(g->mode) && g->xStart <= 0) || (IsLogY(g->mode) && g->yStart <= 0))
            return QStringLiteral("logarithmic axis start");
        return {};
    }

    void run(unsigned seed, int events) {
        rng.seed(seed);
        log.clear();
        enabledAt.clear();
        enabledBefore.clear();
        qInfo("monkey seed %u, %d events, %s engine", seed, events,
              realEngine ? "real" : "stand-in");
        MessageRecorder boxes;
        BeepCounter beeps;
        savedSeen.clear();
        mainRows = viewerRows = {};
        bool letGo = false;  // a question about typed points was answered はい
        for (int k = 0; k < events; ++k) {
            const bool commandOneWasEnabled = form1()->drawPointsButton->isEnabled();
            const qsizetype boxesBefore = boxes.boxes.size();
            const QByteArray mainBefore = mainTable();
            const std::shared_ptr<const ViewedTable> viewerBefore = form6()->shown();
            const QByteArray typedBefore = typedPoints();
            boxes.answer = pick(2) == 0;  // はい or いいえ to any question, a replace among them
            noteEnabledButtons();
            log.append(act());
            QString fault = broken();
            for (qsizetype b = boxesBefore; b < boxes.boxes.size(); ++b) {
                if (boxes.boxes[b].icon == QMessageBox::Question && boxes.answer) letGo = true;
                if (fault.isEmpty()) fault = savedFileDiffers(boxes.boxes[b].text);
            }
            if (typedBefore.isEmpty() && !typedPoints().isEmpty()) letGo = false;
            // No typed point goes unless the user let go of it: by a question answered はい, by
            // Reset, or in hand entry itself.
            if (fault.isEmpty() && !typedBefore.isEmpty() && dataPoints() != typedBefore &&
                !letGo && !log.last().startsWith(u"Form11.") &&
                log.last() != u"Form1.Command7 click" && log.last() != u"restart")
                fault = QStringLiteral("points typed by hand were lost without a question");
            if (fault.isEmpty()) fault = readOutOffTheCurve();
            if (fault.isEmpty() && log.last() == u"Form1.CopyData") fault = copiedTableDiffers();
            if (fault.isEmpty()) fault = tablesMixed(log.last(), mainBefore, viewerBefore);
            if (fault.isEmpty()) fault = savedTableUnreadable();
            // A data-point graph drawn without a message: its settings were accepted.
            if (fault.isEmpty() && commandOneWasEnabled && form1()->calculateButton->isEnabled() &&
                !form1()->drawPointsButton->isEnabled() && boxes.boxes.size() == boxesBefore &&
                log.last().endsWith(QStringLiteral("Command1 click")))
                fault = axesBroken();
            if (!fault.isEmpty()) {
                qWarning("seed %u, after event %d: %s. Events:\n%s", seed, k + 1, qPrintable(fault),
                         qPrintable(log.join(QLatin1Char('\n'))));
                QFAIL("an invariant is broken");
            }
        }
        if (qEnvironmentVariableIsSet("NODARA_MONKEY_LOG"))
            qInfo("%s", qPrintable(log.join(QLatin1Char('\n'))));
    }

    static int eventCount(int fallback) {
        bool ok = false;
        const int n = qEnvironmentVariableIntValue("NODARA_MONKEY_EVENTS", &ok);
        return ok && n > 0 ? n : fallback;
    }
    static unsigned seedOr(unsigned fallback) {
        bool ok = false;
        const int s = qEnvironmentVariableIntValue("NODARA_MONKEY_SEED", &ok);
        return ok ? unsigned(s) : fallback;
    }

private slots:
    void randomEventsWithAStandInEngine() {
        realEngine = false;
        installFakeEngine(*dir);
        run(seedOr(20261208), eventCount(1500));
    }

    void randomEventsWithTheRealEngine() {
        realEngine = true;
        QFile::copy(QStringLiteral(FITCORE_EXE), dir->file(QStringLiteral("Fitcore")));
        run(seedOr(7), eventCount(600));
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
